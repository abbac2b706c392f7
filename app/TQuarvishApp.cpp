#include "app/TQuarvishApp.h"

#include <filesystem>

#include "app/CommandIds.h"
#include "app/GlobalTables.h"
#include "app/MenuTree.h"
#include "app/TApxPrintout.h"
#include "app/TQuarvishWindow.h"
#include "foundation/ProgramPaths.h"
#include "foundation/Reporter.h"
#include "foundation/TTextBuffer.h"
#include "model/ModelHelpers.h"
#include "model/QuickDefineFlag.h"
#include "app/FileSaving.h"
#include "model/TStructure.h"
#include "platform/Ui.h"

namespace {
constexpr const char* kNewDocument = "Newbeam";
constexpr int kRecentCount = 4;
const char* kFilter = "Quarvish Files (*.qvh)|*.qvh|Quarvish Text Files (*.q2t)|*.q2t|All Files (*.*)|*.*|";

// "Quarvish.ini" lives in the user's configuration folder: the program's own folder may be
// read-only.
std::string ConfigFile(const std::string& programDir) {
    const std::string dir = UserConfigDir();
    return (dir.empty() ? programDir : dir) + "Quarvish.ini";
}
} // namespace

std::string DocumentNameFor(const std::string& fileName) {
    const std::filesystem::path path(fileName);
    if (fileName.empty() || !path.has_filename())
        return fileName;
    const std::string name = path.parent_path().empty() ? path.stem().string() + ".qvh"
                                                        : (path.parent_path() / path.stem()).string() + ".qvh";
    // An older file that already has the program's extension is not offered to be replaced.
    return name == fileName ? std::string() : name;
}

TQuarvishApp::TQuarvishApp(const std::string& programDir)
    : plat::Application("Quarvish"), m_recent(ConfigFile(programDir), kRecentCount, 30) {
    SetProgramPath(programDir);
    AddResponseTable({
        {CmId::FileNew, [] {}, {}},
        {CmId::FileOpen, [this] { CmFileOpen(); }, {}},
        {CmId::FileSave, [this] { CmFileSave(); }, {}},
        {CmId::FileSaveAs, [this] { CmFileSaveAs(); }, {}},
        {CmId::HelpUsing, [this] { m_helpUsed = plat::Help::ShowHelpOnHelp(); }, {}},
        {CmId::RecentFile0, [this] { CmRecentFile(0); }, {}},
        {CmId::RecentFile0 + 1, [this] { CmRecentFile(1); }, {}},
        {CmId::RecentFile0 + 2, [this] { CmRecentFile(2); }, {}},
        {CmId::RecentFile0 + 3, [this] { CmRecentFile(3); }, {}},
    });
    AddPrintAndHelpCommands();
}

TQuarvishApp::~TQuarvishApp() {
    m_closedPreview.reset();
    m_preview.reset();
    SetMainWindow(nullptr);
    m_frame.reset();
    m_client.reset();
}

void TQuarvishApp::InitMainWindow() {
    m_client = std::make_unique<TQuarvishWindow>("Quarvish");
    m_client->SetApp(this);
    m_frame = std::make_unique<TSDIDecFrame>(GetName(), *m_client);
    SetMainWindow(m_frame.get());
    plat::Frame& f = *m_frame;
    f.AddResponseTable({{CmId::Exit, [this] { m_frame->Close(); }, {}}});
    f.SetToolBarCaption(GetName());
    f.CreateFrame();
    f.SetDropHandler([this](const std::vector<std::string>& files) { OpenDroppedFiles(files); });
    f.SetIconGlyph("Q");
    f.SetMenu(MainMenu());
    f.SetAccelerators(MainAccelerators());
    f.SetHintSource(HintText);
    f.AddSeparatorGadget(5);
    f.AddTextGadget(GadgetId::Status1, 6);
    f.AddTextGadget(GadgetId::Status2, 6);
    f.AddTextGadget(GadgetId::Status3, 6);
    f.AddSeparatorGadget(10);
    if (plat::Frame::DesktopWidth() > 800)
        f.AddBitmapGadget(GadgetId::Program, "Q");
    f.AddSeparatorGadget(10);
    CreateToolBar();
    RefreshRecentMenu();
    // The client's set-up has run inside CreateFrame; show the frame maximised.
    f.ShowFrame(3);
}

