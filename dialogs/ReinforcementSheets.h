#pragma once
// The reinforcement sheets: "Define Longitudinal Reinforcement" (individual layers, circular
// and distributed patterns, tendons), "Define Tendons" and "Define Transverse
// Reinforcement". Each edits working lists and rebuilds the structure's layers on OK only.
// markChanged tells the main window that structures changed. Each answers the button that
// closed the sheet (1 OK).

#include <functional>

namespace plat {
class Window;
}
class TStructure;

// startPage: 0 individual layers, 1 circular, 2 distributed patterns; the selections pick
// the entry first shown on each page (-1: the first).
int RunLongitudinalSheet(plat::Window* parent, TStructure& structure, int startPage, int direction, int layerRow,
                         int circularRow, int distributedRow, const std::function<void()>& markChanged);
int RunTendonSheet(plat::Window* parent, TStructure& structure, int row, const std::function<void()>& markChanged);
int RunTransverseSheet(plat::Window* parent, TStructure& structure, int row, int direction,
                       const std::function<void()>& markChanged);
