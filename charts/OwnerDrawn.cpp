#include "charts/OwnerDrawn.h"

#include <algorithm>

#include "charts/DialogResources.h"
#include "charts/ListRows.h"
#include "charts/RichText.h"
#include "foundation/Units.h"
#include "model/TStructure.h"
#include "model/catalogues/TRebarList.h"

namespace {

namespace TA = plat::TextAlign;

constexpr int kRowHeight = 20;

// Background and text colours of an item.
void PrepareItem(plat::DC& dc, const plat::DrawItem& item)
{
    dc.SetBkMode(plat::BkMode::Transparent);
    const plat::Color back =
        plat::GetSysColor(item.selected ? plat::SysColor::Highlight : plat::SysColor::Window);
    dc.FillRect(item.rect, back);
    dc.SetTextColor(plat::GetSysColor(item.selected ? plat::SysColor::HighlightText
                                                    : plat::SysColor::WindowText));
}

void FocusFrame(plat::DC& dc, const plat::DrawItem& item)
{
    if (item.focused)
        dc.DrawFocusRect(item.rect);
}

plat::LogFont ComboFont()
{
    plat::LogFont f;
    f.face = "Arial";
    f.height = -13;
    f.weight = 700;
    return f;
}

plat::LogFont ListFont()
{
    plat::LogFont f;
    f.face = "Arial";
    f.height = -13;
    return f;
}

std::vector<std::string> RowsOfKind(const TStructure* structure, int kind)
{
    switch (kind) {
    case kListLineTypes: return LineTypeRows();
    case kListConcreteTypes: {
        std::vector<ConcreteRowSource> types;
        if (structure)
            for (int i = 0; i < structure->GetConcreteTypeCount(); ++i)
                if (const ConcreteTypeRec* t = structure->GetConcreteType(i))
                    types.push_back({t->name, t->fc});
        return ConcreteTypeRows(types, g_UnitSystem);
    }
    case kListReinforcement: {
        std::vector<std::string> names;
        for (const RebarEntry& e : g_RebarList.Entries())
            names.push_back(e.name);
        return names;
    }
    default: return {};
    }
}

} // namespace

ODAComboBox::ODAComboBox(plat::Window& parent, int id, const plat::Rect& place, unsigned style,
                         int textLimit)
    : plat::ComboBox(parent, id, place, style | plat::CtlStyle::OwnerDraw, textLimit)
{
    SetOwnerDraw(&ODAComboBox::DrawEntire);
}

void ODAComboBox::Attached()
{
    plat::ComboBox::Attached();
    SetFont(ComboFont());
}

void ODAComboBox::DrawEntire(plat::DC& dc, const plat::DrawItem& item)
{
    PrepareItem(dc, item);
    if (item.index >= 0)
        DrawRichText(dc, item.rect.left, item.rect.top, item.text.substr(0, 100), ComboFont(),
                     TA::Left, TA::Top);
    FocusFrame(dc, item);
}

ODAListBox::ODAListBox(plat::Dialog& parent, const TStructure* structure, int id, int kind,
                       plat::Color colour, int count)
    : plat::ListBox(parent, id), m_kind(kind), m_colour(colour),
      m_count(kind == kListLineTypes ? ::SampleWidth(count) : count),
      m_rows(RowsOfKind(structure, kind))
{
    SetOwnerDraw([this](plat::DC& dc, const plat::DrawItem& item) { DrawEntire(dc, item); });
    SetItemHeight(kRowHeight);
}

ODAListBox::ODAListBox(plat::Dialog& parent, int id, int kind, std::vector<std::string> rows)
    : plat::ListBox(parent, id), m_kind(kind), m_colour(plat::Colors::Black), m_count(0),
      m_rows(std::move(rows))
{
    SetOwnerDraw([this](plat::DC& dc, const plat::DrawItem& item) { DrawEntire(dc, item); });
    SetItemHeight(kRowHeight);
}

