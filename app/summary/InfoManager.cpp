#include "app/summary/InfoManager.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "app/summary/SummaryLayout.h"
#include "charts/RichText.h"
#include "charts/Tchart.h"
#include "foundation/DecimalPoint.h"
#include "foundation/Units.h"
#include "model/ReinfPatterns.h"
#include "model/StructureRecords.h"
#include "model/TStructure.h"
#include "platform/Window.h"

std::unique_ptr<TInfo_Base> g_InfoManager;

namespace {

template <typename... Args>
std::string Format(const char* format, Args... args)
{
    char buffer[512];
    DecimalSnprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}

double Area(double a) { return a * UnitFactor(ukArea); }
const char* AreaLabel() { return UnitLabel(ukArea); }

} // namespace

// ---- The label table ----------------------------------------------------------------------

TInfo_Base::TInfo_Base(plat::Window* owner) : m_owner(owner), m_items(std::make_unique<std::array<Item, kMaxItems>>())
{
    if (owner != nullptr) {
        const plat::Rect r = owner->GetClientRect();
        SetSize(r.Width(), r.Height());
    } else {
        SetSize(100, 100);
    }
}

TInfo_Base::~TInfo_Base() = default;

void TInfo_Base::ClearItems()
{
    m_items->fill(Item{});
    m_count = 0;
}

plat::LogFont TInfo_Base::LabelFont() const
{
    plat::LogFont f;
    f.face = "Arial";
    f.weight = 400;
    f.height = std::max(m_fontBase / 35, kLeastTextCellHeight);
    return f;
}

void TInfo_Base::SetInset()
{
    m_inset = std::max(8, PixelTrunc(m_scale * m_largest / 20.0));
}

void TInfo_Base::SetSize(int width, int height)
{
    m_width = width;
    m_height = height;
    if (m_rescale == 0)
        m_fontBase = height;
    m_margin = width / 100;
    const SectionFit fit =
        FitSectionToRect(m_structure, PixelTrunc(0.85 * width), height, PixelTrunc(m_margin));
    m_centreX = fit.x0;
    m_originY = fit.y0;
    m_scale = fit.s;
    m_largest = fit.widest;
    const double pictureWidth = m_scale * m_largest;
    m_left = PixelTrunc(m_centreX + pictureWidth / 2 + std::max(20.0, pictureWidth / 10));
    m_top = PixelTrunc(2 * m_margin);
    m_right = PixelTrunc(0.85 * width - 2 * m_margin);
    m_bottom = PixelTrunc(0.66 * height - m_margin);
    m_baseX = m_left;
    SetInset();
}

void TInfo_Base::SetTextColumn(int top, int bottom)
{
    m_top = top;
    m_bottom = bottom;
    Layout();
}

void TInfo_Base::SetFontHeight(int h) { m_fontBase = h != 0 ? h : m_height; }

int TInfo_Base::DrawAt(plat::DC& dc, const TStructure* structure, int margin, double centreX, double originY,
                       double scale, double largest, int left, int top, int right, int bottom)
{
    m_structure = structure;
    m_margin = margin;
    m_centreX = centreX;
    m_originY = originY;
    m_scale = scale;
    m_largest = largest;
    m_left = m_baseX = left;
    m_top = top;
    m_right = right;
    m_bottom = bottom;
    SetInset();
    m_direct = 1;
    const int result = Collect(&dc, structure);
    m_direct = 0;
    return result;
}

void TInfo_Base::Draw(plat::DC* dc, const TStructure* structure, int)
{
    m_structure = structure;
    // A printed page keeps the placement it was given; the panel re-derives it.
    if (m_direct == 0)
        SetSize(m_width, m_height);
    if (dc != nullptr) {
        Collect(dc, structure);
        return;
    }
    // Labels are measured on a private context with the screen's fonts.
    plat::Image image(1, 1);
    plat::DC measure(image);
    Collect(&measure, structure);
}

void TInfo_Base::Clear()
{
    m_structure = nullptr;
    ClearItems();
}

int TInfo_Base::Collect(plat::DC*, const TStructure*)
{
    ClearItems();
    return Layout();
}

