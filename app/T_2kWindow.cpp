#include "app/T_2kWindow.h"

#include "app/InputDialogs.h"
#include "app/SectionNumbering.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "analysis/TSectionalAnalysis.h"
#include "analysis/layers/LayerDriver.h"
#include "app/CommandIds.h"
#include "app/DocumentEngine.h"
#include "app/FileSaving.h"
#include "app/GlobalTables.h"
#include "app/MenuTree.h"
#include "app/PictureExtent.h"
#include "app/ShellServices.h"
#include "app/TApxPrintout.h"
#include "app/TQuarvishApp.h"
#include "app/summary/InfoManager.h"
#include "app/views/TViewm.h"
#include "charts/Tdataview.h"
#include "files/report/SectionReport.h"
#include "files/xml/DocumentGivesBack.h"
#include "foundation/Diagnostics.h"
#include "foundation/ProgramPaths.h"
#include "foundation/ReportText.h"
#include "foundation/Reporter.h"
#include "foundation/Sentinel.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "model/TShell.h"
#include "model/materials/MaterialTypes.h"
#include "platform/Picture.h"
#include "platform/Services.h"
#include "platform/Ui.h"

bool ResistanceFactorsApplied() {
    const ResistanceFactors& f = g_ResistanceFactors;
    // The sum of factors such as 1.0 + 1.0 + 1.001 comes out a hair below 3.001 in binary.
    return std::fabs(f.phi_c + f.phi_s + f.phi_p - 3.0) >= 0.001 - 1e-12;
}

std::string CrossSectionModeText() { return ResistanceFactorsApplied() ? "FACTORED" : "Cross Section"; }

void ShowAnalysisErrors(const TSectionalAnalysis* analysis) {
    if (!analysis)
        return;
    for (int i = 0; i < analysis->GetErrorCount(); ++i) {
        std::string text, caption;
        int style = 0;
        analysis->GetError(i, text, caption, style);
        plat::MessageBox(text, caption, static_cast<unsigned>(style));
    }
}

void ReportStructuresWithoutConcrete(const std::array<std::unique_ptr<TStructure>, kMaxStructures>& table) {
    for (const auto& s : table) {
        if (!s)
            continue;
        const std::string missing = s->DescribeMissingConcrete();
        if (!missing.empty())
            ShowMessage(missing, kProgramCaption, MsgStyle::Ok | MsgStyle::IconExclamation);
    }
}

namespace {

// The main window's reporter: the texts the computing code shows (its diagnostic dumps, the
// loading page's listing, the catalogue's quick-define report) open the "View Data" dialog, over
// the window a caller names or else over the main window; messages go on to the reporter
// installed before.
class DataViewReporter final : public Reporter {
public:
    explicit DataViewReporter(plat::Window& window) : m_window(window) {}
    void SetPrevious(Reporter* previous) { m_previous = previous; }
    int Message(const std::string& text, const std::string& caption, unsigned style) override {
        return Previous().Message(text, caption, style);
    }
    void ShowData(const std::string& text) override {
        plat::Window* parent = DataViewParentScope::Current();
        ShowTextInDataView(parent ? parent : &m_window, text);
    }

private:
    Reporter& Previous() {
        static HeadlessReporter headless;
        return m_previous ? *m_previous : headless;
    }

    plat::Window& m_window;
    Reporter* m_previous = nullptr;
};

} // namespace

