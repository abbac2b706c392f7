// The print, print set-up, preview and help commands of the application.

#include <filesystem>

#include "app/CommandIds.h"
#include "app/TApxPrintout.h"
#include "app/TQuarvishAboutDlg.h"
#include "app/TQuarvishApp.h"
#include "app/TQuarvishWindow.h"
#include "platform/Frame.h"
#include "platform/Printing.h"

std::string CanonicalFilePath(const std::string& path) {
    if (path.empty())
        return path;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error)
        return path;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(absolute, error);
    return error ? absolute.lexically_normal().string() : canonical.string();
}

void TQuarvishApp::AddPrintAndHelpCommands() {
    auto printEnable = [this](plat::CommandEnabler& ce) { CmPrintEnable(ce); };
    AddResponseTable({
        {CmId::FilePrint, [this] { CmFilePrint(); }, printEnable},
        {CmId::FilePrintSetup, [this] { CmFilePrintSetup(); }, printEnable},
        {CmId::FilePrintPreview, [this] { CmFilePrintPreview(); }, printEnable},
        {CmId::HelpOnline, [this] { CmHelpOnline(); }, {}},
        {CmId::HelpAbout, [this] { CmHelpAbout(); }, {}},
    });
}

TLandPrinter& TQuarvishApp::GetPrinter() {
    if (!m_printer)
        m_printer = std::make_unique<TLandPrinter>();
    return *m_printer;
}

void TQuarvishApp::CmPrintEnable(plat::CommandEnabler& ce) {
    (void)GetPrinter();
    ce.Enable(plat::Printer::IsAvailable());
}

void TQuarvishApp::CmFilePrint() {
    if (!m_client)
        return;
    m_client->SetPreviewing(0);
    TLandPrinter& printer = GetPrinter();
    const std::string title = m_frame ? m_frame->GetCaption() : GetName();
    TApxPrintout printout(printer, title, *m_client, true);
    ++m_printingCount;
    (void)printer.Print(printout, true);
    --m_printingCount;
    m_client->Invalidate();
}

void TQuarvishApp::CmFilePrintSetup() { (void)GetPrinter().SetupDialog(); }

// The preview stands where the main frame stood, which is hidden until the preview ends;
// running analyses are finished first, and the page shows the stage the window shows.
void TQuarvishApp::CmFilePrintPreview() {
    if (!m_client || !m_frame || m_preview)
        return;
    m_client->CmStopAnalysis();
    TLandPrinter& printer = GetPrinter();
    ++m_printingCount;
    m_closedPreview.reset();
    m_preview = std::make_unique<TApxPreviewWin>(*m_frame, printer, *m_client, "Print Preview",
                                                 [this] { EndPreview(); });
    m_preview->SetApplication(this);
    m_preview->SetupWindow();
    m_client->SetPreviewing(1);
    m_frameWasMaximized = m_frame->IsMaximized();
    m_preview->SetFrameRect(m_frame->GetFrameRect());
    m_preview->ShowFrame(m_frameWasMaximized ? 3 : 1);
    m_frame->ShowFrame(0);
}

void TQuarvishApp::EndPreview() {
    if (!m_preview)
        return;
    if (m_frame) {
        // The main frame comes back where the preview last stood.
        m_frame->SetFrameRect(m_preview->GetFrameRect());
        m_frame->ShowFrame(m_frameWasMaximized ? 3 : 1);
    }
    --m_printingCount;
    if (m_client) {
        m_client->SetPreviewing(0);
        m_client->SetRedraw(true);
        m_client->Invalidate();
    }
    m_preview->ShowFrame(0);
    // The preview's own command is still running: it is deleted at the next idle pass.
    m_closedPreview = std::move(m_preview);
}

bool TQuarvishApp::IdleAction(long idleCount) {
    m_closedPreview.reset();
    return plat::Application::IdleAction(idleCount);
}

void TQuarvishApp::CmHelpOnline() {
    if (m_client)
        m_client->OpenWebPage();
}

void TQuarvishApp::CmHelpAbout() {
    TQuarvishAboutDlg about(m_frame.get(), TProjectRCVersion());
    (void)about.Execute();
}
