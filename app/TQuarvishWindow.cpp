#include "app/TQuarvishWindow.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "analysis/TInteractionDiagrams.h"
#include "analysis/TSectionalAnalysis.h"
#include "analysis/state/ErrorList.h"
#include "app/CommandIds.h"
#include "app/DocumentEngine.h"
#include "app/DocumentReadScope.h"
#include "app/GlobalTables.h"
#include "app/SectionNumbering.h"
#include "app/ShellServices.h"
#include "app/TQuarvishApp.h"
#include "app/summary/InfoManager.h"
#include "app/views/PanelLayout.h"
#include "app/views/TViewm.h"
#include "charts/Tdataview.h"
#include "files/legacy/BeamFileLoad.h"
#include "files/legacy/LabelledTextFile.h"
#include "foundation/ProgramPaths.h"
#include "foundation/ReportText.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/TTextBuffer.h"
#include "foundation/Units.h"
#include "member/MemberEvents.h"
#include "member/TFullMemberResponse.h"
#include "member/TMemberDefinition.h"
#include "member/fire/ThermalAnalysis.h"
#include "model/DefaultAuthor.h"
#include "model/ModelHelpers.h"
#include "model/ModelSettings.h"
#include "model/QuickDefineFlag.h"
#include "model/TBeam.h"
#include "model/TShell.h"
#include "model/catalogues/TRebarList.h"
#include "model/materials/MaterialTypes.h"
#include "model/shapes/ShapeLibrary.h"
#include "platform/Frame.h"
#include "platform/Ui.h"

namespace {

// The sections the member settings of a document being read may name: those read and, where
// one was left out, that one. The document has no current slot yet: its first is taken.
class SectionsWithLeftOut final : public TStructureSlots {
public:
    using Table = StructureTableSlots::Table;
    SectionsWithLeftOut(const Table& read, const Table& leftOut) : m_read(read), m_leftOut(leftOut) {}
    int GetSlotCount() const override { return kMaxStructures; }
    TStructure* GetStructure(int slot) const override {
        if (slot < 0 || slot >= kMaxStructures)
            return nullptr;
        const auto i = static_cast<std::size_t>(slot);
        return m_read[i] ? m_read[i].get() : m_leftOut[i].get();
    }
    int GetCurrentStructure() const override { return 0; }
    int StoreStructure(int, std::unique_ptr<TStructure>) override { return 0; }

private:
    const Table& m_read;
    const Table& m_leftOut;
};

// While a file is read, every message of the readers names the file after its own text, so
// that a box such as "End of File!" says which file was wrong.
class FileNamingReporter final : public Reporter {
public:
    explicit FileNamingReporter(std::string path) : m_path(std::move(path)), m_previous(SetReporter(this)) {}
    ~FileNamingReporter() override { SetReporter(m_previous); }
    FileNamingReporter(const FileNamingReporter&) = delete;
    FileNamingReporter& operator=(const FileNamingReporter&) = delete;

    int Message(const std::string& text, const std::string& caption, unsigned style) override {
        const std::string file = "File: " + m_path;
        return Forward().Message(text.empty() ? file : text + "\n\n" + file, caption, style);
    }
    void ShowData(const std::string& text) override { Forward().ShowData(text); }

private:
    Reporter& Forward() {
        static HeadlessReporter headless;
        return m_previous ? *m_previous : headless;
    }

    std::string m_path;
    Reporter* m_previous;
};

// While the window reads a file of an older kind, a labelled text file of several sections
// asks the user which one to load, through the window layer's input dialog.
class SectionLabelPromptScope {
public:
    SectionLabelPromptScope() : m_previous(SetSectionLabelPrompt(&Ask)) {}
    ~SectionLabelPromptScope() { SetSectionLabelPrompt(m_previous); }
    SectionLabelPromptScope(const SectionLabelPromptScope&) = delete;
    SectionLabelPromptScope& operator=(const SectionLabelPromptScope&) = delete;

private:
    static bool Ask(const std::string& title, const std::string& prompt, std::string& label) {
        return plat::InputDialog(title, prompt, label);
    }
    SectionLabelPrompt m_previous;
};

} // namespace