T_2kWindow::T_2kWindow(const std::string& title) : m_programTitle(title) {
    // Analyses first: they work on the structures.
    for (auto& a : g_Analyses)
        a.reset();
    for (auto& s : g_Structures)
        s.reset();
    auto currentStructure = [this](plat::CommandEnabler& ce) { CeCurrentStructure(ce); };
    AddResponseTable({
        {CmId::DebugMode, [this] { PromptDebugMode(); }, {}},
        {CmId::FileNew, [this] { CmFileNew(); }, {}},
        {CmId::CopyPicture, [this] { CmCopyPicture(); }, {}},
        {CmId::CrossSection, [this] { CmCrossSection(); }, currentStructure},
        {CmId::Catalog, [this] { CmCatalog(); }, currentStructure},
        {CmId::PrintInColour, [this] { CmPrintInColour(); }, {}},
        {CmId::PrevLoadStage, [this] { CmPrevLoadStage(); }, {}},
        {CmId::NextLoadStage, [this] { CmNextLoadStage(); }, {}},
        {CmId::ViewXml, [this] { CmViewXml(); }, currentStructure},
        {CmId::InsertGraphic, [this] { CmInsertGraphic(); },
         [this](plat::CommandEnabler& ce) { ce.Enable(m_viewManager && m_viewManager->CanInsertBox()); }},
        {CmId::InsertTextBox, [this] { CmInsertTextBox(); },
         [this](plat::CommandEnabler& ce) { ce.Enable(m_viewManager && m_viewManager->CanInsertBox()); }},
        {CmId::InsertChart, [this] { CmInsertChart(); },
         [this](plat::CommandEnabler& ce) { ce.Enable(m_viewManager && m_viewManager->CanInsertBox()); }},
        {CmId::DeleteSelection, [this] { CmDeleteSelection(); },
         [this](plat::CommandEnabler& ce) { ce.Enable(m_viewManager && m_viewManager->HasSelection()); }},
        {CmId::ObjectOptions, [this] { CmObjectOptions(); },
         [this](plat::CommandEnabler& ce) { ce.Enable(m_viewManager && m_viewManager->CanShowObjectOptions()); }},
    });
}

T_2kWindow::~T_2kWindow() {
    if (m_dataViewReporter && &GetReporter() == m_dataViewReporter.get())
        SetReporter(m_reporterBefore);
    SetDebugLineHook({});
    SetLayerDebugDisplay({});
    SetTimeDependentReportWriter({});
}

void T_2kWindow::SetupWindow() {
    ClearReportText();
    if (!m_dataViewReporter) {
        auto reporter = std::make_unique<DataViewReporter>(*this);
        m_reporterBefore = SetReporter(reporter.get());
        reporter->SetPrevious(m_reporterBefore);
        m_dataViewReporter = std::move(reporter);
    }
    // The debug displays of the analysis code: its traces, the states it solves, and the
    // long-term set-up's block of results.
    SetDebugLineHook([this](int x1, int y1, int x2, int y2) { DrawDebugLine(x1, y1, x2, y2); });
    SetLayerDebugDisplay([this](const SectionState& state) { return ShowDebugState(state); });
    SetTimeDependentReportWriter([](const TBeam& beam, const TimeDependentStrains& values) {
        std::string block;
        WriteTimeDependentReport(beam, block, values);
        return block;
    });
}

int T_2kWindow::ShowDebugState(const SectionState& state) {
    TSectionalAnalysis* analysis = GetCurrentAnalysis();
    if (!analysis || !analysis->SelectLatestState())
        return 0;
    ShowResults(&state, -1, kUndefined, kUndefined);
    // The page is painted whole for the state, before the question or the text comes up over
    // it: the convergence traces drawn over the panel since the last picture (which the
    // panel's controls and texts have partly covered since) go with the rest of that picture.
    if (IsCreated()) {
        Invalidate(true);
        UpdateWindow();
    }
    return 1;
}

int T_2kWindow::GetDebugLevel() const { return ::GetDebugLevel(); }

void T_2kWindow::DrawDebugLine(int x1, int y1, int x2, int y2) {
    if (GetDebugLevel() == 0 || !IsCreated())
        return;
    plat::ClientDC dc(*this);
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
}

bool T_2kWindow::EvCommand(int id, int control, int notifyCode) {
    const bool handled = plat::Window::EvCommand(id, control, notifyCode);
    if (!handled && control == id && m_viewManager)
        return m_viewManager->OnControlNotify(id, notifyCode);
    return handled;
}

void T_2kWindow::SetActiveChart(TBoxItem* box, int kind) {
    if (m_viewManager)
        m_viewManager->SetActiveChart(box, kind);
}

void T_2kWindow::CmInsertGraphic() {
    if (m_viewManager)
        m_viewManager->InsertGraphicBox();
}

void T_2kWindow::CmInsertTextBox() {
    if (m_viewManager)
        m_viewManager->InsertTextBox();
}

void T_2kWindow::CmInsertChart() {
    if (m_viewManager)
        m_viewManager->AddToGraph();
}

void T_2kWindow::CmDeleteSelection() {
    if (m_viewManager)
        m_viewManager->DeleteSelectedBox();
}

