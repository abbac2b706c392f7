#pragma once
// Printing and previewing the main window as it is shown: for each page the window takes the
// proportions of the printer's page, paints itself into the printer's context through its
// ordinary Paint, and is put back. TApxPreviewWin is the preview frame with its small tool
// bar, showing one page or two.

#include <functional>
#include <memory>
#include <string>

#include "platform/Frame.h"
#include "platform/Printing.h"

// The program's printer: every job and preview starts in landscape.
class TLandPrinter : public plat::Printer {
public:
    TLandPrinter() { Setup().landscape = true; }
};

class TApxPrintout : public plat::Printout {
public:
    TApxPrintout(plat::Printer& printer, const std::string& title, plat::Window& window, bool scale);

    void GetDialogInfo(int& minPage, int& maxPage, int& selFrom, int& selTo) override;
    void BeginPrinting() override;
    bool HasPage(int page) override;
    void PrintPage(int page, plat::Rect& rect, unsigned flags) override;

    // The lines of the window's font that one page holds (at least 1) by the last BeginPrinting.
    int GetLinesPerPage() const { return m_linesPerPage; }

private:
    // Gives the window the page's proportions; rect: its client area in logical units.
    void BeginPage(plat::Rect& rect);
    void EndPage();

    plat::Window* m_window;
    bool m_scale;
    plat::Printer* m_printer;
    int m_mapMode = plat::MapMode::Anisotropic;
    int m_previousMapMode = 0;
    plat::Size m_oldViewportExt;
    plat::Size m_oldWindowExt;
    plat::Rect m_savedRect;
    int m_linesPerPage = 1;
};

// Preview commands.
namespace PreviewId {
inline constexpr int PrevPage = 24500;
inline constexpr int NextPage = 24501;
inline constexpr int OnePage = 24502;
inline constexpr int TwoPages = 24503;
inline constexpr int PageText = 24504;
inline constexpr int Done = 24505;
} // namespace PreviewId

// The client of the preview: the pages are laid out on it.
class TPreviewLayout : public plat::Window {
public:
    void Paint(plat::DC& dc, bool erase, const plat::Rect& rect) override;
    void EvSize(plat::Size size) override;
    std::function<void()> onLayout;
};

// Holds the preview's client, which must exist before the frame around it.
struct TPreviewClientHolder {
    std::unique_ptr<TPreviewLayout> m_layout = std::make_unique<TPreviewLayout>();
};

class TApxPreviewWin : private TPreviewClientHolder, public plat::Frame {
public:
    // done: what closing the preview does (the print-preview command restores the main frame).
    TApxPreviewWin(plat::Frame& mainFrame, plat::Printer& printer, plat::Window& windowToPrint,
                   const std::string& title, std::function<void()> done);
    ~TApxPreviewWin() override;

    // Creates the frame (hidden) with its bar, caption and first page.
    void SetupWindow() override;
    void UpdatePageText();
    void CmNextPage();
    void CmPrevPage();
    void CmOnePage();
    void CmTwoPages();
    void CmDone();
    bool CanClose() override;

    int GetFromPage() const { return m_fromPage; }
    int GetToPage() const { return m_toPage; }
    plat::PreviewPage* GetPage1() const { return m_page1.get(); }
    plat::PreviewPage* GetPage2() const { return m_page2.get(); }
    bool IsPortraitExtent() const { return m_printExtent.cx <= m_printExtent.cy; }

private:
    void LayoutPages();

    int m_fromPage = 1;
    int m_toPage = 1;
    plat::Frame& m_mainFrame;
    plat::Window& m_windowToPrint;
    plat::Printer& m_printer;
    plat::Size m_printExtent;
    std::unique_ptr<TApxPrintout> m_printout;
    std::unique_ptr<plat::PreviewPage> m_page1;
    std::unique_ptr<plat::PreviewPage> m_page2;
    std::function<void()> m_done;
    bool m_closing = false;
};
