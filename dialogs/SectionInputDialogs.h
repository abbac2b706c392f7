#pragma once
// The program's section definition dialogs behind the commands' dialog interface: the
// general definitions, the cross-section sheet, the loads, the long-term settings, the
// imposed strains and the preferences. Every other entry goes to the set it was made over.

#include "app/InputDialogs.h"

class TSectionInputDialogs final : public TForwardingInputDialogs {
public:
    explicit TSectionInputDialogs(TInputDialogs& others) : TForwardingInputDialogs(others) {}

    int General(T_2kWindow& parent, TStructure& s, int firstField) override;
    int ConcreteSectionSheet(T_2kWindow& parent, TStructure& s, int row) override;
    int Loads(T_2kWindow& parent, TStructure& s) override;
    int TimeEffects(T_2kWindow& parent, TStructure& s) override;
    int Shrink(T_2kWindow& parent, TStructure& s, int mode) override;
    int Preferences(T_2kWindow& parent) override;
};

// Installs the section dialogs over the set installed now (once, at program start).
void InstallSectionDialogs();