void T_2kWindow::CmObjectOptions() {
    if (m_viewManager)
        m_viewManager->ShowObjectOptions();
}

int T_2kWindow::DetachFromPanelCharts(const TStructure* item) {
    if (m_viewManager)
        m_viewManager->DetachStructure(item);
    return 1;
}

bool T_2kWindow::CanClose() {
    const bool framework = plat::Window::CanClose();
    const bool saved = QuerySave();
    return framework && saved;
}

void T_2kWindow::CeCurrentStructure(plat::CommandEnabler& ce) { ce.Enable(GetCurrentStructure() != nullptr); }

// ---- Painting: the view manager's page -------------------------------------------------

void T_2kWindow::Paint(plat::DC& dc, bool, const plat::Rect& rect) {
    if (!m_app || !m_viewManager)
        return;
    // On the printer the window is one page: the page and every panel at its place.
    if (m_app->GetPrintingCount() > 0 && m_app->HasPrinter() && !rect.IsEmpty()) {
        m_app->GetPrinter().Setup().minPage = 1;
        m_app->GetPrinter().Setup().maxPage = 1;
        m_viewManager->Paint(dc, 1, m_previewing);
        return;
    }
    m_viewManager->Paint(dc, 0, 0);
}

void T_2kWindow::EvSize(plat::Size size) {
    ResizeInfoPanes(size.cx, size.cy);
    if (m_viewManager)
        m_viewManager->EvSize(size);
}

void T_2kWindow::EvLButtonDblClk(unsigned keyFlags, plat::Point p) { OnPageClick(keyFlags, p.x, p.y, -1, -1); }

void T_2kWindow::EvRButtonDown(unsigned, plat::Point p) {
    const int id = plat::PopupMenu(MainContextMenu(), ClientToScreen(p));
    if (id != 0)
        EvCommand(id, 0, 0);
}

// ---- Table operations -------------------------------------------------------------------

// The one rule of the tables. Whatever keeps a structure or an analysis (the information
// manager's callouts, the mode object with the layer view, sensitivity runs and crack views it
// made from them, every panel chart, control chart and box of the view manager) lets go of
// it before any structure or analysis is deleted or a table replaced: a repaint or a resize
// in between (under a message box, say) then draws nothing that was freed. Once the deletion
// is done, the mode object is bound again to what is current; the callouts follow the
// current structure when the panes are next resized or painted.
void T_2kWindow::LetGoOfTables() {
    LetGoOfInfoManager();
    if (m_viewManager)
        m_viewManager->LetGoOfTables();
}

void T_2kWindow::BindToTables() {
    if (m_viewManager)
        m_viewManager->BindLogic(GetCurrentStructure(), GetCurrentAnalysis());
}

int T_2kWindow::DeleteAnalysis(int slot) {
    if (slot == -1) {
        LetGoOfTables();
        for (auto& a : g_Analyses)
            a.reset();
        BindToTables();
        return 1;
    }
    if (TSectionalAnalysis* a = AnalysisAt(slot)) {
        a->Finish();
        LetGoOfTables();
        g_Analyses[static_cast<std::size_t>(slot)].reset();
        BindToTables();
    }
    return 1;
}

int T_2kWindow::DeleteAllStructures() {
    LetGoOfTables();
    // Analyses first: they work on the structures.
    for (auto& a : g_Analyses)
        a.reset();
    for (auto& s : g_Structures)
        s.reset();
    g_CurrentAnalysis = 0;
    g_CurrentStructure = 0;
    return 1;
}

int T_2kWindow::ResizeInfoPanes(int, int) { return 1; }

int T_2kWindow::IsModified() {
    for (const auto& s : g_Structures)
        if (s && s->IsModified())
            return 1;
    return 0;
}

void T_2kWindow::MarkDocumentModified() {
    for (auto& s : g_Structures)
        if (s) {
            s->SetModified(1);
            return;
        }
}

int T_2kWindow::ClearModified() {
    for (auto& s : g_Structures)
        if (s)
            s->SetModified(0);
    return 1;
}

void T_2kWindow::ShowResults(const SectionState* state, int stage, double, double) {
    ShowAnalysisStatus(state);
    if (m_viewManager)
        m_viewManager->RefreshAllPanels(stage);
}

void T_2kWindow::ShowSingleGraphLayout() {
    if (m_viewManager)
        m_viewManager->SetSingleGraph(-1);
}

