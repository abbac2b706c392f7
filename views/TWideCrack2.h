#pragma once
// The member crack-pattern view (graph ids 4000 to 4003): the whole member of a full-member
// (pushover) analysis in elevation at its marked load level, drawn through a row of up to 50
// cross-sections along its length, optionally on its displaced shape magnified by a scale
// factor (0 for 4000 and 4002, 25 for 4001 and 4003): the outline, the concrete region
// boundaries, bars and stirrups (undisplaced only), supports, point loads and the crack
// pattern (TDrawCrack), or the cracked state and crack direction at a grid of points.
//
// The view keeps its own copies of everything it draws: the member definition, the member
// states and the zone sections' geometry, never pointers into the analysis. The states are
// recomputed only when the load level has moved by more than 1 % (plus 0.01).

#include <array>
#include <functional>
#include <string>
#include <memory>
#include <vector>

#include "charts/Tchart.h"
#include "member/TMemberDefinition.h"
#include "views/DiagramPicture.h"
#include "views/TDrawCrack.h"

struct MemberStateRecord;
class TFullMemberResponse;

// A distributed live load of the member: the stretch it covers and its intensity per unit
// load factor (N/m, downward positive).
struct DistributedLoad {
    double from = 0.0;
    double to = 0.0;
    double w = 0.0;
};

// A boxed load label: its box in pixels and its text (the box holds the text centred).
struct LoadLabel {
    plat::Rect box;
    std::string text;
};

// What the view draws, in its pixels, in drawing order.
struct ElevationPicture {
    bool noData = false;
    // Background and title.
    DiagramPicture front;
    // Filled quadrilaterals: the member between neighbouring sections (light grey).
    std::vector<std::array<plat::Point, 4>> panels;
    // Outline edges, section lines, region boundaries, bars, stirrups and supports.
    DiagramPicture lines;
    // Roller circles of the supports.
    std::vector<plat::Rect> rollers;
    // Filled loading plates on top of the member.
    std::vector<std::array<plat::Point, 4>> plates;
    // Boxed labels of the distributed loads, above the member.
    std::vector<LoadLabel> loadLabels;
    CrackPicture cracks;
    // The magnification note.
    DiagramPicture notes;
};

class TWideCrack2 : public Tchart {
public:
    static constexpr int kMaxSections = 50;

    TWideCrack2(plat::Window* parent, const std::string& title, int x, int y, int w, int h, int graphId);
    ~TWideCrack2() override;

    void Paint(plat::DC& dc, bool erase, const plat::Rect& rect) override;
    // Zoom in, zoom out, show cracking and angles, title font, crack-width font, scale factor.
    void CmPopup3000() override;
    void CmPopup3001() override;
    void CmPopup3002() override;
    void CmPopup3003() override { SelectTitleFont(); }
    void CmPopup3004() override { SelectAxesFont(); }
    void CmPopup3007() override;
    // The full-member analysis to draw (null, or another kind of analysis: "No Data").
    void AttachAnalysis(const TSectionalAnalysis* analysis) override;
    // Redraws only.
    void AutoScale() override;
    void EvLButtonDblClk(unsigned flags, plat::Point p) override;
    void EvLButtonDown(unsigned flags, plat::Point p) override;
    void EvLButtonUp(unsigned flags, plat::Point p) override;
    void EvMouseMove(unsigned flags, plat::Point p) override;

    // The member states at the analysis's marked load level (see the class comment).
    void ComputeSections(const TFullMemberResponse* member);
    // What Paint draws in a W x H box, labels measured by extent.
    ElevationPicture ComputePicture(const LabelExtent& extent, int W, int H);

    // Sections along a member of length L with the deepest section hmax: one per tenth of
    // hmax, 2 to 50.
    static int SectionCount(double L, double hmax);
    // Whether a new load level asks for new states.
    static bool LoadMoved(double last, double now);
    // The distributed live loads of a member definition: stretches between two points of its
    // live shear diagram at different positions whose shears differ by at least 1 % of the
    // larger plus 1 N; neighbouring stretches of one intensity (within 1 %) make one load.
    static std::vector<DistributedLoad> DistributedLoads(const TMemberDefinition& d);
    // Labels "value unit" for the loads, each centred over its stretch and its bottom `lift`
    // pixels above the highest point of the top line there (topY gives the pixel y of the top
    // line at a member x, pixelX the pixel x); kept between left and right, and lifted one
    // row at a time (not above top) until clear of the labels placed before it.
    static std::vector<LoadLabel> PlaceLoadLabels(const std::vector<DistributedLoad>& loads,
                                                  const std::function<int(double)>& pixelX,
                                                  const std::function<int(double)>& topY,
                                                  const std::function<plat::Size(const std::string&)>& extent,
                                                  int left,
                                                  int right,
                                                  int top,
                                                  int lift);

    int SectionCountNow() const { return m_count; }
    bool HasStates() const { return m_filled; }
    double ZoomFactor() const { return m_zoom; }
    int PanX() const { return m_panX; }
    int PanY() const { return m_panY; }
    double ScaleFactor() const { return m_factor; }
    double LoadLevel() const { return m_load; }
    int Recomputations() const { return m_recomputed; }
    bool ShowsAngles() const { return m_angles != 0; }
    double LargestHeight() const { return m_hmax; }
    const MemberStateRecord& Record(int k) const;
    const TMemberDefinition& Definition() const { return m_definition; }

private:
    // The geometry of a zone's section that the view draws.
    struct ZoneSection {
        double height = 0.0;
        double bottom = 0.0;
        std::vector<double> boundaries; // region tops that show as lines
        struct Bar {
            double z, db, drape;
        };
        std::vector<Bar> bars;
        struct Stirrup {
            double bottom, top, db, space;
        };
        std::vector<Stirrup> stirrups;
    };
    // The displaced bottom and top points of the section line at X; false when no pair of
    // sections holds X.
    bool SectionLine(double X, double& bx, double& by, double& tx, double& ty) const;
    void Redraw();
    // Sets every record's displaced corners from the kept displacements at the scale factor
    // and takes them into the coordinate extremes.
    void ApplyScaleFactor();
    // Forgets the coordinate extremes (the picture is fitted anew).
    void ResetExtents();

    TMemberDefinition m_definition;
    int m_angles = 0;
    double m_zoom = 1.0;
    int m_panX = 0;
    int m_panY = 0;
    int m_lastX = 0;
    int m_lastY = 0;
    int m_dragging = 0;
    double m_hmax = -0.0001;
    double m_yRange = -3.1415626e31;
    double m_xRange = -3.1415626e31;
    double m_largestY = 0.0;
    double m_leastX = 0.0;
    double m_leastY = 3.1415626e31;
    double m_largestX = -3.1415626e31;
    double m_factor = 0.0;
    double m_load = 0.0;
    int m_count = 0;
    bool m_filled = false;
    int m_recomputed = 0;
    int m_reportedAt = -1;
    std::unique_ptr<std::array<MemberStateRecord, kMaxSections>> m_records;
    // Displacements of each record's corners at unit magnification: bottom x, bottom y, top
    // x, top y.
    std::array<std::array<double, 4>, kMaxSections> m_displacements{};
    std::vector<ZoneSection> m_zones;
    std::vector<std::string> m_messages;
};