std::string TInfo_Base::InRows(const std::string& text, unsigned breaks)
{
    std::string out;
    std::size_t from = 0;
    for (unsigned k = 0;; ++k) {
        const std::size_t next = text.find('\n', from);
        out += text.substr(from, next == std::string::npos ? std::string::npos : next - from);
        if (next == std::string::npos)
            return out;
        if ((breaks >> k & 1u) != 0)
            out += '\n';
        else if (!out.empty() && out.back() != ' ' && out.back() != '\n')
            out += ", ";
        from = next + 1;
    }
}

std::string TInfo_Base::Item::Drawn() const
{
    return form == 0 || form >= forms.size() ? text : InRows(text, forms[form].breaks);
}

namespace {

// A label of more rows than this is written in its own rows or in one, nothing between.
constexpr int kMostRowsRegrouped = 6;

} // namespace

int TInfo_Base::AddItem(plat::DC& dc, const std::string& text, int x1, int y1, int x2, int y2, int kind, int index)
{
    int lines = 0;
    const plat::Size extent = MeasureRichTextLines(dc, text, LabelFont(), lines);
    if (m_count >= kMaxItems)
        return 0;
    Item& it = (*m_items)[static_cast<std::size_t>(m_count)];
    it = Item{};
    it.order = m_count++;
    const int centre = (y1 + y2) / 2;
    it.top = centre - extent.cy / 2;
    it.bottom = centre + extent.cy / 2;
    it.x1 = x1;
    it.y1 = y1;
    it.x2 = x2;
    it.y2 = y2;
    it.lines = lines;
    it.width = extent.cx;
    it.height = extent.cy;
    it.kind = kind;
    it.index = index;
    it.text = text;
    // The label in its own rows, then in fewer, for a column too short for its rows.
    const int breaks = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    const unsigned all = breaks > 0 && breaks < 32 ? (1u << breaks) - 1 : 0;
    it.forms.push_back({all, lines, extent.cx, extent.cy});
    if (breaks > 0) {
        const unsigned last = breaks < kMostRowsRegrouped ? all : 1;
        for (unsigned b = 0; b < last; ++b) {
            const unsigned kept = breaks < kMostRowsRegrouped ? b : 0;
            int rows = 0;
            const plat::Size size = MeasureRichTextLines(dc, InRows(text, kept), LabelFont(), rows);
            it.forms.push_back({kept, rows, size.cx, size.cy});
        }
    }
    std::stable_sort(m_items->begin(), m_items->begin() + m_count,
                     [](const Item& a, const Item& b) { return a.top + a.bottom < b.top + b.bottom; });
    return 1;
}

namespace {

void Move(TInfo_Base::Item& it, int by)
{
    it.top += by;
    it.bottom += by;
}

// A label centred on the middle of its anchors.
void AtAnchors(TInfo_Base::Item& it)
{
    const int centre = (it.y1 + it.y2) / 2;
    it.top = centre - it.height / 2;
    it.bottom = centre + it.height / 2;
}

} // namespace

bool TInfo_Base::ShowAll()
{
    bool changed = false;
    for (int i = 0; i < m_count; ++i) {
        Item& it = (*m_items)[static_cast<std::size_t>(i)];
        if (it.shown && it.form == 0)
            continue;
        changed = true;
        it.shown = true;
        SetForm(it, 0);
        AtAnchors(it);
    }
    return changed;
}

void TInfo_Base::SetForm(Item& it, std::size_t form)
{
    if (form >= it.forms.size())
        return;
    it.form = form;
    it.lines = it.forms[form].lines;
    it.width = it.forms[form].width;
    it.height = it.forms[form].height;
}

