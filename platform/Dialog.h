#pragma once
// Dialogs: a modal window built from a template of controls.
//
// A template either places its controls in dialog units (width, height, x, y given: the
// units come from the dialog font's average character size, so text scales with the font)
// or lists them in order and lets the layer lay them out: each control gets a row, a control
// marked "beside" joins the row before it, a control with a label gets the label in front of
// it, a group box gathers the controls after it up to the next group box (or an end-of-group
// marker), and the OK, Cancel and Help buttons (ids 1, 2, 9) at the top level form the
// bottom row. Tab order follows the order of the template.
//
// Execute creates the dialog, runs SetupWindow and shows it modally through the gateway
// (so tests answer it from a script); it returns the id of the button that ended it. A
// button ends the dialog through CloseWindow (result), which a dialog overrides to read its
// controls after calling the base: the controls live until Execute returns.

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Controls.h"
#include "platform/Window.h"

namespace plat {

namespace DialogResult {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Help = 9;
} // namespace DialogResult

struct DialogItem {
    int id = -1;  // -1: a control nobody addresses
    ControlKind kind = ControlKind::Static;
    std::string text;
    int x = 0, y = 0, w = 0, h = 0;  // dialog units (placed templates only)
    unsigned style = 0;
    std::string label;  // laid-out templates: a label in front of the control
    bool beside = false;  // laid-out templates: joins the row before
    bool endGroup = false;  // laid-out templates: a marker that closes the open group box
    int textLimit = 0;  // edits and combo boxes (0: none)

    // A control of a laid-out template, with its label in front of it when one is given.
    static DialogItem Make(int id, ControlKind kind, std::string text = {}, std::string label = {},
                           unsigned style = 0) {
        DialogItem item;
        item.id = id;
        item.kind = kind;
        item.text = std::move(text);
        item.label = std::move(label);
        item.style = style;
        return item;
    }
    // The same, joining the row before it.
    static DialogItem Beside(int id, ControlKind kind, std::string text = {}, unsigned style = 0) {
        DialogItem item = Make(id, kind, std::move(text), {}, style);
        item.beside = true;
        return item;
    }
    // Closes the open group box of a laid-out template.
    static DialogItem EndGroup() {
        DialogItem item;
        item.endGroup = true;
        return item;
    }
    // A control placed in dialog units.
    static DialogItem At(int id, ControlKind kind, std::string text, int x, int y, int w, int h,
                         unsigned style = 0) {
        DialogItem item;
        item.id = id;
        item.kind = kind;
        item.text = std::move(text);
        item.x = x;
        item.y = y;
        item.w = w;
        item.h = h;
        item.style = style;
        return item;
    }
};

struct DialogTemplate {
    std::string caption;
    int width = 0;   // dialog units; 0: laid out by the layer
    int height = 0;
    std::string fontFace = "MS Sans Serif";
    int pointSize = 8;
    bool sizing = false;  // a sizing border
    std::vector<DialogItem> items;

    bool IsPlaced() const { return width > 0 && height > 0; }
    // An empty template of a fixed size in dialog units, for items placed by coordinates.
    static DialogTemplate Placed(std::string caption, int width, int height) {
        DialogTemplate t;
        t.caption = std::move(caption);
        t.width = width;
        t.height = height;
        return t;
    }
    // Shorthands for laid-out templates.
    DialogTemplate& Add(DialogItem item) {
        items.push_back(std::move(item));
        return *this;
    }
};

// A notification handler: the control id and code it answers.
struct NotifyEntry {
    int id = 0;
    int code = 0;
    std::function<void()> handler;
};

class DialogDriver;

class Dialog : public Window {
public:
    Dialog(Window* parent, DialogTemplate tmpl);
    ~Dialog() override;

    // Runs the dialog modally; the id of the button that ended it.
    int Execute();
    // Builds the dialog's window and controls and runs SetupWindow (Execute does this).
    void CreateDialog();
    // Closes the dialog's window (after Execute it is closed already).
    void Destroy();

    // Runs once the controls exist; a dialog overriding it calls the base first.
    void SetupWindow() override {}
    using Window::CloseWindow;
    // Ends the dialog with the result. With OK (1), CanClose may keep it open. A dialog
    // overriding it calls the base first and then reads its controls.
    virtual void CloseWindow(int result);
    virtual void CmOk();
    virtual void CmCancel();
    // Buttons (code Clicked) go to the command tables, then OK and Cancel; other
    // notifications to the notification tables. True when something answered.
    bool EvCommand(int id, int control, int notifyCode) override;
    void AddNotifyTable(std::initializer_list<NotifyEntry> entries);

    bool IsRunning() const;
    // The result the dialog ended with (0 while it runs).
    int GetResult() const { return m_result; }
    Window* GetParentWindow() const { return m_parent; }
    const DialogTemplate& GetTemplate() const { return m_template; }
    std::string GetCaption() const;
    void SetCaption(const std::string& caption);

