#pragma once
// The program's material and reinforcement dialogs behind the definition commands: the
// materials sheet, the longitudinal, tendon and transverse reinforcement sheets and "Define
// Data". Every other dialog is answered by the set this one is built over.

#include "app/InputDialogs.h"

class TMaterialReinforcementDialogs final : public TInputDialogs {
public:
    explicit TMaterialReinforcementDialogs(TInputDialogs& others) : m_others(others) {}

    int MaterialsSheet(T_2kWindow& parent, TStructure& s, int concrete, int steel, int prestressing,
                       int flag) override;
    int TransverseSheet(T_2kWindow& parent, TStructure& s, int row, int kind) override;
    int LongitudinalSheet(T_2kWindow& parent, TStructure& s, int page, int layerRow, int circularRow,
                          int distributedRow) override;
    int TendonSheet(T_2kWindow& parent, TStructure& s, int row) override;
    int DefineData(T_2kWindow& parent, TStructure& s) override;

    int QuickDefine(T_2kWindow& parent, TStructure& s) override { return m_others.QuickDefine(parent, s); }
    int General(T_2kWindow& parent, TStructure& s, int firstField) override {
        return m_others.General(parent, s, firstField);
    }
    int ConcreteSectionSheet(T_2kWindow& parent, TStructure& s, int row) override {
        return m_others.ConcreteSectionSheet(parent, s, row);
    }
    int Loads(T_2kWindow& parent, TStructure& s) override { return m_others.Loads(parent, s); }
    int TimeEffects(T_2kWindow& parent, TStructure& s) override { return m_others.TimeEffects(parent, s); }
    int Shrink(T_2kWindow& parent, TStructure& s, int mode) override { return m_others.Shrink(parent, s, mode); }
    int Fire(T_2kWindow& parent, TStructure& s) override { return m_others.Fire(parent, s); }
    int MemberProperties(T_2kWindow& parent, TMemberDefinition& d) override {
        return m_others.MemberProperties(parent, d);
    }
    int MemberDefinition(T_2kWindow& parent, TMemberDefinition& d) override {
        return m_others.MemberDefinition(parent, d);
    }
    int Preferences(T_2kWindow& parent) override { return m_others.Preferences(parent); }
    void RelaxationDemo(T_2kWindow& parent) override { m_others.RelaxationDemo(parent); }

private:
    TInputDialogs& m_others;
};

// Installs the material and reinforcement dialogs over the set installed now; returns them.
TMaterialReinforcementDialogs& InstallMaterialReinforcementDialogs();