std::vector<TInfo_Base::Item*> TInfo_Base::Spread(bool fromAnchors)
{
    std::vector<Item*> shown;
    for (int i = 0; i < m_count; ++i) {
        Item& it = (*m_items)[static_cast<std::size_t>(i)];
        if (!it.shown)
            continue;
        if (fromAnchors)
            AtAnchors(it);
        shown.push_back(&it);
    }
    const int n = static_cast<int>(shown.size());
    const auto at = [&shown](int i) -> Item& { return *shown[static_cast<std::size_t>(i)]; };
    for (int i = 0; i + 1 < n; ++i) {
        const int gap = at(i + 1).top - at(i).bottom - kLabelGap;
        if (gap >= 2)
            continue;
        Move(at(i + 1), -gap);
        int g = i;
        while (g > 0 && at(g).top - at(g - 1).bottom <= kLabelGap)
            --g;
        const int room = g == 0 ? at(0).top - m_top : at(g).top - at(g - 1).bottom - kLabelGap;
        int sum = 0;
        for (int k = g; k <= i + 1; ++k)
            sum += (at(k).top + at(k).bottom) / 2 - (at(k).y1 + at(k).y2) / 2;
        const int shift = std::min(sum / (i - g + 2), room);
        for (int k = g; k <= i + 1; ++k)
            Move(at(k), -shift);
    }
    return shown;
}

void TInfo_Base::PushIntoColumn(const std::vector<Item*>& shown)
{
    int limit = m_top;
    for (Item* it : shown) {
        if (it->top < limit)
            Move(*it, limit - it->top);
        limit = it->bottom + kLabelGap;
    }
    limit = m_bottom;
    for (auto it = shown.rbegin(); it != shown.rend(); ++it) {
        Item& label = **it;
        if (label.top + label.height > limit)
            Move(label, limit - label.top - label.height);
        limit = label.top - kLabelGap;
    }
}

bool TInfo_Base::Fits() const
{
    for (int i = 0; i < m_count; ++i) {
        const Item& it = GetItem(i);
        if (it.shown && (it.top < m_top || it.top + it.height > m_bottom ||
                         m_baseX + 2 + it.width > m_right))
            return false;
    }
    return true;
}

void TInfo_Base::FitColumn()
{
    std::array<Item, kMaxItems>& items = *m_items;
    const auto place = [this] { PushIntoColumn(Spread(true)); };
    // Labels spread past the column's ends are brought back into it where there is room.
    PushIntoColumn(Spread(false));
    if (Fits())
        return;
    // A label too wide for the column however its rows go is left out.
    const int room = m_right - m_baseX - 2;
    for (int i = 0; i < m_count; ++i) {
        Item& it = items[static_cast<std::size_t>(i)];
        bool narrow = false;
        for (const Form& f : it.forms)
            narrow = narrow || f.width <= room;
        if (!narrow)
            it.shown = false;
    }
    // Fewer rows: a row fewer at a time, to the label of the most rows (the lower of equals),
    // in the form of fewer rows that fits the column's width: of the most rows, the lowest of
    // those (the narrowest of equals).
    for (place(); !Fits(); place()) {
        Item* most = nullptr;
        std::size_t fewer = 0;
        for (int i = 0; i < m_count; ++i) {
            Item& it = items[static_cast<std::size_t>(i)];
            if (!it.shown || (most != nullptr && it.lines < most->lines))
                continue;
            std::size_t best = 0;
            for (std::size_t f = 1; f < it.forms.size(); ++f) {
                const Form& form = it.forms[f];
                if (form.lines >= it.lines || form.width > room)
                    continue;
                const Form* chosen = best == 0 ? nullptr : &it.forms[best];
                if (chosen == nullptr || form.lines > chosen->lines ||
                    (form.lines == chosen->lines &&
                     (form.height < chosen->height ||
                      (form.height == chosen->height && form.width < chosen->width))))
                    best = f;
            }
            if (best != 0) {
                most = &it;
                fewer = best;
            }
        }
        if (most == nullptr)
            break;
        SetForm(*most, fewer);
    }
    // Fewer labels: the last added left out first, until the rest fit.
    while (!Fits()) {
        Item* last = nullptr;
        for (int i = 0; i < m_count; ++i) {
            Item& it = items[static_cast<std::size_t>(i)];
            if (it.shown && (last == nullptr || it.order > last->order))
                last = &it;
        }
        if (last == nullptr)
            break;
        last->shown = false;
        place();
    }
}

