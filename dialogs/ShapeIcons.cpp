#include "dialogs/ShapeIcons.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "foundation/ReportText.h"
#include "foundation/TDepthTable.h"
#include "model/shapes/ShapeLibrary.h"
#include "platform/Controls.h"

namespace {

constexpr int kMargin = 2;
constexpr plat::Color kConcrete{200, 200, 200};
constexpr plat::Color kEdge{50, 50, 60};

} // namespace

int AddShapeIcon(plat::ImageList& images, const TShape& shape)
{
    if (shape.iconCode == kUserIconCode && !shape.iconPath.empty())
        if (const int icon = images.AddFile(shape.iconPath); icon >= 0)
            return icon;
    const plat::Image picture = plat::Image::FromResource(shape.iconCode);
    return picture.IsNull() ? -1 : images.Add(picture);
}

plat::Image OutlineIcon(const TDepthTable& outline, int size)
{
    const int n = outline.GetCount();
    if (n < 2)
        return {};
    double top = outline.GetDepth(0), bottom = top, widest = 0.0;
    for (int i = 0; i < n; ++i) {
        top = std::max(top, outline.GetDepth(i));
        bottom = std::min(bottom, outline.GetDepth(i));
        widest = std::max(widest, std::fabs(outline.GetValue(i)));
    }
    const double height = top - bottom;
    if (!(height > 0.0) || !(widest > 0.0))
        return {};
    const double scale = (size - 2 * kMargin) / std::max(height, widest);
    const double centre = size / 2.0;
    const double y0 = (size - height * scale) / 2.0;
    const auto at = [&](double x, double z) {
        return plat::Point{static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y0 + (top - z) * scale))};
    };
    // Down the right side, back up the left.
    std::vector<plat::Point> points;
    for (int i = 0; i < n; ++i)
        points.push_back(at(centre + 0.5 * std::fabs(outline.GetValue(i)) * scale, outline.GetDepth(i)));
    for (int i = n - 1; i >= 0; --i)
        points.push_back(at(centre - 0.5 * std::fabs(outline.GetValue(i)) * scale, outline.GetDepth(i)));
    plat::Image image(size, size, plat::Colors::White);
    plat::DC dc(image);
    dc.SelectBrush(plat::Brush{false, kConcrete});
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, kEdge});
    dc.Polygon(points);
    return image;
}

plat::Image ShapeOutlineIcon(TSectionBase& shape, int size)
{
    std::unique_ptr<std::string> log = g_ReportText ? std::make_unique<std::string>(*g_ReportText) : nullptr;
    TDepthTable outline("shape icon"), values("shape icon values");
    EvaluateShapeOutline(shape, outline, values, ShapeParams{}, 0.0);
    g_ReportText = std::move(log);
    return OutlineIcon(outline, size);
}
