#pragma once
// "Edit Chart" (resource 4000): a chart's titles, fonts, axis ends with their "Auto" choices,
// tick distances, decimals and its line's thickness, colour and style, written back on OK.

#include "platform/Dialog.h"

class Tchart;
struct EditChartFields;

// Control ids of "Edit Chart".
namespace EditChartId {
inline constexpr int Title = 4002;
inline constexpr int XTitle = 4003;
inline constexpr int YTitle = 4004;
inline constexpr int Thickness = 4005;
inline constexpr int SelectTitleFont = 4006;
inline constexpr int SelectAxesFont = 4007;
inline constexpr int SelectColour = 4008;
inline constexpr int SelectStyle = 4009;
inline constexpr int AutoXMin = 4010;
inline constexpr int AutoXMax = 4011;
inline constexpr int AutoYMax = 4012;
inline constexpr int AutoYMin = 4013;
inline constexpr int AxesFont = 4016;
inline constexpr int TitleFont = 4017;
inline constexpr int XMin = 4018;
inline constexpr int XMax = 4019;
inline constexpr int YMax = 4020;
inline constexpr int XTick = 4021;
inline constexpr int XDecimals = 4022;
inline constexpr int YDecimals = 4023;
inline constexpr int YTick = 4025;
inline constexpr int YMin = 4026;
} // namespace EditChartId

class Teditchart : public plat::Dialog {
public:
    explicit Teditchart(Tchart& chart);

    void SetupWindow() override;
    void CloseWindow(int result) override;
    // OK is refused, with a message, while the axis ends cannot be drawn or a field holds text
    // that is no number (see CheckEditChartFields).
    bool CanClose() override;
    bool EvCommand(int id, int control, int notifyCode) override;

private:
    EditChartFields ReadFields() const;
    void AxisChanged(int edit);
    void AutoClicked(int box);
    void ChooseFont(bool title);
    void ChooseColour();
    void ChooseStyle();
    void ShowFont(int id, const plat::LogFont& font);

    Tchart& m_chart;
    plat::LogFont m_titleFont;
    plat::LogFont m_axesFont;
    // Whether the user chose the title's or the axes' font here: OK writes back only those, so
    // that OK without an edit leaves the fonts following the chart's size as they did.
    bool m_titleFontChosen = false;
    bool m_axesFontChosen = false;
    plat::Color m_lineColour;
    int m_lineStyle = 0;
};
