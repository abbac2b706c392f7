#pragma once
// The main frame: a top-level window around a client window, with a menu bar, accelerators,
// a message bar with text gadgets, a docked tool bar, a caption, dropped files and command
// routing. A command goes to the client (EvCommand), then the frame's own tables, then the
// application's; enablers are looked up in the same order and decide the state of menu items
// (when a menu opens) and of tool-bar buttons (in the idle pass).

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/FrameDriver.h"
#include "platform/Menu.h"
#include "platform/Window.h"

namespace plat {

class Application;

// What a tool bar holds, in order: command buttons, exclusive buttons (one of a run of them
// pressed at a time), separators and text gadgets.
struct ToolGadget {
    enum Kind { Command, Exclusive, Separator, Text };
    Kind kind = Command;
    int id = 0;     // 0 for a separator
    int width = 0;  // a separator's width in pixels, a text gadget's in characters, else 0
    bool operator==(const ToolGadget&) const = default;
};
// "button 24500", "exclusive 24502", "separator 6", "text 24504 (10)".
std::string Describe(const ToolGadget& gadget);

class Frame : public Window {
public:
    // The frame owns nothing it is given: the client outlives the frame's widget.
    Frame(const std::string& title, Window& client);
    ~Frame() override;

    // Creates the top-level window with the client in it (running the client's SetupWindow).
    void CreateFrame();
    // Shows the window: 0 hidden, 1 normal, 3 maximised, 7 minimised.
    void ShowFrame(int showState);
    // The frame's rectangle on the screen (its normal placement while maximised) and whether
    // it is maximised; SetFrameRect places it (normal placement).
    Rect GetFrameRect() const;
    void SetFrameRect(const Rect& rect);
    bool IsMaximized() const;

    Window& GetClient() const { return m_client; }
    void SetCaption(const std::string& caption);
    std::string GetCaption() const;
    void SetIconGlyph(const std::string& glyph);

    // Menu bar from a description; a separator at the top level only groups popups.
    void SetMenu(const std::vector<MenuItem>& bar);
    // The current text of the item with the id (empty when absent) and its state, with the
    // enabler run first.
    std::string GetMenuItemText(int id) const;
    bool IsMenuItemEnabled(int id);
    // The command id of the highlighted item of the frame's menu that is open (0 when no menu
    // of the frame is open, no item is highlighted or the highlighted item opens a popup).
    int HighlightedMenuCommand() const;
    // Places entries (texts with their ids) just before the item beforeId in its popup,
    // replacing the previous ones, with a separator after them when any exist.
    void SetDynamicItems(int beforeId, const std::vector<MenuItem>& entries);

    void SetAccelerators(const std::vector<Accelerator>& table);

    // The hint shown in the message bar for a highlighted item or a button under the pointer.
    void SetHintSource(std::function<std::string(int id)> hints);
    // Shows the hint of the command in the message bar (empty when it has none).
    void ShowHint(int id);

    // Message bar.
    void AddTextGadget(int id, int widthChars);
    void AddSeparatorGadget(int width);
    void AddBitmapGadget(int id, const std::string& glyph);
    void SetMessageText(const std::string& text);
    std::string GetMessageText() const;
    // The text of a text gadget, of the message bar or of the tool bar.
    void SetGadgetText(int id, const std::string& text);
    std::string GetGadgetText(int id) const;
    // Whether the message bar holds the gadget.
    bool HasGadget(int id) const;
    // A frame without a message bar hides it.
    void SetMessageBarShown(bool shown);
    bool IsMessageBarShown() const;

    // Tool bar: buttons that start disabled and follow their enablers. A button shows the
    // desktop theme's icon of the name given when the theme has one, else the bitmap of its id
    // (or the glyph text); its tooltip is its hint.
    void SetToolBarCaption(const std::string& caption);
    void AddToolButton(int id, const std::string& glyph, const std::string& themeIcon = "");
    // The tooltip of a tool-bar button (empty when it has none).
    std::string GetToolButtonTip(int id) const;
    // A button that stays pressed: the exclusive buttons added one after another form a group
    // of which one is pressed at a time; a click presses it and sends its command.
    void AddExclusiveToolButton(int id, const std::string& glyph, bool pressed);
    // A gap of the width in pixels, marked by a line in its middle.
    void AddToolSeparator(int width);
    // A recessed, left-aligned text the width of that many average characters.
    void AddToolTextGadget(int id, int widthChars, const std::string& text);
    bool IsToolButtonEnabled(int id) const;
    bool IsToolButtonPressed(int id) const;
    // Presses an exclusive button (the others of its group come up) or lets it come up.
    void SetToolButtonPressed(int id, bool pressed);
    std::vector<int> ToolButtonIds() const;
    std::vector<ToolGadget> ToolBarGadgets() const;
    // Runs the enablers of every tool-bar button.
    void UpdateToolBar();

    // Command routing. Dispatch offers the command to the running application first
    // (ApplicationTakesCommand: context help), then routes it.
    void SetApplication(Application* app) { m_app = app; }
    bool Dispatch(int id);
    bool IsCommandEnabled(int id);

    // Dropped files, in the order dropped.
    void SetDropHandler(std::function<void(const std::vector<std::string>&)> handler);
    void DropFiles(const std::vector<std::string>& files);

    // Closes through CanClose: false when the close was refused.
    bool Close();
    // Whether the frame is shown (created and not closed).
    bool IsOpen() const;
    bool CanClose() override;
    bool IdleAction(long idleCount) override;
    // Hides and destroys the frame's widgets (the client stays an object).
    void DestroyFrame();

    // The desktop's width in pixels.
    static int DesktopWidth();
    // Fixes the client area's size (tests and screenshots); a size of 0 x 0 lets it follow
    // the frame again. The environment variable QUARVISH_CLIENT_SIZE ("1200x800") sets it
    // for every frame shown from then on.
    void SetFixedClientSize(Size size);

    struct FrameImpl;

private:
    friend class FrameDriver;

    Window& m_client;
    Application* m_app = nullptr;
    std::unique_ptr<FrameImpl> m_frame;
};

} // namespace plat
