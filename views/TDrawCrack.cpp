#include "views/TDrawCrack.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "foundation/DecimalPoint.h"
#include "foundation/SmallSolvers.h"
#include "foundation/Units.h"
#include "member/TFullMemberResponse.h"

namespace {

constexpr int kCells = 20;

// Generation of crack position j mod n, by level (row) and j mod n (column).
constexpr int kGenerations[5][16] = {
    {1},
    {1, 2},
    {1, 3, 2, 3},
    {1, 4, 3, 4, 2, 4, 3, 4},
    {1, 5, 4, 5, 3, 5, 4, 5, 2, 5, 4, 5, 3, 5, 4, 5},
};

double Angle(const MemberStateRecord& r, int i) { return r.depths[static_cast<std::size_t>(i)][0]; }
double Width(const MemberStateRecord& r, int i) { return r.depths[static_cast<std::size_t>(i)][1]; }
double Spacing(const MemberStateRecord& r, int i) { return r.depths[static_cast<std::size_t>(i)][2]; }

} // namespace

double FaceSign(const MemberStateRecord& record) { return -record.moment; }

TDrawCrack::TDrawCrack(CrackPicture& out, int graphId) : m_out(out)
{
    m_labels = (graphId == 4000 || graphId == 4001) ? 1 : 0;
}

void TDrawCrack::SetScale(double xOrigin, double yOrigin, double xScale, double yScale, double largest,
                          double least, double L, double hmax)
{
    m_xOrigin = xOrigin;
    m_yOrigin = yOrigin;
    m_xScale = xScale;
    m_yScale = yScale;
    m_hmax = hmax;
    if (!(least >= 0.0001)) {
        m_out.messages.push_back("The least crack spacing is below 0.0001 m; 0.1 m is used.");
        least = 0.1;
    }
    const int r = static_cast<int>(largest / (least + 0.0001));
    m_level = r < 2 ? 0 : r < 4 ? 1 : r < 8 ? 2 : r < 16 ? 3 : 4;
    m_period = 1 << m_level;
    m_pitch = 0.9 * least;
    m_span = 2.0 * m_period * least;
    m_offset = (L - static_cast<int>(L / m_pitch) * m_pitch) / 2.0;
}

void TDrawCrack::ResetCracks()
{
    m_continuingCount = 0;
    m_newCount = 0;
}

void TDrawCrack::ClearContinuing() { m_continuingCount = 0; }

void TDrawCrack::SetupLabelRows(double hmax, plat::Size sample)
{
    m_labelWidth = sample.cx / m_xScale;
    m_halfLabel = sample.cy / 2;
    const double pitch = 1.5 * sample.cy / m_yScale + 5.0 / m_yScale;
    m_rows = std::clamp(static_cast<int>(hmax / pitch + 0.5), 1, kMaxLabelRows);
    for (int i = 0; i < m_rows; ++i) {
        m_rowHeight[static_cast<std::size_t>(i)] = hmax / m_rows * (i + 0.5);
        m_rowWidth[static_cast<std::size_t>(i)] = -1.0;
    }
}

void TDrawCrack::SetLabelDirection(double direction, double x)
{
    m_direction = direction;
    m_rowLast.fill(x);
}

void TDrawCrack::SetFrame(const std::array<double, 8>& corners) { m_frame = corners; }

void TDrawCrack::SetStrip(double x0, double y0, double width, double height)
{
    m_stripX = x0;
    m_stripY = y0;
    m_stripW = width;
    m_stripH = height;
}

