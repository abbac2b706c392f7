#include "app/ShellServices.h"

#include "app/GlobalTables.h"
#include "app/T_2kWindow.h"
#include "app/TQuarvishApp.h"
#include "model/TStructure.h"

TQuarvishShell::TQuarvishShell(T_2kWindow& window) : m_window(window) {}

int TQuarvishShell::GetSlotCount() const { return kMaxStructures; }
TStructure* TQuarvishShell::GetStructure(int slot) const { return StructureAt(slot); }
int TQuarvishShell::GetCurrentStructure() const { return g_CurrentStructure; }

int TQuarvishShell::StoreStructure(int slot, std::unique_ptr<TStructure> structure) {
    if (!IsValidSlot(slot) || StructureAt(slot))
        return 0;
    g_Structures[static_cast<std::size_t>(slot)] = std::move(structure);
    return 1;
}

void TQuarvishShell::SetStatusText(const std::string& text) { m_window.SetStatusText(text); }

void TQuarvishShell::UpdateCaption(const std::string& text) {
    if (TQuarvishApp* app = m_window.GetApp())
        app->UpdateCaption(text);
}

std::string TQuarvishShell::GetFileName() const {
    const TQuarvishApp* app = m_window.GetApp();
    return app ? app->GetFileName() : std::string();
}

bool TQuarvishShell::SaveDocument() {
    TQuarvishApp* app = m_window.GetApp();
    return app && app->CmFileSave();
}

TSectionalAnalysis* TQuarvishShell::GetAnalysis(int slot) const { return AnalysisAt(slot); }
TSectionalAnalysis* TQuarvishShell::GetCurrentAnalysis() const { return m_window.GetCurrentAnalysis(); }
void TQuarvishShell::ShowAnalysisStatus(const SectionState* state) { m_window.ShowAnalysisStatus(state); }
int TQuarvishShell::GetDebugLevel() const { return m_window.GetDebugLevel(); }