void TQuarvishApp::CreateToolBar() {
    for (const ToolBarSlot& slot : MainToolBar()) {
        if (slot.id == 0)
            m_frame->AddToolSeparator(6);
        else
            m_frame->AddToolButton(slot.id, slot.glyph, slot.themeIcon);
    }
}

bool TQuarvishApp::CanClose() {
    const bool ok = plat::Application::CanClose();
    if (ok && m_helpUsed)
        m_helpUsed = false;  // the browser page needs no closing
    return ok;
}

bool TQuarvishApp::ProcessHelpKey(int key, bool shift) {
    if (key == plat::VKey::F1) {
        if (shift) {
            m_contextHelp = true;
            plat::SetHelpCursor(true);
        } else {
            plat::Help::ShowContents();
        }
        return true;
    }
    if (key == plat::VKey::Escape && m_contextHelp) {
        m_contextHelp = false;
        plat::SetHelpCursor(false);
        return true;
    }
    return false;
}

// A command chosen in context help, or while F1 is held, shows its topic instead of running,
// whichever window it was meant for (a menu, a chart's menu, a tool bar, the preview's keys).
bool TQuarvishApp::PreProcessCommand(int id) {
    if (!m_contextHelp && !plat::IsHelpKeyDown())
        return false;
    m_contextHelp = false;
    plat::SetHelpCursor(false);
    plat::Help::ShowTopic(id);
    return true;
}

bool TQuarvishApp::ProcessMenuHelpKey() {
    // The highlighted item is chosen next and, context help being on, shows its topic.
    m_contextHelp = true;
    plat::SetHelpCursor(true);
    return true;
}

void TQuarvishApp::SetStatusText(const std::string& text) {
    if (!m_frame)
        return;
    m_frame->SetGadgetText(GadgetId::Status1, "");
    m_frame->SetGadgetText(GadgetId::Status2, "");
    m_frame->SetGadgetText(GadgetId::Status3, "");
    m_frame->SetMessageText(text);
}

void TQuarvishApp::UpdateCaption(const std::string& text) {
    if (m_frame)
        m_frame->SetCaption(ComposeWindowTitle(GetName(), m_fileName, text));
}

void TQuarvishApp::OpenFile(const std::string& fileName) {
    const std::string previous = m_fileName;
    m_fileName = fileName;
    OpenFile();
    if (m_client && m_client->DocumentKept())
        m_fileName = previous;
}

void TQuarvishApp::OpenFile() {
    if (!m_client)
        return;
    int ok = 0, isDefault = 0;
    m_client->LoadDocument(m_fileName, ok, isDefault);
    if (m_client->DocumentKept()) {
        // The file was refused and the open document kept: its name and caption stay.
    } else if (!ok) {
        SetQuickDefineNew(1);
        m_fileName = kNewDocument;
        m_olderFormat = false;
        m_partlyRead = false;
        if (m_frame)
            m_frame->SetCaption("Quarvish  -  Newbeam");
    } else if (!isDefault) {
        m_olderFormat = m_client->ReadFromOlderFormat();
        m_partlyRead = m_client->LeftElementsOut();
        const TStructure* first = StructureAt(g_CurrentStructure);
        UpdateCaption(first ? first->GetName() : std::string());
        m_recent.Add(CanonicalFilePath(m_fileName));
        RefreshRecentMenu();
        m_client->CmCrossSection();
    } else {
        m_fileName = kNewDocument;
        m_olderFormat = false;
        m_partlyRead = false;
        if (m_frame)
            m_frame->SetCaption("Quarvish  -  Newbeam");
    }
    m_client->Invalidate();
}

