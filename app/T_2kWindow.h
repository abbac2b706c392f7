#pragma once
// T_2kWindow: the base of the main window, the client of the main frame. It sets the debug
// level and installs the displays the analysis code shows at its debug levels; it holds the
// program title and default file name, the structures-changed flag and the application,
// answers the commands that do not depend on the kind of structure, asks to save before
// closing and writes the document.

#include <array>
#include <memory>
#include <string>

#include "charts/TMixinChartOwner.h"
#include "platform/Window.h"

class Reporter;
struct SectionState;
class TQuarvishApp;
class TSectionalAnalysis;
class TShellServices;
class TStructure;
class TViewm_2k;

class T_2kWindow : public plat::Window, public TMixinChartOwner {
public:
    explicit T_2kWindow(const std::string& title);
    ~T_2kWindow() override;

    // ---- Framework operations ------------------------------------------------------------
    void SetupWindow() override;
    bool CanClose() override;
    void Paint(plat::DC& dc, bool erase, const plat::Rect& rect) override;
    void EvSize(plat::Size size) override;
    void EvLButtonDblClk(unsigned keyFlags, plat::Point p) override;
    void EvRButtonDown(unsigned keyFlags, plat::Point p) override;
    // Commands first; then the notifications of the control panel's controls.
    bool EvCommand(int id, int control, int notifyCode) override;

    // ---- Own operations ------------------------------------------------------------------
    virtual void StopAnalysis() = 0;
    virtual void PromptDebugMode();
    virtual void RefreshStructureViews(int flag) = 0;
    virtual int ClearStructures() = 0;
    virtual void ShowAnalysisStatus(const SectionState* state) = 0;
    // Finishes and deletes the analysis of a slot, or every analysis for -1.
    virtual int DeleteAnalysis(int slot);
    // Deletes every structure; both current indices become 0.
    virtual int DeleteAllStructures();
    virtual int ResetDocument() = 0;
    virtual int ResizeInfoPanes(int width, int height);
    virtual int IsModified();
    virtual int ClearModified();
    // Marks the document changed by what no one structure holds (the member definition): the
    // first structure of the table carries the mark, wherever the table's order put it.
    void MarkDocumentModified();
    virtual void ShowResults(const SectionState* state, int stage, double x, double y);
    // The single, four and nine-graph layouts with their default choices.
    virtual void ShowSingleGraphLayout();
    virtual void ShowFourGraphLayout();
    virtual void ShowNineGraphLayout();
    virtual TSectionalAnalysis* GetCurrentAnalysis() const = 0;
    virtual TStructure* GetCurrentStructure() const = 0;
    // Replaces everything open with the file's contents (ok: all accepted; isDefault: the
    // file is the default document beside the program).
    virtual void LoadDocument(const std::string& path, int& ok, int& isDefault) = 0;
    // True when the last LoadDocument refused its file and left everything open as it was.
    bool DocumentKept() const { return m_documentKept; }
    // True when the last file LoadDocument read was of an older format, not an XML document.
    bool ReadFromOlderFormat() const { return m_olderFormat; }
    // True when the last LoadDocument opened its XML document without structures it refused
    // as unanalysable: the file holds more than the document open.
    bool LeftElementsOut() const { return m_elementsLeftOut; }

    // The save question: true when the user may go on (nothing to save, No, or saved).
    bool QuerySave();
    // Writes every open structure and the member settings into the file, replacing it only
    // once the whole document is written; clears the modified flags on success.
    bool WriteDocument(const std::string& fileName);
    // The whole document as text; false when the engine refused it.
    bool BuildDocumentText(std::string& text);
    void SetStatusText(const std::string& text);
    // The frame's caption names the current section (after every road that renames it or
    // makes another one current).
    void ShowCurrentInCaption();
    void ShowSplash();
    // One line of a convergence trace on the client area, with the default pen; nothing at
    // debug level 0.
    void DrawDebugLine(int x1, int y1, int x2, int y2);
    // The analysis code's display of a state it has solved (debug levels 1 and 2): shown in
    // the views, the page painted whole, when the current analysis has a stage to show; 0
    // when it has none.
    int ShowDebugState(const SectionState& state);
    // Detaches the item from every panel chart that shows it; returns 1.
    int DetachFromPanelCharts(const TStructure* item);
    TViewm_2k& GetViewManager() const { return *m_viewManager; }
    TShellServices& GetServices() const { return *m_services; }
    void MarkStructuresChanged() { m_structuresChanged = 1; }
    void SetPreviewing(int flag) { m_previewing = flag; }
    int IsPreviewing() const { return m_previewing; }
    // A printout lays the window out for its page between these two; the screen's font
    // heights of the panels are kept and put back.
    void BeginPrintLayout();
    void EndPrintLayout();
    int StructuresChanged() const { return m_structuresChanged; }
    int GetDebugLevel() const;
    const std::string& GetProgramTitle() const { return m_programTitle; }
    const std::string& GetDefaultFileName() const { return m_defaultFileName; }
    TQuarvishApp* GetApp() const { return m_app; }
    void SetApp(TQuarvishApp* app) { m_app = app; }

