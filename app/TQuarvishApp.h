#pragma once
// TQuarvishApp: the application object with the main frame and its bars, the current file
// name, the recent-files list, the document commands and the help keys.

#include <memory>
#include <string>

#include "platform/Application.h"
#include "platform/Frame.h"
#include "platform/Services.h"

class TApxPreviewWin;
class TLandPrinter;
class TQuarvishWindow;

// The main frame around the main window.
class TSDIDecFrame : public plat::Frame {
public:
    TSDIDecFrame(const std::string& title, plat::Window& client) : plat::Frame(title, client) {}
};

class TQuarvishApp : public plat::Application {
public:
    // programDir holds the program's files ("Quarvish.ini" among them); it ends with '/'.
    explicit TQuarvishApp(const std::string& programDir);
    ~TQuarvishApp() override;

    void InitMainWindow() override;
    bool CanClose() override;
    bool ProcessHelpKey(int key, bool shift) override;
    bool ProcessMenuHelpKey() override;
    bool PreProcessCommand(int id) override;
    bool IdleAction(long idleCount) override;

    // Opens a document and makes it current (the name is kept as the current file).
    void OpenFile(const std::string& fileName);
    void OpenFile();
    // "Quarvish  -  <file base name>  -  <text>" as the frame's caption.
    void UpdateCaption(const std::string& text);
    void SetStatusText(const std::string& text);

    void CmFileOpen();
    // The save sequence; true only when the document was written.
    bool CmFileSave();
    bool CmFileSaveAs();
    void CmRecentFile(int index);
    void OpenDroppedFiles(const std::vector<std::string>& files);

    // ---- Printing and help (DocumentCommands.cpp) ----------------------------------------
    void CmFilePrint();
    void CmFilePrintSetup();
    void CmFilePrintPreview();
    // Enabled when a printer is available.
    void CmPrintEnable(plat::CommandEnabler& ce);
    void CmHelpOnline();
    void CmHelpAbout();
    // Ends the print preview: the main frame comes back.
    void EndPreview();
    // The printer, made on first need.
    TLandPrinter& GetPrinter();
    bool HasPrinter() const { return m_printer != nullptr; }
    // Above 0 while a print job or the preview runs.
    int GetPrintingCount() const { return m_printingCount; }
    TApxPreviewWin* GetPreview() const { return m_preview.get(); }

    const std::string& GetFileName() const { return m_fileName; }
    // True while the current file is of an older format, which a save does not replace.
    bool IsOlderFormatFile() const { return m_olderFormat; }
    void SetFileName(const std::string& name) { m_fileName = name; }
    TQuarvishWindow& GetClient() const { return *m_client; }
    plat::RecentFiles& GetRecentFiles() { return m_recent; }
    bool InContextHelp() const override { return m_contextHelp; }

private:
    void CreateToolBar();
    void RefreshRecentMenu();
    void AddPrintAndHelpCommands();
    bool SaveTo(const std::string& fileName);

    std::string m_fileName;
    // The current file is of an older format (not the XML document): saving goes through
    // Save As, so that the file stays as it is.
    bool m_olderFormat = false;
    // The current file holds elements that were refused on opening: saving goes through Save
    // As as well, so that they are not lost without the user's word.
    bool m_partlyRead = false;
    bool SaveKeepsFile() const { return m_olderFormat || m_partlyRead; }
    plat::RecentFiles m_recent;
    bool m_helpUsed = false;
    bool m_contextHelp = false;
    std::unique_ptr<TQuarvishWindow> m_client;
    std::unique_ptr<TSDIDecFrame> m_frame;
    std::unique_ptr<TLandPrinter> m_printer;
    int m_printingCount = 0;
    std::unique_ptr<TApxPreviewWin> m_preview;
    // How the main frame stood when the preview took its place.
    bool m_frameWasMaximized = true;
    // A closed preview, deleted once its own command has returned.
    std::unique_ptr<TApxPreviewWin> m_closedPreview;
};

// The name under which the document of an older file is offered for saving: the file's own
// name, in its folder, with the program's extension ("two.q2t" gives "two.qvh"); no name
// when that is the file's own name.
std::string DocumentNameFor(const std::string& fileName);

// The canonical form of a file's path (absolute, without "." and ".." parts, links resolved
// as far as they exist); the path as given when it cannot be formed.
std::string CanonicalFilePath(const std::string& path);

// Starts the program: the program directory, the INI file and the start-up file from the
// arguments, then the application's loop. Returns the exit code.
int QuarvishMain(const std::vector<std::string>& args, const std::string& programDir);
