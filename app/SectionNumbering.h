#pragma once
// Keeping the member definition's zones on the right sections while the structure table is
// reordered, and the table's order by title.
//
// Before the table is edited, RenumberSections gives every structure its slot as its number
// and marks the structures a member zone uses; after the edit RelinkSectionIds moves each
// zone to the slot that now holds the structure of the zone's old number. A zone whose
// structure has left the table loses its reference (-1), so the member analysis reports the
// missing section instead of quietly taking whatever now fills the old slot.

#include <array>
#include <memory>

#include "app/GlobalTables.h"

struct TMemberDefinition;
class TSectionalAnalysis;
class TStructure;

using StructureTable = std::array<std::unique_ptr<TStructure>, kMaxStructures>;

// The zone reference of a section that has left the table.
inline constexpr int kNoZoneSection = -1;

int RenumberSections(StructureTable& table, TMemberDefinition& member);
// Returns 1; each zone whose section is gone gets one index-guard message.
int RelinkSectionIds(const StructureTable& table, TMemberDefinition& member);
// The same on g_Structures and g_MemberDefinition.
int RenumberSections();
int RelinkSectionIds();

// Sorts the occupied slots by title (byte order; empty slots first), renames the second of
// two equal titles by appending "X" until titles are unique, and sets current to the slot of
// the element that was current (the first of its title). True when a name was changed.
// The structures' numbers are left alone: they still name the slots they had when
// RenumberSections ran, which RelinkSectionIds needs after a sort.
bool SortSections(StructureTable& table, int& current);
// The same with the analysis table: each analysis moves with its structure to its new slot.
using AnalysisTable = std::array<std::unique_ptr<TSectionalAnalysis>, kMaxStructures>;
bool SortSections(StructureTable& table, AnalysisTable& analyses, int& current);

// Room of the default report text.
inline constexpr std::size_t kDefaultReportTextRoom = 8192;
// Replaces the shared report text by "No data to report" (what was there is released).
void SetDefaultReportText();
