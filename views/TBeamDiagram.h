#pragma once
// Pictures of one solved state of the current cross-section:
//
//  - TBeamDiagram (kind 6, "Crack Diagram"): a side view of a stretch of the web over the full
//    depth, shaded where the concrete crushed or failed in shear on the cracks, with the
//    crack pattern of the state (mode 1; mode 2 draws wider cracks with thicker pens) or the
//    lines of the principal compressive stress direction (mode 0), and the crack widths
//    written beside the cracks.
//  - TRichBeam (kind 12, "Cross Section"): the cross-section picture of the state.
//
// Each is handed the structure and then the state as TStateDiagram sets out, and keeps its own
// copy of the state with the arrays it draws from.

#include <memory>

#include "views/DiagramPicture.h"
#include "views/DiagramState.h"
#include "views/StateDiagram.h"

struct SectionState;

class TBeamDiagram : public TStateDiagram {
public:
    // mode: 0 principal stress direction, 1 crack diagram, 2 crack-width classes.
    TBeamDiagram(plat::Window* parent, const std::string& title, int x, int y, int w, int h, int mode);
    ~TBeamDiagram() override;

    void Paint(plat::DC& dc, bool erase, const plat::Rect& rect) override;
    // Toggle Fill, Toggle Mode, -, Select Font, Select Widths.
    void CmPopup3000() override;
    void CmPopup3001() override;
    void CmPopup3002() override {}
    void CmPopup3003() override { SelectAxesFont(); }
    void CmPopup3004() override;
    void AttachState(const SectionState* state) override;

    // What Paint draws, labels measured by extent.
    DiagramPicture ComputePicture(const LabelExtent& extent);

    int Mode() const { return m_mode; }
    int FillFlag() const { return m_fill; }
    float FirstWidthLimit() const { return m_limit1; }
    float SecondWidthLimit() const { return m_limit2; }
    bool AwaitsStructure() const { return m_awaitingStructure != 0; }
    void SetDisplay(const DisplayContext& display) { m_display.Fix(display); }

protected:
    std::unique_ptr<SectionState> CopyOf(const SectionState& state) override;

private:
    int m_fill = 1;
    int m_mode = 1;
    float m_limit1 = 0.0003f;
    float m_limit2 = 0.001f;
    DiagramDisplay m_display;
    // The messages of the state shown were given.
    bool m_reported = false;
};

// Where TRichBeam puts the section: its centre line, the row of the section's origin and the
// scale in pixels per metre.
struct SectionPlacement {
    bool noData = false;
    double centreX = 0.0;
    double originY = 0.0;
    double scale = 0.0;
};

class TRichBeam : public TStateDiagram {
public:
    TRichBeam(plat::Window* parent, const std::string& title, int x, int y, int w, int h);
    ~TRichBeam() override;

    void Paint(plat::DC& dc, bool erase, const plat::Rect& rect) override;
    // Toggle Fill; the others do nothing.
    void CmPopup3000() override;
    void CmPopup3001() override {}
    void CmPopup3002() override {}
    void CmPopup3003() override {}
    void CmPopup3004() override {}

    SectionPlacement ComputePlacement() const;

    int FillFlag() const { return m_fill; }
    bool AwaitsStructure() const { return m_awaitingStructure != 0; }

protected:
    std::unique_ptr<SectionState> CopyOf(const SectionState& state) override;

private:
    int m_fill = 1;
};

// The two crack-width class limits typed as "first , second" in section-length display units
// (factor: display units per metre): commas read as blanks; a missing number leaves its limit
// unchanged. A width that is no finite number is refused: the result is the message naming it
// and both limits stay; empty when the answer was taken.
std::string ParseCrackWidthLimits(const std::string& text, double factor, float& first, float& second);
