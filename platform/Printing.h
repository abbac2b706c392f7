#pragma once
// Printing: the printer with its set-up data, printouts that draw pages through an ordinary
// device context, printer contexts, and preview pages.
//
// A printout is printed by Printer::Print: the print dialog (through the one gateway), then
// BeginPrinting, then PrintPage for every page of the chosen range that HasPage admits, then
// EndPrinting. A preview page runs the same calls for one page into a recording made at the
// printer's resolution and shows it scaled to its window.
//
// A PDF file is always a printer: when the system has no printer, a printer made here writes a
// PDF file, and its print dialog asks for the file's name (through the gateway's file dialog).
// Tests switch on a PDF printer that writes a fixed file without asking (UseTestPdfPrinter).

#include <memory>
#include <string>

#include "platform/DC.h"
#include "platform/Window.h"

namespace plat {

// The set-up data of a printer: the page range of a job and the orientation.
struct PrintSetup {
    int minPage = 1;
    int maxPage = 1;
    int fromPage = 1;
    int toPage = 1;
    bool landscape = true;
};

class Printout;

class Printer {
public:
    // A printer for the default device, landscape.
    Printer();
    ~Printer();
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    // A printer exists to print on: the system's default printer, else a PDF file printer.
    static bool IsAvailable();
    // Whether the system has a printer (asked once).
    static bool HasSystemPrinter();
    // For tests only: printers made from now on are a PDF printer writing to the file; an
    // empty path switches it off.
    static void UseTestPdfPrinter(const std::string& pdfPath);
    // For tests only: what HasSystemPrinter answers from now on (1 a printer, 0 none); -1 asks
    // the system again.
    static void AssumeSystemPrinter(int present);

    // True when this printer writes a PDF file whose name its print dialog asks for.
    bool IsPdfFilePrinter() const;
    // The PDF file of a PDF file printer (empty until one was chosen).
    std::string GetPdfFileName() const;

    PrintSetup& Setup();
    // The page's capabilities: printable size in pixels and millimetres, pixels per inch.
    DeviceCaps Caps() const;
    // Runs a print job (with the print dialog first when prompt); false when the dialog was
    // cancelled, no printer exists or the job failed.
    bool Print(Printout& printout, bool prompt);
    // The set-up dialog (orientation, paper); true on OK.
    bool SetupDialog();
    // The number of pages the last job printed.
    int PagesPrinted() const;

    struct Impl;
    Impl& impl() const { return *m_impl; }

private:
    std::unique_ptr<Impl> m_impl;
};

// A context on a printer's page. Made from a printer outside a job it only measures and answers
// capabilities; the contexts a printout draws on during a job or a preview are made by the
// layer.
class PrintDC : public DC {
public:
    explicit PrintDC(const Printer& printer);
};

class Printout {
public:
    explicit Printout(std::string title);
    virtual ~Printout();
    Printout(const Printout&) = delete;
    Printout& operator=(const Printout&) = delete;

    // The pages the print dialog offers (all 0: no page range).
    virtual void GetDialogInfo(int& minPage, int& maxPage, int& selFrom, int& selTo);
    virtual void BeginPrinting() {}
    virtual void EndPrinting() {}
    virtual bool HasPage(int page);
    // Draws the page on GetDC(); rect is the page in device pixels.
    virtual void PrintPage(int page, Rect& rect, unsigned flags);

    const std::string& GetTitle() const { return m_title; }
    // The context of the page being printed (null outside printing) and the page size in its
    // device pixels.
    DC* GetDC() const { return m_dc; }
    Size GetPageSize() const { return m_pageSize; }
    // Set by the printer and by preview pages before they call the operations above.
    void SetPrintParams(DC* dc, Size pageSize);

private:
    std::string m_title;
    DC* m_dc = nullptr;
    Size m_pageSize;
};

// A page of a print preview: shows one page of the printout (0: an empty page), recorded at the
// printer's resolution and drawn scaled to the window on white paper.
class PreviewPage : public Window {
public:
    PreviewPage(Printout& printout, Printer& printer, int page);
    ~PreviewPage() override;
    void SetPageNumber(int page);
    int GetPageNumber() const { return m_page; }
    void Paint(DC& dc, bool erase, const Rect& rect) override;

private:
    struct Recording;
    Printout& m_printout;
    Printer& m_printer;
    int m_page;
    std::unique_ptr<Recording> m_recording;
};

} // namespace plat
