#include "charts/TBoxItem.h"

#include <algorithm>
#include <cmath>

#include "charts/TMixinChartOwner.h"
#include "platform/Ui.h"

namespace {

constexpr const char* kChildTitle = "CHILD";

plat::LogFont ArialFont(int weight)
{
    plat::LogFont f;
    f.face = "Arial";
    f.weight = weight;
    return f;
}

plat::Cursor ToCursor(HandleCursor c)
{
    switch (c) {
    case HandleCursor::SizeNWSE: return plat::Cursor::SizeNWSE;
    case HandleCursor::SizeNESW: return plat::Cursor::SizeNESW;
    case HandleCursor::SizeNS: return plat::Cursor::SizeNS;
    case HandleCursor::SizeWE: return plat::Cursor::SizeWE;
    default: return plat::Cursor::Arrow;
    }
}

} // namespace

void TBoxItem::ShowCursor(HandleCursor c)
{
    m_cursor = c;
    if (IsCreated())
        SetCursor(ToCursor(c));
}

TBoxItem::TBoxItem(plat::Window* parent, const std::string& title, int x, int y, int w, int h)
    : m_parent(parent), m_textFont(ArialFont(400)), m_titleFont(ArialFont(700)),
      m_place{x, y, w, h}, m_windowTitle(title)
{
    // A parent of zero size leaves the fractions at 0.
    StoreFractions();
    if (title == kChildTitle) {
        m_windowTitle.clear();
        m_childPlacement = 1;
        const auto* box = dynamic_cast<TBoxItem*>(parent);
        plat::Window* grandparent = box ? box->m_parent : parent ? parent->GetParent() : nullptr;
        m_owner = dynamic_cast<TMixinChartOwner*>(grandparent);
        SetFontHeightsFrom(BoxFontHeights(2 * w, 2 * h));
    } else {
        m_owner = dynamic_cast<TMixinChartOwner*>(parent);
        SetFontHeightsFrom(BoxFontHeights(w, h));
    }
}

TBoxItem::~TBoxItem() = default;

void TBoxItem::CreateInParent() { Create(m_parent); }

void TBoxItem::SetupWindow()
{
    SetBackgroundColor(m_background);
    MoveWindow(plat::Rect{m_place.x, m_place.y, m_place.x + m_place.w, m_place.y + m_place.h});
}

plat::Size TBoxItem::ParentSize() const
{
    if (!m_parent || !m_parent->IsCreated())
        return {};
    const plat::Rect r = m_parent->GetClientRect();
    return {r.Width(), r.Height()};
}

void TBoxItem::StoreFractions()
{
    const plat::Size p = ParentSize();
    if (p.cx != 0) {
        m_fx = static_cast<double>(m_place.x) / p.cx;
        m_fw = static_cast<double>(m_place.w) / p.cx;
    }
    if (p.cy != 0) {
        m_fy = static_cast<double>(m_place.y) / p.cy;
        m_fh = static_cast<double>(m_place.h) / p.cy;
    }
}

void TBoxItem::GetRelativeRect(double& x, double& y, double& w, double& h) const
{
    x = m_fx;
    y = m_fy;
    w = m_fw;
    h = m_fh;
}

void TBoxItem::FollowParent(int redraw)
{
    const plat::Size p = ParentSize();
    if (p.cx <= 0 || p.cy <= 0)
        return;
    const double fx = m_fx, fy = m_fy, fw = m_fw, fh = m_fh;
    const auto px = [](double f, int size) { return static_cast<int>(std::lround(f * size)); };
    Reposition(px(fx, p.cx), px(fy, p.cy), px(fw, p.cx), px(fh, p.cy), redraw);
    m_fx = fx, m_fy = fy, m_fw = fw, m_fh = fh;
}

void TBoxItem::RefreshFontHeights()
{
    m_titleFont.height = static_cast<int>(m_titleHeight);
    m_textFont.height = static_cast<int>(m_textHeight);
}