namespace {

std::vector<const TStructure*> TableOrder() {
    std::vector<const TStructure*> order;
    for (const auto& s : g_Structures)
        order.push_back(s.get());
    return order;
}

// The slots of the member responses one of whose zone sections is no longer in the slot it had.
std::vector<int> MemberResponsesOverMovedSections(const std::vector<const TStructure*>& before) {
    std::vector<int> slots;
    for (int i = 0; i < kMaxStructures; ++i) {
        const auto* member = dynamic_cast<const TFullMemberResponse*>(AnalysisAt(i));
        if (!member)
            continue;
        const TMemberDefinition& d = member->GetDefinition();
        for (int z = 0; z < std::clamp(d.zoneCount, 0, kMaxMemberZones); ++z) {
            const int section = d.zones[static_cast<std::size_t>(z)].structureIndex;
            if (IsValidSlot(section) && StructureAt(section) != before[static_cast<std::size_t>(section)]) {
                slots.push_back(i);
                break;
            }
        }
    }
    return slots;
}

} // namespace

void WriteStartupDefaults() {
    g_ResistanceFactors = ResistanceFactors{1.0, 1.0, 1.0};
    MaterialDefaults = MaterialDefaultsRec{-3.5e7, 0.019, 4.0e8};
    g_UnitSystem = 0;
    g_FileOverride = 1;
    g_DefaultDoneBy.clear();
    g_ConcreteModelSet = 15;
    g_QuickDefineDefault = 0.04;
    g_CrackingReductionOption = 1;
    g_PrintInColour = 1;
    SetQuickDefineNew(1);
}

TQuarvishWindow::TQuarvishWindow(const std::string& title) : T_2kWindow(title) {
    for (auto& s : ShapeTable)
        s.reset();
    for (auto& s : StandardTable)
        s.reset();
    g_CurrentStructure = 0;
    g_CurrentAnalysis = 0;
    g_AppTitle = title;
    g_MainWindowTitle = title;
    m_services = std::make_unique<TQuarvishShell>(*this);
    m_viewManager = std::make_unique<TViewm_2k>(this, m_services.get());
    auto structure = [this](plat::CommandEnabler& ce) { CeCurrentStructure(ce); };
    auto analysis = [this](plat::CommandEnabler& ce) { ce.Enable(GetCurrentAnalysis() != nullptr); };
    AddResponseTable({
        {CmId::SectionalResponse, [this] { CmSectionalResponse(); }, structure},
        {CmId::MNInteraction, [this] { CmInteraction(CmId::MNInteraction); }, structure},
        {CmId::MVInteraction, [this] { CmInteraction(CmId::MVInteraction); }, structure},
        {CmId::NVInteraction, [this] { CmInteraction(CmId::NVInteraction); }, structure},
        {CmId::OneLoad, [this] { CmOneLoad(); }, structure},
        {CmId::OneStrain, [this] { CmStrain(false); }, structure},
        {CmId::TwoStrain, [this] { CmStrain(true); }, structure},
        {CmId::MemberResponse, [this] { CmMemberResponse(); }, structure},
        {CmId::StopAnalysis, [this] { CmStopAnalysis(); }, analysis},
        {CmId::MoreDetail, [this] { CmMoreDetail(); }, analysis},
        {CmId::UnloadSection, [this] { CmUnloadReload(1); }, analysis},
        {CmId::ReloadSection, [this] { CmUnloadReload(0); }, analysis},
        {CmId::FullMemberResults, [this] { CmFullMemberResults(); }, analysis},
        {CmId::LoadDeformationPlot, [this] { CmLoadDeformationPlot(); }, {}},
        {CmId::MohrsCircles, [this] { CmMohrsCircles(); }, analysis},
        {CmId::SingleGraph, [this] { ShowSingleGraphLayout(); }, {}},
        {CmId::NineGraphs, [this] { ShowNineGraphLayout(); }, {}},
    });
    AddDefinitionCommands();
}

TQuarvishWindow::~TQuarvishWindow() {
    StopAnalysis();
    ResetDocument();
}

TSectionalAnalysis* TQuarvishWindow::GetCurrentAnalysis() const { return AnalysisAt(g_CurrentAnalysis); }
TStructure* TQuarvishWindow::GetCurrentStructure() const { return StructureAt(g_CurrentStructure); }