    // ---- Commands ------------------------------------------------------------------------
    void CmFileNew();
    void CmCrossSection();
    // The load stage shown: the stage chosen on the first control chart, which follows every
    // stage shown (picked, stepped to, or the analysis's own after a run or a rebinding); the
    // stage last selected while that chart does not exist.
    int ShownStage() const;
    void CmPrevLoadStage();
    void CmNextLoadStage();
    void CmCatalog();
    void CmPrintInColour();
    void CmViewXml();
    void CmCopyPicture();
    // The box commands of the result pages, with their enablers.
    void CmInsertGraphic();
    void CmInsertTextBox();
    void CmInsertChart();
    void CmDeleteSelection();
    void CmObjectOptions();
    // The selection of a box on the page (the view manager keeps it).
    void SetActiveChart(TBoxItem* box, int kind) override;
    // Enabled while there is a current structure.
    void CeCurrentStructure(plat::CommandEnabler& ce);

protected:
    // Everything that keeps a structure or an analysis lets go of it (they are about to be
    // deleted or replaced); BindToTables binds the mode object again to the current slot.
    void LetGoOfTables();
    void BindToTables();
    // Every section of the table holds its values as its document, written in the program's
    // unit system, gives them back (KeepAsDocumentGivesBack); a frozen one is left as it is.
    void KeepSectionsAsDocumentsGiveThem();

    int m_previewing = 0;
    std::string m_programTitle;
    std::string m_defaultFileName = "not set yet!";
    int m_structuresChanged = 0;
    bool m_documentKept = false;
    bool m_olderFormat = false;
    bool m_elementsLeftOut = false;
    TQuarvishApp* m_app = nullptr;
    // The load stage last selected (-1 before any): the stage shown while there is no first
    // control chart to name it.
    int m_shownStage = -1;
    // Created by the derived window's constructor.
    std::unique_ptr<TShellServices> m_services;
    std::unique_ptr<TViewm_2k> m_viewManager;

private:
    // Shows the texts of the computing code in "View Data" while the window is set up; the
    // reporter installed before it takes the messages.
    std::unique_ptr<Reporter> m_dataViewReporter;
    Reporter* m_reporterBefore = nullptr;
    // Reads an edited document into working copies; true when they may replace the tables.
    bool ReadEditedDocument(std::string& text, std::array<std::unique_ptr<TStructure>, 300>& work);
    void ReplaceStructures(std::array<std::unique_ptr<TStructure>, 300>& work, int current);
};

// Shows every stored error of an analysis, one message box each, in stored order.
void ShowAnalysisErrors(const TSectionalAnalysis* analysis);
// One box for each structure of a table just read whose concrete leaves a depth uncovered,
// naming it (TStructure::DescribeMissingConcrete); it is kept as read, and solving it says so
// again.
void ReportStructuresWithoutConcrete(const std::array<std::unique_ptr<TStructure>, 300>& table);
// The first slot of a table that holds a structure; -1 when none does.
int FirstFilledSlot(const std::array<std::unique_ptr<TStructure>, 300>& table);

// The text "FACTORED" when the resistance factors are not all 1, else "Cross Section".
std::string CrossSectionModeText();
// True when |phi_c + phi_s + phi_p - 3| is at least 0.001.
bool ResistanceFactorsApplied();
