#pragma once
// Windows: an object built first and created later (SetupWindow runs when it exists), with
// virtual handlers for painting, sizing, the mouse and commands.
//
// Every window draws into a backing image. Paint runs for the parts that were invalidated
// and draws into that image; a ClientDC draws into it at any other time (rubber bands,
// markers, immediate redraws), and what it draws stays until the next invalidation.

#include <memory>
#include <string>
#include <vector>

#include "platform/Commands.h"
#include "platform/DC.h"
#include "platform/Types.h"

namespace plat {

// Mouse cursors a window can show.
enum class Cursor { Arrow, SizeNWSE, SizeNESW, SizeNS, SizeWE, Cross, Help };

class Window : public CommandTarget {
public:
    Window();
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Creates the window as a child of parent (a top-level window without one), then runs
    // SetupWindow.
    void Create(Window* parent = nullptr);
    bool IsCreated() const;

    virtual void SetupWindow() {}
    // Draws the window; erase tells that the invalid area was filled with the background.
    virtual void Paint(DC& dc, bool erase, const Rect& rect);
    virtual void EvSize(Size size);
    virtual void EvLButtonDown(unsigned keyFlags, Point p);
    virtual void EvLButtonUp(unsigned keyFlags, Point p);
    virtual void EvLButtonDblClk(unsigned keyFlags, Point p);
    virtual void EvRButtonDown(unsigned keyFlags, Point p);
    virtual void EvRButtonUp(unsigned keyFlags, Point p);
    virtual void EvMouseMove(unsigned keyFlags, Point p);
    // A command or a control notification; the base searches this window's response tables
    // for commands and clicks (code 0) only.
    // True when handled.
    virtual bool EvCommand(int id, int control, int notifyCode);
    // Idle-time work; true asks to be called again before the loop waits.
    virtual bool IdleAction(long idleCount);
    virtual bool CanClose();
    virtual void CloseWindow() {}

    void Invalidate(bool erase = true);
    void InvalidateRect(const Rect& rect, bool erase = true);
    // Paints what is invalid now instead of waiting for the loop.
    void UpdateWindow();
    // Puts the window on the screen at once, without the message loop, as its backing image
    // holds it (what is invalid painted first): the whole top-level window it belongs to, or
    // only the part of this window given. For long commands that draw their progress while
    // the loop waits; nothing else (input, idle work) runs.
    void ShowNow();
    void ShowNow(const Rect& part);
    // How often the window's picture has gone to the screen since it was created.
    int GetScreenPaints() const;
    // The bounding box of what is invalid and waits to be painted (empty when nothing does).
    Rect GetUpdateRect() const;
    Rect GetClientRect() const;
    void MoveWindow(const Rect& rect);
    // While on, the window takes any size it is moved to, up to 32000 pixels each way, even
    // where its size is fixed (a printout stretches it to the page's proportions); switched
    // off, its own limits come back.
    void SetSizeLimitsLifted(bool lifted);
    void Show(bool visible);
    void SetBackgroundColor(Color color);
    Point ClientToScreen(Point p) const;
    Point ScreenToClient(Point p) const;
    // The window's rectangle in its parent's client coordinates (screen for top-level ones).
    Rect GetWindowRect() const;
    Image& BackingImage();

    // Redrawing off: invalidations wait, and the screen keeps the last picture, until it is
    // switched on again.
    void SetRedraw(bool on);
    bool IsRedrawOn() const;

    // The cursor shown while the mouse is over the window.
    void SetCursor(Cursor cursor);
    Cursor GetCursor() const;
    // Mouse capture: every mouse message goes to this window until released.
    void SetCapture();
    void ReleaseCapture();
    bool HasCapture() const;
    static Window* GetCapture();

    Window* GetParent() const;
    // The windows created with this one as parent, in creation order.
    std::vector<Window*> GetChildren() const;

    struct Impl;
    Impl& impl() const { return *m_impl; }

private:
    std::unique_ptr<Impl> m_impl;
};

// Draws into a window's backing image outside Paint; the window shows the result when the
// context is destroyed.
class ClientDC : public DC {
public:
    explicit ClientDC(Window& window);
    ~ClientDC() override;

private:
    Window& m_window;
};

} // namespace plat