void TDrawCrack::Map(double x, double y, double& px, double& py) const
{
    if (m_frame[0] != kUndefinedFrame) {
        double u = 2.0 * (x - m_stripX) / m_stripW - 1.0;
        if (!m_extend)
            u = std::clamp(u, -1.0, 1.0);
        const double v = std::clamp(2.0 * (y - m_stripY) / m_stripH - 1.0, -1.0, 1.0);
        const double w[4] = {(1 - u) * (1 - v) / 4, (1 + u) * (1 - v) / 4, (1 + u) * (1 + v) / 4,
                             (1 - u) * (1 + v) / 4};
        double mx = 0.0;
        double my = 0.0;
        for (std::size_t c = 0; c < 4; ++c) {
            mx += w[c] * m_frame[2 * c];
            my += w[c] * m_frame[2 * c + 1];
        }
        x = mx;
        y = my;
    }
    px = m_xOrigin + m_xScale * x;
    py = m_yOrigin - m_yScale * y;
}

void TDrawCrack::MoveTo(double x, double y)
{
    m_lastX = x;
    m_lastY = y;
}

void TDrawCrack::LineTo(double x, double y, bool web)
{
    CrackPicture::Segment s{};
    Map(m_lastX, m_lastY, s.x1, s.y1);
    Map(x, y, s.x2, s.y2);
    s.web = web;
    m_out.segments.push_back(s);
    if (m_labels != 0) {
        for (int i = 0; i < m_rows; ++i) {
            const std::size_t k = static_cast<std::size_t>(i);
            const double row = m_rowHeight[k];
            double xi = 0.0;
            double yi = 0.0;
            if (!IntersectSegments(xi, yi, m_lastX, m_lastY, x, y, 0.0, row, 1000000.0, row))
                continue;
            if (m_rowWidth[k] <= 1e-6 || (xi - m_rowLast[k]) * m_direction <= 1.4 * m_labelWidth)
                continue;
            char text[64];
            DecimalSnprintf(text, sizeof text, g_UnitSystem == 0 ? "%4.2f" : "%4.3f",
                          m_rowWidth[k] * UnitFactor(ukSectionLength));
            CrackPicture::Label label{};
            Map(xi, yi, label.x, label.y);
            label.y += m_halfLabel;
            label.text = text;
            label.rightAligned = m_direction > 0;
            label.row = i;
            m_out.labels.push_back(label);
            m_rowLast[k] = xi;
        }
    }
    m_lastX = x;
    m_lastY = y;
}

int TDrawCrack::Generation(int j) const
{
    const int column = ((j % m_period) + m_period) % m_period;
    return kGenerations[m_level][column];
}

bool TDrawCrack::IsVisible(int j, double spacing, double width) const
{
    if (width < 0.0)
        return false;
    if (j == kWebIndex)
        return true;
    switch (Generation(j)) {
    case 1:
        return true;
    case 2:
        return spacing < m_span / 2;
    case 3:
        return spacing < m_span / 4;
    case 4:
        return spacing < m_span / 8;
    default:
        return spacing < m_span / 16;
    }
}

int TDrawCrack::Classify(const MemberStateRecord& r)
{
    const auto cracked = [&r](int i) { return Width(r, i) > 0.0; };
    int flags = 0;
    if (cracked(0))
        flags |= 1;
    if (cracked(kCells))
        flags |= 2;
    int i = 0;
    while (i <= kCells && cracked(i))
        ++i;
    while (i <= kCells && !cracked(i))
        ++i;
    if (i <= kCells) {
        while (i <= kCells && cracked(i))
            ++i;
        if (i <= kCells)
            flags |= 4;
    }
    return flags;
}

void TDrawCrack::AddNew(double height, int j, int direction)
{
    if (m_newCount >= kMaxCracks)
        return;
    m_new[static_cast<std::size_t>(m_newCount++)] = Crack{height, j, direction};
}

bool TDrawCrack::NearContinuing(double height, double within) const
{
    for (int c = 0; c < m_continuingCount; ++c)
        if (std::fabs(m_continuing[static_cast<std::size_t>(c)].height - height) < within)
            return true;
    return false;
}

