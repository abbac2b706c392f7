#pragma once
// The main menu, the accelerator table, the tool bar's buttons and the hint texts.

#include <string>
#include <vector>

#include "platform/Menu.h"

// The menu bar (top-level separators group the popups and are not shown).
std::vector<plat::MenuItem> MainMenu();
// Page Up/Down step load stages, Ctrl+Page Up/Down switch elements, Del, Ctrl+1.
std::vector<plat::Accelerator> MainAccelerators();

// A tool-bar position: a button with its glyph, or a separator (id 0).
struct ToolBarSlot {
    int id = 0;
    const char* glyph = "";
    // The desktop theme's icon for a standard command (empty: the program's own picture).
    const char* themeIcon = "";
};
std::vector<ToolBarSlot> MainToolBar();

// The hint shown in the message bar for a command; empty when it has none.
std::string HintText(int id);

// The context menu of the main window.
std::vector<plat::MenuItem> MainContextMenu();