void T_2kWindow::ShowFourGraphLayout() {
    if (m_viewManager)
        m_viewManager->SetFourGraphs(-1);
}

void T_2kWindow::ShowNineGraphLayout() {
    if (m_viewManager)
        m_viewManager->SetNineGraphs(-1);
}

void T_2kWindow::SetStatusText(const std::string& text) {
    if (m_app)
        m_app->SetStatusText(text);
    if (m_viewManager)
        m_viewManager->SetStatusText(text);
}

void T_2kWindow::BeginPrintLayout() {
    if (m_viewManager)
        m_viewManager->SaveScreenFonts();
}

void T_2kWindow::EndPrintLayout() {
    if (m_viewManager)
        m_viewManager->RestoreScreenFonts();
}

void T_2kWindow::ShowSplash() {
    SetStatusText("");
    if (m_viewManager)
        m_viewManager->ShowSplash();
    else
        Invalidate();
}

// ---- Save question and document writing -------------------------------------------------

bool T_2kWindow::QuerySave() {
    if (!IsModified())
        return true;
    const std::string file = m_app ? m_app->GetFileName() : std::string();
    const std::string text = file.empty() ? "Save Changes ?" : StrPrintf("Save Changes in '%s'?", file.c_str());
    const int answer = plat::MessageBox(text, m_programTitle, MsgStyle::YesNoCancel | MsgStyle::IconQuestion);
    if (answer == MsgAnswer::Cancel)
        return false;
    if (answer == MsgAnswer::Yes)
        return m_app && m_app->CmFileSave();  // go on only when the changes were written
    return true;
}

bool T_2kWindow::BuildDocumentText(std::string& text) {
    TDocumentEngine& engine = GetDocumentEngine();
    text.clear();
    if (!engine.WriteHeader(text))
        return false;
    for (auto& s : g_Structures)
        if (s && !engine.WriteStructure(text, *s))
            return false;
    return engine.WriteAnalysisSettings(text) && engine.WriteFooter(text);
}

bool T_2kWindow::WriteDocument(const std::string& fileName) {
    std::string text;
    if (!BuildDocumentText(text) || !WriteFileReplacing(fileName, text))
        return false;
    ClearModified();
    return true;
}

// ---- Commands ---------------------------------------------------------------------------

namespace {
// The whole number a text begins with: blanks, a sign, then digits, read as far as the digits
// go (what follows them is not looked at); 0 when no digit follows. A number past the range of
// an int stops at its end.
int LeadingWholeNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        magnitude = std::min<long long>(magnitude * 10 + (text[i] - '0'), 1LL << 32);
    const long long value = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}
} // namespace

// The level is the one the analysis code reads (and the layer driver's debug question may
// set back to 0): a developer's diagnostic level, taken as the whole number the answer begins
// with (10 asks for the wall time of every run that finishes). An answer that begins with no
// number is level 0; Cancel keeps the level.
void T_2kWindow::PromptDebugMode() {
    std::string text = std::to_string(GetDebugLevel());
    if (plat::InputDialog(m_programTitle, "Enter Debug Mode (0,1,2,3)", text))
        SetDebugLevel(LeadingWholeNumber(text));
}

void T_2kWindow::CmFileNew() {
    if (!QuerySave())
        return;
    StopAnalysis();
    ClearStructures();
    if (m_app)
        m_app->OpenFile(ProgramFilePath(m_defaultFileName));
    ShowSplash();
}

void T_2kWindow::ShowCurrentInCaption() {
    if (const TStructure* s = GetCurrentStructure(); s && m_app)
        m_app->UpdateCaption(s->GetName());
}

void T_2kWindow::CmCrossSection() {
    SetStatusText(CrossSectionModeText());
    if (m_viewManager)
        m_viewManager->ShowMaterials();
    Invalidate();
}

int T_2kWindow::ShownStage() const {
    if (m_viewManager && m_viewManager->GetControlChart(0))
        return m_viewManager->GetControlChartChoice(0);
    return m_shownStage;
}

// A step from the stage shown. An index below 0 is no stage: there is none that way (the
// analysis would refuse it with a box).
void T_2kWindow::CmPrevLoadStage() {
    if (TSectionalAnalysis* a = GetCurrentAnalysis())
        if (const int stage = a->GetPreviousStageIndex(ShownStage()); stage >= 0)
            SelectLoadStage(0.0, 0.0, stage);
}

