#pragma once
// The program's section definition dialogs behind the commands' dialog interface: the
// general definitions, the cross-section sheet, the loads, the long-term settings, the
// imposed strains and the preferences. Every other entry goes to the set it was made over.

#include "app/InputDialogs.h"

class TSectionInputDialogs final : public TInputDialogs {
public:
    explicit TSectionInputDialogs(TInputDialogs& others) : m_others(others) {}

    int General(T_2kWindow& parent, TStructure& s, int firstField) override;
    int ConcreteSectionSheet(T_2kWindow& parent, TStructure& s, int row) override;
    int Loads(T_2kWindow& parent, TStructure& s) override;
    int TimeEffects(T_2kWindow& parent, TStructure& s) override;
    int Shrink(T_2kWindow& parent, TStructure& s, int mode) override;
    int Preferences(T_2kWindow& parent) override;

    int QuickDefine(T_2kWindow& parent, TStructure& s) override { return m_others.QuickDefine(parent, s); }
    int MaterialsSheet(T_2kWindow& parent, TStructure& s, int concrete, int steel, int prestressing,
                       int flag) override
    {
        return m_others.MaterialsSheet(parent, s, concrete, steel, prestressing, flag);
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
    int DefineData(T_2kWindow& parent, TStructure& s) override { return m_others.DefineData(parent, s); }
    int Fire(T_2kWindow& parent, TStructure& s) override { return m_others.Fire(parent, s); }
    int MemberProperties(T_2kWindow& parent, TMemberDefinition& d) override
    {
        return m_others.MemberProperties(parent, d);
    }
    int MemberDefinition(T_2kWindow& parent, TMemberDefinition& d) override
    {
        return m_others.MemberDefinition(parent, d);
    }
    void RelaxationDemo(T_2kWindow& parent) override { m_others.RelaxationDemo(parent); }

private:
    TInputDialogs& m_others;
};

// Installs the section dialogs over the set installed now (once, at program start).
void InstallSectionDialogs();