void TBoxItem::SetFontHeightsFrom(const FontHeights& h)
{
    m_madeTitle = {h.title, m_place.w, m_place.h};
    m_madeText = {h.text, m_place.w, m_place.h};
    SetDrawnFontHeights(h);
}

void TBoxItem::SetDrawnFontHeights(const FontHeights& h)
{
    m_titleHeight = h.title;
    m_textHeight = h.text;
    RefreshFontHeights();
}

FontHeights TBoxItem::SizedFontHeights() const
{
    return {SizedHeight(m_madeTitle, m_place.w, m_place.h),
            SizedHeight(m_madeText, m_place.w, m_place.h)};
}

// A box is laid out for the fonts it is given: what it draws never depends on whether a
// later layout (a resize, a print, a restore) has come by since.
void TBoxItem::SetFontHeights(int title, int text)
{
    SetFontHeightsFrom({static_cast<double>(title), static_cast<double>(text)});
    Layout();
}

void TBoxItem::ScaleFonts(double titleFactor, double textFactor)
{
    m_madeTitle.height *= titleFactor;
    m_madeText.height *= textFactor;
    m_titleHeight *= titleFactor;
    m_textHeight *= textFactor;
    RefreshFontHeights();
    Layout();
}

void TBoxItem::SetStoredTitleHeight(double height)
{
    m_madeTitle = {height, m_place.w, m_place.h};
    m_titleHeight = height;
}

void TBoxItem::SetStoredTextHeight(double height)
{
    m_madeText = {height, m_place.w, m_place.h};
    m_textHeight = height;
}

void TBoxItem::SetTitleFont(const plat::LogFont& font)
{
    m_titleFont = font;
    SetStoredTitleHeight(font.height);
}

void TBoxItem::SetTextFont(const plat::LogFont& font)
{
    m_textFont = font;
    SetStoredTextHeight(font.height);
}

void TBoxItem::SetFontState(const BoxFontState& state)
{
    m_madeTitle = state.title;
    m_madeText = state.text;
    SetDrawnFontHeights(state.drawn);
}

namespace {

bool ChooseFont(plat::LogFont& font)
{
    plat::FontDialogData data;
    data.font = font;
    if (!plat::GetUi().ChooseFont(data))
        return false;
    font = data.font;
    return true;
}

} // namespace

void TBoxItem::SelectTitleFont()
{
    plat::LogFont f = m_titleFont;
    if (ChooseFont(f))
        SetTitleFont(f);
    Layout();
    if (IsCreated())
        Invalidate();
}

void TBoxItem::SelectAxesFont()
{
    plat::LogFont f = m_textFont;
    if (ChooseFont(f))
        SetTextFont(f);
    Layout();
    if (IsCreated())
        Invalidate();
}

void TBoxItem::SetBackgroundColour(plat::Color colour)
{
    m_background = colour;
    if (IsCreated())
        SetBackgroundColor(colour);
}

void TBoxItem::SetBoxText(int which, const std::string& text)
{
    constexpr std::size_t kBoxTextChars = 1023;
    m_boxText[which == 0 ? 0 : 1] = text.substr(0, kBoxTextChars);
}

int TBoxItem::SetMouseMode(double mode)
{
    if (mode == 0) {
        m_mouseMode = 0;
        UpdateScaling(-1, 1, -1, 1);
        if (IsCreated())
            Invalidate();
    } else if (mode == 2) {
        m_mouseMode = 2;
    } else if (mode == 3) {
        m_mouseMode = 0;
    } else {
        m_mouseMode = 1;
    }
    return 1;
}

void TBoxItem::AppendPopupItem(unsigned flags, int id, const std::string& text)
{
    if (flags & kPopupSeparator)
        m_popup.push_back(plat::MenuItem::Separator());
    else
        m_popup.emplace_back(text, id, (flags & kPopupGrayed) != 0);
}

void TBoxItem::RemovePopupItem(int id)
{
    std::erase_if(m_popup, [id](const plat::MenuItem& m) { return !m.IsSeparator() && m.id == id; });
}

