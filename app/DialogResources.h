#pragma once
// The about box (22000), whose controls are placed in dialog units.

#include "platform/Dialog.h"

inline constexpr int AboutDialogId = 22000;

plat::DialogTemplate AboutTemplate();
