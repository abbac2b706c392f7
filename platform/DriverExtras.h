#pragma once
// More of what the drivers do as a user would (tests and scripted runs): the pointer resting on
// a tool-bar button or leaving the tool bar, and what a push button or a tool-bar button shows.
// Keys held with Ctrl or Shift go through DialogDriver::Key.

namespace plat {

class DialogDriver;
class Frame;

// Whether a push button's caption fits inside the button with the margins its frame takes.
bool ButtonTextFits(const DialogDriver& driver, int id);

// The pointer moved onto a tool-bar button, as the mouse enters it; or off the tool bar.
void PointAtToolButton(Frame& frame, int id);
void PointOffToolBar(Frame& frame);

// The pixel size of the font a tool-bar button's letters are drawn in: its word, or the glyph
// on its small picture; 0 for a button showing a bitmap, or one the tool bar lacks.
int ToolButtonLetterPixels(const Frame& frame, int id);

}  // namespace plat
