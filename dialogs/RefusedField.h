#pragma once
// A typed value that a dialog refuses: the message is shown, the field gets the focus with its
// text selected for retyping, and the dialog stays open (CanClose returns what this returns).

#include <string>

namespace plat {
class Dialog;
}

// Shows the message (exclamation icon, the caption given), selects the field; false.
bool RefuseField(plat::Dialog& dialog, int id, const std::string& message, const std::string& caption);