void T_2kWindow::CmNextLoadStage() {
    if (TSectionalAnalysis* a = GetCurrentAnalysis())
        if (const int stage = a->GetNextStageIndex(ShownStage()); stage >= 0)
            SelectLoadStage(0.0, 0.0, stage);
}

void T_2kWindow::CmPrintInColour() {
    const std::string caption = m_app ? m_app->GetName() : m_programTitle;
    g_PrintInColour =
        plat::MessageBox("Do you wish to print in colour?", caption, MsgStyle::YesNo) == MsgAnswer::Yes ? 1 : 0;
}

void T_2kWindow::CmCopyPicture() {
    // The frame in hundredths of a millimetre from the screen's size in millimetres and pixels:
    // the window's rectangle, grown where the panels' texts (the information panel's last line
    // hangs below 0.99 of the height) reach past it, so that the picture holds every text whole
    // and the frame that the panels draw round them.
    const plat::Rect r = GetWindowRect();
    plat::ClientDC client(*this);
    const int hs = client.GetDeviceCaps(plat::DevCap::HorzSize);
    const int vs = client.GetDeviceCaps(plat::DevCap::VertSize);
    const int hr = std::max(1, client.GetDeviceCaps(plat::DevCap::HorzRes));
    const int vr = std::max(1, client.GetDeviceCaps(plat::DevCap::VertRes));
    int width = std::max(r.Width(), 0);
    int height = std::max(r.Height(), 0);
    if (m_viewManager) {
        BeginPrintLayout();
        const plat::Rect texts =
            MeasureTextExtent(client.GetDevice().Caps(), plat::Rect{0, 0, width, height},
                              [this](plat::DC& dc) { m_viewManager->Paint(dc, 1, m_previewing); });
        const plat::Rect grown = GrowToHoldTexts(plat::Rect{0, 0, width, height}, texts);
        width = grown.right;
        height = grown.bottom;
    }
    const plat::Rect frame{0, 0, static_cast<int>(static_cast<long long>(width) * hs * 100 / hr),
                           static_cast<int>(static_cast<long long>(height) * vs * 100 / vr)};
    plat::PictureDC picture(client, frame, g_AppTitle);
    // Every panel as printing paints it; the panels that the page layout moves go back to their
    // places on the screen, with their fonts, afterwards.
    if (m_viewManager) {
        m_viewManager->Paint(picture, 1, m_previewing);
        const plat::Rect shown = GetClientRect();
        EvSize(plat::Size{shown.Width(), shown.Height()});
        EndPrintLayout();
    }
    plat::Clipboard::SetPicture(picture.Close());
}

int FirstFilledSlot(const std::array<std::unique_ptr<TStructure>, kMaxStructures>& table) {
    for (int i = 0; i < kMaxStructures; ++i)
        if (table[static_cast<std::size_t>(i)])
            return i;
    return -1;
}

// Replaces the tables by the working copies: running analyses are stopped and deleted
// first, and both current indices name the same slot.
void T_2kWindow::ReplaceStructures(std::array<std::unique_ptr<TStructure>, kMaxStructures>& work, int current) {
    StopAnalysis();
    DeleteAnalysis(-1);
    DeleteAllStructures();
    for (int i = 0; i < kMaxStructures; ++i)
        g_Structures[static_cast<std::size_t>(i)] = std::move(work[static_cast<std::size_t>(i)]);
    if (!StructureAt(current))
        current = std::max(0, FirstFilledSlot(g_Structures));
    g_CurrentStructure = current;
    g_CurrentAnalysis = current;
}

void T_2kWindow::CmCatalog() {
    // The zones of the member keep their sections through whatever the catalogue does to
    // the copies: numbered now, relinked once the copies are the table.
    RenumberSections();
    std::array<std::unique_ptr<TStructure>, kMaxStructures> work;
    for (int i = 0; i < kMaxStructures; ++i)
        if (const TStructure* s = StructureAt(i))
            work[static_cast<std::size_t>(i)] = s->Clone();
    int current = StructureAt(g_CurrentStructure) ? g_CurrentStructure : 0;
    if (GetInputDialogs().Catalog(*this, work, current) == DialogResult::Ok) {
        // Every structure is replaced by its copy and every analysis goes: the views let go
        // of them and show the chosen element, whether or not anything was changed.
        MarkStructuresChanged();
        ReplaceStructures(work, current);
        RelinkSectionIds();
    }
    if (m_structuresChanged)
        RefreshStructureViews(0);
}

