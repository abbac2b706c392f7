#pragma once
// The crack pattern of a member in elevation, worked out strip by strip along the member:
// crack lines that start at the cracked faces at regular crack positions, follow the local
// crack direction through the 20 depth cells of the section, continue from one strip into
// the next and thin out where the cracks are more widely spaced; inclined web cracks that
// start inside the section; crack-width labels in rows; and, on request, markers of the
// cracked state and crack direction at the 21 depths of a section.
//
// Everything is given in member coordinates (x along the member, y upwards, metres), mapped
// bilinearly onto the displaced strip (the frame) and then to pixels:
//   pixel x = x origin + x scale * x,  pixel y = y origin - y scale * y.
// The result is a CrackPicture in pixels that the member view replays onto its context.
//
//   TDrawCrack crack(picture, graphId);
//   crack.SetScale(...); crack.ResetCracks(); crack.SetupLabelRows(hmax, extentOf("0.888"));
//   crack.SetLabelDirection(1, 0);
//   per half panel: crack.SetFrame(...); [crack.DrawSignChange(x, r);] flags = crack.DrawStrip(...)

#include <array>
#include <string>
#include <vector>

#include "platform/Types.h"

struct MemberStateRecord;

// What the crack drawing produced, in pixels.
struct CrackPicture {
    struct Segment {
        double x1, y1, x2, y2;
        bool web = false; // part of a web crack
    };
    // A crack width; the point is the label's bottom corner (right corner when rightAligned).
    struct Label {
        double x, y;
        std::string text;
        bool rightAligned = true;
        int row = 0;
    };
    // A cracked (red) or uncracked (blue) square of 7 px centred on (x, y), with a 14-px tick
    // along the crack direction from (tx1, ty1) to (tx2, ty2).
    struct Marker {
        double x, y;
        bool cracked = false;
        double tx1, ty1, tx2, ty2;
    };
    std::vector<Segment> segments;
    std::vector<Label> labels;
    std::vector<Marker> markers;
    std::vector<std::string> messages;
};

// The face sign value of a member state: its sagging moment (the stored moment negated), so
// that zero or above starts cracks at the bottom face and below zero at the top face.
double FaceSign(const MemberStateRecord& record);

class TDrawCrack {
public:
    static constexpr int kMaxCracks = 100;
    static constexpr int kMaxLabelRows = 21;
    static constexpr int kWebIndex = 32762;
    static constexpr double kUndefinedFrame = 3.1415626e31;

    // Labels are written for graph ids 4000 and 4001 only.
    TDrawCrack(CrackPicture& out, int graphId);
    virtual ~TDrawCrack() = default;

    // Transform and crack positions. A least spacing below 0.0001 m is reported and 0.1 m
    // used. Level from r = int(largest / (least + 0.0001)): 0 below 2, 1 from 2, 2 from 4,
    // 3 from 8, 4 from 16; pitch p = 0.9 least; span g = 2 * 2^level * least; offset
    // o = (L - int(L / p) p) / 2 so that the positions o + j p are centred on the member.
    void SetScale(double xOrigin, double yOrigin, double xScale, double yScale, double largest, double least,
                  double L, double hmax);
    void ResetCracks();
    void ClearContinuing();
    // Label rows over hmax from the extent (pixels) of the text "0.888": as many rows as fit
    // 1.5 text heights plus 5 px apart (1 to 21), each with no crack width yet.
    void SetupLabelRows(double hmax, plat::Size sample);
    void SetLabelDirection(double direction, double x);
    // Corners of the displaced strip: bottom-left, bottom-right, top-right, top-left.
    void SetFrame(const std::array<double, 8>& corners);
    void SetStrip(double x0, double y0, double width, double height);

    // Draws the strip from x0 over dx with the state record; returns this record's cracking
    // flags for the next strip (1 bottom cracked, 2 top cracked, 4 a cracked zone in the web).
    int DrawStrip(double x0, double dx, const MemberStateRecord& record, int previousFlags);
    // Starts a new crack family at x (where the face sign changes).
    void DrawSignChange(double x, const MemberStateRecord& record);
    // Cracked-state squares and crack-direction ticks at the 21 depths of the record.
    void DrawStateMarkers(const MemberStateRecord& record);

    // ---- Computation, readable for the views and tests ----------------------------------
    static int Classify(const MemberStateRecord& record);
    // Whether crack j shows where the local spacing is s and the width w.
    bool IsVisible(int j, double spacing, double width) const;
    // The generation (1 to 5) of crack position j at the current level.
    int Generation(int j) const;
    double Position(int j) const { return m_offset + j * m_pitch; }
    // A member point through the frame and the transform, in pixels.
    void Map(double x, double y, double& px, double& py) const;

    int Level() const { return m_level; }
    int Period() const { return m_period; }
    double Pitch() const { return m_pitch; }
    double Span() const { return m_span; }
    double Offset() const { return m_offset; }
    int LabelRowCount() const { return m_rows; }
    double LabelRowHeight(int i) const { return m_rowHeight[static_cast<std::size_t>(i)]; }
    double LabelRowWidth(int i) const { return m_rowWidth[static_cast<std::size_t>(i)]; }
    double LabelWidth() const { return m_labelWidth; }
    int ContinuingCount() const { return m_continuingCount; }

private:
    struct Crack {
        double height = 0.0;
        int index = 0;     // crack position, or kWebIndex
        int direction = 1; // +1 growing upwards, -1 downwards
    };
    void MoveTo(double x, double y);
    void LineTo(double x, double y, bool web);
    void CrackLine(double x, double y, double endX, int j, int direction, const MemberStateRecord& r);
    void AddNew(double height, int j, int direction);
    bool NearContinuing(double height, double within) const;
    void Seed(double y, int direction, double x0, double endX, const MemberStateRecord& r, int& seeds);

    int m_level = 0;
    int m_period = 1;
    double m_pitch = 0.09;
    double m_span = 0.2;
    double m_offset = 0.0;
    double m_hmax = 0.0;
    std::array<Crack, kMaxCracks> m_continuing{};
    int m_continuingCount = 0;
    std::array<Crack, kMaxCracks> m_new{};
    int m_newCount = 0;
    int m_labels = 0;
    std::array<double, 8> m_frame{kUndefinedFrame, 0, 0, 0, 0, 0, 0, 0};
    double m_stripX = 0.0, m_stripY = 0.0, m_stripW = 1.0, m_stripH = 1.0;
    int m_rows = 1;
    std::array<double, kMaxLabelRows> m_rowHeight{};
    std::array<double, kMaxLabelRows> m_rowWidth{};
    std::array<double, kMaxLabelRows> m_rowLast{};
    double m_labelWidth = 0.0;
    int m_halfLabel = 0;
    double m_lastX = 0.0, m_lastY = 0.0;
    double m_direction = 1.0;
    // Set while a crack leaning back is drawn beyond its strip's start (no clamping).
    bool m_extend = false;
    double m_xOrigin = 0.0, m_yOrigin = 0.0, m_xScale = 1.0, m_yScale = 1.0;
    CrackPicture& m_out;
};