void ODAListBox::Attached()
{
    plat::ListBox::Attached();
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        AddString("holder");
}

void ODAListBox::DrawEntire(plat::DC& dc, const plat::DrawItem& item) const
{
    PrepareItem(dc, item);
    const plat::Rect& r = item.rect;
    const int i = item.index;
    if (i < 0 || i >= static_cast<int>(m_rows.size())) {
        // A row past the catalogue: only its background.
        FocusFrame(dc, item);
        return;
    }
    const plat::LogFont font = ListFont();
    int textLeft = r.left + 5;
    if (m_kind == kListLineTypes) {
        const int width = std::max(m_count, 1);
        dc.SelectPen(plat::Pen{VisiblePenStyle(i), 1, m_colour});
        const int middle = (r.top + r.bottom) / 2;
        for (int k = 0; k < width; ++k) {
            const int y = middle - width / 2 + k;
            dc.MoveTo(r.left, y);
            dc.LineTo(r.right / 3, y);
        }
        textLeft = r.left + r.right / 2;
    } else if (m_kind == kListConcreteTypes || m_kind == kListBeamSections) {
        const plat::Color patch =
            i == 0 ? plat::Colors::LtGray : plat::ResolveColor(plat::Color::PaletteIndex(i), dc.GetPalette());
        dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::Black});
        dc.SelectBrush(plat::Brush{false, patch});
        dc.Rectangle(plat::Rect{r.left + 2, r.top + 4, r.right / 3, r.bottom - 4});
        textLeft = r.left + r.right / 2;
    } else if (m_kind == kListReinforcement) {
        const RebarEntry* e =
            i < g_RebarList.Count() ? &g_RebarList.Entries()[static_cast<std::size_t>(i)] : nullptr;
        if (e) {
            const RebarRowTexts t = RebarRow(e->name, e->area, e->diameter, g_UnitSystem);
            const int third = r.Width() / 3;
            DrawRichText(dc, r.left, r.bottom, t.name, font, TA::Left, TA::Bottom);
            DrawRichText(dc, r.left + third, r.bottom, t.area, font, TA::Left, TA::Bottom);
            DrawRichText(dc, r.left + 2 * third, r.bottom, t.diameter, font, TA::Left, TA::Bottom);
        }
        FocusFrame(dc, item);
        return;
    }
    const std::string& text = m_rows[static_cast<std::size_t>(i)];
    const int h = MeasureRichText(dc, text, font).cy;
    DrawRichText(dc, textLeft, (r.top + r.bottom - h) / 2, text, font, TA::Left, TA::Top);
    FocusFrame(dc, item);
}

TMyList::TMyList(plat::Window* parent, const TStructure* structure, int kind, int* chosen,
                 int count, plat::Color colour)
    : plat::Dialog(parent, SelectListTemplate()),
      m_list(std::make_unique<ODAListBox>(*this, structure, IDC_TYPELIST, kind, colour, count)),
      m_chosen(chosen), m_kind(kind)
{
    SetCaption(ListTexts(kind).caption);
}

TMyList::TMyList(plat::Window* parent, int kind, int* chosen, std::vector<std::string> rows)
    : plat::Dialog(parent, SelectListTemplate()),
      m_list(std::make_unique<ODAListBox>(*this, IDC_TYPELIST, kind, std::move(rows))),
      m_chosen(chosen), m_kind(kind)
{
    SetCaption(ListTexts(kind).caption);
}

TMyList::~TMyList() = default;

void TMyList::SetupWindow()
{
    plat::Dialog::SetupWindow();
    if (m_chosen)
        m_list->SetSelIndex(*m_chosen);
    SetItemText(IDC_LISTPROMPT, ListTexts(m_kind).prompt);
}

void TMyList::CloseWindow(int result)
{
    plat::Dialog::CloseWindow(result);
    if (GetResult() == plat::DialogResult::Ok && m_chosen)
        *m_chosen = m_list->GetSelIndex();
}
