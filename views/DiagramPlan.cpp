#include "views/DiagramPlan.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "charts/RichText.h"
#include "platform/DC.h"

PlanMeasure MeasureOn(plat::DC& dc)
{
    return [&dc](std::string_view text, const plat::LogFont& font) {
        return MeasureRichText(dc, text, font);
    };
}

PlanLetters LettersOn(plat::DC& dc, bool aboveTop)
{
    // A label is often asked for again at the same size (the searches try each size afresh).
    auto known = std::make_shared<std::map<std::tuple<std::string, int, int, bool, std::string>, LetterRows>>();
    return [&dc, known, aboveTop](std::string_view text, const plat::LogFont& font) -> LetterRows {
        const auto key = std::make_tuple(std::string(text), font.height, font.weight, font.italic, font.face);
        if (const auto it = known->find(key); it != known->end())
            return it->second;
        const plat::Size size = MeasureRichText(dc, text, font);
        LetterRows rows{0, size.cy};
        // A label no chart draws so large is taken whole rather than drawn to be read.
        if (size.cx > 0 && size.cy > 0 && size.cx <= 4000 && size.cy <= 1000) {
            plat::Image paper(size.cx + 8, size.cy + 8);
            plat::DC pen(paper);
            const plat::Size drawn =
                DrawRichText(pen, 4, 4, text, font, plat::TextAlign::Left, plat::TextAlign::Top);
            const auto [first, end] = paper.RowsNotOf(plat::Colors::White);
            if (end > first && drawn.cy > 0) {
                // Rows of the paper to rows of the extent on dc (the same but for a printer's
                // mapping).
                const double k = static_cast<double>(size.cy) / drawn.cy;
                const int highest = aboveTop ? static_cast<int>(std::floor(-4 * k)) : 0;
                const int top = std::clamp(static_cast<int>(std::floor((first - 4) * k)), highest, size.cy - 1);
                rows = {top, std::clamp(static_cast<int>(std::ceil((end - 4) * k)), top + 1, size.cy)};
            }
        }
        if (known->size() < 256)
            known->emplace(key, rows);
        return rows;
    };
}

plat::Rect RectOf(plat::Point a, plat::Point b)
{
    return plat::Rect{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

void DiagramPlan::Pen(const plat::Pen& pen)
{
    PlanStep s;
    s.op = PlanOp::Pen;
    s.pen = pen;
    m_steps.push_back(std::move(s));
}

void DiagramPlan::Brush(plat::Color colour)
{
    PlanStep s;
    s.op = PlanOp::Brush;
    s.colour = colour;
    m_steps.push_back(std::move(s));
}

void DiagramPlan::Line(plat::Point a, plat::Point b)
{
    PlanStep s;
    s.op = PlanOp::Line;
    s.points = {a, b};
    m_steps.push_back(std::move(s));
}

void DiagramPlan::Polyline(std::vector<plat::Point> points)
{
    PlanStep s;
    s.op = PlanOp::Polyline;
    s.points = std::move(points);
    m_steps.push_back(std::move(s));
}

void DiagramPlan::Arc(const plat::Rect& box)
{
    PlanStep s;
    s.op = PlanOp::Arc;
    s.rect = box;
    m_steps.push_back(std::move(s));
}

void DiagramPlan::Pie(const plat::Rect& box)
{
    PlanStep s;
    s.op = PlanOp::Pie;
    s.rect = box;
    m_steps.push_back(std::move(s));
}

void DiagramPlan::Fill(const plat::Rect& r, plat::Color colour)
{
    PlanStep s;
    s.op = PlanOp::Fill;
    s.rect = r;
    s.colour = colour;
    m_steps.push_back(std::move(s));
}

void DiagramPlan::Text(const std::string& text, plat::Point at, const plat::LogFont& font,
                       unsigned hAlign, unsigned vAlign)
{
    PlanStep s;
    s.op = PlanOp::Text;
    s.points = {at};
    s.text = text;
    s.font = font;
    s.hAlign = hAlign;
    s.vAlign = vAlign;
    m_steps.push_back(std::move(s));
}

void DiagramPlan::Clip(const plat::Rect& r)
{
    PlanStep s;
    s.op = PlanOp::Clip;
    s.rect = r;
    m_steps.push_back(std::move(s));
}

void DiagramPlan::Unclip()
{
    PlanStep s;
    s.op = PlanOp::Unclip;
    m_steps.push_back(std::move(s));
}

std::vector<PlanStep> DiagramPlan::Of(PlanOp op) const
{
    std::vector<PlanStep> out;
    for (const PlanStep& s : m_steps)
        if (s.op == op)
            out.push_back(s);
    return out;
}

std::vector<std::string> DiagramPlan::Texts() const
{
    std::vector<std::string> out;
    for (const PlanStep& s : m_steps)
        if (s.op == PlanOp::Text)
            out.push_back(s.text);
    return out;
}

const PlanStep* DiagramPlan::FindText(const std::string& text) const
{
    for (const PlanStep& s : m_steps)
        if (s.op == PlanOp::Text && s.text == text)
            return &s;
    return nullptr;
}

void DiagramPlan::Replay(plat::DC& dc, bool blackAndWhite) const
{
    // A full ellipse is an arc or pie whose two radial points coincide.
    const auto start = [](const plat::Rect& r) { return plat::Point{r.right, (r.top + r.bottom) / 2}; };
    for (const PlanStep& s : m_steps) {
        switch (s.op) {
        case PlanOp::Pen:
            dc.SelectPen(s.pen);
            break;
        case PlanOp::Brush:
            dc.SelectBrush(plat::Brush{false, s.colour});
            break;
        case PlanOp::Line:
            dc.MoveTo(s.points[0]);
            dc.LineTo(s.points[1]);
            break;
        case PlanOp::Polyline:
            if (s.points.size() >= 2)
                dc.Polyline(s.points);
            break;
        case PlanOp::Arc:
            dc.Arc(s.rect, start(s.rect), start(s.rect));
            break;
        case PlanOp::Pie:
            dc.Pie(s.rect, start(s.rect), start(s.rect));
            break;
        case PlanOp::Fill:
            dc.FillRect(s.rect, s.colour);
            break;
        case PlanOp::Text:
            DrawRichText(dc, s.points[0].x, s.points[0].y, s.text, s.font, s.hAlign, s.vAlign,
                         blackAndWhite);
            break;
        case PlanOp::Clip:
            dc.SaveDC();
            dc.IntersectClipRect(s.rect);
            break;
        case PlanOp::Unclip:
            dc.RestoreDC(-1);
            break;
        }
    }
}

std::vector<double> ReadDiagramRecord(const std::vector<double>& data, int pairs,
                                      bool skipLeadingSeparator)
{
    std::size_t at = 0;
    if (skipLeadingSeparator && data.size() >= 2 && data[0] > 1e30)
        at = 2;
    std::vector<double> record(static_cast<std::size_t>(std::max(pairs, 0)) * 2, -1.0);
    for (std::size_t i = 0; i < record.size() && at + i < data.size(); ++i)
        record[i] = data[at + i];
    return record;
}