void TQuarvishWindow::SetupWindow() {
    T_2kWindow::SetupWindow();
    CreateInfoManager(this);
    m_programTitle = "Quarvish-2000";
    m_defaultFileName = "q2k.q2k";
    m_viewManager->SetupDefaults();
    m_viewManager->SetTraceLevel(GetDebugLevel());
    m_viewManager->SetProgramTexts(m_programTitle, "Reinforced Concrete Sectional Analysis", "Version 1.9.6 (beta)");
    InstallFileReaders();
    SetDiagramEventRatios(static_cast<DiagramEventFn>(&GetMemberEventRatios));
    g_RebarList.Init(ProgramFilePath("rebar.dat"));
    LoadShapeLibrary(0);
    LoadShapeLibrary(1);
    ShowReportTextDialog(this);
    WriteStartupDefaults();
    if (m_app && m_app->GetMainWindow())
        m_app->GetMainWindow()->SetCaption("Quarvish-2000  -  Newbeam");
    CmFileNew();
    if (TStructure* s = GetCurrentStructure())
        s->StampDate();
    if (!g_StartupFile.empty() && m_app)
        m_app->OpenFile(g_StartupFile);
}

// An analysis that has ended is left as it is: finishing it again would put its shown state
// back to its peak, away from the stage the user picked.
void TQuarvishWindow::StopAnalysis() {
    for (auto& a : g_Analyses)
        if (a && a->IsRunning())
            a->Finish();
    if (m_viewManager)
        m_viewManager->ClearActiveChart();
}

int TQuarvishWindow::ClearStructures() {
    if (g_FileOverride)
        g_ResistanceFactors = ResistanceFactors{1.0, 1.0, 1.0};
    DeleteAnalysis(-1);
    DeleteAllStructures();
    return DeleteThermalModel();
}

int TQuarvishWindow::ResetDocument() {
    ReleaseInfoManager();
    DeleteAnalysis(-1);
    DeleteAllStructures();
    DeleteThermalModel();
    g_RebarList.Clear();
    for (auto& s : ShapeTable)
        s.reset();
    for (auto& s : StandardTable)
        s.reset();
    return 1;
}

int TQuarvishWindow::ResizeInfoPanes(int width, int height) {
    if (width < 1 || height < 1)
        return 0;
    // The callouts are collected afresh for the current section at the new size.
    LetGoOfInfoManager();
    ResizeInfoManager(width, height);
    UpdateInfoManager(CalloutStructure());
    return 1;
}

// The callouts label the reinforcement of a beam section; a membrane element has none.
const TStructure* TQuarvishWindow::CalloutStructure() const {
    const TStructure* s = GetCurrentStructure();
    return s && s->GetKind() == kKindBeam ? s : nullptr;
}

void TQuarvishWindow::RefreshStructureViews(int flag) {
    if (flag == 0) {
        // The structure was edited: its results no longer hold, and the table is put in order
        // by name with each analysis moving with its structure and the member zones following
        // their sections.
        StopAnalysis();
        m_viewManager->DetachAllStructures();
        if (TStructure* s = GetCurrentStructure())
            s->Validate();
        // What the edit (or a catalogue) put in a section is held as its document gives it
        // back, validated as a reopened section is, so that the section saved and reopened is
        // this one.
        KeepSectionsAsDocumentsGiveThem();
        DeleteAnalysis(g_CurrentStructure);
        DeleteThermalModel();
        RenumberSections();
        const std::vector<const TStructure*> before = TableOrder();
        SortSections(g_Structures, g_Analyses, g_CurrentStructure);
        g_CurrentAnalysis = g_CurrentStructure;
        RelinkSectionIds();
        // A member response finds its zones' sections by the slots they had when it was
        // solved: one whose sections moved no longer shows its own member.
        for (const int slot : MemberResponsesOverMovedSections(before))
            DeleteAnalysis(slot);
        m_viewManager->CreateLogic(1, GetCurrentStructure(), nullptr);
        CmCrossSection();
    } else {
        // Only the display follows: the current element shown again in the layout there is.
        if (CurrentLayoutMode() == LayoutMode::Summary)
            UpdateInfoManager(CalloutStructure());
        m_viewManager->RebuildPanels();
        if (TSectionalAnalysis* a = GetCurrentAnalysis())
            ShowResults(a->GetCurrentState(), -1, kUndefined, kUndefined);
        else if (CurrentLayoutMode() == LayoutMode::Summary)
            SetStatusText(CrossSectionModeText());
        else
            ShowAnalysisStatus(nullptr);  // no loads of another element stay in the status bar
    }
    ShowCurrentInCaption();
    m_structuresChanged = 0;
}

