#include "app/TApxPrintout.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "app/T_2kWindow.h"
#include "foundation/StrFormat.h"

namespace {
// The window's largest height while it prints: a page may stretch it that far.
constexpr int kPrintingMaxHeight = 32000;
// The preview's margins and the gap between two pages, in pixels.
constexpr int kMargin = 15;
constexpr int kPageGap = 30;

int MulDiv(int a, int b, int c) {
    return c == 0 ? 0 : static_cast<int>(std::lround(static_cast<double>(a) * b / c));
}
} // namespace

// ---- Printout ---------------------------------------------------------------------------

TApxPrintout::TApxPrintout(plat::Printer& printer, const std::string& title, plat::Window& window, bool scale)
    : plat::Printout(title), m_window(&window), m_scale(scale), m_printer(&printer) {}

void TApxPrintout::GetDialogInfo(int& minPage, int& maxPage, int& selFrom, int& selTo) {
    minPage = maxPage = selFrom = selTo = 0;
}

bool TApxPrintout::HasPage(int page) {
    const plat::PrintSetup& setup = m_printer->Setup();
    return page >= setup.minPage && page <= setup.maxPage;
}

void TApxPrintout::BeginPage(plat::Rect& rect) {
    plat::DC& dc = *GetDC();
    int screenX = 96, screenY = 96;
    {
        plat::ClientDC screen(*m_window);
        screenX = screen.GetDeviceCaps(plat::DevCap::LogPixelsX);
        screenY = screen.GetDeviceCaps(plat::DevCap::LogPixelsY);
    }
    const int printerX = dc.GetDeviceCaps(plat::DevCap::LogPixelsX);
    const int printerY = dc.GetDeviceCaps(plat::DevCap::LogPixelsY);
    m_savedRect = m_window->GetWindowRect();
    const plat::Rect client = m_window->GetClientRect();
    const int extraX = m_savedRect.Width() - client.Width();
    const int extraY = m_savedRect.Height() - client.Height();
    rect = client;
    plat::Size page;
    if (m_scale) {
        page = GetPageSize();
        m_previousMapMode = dc.SetMapMode(m_mapMode);
        m_oldViewportExt = dc.SetViewportExt(page);
        rect.right = rect.left + MulDiv(page.cx, screenX, printerX);
        rect.bottom = rect.top + MulDiv(page.cy, screenY, printerY);
    }
    m_window->SetRedraw(false);
    if (auto* main = dynamic_cast<T_2kWindow*>(m_window))
        main->BeginPrintLayout();
    // A window of a fixed size takes the page's proportions too.
    m_window->SetSizeLimitsLifted(true);
    m_window->MoveWindow(plat::Rect{m_savedRect.left, m_savedRect.top, m_savedRect.left + rect.Width() + extraX,
                                    m_savedRect.top + rect.Height() + extraY});
    // Where the window could not take the page's size, the size it has is printed, scaled
    // to fit the page with its proportions kept: the whole window lands on the sheet.
    const plat::Rect taken = m_window->GetClientRect();
    if (taken.Width() > 0 && taken.Height() > 0 &&
        (taken.Width() != rect.Width() || taken.Height() != rect.Height())) {
        const double scale = std::max(static_cast<double>(taken.Width()) / std::max(1, rect.Width()),
                                      static_cast<double>(taken.Height()) / std::max(1, rect.Height()));
        const plat::Size fitted{static_cast<int>(std::ceil(rect.Width() * scale)),
                                static_cast<int>(std::ceil(rect.Height() * scale))};
        rect = taken;
        if (m_scale && page.cx > 0 && page.cy > 0)
            rect = plat::Rect{0, 0, fitted.cx, fitted.cy};
    }
    if (m_scale)
        m_oldWindowExt = dc.SetWindowExt(plat::Size{std::max(1, rect.Width()), std::max(1, rect.Height())});
    // A hidden window (behind the preview) hears of its new size only when shown again: the
    // panels are laid out for the page here.
    const plat::Rect laidOut = taken.IsEmpty() ? rect : taken;
    m_window->EvSize(plat::Size{laidOut.Width(), laidOut.Height()});
}

