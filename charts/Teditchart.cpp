#include "charts/Teditchart.h"

#include <algorithm>
#include <array>

#include "charts/DialogResources.h"
#include "charts/EditChartValues.h"
#include "charts/ListRows.h"
#include "charts/OwnerDrawn.h"
#include "charts/Tchart.h"
#include "foundation/Reporter.h"
#include "platform/Ui.h"

namespace {

namespace Id = EditChartId;

struct AxisEndIds {
    int edit;
    int box;
    ChartEnd end;
};
constexpr AxisEndIds kEnds[] = {{Id::XMin, Id::AutoXMin, ChartEnd::XMin},
                                {Id::XMax, Id::AutoXMax, ChartEnd::XMax},
                                {Id::YMin, Id::AutoYMin, ChartEnd::YMin},
                                {Id::YMax, Id::AutoYMax, ChartEnd::YMax}};

double Bound(const ChartBounds& b, ChartEnd end)
{
    switch (end) {
    case ChartEnd::XMin: return b.xMin;
    case ChartEnd::XMax: return b.xMax;
    case ChartEnd::YMin: return b.yMin;
    default: return b.yMax;
    }
}

bool IsX(ChartEnd end) { return end == ChartEnd::XMin || end == ChartEnd::XMax; }

// The custom colours of the colour dialog: greys, kept for the whole run.
std::array<plat::Color, 16>& CustomColours()
{
    static std::array<plat::Color, 16> colours = [] {
        std::array<plat::Color, 16> c{};
        for (int i = 0; i < 15; ++i)
            c[static_cast<std::size_t>(i)] = plat::Color(0x10 * (i + 1), 0x10 * (i + 1), 0x10 * (i + 1));
        c[15] = plat::Color(0xFF, 0xFF, 0xFF);
        return c;
    }();
    return colours;
}

} // namespace

Teditchart::Teditchart(Tchart& chart)
    : plat::Dialog(&chart, EditChartTemplate()), m_chart(chart), m_titleFont(chart.TitleFont()),
      m_axesFont(chart.TextFont()), m_lineColour(chart.LineColour()),
      m_lineStyle(chart.LineStyle())
{
}

void Teditchart::ShowFont(int id, const plat::LogFont& font)
{
    const int lpy = plat::ScreenDC().GetDeviceCaps(plat::DevCap::LogPixelsY);
    SetItemText(id, FontDescription(font.face, FontPointSize(font.height, lpy)));
}

void Teditchart::SetupWindow()
{
    plat::Dialog::SetupWindow();
    const EditChartFields f = ReadEditChartFields(m_chart.Data(), m_chart.LineWidth());
    SetItemText(Id::Title, f.title);
    SetItemText(Id::XTitle, f.xTitle);
    SetItemText(Id::YTitle, f.yTitle);
    // Filling the ends checks their "Auto" boxes through the change notifications.
    SetItemText(Id::XMin, f.xMin);
    SetItemText(Id::XMax, f.xMax);
    SetItemText(Id::YMin, f.yMin);
    SetItemText(Id::YMax, f.yMax);
    SetItemText(Id::XTick, f.xTick);
    SetItemText(Id::YTick, f.yTick);
    SetItemText(Id::Thickness, f.thickness);
    SetItemText(Id::XDecimals, f.xDecimals);
    SetItemText(Id::YDecimals, f.yDecimals);
    ShowFont(Id::TitleFont, m_titleFont);
    ShowFont(Id::AxesFont, m_axesFont);
}

bool Teditchart::EvCommand(int id, int control, int notifyCode)
{
    for (const AxisEndIds& e : kEnds) {
        if (id == e.edit && notifyCode == plat::Notify::Change) {
            AxisChanged(id);
            return true;
        }
        if (id == e.box && notifyCode == plat::Notify::Clicked) {
            AutoClicked(id);
            return true;
        }
    }
    if (notifyCode == plat::Notify::Clicked) {
        switch (id) {
        case Id::SelectTitleFont: ChooseFont(true); return true;
        case Id::SelectAxesFont: ChooseFont(false); return true;
        case Id::SelectColour: ChooseColour(); return true;
        case Id::SelectStyle: ChooseStyle(); return true;
        default: break;
        }
    }
    return plat::Dialog::EvCommand(id, control, notifyCode);
}

