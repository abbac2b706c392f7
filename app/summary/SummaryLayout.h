#pragma once
// The arithmetic of the section summary page, apart from any drawing: where the section
// goes and at what scale, how bars, hoops and stirrups are sized and placed, how the
// properties table is labelled, which rows the element catalogue lists, which runs of
// concrete types the legend shows, and how a depth profile is laid out. The painting and
// the page's hit test both read these, so what is drawn and what a click finds agree.
//
// Picture coordinates: x0 the pixel x of the section's centre line, y0 the pixel y of
// height 0, s pixels per metre; a height z lies at y0 - z s. Pixel values are the doubles
// truncated toward zero unless "+ 0.5" rounding is stated.

#include <string>
#include <vector>

#include "platform/Types.h"

class TStructure;
class TDepthTable;

// ---- Pixel values ------------------------------------------------------------------------

// The picture adds a few pixel values at a time (a leg's offset, a bend's radius, a bar's
// size, a lap, a callout's inset); held within kPixelLimit of 0, sums of a dozen of them stay
// far inside int, however large the scale of a degenerate section.
constexpr double kPixelLimit = 1e8;
// v truncated toward zero and held within kPixelLimit of 0; not a number gives 0.
int PixelTrunc(double v);

// ---- Placement of the section ----------------------------------------------------------

struct SectionFit {
    double x0 = 0.0;
    double y0 = 0.0;
    double s = 1.0;
    double widest = 0.0; // B, the largest top or bottom width of the regions
};

// The height above the section bottom at which the axial load acts; above 1e30 when it is
// not set (always so for anything but a beam section).
double AxialLoadPosition(const TStructure& structure);

// Origin and scale of the picture in a w x h pane with the margin u. A null structure gets
// x0 only; a section without height y0 = h / 2, s = 1, B = 0. On a wide, low pane the section
// is drawn smaller, its top in place, so that it and its width dimension stay above the notes
// over the title block.
SectionFit FitSectionToRect(const TStructure* structure, int w, int h, int u);

// ---- Stress colours --------------------------------------------------------------------

// The style code of a steel stress v against the limit L: 1 yielding in tension (within 1 %
// of L), 2 yielding in compression, 0 a failed bar (|v| > 1e30), 3 beyond L, 4 beyond -L,
// -1 otherwise.
int StressStyleCode(double v, double limit);
// The colour of a code (black for -1 and 0).
plat::Color StressStyleColor(int code);

// ---- Bars, hoops and stirrups ------------------------------------------------------------

// Bar size in pixels: trunc(db s), at least 5.
int BarSizePixels(double db, double s);

// The boxes of the bars of a layer of a circular pattern (radius R, centre height cy) at
// height z: one, or two mirrored about the centre line when the layer has more than one bar.
std::vector<plat::Rect> CircularBarBoxes(
    double z, double radius, double centre, int bars, int D, double x0, double y0, double s);

// The boxes of the n bars of a plain layer at height z: one bar at its own position xb; more
// spread over the section width W or over the width E enclosed by the stirrups (E = -1 when
// there is none).
std::vector<plat::Rect> LayerBarBoxes(double z,
                                      int n,
                                      double db,
                                      double xb,
                                      double W,
                                      double E,
                                      int D,
                                      double x0,
                                      double y0,
                                      double s);

// Inner bend diameter of a stirrup bar: max(4 db, (166.7 db + 2.5) db).
double StirrupBendDiameter(double db);
// Straight tail of a hook after its bend: max(6 db, 0.06).
double HookTailLength(double db);

// Pixel sizes of a stirrup layer's legs and bends.
struct StirrupGeometry {
    double inset = 0.0; // clear distance from the face to the leg
    int outer = 0;      // outer offset of a leg from the centre line
    int inner = 0;      // inner offset
    double bend = 0.0;  // rb, inner bend diameter (m)
    int bendRadius = 0; // R, centre-line radius of a bend
    int band = 0;       // t, drawn thickness of a bend
};
// W the width available, cover the minimum clear cover.
StirrupGeometry ComputeStirrupGeometry(double W, double cover, double db, double s);

// ---- Properties panel --------------------------------------------------------------------

// The power of ten of row 1..6 of the geometric properties table in a unit system.
int PropertyRowExponent(int row, int unitSystem);
// The label of row 1..6 ("Area (mm^2) x 10^3").
std::string PropertyRowLabel(int row, int unitSystem);
// The shown value of row 1..6 for a stored quantity.
std::string PropertyRowValue(int row, double quantity, int unitSystem);

// Appends the value with about three significant digits (see the summary page's loading line).
void AppendSignificant(std::string& text, double value);

// ---- Element catalogue -----------------------------------------------------------------

struct CatalogRow {
    int slot = -1; // structure-table slot of the element drawn in the row
    int top = 0;
    int bottom = 0; // last pixel of the row
    bool marked = false;
};
// Row height of the catalogue column of width cw: trunc(0.75 cw), 10 when that is not positive.
int CatalogRowHeight(int cw);
// The rows that the column at (x, y) lists: beam sections in table order, the first one whose
// title equals the current structure's marked, up to the last whole row that fits.
std::vector<CatalogRow>
ListCatalogRows(const TStructure* current, int x, int y, int wp, int w, int h, int m);

// ---- Concrete-types legend ---------------------------------------------------------------

