#include "dialogs/MaterialReinforcementDialogs.h"

#include "app/T_2kWindow.h"
#include "dialogs/MaterialSheet.h"
#include "dialogs/ReinforcementSheets.h"
#include "dialogs/ValueListDialog.h"

namespace {

std::function<void()> Marker(T_2kWindow& parent) {
    return [&parent] { parent.MarkStructuresChanged(); };
}

} // namespace

int TMaterialReinforcementDialogs::MaterialsSheet(T_2kWindow& parent, TStructure& s, int concrete, int steel,
                                                  int prestressing, int flag) {
    return RunMaterialsSheet(&parent, s, concrete, steel, prestressing, flag, Marker(parent));
}

int TMaterialReinforcementDialogs::TransverseSheet(T_2kWindow& parent, TStructure& s, int row, int kind) {
    return RunTransverseSheet(&parent, s, row, kind, Marker(parent));
}

int TMaterialReinforcementDialogs::LongitudinalSheet(T_2kWindow& parent, TStructure& s, int page, int layerRow,
                                                     int circularRow, int distributedRow) {
    return RunLongitudinalSheet(&parent, s, page, 0, layerRow, circularRow, distributedRow, Marker(parent));
}

int TMaterialReinforcementDialogs::TendonSheet(T_2kWindow& parent, TStructure& s, int row) {
    return RunTendonSheet(&parent, s, row, Marker(parent));
}

int TMaterialReinforcementDialogs::DefineData(T_2kWindow& parent, TStructure& s) {
    TPage6 dialog(&parent, &s, 3, nullptr, Marker(parent));
    return dialog.Execute();
}

TMaterialReinforcementDialogs& InstallMaterialReinforcementDialogs() {
    static TMaterialReinforcementDialogs dialogs(GetInputDialogs());
    SetInputDialogs(&dialogs);
    return dialogs;
}