void T_2kWindow::KeepSectionsAsDocumentsGiveThem()
{
    for (auto& s : g_Structures)
        if (s)
            KeepAsDocumentGivesBack(*s, g_UnitSystem);
}

// Reads the components of the edited text. A structure or member-settings component that
// the reader rejects sends the user back to the editor, and so does an unknown component at
// the end or a text without any structure; an unknown component elsewhere is left out.
bool T_2kWindow::ReadEditedDocument(std::string& text, std::array<std::unique_ptr<TStructure>, kMaxStructures>& work) {
    TDocumentEngine& engine = GetDocumentEngine();
    for (auto& w : work)
        w.reset();
    engine.BeginRead(text);
    bool rejected = false;
    bool lastFailed = true;  // also when there is no component at all
    std::string name;
    // Member settings are read once every section of the edited document is in the working
    // table, so that their zones name the sections of this document.
    std::vector<int> memberComponents;
    int lastComponent = -1;
    for (int i = 0; !rejected && engine.FindComponent(text, i, name); ++i) {
        if (i >= kMaxStructures) {
            AddLoadError(StrPrintf("The document holds more than %d components; the rest were not read.",
                                   kMaxStructures));
            break;
        }
        auto& slot = work[static_cast<std::size_t>(i)];
        bool ok = false;
        if (name == "q3g_beam") {
            slot = std::make_unique<TBeam>();
            ok = engine.ReadStructure(text, i, *slot);
            rejected = rejected || !ok;
        } else if (name == "p3g_shell") {
            slot = std::make_unique<TShell>(0);
            ok = engine.ReadStructure(text, i, *slot);
            rejected = rejected || !ok;
        } else if (name == "Q2010_Analysis") {
            memberComponents.push_back(i);
            ok = true;
        } else {
            plat::MessageBox(StrPrintf("Definition type %s Not understood.  Structural Element %d ignored",
                                       name.c_str(), i + 1),
                             "Load Error", MsgStyle::IconExclamation);
        }
        lastFailed = !ok;
        lastComponent = i;
    }
    const StructureTableSlots sections(work);
    for (const int i : memberComponents) {
        if (rejected)
            break;
        const bool ok = engine.ReadAnalysisSettings(text, i, sections);
        rejected = !ok;
        if (i == lastComponent)
            lastFailed = !ok;
    }
    ShowReportTextDialog(this);
    if (rejected || lastFailed)
        return false;
    if (FirstFilledSlot(work) < 0) {
        plat::MessageBox("The document holds no cross section or membrane element.", "Load Error",
                         MsgStyle::IconExclamation);
        return false;
    }
    ReportStructuresWithoutConcrete(work);
    return true;
}

void T_2kWindow::CmViewXml() {
    std::string text;
    if (!BuildDocumentText(text))
        return;
    std::array<std::unique_ptr<TStructure>, kMaxStructures> work;
    bool accepted = false;
    // The text is edited in "View Data" like every other text; "Close" hands the edit back.
    // A document the engine refuses is shown again as it was edited.
    while (true) {
        g_ReportText = std::make_unique<std::string>(text);
        {
            Tdataview view(this, 4001);
            if (view.Execute() != plat::DialogResult::Ok)
                break;
        }
        text = g_ReportText ? *g_ReportText : std::string();
        ClearReportText();
        std::string flat = text;
        if (ReadEditedDocument(flat, work)) {
            accepted = true;
            break;
        }
    }
    ClearReportText();
    if (accepted) {
        ReplaceStructures(work, g_CurrentStructure);
        KeepSectionsAsDocumentsGiveThem();
        for (auto& s : g_Structures)
            if (s)
                s->SetModified(1);
        GetDocumentEngine().CommitAnalysisSettings();
    }
    m_viewManager->CreateLogic(0, GetCurrentStructure(), nullptr);
    CmCrossSection();
    // The edit may have renamed the current section or put another one in its slot.
    if (accepted)
        ShowCurrentInCaption();
}