    // Controls by id.
    bool HasItem(int id) const;
    std::string GetItemText(int id) const;
    void SetItemText(int id, const std::string& text);
    int IsItemChecked(int id) const;
    void CheckItem(int id, int state);
    void EnableItem(int id, bool enable);
    bool IsItemEnabled(int id) const;
    void ShowItem(int id, bool visible);
    bool IsItemVisible(int id) const;
    void SetItemFocus(int id);
    // Gives an edit the focus with its whole text selected (a refused value, ready to retype).
    void SelectItemText(int id);
    // The rectangle of a control in this dialog's pixels.
    Rect GetItemRect(int id) const;
    // Pixels of a rectangle given in this dialog's units.
    Rect MapDialogRect(const Rect& dialogUnits) const;

    struct DialogImpl;
    DialogImpl& dialogImpl() const { return *m_dialog; }

protected:
    // Ends the run with the result without asking anything (CloseWindow's last step).
    void EndDialog(int result);
    // Builds the window inside a given Qt parent (property pages).
    friend class PropertySheet;
    friend class Control;
    friend class DialogDriver;

private:
    void Register(Control* control);
    void Unregister(Control* control);
    void Build(void* pageParent);

    Window* m_parent;
    DialogTemplate m_template;
    int m_result = 0;
    std::vector<Control*> m_controls;
    std::map<std::pair<int, int>, std::function<void()>> m_notify;
    std::unique_ptr<DialogImpl> m_dialog;
};

// Works a dialog, or the controls of a plain window, as a user would (tests and scripted
// runs): types into edits, clicks buttons, selects items and switches pages, and reads what
// the controls show. Items are searched on the shown page of a sheet first, then in the
// whole dialog. An id that names no usable control fails loudly (std::logic_error).
class DialogDriver {
public:
    explicit DialogDriver(Window& window) : m_window(window) {}
    Window& GetWindow() const { return m_window; }
    // Shows the created dialog without a loop of its own (scripted runs).
    void Show();

    // Gives the control the focus (the focus notifications follow).
    void Focus(int id);
    // Focuses the edit (or editable combo) and replaces its text.
    void Type(int id, const std::string& text);
    // Clicks a push button, check box or radio button.
    void Click(int id);
    // Selects a row of a combo box, list box or list view as a user would; for multiple
    // selection lists, toggles the row.
    void Select(int id, int index);
    void SelectString(int id, const std::string& text);
    void DoubleClick(int id, int index);
    // Selects the first tree item with the text.
    void SelectTreeItem(int id, const std::string& text);
    // The left mouse button pressed and released on the middle of a row of a list box or list
    // view, as a user's click reaches the control (the row is scrolled into view first).
    void ClickItem(int id, int index);
    // A key (VKey::Up, Down, Home, End, PageUp, PageDown) pressed and released on the control,
    // which gets the focus first.
    void PressKey(int id, int key);
    // The left mouse button pressed on a control, and released inside it or outside.
    void MouseDown(int id);
    void MouseUp(int id, bool inside);
    // Enter and Escape: the default button, and Cancel, without moving the focus.
    void PressEnter();
    void PressEscape();
    // Keys held with a key pressed through Key.
    enum KeyModifier : unsigned { NoModifier = 0, ControlHeld = 1, ShiftHeld = 2, OnKeypad = 4 };
    // A key pressed and released on the keyboard (Return, Escape or Tab), with the modifiers
    // held (OnKeypad: the keypad's Enter for Return; Tab with Shift is the back-tab key): it
    // goes to the control holding the focus and, where that leaves it, on up to the dialog.
    void Key(int vkey, unsigned modifiers = NoModifier);
    // Printable characters typed one key each at the control holding the focus.
    void Chars(const std::string& text);
    // Property sheets and wizards.
    void SwitchPage(int index);
    void Next();
    void Back();
    void Finish();
    void Apply();
    int CurrentPage() const;
    std::string PageTitle() const;
    bool IsButtonEnabled(int id) const;

    std::string Text(int id) const;
    // What a control shows: for a static, its text with the "&" markers it takes out.
    std::string ShownText(int id) const;
    bool Checked(int id) const;
    int Selection(int id) const;
    std::vector<std::string> Items(int id) const;
    bool Enabled(int id) const;
    bool Visible(int id) const;
    // The id of the control that has the dialog's focus (-1: none), and an edit's selected text.
    int FocusedId() const;
    std::string SelectedText(int id) const;
    // Whether a static text, wrapped at its width where it wraps, fits inside its control.
    bool TextFits(int id) const;
    // Whether the dialog has ended (a plain window: whether it is gone), and its result.
    bool Ended() const;
    int Result() const;

private:
    Window& m_window;
};

} // namespace plat