void Teditchart::AxisChanged(int edit)
{
    const ChartData& d = m_chart.Data();
    for (const AxisEndIds& e : kEnds)
        if (e.edit == edit) {
            const AxisFormat& f = IsX(e.end) ? d.XFormat() : d.YFormat();
            const bool same = AutoMatches(GetItemText(edit), f, Bound(d.DataBounds(), e.end));
            CheckItem(e.box, same ? plat::Check::Checked : plat::Check::Unchecked);
        }
}

void Teditchart::AutoClicked(int box)
{
    const ChartData& d = m_chart.Data();
    for (const AxisEndIds& e : kEnds)
        if (e.box == box)
            SetItemText(e.edit, FormatAxisValue(IsX(e.end) ? d.XFormat() : d.YFormat(),
                                                Bound(d.DataBounds(), e.end)));
}

void Teditchart::ChooseFont(bool title)
{
    plat::FontDialogData data;
    data.font = title ? m_titleFont : m_axesFont;
    if (!plat::GetUi().ChooseFont(data))
        return;
    // The chart's stored height follows at once, even if the dialog is cancelled later.
    if (title) {
        m_titleFont = data.font;
        m_titleFontChosen = true;
        m_chart.SetStoredTitleHeight(data.font.height);
        ShowFont(Id::TitleFont, m_titleFont);
    } else {
        m_axesFont = data.font;
        m_axesFontChosen = true;
        m_chart.SetStoredTextHeight(data.font.height);
        ShowFont(Id::AxesFont, m_axesFont);
    }
}

void Teditchart::ChooseColour()
{
    plat::ColorDialogData data;
    data.color = m_lineColour;
    data.custom = CustomColours();
    const bool ok = plat::GetUi().ChooseColor(data);
    CustomColours() = data.custom;
    if (ok)
        m_lineColour = data.color;
}

void Teditchart::ChooseStyle()
{
    const int thickness = LineWidthFromText(GetItemText(Id::Thickness));
    int style = m_lineStyle;
    TMyList list(this, nullptr, kListLineTypes, &style, std::max(thickness, 1), m_lineColour);
    // A cancelled choice, or none, keeps the style.
    if (list.Execute() == plat::DialogResult::Ok && style >= 0)
        m_lineStyle = style;
}

EditChartFields Teditchart::ReadFields() const
{
    EditChartFields f;
    f.title = GetItemText(Id::Title);
    f.xTitle = GetItemText(Id::XTitle);
    f.yTitle = GetItemText(Id::YTitle);
    f.xMin = GetItemText(Id::XMin);
    f.xMax = GetItemText(Id::XMax);
    f.yMin = GetItemText(Id::YMin);
    f.yMax = GetItemText(Id::YMax);
    f.autoXMin = IsItemChecked(Id::AutoXMin) != 0;
    f.autoXMax = IsItemChecked(Id::AutoXMax) != 0;
    f.autoYMin = IsItemChecked(Id::AutoYMin) != 0;
    f.autoYMax = IsItemChecked(Id::AutoYMax) != 0;
    f.xTick = GetItemText(Id::XTick);
    f.yTick = GetItemText(Id::YTick);
    f.xDecimals = GetItemText(Id::XDecimals);
    f.yDecimals = GetItemText(Id::YDecimals);
    f.thickness = GetItemText(Id::Thickness);
    return f;
}

bool Teditchart::CanClose()
{
    // Ends that cannot be drawn, and text that is no number, keep the dialog open with the
    // reason; nothing is written back until they are corrected.
    const std::string problem = CheckEditChartFields(ReadFields(), m_chart.Data().DataBounds());
    if (problem.empty())
        return true;
    plat::MessageBox(problem, "Edit Chart", MsgStyle::Ok | MsgStyle::IconExclamation);
    return false;
}

void Teditchart::CloseWindow(int result)
{
    plat::Dialog::CloseWindow(result);
    if (GetResult() != plat::DialogResult::Ok)
        return;
    const EditChartFields f = ReadFields();
    if (m_titleFontChosen)
        m_chart.SetTitleFont(m_titleFont);
    if (m_axesFontChosen)
        m_chart.SetTextFont(m_axesFont);
    const int width = ApplyEditChartFields(f, m_chart.Data());
    m_chart.SetLinePen(width, m_lineColour, m_lineStyle);
    m_chart.Layout();
}