int TInfo_Base::Layout()
{
    std::array<Item, kMaxItems>& items = *m_items;
    const auto at = [&items](int i) -> Item& { return items[static_cast<std::size_t>(i)]; };
    // 1. Every label in its own rows, each at least kLabelGap below the one above; a crowded
    //    group is pulled back up towards its anchors as far as the room above it allows.
    ShowAll();
    Spread(false);
    // 2. Height and width the labels need.
    int total =
        m_count > 0
            ? PixelTrunc(std::fabs(static_cast<double>(at(0).top - at(m_count - 1).bottom)) * 1.05)
            : 0;
    if (total == 0)
        total = 1;
    int widest = 1;
    for (int i = 0; i < m_count; ++i)
        if (at(i).width > widest)
            widest = PixelTrunc(at(i).width * 1.05 + m_inset);
    // 3, 4. Too little room: the font shrinks once and the labels are collected again.
    double scale = 1.0;
    if (total > m_bottom - m_top)
        scale = static_cast<double>(m_bottom - m_top) / total;
    scale = std::min(scale, static_cast<double>(m_right - m_baseX) / widest);
    // Only labels that exist are shrunk, and never to nothing (a column with no room).
    if (scale < 1.0 && m_rescale == 0 && m_count > 0 && scale > 0.0) {
        m_rescale = 1;
        m_fontBase = PixelTrunc(m_fontBase * scale);
        const int top = m_top;
        const int bottom = m_bottom;
        Draw(nullptr, m_structure, 0);
        m_rescale = 0;
        // The panel's column limits survive the re-collection, and the labels collected again
        // are fitted to them.
        if (m_top != top || m_bottom != bottom) {
            m_top = top;
            m_bottom = bottom;
            if (ShowAll() || !Fits()) {
                FitColumn();
                PlaceColumn();
            }
        }
        return m_left;
    }
    // 5. The labels stand within the column, in fewer rows or fewer of them where they must.
    m_rescale = 0;
    if (!Fits())
        FitColumn();
    return PlaceColumn();
}

int TInfo_Base::PlaceColumn()
{
    int widest = 1;
    for (int i = 0; i < m_count; ++i) {
        const Item& it = GetItem(i);
        if (it.shown && it.width > widest)
            widest = PixelTrunc(it.width * 1.05 + m_inset);
    }
    if (m_right - m_baseX > 2 * widest) {
        m_left = PixelTrunc(m_baseX + 0.2 * widest);
        return m_left;
    }
    // A column moved right before keeps its place while every label shown still ends within it.
    for (int i = 0; i < m_count; ++i) {
        const Item& it = GetItem(i);
        if (it.shown && m_left + 2 + it.width > m_right)
            m_left = m_baseX;
    }
    return 2 * widest;
}

void TInfo_Base::DrawCallouts(plat::DC& dc)
{
    const plat::LogFont font = LabelFont();
    dc.SetBkMode(plat::BkMode::Transparent);
    const plat::Pen old = dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::Black});
    for (int i = 0; i < m_count; ++i) {
        const Item& it = GetItem(i);
        if (!it.shown)
            continue;
        const int tick = std::max(PixelTrunc((m_left - it.x1) * 0.1), 2);
        const int cy = (it.y1 + it.y2) / 2;
        if (it.y1 - it.y2 < -4) {
            dc.MoveTo(it.x1, it.y1);
            dc.LineTo(it.x2, it.y2);
        } else {
            dc.MoveTo(it.x1, cy - 2);
            dc.LineTo(it.x1, cy + 2);
        }
        const int cx = (it.x1 + it.x2) / 2;
        const int middle = (it.top + it.bottom) / 2;
        dc.MoveTo(cx, cy);
        dc.LineTo(cx + tick, cy);
        dc.LineTo(m_left - tick, middle);
        dc.LineTo(m_left - 2, middle);
        if (it.lines > 1) {
            dc.MoveTo(m_left - 2, it.top + 3);
            dc.LineTo(m_left - 2, it.bottom - 3);
        }
        int lines = 0;
        DrawRichTextLines(dc, m_left + 2, it.top, it.Drawn(), font, lines, plat::TextAlign::Left,
                          plat::TextAlign::Top);
    }
    dc.SelectPen(old);
}