void TApxPrintout::EndPage() {
    m_window->MoveWindow(m_savedRect);
    m_window->SetSizeLimitsLifted(false);
    const plat::Rect restored = m_window->GetClientRect();
    m_window->EvSize(plat::Size{restored.Width(), restored.Height()});
    if (auto* main = dynamic_cast<T_2kWindow*>(m_window))
        main->EndPrintLayout();
    m_window->SetRedraw(true);
    if (m_scale) {
        plat::DC& dc = *GetDC();
        dc.SetWindowExt(m_oldWindowExt);
        dc.SetViewportExt(m_oldViewportExt);
        dc.SetMapMode(m_previousMapMode);
    }
}

void TApxPrintout::BeginPrinting() {
    plat::Rect r;
    BeginPage(r);
    plat::DC& dc = *GetDC();
    plat::LogFont font;
    font.face = "Arial";
    font.height = 12;
    const plat::LogFont previous = dc.SelectFont(font);
    const plat::TextMetrics tm = dc.GetTextMetrics();
    const int lineHeight = tm.height > 0 ? tm.height + tm.externalLeading : 10;
    dc.SelectFont(previous);
    // A page that holds less than half a line still counts one line.
    m_linesPerPage = std::max(1, static_cast<int>(std::lround(static_cast<double>(r.Height()) / lineHeight)));
    plat::PrintSetup& setup = m_printer->Setup();
    setup.minPage = 1;
    setup.maxPage = kPrintingMaxHeight / m_linesPerPage + 1;
    EndPage();
}

void TApxPrintout::PrintPage(int page, plat::Rect& rect, unsigned) {
    plat::Rect ignored;
    BeginPage(ignored);
    plat::DC& dc = *GetDC();
    if (m_scale)
        rect = dc.DPtoLP(rect);
    plat::PrintSetup& setup = m_printer->Setup();
    const int from = setup.fromPage, to = setup.toPage;
    setup.fromPage = setup.toPage = page;
    m_window->Paint(dc, false, rect);
    setup.fromPage = from;
    setup.toPage = to;
    if (m_scale)
        rect = dc.LPtoDP(rect);
    EndPage();
}

// ---- Preview ----------------------------------------------------------------------------

void TPreviewLayout::Paint(plat::DC& dc, bool, const plat::Rect& rect) {
    dc.FillRect(rect, plat::GetSysColor(plat::SysColor::AppWorkspace));
}

void TPreviewLayout::EvSize(plat::Size) {
    if (onLayout)
        onLayout();
    Invalidate();
}

TApxPreviewWin::TApxPreviewWin(plat::Frame& mainFrame, plat::Printer& printer, plat::Window& windowToPrint,
                               const std::string& title, std::function<void()> done)
    : plat::Frame(title, *m_layout),
      m_mainFrame(mainFrame),
      m_windowToPrint(windowToPrint),
      m_printer(printer),
      m_done(std::move(done)) {
    const plat::DeviceCaps caps = printer.Caps();
    m_printExtent = plat::Size{caps.horzRes, caps.vertRes};
    m_printout = std::make_unique<TApxPrintout>(printer, "Print Preview", windowToPrint, true);
    AddResponseTable({
        {PreviewId::PrevPage, [this] { CmPrevPage(); },
         [this](plat::CommandEnabler& ce) { ce.Enable(m_fromPage != 1); }},
        {PreviewId::NextPage, [this] { CmNextPage(); },
         [this](plat::CommandEnabler& ce) { ce.Enable(m_toPage != m_printer.Setup().maxPage); }},
        {PreviewId::OnePage, [this] { CmOnePage(); }, {}},
        {PreviewId::TwoPages, [this] { CmTwoPages(); },
         [this](plat::CommandEnabler& ce) { ce.Enable(IsPortraitExtent()); }},
        {PreviewId::Done, [this] { CmDone(); }, {}},
    });
    m_layout->onLayout = [this] { LayoutPages(); };
}

TApxPreviewWin::~TApxPreviewWin() {
    m_layout->onLayout = nullptr;
    DestroyFrame();
    m_page2.reset();
    m_page1.reset();
}

