#pragma once
// TQuarvishWindow: the main window. It keeps no document data of its own: the open
// structures and their analyses live in the global tables, and this window is the only code
// that stores analyses there, selects the current slot, stops analyses and clears the tables.

#include <functional>
#include <memory>

#include "app/T_2kWindow.h"

class TStructure;
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

    void SelectLoadStage(double x, double y, int stage) override;
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

private:
    // Steps 2 on of the road (the strain prompts come between step 1 and these).
    void ReplaceAnalysis(const AnalysisBuilder& build);
    // Reads a file of an older kind; false (everything kept) when it cannot be read.
    bool LoadOlderFile(const std::string& path);
    // Takes the defaults of new sections from the default document's structure.
    void TakeNewSectionDefaults(const TStructure& structure);
};

// Writes the start-up values of the program-wide settings.
void WriteStartupDefaults();