void TQuarvishApp::CmFileOpen() {
    if (!m_client || !m_client->QuerySave())
        return;
    const std::string previous = m_fileName;
    m_fileName.clear();
    plat::FileDialogData data{kFilter, "qvh", "", true, true};
    if (plat::FileDialog(plat::FileDialogKind::Open, data)) {
        OpenFile(data.fileName);
        if (m_client->DocumentKept())
            m_fileName = previous;
    }
}

void TQuarvishApp::CmRecentFile(int index) {
    const std::vector<std::string> entries = m_recent.Entries();
    if (index < 0 || index >= static_cast<int>(entries.size()))
        return;
    if (m_client && m_client->QuerySave())
        OpenFile(entries[static_cast<std::size_t>(index)]);
}

void TQuarvishApp::OpenDroppedFiles(const std::vector<std::string>& files) {
    if (files.empty() || !m_client || !m_client->QuerySave())
        return;
    OpenFile(files.front());
}

bool TQuarvishApp::SaveTo(const std::string& fileName) {
    // The earlier version of the file is kept as "oldfile.bak" in the working directory.
    if (FileExists(fileName))
        (void)CopyFileReplacing(fileName, "oldfile.bak");
    if (!m_client || !m_client->WriteDocument(fileName)) {
        plat::MessageBox("Could not save file", "Error", MsgStyle::IconExclamation);
        return false;
    }
    const TStructure* current = StructureAt(g_CurrentStructure);
    UpdateCaption(current ? current->GetName() : std::string());
    m_recent.Add(CanonicalFilePath(fileName));
    RefreshRecentMenu();
    return true;
}

// A document read from a file of an older format is saved as a new document is, through Save
// As: the older file is never replaced by the XML document. So is a document opened without
// elements its file holds: the file keeps them unless the user chooses it in the Save dialog.
bool TQuarvishApp::CmFileSave() {
    if (m_fileName.empty() || m_fileName == kNewDocument || SaveKeepsFile()) {
        const bool saved = CmFileSaveAs();
        if (m_fileName.empty())
            m_fileName = kNewDocument;
        return saved;
    }
    return SaveTo(m_fileName);
}

bool TQuarvishApp::CmFileSaveAs() {
    const std::string previous = m_fileName;
    // An older file's document is offered under the file's own name with the program's
    // extension, beside it.
    const std::string offered = m_fileName == kNewDocument ? std::string()
                                : SaveKeepsFile()          ? DocumentNameFor(m_fileName)
                                                           : m_fileName;
    plat::FileDialogData data{kFilter, "qvh", offered, false, true};
    if (!plat::FileDialog(plat::FileDialogKind::Save, data)) {
        m_fileName = previous;
        return false;
    }
    std::string name = data.fileName;
    const std::size_t tail = name.size() > 4 ? name.size() - 4 : 0;
    if (name.find('.', tail) == std::string::npos)
        name += ".QVH";
    const bool olderFormat = m_olderFormat;
    const bool partlyRead = m_partlyRead;
    m_fileName = name;
    m_olderFormat = false;
    m_partlyRead = false;
    if (SaveTo(name))
        return true;
    // Nothing was written: the document keeps the name it had, and Save what it did.
    m_fileName = previous;
    m_olderFormat = olderFormat;
    m_partlyRead = partlyRead;
    return false;
}

void TQuarvishApp::RefreshRecentMenu() {
    if (!m_frame)
        return;
    std::vector<plat::MenuItem> items;
    const std::vector<std::string> entries = m_recent.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        items.emplace_back("&" + std::to_string(i + 1) + " " + m_recent.MenuText(entries[i]),
                           CmId::RecentFile0 + static_cast<int>(i));
    m_frame->SetDynamicItems(CmId::Exit, items);
}

int QuarvishMain(const std::vector<std::string>& args, const std::string& programDir) {
    g_StartupFile = args.size() >= 2 ? args[1] : std::string();
    plat::UiReporterScope reporter;
    // The application object is made and ended under the same guard as its loop.
    return plat::RunGuardedProgram(kProgramCaption, [&programDir] {
        TQuarvishApp app(programDir);
        return app.Run();
    });
}