void TBoxItem::TruncatePopup(std::size_t count)
{
    if (m_popup.size() > count)
        m_popup.resize(count);
}

void TBoxItem::ShowPopupMenu()
{
    const int id = plat::PopupMenu(m_popup, ClientToScreen({Width() / 2, Height() / 2}));
    if (id > 0)
        EvCommand(id, 0, 0);
}

void TBoxItem::CmForward3005()
{
    if (m_owner)
        m_owner->OwnerCommand3005();
}

void TBoxItem::CmForward3006()
{
    if (m_owner)
        m_owner->OwnerCommand3006();
}

void TBoxItem::CmForward3008()
{
    if (m_owner)
        m_owner->OwnerCommand3008();
}

void TBoxItem::CmForward3009()
{
    if (m_owner)
        m_owner->OwnerCommand3009();
}

bool TBoxItem::EvCommand(int id, int control, int notifyCode)
{
    switch (id) {
    case CM_VIEWDATA: CmPopup3000(); return true;
    case CM_PROPERTIES: CmPopup3001(); return true;
    case CM_POPUP3002: CmPopup3002(); return true;
    case CM_COPYCHARTDATA: CmPopup3003(); return true;
    case CM_AUTOMAXRANGE: CmPopup3004(); return true;
    case CM_TOGGLETEXT: CmPopup3007(); return true;
    case CM_FORWARD3005: CmForward3005(); return true;
    case CM_FORWARD3006: CmForward3006(); return true;
    case CM_FORWARD3008: CmForward3008(); return true;
    case CM_FORWARD3009: CmForward3009(); return true;
    case CM_COPYCHARTPICTURE: CopyChartPicture(); return true;
    default: return plat::Window::EvCommand(id, control, notifyCode);
    }
}

void TBoxItem::DrawSelectionOn(plat::DC& dc)
{
    m_selected = 1;
    const int W = Width();
    const int H = Height();
    for (int code = 0; code < kHandleMove; ++code)
        dc.FillRect(HandleRect(code, W, H), plat::Colors::Black);
    const plat::Pen old = dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 2, plat::Colors::Gray});
    dc.MoveTo(5, 5);
    dc.LineTo(W - 5, 5);
    dc.LineTo(W - 5, H - 5);
    dc.LineTo(5, H - 5);
    dc.LineTo(5, 5);
    dc.SelectPen(old);
}

void TBoxItem::DrawSelection()
{
    m_selected = 1;
    if (!IsCreated())
        return;
    plat::ClientDC dc(*this);
    DrawSelectionOn(dc);
}

void TBoxItem::InvalidateFrame()
{
    m_selected = 0;
    if (!IsCreated())
        return;
    const int W = Width();
    const int H = Height();
    InvalidateRect({0, 0, W, 10});
    InvalidateRect({0, 10, 10, H - 10});
    InvalidateRect({W - 10, 10, W, H - 10});
    InvalidateRect({0, H - 10, W, H});
}

void TBoxItem::Reposition(int x, int y, int w, int h, int redraw)
{
    // Fonts follow the box's size now, from the size they were made for: rescaled in one step,
    // never from the size before, so that a round of sizes ending where it began gives the
    // fonts it began with.
    const bool first = m_place.w <= 0;
    if (first) {
        // The first placement makes the fonts for this size, by kind; the LOGFONT heights
        // follow at the next rescale or paint.
        const FontHeights fh = FirstPlacementFonts(m_kind, m_childPlacement != 0, w, h,
                                                   {m_madeTitle.height, m_madeText.height});
        m_madeTitle = {fh.title, w, h};
        m_madeText = {fh.text, w, h};
        m_titleHeight = fh.title;
        m_textHeight = fh.text;
    }
    if (w > 0 && h > 0)
        m_place = {x, y, w, h};
    // A size that is refused leaves the box, and its fonts, as they are.
    if (!first)
        SetDrawnFontHeights(SizedFontHeights());
    if (w > 0 && h > 0) {
        MoveWindow(plat::Rect{x, y, x + w, y + h});
        if (redraw && IsCreated())
            Invalidate();
        StoreFractions();
    }
    Layout();
}

