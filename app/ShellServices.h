#pragma once
// What the view manager, the mode objects and the dialogs may ask of the application shell:
// the status text and caption, the current file and saving it, the structure and analysis
// tables and the analysis status. They receive this interface instead of the application or
// the main window.

#include <string>

#include "member/fire/TStructureSlots.h"

struct SectionState;
class TSectionalAnalysis;

class TShellServices : public TStructureSlots {
public:
    // The message bar's text.
    virtual void SetStatusText(const std::string& text) = 0;
    // "Quarvish  -  <file base name>  -  <text>" as the frame's caption.
    virtual void UpdateCaption(const std::string& text) = 0;
    virtual std::string GetFileName() const = 0;
    // The save sequence of the document; true only when it was written.
    virtual bool SaveDocument() = 0;
    // The analysis of a slot and the current one (null when there is none).
    virtual TSectionalAnalysis* GetAnalysis(int slot) const = 0;
    virtual TSectionalAnalysis* GetCurrentAnalysis() const = 0;
    // Rewrites the analysis status for a state (null: the current loads).
    virtual void ShowAnalysisStatus(const SectionState* state) = 0;
    virtual int GetDebugLevel() const = 0;
};

class T_2kWindow;

// The services over the main window, its application and the global tables.
class TQuarvishShell final : public TShellServices {
public:
    explicit TQuarvishShell(T_2kWindow& window);

    int GetSlotCount() const override;
    TStructure* GetStructure(int slot) const override;
    int GetCurrentStructure() const override;
    // Stores into an empty slot only.
    int StoreStructure(int slot, std::unique_ptr<TStructure> structure) override;
    void SetStatusText(const std::string& text) override;
    void UpdateCaption(const std::string& text) override;
    std::string GetFileName() const override;
    bool SaveDocument() override;
    TSectionalAnalysis* GetAnalysis(int slot) const override;
    TSectionalAnalysis* GetCurrentAnalysis() const override;
    void ShowAnalysisStatus(const SectionState* state) override;
    int GetDebugLevel() const override;

private:
    T_2kWindow& m_window;
};
