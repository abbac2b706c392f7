#pragma once
// Controls: edits, statics, buttons, check and radio boxes, group boxes, combo and list boxes,
// list and tree views, an in-page status bar and glyph buttons.
//
// A control object names a control by its id. In a dialog the control exists once the dialog
// does (built from the dialog's template), and the object reaches it through the dialog; on a
// plain window the object makes its own control with Create once the parent exists. Either
// way the control reports to its parent window's EvCommand (id, id, notification code).
// Text set by program code on an edit reports a change, as typing does; selections and
// checks set by program code report nothing, except in list and tree views, which report
// every change of selection. Each control's id is also its Qt object name.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/DC.h"
#include "platform/Types.h"

namespace plat {

class Window;
class Dialog;

enum class ControlKind {
    Static,
    Icon,
    Edit,
    MultiEdit,
    PushButton,
    DefPushButton,
    CheckBox,
    RadioButton,
    GroupBox,
    ComboBox,
    ListBox,
    ListView,
    TreeView,
    StatusBar,
    GlyphButton,
};

// Style bits of a control.
namespace CtlStyle {
inline constexpr unsigned Center = 0x1;        // statics and edits: centred text
inline constexpr unsigned Right = 0x2;         // statics and edits: right-aligned text
inline constexpr unsigned DropDownList = 0x4;  // combo box without an edit field
inline constexpr unsigned OwnerDraw = 0x8;     // combo and list box items drawn by program code
inline constexpr unsigned MultipleSel = 0x10;  // list box
inline constexpr unsigned Sorted = 0x20;       // list box and combo box keep items sorted
inline constexpr unsigned ReadOnly = 0x40;     // edits
inline constexpr unsigned Disabled = 0x80;
inline constexpr unsigned Hidden = 0x100;
inline constexpr unsigned Group = 0x200;       // starts a new group of radio buttons
inline constexpr unsigned NoPrefix = 0x400;    // statics: "&" is shown as it is
} // namespace CtlStyle

// Notification codes that controls send with their id.
namespace Notify {
inline constexpr int Clicked = 0;            // push, check and radio buttons
inline constexpr int SelChange = 1;          // combo and list boxes
inline constexpr int DblClk = 2;             // list boxes
inline constexpr int EditChange = 5;         // the edit field of a combo box
inline constexpr int SetFocus = 0x100;       // edits
inline constexpr int KillFocus = 0x200;      // edits
inline constexpr int Change = 0x300;         // edits
inline constexpr int ItemChanged = -101;     // list views
inline constexpr int TreeSelChanged = -402;  // tree views
} // namespace Notify

// Check states.
namespace Check {
inline constexpr int Unchecked = 0;
inline constexpr int Checked = 1;
} // namespace Check

// What an owner-drawn item is to show: its row, its rectangle in the control's pixels, its
// state, its text and data, and the context to draw with.
struct DrawItem {
    int index = -1;        // -1: an empty control (only the focus, if any, is drawn)
    Rect rect;
    bool selected = false;
    bool focused = false;
    bool disabled = false;
    bool comboEdit = false;  // the closed combo box's own field
    std::string text;
    long data = 0;
};
using OwnerDrawFn = std::function<void(DC& dc, const DrawItem& item)>;

// Base of every control object.
class Control {
public:
    // A control of a dialog (made with the dialog) or of a plain window (made by Create).
    Control(Window& parent, int id);
    // A control that makes itself on a plain window: kind, text, place in pixels and style.
    Control(Window& parent, int id, ControlKind kind, const std::string& text, const Rect& place,
            unsigned style = 0);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    int GetId() const { return m_id; }
    Window& GetParent() const { return m_parent; }
    // Makes the control on its parent window (plain windows; dialogs make theirs).
    void Create();
    bool IsCreated() const;

    std::string GetText() const;
    void SetText(const std::string& text);
    void Enable(bool enable);
    bool IsEnabled() const;
    void Show(bool visible);
    bool IsVisible() const;
    void SetFocus();
    void MoveWindow(const Rect& place);
    Rect GetPlace() const;
    void SetFont(const LogFont& font);
    // What the control shows now, as a picture of its own size.
    Image GetPicture() const;

    struct Impl;
    Impl& impl() const { return *m_impl; }

protected:
    // Runs once the control exists (settings kept until then are applied here).
    virtual void Attached() {}

private:
    friend class Dialog;
    void Attach();
    // The dialog goes before this object: nothing to tell it later.
    void Orphan();

