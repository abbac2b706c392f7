#pragma once
// The sectional forces of one solved state, drawn beside a vertical depth axis:
//
//  - TForceDiagram (kind 13): the two resultants as horizontal arrows at their heights, each
//    with its lever arm to the reference axis, and the shear V with the longitudinal tension
//    N_v it causes; mode 1 "Internal Forces" (C and T), mode 0 "Concrete & Steel Forces"
//    (N_c and N_s).
//  - TNPlusM (kind 14): the axial force N as a horizontal arrow on the reference axis and the
//    moment M as a curved arrow about it.
//
// Both are handed the section and then the state through AttachStructure, in that order
// (AttachState delivers a state; a second AttachStructure in a row stands for "no state", as
// when the view manager detaches every chart). They keep a copy of the state's record and
// the section values they draw, never the state itself. Forces in N, heights in m above the
// reference axis (the section's datum, or the bottom steel height c when it has none).

#include <memory>

#include "foundation/Sentinel.h"
#include "views/DiagramPicture.h"
#include "views/DiagramState.h"
#include "views/StateDiagram.h"

struct SectionState;
struct ForceFrame;

// The section values both diagrams draw with (SI).
struct ForceSection {
    double height = 0.0;      // section height H
    double bottom = 0.0;      // the bottom's coordinate relative to the datum (negative)
    double datum = kUndefined; // datum height above the bottom; above 1e30: none set
    double c = 0.0;            // bottom steel height above the bottom
    double area = 0.0;         // transformed area of the bottom face (m^2)
    bool HasDatum() const { return datum <= 1e30; }
};

// What the two diagrams share: the protocol, the section values, the display and the paint.
// AutoScale re-arms the protocol and redraws; it scales nothing.
class TForceChart : public TStateDiagram {
public:
    using TStateDiagram::TStateDiagram;

    void Paint(plat::DC& dc, bool erase, const plat::Rect& rect) override;
    void CmPopup3001() override {}
    void CmPopup3002() override {}
    void CmPopup3003() override { SelectAxesFont(); }
    void CmPopup3004() override { ToggleMaxRange(); }

    // What Paint draws, labels measured by extent: the title, then the diagram's own drawing;
    // "no data" without a valid state or a section of positive height.
    DiagramPicture ComputePicture(const LabelExtent& extent);

    bool ExpectsSection() const { return m_awaitingStructure != 0; }
    void SetDisplay(const DisplayContext& display) { m_display.Fix(display); }

protected:
    void StructureAttached() override;
    std::unique_ptr<SectionState> CopyOf(const SectionState& state) override;
    // Draws the diagram below the title into picture within the frame f.
    virtual void Draw(DiagramPicture& picture, const ForceFrame& f, const LabelExtent& extent) = 0;

    ForceSection m_sectionValues;
    DiagramDisplay m_display;
};

class TForceDiagram : public TForceChart {
public:
    TForceDiagram(plat::Window* parent, const std::string& title, int x, int y, int w, int h);
    ~TForceDiagram() override;

    // Change Mode.
    void CmPopup3000() override;
    int Mode() const { return m_mode; }
    double RunningMaximum() const { return m_runningMax; }

protected:
    void Draw(DiagramPicture& picture, const ForceFrame& f, const LabelExtent& extent) override;

private:
    double m_runningMax = 0.0;
    int m_mode = 1;
};

class TNPlusM : public TForceChart {
public:
    TNPlusM(plat::Window* parent, const std::string& title, int x, int y, int w, int h);
    ~TNPlusM() override;

    void CmPopup3000() override {}

    double RunningMaxAxial() const { return m_runningMaxN; }
    double RunningMaxMoment() const { return m_runningMaxM; }

protected:
    void Draw(DiagramPicture& picture, const ForceFrame& f, const LabelExtent& extent) override;

private:
    double m_runningMaxN = 0.0;
    double m_runningMaxM = 0.0;
};

// Pixels per newton of the N+M diagram's axial arrow: room (pixels) spans 0.1 MPa over the
// area, or the largest force nmax when that is more; without a positive area the largest force
// spans the room (1.0 when there is no force either).
double NPlusMAxialScale(double room, double area, double nmax);

// The section values of a beam (zeros and no datum for any other structure or none).
ForceSection ForceSectionOf(const TStructure* section);