void TQuarvishWindow::ShowAnalysisStatus(const SectionState* state) {
    const bool factored = ResistanceFactorsApplied();
    const std::string tag = factored ? "(FACTORED) " : "";
    const char* sub = factored ? "f" : "";
    std::array<double, 6> r{};
    const TSectionalAnalysis* a = GetCurrentAnalysis();
    // A load that rounds to zero shows as 0.0, not -0.0.
    const auto shown = [](double v, int kind) { return UnsignedZero(ToDisplayUnits(v, kind), 1); };
    plat::Frame* frame = m_app ? m_app->GetMainWindow() : nullptr;
    if (m_viewManager && m_viewManager->GetLayoutMode() == LayoutMode::Pushover) {
        // The pushover shows the member's marked point: its load factor, deflection and axial load.
        const std::string text = tag + "Full Member Analysis";
        if (frame)
            frame->SetMessageText(text);
        m_viewManager->SetStatusText(text);
        if (frame && a && a->GetStateResults(nullptr, r, 1)) {
            const std::string number = setup_units("%5.~f", 1, 2, 2, g_UnitSystem);
            // As many decimals as the format shows (2 in US and metric units, else 1): no -0.0.
            const int digits = g_UnitSystem == 1 || g_UnitSystem == 2 ? 2 : 1;
            const auto value = [digits](double v, int kind) { return UnsignedZero(ToDisplayUnits(v, kind), digits); };
            frame->SetGadgetText(405, StrPrintf("Load Factor : %5.1f", r[4]));
            frame->SetGadgetText(406, StrPrintf(("Dy%s : " + number + " %s").c_str(), sub,
                                                value(r[1], ukSectionLength), UnitLabel(ukSectionLength)));
            frame->SetGadgetText(407, StrPrintf(("Axial%s : " + number + " %s").c_str(), sub,
                                                value(r[5], ukForce), UnitLabel(ukForce)));
        }
        return;
    }
    if (!a || !m_app || !a->GetStateResults(state, r, 2)) {
        SetStatusText(tag);
        return;
    }
    if (!frame)
        return;
    if (const TStructure* s = GetCurrentStructure(); s && s->GetKind() != kKindBeam) {
        // A membrane element's results four to six are its applied stresses, not forces and a
        // moment: shown in stress units, as its information panel shows them.
        const auto stress = [](double v) { return UnsignedZero(ToDisplayUnits(v, ukStress), 2); };
        frame->SetGadgetText(405, StrPrintf("Stress-X%s : %5.2f %s", sub, stress(r[3]), UnitLabel(ukStress)));
        frame->SetGadgetText(406, StrPrintf("Stress-Y%s : %5.2f %s", sub, stress(r[4]), UnitLabel(ukStress)));
        frame->SetGadgetText(407, StrPrintf("Shear%s : %5.2f %s", sub, stress(r[5]), UnitLabel(ukStress)));
    } else {
        frame->SetGadgetText(405, StrPrintf("N%s : %5.1f %s", sub, shown(r[3], 1), UnitLabel(1)));
        frame->SetGadgetText(406, StrPrintf("M%s : %5.1f %s", sub, shown(r[4], 2), UnitLabel(2)));
        frame->SetGadgetText(407, StrPrintf("V%s : %5.1f %s", sub, shown(r[5], 1), UnitLabel(1)));
    }
    frame->SetMessageText(tag + "Current Loads");
    if (m_viewManager)
        m_viewManager->SetStatusText(tag + "Current Loads");
}

void TQuarvishWindow::SelectLoadStage(double x, double y, int stage) {
    TSectionalAnalysis* a = GetCurrentAnalysis();
    if (stage == -1 || !a || !a->SelectLoadStage(stage))
        return;
    a->BuildResultCurves();
    // A code of 20000 and above is no load stage (a depth picked on the depth chart, or "the
    // stage selected at the moment"): the stage shown stays, the analysis's current state, not
    // the stage it last handed out to a reader; the panels still get the code.
    const bool probe = stage >= TViewm_Base::kProbeCode;
    const SectionState* state = probe ? a->GetCurrentState() : a->GetStage(stage);
    if (!probe)
        m_shownStage = stage;
    ShowResults(state, stage, x, y);
}

void TQuarvishWindow::TakeNewSectionDefaults(const TStructure& structure) {
    if (const ConcreteTypeRec* c = structure.GetConcreteType(0)) {
        MaterialDefaults.fc = c->fc;
        MaterialDefaults.aggregate = c->aggregate;
    }
    if (const SteelTypeRec* st = structure.GetSteelType(0))
        MaterialDefaults.fy = st->fy;
    g_DefaultDoneBy = structure.GetDoneBy();
}

