#pragma once
// TQuarvishWindow: the main window. It keeps no document data of its own: the open
// structures and their analyses live in the global tables, and this window is the only code
// that stores analyses there, selects the current slot, stops analyses and clears the tables.

#include "app/T_2kWindow.h"

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

    void SelectLoadStage(double x, double y, int stage) override;
    void OnPageClick(unsigned keyFlags, int x, int y, int code, int index) override;

private:
    // Reads a file of an older kind; false (everything kept) when it cannot be read.
    bool LoadOlderFile(const std::string& path);
    // Takes the defaults of new sections from the default document's structure.
    void TakeNewSectionDefaults(const TStructure& structure);
};

// Writes the start-up values of the program-wide settings.
void WriteStartupDefaults();
