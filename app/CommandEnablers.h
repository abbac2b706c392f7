#pragma once
// When the definition, loading, element and solve commands are available. The answers are
// worked out afresh on every request from the current structure and analysis (and the
// member definition), so a command becomes available the moment the data allow it.

#include <vector>

class TSectionalAnalysis;
class TStructure;

// What the answers depend on.
struct EnablerContext {
    TStructure* structure = nullptr;           // the current structure, or null
    const TSectionalAnalysis* analysis = nullptr;  // the current analysis, or null
    double memberLength = 0.0;                 // of the member definition
    int current = 0;                           // g_CurrentStructure
    bool elementAfter = false;                 // a slot after the current one holds a structure
    bool elementBefore = false;                // a slot before the current one holds a structure
};

// The context of the program's tables now.
EnablerContext CurrentEnablerContext();

// The commands that have an enabler of their own.
const std::vector<int>& EnabledCommandIds();
// Whether the command is available in the context (true for a command without an enabler).
bool IsCommandAvailable(int id, const EnablerContext& c);
