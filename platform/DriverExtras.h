#pragma once
// More of what the drivers do as a user would (tests and scripted runs): keys pressed with Ctrl
// or Shift held in a dialog, the pointer resting on a tool-bar button or leaving the tool bar,
// and what a push button or a tool-bar button shows.

namespace plat {

class DialogDriver;
class Frame;

// A key (VKey::Tab, Return or Escape) pressed and released with Ctrl and/or Shift held, as the
// keyboard sends it: to the control holding the dialog's focus and, where that leaves it, on up
// to the dialog. Tab with Shift arrives as the back-tab key, as the desktop sends it.
void KeyChord(DialogDriver& driver, int vkey, bool ctrl, bool shift);

// Whether a push button's caption fits inside the button with the margins its frame takes.
bool ButtonTextFits(const DialogDriver& driver, int id);

// The pointer moved onto a tool-bar button, as the mouse enters it; or off the tool bar.
void PointAtToolButton(Frame& frame, int id);
void PointOffToolBar(Frame& frame);

// The pixel size of the font a tool-bar button's letters are drawn in: its word, or the glyph
// on its small picture; 0 for a button showing a bitmap, or one the tool bar lacks.
int ToolButtonLetterPixels(const Frame& frame, int id);

}  // namespace plat