// A crack from (x, y) in the direction given, cell by cell, until it leaves the section or
// reaches the strip's end (where it is handed on to the next strip).
void TDrawCrack::CrackLine(double x, double y, double endX, int j, int direction, const MemberStateRecord& r)
{
    // Nothing in a strip without width (a crack at the strip's very end is still drawn).
    if (std::fabs(m_stripW) < 1e-6 || r.h <= 0.0)
        return;
    const double d = r.reserved;
    const double cell = r.h / kCells;
    int k = direction > 0 ? static_cast<int>((y - d + 0.0001) / cell)
                          : static_cast<int>(std::floor((y - d - 0.0001) / cell));
    if (k >= kCells || k < 0)
        return;
    const double lo = std::min(m_stripX, m_stripX + m_stripW);
    const double hi = std::max(m_stripX, m_stripX + m_stripW);
    const bool web = j == kWebIndex;
    MoveTo(x, y);
    double dy = direction > 0 ? d + (k + 1) * cell - y : y - (d + k * cell);
    while (k >= 0 && k < kCells) {
        const double angle = (Angle(r, k) + Angle(r, k + 1)) / 2;
        const double width = (Width(r, k) + Width(r, k + 1)) / 2;
        const double spacing = (Spacing(r, k) + Spacing(r, k + 1)) / 2;
        const double run = dy / (std::tan(angle) + 1e-5);
        const bool visible = IsVisible(j, spacing, width);
        const double nx = x + direction * run;
        if (nx >= lo - 1e-6 && nx <= hi + 1e-6) {
            x = nx;
            y += direction * dy;
            if (visible)
                LineTo(x, y, web);
            else
                MoveTo(x, y);
            k += direction;
            dy = cell;
            continue;
        }
        const bool forward = (nx - x) * (endX - x) > 0.0;
        if (!forward) {
            // Leaning back over strips already drawn: the crack runs on through the cells
            // of this state, drawn in the frame extended beyond the strip's start.
            m_extend = true;
            x = nx;
            y += direction * dy;
            if (visible)
                LineTo(x, y, web);
            else
                MoveTo(x, y);
            m_extend = false;
            k += direction;
            dy = cell;
            continue;
        }
        // Through the far end it goes on in the next strip.
        y += (endX - x) * std::tan(angle);
        x = endX;
        if (visible)
            LineTo(x, y, web);
        AddNew(y, j, direction);
        return;
    }
}

void TDrawCrack::Seed(double y, int direction, double x0, double endX, const MemberStateRecord& r, int& seeds)
{
    if (m_newCount >= kMaxCracks - 1 || seeds >= 1000)
        return;
    ++seeds;
    CrackLine(x0, y, endX, kWebIndex, direction, r);
}