    Window& m_parent;
    int m_id;
    std::unique_ptr<Impl> m_impl;
};

class Static : public Control {
public:
    using Control::Control;
};

class GroupBox : public Control {
public:
    using Control::Control;
};

// Single- and multi-line edits. Multi-line text is read and written with CR LF line ends.
class Edit : public Control {
public:
    Edit(Window& parent, int id, int textLimit = 0);
    Edit(Window& parent, int id, const std::string& text, const Rect& place, int textLimit = 0,
         bool multiLine = false, unsigned style = 0);
    // The most characters the edit takes (0: no limit).
    void SetTextLimit(int limit);
    int GetTextLimit() const { return m_limit; }
    // Tab stops of a multi-line edit in dialog units.
    void SetTabStops(const std::vector<int>& dialogUnits);
    // Selects characters start..end-1 (end -1: to the end).
    void SetSelection(int start, int end);
    void GetSelection(int& start, int& end) const;
    // Puts the text in place of the selection, or at the caret when nothing is selected, and
    // leaves the caret after it, as typing it would (line ends CR LF or LF).
    void ReplaceSelection(const std::string& text);
    // Puts the selected text on the clipboard (CR LF line ends).
    void Copy();
    int GetLineCount() const;

protected:
    void Attached() override;

private:
    int m_limit = 0;
    std::vector<int> m_tabStops;
};

class Button : public Control {
public:
    using Control::Control;
    // Makes this the default button (Enter presses it).
    void SetDefault(bool isDefault);
};

// Check boxes and radio buttons.
class CheckBox : public Control {
public:
    using Control::Control;
    int GetCheck() const;
    void SetCheck(int state);
    void Check() { SetCheck(Check::Checked); }
    void Uncheck() { SetCheck(Check::Unchecked); }
};

class RadioButton : public CheckBox {
public:
    using CheckBox::CheckBox;
};

// Items of combo and list boxes: strings with a number each, and optional owner drawing.
class ListControl : public Control {
public:
    using Control::Control;
    // Appends (or, in a sorted control, inserts) the string; its index.
    int AddString(const std::string& text);
    int InsertString(const std::string& text, int index);
    void DeleteString(int index);
    void ClearList();
    int GetCount() const;
    std::string GetString(int index) const;
    int FindStringExact(const std::string& text) const;
    void SetItemData(int index, long data);
    long GetItemData(int index) const;
    // The selected index (-1: none). Setting it reports nothing.
    int GetSelIndex() const;
    void SetSelIndex(int index);
    // Selects the first item starting with the text (combo boxes: whole text); its index.
    int SetSelString(const std::string& text);
    // Owner-drawn items: drawn by the function, each row the given height in pixels.
    void SetOwnerDraw(OwnerDrawFn draw);
    void SetItemHeight(int height);
    int GetItemHeight() const { return m_itemHeight; }

protected:
    void Attached() override;

private:
    OwnerDrawFn m_draw;
    int m_itemHeight = 0;
};

class ComboBox : public ListControl {
public:
    ComboBox(Window& parent, int id, int textLimit = 0);
    ComboBox(Window& parent, int id, const Rect& place, unsigned style, int textLimit = 0);
    void SetTextLimit(int limit);
    // Shows or hides the drop-down list.
    void ShowList(bool show);

protected:
    void Attached() override;

private:
    int m_limit = 0;
};

class ListBox : public ListControl {
public:
    using ListControl::ListControl;
    // Multiple selection.
    std::vector<int> GetSelIndexes() const;
    void SetSel(int index, bool select);
    int GetTopIndex() const;
    void SetTopIndex(int index);
};

// A set of pictures of one size, for list views.
class ImageList {
public:
    explicit ImageList(int width = 32, int height = 32) : m_width(width), m_height(height) {}
    // Adds a picture (scaled to the list's size); its index.
    int Add(const Image& image);
    // Adds the picture in a file; -1 when the file cannot be read as a picture.
    int AddFile(const std::string& path);
    int Count() const { return static_cast<int>(m_images.size()); }
    const Image& Get(int index) const { return m_images.at(static_cast<std::size_t>(index)); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    int m_width;
    int m_height;
    std::vector<Image> m_images;
};

// A list of rows with columns and icons (report style). Every change of the selected row,
// by the user or by program code, reports ItemChanged.
class ListView : public Control {
public:
    using Control::Control;
    void SetImageList(const ImageList& images);
    void AddColumn(const std::string& title, int width);
    // Appends a row with its first column's text and icon (-1: none); its index.
    int AddItem(const std::string& text, int icon = -1);
    void SetItemText(int row, int column, const std::string& text);
    std::string GetItemText(int row, int column = 0) const;
    void DeleteAllItems();
    int GetCount() const;
    int GetSelIndex() const;
    void SetSelIndex(int row);
    void EnsureVisible(int row);

protected:
    void Attached() override;

private:
    struct Column {
        std::string title;
        int width;
    };
    std::vector<Column> m_columns;
    std::unique_ptr<ImageList> m_images;
};

// A tree of texts. Items are numbered as they are added; 0 is the invisible root. Every
// change of the selected item reports TreeSelChanged.
class TreeView : public Control {
public:
    using Control::Control;
    static constexpr int Root = 0;
    // Adds a child at the end of the parent's children; its number (-1 when the parent is
    // unknown).
    int AddItem(int parent, const std::string& text);
    void DeleteAllItems();
    int GetCount() const;
    std::string GetItemText(int item) const;
    int GetParentItem(int item) const;
    int GetSelection() const;  // 0 when none
    void SelectItem(int item);
    void Expand(int item, bool expand = true);
    bool IsExpanded(int item) const;
};

// A one-field status bar inside a dialog page.
class StatusBar : public Control {
public:
    using Control::Control;
};

// A push button showing a picture, with a second picture while it is pressed. A click is
// reported when the button is released inside it.
class GlyphButton : public Control {
public:
    GlyphButton(Window& parent, int id, const std::string& text, const Rect& place, bool isDefault = false);
    void SetGlyph(const Image& up);
    void SetPressedGlyph(const Image& down);
    bool IsPressed() const;
    // Keeps the button drawn pressed in (a state shown, not a click in progress) or lets it out.
    void SetLatched(bool latched);
    bool IsLatched() const { return m_latched; }

protected:
    void Attached() override;

private:
    bool m_default;
    bool m_latched = false;
    std::unique_ptr<Image> m_up;
    std::unique_ptr<Image> m_down;
};

} // namespace plat
