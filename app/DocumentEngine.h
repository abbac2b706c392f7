#pragma once
// What the shell needs of the XML document engine: writing a document component by
// component and reading it back component by component. Member settings read from a
// document wait in the engine until the caller commits them, so that a rejected edit leaves
// the live settings untouched.

#include <array>
#include <memory>
#include <string>

#include "app/GlobalTables.h"
#include "member/fire/TStructureSlots.h"

class TStructure;

// A structure table as the member settings name its sections: the program's own, or the
// working table of a document being read, so that member zones resolve against the sections
// of the same document.
class StructureTableSlots final : public TStructureSlots {
public:
    using Table = std::array<std::unique_ptr<TStructure>, kMaxStructures>;
    // current: the slot taken as the current one; by default the program's current slot.
    explicit StructureTableSlots(const Table& table, int current = -1) : m_table(table), m_current(current) {}
    int GetSlotCount() const override { return kMaxStructures; }
    TStructure* GetStructure(int slot) const override {
        return slot >= 0 && slot < kMaxStructures ? m_table[static_cast<std::size_t>(slot)].get() : nullptr;
    }
    int GetCurrentStructure() const override { return m_current >= 0 ? m_current : g_CurrentStructure; }
    int StoreStructure(int, std::unique_ptr<TStructure>) override { return 0; }

private:
    const Table& m_table;
    int m_current;
};

class TDocumentEngine {
public:
    virtual ~TDocumentEngine() = default;

    // Writing: false (with the reason shown to the user) when the document cannot be made.
    virtual bool WriteHeader(std::string& text) = 0;
    virtual bool WriteStructure(std::string& text, TStructure& structure) = 0;
    virtual bool WriteAnalysisSettings(std::string& text) = 0;
    virtual bool WriteFooter(std::string& text) = 0;

    // Whether a file's text is an XML document (its prolog).
    virtual bool IsDocument(const std::string& text) const = 0;
    // Reading: prepares the text (whitespace flattened), then component by component.
    virtual void BeginRead(std::string& text) = 0;
    virtual bool FindComponent(const std::string& text, int index, std::string& name) = 0;
    virtual bool ReadStructure(const std::string& text, int index, TStructure& structure) = 0;
    // True when the last ReadStructure read its component whole but refused the structure
    // because it cannot be analysed (its outline names a concrete type it does not have): the
    // rest of a document can be opened without it.
    virtual bool RefusedAsUnanalysable() const { return false; }
    // Reads member settings into the engine's pending copy; zone sections are looked up by
    // name among the sections given (those of the document being read).
    virtual bool ReadAnalysisSettings(const std::string& text, int index, const TStructureSlots& sections) = 0;
    // Makes the pending member settings the live ones.
    virtual void CommitAnalysisSettings() = 0;
};

// The engine the shell uses; never null.
TDocumentEngine& GetDocumentEngine();
// Installs an engine (tests); null restores the program's own. Returns the previous one.
TDocumentEngine* SetDocumentEngine(TDocumentEngine* engine);
