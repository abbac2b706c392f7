#pragma once
// TVitalSigns: how close one membrane state is to each failure criterion, as five capacity
// bars (concrete crushing, shear on the crack, cracking or tension, x steel, y steel) with
// percentages, colours that turn red near the limit, fraction captions and status words. It
// reads nine chart-data pairs (a leading separator pair is skipped, missing values read -1):
//   1 (f1, its limit: cracking stress before cracking, f1max after)
//   2 (cracked flag, concrete state: 0 normal; its integer part 1 hides the percentage,
//      2 also shades the caption cell)
//   3 (f2, f2max)            4 (vci, vci max)
//   5 (fsx, x stress at a crack)   6 (x yield, x ultimate)
//   7 (fsy, y stress at a crack)   8 (y yield, y ultimate)
//   9 (x steel code, y steel code): 0 normal, 1 no bar, 2 rupture, 3 (x only) not available
// Element types: 0 membrane (drawn), 1 and 2 (an empty box), others name no element.

#include <string>
#include <vector>

#include "charts/Tchart.h"
#include "views/DiagramPlan.h"

inline const plat::Color kVitalGreen{128, 255, 128};
inline const plat::Color kVitalPink{255, 128, 128};
inline const plat::Color kVitalRed{255, 0, 0};

struct VitalSignsFrame {
    int W = 0;
    int H = 0;
    std::string title;
    plat::LogFont titleFont;
    plat::LogFont textFont;
};

// One capacity bar as drawn: what it is filled to, the percentage it shows, its two markers
// (yield and stress at a crack as fractions of the ultimate; -1 none), its colour and label mode.
struct VitalBar {
    double fill = 0.0;
    double ratio = 0.0;
    double marker1 = -1.0;
    double marker2 = -1.0;
    plat::Color colour = kVitalGreen;
    int labelMode = 0;
    bool drawn = true;
};

// The five bars of a nine-pair record (18 values).
std::vector<VitalBar> VitalBars(const std::vector<double>& record);

// The picture of a record; its texts, in order, are what the text copy lists.
DiagramPlan PlanVitalSigns(const VitalSignsFrame& frame, const std::vector<double>& record,
                           const PlanMeasure& measure);

// The heading of the text copy for an element type.
std::string VitalSignsHeading(int elementType);

class TVitalSigns : public Tchart {
public:
    TVitalSigns(plat::Window* parent, const std::string& title, int x, int y, int w, int h, int elementType);

    void Paint(plat::DC& dc, bool erase, const plat::Rect& rect) override;
    // 3000 stays the chart's: a double click shows the texts in "View Data".
    void CmPopup3001() override {}
    void CmPopup3002() override {}
    // "Copy Text".
    void CmPopup3003() override { ExportData(0); }
    // "Select Font".
    void CmPopup3004() override;
    // The texts of the picture under their heading: shown in "View Data" (1) or copied (0).
    void ExportData(int show) override;

    int ElementType() const { return m_elementType; }
    // The text the copy gives.
    std::string ExportText();
    VitalSignsFrame Frame();

private:
    bool HasRecord() const;

    int m_elementType = 0;
};