// Reads a file of an older kind into a beam of its own first. A file it cannot read leaves
// everything open as it was, running analyses and views included (the reader has said why),
// unless it is the default file, whose place the default section then takes. Otherwise the
// beam replaces the open document.
bool TQuarvishWindow::LoadOlderFile(const std::string& path) {
    const DocumentReadScope settings;
    int read = 0;
    std::unique_ptr<TBeam> beam;
    {
        const SectionLabelPromptScope prompt;
        beam = std::make_unique<TBeam>(path, read);
    }
    if (!read && KeepOpenDocument(path, settings))
        return false;
    DropDocument();
    g_Structures[static_cast<std::size_t>(g_CurrentStructure)] = std::move(beam);
    return read != 0;
}

void TQuarvishWindow::DropDocument() {
    LetGoOfDocument();
    DeleteAnalysis(-1);
    DeleteAllStructures();
    // The fire model belongs to the document being replaced.
    DeleteThermalModel();
    DetachViews();
}

// The member definition from the values a beam's file stored for it.
void TQuarvishWindow::MemberFromBeam(const TBeam& beam, const TStructureSlots& document) {
    TMemberQuickDef stored;
    beam.GetStoredValues(stored);
    // A member of the document being read: nothing of the one before stays, not even the
    // section its zone named; the member is made of the document's first section.
    TMemberDefinition member;
    member.zoneCount = 0;
    SetMemberFromQuickDefinition(document, stored, member);
    g_MemberDefinition = member;
}

// A document without member settings gives its first section the member a new section of its
// height gets, as a file of an older format does; a member the section itself brings (its
// "eleminfo") is kept, made whole where it does not describe one.
void TQuarvishWindow::MemberWithoutSettings() {
    const StructureTableSlots slots(g_Structures);
    TStructure* s = g_Structures[static_cast<std::size_t>(FirstSectionSlot(slots))].get();
    if (s == nullptr || s->GetKind() != kKindBeam)
        return;
    auto& beam = static_cast<TBeam&>(*s);
    TMemberQuickDef stored;
    beam.GetStoredValues(stored);
    if (stored == TMemberQuickDef{}) {
        TMemberDefinition member;
        SetMemberDefinitionFromSection(slots, member, beam);
        g_MemberDefinition = member;
    } else if (CompleteMemberValues(stored, beam.GetHeight())) {
        beam.SetStoredValues(stored);
        MemberFromBeam(beam, slots);
    }
}

// Stops every analysis and detaches the mode object before the document is replaced.
void TQuarvishWindow::LetGoOfDocument() {
    StopAnalysis();
    // The mode object lets go of the structures before they are replaced.
    m_viewManager->CreateLogic(0, nullptr, nullptr);
}

// A file refused by its reader leaves everything open as it was (the reader has said why):
// the structures, analyses and views, and every setting the read changed. The default file
// is the exception: its place is then taken by the default section.
bool TQuarvishWindow::KeepOpenDocument(const std::string& path, const DocumentReadScope& settings) {
    if (IsProgramDirFile(path, m_defaultFileName))
        return false;
    settings.Restore();
    m_documentKept = true;
    return true;
}

