#pragma once
// TQuarvishWindow: the main window. It keeps no document data of its own: the open
// structures and their analyses live in the global tables, and this window is the only code
// that stores analyses there, selects the current slot, stops analyses and clears the tables.

#include <functional>
#include <memory>

#include "app/T_2kWindow.h"

class DocumentReadScope;
class TBeam;
class TStructure;
class TStructureSlots;
struct StrainPoints;

class TQuarvishWindow : public T_2kWindow {
public:
    explicit TQuarvishWindow(const std::string& title);
    ~TQuarvishWindow() override;

    void SetupWindow() override;
    void StopAnalysis() override;
    void RefreshStructureViews(int flag) override;
    int ClearStructures() override;
    void ShowAnalysisStatus(const SectionState* state) override;
    int ResetDocument() override;
    int ResizeInfoPanes(int width, int height) override;
    TSectionalAnalysis* GetCurrentAnalysis() const override;
    TStructure* GetCurrentStructure() const override;
    void LoadDocument(const std::string& path, int& ok, int& isDefault) override;

    // One step of every running analysis, with the throttled redraws of the current one.
    bool IdleAction(long idleCount) override;
    // "Stop &Analysis", and the print preview before it opens: the running analyses are
    // finished, and when the current one was among them the window shows the stage its run
    // ended on, as when it ends by itself. An analysis that had ended keeps the stage shown.
    void CmStopAnalysis();

    void SelectLoadStage(double x, double y, int stage) override;
    // The current beam in a box: its picture with callouts (mode non-zero), else its outline
    // fitted to the box's height (the depth chart). Other structures draw nothing.
    void DrawStructurePicture(plat::DC& dc, int mode, int width, int height, int fill, double textScale) override;
    void OnPageClick(unsigned keyFlags, int x, int y, int code, int index) override;

    // The solve commands' one road: the slot's old analysis is deleted, then the analysis that
    // build makes over the current structure takes its place, is bound to the views and shown,
    // and the errors of its construction follow. member: "Member &Response" (it keeps a
    // pushover layout).
    using AnalysisBuilder = std::function<std::unique_ptr<TSectionalAnalysis>(TStructure& structure)>;
    void Solve(const AnalysisBuilder& build, bool member = false);

    void CmSectionalResponse();
    void CmInteraction(int command);
    void CmOneLoad();
    void CmStrain(bool twoPoints);
    void CmMemberResponse();
    void CmMoreDetail();
    void CmUnloadReload(int unload);
    void CmFullMemberResults();
    void CmLoadDeformationPlot();
    void CmMohrsCircles();

    // ---- Definition, element and page commands (DefinitionCommands.cpp) -------------------
    void CmQuickDefine();
    void CmEditGeneral(int firstField);
    void CmMaterialProperties();
    void CmConcreteSection(int row);
    void CmTransverseReinforcement(int row);
    // Rows of an individual layer, a circular pattern and a distributed pattern (-1: none).
    void CmLongitudinalReinforcement(int layerRow, int circularRow, int distributedRow);
    void CmTendons(int row);
    void CmSectionalLoads();
    void CmTimeDependentEffects();
    // Mode 0 shrinkage and thermal strains, 1 strain discontinuity.
    void CmShrink(int mode);
    // fireView: "F&ire", which only shows the fire graphs once a fire model exists.
    void CmFire(bool fireView);
    void CmFullMemberProperties();
    void CmMemberDefinition();
    void CmNextElement();
    void CmPreviousElement();
    void CmDefineData();
    void CmClearValueLists();
    void CmClampingStress();
    void CmPreferences();
    // The program's web page in the desktop's browser.
    void OpenWebPage();
    // What a hit on the summary page opens (the hit codes of the page's hit test).
    void PageHitAction(int hit, int index);
    // The control choice of the graphs the fire road showed last (0: none).
    int FireGraphsShown() const { return m_fireGraphsShown; }

private:
    // Steps 2 on of the road (the strain prompts come between step 1 and these).
    void ReplaceAnalysis(const AnalysisBuilder& build);
    void AddDefinitionCommands();
    // A dialog on the current structure; the views follow when it changed something.
    void RunStructureDialog(const std::function<int(TStructure&)>& dialog);
    // The post-fire beam of the current structure becomes current with the fire graphs.
    void FireRoad();
    // Makes the slot current for structure and analysis and shows it.
    void SwitchElement(int slot);
    // Binds the mode object to the slot's structure (and analysis, when asked).
    void BindViews(int slot, bool withAnalysis);
    // Detaches the mode object from every structure (the tables are about to be replaced).
    void DetachViews();
    // The current structure when it is a beam section (the one the callouts label), else null.
    const TStructure* CalloutStructure() const;
    // The layout shown now; the summary page is layout 3.
    int CurrentLayoutMode() const;
    void ShowFireGraphs();

    // Stops every analysis and detaches the mode object: the document is about to be replaced.
    void LetGoOfDocument();
    // Lets go of the open document and empties the tables for the one read.
    void DropDocument();
    // Reads a file of an older kind; false (everything kept) when it cannot be read.
    bool LoadOlderFile(const std::string& path);
    // Reads an XML document's text; false (everything kept) when it is refused.
    bool LoadXmlDocument(const std::string& path, std::string& text);
    // After a refused read: true when the open document stays, with every setting the read
    // changed put back; false for the default file, whose place the default section takes.
    bool KeepOpenDocument(const std::string& path, const DocumentReadScope& settings);
    // Takes the defaults of new sections from the default document's structure.
    void TakeNewSectionDefaults(const TStructure& structure);
    // The member of the beam just read, made over the sections of its document.
    void MemberFromBeam(const TBeam& beam, const TStructureSlots& document);
    // The member of a document that brings no member settings.
    void MemberWithoutSettings();

    int m_fireGraphsShown = 0;
};

// The structure table as the fire analysis stores its post-fire beam in it.
TStructureSlots& ProgramStructureSlots();

// Runs the thermal analysis of a structure and answers the slot of its post-fire beam.
using ThermalRunner = std::function<int(TStructure* structure, TStructureSlots& slots)>;
// Replaces the thermal analysis (tests); an empty runner restores it. Returns the previous.
ThermalRunner SetThermalRunner(ThermalRunner runner);

// The page of the longitudinal reinforcement sheet to open: 0 individual layers, 1 circular
// patterns, 2 distributed patterns. A given row chooses its page; with none, the kind with
// more layers than both others does.
int LongitudinalOpeningPage(const TStructure& s, int layerRow, int circularRow, int distributedRow);

// Writes the start-up values of the program-wide settings.
void WriteStartupDefaults();