void TApxPreviewWin::SetupWindow() {
    CreateFrame();
    SetCaption(m_mainFrame.GetCaption() + " (Preview)");
    SetIconGlyph("Q");
    AddToolButton(PreviewId::PrevPage, "<");
    AddToolButton(PreviewId::NextPage, ">");
    AddToolSeparator(6);
    AddExclusiveToolButton(PreviewId::OnePage, "1", true);
    AddExclusiveToolButton(PreviewId::TwoPages, "2", false);
    AddToolSeparator(12);
    AddToolTextGadget(PreviewId::PageText, 10, "Page 1");
    AddToolSeparator(20);
    AddToolButton(24337, "Print");
    AddToolSeparator(20);
    AddToolButton(PreviewId::Done, "Done");
    // The frame has the tool bar only.
    SetMessageBarShown(false);
    SetAccelerators({{plat::VKey::Escape, plat::AccelMod::None, PreviewId::Done},
                     {'C', plat::AccelMod::Alt, PreviewId::Done}});
    m_page1 = std::make_unique<plat::PreviewPage>(*m_printout, m_printer, 1);
    m_printer.Setup().maxPage = 1;
    m_page1->Create(m_layout.get());
    LayoutPages();
    UpdateToolBar();
}

// Page 1 keeps the page's proportions inside the client with a margin of 15 pixels; page 2
// stands 30 pixels right of it with the same size. The page takes the client's height when,
// as wide as the client, it would be taller than the client (its height-to-width ratio, in
// percent, compared), else the client's width: a portrait page as well as a landscape one.
void TApxPreviewWin::LayoutPages() {
    if (!m_page1)
        return;
    const plat::Rect c = m_layout->GetClientRect();
    const int cx = std::max(1, m_printExtent.cx), cy = std::max(1, m_printExtent.cy);
    const int ratio = cy * 100 / cx;
    plat::Rect r{c.left + kMargin, c.top + kMargin, 0, 0};
    if (c.Width() * ratio / 100 > c.Height()) {
        r.bottom = c.bottom - kMargin;
        r.right = r.left + r.Height() * (cx * 95 / cy) / 100;
    } else {
        r.right = c.right - kMargin;
        r.bottom = r.top + r.Width() * (cy * 95 / cx) / 100;
    }
    m_page1->MoveWindow(r);
    if (m_page2)
        m_page2->MoveWindow(plat::Rect{r.right + kPageGap, r.top, r.right + kPageGap + r.Width(), r.bottom});
}

void TApxPreviewWin::UpdatePageText() {
    if (!m_page2 || m_fromPage == m_toPage)
        SetGadgetText(PreviewId::PageText, StrPrintf("Page %d", m_fromPage));
    else
        SetGadgetText(PreviewId::PageText, StrPrintf("Page %d - %d", m_fromPage, m_toPage));
}

void TApxPreviewWin::CmNextPage() {
    if (m_toPage >= m_printer.Setup().maxPage)
        return;
    ++m_fromPage;
    ++m_toPage;
    m_page1->SetPageNumber(m_fromPage);
    if (m_page2)
        m_page2->SetPageNumber(m_toPage);
    UpdatePageText();
}

void TApxPreviewWin::CmPrevPage() {
    if (m_printer.Setup().minPage >= m_fromPage)
        return;
    --m_fromPage;
    --m_toPage;
    m_page1->SetPageNumber(m_fromPage);
    if (m_page2)
        m_page2->SetPageNumber(m_toPage);
    UpdatePageText();
}

void TApxPreviewWin::CmOnePage() {
    SetToolButtonPressed(PreviewId::OnePage, true);
    if (m_page2) {
        m_page2.reset();
        LayoutPages();
        m_toPage = m_fromPage;
    }
    UpdatePageText();
}

void TApxPreviewWin::CmTwoPages() {
    SetToolButtonPressed(PreviewId::TwoPages, true);
    if (!m_page2) {
        m_page2 = std::make_unique<plat::PreviewPage>(*m_printout, m_printer, m_fromPage + 1);
        m_page2->Create(m_layout.get());
        LayoutPages();
    }
    const int maxPage = m_printer.Setup().maxPage;
    if (m_fromPage >= maxPage) {
        if (m_fromPage <= 1) {
            m_page2->SetPageNumber(0);  // an empty page
        } else {
            m_toPage = m_fromPage;
            --m_fromPage;
            m_page1->SetPageNumber(m_fromPage);
            m_page2->SetPageNumber(m_toPage);
        }
    } else {
        m_toPage = m_fromPage + 1;
        m_page2->SetPageNumber(m_toPage);
    }
    UpdatePageText();
}

void TApxPreviewWin::CmDone() {
    if (m_closing)
        return;
    m_closing = true;
    if (m_done)
        m_done();
}

bool TApxPreviewWin::CanClose() {
    CmDone();
    return false;
}