// Reads an XML document into a table of its own, each structure in the slot of its
// component, and puts it in the place of the open document. A structure read whole but
// refused because it cannot be analysed costs only itself, as an unknown component does: its
// slot stays empty, its message is all that is said of it, and the document is opened without
// it (its file, which still holds it, is then saved through Save As). A document of nothing
// else, or one with any other refusal, leaves everything open as it was, as an older file
// that cannot be read does; one that holds no structure at all is replaced by the default
// section.
bool TQuarvishWindow::LoadXmlDocument(const std::string& path, std::string& text) {
    const DocumentReadScope settings;
    TDocumentEngine& engine = GetDocumentEngine();
    engine.BeginRead(text);
    StructureTableSlots::Table work;
    StructureTableSlots::Table leftOut;
    // The document has no current slot while it is read: its member takes the first.
    const StructureTableSlots document(work, 0);
    bool ok = true;
    std::string name;
    // Member settings name their sections: they are read once every section of the
    // document is in the table, wherever they stand in the file.
    std::vector<int> memberComponents;
    // The first rejected component ends the load (its message is the only one).
    for (int i = 0; ok && engine.FindComponent(text, i, name); ++i) {
        if (i >= kMaxStructures) {
            AddLoadError(StrPrintf("The document holds more than %d components; the rest were not loaded.",
                                   kMaxStructures));
            break;
        }
        auto& slot = work[static_cast<std::size_t>(i)];
        if (name == "q3g_beam") {
            slot = std::make_unique<TBeam>();
        } else if (name == "p3g_shell") {
            slot = std::make_unique<TShell>(0);
        } else if (name == "Q2010_Analysis") {
            memberComponents.push_back(i);
            continue;
        } else {
            plat::MessageBox(StrPrintf("Definition type %s not loaded.  XML File Component %d ignored.",
                                       name.c_str(), i + 1),
                             "Load Error", MsgStyle::IconExclamation);
            continue;
        }
        if (engine.ReadStructure(text, i, *slot)) {
            if (name == "q3g_beam")
                MemberFromBeam(static_cast<const TBeam&>(*slot), document);
        } else if (engine.RefusedAsUnanalysable()) {
            leftOut[static_cast<std::size_t>(i)] = std::move(slot);
        } else {
            ok = false;
        }
    }
    // A document that put no structure anywhere has failed to load; one that left slot 0
    // empty shows its first structure.
    const int first = FirstFilledSlot(work);
    const bool anyLeftOut = FirstFilledSlot(leftOut) >= 0;
    if ((!ok || (first < 0 && anyLeftOut)) && KeepOpenDocument(path, settings))
        return false;
    // A zone naming an element left out finds it, rather than being reported a second time,
    // and then takes the document's first section.
    const SectionsWithLeftOut named(work, leftOut);
    for (const int i : memberComponents) {
        if (!ok)
            break;
        ok = engine.ReadAnalysisSettings(text, i, named);
        // Settings read half-way go with the refused document, unchecked.
        if (ok)
            engine.CommitAnalysisSettings();
    }
    if (!ok && KeepOpenDocument(path, settings))
        return false;
    if (ok && !memberComponents.empty() && anyLeftOut)
        for (int z = 0; z < std::clamp(g_MemberDefinition.zoneCount, 0, kMaxMemberZones); ++z) {
            int& slot = g_MemberDefinition.zones[static_cast<std::size_t>(z)].structureIndex;
            if (document.GetStructure(slot) == nullptr && named.GetStructure(slot) != nullptr)
                slot = FirstSectionSlot(document);
        }
    DropDocument();
    if (!ok || first < 0) {
        ClearStructures();
        g_Structures[0] = std::make_unique<TBeam>();
        return false;
    }
    std::swap(g_Structures, work);
    g_CurrentStructure = first;
    g_CurrentAnalysis = first;
    if (memberComponents.empty())
        MemberWithoutSettings();
    ReportStructuresWithoutConcrete(g_Structures);
    m_elementsLeftOut = anyLeftOut;
    return true;
}

// Reads a file into the tables: an XML document by the engine, any other file by the beam's
// own readers.
void TQuarvishWindow::LoadDocument(const std::string& path, int& ok, int& isDefault) {
    const FileNamingReporter naming(path);
    ok = 1;
    m_documentKept = false;
    m_elementsLeftOut = false;
    TTextBuffer buffer;
    (void)buffer.LoadFromFile(path);  // a missing file reads as empty text
    std::string text = buffer.GetText();
    m_olderFormat = !GetDocumentEngine().IsDocument(text);
    if (m_olderFormat) {
        ok = LoadOlderFile(path) ? 1 : 0;
        if (const TStructure* s = GetCurrentStructure(); s && !m_documentKept && s->GetKind() == kKindBeam)
            MemberFromBeam(static_cast<const TBeam&>(*s), StructureTableSlots(g_Structures));
    } else {
        ok = LoadXmlDocument(path, text) ? 1 : 0;
    }
    // A file read in other units than the program's, or in a format of its own, opens as the
    // section its document gives back.
    if (ok && !m_documentKept)
        KeepSectionsAsDocumentsGiveThem();
    // The mode object follows the current structure of what was read.
    if (!m_documentKept && m_viewManager)
        m_viewManager->CreateLogic(0, GetCurrentStructure(), nullptr);
    ShowReportTextDialog(this);
    // A refused file left the document open before as it was, or was the default file.
    if (!ok)
        return;
    isDefault = IsProgramDirFile(path, m_defaultFileName) ? 1 : 0;
    if (!isDefault) {
        SetQuickDefineNew(0);
        CmCrossSection();
    } else if (TStructure* s = GetCurrentStructure()) {
        TakeNewSectionDefaults(*s);
        s->StampDate();
    }
}
