#pragma once
// The arithmetic of the result page: where each panel lies in the main window's client area,
// which panels each layout uses, and which graph each panel of a chosen set shows. None of it
// needs a window, so the view manager and its tests share it.

#include <vector>

class TBase_Logic;

// A panel's place in pixels of the client area.
struct PanelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PanelRect&) const = default;
};

// The share of the client width that the control panel takes.
inline constexpr double kControlPanelFraction = 0.25;

// Panel ids with a meaning of their own.
namespace PanelId {
inline constexpr int WholePage = 0;
inline constexpr int PastedChart = 10;
inline constexpr int ControlChart1 = 11;
inline constexpr int ControlChart2 = 12;
inline constexpr int AddedChart = 13;
inline constexpr int LayoutCombo = 17;
inline constexpr int PasteCombo = 18;
inline constexpr int RangeButton = 19;
inline constexpr int AddButton = 20;
inline constexpr int PrintedPage = 26;
inline constexpr int NewBox = 33;
inline constexpr int FirstPanelButton = 38;
} // namespace PanelId

// The rectangle of a panel for a W x H client area with the control-panel fraction f. Each value
// is computed in double precision and truncated toward zero. An id without a panel leaves rect
// as it was and gives false.
bool GetPanelRect(int panelId, int W, int H, double f, PanelRect& rect);

// The rectangle of a panel as the layout in the given mode places it: in the load-deformation
// layout the layout and paste lists, the sample chart and the "Add to Graph" button stand where
// LayOutLoadDeformationPanel puts them (below the labels naming them in a low window, the chart
// ending a hundredth of the height above the button); any other panel as GetPanelRect.
bool GetLayoutPanelRect(int panelId, int mode, int W, int H, double f, PanelRect& rect);

// The same rectangle on a printed page or a picture copy, where the information panel takes
// the foot of the control panel: a control chart keeps its x and moves up to two thirds of its
// y when that lies below the middle of the page (y > H / 2), else to a third of it. The upper
// chart (12) is cut short where it would come nearer the lower one (11) than on screen.
bool GetPrintedPanelRect(int panelId, int W, int H, double f, PanelRect& rect);

// Layout modes of the view manager.
namespace LayoutMode {
inline constexpr int Start = 0;
inline constexpr int LoadDeformation = 1;
inline constexpr int Closing = 2;  // only ever cleared for, when the window goes
inline constexpr int Summary = 3;
inline constexpr int SingleGraph = 4;
inline constexpr int NineGraphs = 5;
inline constexpr int Pushover = 6;
inline constexpr int FourGraphs = 7;
inline constexpr int SixGraphs = 10;
inline constexpr int MemberDetails = 11;
} // namespace LayoutMode

// The panel of panel chart i in a layout mode, or -1 when the mode has no such chart. Charts
// placed inside another chart keep to their parent and have no panel of their own.
int ChartPanel(int layoutMode, int chartIndex);

// The layouts that a setter shows.
enum class LayoutKind { LoadDeformation, Single, Nine, Pushover, Four, Six, MemberDetails };

// What a layout setter puts on the page for a choice.
struct LayoutPlan {
    int mode = 0;
    int choice = 0;       // the choice after the default was resolved
    int setIndex = 0;     // the set chosen (0 for the single-chart layouts)
    int category = 0;     // choice list of the layout combo (0 when there is none)
    bool legends = false; // a legend box per chart
    std::vector<int> panels;    // panel of chart i
    std::vector<int> graphIds;  // graph id of chart i
};

// The plan of a setter for a choice (-1: the default). Without a mode object the defaults and
// the graph ids of the sets are 0.
LayoutPlan PlanLayout(LayoutKind kind, int choice, TBase_Logic* logic);
