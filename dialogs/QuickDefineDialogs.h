#pragma once
// The quick-define wizard behind the "&Quick Define" command, and the element catalogue whose
// "New" runs it. Every other dialog is answered
// by the set this one is built over.

#include "app/InputDialogs.h"

class TQuickDefineDialogs final : public TInputDialogs {
public:
    explicit TQuickDefineDialogs(TInputDialogs& others) : m_others(others) {}

    int QuickDefine(T_2kWindow& parent, TStructure& s) override;
    // "Catalog of Elements" with its tree, New (through the wizard), Copy and Delete.
    int Catalog(T_2kWindow& parent, std::array<std::unique_ptr<TStructure>, kMaxStructures>& table,
                int& current) override;

    int General(T_2kWindow& parent, TStructure& s, int firstField) override {
        return m_others.General(parent, s, firstField);
    }
    int MaterialsSheet(T_2kWindow& parent, TStructure& s, int concrete, int steel, int prestressing,
                       int flag) override {
        return m_others.MaterialsSheet(parent, s, concrete, steel, prestressing, flag);
    }
    int ConcreteSectionSheet(T_2kWindow& parent, TStructure& s, int row) override {
        return m_others.ConcreteSectionSheet(parent, s, row);
    }
    int TransverseSheet(T_2kWindow& parent, TStructure& s, int row, int kind) override {
        return m_others.TransverseSheet(parent, s, row, kind);
    }
    int LongitudinalSheet(T_2kWindow& parent, TStructure& s, int page, int layerRow, int circularRow,
                          int distributedRow) override {
        return m_others.LongitudinalSheet(parent, s, page, layerRow, circularRow, distributedRow);
    }
    int TendonSheet(T_2kWindow& parent, TStructure& s, int row) override { return m_others.TendonSheet(parent, s, row); }
    int Loads(T_2kWindow& parent, TStructure& s) override { return m_others.Loads(parent, s); }
    int TimeEffects(T_2kWindow& parent, TStructure& s) override { return m_others.TimeEffects(parent, s); }
    int Shrink(T_2kWindow& parent, TStructure& s, int mode) override { return m_others.Shrink(parent, s, mode); }
    int DefineData(T_2kWindow& parent, TStructure& s) override { return m_others.DefineData(parent, s); }
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

// Installs the quick-define wizard over the set installed now; returns it.
TQuickDefineDialogs& InstallQuickDefineDialogs();
