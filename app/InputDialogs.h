#pragma once
// The input dialogs the definition commands open: the section, loading and member dialogs
// and sheets. They edit the structure (or the member definition) in place and call the
// window's MarkStructuresChanged when they change something; each answers the button that
// closed it (1 for OK).
//
// Until a set is installed every dialog answers Cancel and changes nothing. The program
// installs its dialog sets at start, each over the one installed before it; tests install a
// recording set through SetInputDialogs.

#include <array>
#include <memory>
#include <string>

#include "app/GlobalTables.h"

class T_2kWindow;
class TStructure;
struct TMemberDefinition;

namespace DialogResult {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
} // namespace DialogResult

class TInputDialogs {
public:
    virtual ~TInputDialogs() = default;

    // "Define Beam Section": the four quick-define pages.
    virtual int QuickDefine(T_2kWindow& parent, TStructure& s) = 0;
    // "General  Definitions" from the field given.
    virtual int General(T_2kWindow& parent, TStructure& s, int firstField) = 0;
    // "Materials Page" opened at the types given (-1: none).
    virtual int MaterialsSheet(T_2kWindow& parent, TStructure& s, int concrete, int steel, int prestressing,
                               int flag) = 0;
    // "Define Concrete Cross Section" with its user-defined page opened at the row.
    virtual int ConcreteSectionSheet(T_2kWindow& parent, TStructure& s, int row) = 0;
    virtual int TransverseSheet(T_2kWindow& parent, TStructure& s, int row, int kind) = 0;
    // page 0 individual layers, 1 circular patterns, 2 distributed patterns.
    virtual int LongitudinalSheet(T_2kWindow& parent, TStructure& s, int page, int layerRow, int circularRow,
                                  int distributedRow) = 0;
    virtual int TendonSheet(T_2kWindow& parent, TStructure& s, int row) = 0;
    // "Define Loading".
    virtual int Loads(T_2kWindow& parent, TStructure& s) = 0;
    // "Time Dependent Effects".
    virtual int TimeEffects(T_2kWindow& parent, TStructure& s) = 0;
    // Mode 0 shrinkage and thermal strains, mode 1 strain discontinuity.
    virtual int Shrink(T_2kWindow& parent, TStructure& s, int mode) = 0;
    // "Define Data".
    virtual int DefineData(T_2kWindow& parent, TStructure& s) = 0;
    // "Post-fire analysis parameters".
    virtual int Fire(T_2kWindow& parent, TStructure& s) = 0;
    // "Full Member Properties" on the member definition.
    virtual int MemberProperties(T_2kWindow& parent, TMemberDefinition& d) = 0;
    // The member-definition dialog of a full-beam analysis.
    virtual int MemberDefinition(T_2kWindow& parent, TMemberDefinition& d) = 0;
    // The "General" preferences page.
    virtual int Preferences(T_2kWindow& parent) = 0;
    // The over-relaxation demonstration (its own prompts and report).
    virtual void RelaxationDemo(T_2kWindow& parent) = 0;
    // "Catalog of Elements" over working copies of the structure table: the copies may be
    // renamed, added and deleted, and current becomes the chosen slot. OK (1) hands the
    // copies back to the window. Without the catalogue dialog: a list to pick the current
    // element from.
    virtual int Catalog(T_2kWindow& parent, std::array<std::unique_ptr<TStructure>, kMaxStructures>& table,
                        int& current);
};

// The dialogs the commands open; never null.
TInputDialogs& GetInputDialogs();
// Installs a set (tests); null restores the program's own. Returns the previous one.
TInputDialogs* SetInputDialogs(TInputDialogs* dialogs);

