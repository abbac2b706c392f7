#include "platform/Printing.h"

#include <QPainter>
#include <QPicture>
#include <QPrinterInfo>

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>
#include <utility>

#include "foundation/Reporter.h"
#include "platform/Ui.h"
#include "platform/qt/PainterDevice.h"
#include "platform/qt/PrinterHost.h"
#include "platform/qt/QtConvert.h"

namespace plat {

namespace {
std::string g_testPdf;
std::optional<bool> g_systemPrinter;

// A printout never runs away: at most this many pages in one job.
constexpr int kMaxPages = 10000;
} // namespace

// ---- Printer -----------------------------------------------------------------------------

void Printer::Impl::Apply() {
    printer.setPageOrientation(setup.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void Printer::Impl::Read() {
    setup.landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
    if (printer.printRange() == QPrinter::PageRange) {
        setup.fromPage = printer.fromPage();
        setup.toPage = printer.toPage();
    }
}

Printer::Printer() : m_impl(std::make_unique<Impl>()) {
    if (!g_testPdf.empty()) {
        m_impl->printer.setOutputFormat(QPrinter::PdfFormat);
        m_impl->printer.setOutputFileName(ToQ(g_testPdf));
        m_impl->printer.setPageSize(QPageSize(QPageSize::A4));
    } else if (!HasSystemPrinter()) {
        m_impl->pdfFile = true;
        m_impl->printer.setOutputFormat(QPrinter::PdfFormat);
    }
    m_impl->Apply();
}

Printer::~Printer() = default;

bool Printer::IsAvailable() {
    // Without a system printer (or the test printer) a printer writes a PDF file, which any
    // machine can.
    return true;
}

bool Printer::HasSystemPrinter() {
    if (!g_systemPrinter)
        g_systemPrinter = !QPrinterInfo::defaultPrinter().isNull() || !QPrinterInfo::availablePrinterNames().isEmpty();
    return *g_systemPrinter;
}

void Printer::UseTestPdfPrinter(const std::string& pdfPath) { g_testPdf = pdfPath; }

void Printer::AssumeSystemPrinter(int present) {
    if (present < 0)
        g_systemPrinter.reset();
    else
        g_systemPrinter = present != 0;
}

bool Printer::IsPdfFilePrinter() const { return m_impl->pdfFile; }

std::string Printer::GetPdfFileName() const { return m_impl->pdfFileName; }

namespace {
// The print dialog of a PDF file printer: the file to write, through the gateway's file
// dialog. False when cancelled.
bool ChoosePdfFile(Printer::Impl& p) {
    FileDialogData data;
    data.filter = "PDF Files (*.pdf)|*.pdf|All Files (*.*)|*.*|";
    data.defaultExt = "pdf";
    data.fileName = p.pdfFileName;
    data.mustExist = false;
    data.overwritePrompt = true;
    if (!FileDialog(FileDialogKind::Save, data) || data.fileName.empty())
        return false;
    p.pdfFileName = data.fileName;
    p.printer.setOutputFileName(ToQ(p.pdfFileName));
    return true;
}
} // namespace

PrintSetup& Printer::Setup() { return m_impl->setup; }

DeviceCaps Printer::Caps() const {
    m_impl->Apply();
    const QPrinter& p = m_impl->printer;
    const int res = std::max(1, p.resolution());
    const QRect px = p.pageLayout().paintRectPixels(res);
    const QRectF mm = p.pageLayout().paintRect(QPageLayout::Millimeter);
    return DeviceCaps{static_cast<int>(std::lround(mm.width())), static_cast<int>(std::lround(mm.height())),
                      px.width(), px.height(), res, res};
}

bool Printer::Print(Printout& printout, bool prompt) {
    m_impl->pagesPrinted = 0;
    if (!IsAvailable())
        return false;
    int minPage = 0, maxPage = 0, selFrom = 0, selTo = 0;
    printout.GetDialogInfo(minPage, maxPage, selFrom, selTo);
    m_impl->printer.setPrintRange(QPrinter::AllPages);
    if (minPage > 0 && maxPage >= minPage)
        m_impl->printer.setFromTo(0, 0);
    if (prompt) {
        ModalScope modal;
        if (m_impl->pdfFile ? !ChoosePdfFile(*m_impl) : !GetUi().PrintDialog(*this))
            return false;
    } else if (m_impl->pdfFile && m_impl->pdfFileName.empty()) {
        // A PDF file printer that was never told its file has nowhere to write.
        return false;
    }
    m_impl->Apply();
    m_impl->printer.setDocName(ToQ(printout.GetTitle()));
    const DeviceCaps caps = Caps();
    QPainter painter;
    if (!painter.begin(&m_impl->printer)) {
        MessageBox("The printer could not be started; nothing was printed.", printout.GetTitle(),
                   MsgStyle::Ok | MsgStyle::IconStop);
        return false;
    }
    {
        PainterDevice device(painter, caps, false);
        DC dc(device);
        printout.SetPrintParams(&dc, Size{caps.horzRes, caps.vertRes});
        printout.BeginPrinting();
        const bool range = m_impl->printer.printRange() == QPrinter::PageRange;
        const int first = range ? std::max(1, m_impl->setup.fromPage) : 1;
        const int last = range ? m_impl->setup.toPage : INT_MAX;
        for (int page = first; page <= last && m_impl->pagesPrinted < kMaxPages && printout.HasPage(page); ++page) {
            if (m_impl->pagesPrinted > 0)
                m_impl->printer.newPage();
            Rect rect{0, 0, caps.horzRes, caps.vertRes};
            PaintScope painting;
            printout.PrintPage(page, rect, 0);
            ++m_impl->pagesPrinted;
        }
        printout.EndPrinting();
        printout.SetPrintParams(nullptr, Size{});
    }
    return painter.end();
}

bool Printer::SetupDialog() {
    if (!IsAvailable())
        return false;
    ModalScope modal;
    return GetUi().PrintSetupDialog(*this);
}

int Printer::PagesPrinted() const { return m_impl->pagesPrinted; }

PrintDC::PrintDC(const Printer& printer) : DC(std::make_unique<CapsDevice>(printer.Caps())) {}

// ---- Printout ----------------------------------------------------------------------------

Printout::Printout(std::string title) : m_title(std::move(title)) {}
Printout::~Printout() = default;

void Printout::GetDialogInfo(int& minPage, int& maxPage, int& selFrom, int& selTo) {
    minPage = maxPage = selFrom = selTo = 0;
}

bool Printout::HasPage(int page) { return page == 1; }
void Printout::PrintPage(int, Rect&, unsigned) {}

void Printout::SetPrintParams(DC* dc, Size pageSize) {
    m_dc = dc;
    m_pageSize = pageSize;
}

// ---- Preview pages -----------------------------------------------------------------------

struct PreviewPage::Recording {
    QPicture picture;
    Size page;
};

PreviewPage::PreviewPage(Printout& printout, Printer& printer, int page)
    : m_printout(printout), m_printer(printer), m_page(page), m_recording(std::make_unique<Recording>()) {}

PreviewPage::~PreviewPage() = default;

void PreviewPage::SetPageNumber(int page) {
    m_page = page;
    Invalidate();
}

void PreviewPage::Paint(DC& dc, bool, const Rect&) {
    const Rect client = GetClientRect();
    // The page as the printer would get it, recorded at its resolution.
    const DeviceCaps caps = m_printer.Caps();
    Recording& rec = *m_recording;
    rec.picture = QPicture();
    rec.page = Size{caps.horzRes, caps.vertRes};
    {
        QPainter recorder(&rec.picture);
        PainterDevice device(recorder, caps, false);
        DC pageDC(device);
        m_printout.SetPrintParams(&pageDC, rec.page);
        m_printout.BeginPrinting();
        if (m_page > 0 && m_printout.HasPage(m_page)) {
            Rect rect{0, 0, caps.horzRes, caps.vertRes};
            m_printout.PrintPage(m_page, rect, 0);
        }
        m_printout.EndPrinting();
        m_printout.SetPrintParams(nullptr, Size{});
    }
    // Drawn scaled onto white paper.
    Image paper(std::max(1, client.Width()), std::max(1, client.Height()), Colors::White, BackingImage().Scale());
    if (rec.page.cx > 0 && rec.page.cy > 0) {
        QPainter p(&paper.impl().image);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setRenderHint(QPainter::TextAntialiasing, true);
        p.scale(static_cast<double>(client.Width()) / rec.page.cx, static_cast<double>(client.Height()) / rec.page.cy);
        p.drawPicture(0, 0, rec.picture);
    }
    dc.DrawImage(client, paper);
    const Pen pen = dc.SelectPen(Pen{PenStyle::Solid, 1, Colors::Black});
    const Brush brush = dc.SelectBrush(Brush{true});
    dc.Rectangle(client);
    dc.SelectPen(pen);
    dc.SelectBrush(brush);
}

} // namespace plat
