#pragma once
// Tcontrolchart: the small chart of the control panel on which the engineer follows a running
// analysis and picks a load stage. Each data pair carries a tag, the load stage it belongs to
// (-1: never picked). A click picks the nearest point and tells the owning window which stage
// to show; three cross-hair markers, drawn with the not-XOR pen, show the selected stage and,
// in sub-mode 21, the two ends of a fine range.

#include <array>
#include <vector>

#include "charts/Tchart.h"

class Tcontrolchart : public Ticonchart {
public:
    Tcontrolchart(plat::Window* parent, const std::string& title, int x, int y, int w, int h,
                  int xPrecision, int yPrecision);

    // The feeders' way to add a point. After the data were shown a new data set starts (the
    // markers are forgotten).
    void AddTaggedPoint(double x, double y, int tag);
    void ClearData() override;
    void AutoScale() override { Tchart::AutoScale(); }
    void SetSubMode(int mode) override;
    void Paint(plat::DC& dc, bool erase, const plat::Rect& rect) override;
    void EvLButtonDown(unsigned keyFlags, plat::Point p) override;
    void EvMouseMove(unsigned keyFlags, plat::Point p) override;
    void EvLButtonUp(unsigned keyFlags, plat::Point p) override;
    bool EvCommand(int id, int control, int notifyCode) override;

    // The pair (selected tag - k); false, and nothing written, when there is no such point.
    bool GetPointBeforeSelected(double& x, double& y, int k) const;
    void GetMarkedRange(double& xLow, int& tagLow, double& xHigh, int& tagHigh);
    // Outside sub-mode 21 the fine range is forgotten first; true when both of its ends are set.
    bool HasMarkers();
    // Moves marker which (0 selected stage, 1 and 2 the fine range) to (x, y).
    void DrawMarker(double x, double y, int which);
    // The same on a context, or without drawing for none.
    void DrawMarkerOn(plat::DC* dc, double x, double y, int which);

    void CmLowerFineRange();
    void CmUpperFineRange();
    void CmClearFineRange();

    int SelectedTag() const { return m_selectedTag; }
    // The stage the chart shows as chosen.
    void SetSelectedTag(int tag) { m_selectedTag = tag; }
    // Markers 1 and 2 to the undefined point, without drawing.
    void ForgetFineRange();
    const std::vector<int>& Tags() const { return m_tags; }
    struct Marker {
        double x = kUnset;
        double y = kUnset;
    };
    const Marker& GetMarker(int which) const { return m_markers.at(static_cast<std::size_t>(which)); }

    static constexpr double kUnset = 3.14e31;
    static constexpr int kFineRangeMode = 21;
    static constexpr int kStructureMode = 500;

private:
    void ClearMarkers();
    void DrawCrossHair(plat::DC& dc, int which);
    // Works out the data-to-pixel transform from the axis range when the chart has none yet.
    void EnsureTransform(plat::DC& dc);
    // The height of the title band: the title's text height in the title font plus 2.
    int TitleBand(plat::DC& dc) const;

    std::vector<int> m_tags;
    int m_selectedTag = 0;
    std::array<Marker, 3> m_markers{};
    double m_selectedX = 0.0;
    double m_selectedY = 0.0;
    plat::Point m_lastMouse{0, 0};
    int m_dragging = 0;
    int m_markerMargin = 0;
};
