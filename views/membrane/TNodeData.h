#pragma once
// TNodeData: the state of one element as labelled numbers (chart kind 16): strains, concrete
// and steel stresses, crack spacing and width, shear on the crack. Mode 0 shows a membrane
// element (graph 2104), 1 a three-dimensional element (2105), 2 principal values (2106). The
// numbers are the chart's data pairs read as one flat SI sequence; one painter gives both the
// picture and the text that "Copy Text" copies, so the two always agree.

#include <string>
#include <vector>

#include "charts/Tchart.h"
#include "views/DiagramPlan.h"

// One line of the pane: its text (label markup), centre x and row top y, in box pixels.
struct NodeDataLine {
    std::string text;
    int x = 0;
    int y = 0;
};
// A horizontal rule at y from m to W - m.
struct NodeDataLayout {
    std::vector<NodeDataLine> lines;
    std::vector<int> rules;
    int m = 0;
};

// The layout of mode 0, 1 or 2 over a box W x H in a unit system (0 SI, 1 US customary...).
NodeDataLayout LayOutNodeData(int mode, const std::vector<double>& values, int W, int H,
                              int unitSystem);

// The rows the rules are drawn on: each where the layout puts it, but where the letters of a
// line that starts on the rule (a Greek letter, drawn larger, reaches the top of its line or
// rises above it) come within a pixel of it, moved up to leave a blank row over them, or
// midway between them and the letters of the lines above where there is no room for a blank
// row on both sides.
std::vector<int> RulesClearOfLetters(const NodeDataLayout& layout, const PlanLetters& letters,
                                     const plat::LogFont& font);

class TNodeData : public Tchart {
public:
    TNodeData(plat::Window* parent, const std::string& title, int x, int y, int w, int h,
              int mode);

    void Paint(plat::DC& dc, bool erase, const plat::Rect& rect) override;
    void CmPopup3000() override { ExportData(1); }
    void CmPopup3001() override {}
    void CmPopup3002() override {}
    void CmPopup3003() override { ExportData(0); }
    void CmPopup3004() override { SelectAxesFont(); }
    // The lines under the mode's heading: shown in "View Data" (1) or copied (0).
    void ExportData(int show) override;

    int Mode() const { return m_mode; }
    std::string ExportText();

private:
    bool HasData() const;
    std::vector<double> Values() const;

    int m_mode = 0;
};
