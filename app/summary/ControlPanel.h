#pragma once
// What the view manager draws itself: the control panel on the left of the main window (its
// background, layout title, frame lines and etched frames) and the start picture with the
// program's identification texts and picture.

#include <array>
#include <functional>
#include <string>

#include "platform/DC.h"

class TBoxItem;

// The control panel of a W x H window whose left fraction f it takes. byte4 and byte5 are
// those of the layout mode's panel-menu record; panelText (when given) writes the mode
// object's texts after the title. At trace level 3 a message box names "PaintPanel", once.
void PaintControlPanel(plat::DC& dc,
                       int mode,
                       int W,
                       int H,
                       double f,
                       int byte4,
                       int byte5,
                       int traceLevel,
                       const std::function<void(plat::DC&)>& panelText);

// The start picture: texts are the program title, subtitle, method line, version and four
// credit lines. The picture is the program's bitmap 134; when it cannot be loaded the user is
// told once ("Could not Load Program graphic") and the texts stay.
void PaintStartPicture(plat::DC& dc, int W, int H, const std::array<std::string, 8>& texts);

// The four credit lines of the start picture.
extern const std::array<const char*, 4> kStartPictureCredits;
// Bitmap resource of the start picture.
inline constexpr int kStartPictureBitmap = 134;

// Prints a box (chart, text or graphic box) at its place on the page: its own (0, 0) is moved
// there (a control chart to a part of its height, see PrintBoxOrigin), it paints itself,
// clipped to its own rectangle, in black and white unless printing in colour is on, and the
// context and the box are left as they were. H is the page height. Nothing for a null box.
void PrintBox(plat::DC& dc, TBoxItem* box, bool controlChart, int H);

// Message boxes of painting code are shown once: a box closed by the user must not come back
// with the repaint that its closing causes. Forget what was shown (a new document, tests).
void ForgetPaintMessages();