void TBoxItem::EvLButtonDblClk(unsigned, plat::Point) { CmPopup3000(); }

void TBoxItem::EvLButtonDown(unsigned, plat::Point p)
{
    if (m_kind == 7 || m_kind == 8 || m_kind == 9)
        return;
    const bool wasSelected = m_selected != 0;
    if (!wasSelected) {
        if (m_notifyOwner && m_owner)
            m_owner->SetActiveChart(this, m_kind);
        DrawSelection();
    } else if (m_kind != kBoxKindText && m_kind != kBoxKindGraphic) {
        ShowCursor(HandleCursor::Arrow);
        if (m_notifyOwner && m_owner)
            m_owner->SetActiveChart(this, 0);
        InvalidateFrame();
    }
    if (m_kind == kBoxKindText || m_kind == kBoxKindGraphic || m_childPlacement) {
        m_dragState = wasSelected ? 1 : 2;
        m_handle = HitTestHandle(p.x, p.y, Width(), Height());
        m_dragStart = p;
        m_last.x = -1;
        ShowCursor(CursorForHandle(m_handle));
        if (IsCreated())
            SetCapture();
    }
}

void TBoxItem::DrawBand(const BoxPlace& band)
{
    plat::ClientDC dc(*m_parent);
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 2, plat::Colors::LtBlue});
    dc.SelectBrush(plat::Brush{true, plat::Colors::White});
    dc.SetROP2(plat::Rop::NotXorPen);
    dc.Rectangle(plat::Rect{band.x, band.y, band.x + band.w, band.y + band.h});
}

void TBoxItem::EvMouseMove(unsigned, plat::Point p)
{
    // The pointer over a selected box shows what a drag from there would do.
    if (m_selected)
        ShowCursor(CursorForHandle(HitTestHandle(p.x, p.y, Width(), Height())));
    if (m_dragState == 0)
        return;
    if (m_dragStart.x == -1) {
        m_dragStart = p;
        return;
    }
    if (p == m_dragStart || !m_parent || !m_parent->IsCreated())
        return;
    if (m_last.x != -1)
        DrawBand(ApplyHandleDrag(m_handle, m_last.x - m_dragStart.x, m_last.y - m_dragStart.y,
                                 m_place));
    m_last = BandPoint(m_handle, m_dragStart, p, m_last);
    DrawBand(ApplyHandleDrag(m_handle, p.x - m_dragStart.x, p.y - m_dragStart.y, m_place));
    StoreFractions();
}

void TBoxItem::EvLButtonUp(unsigned, plat::Point p)
{
    if (m_dragState == 0)
        return;
    if (m_last.x == -1) {
        ShowCursor(HandleCursor::Arrow);
        if (m_dragState == 1)
            InvalidateFrame();
    } else {
        if (m_parent && m_parent->IsCreated())
            DrawBand(ApplyHandleDrag(m_handle, m_last.x - m_dragStart.x,
                                     m_last.y - m_dragStart.y, m_place));
        const BoxPlace n =
            ApplyHandleDrag(m_handle, p.x - m_dragStart.x, p.y - m_dragStart.y, m_place);
        Reposition(n.x, n.y, n.w, n.h, 0);
        StoreFractions();
        if (m_parent && m_parent->IsCreated())
            m_parent->Invalidate(true);
    }
    if (HasCapture())
        ReleaseCapture();
    m_dragStart.x = -1;
    m_last.x = -1;
    m_dragState = 0;
}

void TBoxItem::EvRButtonDown(unsigned, plat::Point p)
{
    const int id = plat::PopupMenu(m_popup, ClientToScreen(p));
    if (id > 0)
        EvCommand(id, 0, 0);
}
