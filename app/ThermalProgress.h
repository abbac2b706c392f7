#pragma once
// The progress box of the thermal analysis ("Performing Thermal Analysis" and a red bar),
// drawn straight onto the main window's client area while "Create F&ire Damaged Beam" runs
// the fire model inside the command.

#include <functional>

#include "platform/Types.h"

namespace plat {
class DC;
class Window;
} // namespace plat

// Draws the box for the fraction of the run done (0 .. 1) on a client area of the size given.
void DrawThermalProgress(plat::DC& dc, plat::Size client, double fraction);
// The box's outline on that client area.
plat::Rect ThermalProgressBox(plat::Size client);

// Feeds the box on a window from the analysis's progress: each fraction is drawn into the
// window and put on the screen at once (the message loop does not run during the analysis),
// whenever its bar grows by a pixel; before the first, the whole window is, so that what the
// closed dialog covered is drawn again. The box goes with the next repaint of the window.
class ThermalProgressFeed {
public:
    explicit ThermalProgressFeed(plat::Window& window) : m_window(window) {}
    void operator()(double fraction);
    // How often the box was put on the screen.
    int Shown() const { return m_shown; }

private:
    plat::Window& m_window;
    int m_barEnd = -1;
    int m_shown = 0;
};
