#pragma once
// Menu descriptions and accelerator tables as plain data.

#include <string>
#include <utility>
#include <vector>

#include "platform/Types.h"

namespace plat {

// One menu item: a command (id), a popup (items) or a separator (neither). A tab in the
// text separates the shortcut column.
struct MenuItem {
    MenuItem() = default;
    MenuItem(std::string itemText, int itemId, bool itemGreyed = false)
        : text(std::move(itemText)), id(itemId), greyed(itemGreyed) {}
    MenuItem(std::string itemText, std::vector<MenuItem> items)
        : text(std::move(itemText)), popup(std::move(items)) {}

    std::string text;
    int id = 0;
    std::vector<MenuItem> popup;
    bool greyed = false;

    bool IsSeparator() const { return text.empty() && id == 0 && popup.empty(); }
    bool IsPopup() const { return !popup.empty(); }
    static MenuItem Separator() { return MenuItem{}; }
};

namespace AccelMod {
inline constexpr unsigned None = 0;
inline constexpr unsigned Control = 1;
inline constexpr unsigned Shift = 2;
inline constexpr unsigned Alt = 4;
} // namespace AccelMod

// A key (virtual key code, VKey or an ASCII capital) with modifiers that sends a command.
struct Accelerator {
    int key = 0;
    unsigned modifiers = AccelMod::None;
    int id = 0;
};

// Finds the item with the id anywhere in the tree; null when there is none.
const MenuItem* FindMenuItem(const std::vector<MenuItem>& items, int id);

} // namespace plat
