#pragma once
// TQuarvishApp: the application object with the main frame and its bars, the current file
// name, the recent-files list, the document commands and the help keys.

#include <memory>
#include <string>

#include "platform/Application.h"
#include "platform/Frame.h"
#include "platform/Services.h"

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

    const std::string& GetFileName() const { return m_fileName; }
    void SetFileName(const std::string& name) { m_fileName = name; }
    TQuarvishWindow& GetClient() const { return *m_client; }
    plat::RecentFiles& GetRecentFiles() { return m_recent; }
    bool InContextHelp() const { return m_contextHelp; }

private:
    void CreateToolBar();
    void RefreshRecentMenu();
    bool SaveTo(const std::string& fileName);

    std::string m_fileName;
    plat::RecentFiles m_recent;
    bool m_helpUsed = false;
    bool m_contextHelp = false;
    std::unique_ptr<TQuarvishWindow> m_client;
    std::unique_ptr<TSDIDecFrame> m_frame;
};

// Starts the program: the program directory, the INI file and the start-up file from the
// arguments, then the application's loop. Returns the exit code.
int QuarvishMain(const std::vector<std::string>& args, const std::string& programDir);