struct LegendRun {
    int first = 0; // first and last region of the run
    int last = 0;
    double top = 0.0; // zt of the first region, zb of the last
    double bottom = 0.0;
    int type = 0;
};
std::vector<LegendRun> ConcreteTypeRuns(const TStructure& structure);
// Grey level of a concrete type's fill: 10 (24 - type), kept within 0..255.
int ConcreteTypeGrey(int type);

// ---- Section dimensions ------------------------------------------------------------------

// The web region and whether the section has an inner web (one that is neither the first nor
// the last region).
struct WebRegion {
    int index = -1;
    bool inner = false;
};
WebRegion FindWebRegion(const TStructure& structure);
// True when every region's top and bottom widths are the first region's top width, to a tenth
// of a millimetre (a rectangle however many regions it is cut into); false without regions.
bool HasOneWidth(const TStructure& structure);

// ---- Depth profile -----------------------------------------------------------------------

struct DepthProfileLayout {
    bool degenerate = true;
    double s = 0.0;  // pixels per unit
    double xc = 0.0; // centre line (or the axis of the half view)
    double yr = 0.0; // screen y of height 0
    bool half = false;
    double z1 = 0.0; // first and last heights
    double z2 = 0.0;
};
DepthProfileLayout LayoutDepthProfile(int x, int y, int w, int h, const TDepthTable& profile);

// ---- Control panel, start picture and printing -------------------------------------------

// The layout title of the control panel ("Single Graph" ...); empty for modes without one.
std::string ControlPanelTitle(int mode);
// The height of a combo box of the control panel: its panel's height up to this.
inline constexpr int kComboHeight = 26;
// The top and foot of the control panel's range button in a client area H high: a fifth of the
// way down, or lower where the layout list above it (its box kept kComboHeight high) reaches
// further in a low window.
double RangeButtonTop(int H);
double RangeButtonFoot(int H);
// The character height of the control panel's title: min(W / 45, H / 25), never below the least
// text height.
int ControlPanelTitleFont(int W, int H);
// The cell (ascent and descent) of a line of the panel's Arial in a character height h: 0.905 h
// above the baseline and 0.212 h below, each rounded.
int PanelTextCell(int h);
// The control panel of the load-deformation layout (mode 1) in a W x H client area, f the
// control-panel fraction: the layout title over the first frame, round the label "Type of Base
// Graph" and the layout list; "Paste Data" over the second, round "Type of Pasted Graph", the
// paste list, "Sample Output", the sample chart and the "Add to Graph" button; the control chart
// below. In a common window each piece stands at its share of the height (the title at 0.05 H,
// the labels at 0.1, 0.277 and 0.355 H, the lists at 0.13 and 0.305 H, the chart at 0.395 H,
// the button at 0.55 H). In a low one the labels are written no smaller than the least text, a
// label that would reach its control moves up to stand just above it (never onto the title or
// control above it), a piece that would still overlap the one above goes down below it, and a
// frame grows to hold what it frames. Where the second frame would then reach the control chart,
// the labels are left out, "Sample Output" first; where the sample chart would be left lower
// than kLeastSampleChartHeight it is left out whole (with its label, the button following the
// paste list), then "Type of Pasted Graph" and "Type of Base Graph", and last the button.
// The panel depends on W, H and f alone, never on the sizes before.
inline constexpr int kLeastSampleChartHeight = 24;
struct LoadDeformationPanel {
    int titleFont = 0; // character heights of the two titles and of the three labels
    int labelFont = 0;
    int title = 0; // tops of "Load-Deformation" and "Paste Data"
    int pasteTitle = 0;
    int baseLabel = -1; // tops of the labels; -1 for one left out
    int pastedLabel = -1;
    int sampleLabel = -1;
    int layoutCombo = 0; // tops of the two lists (their boxes kComboHeight high at most)
    int pasteCombo = 0;
    int sampleChart = 0; // top and height of the sample chart
    int sampleHeight = 0;
    int addButton = 0; // top of the "Add to Graph" button, 0.05 H high
    bool sampleShown = true; // false: the sample chart, or the button, is left out
    bool addShown = true;
    plat::Rect frames[2];
};
LoadDeformationPanel LayOutLoadDeformationPanel(int W, int H, double f);
// The etched frames of the control panel: two in mode 1 (those of LayOutLoadDeformationPanel),
// else one chosen by bytes 4 and 5 of the mode's panel-menu record (none for 0 and 1), the one
// round the layout list reaching below the range button. f is the control-panel fraction.
std::vector<plat::Rect> ControlPanelFrames(int mode, int byte4, int byte5, int W, int H, double f);
// Where the start picture's bitmap of the given size goes in a W x H window.
plat::Rect SplashBitmapBox(int W, int H, int bitmapWidth, int bitmapHeight);
// The charts of the materials page: "Concrete" (material kind 7, panel 14, chart id 2120)
// always; with a mode object "Rebar" (kind 8, 2121) when reinforcing steels are used and
// "P-Steel" (kind 9, 2122) when prestressing steels are, on the next panels.
struct MaterialChartPlan {
    std::string title;
    int kind = 0;
    int panel = 0;
    int chartId = 0;
    bool operator==(const MaterialChartPlan&) const = default;
};
std::vector<MaterialChartPlan>
PlanMaterialsPage(bool hasModeObject, int reinforcing, int prestressing);

// Where a box's own (0, 0) lands when it is printed: its position plus its parent's; a
// control chart keeps its x and goes to 2/3 of its y below the window's middle, 1/3 above.
plat::Point PrintBoxOrigin(plat::Point box, plat::Point parent, bool controlChart, int H);
