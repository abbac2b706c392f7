#pragma once
// The chart dialogs whose controls are placed in dialog units: "View Data" (4001),
// "Edit Chart" (4000) and the type selection dialog (4002).

#include "platform/Dialog.h"

namespace DialogId {
inline constexpr int EditChart = 4000;
inline constexpr int DataView = 4001;
inline constexpr int SelectList = 4002;
} // namespace DialogId

plat::DialogTemplate DataViewTemplate();
plat::DialogTemplate EditChartTemplate();
plat::DialogTemplate SelectListTemplate();
