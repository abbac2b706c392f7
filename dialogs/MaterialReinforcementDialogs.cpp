#include "dialogs/MaterialReinforcementDialogs.h"

#include <functional>
#include <vector>

#include "app/T_2kWindow.h"
#include "dialogs/MaterialSheet.h"
#include "dialogs/ReinforcementSheets.h"
#include "dialogs/ValueListDialog.h"
#include "model/TStructure.h"

namespace {

std::function<void()> Marker(T_2kWindow& parent) {
    return [&parent] { parent.MarkStructuresChanged(); };
}

// The longitudinal layers of both directions.
std::vector<LongLayerRec> LongLayersOf(const TStructure& s) {
    std::vector<LongLayerRec> layers;
    for (int d = 0; d < 2; ++d)
        for (int i = 0; i < s.GetLongLayerCount(d); ++i)
            layers.push_back(*s.GetLongLayer(i, d));
    return layers;
}

// The sheet's OK writes the layers back from its pages; where that changed them without an
// edit of the pages, the section changed all the same, and the window shows it anew.
int MarkedIfLayersChanged(T_2kWindow& parent, const TStructure& s, const std::function<int()>& sheet) {
    const std::vector<LongLayerRec> before = LongLayersOf(s);
    const int result = sheet();
    if (result == DialogResult::Ok && LongLayersOf(s) != before)
        parent.MarkStructuresChanged();
    return result;
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
    return MarkedIfLayersChanged(parent, s, [&] {
        return RunLongitudinalSheet(&parent, s, page, 0, layerRow, circularRow, distributedRow, Marker(parent));
    });
}

int TMaterialReinforcementDialogs::TendonSheet(T_2kWindow& parent, TStructure& s, int row) {
    return MarkedIfLayersChanged(parent, s, [&] { return RunTendonSheet(&parent, s, row, Marker(parent)); });
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