// A set that answers Cancel to every dialog and changes nothing (the program's stand-ins, and a
// base for recording sets in tests).
class TCancelInputDialogs : public TInputDialogs {
public:
    int QuickDefine(T_2kWindow&, TStructure&) override { return DialogResult::Cancel; }
    int General(T_2kWindow&, TStructure&, int) override { return DialogResult::Cancel; }
    int MaterialsSheet(T_2kWindow&, TStructure&, int, int, int, int) override { return DialogResult::Cancel; }
    int ConcreteSectionSheet(T_2kWindow&, TStructure&, int) override { return DialogResult::Cancel; }
    int TransverseSheet(T_2kWindow&, TStructure&, int, int) override { return DialogResult::Cancel; }
    int LongitudinalSheet(T_2kWindow&, TStructure&, int, int, int, int) override { return DialogResult::Cancel; }
    int TendonSheet(T_2kWindow&, TStructure&, int) override { return DialogResult::Cancel; }
    int Loads(T_2kWindow&, TStructure&) override { return DialogResult::Cancel; }
    int TimeEffects(T_2kWindow&, TStructure&) override { return DialogResult::Cancel; }
    int Shrink(T_2kWindow&, TStructure&, int) override { return DialogResult::Cancel; }
    int DefineData(T_2kWindow&, TStructure&) override { return DialogResult::Cancel; }
    int Fire(T_2kWindow&, TStructure&) override { return DialogResult::Cancel; }
    int MemberProperties(T_2kWindow&, TMemberDefinition&) override { return DialogResult::Cancel; }
    int MemberDefinition(T_2kWindow&, TMemberDefinition&) override { return DialogResult::Cancel; }
    int Preferences(T_2kWindow&) override { return DialogResult::Cancel; }
    void RelaxationDemo(T_2kWindow&) override {}
};

// A set that passes every dialog on to the set it was made over; the program's dialog sets
// derive from it and answer only their own dialogs, so that they can be installed one over
// another in any order.
class TForwardingInputDialogs : public TInputDialogs {
public:
    explicit TForwardingInputDialogs(TInputDialogs& others) : m_others(others) {}
    // Made over another forwarding set, not a copy of it (a copy would pass its dialogs on
    // past that set).
    explicit TForwardingInputDialogs(TForwardingInputDialogs& others) : m_others(others) {}
    TForwardingInputDialogs(const TForwardingInputDialogs&) = delete;
    TForwardingInputDialogs& operator=(const TForwardingInputDialogs&) = delete;

    int QuickDefine(T_2kWindow& p, TStructure& s) override { return m_others.QuickDefine(p, s); }
    int General(T_2kWindow& p, TStructure& s, int firstField) override { return m_others.General(p, s, firstField); }
    int MaterialsSheet(T_2kWindow& p, TStructure& s, int concrete, int steel, int prestressing, int flag) override
    {
        return m_others.MaterialsSheet(p, s, concrete, steel, prestressing, flag);
    }
    int ConcreteSectionSheet(T_2kWindow& p, TStructure& s, int row) override
    {
        return m_others.ConcreteSectionSheet(p, s, row);
    }
    int TransverseSheet(T_2kWindow& p, TStructure& s, int row, int kind) override
    {
        return m_others.TransverseSheet(p, s, row, kind);
    }
    int LongitudinalSheet(T_2kWindow& p, TStructure& s, int page, int layerRow, int circularRow,
                          int distributedRow) override
    {
        return m_others.LongitudinalSheet(p, s, page, layerRow, circularRow, distributedRow);
    }
    int TendonSheet(T_2kWindow& p, TStructure& s, int row) override { return m_others.TendonSheet(p, s, row); }
    int Loads(T_2kWindow& p, TStructure& s) override { return m_others.Loads(p, s); }
    int TimeEffects(T_2kWindow& p, TStructure& s) override { return m_others.TimeEffects(p, s); }
    int Shrink(T_2kWindow& p, TStructure& s, int mode) override { return m_others.Shrink(p, s, mode); }
    int DefineData(T_2kWindow& p, TStructure& s) override { return m_others.DefineData(p, s); }
    int Fire(T_2kWindow& p, TStructure& s) override { return m_others.Fire(p, s); }
    int MemberProperties(T_2kWindow& p, TMemberDefinition& d) override { return m_others.MemberProperties(p, d); }
    int MemberDefinition(T_2kWindow& p, TMemberDefinition& d) override { return m_others.MemberDefinition(p, d); }
    int Preferences(T_2kWindow& p) override { return m_others.Preferences(p); }
    void RelaxationDemo(T_2kWindow& p) override { m_others.RelaxationDemo(p); }
    int Catalog(T_2kWindow& p, std::array<std::unique_ptr<TStructure>, kMaxStructures>& table, int& current) override
    {
        return m_others.Catalog(p, table, current);
    }

protected:
    TInputDialogs& Others() { return m_others; }

private:
    TInputDialogs& m_others;
};
