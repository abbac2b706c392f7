#include "app/GlobalTables.h"

#include <algorithm>

#include "analysis/TSectionalAnalysis.h"
#include "model/TStructure.h"

std::array<std::unique_ptr<TStructure>, kMaxStructures> g_Structures;
std::array<std::unique_ptr<TSectionalAnalysis>, kMaxStructures> g_Analyses;
int g_CurrentStructure = 0;
int g_CurrentAnalysis = 0;
std::string g_AppTitle;
std::string g_StartupFile;
int g_PrintInColour = 1;
double g_QuickDefineDefault = 0.04;

bool IsValidSlot(int slot) { return slot >= 0 && slot < kMaxStructures; }

TStructure* StructureAt(int slot) {
    return IsValidSlot(slot) ? g_Structures[static_cast<std::size_t>(slot)].get() : nullptr;
}

int FilledSlotAfter(int slot) {
    for (int i = std::max(slot + 1, 0); i < kMaxStructures; ++i)
        if (g_Structures[static_cast<std::size_t>(i)])
            return i;
    return -1;
}

int FilledSlotBefore(int slot) {
    for (int i = std::min(slot - 1, kMaxStructures - 1); i >= 0; --i)
        if (g_Structures[static_cast<std::size_t>(i)])
            return i;
    return -1;
}

TSectionalAnalysis* AnalysisAt(int slot) {
    return IsValidSlot(slot) ? g_Analyses[static_cast<std::size_t>(slot)].get() : nullptr;
}

bool IsInStructureTable(const TStructure* structure) {
    if (!structure)
        return false;
    for (const auto& slot : g_Structures)
        if (slot.get() == structure)
            return true;
    return false;
}
