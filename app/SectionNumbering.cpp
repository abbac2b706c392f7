#include "app/SectionNumbering.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "analysis/TSectionalAnalysis.h"
#include "foundation/ReportText.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "member/TMemberDefinition.h"
#include "model/TStructure.h"

namespace {

int ZoneCount(const TMemberDefinition& member) { return std::clamp(member.zoneCount, 0, kMaxMemberZones); }

std::string TitleOf(TStructure& s)
{
    s.RefreshTitle();
    return s.GetTitle();
}

// Sorts slots 0 .. last occupied by title, empty slots first.
void SortByTitle(StructureTable& table)
{
    int last = -1;
    for (int i = 0; i < kMaxStructures; ++i)
        if (table[static_cast<std::size_t>(i)])
            last = i;
    std::stable_sort(table.begin(), table.begin() + (last + 1), [](const auto& a, const auto& b) {
        if (!a || !b)
            return !a && b;
        return TitleOf(*a) < TitleOf(*b);
    });
}

} // namespace

int RenumberSections(StructureTable& table, TMemberDefinition& member)
{
    for (int i = 0; i < kMaxStructures; ++i)
        if (TStructure* s = table[static_cast<std::size_t>(i)].get()) {
            s->SetReferenced(0);
            s->SetSectionId(i);
        }
    for (int z = 0; z < ZoneCount(member); ++z) {
        const int slot = member.zones[static_cast<std::size_t>(z)].structureIndex;
        if (slot >= 0 && slot < kMaxStructures && table[static_cast<std::size_t>(slot)])
            table[static_cast<std::size_t>(slot)]->SetReferenced(1);
    }
    return 1;
}

int RelinkSectionIds(const StructureTable& table, TMemberDefinition& member)
{
    for (int z = 0; z < ZoneCount(member); ++z) {
        int32_t& index = member.zones[static_cast<std::size_t>(z)].structureIndex;
        if (index < 0)
            continue; // cleared before: no section to look for
        int found = kNoZoneSection;
        for (int i = 0; i < kMaxStructures && found < 0; ++i)
            if (const TStructure* s = table[static_cast<std::size_t>(i)].get(); s && s->GetSectionId() == index)
                found = i;
        if (found < 0)
            ShowMessage(StrPrintf("The section of member zone %d (number %d) is no longer in the table.", z + 1,
                                  index),
                        "Index Guard", MsgStyle::IconExclamation);
        index = found;
    }
    return 1;
}

int RenumberSections() { return RenumberSections(g_Structures, g_MemberDefinition); }
int RelinkSectionIds() { return RelinkSectionIds(g_Structures, g_MemberDefinition); }

bool SortSections(StructureTable& table, int& current)
{
    std::string remembered;
    if (current >= 0 && current < kMaxStructures && table[static_cast<std::size_t>(current)])
        remembered = TitleOf(*table[static_cast<std::size_t>(current)]);
    bool renamed = false;
    // Each pass renames at least one duplicate, and there are at most 299 of them.
    for (int pass = 0; pass < kMaxStructures; ++pass) {
        SortByTitle(table);
        bool changed = false;
        TStructure* previous = nullptr;
        for (auto& slot : table) {
            if (!slot)
                continue;
            if (previous && TitleOf(*previous) == TitleOf(*slot)) {
                slot->SetName(previous->GetName() + "X");
                changed = true;
            }
            previous = slot.get();
        }
        if (!changed)
            break;
        renamed = true;
    }
    for (int i = 0; i < kMaxStructures; ++i)
        if (table[static_cast<std::size_t>(i)] && TitleOf(*table[static_cast<std::size_t>(i)]) == remembered) {
            current = i;
            break;
        }
    return renamed;
}

bool SortSections(StructureTable& table, AnalysisTable& analyses, int& current)
{
    struct Moving {
        const TStructure* structure;
        int slot;
        std::unique_ptr<TSectionalAnalysis> analysis;
    };
    std::vector<Moving> moving;
    for (int i = 0; i < kMaxStructures; ++i)
        if (auto& analysis = analyses[static_cast<std::size_t>(i)])
            moving.push_back({table[static_cast<std::size_t>(i)].get(), i, std::move(analysis)});
    const bool renamed = SortSections(table, current);
    for (Moving& m : moving) {
        // An analysis over an empty slot has no structure to follow and stays where it was.
        int slot = m.slot;
        for (int i = 0; m.structure && i < kMaxStructures; ++i)
            if (table[static_cast<std::size_t>(i)].get() == m.structure) {
                slot = i;
                break;
            }
        analyses[static_cast<std::size_t>(slot)] = std::move(m.analysis);
    }
    return renamed;
}

void SetDefaultReportText()
{
    auto text = std::make_unique<std::string>();
    text->reserve(kDefaultReportTextRoom);
    *text = "No data to report";
    g_ReportText = std::move(text);
}
