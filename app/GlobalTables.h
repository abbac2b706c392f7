#pragma once
// The structure and analysis tables: 300 slots each, slot i of the analysis table holding
// the analysis of structure slot i, with the current indices. The tables own their objects.
// Every index is checked where it is used: nothing is ever written past slot 299.

#include <array>
#include <memory>
#include <string>

#include "foundation/Units.h"

class TStructure;
class TSectionalAnalysis;

inline constexpr int kMaxStructures = 300;

extern std::array<std::unique_ptr<TStructure>, kMaxStructures> g_Structures;
extern std::array<std::unique_ptr<TSectionalAnalysis>, kMaxStructures> g_Analyses;
extern int g_CurrentStructure;
extern int g_CurrentAnalysis;

// The structure or analysis of a slot; null for an empty slot or an index outside 0..299.
TStructure* StructureAt(int slot);
TSectionalAnalysis* AnalysisAt(int slot);
bool IsValidSlot(int slot);
// The nearest slot after (before) the given one that holds a structure; -1 when there is none.
int FilledSlotAfter(int slot);
int FilledSlotBefore(int slot);
// True when the structure is held by the structure table (a view left bound to one that was
// replaced must not draw or read it).
bool IsInStructureTable(const TStructure* structure);

// The message-box caption of the main window (a copy of its title).
extern std::string g_AppTitle;
// The first command-line argument, or empty.
extern std::string g_StartupFile;
// 1 when printing keeps colours; 0 prints black with dash styles.
extern int g_PrintInColour;
// g_FileOverride (foundation/Units.h): while set, opening a document first resets the
// resistance factors to 1.0 (the preferences page changes it); the program starts with it set.
// Default value the quick-define wizard's reset reads.
extern double g_QuickDefineDefault;
