#include "model/catalogues/TDivisionRows.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"

namespace {

// Largest n a raster is built for: 2e7 rows of a 0.1 mm grid span 2 km, and the raster then
// takes 120 MB. A larger request (a corrupt file) is refused rather than exhausting memory.
constexpr int kMaxRasterHalfRows = 10000000;
// Locations within this many rows of a layer's lower row, and whose width differs from it by
// less than this many grid units, are merged into the layer.
constexpr int kMergeRows = 5;
constexpr int kMergeWidth = 5;
// Rows from this count on use a "none" value beyond any column of such a raster.
constexpr int kLargeRasterRows = 63000;

} // namespace

int TDivisionRows::Init(int n)
{
    Free();
    if (n < 0 || n > kMaxRasterHalfRows)
        return 0;
    const std::size_t wanted = 2 * static_cast<std::size_t>(n) + 10;
    try {
        widths.assign(wanted, 0);
        tags.assign(wanted, kNoDivisionTag);
    } catch (const std::bad_alloc&) {
        Free();
        return 0;
    }
    rows = static_cast<int>(wanted);
    none = rows < kLargeRasterRows ? 65535 : 4000000;
    return 1;
}

void TDivisionRows::Free()
{
    std::vector<std::int32_t>().swap(widths);
    std::vector<std::uint16_t>().swap(tags);
    rows = 0;
    locations = TDepthTable("division locations");
    cursor = 0;
}

std::optional<int> TDivisionRows::RowIntersection(int x1, int y1, int x2, int y2, int r)
{
    const double dy = static_cast<double>(y2) - static_cast<double>(y1);
    if (std::fabs(dy) < 1.0)
        return std::nullopt;
    const double t = (static_cast<double>(r) - static_cast<double>(y1)) / dy;
    if (t < 0.0 || t > 1.0)
        return std::nullopt;
    const double x =
        (static_cast<double>(x2) - static_cast<double>(x1)) * t + static_cast<double>(x1) + 0.5;
    // x lies between the two columns (+0.5), so the truncated value is an int.
    return static_cast<int>(std::clamp(std::trunc(x),
                                       static_cast<double>(std::numeric_limits<int>::min()),
                                       static_cast<double>(std::numeric_limits<int>::max())));
}

int TDivisionRows::AddTriangle(
    TGridPoint p1, TGridPoint p2, TGridPoint p3, std::uint16_t tag, int& conflict)
{
    if (!HasRaster()) {
        ReportMissingRaster();
    } else {
        const int low = std::min({p1.row, p2.row, p3.row});
        const int high = std::max({p1.row, p2.row, p3.row});
        // Only the rows inside the raster are visited.
        const int first = std::max(low, 0);
        const int end = std::min(high, rows);
        for (int r = first; r < end; ++r) {
            const std::uint16_t held = tags[static_cast<std::size_t>(r)];
            if (held != kNoDivisionTag && held != tag)
                conflict = 1;
            const auto xa = RowIntersection(p1.column, p1.row, p2.column, p2.row, r);
            const auto xb = RowIntersection(p2.column, p2.row, p3.column, p3.row, r);
            const auto xc = RowIntersection(p3.column, p3.row, p1.column, p1.row, r);
            std::optional<std::int64_t> w;
            const auto span = [](int a, int b) {
                return std::abs(static_cast<std::int64_t>(a) - static_cast<std::int64_t>(b));
            };
            if (!xa && xb && xc) {
                w = span(*xb, *xc);
            } else if (xa && !xb && xc) {
                w = span(*xa, *xc);
            } else if (xa && xb && !xc) {
                w = span(*xa, *xb);
            } else if (xa && xb && xc) {
                // The row passes through a vertex, where two edges meet at one column.
                if (*xa == *xb)
                    w = span(*xa, *xc);
                else if (*xc == *xb || *xc == *xa)
                    w = span(*xa, *xb);
            }
            if (!w) {
                ShowMessage(StrPrintf("Triangle edges inconsistent at row %d", r),
                            "TDivisionRows",
                            MsgStyle::IconExclamation);
                continue;
            }
            AddWidth(r, *w, tag);
        }
    }
    for (const TGridPoint& p : {p1, p2, p3}) {
        // Kept within 0 .. rows, so a layer of a clipped triangle ends at the raster's edge.
        const int row = std::clamp(p.row, 0, rows);
        locations.Add(static_cast<double>(row), static_cast<double>(p.column));
    }
    return 1;
}

void TDivisionRows::AddWidth(int row, std::int64_t width, std::uint16_t tag)
{
    const auto r = static_cast<std::size_t>(row);
    const std::uint16_t held = tags[r];
    if (held == kNoDivisionTag || held == tag || widths[r] < width)
        tags[r] = tag;
    const std::int64_t sum = static_cast<std::int64_t>(widths[r]) + width;
    widths[r] = static_cast<std::int32_t>(std::min<std::int64_t>(sum, INT32_MAX));
}

int TDivisionRows::SortLocations()
{
    locations.Sort(0);
    cursor = 0;
    return 1;
}

int TDivisionRows::LocationRow(int index) const
{
    return static_cast<int>(locations.GetDepth(index));
}

bool TDivisionRows::HasMore() const
{
    const int n = locations.GetCount();
    if (cursor < 0 || cursor >= n)
        return false;
    const int base = LocationRow(cursor);
    for (int i = cursor; i < n; ++i) {
        if (LocationRow(i) > base)
            return true;
    }
    return false;
}

TDivision TDivisionRows::NextDivision()
{
    TDivision d;
    if (!HasMore())
        return d;
    const int n = locations.GetCount();
    const int r0 = LocationRow(cursor);
    const int w0 = GetWidth(r0);
    ++cursor;
    // The last location is never passed over: it closes the final layer.
    while (cursor < n - 1) {
        const int r = LocationRow(cursor);
        if (r - r0 >= kMergeRows || std::abs(GetWidth(r) - w0) >= kMergeWidth)
            break;
        ++cursor;
    }
    const int r1 = LocationRow(std::min(cursor, n - 1));
    d.upperRow = r1;
    d.upperWidth = GetWidth(r1 - 1);
    d.lowerRow = r0;
    d.lowerWidth = w0;
    d.tag = GetTag((r0 + r1) / 2);
    return d;
}

int TDivisionRows::GetWidth(int row) const
{
    if (!HasRaster()) {
        ReportMissingRaster();
        return -1;
    }
    if (row < 0 || row >= rows)
        return 0;
    return widths[static_cast<std::size_t>(row)];
}

std::uint16_t TDivisionRows::GetTag(int row) const
{
    if (!HasRaster() || row < 0 || row >= rows)
        return kNoDivisionTag;
    return tags[static_cast<std::size_t>(row)];
}

void TDivisionRows::ReportMissingRaster() const
{
    ShowMessage("Integrity fault: division rows not allocated",
                "TDivisionRows",
                MsgStyle::IconStop);
}