int TInfo_Base::HitTest(plat::Point p, int kind, int& index) const
{
    for (int i = 0; i < m_count; ++i) {
        const Item& it = GetItem(i);
        if (it.kind != kind || !it.shown)
            continue;
        const plat::Rect r{m_left + 2, it.top, m_left + it.width, it.top + it.height};
        if (r.Contains(p)) {
            index = it.index;
            return 1;
        }
    }
    return 0;
}

// ---- The labels of a beam section ------------------------------------------------------------

int TInfo_2k::Collect(plat::DC* dc, const TStructure* structure)
{
    ClearItems();
    if (structure != nullptr && dc != nullptr) {
        CollectLongitudinal(*dc, *structure);
        CollectTendons(*dc, *structure);
        CollectCircular(*dc, *structure);
        CollectDistributed(*dc, *structure);
        CollectTransverse(*dc, *structure);
    }
    return Layout();
}

namespace {

// A pattern layer whose pattern has no record is labelled as the plain layer the analysis takes.
bool Plain(const TStructure& s, const LongLayerRec& l) { return PatternRecordOf(s, l, 0) == nullptr; }
bool Ordinary(const TStructure& s, const LongLayerRec& l) { return Plain(s, l) && l.dep == 0.0; }
bool Tendon(const TStructure& s, const LongLayerRec& l) { return Plain(s, l) && l.dep != 0.0; }

// The layer's vertical extent within the section.
void LayerExtent(const TStructure& s, const LongLayerRec& l, double& lower, double& upper)
{
    lower = std::max(s.GetBottom(), l.z - l.db / 2);
    upper = std::min(s.GetTop(), l.z + l.db / 2);
}

} // namespace

TInfo_2k::LayerAnchor TInfo_2k::AnchorOf(const TStructure& s, const LongLayerRec& layer) const
{
    double lower = 0.0, upper = 0.0;
    LayerExtent(s, layer, lower, upper);
    return {PixelTrunc(m_scale * std::max(s.GetWidthAt(lower), s.GetWidthAt(upper)) / 2 +
                       m_centreX + m_inset),
            PixelTrunc(m_originY - m_scale * upper),
            PixelTrunc(m_originY - m_scale * lower)};
}

void TInfo_2k::Widen(LayerAnchor& anchor, const TStructure& s, const LongLayerRec& layer) const
{
    const LayerAnchor other = AnchorOf(s, layer);
    anchor.x = std::max(anchor.x, other.x);
    anchor.y1 = std::min(anchor.y1, other.y1);
    anchor.y2 = std::max(anchor.y2, other.y2);
}

namespace {

// Bar layers of one callout: layers of the lead's bar count and area, prestrain and slope, the
// second within a quarter of the height of the lead and each further one a whole number of
// spacings away, none more than two thirds of the height away.
struct BarLayerGroup {
    static bool OfKind(const TStructure& s, const LongLayerRec& l) { return Ordinary(s, l); }
    explicit BarLayerGroup(const LongLayerRec&) {}
    bool Take(const LongLayerRec& li, const LongLayerRec& lj, double H)
    {
        const double dz = std::fabs(lj.z - li.z);
        if (lj.num != li.num || !(std::fabs(lj.A / li.A - 1.0) < 0.01) || std::fabs(lj.dep - li.dep) >= 3e-5 ||
            std::fabs(lj.drape - li.drape) >= 0.0001 || dz >= 0.66 * H)
            return false;
        bool joins = false;
        if (layers == 1 && dz < 0.25 * H) {
            spacing = dz;
            joins = true;
        } else if (layers > 1) {
            const double ratio = spacing > 0.0 ? dz / spacing : 1.0;
            joins = std::fabs(ratio - std::round(ratio)) < 0.01;
        }
        if (joins)
            ++layers;
        return joins;
    }
    int layers = 1;
    double spacing = 0.0;
};

// Tendon layers of one callout: the lead's strand (by area or bar entry), prestrain and slope,
// all within two thirds of the height of one another.
struct TendonGroup {
    static bool OfKind(const TStructure& s, const LongLayerRec& l) { return Tendon(s, l); }
    explicit TendonGroup(const LongLayerRec& li) : count(li.num), zLow(li.z), zHigh(li.z) {}
    bool Take(const LongLayerRec& li, const LongLayerRec& lj, double H)
    {
        const bool sameStrand = (lj.Ai > 0.0 && std::fabs(li.Ai - lj.Ai) < 0.01 * lj.Ai) ||
                                (li.barIndex >= 0 && li.barIndex == lj.barIndex);
        if (!sameStrand || std::fabs(lj.dep - li.dep) >= 3e-5 || std::fabs(lj.drape - li.drape) >= 0.0001 ||
            std::fabs(lj.z - zLow) >= 0.66 * H || std::fabs(lj.z - zHigh) >= 0.66 * H)
            return false;
        count += lj.num;
        zLow = std::min(zLow, lj.z);
        zHigh = std::max(zHigh, lj.z);
        return true;
    }
    int count;
    double zLow, zHigh;
};

} // namespace

