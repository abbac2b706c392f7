#pragma once
// The frame's driver, kept apart from the frame itself (platform/Frame.h includes it).

#include <functional>

#include "platform/Window.h"

namespace plat {

class Frame;

// Works the frame's menus and keyboard as a user would (tests and scripted runs).
class FrameDriver {
public:
    explicit FrameDriver(Frame& frame) : m_frame(frame) {}
    // Opens the popup of the top-level menu at the index (popups counted, separators not), as
    // a click on its title does: no item is highlighted yet.
    void OpenMenu(int index);
    // Whether a menu of the frame is open.
    bool IsMenuOpen() const;
    // Closes every open menu.
    void CloseMenus();
    // A key (VKey or an ASCII capital) pressed and held, or released, as the keyboard sends
    // it: to the open menu, else to the widget holding the frame's focus. What the key posts
    // is handled before these return.
    void KeyDown(int vkey, bool shift = false);
    void KeyUp(int vkey);
    void Key(int vkey, bool shift = false);
    // A key pressed and released with Alt held (an accelerator such as Alt+C).
    void AltKey(int vkey);
    // A key pressed and held while the keyboard repeats it that many times, as an X server
    // repeats a key: a release and a press of one time stamp each time (not marked as
    // repeats). The key stays down.
    void KeyHeld(int vkey, int repeats);
    // Clicks a tool-bar button (an enabled one: a disabled button fails loudly).
    void ClickToolButton(int id);
    // Clicks the item with the command id in the open menu (a frame's menu or a popup menu):
    // the mouse pressed and released over it. An item the menu lacks fails loudly.
    void ClickMenuItem(int id);
    // The command id of the highlighted item of the open menu (a frame's or a popup menu; 0
    // when none is open or nothing is highlighted).
    static int HighlightedItem();
    // Whether a popup menu (one not of a frame's menu bar) is open.
    static bool IsPopupMenuOpen();
    // Presses and releases a mouse button over the window at the client point, as a user's
    // click; a right click opens a window's popup menu, which runs until it closes.
    static void ClickWindow(Window& window, Point client, bool right = false);
    // Double-clicks the left button over the window at the client point, as a user does: a
    // press and a release, then the second press (which arrives as the double click) and its
    // release.
    static void DoubleClickWindow(Window& window, Point client);
    // The cursor the pointer shows when it rests over the window at the client point: that of
    // the window or child window under it.
    static Cursor CursorAt(Window& window, Point client);
    // Presses the left button over the window at a client point, moves the pointer to the other
    // point with the button held and releases it there, as a user drags (the points are the
    // window's client points as they were when the button went down).
    static void DragWindow(Window& window, Point from, Point to);
    // Runs the steps from the loop as soon as a menu is open (within about two seconds;
    // they run with none open after that), so that a popup menu, whose loop holds the caller
    // until it closes, can be worked by keys and clicks. The steps should leave it closed.
    static void WhenMenuOpens(std::function<void()> steps);
    // Runs the steps from the loop once it runs (Application::Run's loop, or any other).
    static void WhenLoopRuns(std::function<void()> steps);
    // Drops the steps of WhenMenuOpens that have not run yet.
    static void DropMenuSteps();

private:
    Frame& m_frame;
};

} // namespace plat
