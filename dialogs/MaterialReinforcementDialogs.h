#pragma once
// The program's material and reinforcement dialogs behind the definition commands: the
// materials sheet, the longitudinal, tendon and transverse reinforcement sheets and "Define
// Data". Every other dialog is answered by the set this one is built over.

#include "app/InputDialogs.h"

class TMaterialReinforcementDialogs final : public TForwardingInputDialogs {
public:
    explicit TMaterialReinforcementDialogs(TInputDialogs& others) : TForwardingInputDialogs(others) {}

    int MaterialsSheet(T_2kWindow& parent, TStructure& s, int concrete, int steel, int prestressing,
                       int flag) override;
    int TransverseSheet(T_2kWindow& parent, TStructure& s, int row, int kind) override;
    int LongitudinalSheet(T_2kWindow& parent, TStructure& s, int page, int layerRow, int circularRow,
                          int distributedRow) override;
    int TendonSheet(T_2kWindow& parent, TStructure& s, int row) override;
    int DefineData(T_2kWindow& parent, TStructure& s) override;
};

// Installs the material and reinforcement dialogs over the set installed now; returns them.
TMaterialReinforcementDialogs& InstallMaterialReinforcementDialogs();