// Each layer of the group's kind, in table order, that no earlier group took leads a group of
// the later layers the group takes; emit receives the lead, its index among the layers of the
// kind, the group and its anchor. Layers without area lead no group.
template <typename Group, typename Emit>
void TInfo_2k::ForEachLayerGroup(const TStructure& s, Emit emit) const
{
    const int n = s.GetLongLayerCount(0);
    const double H = s.GetHeight();
    std::vector<char> absorbed(static_cast<std::size_t>(std::max(n, 0)), 0);
    int taking = 0;
    for (int i = 0; i < n; ++i) {
        const LongLayerRec* li = s.GetLongLayer(i, 0);
        if (li == nullptr || !Group::OfKind(s, *li))
            continue;
        const int index = taking++;
        if (absorbed[static_cast<std::size_t>(i)] != 0 || !(li->A > 0.0))
            continue;
        LayerAnchor anchor = AnchorOf(s, *li);
        Group group(*li);
        for (int j = i + 1; j < n; ++j) {
            const LongLayerRec* lj = s.GetLongLayer(j, 0);
            if (lj == nullptr || absorbed[static_cast<std::size_t>(j)] != 0 || !Group::OfKind(s, *lj) ||
                !group.Take(*li, *lj, H))
                continue;
            absorbed[static_cast<std::size_t>(j)] = 1;
            Widen(anchor, s, *lj);
        }
        emit(*li, index, group, anchor);
    }
}

void TInfo_2k::CollectLongitudinal(plat::DC& dc, const TStructure& s)
{
    int offset = 0;
    ForEachLayerGroup<BarLayerGroup>(s, [&](const LongLayerRec& li, int index, const BarLayerGroup& group,
                                            const LayerAnchor& anchor) {
        const int g = group.layers;
        const std::string prefix = g >= 2 ? Format("%d layers of \n", g) : std::string();
        std::string text;
        if (li.bartitle.empty()) {
            const char* f = g_UnitSystem == kUnitSI          ? "%sA_s = %5.0f %s"
                            : g_UnitSystem == kUnitOldMetric ? "%sA_s = %5.1f %s"
                                                             : "%sA_s = %5.3f %s";
            text = Format(f, prefix.c_str(), Area(li.A), AreaLabel());
        } else {
            text = Format("%s%d - %s", prefix.c_str(), li.num, li.bartitle.c_str());
        }
        if (li.drape != 0.0)
            text = Format("%s\nslope= %4.2f%%", text.c_str(), li.drape * 100.0);
        const int x = anchor.x + offset;
        if (g >= 2)
            offset += 2;
        AddItem(dc, text, x, anchor.y1, x, anchor.y2, CalloutKind::Longitudinal, index);
    });
}

void TInfo_2k::CollectTendons(plat::DC& dc, const TStructure& s)
{
    int offset = 0;
    ForEachLayerGroup<TendonGroup>(s, [&](const LongLayerRec& li, int index, const TendonGroup& group,
                                          const LayerAnchor& anchor) {
        std::string text;
        if (li.bartitle.empty()) {
            const char* f = g_UnitSystem == kUnitSI          ? "%d x %5.0f %s"
                            : g_UnitSystem == kUnitOldMetric ? "%d x %5.2f %s"
                                                             : "%d x %5.3f %s";
            text = Format(f, group.count, Area(li.Ai), AreaLabel());
        } else {
            text = Format("%d - %s", group.count, li.bartitle.c_str());
        }
        if (std::fabs(li.dep) > 9e-6)
            text = Format("%s\n|D|e_p = %4.2f %s", text.c_str(), li.dep * UnitFactor(ukStrain), UnitLabel(ukStrain));
        if (li.drape != 0.0)
            text = Format("%s\nslope= %4.2f%%", text.c_str(), li.drape * 100.0);
        offset += 2;
        const int x = anchor.x + offset;
        AddItem(dc, text, x, anchor.y1, x, anchor.y2, CalloutKind::Tendon, index);
    });
}

