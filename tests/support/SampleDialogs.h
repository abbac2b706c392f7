#pragma once
// Dialogs of every control kind for the window-layer tests and the dialog gallery: a settings
// dialog and the three pages of a section sheet, all laid out by the layer.

#include <string>
#include <utility>
#include <vector>

#include "platform/Dialog.h"

namespace sample {

enum : int {
    IdName = 101,
    IdNotes = 102,
    IdFixed = 103,
    IdMetric = 104,
    IdImperial = 105,
    IdKind = 106,
    IdSize = 107,
    IdLayers = 108,
    IdFill = 109,
    IdStatus = 110,
    IdValue = 111,
};

// "Sample Settings": edits (the value edit takes at most 8 characters), a multi-line edit, a check box, radio buttons, combo boxes, a
// multiple-selection list box, a push button and a static, in group boxes, with OK and Cancel.
plat::DialogTemplate SettingsTemplate();

// Three pages (title, template): shapes in a list view with a status bar and parameter
// edits; catalogue shapes in a tree view with a slab; an outline edited row by row.
std::vector<std::pair<std::string, plat::DialogTemplate>> SectionPages();

} // namespace sample