int TDrawCrack::DrawStrip(double x0, double dx, const MemberStateRecord& r, int previousFlags)
{
    const double d = r.reserved;
    const double h = r.h;
    SetStrip(x0, d, dx, h);
    const double endX = x0 + dx;
    m_newCount = 0;

    // 1. Crack widths at the label rows.
    const double rowCell = (m_hmax + 0.0001) / kCells;
    for (int i = 0; i < m_rows; ++i) {
        const double t = m_rowHeight[static_cast<std::size_t>(i)] / rowCell;
        const int k = std::clamp(static_cast<int>(t), 0, kCells - 1);
        const double f = std::clamp(t - k, 0.0, 1.0);
        m_rowWidth[static_cast<std::size_t>(i)] = Width(r, k) + f * (Width(r, k + 1) - Width(r, k));
    }

    // 2. Start faces.
    const bool bottomFace = (dx > 0.0) == (FaceSign(r) >= 0.0);
    const int flags = Classify(r);

    // 3, 4. Flexural cracks at the crack positions inside the strip.
    const double xmin = std::min(x0, endX);
    const double xmax = std::max(x0, endX);
    int first = static_cast<int>((xmin - m_offset) / m_pitch + 0.001);
    if (Position(first) < xmin)
        ++first;
    const int last = static_cast<int>((xmax - m_offset) / m_pitch);
    const bool bottomCracked = Width(r, 0) > 0.0;
    const bool topCracked = Width(r, kCells) > 0.0;
    for (int n = 0; n <= last - first; ++n) {
        const int j = std::min(dx > 0.0 ? first + n : last - n, kWebIndex - 1);
        if (bottomCracked && bottomFace)
            CrackLine(Position(j), d, endX, j, 1, r);
        if (topCracked && !bottomFace)
            CrackLine(Position(j), d + h, endX, j, -1, r);
    }

    // 5. Web cracks seeded through cracked zones inside the web.
    const bool seedUpwards = FaceSign(r) >= 0.0;
    const bool fromTop = dx < 0.0 && (previousFlags & 4) != 0 && (previousFlags & 2) == 0 && (flags & 2) != 0 &&
                         (flags & 4) == 0;
    if (dx > 0.0 || fromTop) {
        const auto cracked = [&r](int i) { return Width(r, i) > 0.0; };
        int i = 0;
        while (i <= kCells && cracked(i))
            ++i;
        while (i <= kCells) {
            while (i <= kCells && !cracked(i))
                ++i;
            if (i > kCells)
                break;
            const int start = i;
            while (i <= kCells && cracked(i))
                ++i;
            const int end = i - 1;
            const double lower = d + start * h / kCells;
            const double upper = d + end * h / kCells;
            int seeds = 0;
            for (double y = 0.0; y <= upper - lower + 1e-9; y += h / 6) {
                const double at = seedUpwards ? lower + y : upper - y;
                if (!NearContinuing(at, h / 6))
                    Seed(at, seedUpwards ? 1 : -1, x0, endX, r, seeds);
            }
        }
    }

    // 6. First cracking over the full depth: six web cracks at sixths of the depth.
    if (dx > 0.0 && (flags & 3) == 3 && (previousFlags & 3) != 3) {
        for (int k = 0; k < 6; ++k) {
            const double at = d + (k + 0.5) * h / 6;
            if (!NearContinuing(at, h / 6))
                CrackLine(x0, at, endX, kWebIndex, seedUpwards ? 1 : -1, r);
        }
    }

    // 7. The cracks continued from the previous strip.
    for (int c = 0; c < m_continuingCount; ++c) {
        const Crack& k = m_continuing[static_cast<std::size_t>(c)];
        CrackLine(x0, k.height, endX, k.index, k.direction, r);
    }

    // 8. The new cracks are the next strip's continuing ones.
    m_continuing = m_new;
    m_continuingCount = m_newCount;
    m_newCount = 0;
    return flags;
}

void TDrawCrack::DrawSignChange(double x, const MemberStateRecord& r)
{
    ClearContinuing();
    SetStrip(x, r.reserved, 0.0001, r.h);
    const int j = static_cast<int>(std::lround((x - m_offset) / m_pitch));
    if (std::fabs(x - Position(j)) >= 0.0001 || r.h <= 0.0)
        return;
    const double cell = r.h / kCells;
    for (int k = 0; k < kCells; ++k) {
        const double width = (Width(r, k) + Width(r, k + 1)) / 2;
        const double spacing = (Spacing(r, k) + Spacing(r, k + 1)) / 2;
        if (!IsVisible(j, spacing, width))
            continue;
        MoveTo(x, r.reserved + k * cell);
        LineTo(x, r.reserved + (k + 1) * cell, false);
    }
}

void TDrawCrack::DrawStateMarkers(const MemberStateRecord& r)
{
    for (int i = 0; i <= kCells; ++i) {
        CrackPicture::Marker m{};
        Map(r.x, i * r.h / kCells + r.reserved, m.x, m.y);
        m.cracked = Width(r, i) > 0.0;
        const double a = Angle(r, i);
        m.tx1 = m.x - 7.0 * std::cos(a);
        m.ty1 = m.y + 7.0 * std::sin(a);
        m.tx2 = m.x + 7.0 * std::cos(a);
        m.ty2 = m.y - 7.0 * std::sin(a);
        m_out.markers.push_back(m);
    }
}