void TInfo_2k::CollectCircular(plat::DC& dc, const TStructure& s)
{
    const int slots = s.GetPatternCapacity();
    int index = 0;
    for (int p = 0; p < slots; ++p) {
        const ReinfPatternRec* r = s.GetPattern(p, 0);
        if (r == nullptr || r->inUse == 0 || r->kind != kCircularPatternKind)
            continue;
        const int n = std::max(r->layer.nround, 1);
        // The label points at the bar a tenth of the way round from the top.
        const double h = r->layer.aligned == 0 ? 0.5 : 0.0;
        const double a = (6.283185307178 / n) * ((1 * n) / 10 + h);
        const int x = PixelTrunc(std::sin(a) * m_scale * r->radius + m_centreX);
        const int y = PixelTrunc(m_originY - (std::cos(a) * r->radius + r->centre) * m_scale);
        std::string text;
        if (r->layer.bartitle.empty())
            text = Format(g_UnitSystem == kUnitSI ? "%d A_s = %5.0f %s" : "%d A_s = %5.3f %s", n, Area(r->layer.Ai),
                          AreaLabel());
        else
            text = Format("%d - %s", n, r->layer.bartitle.c_str());
        AddItem(dc, text, x, y, x, y, CalloutKind::Circular, index++);
    }
}

void TInfo_2k::CollectDistributed(plat::DC& dc, const TStructure& s)
{
    const int slots = s.GetPatternCapacity();
    int index = 0;
    for (int p = 0; p < slots; ++p) {
        const ReinfPatternRec* r = s.GetPattern(p, 0);
        if (r == nullptr || r->inUse == 0 || r->kind != kDistributedPatternKind)
            continue;
        const int perLayer = r->layer.num;
        const int L = perLayer > 0 ? r->layer.nround / perLayer : 0;
        if (perLayer <= 0 || L <= 0) {
            ++index;
            continue;
        }
        const std::string prefix = L >= 2 ? Format("%d layers of \n", L) : std::string();
        std::string text;
        if (!r->layer.bartitle.empty()) {
            text = Format("%s%d - %s", prefix.c_str(), perLayer, r->layer.bartitle.c_str());
        } else {
            const char* f = g_UnitSystem == kUnitSI   ? "%sA_s = %5.0f %s"
                            : g_UnitSystem == kUnitUS ? "%sA_s = %5.3f %s"
                                                      : "%sA_s = %5.1f %s";
            text = Format(f, prefix.c_str(), Area(r->layer.Ai), AreaLabel());
        }
        const double hb = r->layer.db / 2;
        int x = PixelTrunc(m_centreX);
        int top = m_height;
        int bottom = 0;
        for (int k = 0; k < L; ++k) {
            const double z = L < 2 ? (r->zLeast + r->zLargest) / 2 : r->zLeast + (r->zLargest - r->zLeast) * k / (L - 1);
            x = std::max(
                x,
                PixelTrunc(m_scale * std::max(s.GetWidthAt(z + hb), s.GetWidthAt(z - hb)) / 2 +
                           m_centreX + m_inset));
            top = std::min(top, PixelTrunc(m_originY - m_scale * (z + hb)));
            bottom = std::max(bottom, PixelTrunc(m_originY - m_scale * (z - hb)));
        }
        x += 2 * p;
        AddItem(dc, text, x, top, x, bottom, CalloutKind::Distributed, index++);
    }
}

