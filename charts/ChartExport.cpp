#include "charts/ChartExport.h"

#include <cctype>
#include <cstdio>

#include "charts/TBoxItem.h"
#include "charts/Tchart.h"
#include "charts/Tdataview.h"
#include "foundation/DecimalPoint.h"
#include "foundation/ReportText.h"
#include "platform/Services.h"

namespace {

constexpr double kSeparator = 1e30;
constexpr double kNoValue = 3.1415626e31;
constexpr const char* kPictureDescription = "Quarvish Chart ";

// Whether the text is a number format this chart uses: "%5.<digit>f" or "%5.<digit>e".
bool IsAxisFormat(const std::string& f) {
    return f.size() == 5 && f.compare(0, 3, "%5.") == 0 && std::isdigit(static_cast<unsigned char>(f[3])) &&
           (f[4] == 'f' || f[4] == 'e');
}

// A value in a checked axis format (never a format from elsewhere).
std::string Format(const std::string& format, double value) {
    const std::string f = IsAxisFormat(format) ? format : "%5.3f";
    char text[400];
    const bool exponent = f[4] == 'e';
    const int digits = f[3] - '0';
    if (exponent)
        DecimalSnprintf(text, sizeof text, "%5.*e", digits, value);
    else
        DecimalSnprintf(text, sizeof text, "%5.*f", digits, value);
    return text;
}

// Calls step(xa, ya, xb, yb) for each step within a line and line(first, last) for each line
// of at least one pair; separators (x above 1e30) end a line.
template <typename Step, typename Line>
void WalkLines(const std::vector<double>& data, Step step, Line line) {
    bool inLine = false;
    double firstX = 0, firstY = 0, lastX = 0, lastY = 0;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        const double x = data[i], y = data[i + 1];
        if (x > kSeparator) {
            if (inLine)
                line(firstX, firstY, lastX, lastY);
            inLine = false;
            continue;
        }
        if (inLine) {
            step(lastX, lastY, x, y);
        } else {
            inLine = true;
            firstX = x;
            firstY = y;
        }
        lastX = x;
        lastY = y;
    }
    if (inLine)
        line(firstX, firstY, lastX, lastY);
}

} // namespace

std::string ChartExportFormat(const std::string& axisFormat) {
    std::string f = IsAxisFormat(axisFormat) ? axisFormat : "%5.3f";
    if (f[3] < '5')
        f[3] = static_cast<char>(f[3] + 2);
    return f;
}

std::string ChartExportText(const std::vector<double>& data, const std::string& title, const std::string& xTitle,
                            const std::string& yTitle, const std::string& xFormat, const std::string& yFormat) {
    const std::string fx = ChartExportFormat(xFormat), fy = ChartExportFormat(yFormat);
    std::string text = "  Data from Graph\r\n  ==============\r\n\r\n  Title\t\t: " + title +
                       "\r\n\r\n  X Axis Title\t: " + xTitle + "\r\n  Y Axis Title\t: " + yTitle + "\r\n\r\n   " +
                       xTitle + "\t\t" + yTitle + "\r\n";
    const std::size_t pairs = data.size() / 2;
    for (std::size_t i = 0; i < pairs; ++i) {
        double x = data[2 * i], y = data[2 * i + 1];
        if (x > kSeparator) {
            if (y > kSeparator) {
                text += "New Line\r\n";
                if (++i >= pairs)
                    break;
                x = data[2 * i];
                y = data[2 * i + 1];
            }
            if (x > kSeparator) {
                char line[400];
                DecimalSnprintf(line, sizeof line, "Line type : %1.0f\r\n", y);
                text += line;
                if (++i >= pairs)
                    break;
                x = data[2 * i];
                y = data[2 * i + 1];
            }
        }
        text += "   " + Format(fx, x) + "   \t   " + Format(fy, y) + "\r\n";
    }
    return text;
}

void ExportChartText(const std::string& text, int show, plat::Window* owner) {
    g_ReportText = std::make_unique<std::string>(text);
    if (show)
        ShowReportTextDialog(owner);
    else
        plat::Clipboard::SetText(text);
    ClearReportText();
}

double ChartAverageX(const std::vector<double>& data) {
    double sum = 0.0, extent = 0.0;
    WalkLines(
        data, [&](double xa, double ya, double xb, double yb) { sum += (xa + xb) / 2.0 * (yb - ya); },
        [&](double, double firstY, double, double lastY) { extent += lastY - firstY; });
    return extent == 0.0 ? 0.0 : sum / extent;
}

double ChartAverageY(const std::vector<double>& data) {
    if (data.size() < 2)
        return kNoValue;
    double sum = 0.0, extent = 0.0;
    WalkLines(
        data, [&](double xa, double ya, double xb, double yb) { sum += (ya + yb) / 2.0 * (xb - xa); },
        [&](double firstX, double, double lastX, double) { extent += lastX - firstX; });
    return extent == 0.0 ? 0.0 : sum / extent;
}

std::string ChartAverageNote(const std::string& note, const std::vector<double>& data, const std::string& xFormat,
                             const std::string& yFormat) {
    if (note == "AverageX")
        return "Average = " + Format(xFormat, ChartAverageX(data));
    if (note == "AverageY")
        return "Average = " + Format(yFormat, ChartAverageY(data));
    return note;
}

plat::Rect ChartPictureFrame(int width, int height, const plat::DC& reference) {
    const long long hs = reference.GetDeviceCaps(plat::DevCap::HorzSize);
    const long long vs = reference.GetDeviceCaps(plat::DevCap::VertSize);
    const long long hr = reference.GetDeviceCaps(plat::DevCap::HorzRes);
    const long long vr = reference.GetDeviceCaps(plat::DevCap::VertRes);
    const int w = hr > 0 ? static_cast<int>(width * hs * 100 / hr) : 0;
    const int h = vr > 0 ? static_cast<int>(height * vs * 100 / vr) : 0;
    return plat::Rect{0, 0, w, h};
}

plat::Picture CopyBoxPicture(plat::Window& box) {
    const plat::Rect r = box.GetWindowRect();
    plat::ClientDC reference(box);
    const plat::Rect frame = ChartPictureFrame(r.Width(), r.Height(), reference);
    plat::PictureDC picture(reference, frame, kPictureDescription);
    box.Paint(picture, true, frame);
    for (plat::Window* child : box.GetChildren()) {
        const plat::Rect c = child->GetWindowRect();
        const plat::Point origin = picture.SetWindowOrg(plat::Point{-c.left, -c.top});
        child->Paint(picture, true, frame);
        picture.SetWindowOrg(origin);
    }
    plat::Picture result = picture.Close();
    plat::Clipboard::SetPicture(result);
    return result;
}

// ---- The chart classes ------------------------------------------------------------------

void Tchart::ExportData(int show) {
    ExportChartText(ChartExportText(m_data.Data(), m_data.Title(), m_data.XTitle(), m_data.YTitle(),
                                    m_data.XFormat().format, m_data.YFormat().format),
                    show, this);
}

double Tchart::GetAverageX() const { return ChartAverageX(m_data.Data()); }

double Tchart::GetAverageY() const { return ChartAverageY(m_data.Data()); }

void Tchart::UpdateAverageNote() {
    const std::string& note = m_data.Note();
    if (note != "AverageX" && note != "AverageY")
        return;
    m_data.SetNote(ChartAverageNote(note, m_data.Data(), m_data.XFormat().format, m_data.YFormat().format));
}

void TBoxItem::CopyChartPicture() { (void)CopyBoxPicture(*this); }
