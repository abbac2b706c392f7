#pragma once
// The program's member and fire dialogs behind the commands' dialog interface: the "Full
// Member Properties" sheet, the post-fire parameters and the over-relaxation demonstration.
// Every other entry goes to the set it was made over.

#include "app/InputDialogs.h"

namespace plat {
class DC;
}
class TSorGrid;

class TMemberInputDialogs final : public TInputDialogs {
public:
    explicit TMemberInputDialogs(TInputDialogs& others) : m_others(others) {}

    int Fire(T_2kWindow& parent, TStructure& s) override;
    int MemberProperties(T_2kWindow& parent, TMemberDefinition& d) override;
    void RelaxationDemo(T_2kWindow& parent) override;

    int QuickDefine(T_2kWindow& parent, TStructure& s) override { return m_others.QuickDefine(parent, s); }
    int General(T_2kWindow& parent, TStructure& s, int firstField) override
    {
        return m_others.General(parent, s, firstField);
    }
    int MaterialsSheet(T_2kWindow& parent, TStructure& s, int concrete, int steel, int prestressing,
                       int flag) override
    {
        return m_others.MaterialsSheet(parent, s, concrete, steel, prestressing, flag);
    }
    int ConcreteSectionSheet(T_2kWindow& parent, TStructure& s, int row) override
    {
        return m_others.ConcreteSectionSheet(parent, s, row);
    }
    int TransverseSheet(T_2kWindow& parent, TStructure& s, int row, int kind) override
    {
        return m_others.TransverseSheet(parent, s, row, kind);
    }
    int LongitudinalSheet(T_2kWindow& parent, TStructure& s, int page, int layerRow, int circularRow,
                          int distributedRow) override
    {
        return m_others.LongitudinalSheet(parent, s, page, layerRow, circularRow, distributedRow);
    }
    int TendonSheet(T_2kWindow& parent, TStructure& s, int row) override { return m_others.TendonSheet(parent, s, row); }
    int Loads(T_2kWindow& parent, TStructure& s) override { return m_others.Loads(parent, s); }
    int TimeEffects(T_2kWindow& parent, TStructure& s) override { return m_others.TimeEffects(parent, s); }
    int Shrink(T_2kWindow& parent, TStructure& s, int mode) override { return m_others.Shrink(parent, s, mode); }
    int DefineData(T_2kWindow& parent, TStructure& s) override { return m_others.DefineData(parent, s); }
    int MemberDefinition(T_2kWindow& parent, TMemberDefinition& d) override
    {
        return m_others.MemberDefinition(parent, d);
    }
    int Preferences(T_2kWindow& parent) override { return m_others.Preferences(parent); }

private:
    TInputDialogs& m_others;
};

// Installs the member dialogs over the set installed now (once, at program start).
void InstallMemberDialogs();

// The demonstration on a drawing context: asks for the block count and the factor, relaxes
// the field painting every sweep, reports the sweeps and the last largest change, and
// prints the grid to the standard output.
void RunSorDemo(plat::DC& dc);
// Paints the grid lying on its side: row r from x = 20 + r size, column k from
// y = 100 + (n/2 - k) size (column 0 at the bottom).
void PaintSorGrid(plat::DC& dc, const TSorGrid& grid);