void TInfo_2k::CollectTransverse(plat::DC& dc, const TStructure& s)
{
    const int n = s.GetTransLayerCount(2);
    for (int i = 0; i < n; ++i) {
        const TransLayerRec* t = s.GetTransLayer(i, 2);
        if (t == nullptr)
            continue;
        // 1. Anchor y in the largest free room between the labels already placed.
        const int spanTop = PixelTrunc(m_originY - m_scale * t->disttop);
        const int spanBottom = PixelTrunc(m_originY - m_scale * t->distbot);
        double start = (spanTop + spanBottom) / 2.0;
        double size = 0.0;
        const auto room = [&](double from, double to) {
            if (to - from > size) {
                size = to - from;
                start = from;
            }
        };
        if (m_count > 0) {
            room(spanTop, GetItem(0).y1);
            room(GetItem(m_count - 1).y2, spanBottom);
            for (int k = 0; k + 1 < m_count; ++k)
                room(std::max(GetItem(k).y2, spanTop), std::min(GetItem(k + 1).y1, spanBottom));
        }
        double y = size > 0.0 ? start + size / 2 : start;
        double depth = (m_originY - y) / m_scale;
        if (depth > t->disttop || depth < t->distbot) {
            y = (spanTop + spanBottom) / 2.0;
            depth = (t->disttop + t->distbot) / 2;
        }
        // 2. Anchor x: at the stirrup's leg.
        double w = s.GetEffectiveWidthAt(depth, -static_cast<double>(i), 0.0);
        if (t->disttop == t->distbot)
            w *= 0.8;
        int x = 0;
        if (t->legs == 1) {
            double r = 0.0;
            for (int k = 0; k < s.GetLongLayerCount(0); ++k) {
                const LongLayerRec* l = s.GetLongLayer(k, 0);
                if (l != nullptr && l->num % 2 == 1 && l->db / 2 > r)
                    r = l->db / 2 + t->db / 2;
            }
            x = PixelTrunc(m_centreX - (r - t->db / 2) * m_scale);
        } else {
            x = PixelTrunc((w / 2 + t->db) * m_scale + m_centreX);
        }
        // 3. Text.
        const std::string prefix = t->pattern == 5 ? "T-Headed\n" : "";
        const double area = t->Ai * UnitFactor(ukArea);
        const double spacing = t->space * UnitFactor(ukSectionLength);
        std::string text;
        if (t->bartitle.empty())
            text = Format(g_UnitSystem == kUnitSI ? "%sA_v = %4.0f %s per leg \n@ %4.0f %s"
                                                  : "%sA_v = %4.3f %s per leg \n@ %5.2f %s",
                          prefix.c_str(), area, AreaLabel(), spacing, UnitLabel(ukSectionLength));
        else
            text = Format(g_UnitSystem == kUnitSI ? "%s%s @ %4.0f %s" : "%s%s @ %4.2f %s", prefix.c_str(),
                          t->bartitle.c_str(), spacing, UnitLabel(ukSectionLength));
        if (t->dep > 0.0)
            text = Format("%s\n|D|e_p = %4.1f %s", text.c_str(), t->dep * UnitFactor(ukStrain), UnitLabel(ukStrain));
        const int yi = PixelTrunc(y);
        AddItem(dc, text, x, yi, x, yi, CalloutKind::Transverse, i);
    }
}

// ---- The manager of the main window ---------------------------------------------------------

int CreateInfoManager(plat::Window* owner)
{
    if (!g_InfoManager)
        g_InfoManager = std::make_unique<TInfo_2k>(owner);
    return g_InfoManager ? 1 : 0;
}

int ResizeInfoManager(int width, int height)
{
    if (g_InfoManager)
        g_InfoManager->SetSize(width, height);
    return 1;
}

int RedrawInfoManager(plat::DC* dc, const TStructure* structure, int flag)
{
    if (g_InfoManager)
        g_InfoManager->Draw(dc, structure, flag);
    return 1;
}

int UpdateInfoManager(const TStructure* structure)
{
    if (g_InfoManager)
        g_InfoManager->Draw(nullptr, structure, 0);
    return 1;
}

int LetGoOfInfoManager()
{
    if (g_InfoManager)
        g_InfoManager->Clear();
    return 1;
}

int ReleaseInfoManager()
{
    g_InfoManager.reset();
    return 1;
}
