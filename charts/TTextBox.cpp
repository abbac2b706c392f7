#include "charts/TTextBox.h"

#include <algorithm>

#include "charts/DialogResources.h"
#include "charts/RichText.h"
#include "charts/TMixinChartOwner.h"
#include "charts/Tdataview.h"
#include "charts/TextBoxRules.h"
#include "foundation/ReportText.h"
#include "platform/Ui.h"

namespace {
constexpr int kKindTextBox = 4;
constexpr int kKindGraphicBox = 5;
constexpr int kPopupEdit = 3000;
constexpr int kPopupFont = 3001;

// Asks for a percentage until the answer is a number or the prompt is cancelled.
bool AskPercentFactor(const char* caption, double& factor) {
    std::string text = "100";
    return plat::InputUntilTaken(caption, "Enter the percentage scale factor:", text,
                                 [&factor](const std::string& t) { return ReadPercentFactor(t, factor); });
}
} // namespace

// ---- TTextBox -------------------------------------------------------------------------------

TTextBox::TTextBox(plat::Window* parent, const std::string& title, int x, int y, int w, int h)
    : TBoxItem(parent, title, x, y, w, h) {
    m_kind = kKindTextBox;
    SetFontHeights(TextBoxFontHeight(w, h), static_cast<int>(TextHeight()));
    AppendPopupItem(0, kPopupEdit, "Edit Text");
    AppendPopupItem(kPopupSeparator, 0, "");
    AppendPopupItem(0, kPopupFont, "Select Font");
}

TTextBox::~TTextBox() = default;

void TTextBox::SetText(const std::string& text) {
    m_text = TextBoxText(text);
    AutoSize();
}

plat::LogFont TTextBox::LetterFont() const {
    plat::LogFont font = TitleFont();
    if (m_letterHeight != 0.0)
        font.height = static_cast<int>(m_letterHeight);
    return font;
}

plat::Size TTextBox::SizeAt(double titleHeight, int margin) const {
    plat::LogFont font = TitleFont();
    font.height = static_cast<int>(titleHeight);
    return SizeIn(font, margin);
}

plat::Size TTextBox::SizeIn(const plat::LogFont& font, int margin) const {
    int lines = 0;
    plat::Size size;
    if (IsCreated()) {
        // Measuring draws nothing in the window.
        plat::ClientDC dc(const_cast<TTextBox&>(*this));
        size = MeasureRichTextLines(dc, m_text, font, lines);
    } else {
        plat::Image scratch(1, 1);
        plat::DC dc(scratch);
        size = MeasureRichTextLines(dc, m_text, font, lines);
    }
    // A box without text keeps the least size, without the margin.
    const int both = size.cx > 0 && size.cy > 0 ? 2 * margin : 0;
    return {std::max(size.cx + both, 1), std::max(size.cy + both, 1)};
}

void TTextBox::AutoSize() {
    const plat::Size size = SizeIn(LetterFont(), m_margin);
    const BoxPlace before = Place();
    // The page's rescaling of fonts does not apply: the text keeps its font.
    const double title = TitleHeight(), text = TextHeight();
    TBoxItem::Reposition(before.x, before.y, size.cx, size.cy, 0);
    SetFontHeights(static_cast<int>(title), static_cast<int>(text));
    if (m_parent && m_parent->IsCreated())
        m_parent->InvalidateRect(plat::Rect{before.x, before.y, before.x + before.w, before.y + before.h}, true);
}

void TTextBox::SetLeftOut(bool leftOut) {
    if (leftOut == m_leftOut)
        return;
    m_leftOut = leftOut;
    if (IsCreated())
        Show(!leftOut);
}

void TTextBox::Reposition(int x, int y, int w, int h, int redraw) {
    const double title = TitleHeight(), text = TextHeight();
    TBoxItem::Reposition(x, y, w, h, redraw);
    SetFontHeights(static_cast<int>(title), static_cast<int>(text));
    AutoSize();
}

void TTextBox::EvLButtonUp(unsigned flags, plat::Point p) {
    const BoxPlace before = Place();
    TBoxItem::EvLButtonUp(flags, p);
    if (!(Place() == before))
        m_movedByUser = true;
}

// The text goes through the report text into "View Data" over this box; "Close" hands the
// edits back through it, Cancel leaves it as it was.
void TTextBox::CmEditText() {
    g_ReportText = std::make_unique<std::string>(m_text);
    {
        Tdataview view(this, DialogId::DataView);
        (void)view.Execute();
    }
    const std::string edited = g_ReportText ? *g_ReportText : m_text;
    ClearReportText();
    SetText(edited);
    if (IsCreated())
        Invalidate();
}

void TTextBox::CmSelectFont() {
    plat::FontDialogData data;
    data.font = TitleFont();
    if (plat::FontDialog(data))
        SetTitleFont(data.font);
    SetText(m_text);
}

void TTextBox::Paint(plat::DC& dc, bool, const plat::Rect&) {
    if (m_leftOut)
        return;
    dc.SetBkMode(plat::BkMode::Transparent);
    int lines = 0;
    DrawRichTextLines(dc, m_margin, m_margin, m_text, LetterFont(), lines, plat::TextAlign::Left,
                      plat::TextAlign::Top,
                      BlackAndWhite() != 0);
    if (IsSelected() && !BlackAndWhite())
        DrawSelectionOn(dc);
}

// ---- TGraphicBox ----------------------------------------------------------------------------

TGraphicBox::TGraphicBox(plat::Window* parent, const std::string& title, int x, int y, int w, int h)
    : TBoxItem(parent, title, x, y, w, h) {
    m_kind = kKindGraphicBox;
    AppendPopupItem(0, CM_COPYCHARTPICTURE, "Copy Picture");
    AppendPopupItem(0, 3000, "Toggle Fill");
    AppendPopupItem(kPopupSeparator, 0, "");
    AppendPopupItem(0, 3001, "Scale All");
    AppendPopupItem(0, 3003, "Toggle Mode");
    AppendPopupItem(0, 3004, "Scale Text");
}

TGraphicBox::~TGraphicBox() = default;

void TGraphicBox::CmToggleFill() {
    m_fill = m_fill ? 0 : 1;
    if (IsCreated())
        Invalidate();
}

void TGraphicBox::CmToggleMode() {
    m_mode = m_mode ? 0 : 1;
    if (IsCreated())
        Invalidate();
}

void TGraphicBox::CmScaleAll() {
    double factor = 1.0;
    if (!AskPercentFactor("Scale Graphic", factor))
        return;
    const BoxPlace p = Place();
    const double f = ScaleAllFactor(factor, p.w, p.h);
    const double title = TitleHeight(), textHeight = TextHeight();
    TBoxItem::Reposition(p.x, p.y, static_cast<int>(p.w * f), static_cast<int>(p.h * f), 0);
    SetFontHeights(static_cast<int>(title), static_cast<int>(textHeight));
    if (m_parent && m_parent->IsCreated())
        m_parent->Invalidate();
}

void TGraphicBox::CmScaleText() {
    double factor = 1.0;
    if (!AskPercentFactor("Scale Text", factor))
        return;
    m_textScale = ScaledTextScale(m_textScale, factor);
    if (IsCreated())
        Invalidate();
}

void TGraphicBox::Paint(plat::DC& dc, bool, const plat::Rect&) {
    dc.SetBkMode(plat::BkMode::Transparent);
    if (TMixinChartOwner* owner = Owner())
        owner->DrawStructurePicture(dc, m_mode, Width(), Height(), m_fill, m_textScale);
    if (IsSelected() && !BlackAndWhite())
        DrawSelectionOn(dc);
}
