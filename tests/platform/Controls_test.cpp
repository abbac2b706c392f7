// List and tree views with their selection notifications, the in-page status bar, owner-drawn
// items, and controls on a plain window as the view manager places them.

#include <gtest/gtest.h>

#include "platform/Application.h"
#include "platform/Dialog.h"
#include "support/ScriptedUi.h"
#include "tests/platform/PlatformFixture.h"

using namespace plat;

namespace {

constexpr int IdShapes = 5025;
constexpr int IdStatus = 5026;
constexpr int IdTree = 5700;
constexpr int IdTypes = 5072;
constexpr int IdCombo = 1101;

DialogItem Item(int id, ControlKind kind, unsigned style = 0, std::string text = {}) {
    DialogItem item;
    item.id = id;
    item.kind = kind;
    item.style = style;
    item.text = std::move(text);
    return item;
}

class ShapesDialog : public Dialog {
public:
    ShapesDialog() : Dialog(nullptr, Template()) {
        AddNotifyTable({{IdShapes, Notify::ItemChanged,
                         [this] {
                             log.push_back("list " + std::to_string(m_shapes.GetSelIndex()));
                             if (m_shapes.GetSelIndex() >= 0)
                                 m_status.SetText(m_shapes.GetItemText(m_shapes.GetSelIndex()));
                         }},
                        {IdTree, Notify::TreeSelChanged, [this] {
                             const int item = m_tree.GetSelection();
                             log.push_back("tree " + m_tree.GetItemText(m_tree.GetParentItem(item)) + "/" +
                                           m_tree.GetItemText(item));
                         }}});
    }

    static DialogTemplate Template() {
        DialogTemplate t;
        t.caption = "Shapes";
        t.Add(Item(IdShapes, ControlKind::ListView))
            .Add(Item(IdStatus, ControlKind::StatusBar, 0, "No Current Selection"))
            .Add(Item(IdTree, ControlKind::TreeView))
            .Add(Item(DialogResult::Ok, ControlKind::DefPushButton, 0, "OK"));
        return t;
    }

    void SetupWindow() override {
        Dialog::SetupWindow();
        ImageList icons(32, 32);
        for (Color c : {Colors::LtRed, Colors::LtGreen, Colors::LtBlue})
            icons.Add(Image(16, 16, c));  // scaled to 32 x 32
        iconCount = icons.Count();
        m_shapes.SetImageList(icons);
        m_shapes.AddColumn("Title", 300);
        for (const char* title : {"Rectangle", "Circle", "Tee"})
            m_shapes.AddItem(title, m_shapes.GetCount());
        m_shapes.SetSelIndex(1);  // reported like a user's choice
        const int aashto = m_tree.AddItem(TreeView::Root, "AASHTO");
        m_tree.AddItem(aashto, "Type II");
        m_tree.AddItem(aashto, "Type III");
        const int bulb = m_tree.AddItem(TreeView::Root, "Bulb Tee");
        m_tree.AddItem(bulb, "BT-54");
        m_tree.Expand(bulb);
    }

    std::vector<std::string> log;
    int iconCount = 0;
    ListView m_shapes{*this, IdShapes};
    StatusBar m_status{*this, IdStatus};
    TreeView m_tree{*this, IdTree};
};

} // namespace

class ControlsTest : public GuiTest {};

TEST_F(ControlsTest, ListAndTreeViewsReportEverySelectionChange) {
    ShapesDialog dialog;
    ScriptedUi ui;
    ui.Dialog("Shapes", [&](DialogDriver& d) {
        EXPECT_EQ(d.Text(IdStatus), "Circle");
        d.Select(IdShapes, 2);
        EXPECT_EQ(d.Text(IdStatus), "Tee");
        // A click reports the row it selects, as the keys do.
        d.ClickItem(IdShapes, 0);
        EXPECT_EQ(d.Text(IdStatus), "Rectangle");
        d.PressKey(IdShapes, VKey::Down);
        EXPECT_EQ(d.Text(IdStatus), "Circle");
        EXPECT_EQ(d.Items(IdTree), (std::vector<std::string>{"AASHTO", "Type II", "Type III", "Bulb Tee", "BT-54"}));
        EXPECT_TRUE(dialog.m_tree.IsExpanded(4));
        EXPECT_FALSE(dialog.m_tree.IsExpanded(1));
        d.SelectTreeItem(IdTree, "Type III");
        dialog.m_tree.SelectItem(5);
        d.Click(DialogResult::Ok);
    });
    EXPECT_EQ(dialog.Execute(), DialogResult::Ok);
    EXPECT_EQ(dialog.iconCount, 3);
    EXPECT_EQ(dialog.log,
              (std::vector<std::string>{"list 1", "list 2", "list 0", "list 1", "tree AASHTO/Type III",
                                        "tree Bulb Tee/BT-54"}));
}

namespace {

struct Drawn {
    int index;
    bool selected;
    bool disabled;
    bool comboEdit;
    int height;
    DrawItem item;
};

// A list of types drawn by program code, as the type selection dialog does.
class TypesDialog : public Dialog {
public:
    TypesDialog() : Dialog(nullptr, Template()) {
        m_types.SetOwnerDraw([this](DC& dc, const DrawItem& item) { Draw(dc, item); });
        m_types.SetItemHeight(20);
        m_combo.SetOwnerDraw([this](DC& dc, const DrawItem& item) { Draw(dc, item); });
    }

    static DialogTemplate Template() {
        DialogTemplate t;
        t.caption = "Select Linetype";
        t.width = 235;
        t.height = 148;
        DialogItem list = Item(IdTypes, ControlKind::ListBox, CtlStyle::OwnerDraw);
        list.x = 12, list.y = 20, list.w = 208, list.h = 100;
        DialogItem combo = Item(IdCombo, ControlKind::ComboBox, CtlStyle::DropDownList | CtlStyle::OwnerDraw);
        combo.x = 12, combo.y = 4, combo.w = 100, combo.h = 60;
        t.Add(list).Add(combo);
        return t;
    }

    void SetupWindow() override {
        Dialog::SetupWindow();
        for (const char* name : {"Solid Line", "Dashed Line", "Dotted Line"}) {
            m_types.AddString("holder");
            m_combo.AddString(name);
        }
        m_combo.SetSelIndex(2);
    }

    // Records the item, then draws a line-type sample: the row filled (black when selected),
    // then three lines of the row's style from the left edge to a third of the right edge.
    void Draw(DC& dc, const DrawItem& item) {
        drawn.push_back({item.index, item.selected, item.disabled, item.comboEdit, item.rect.Height(), item});
        dc.FillRect(item.rect, item.selected ? Colors::Black : Colors::White);
        dc.SelectPen(Pen{static_cast<PenStyle>(std::max(0, item.index) % 5), 1, Colors::LtBlue});
        const int middle = (item.rect.top + item.rect.bottom) / 2;
        for (int k = 0; k < 3; ++k) {
            dc.MoveTo(item.rect.left, middle - 1 + k);
            dc.LineTo(item.rect.right / 3, middle - 1 + k);
        }
    }

    bool Saw(int index, bool selected, bool disabled = false) const {
        for (const Drawn& d : drawn)
            if (!d.comboEdit && d.index == index && d.selected == selected && d.disabled == disabled && d.height == 20)
                return true;
        return false;
    }

    std::vector<Drawn> drawn;
    ListBox m_types{*this, IdTypes};
    ComboBox m_combo{*this, IdCombo};
};

} // namespace

TEST_F(ControlsTest, OwnerDrawnItemsAreDrawnByProgramCodeWithTheirState) {
    TypesDialog dialog;
    ScriptedUi ui;
    ui.Dialog("Linetype", [&](DialogDriver& d) {
        d.Select(IdTypes, 1);
        Application::SettleEvents();
        EXPECT_TRUE(dialog.Saw(0, false));
        EXPECT_TRUE(dialog.Saw(1, true));
        EXPECT_TRUE(dialog.Saw(2, false));
        // What the drawing code drew through the item's context is what the list shows: the
        // selected row black, with the blue sample from its left edge.
        const Image shown = dialog.m_types.GetPicture();
        for (const Drawn& item : dialog.drawn) {
            if (item.comboEdit || item.index != 1 || !item.selected)
                continue;
            const Rect r = item.item.rect;
            EXPECT_EQ(shown.Pixel(r.right - 2, r.top + 1), Colors::Black);
            EXPECT_EQ(shown.Pixel(r.left + 1, (r.top + r.bottom) / 2), Colors::LtBlue);
        }
        // The closed combo box's own field shows its chosen item.
        bool comboField = false;
        for (const Drawn& item : dialog.drawn)
            comboField = comboField || (item.comboEdit && item.index == 2);
        EXPECT_TRUE(comboField);
        dialog.drawn.clear();
        dialog.EnableItem(IdTypes, false);
        Application::SettleEvents();
        EXPECT_TRUE(dialog.Saw(1, true, true));
        d.PressEscape();
    });
    dialog.Execute();
}

namespace {

// A plain window with controls placed in pixels, as the view manager places them on the
// main window: notifications arrive with the control's id and code.
class PanelWindow : public Window {
public:
    bool EvCommand(int id, int control, int code) override {
        log.push_back(std::to_string(id) + ":" + std::to_string(control) + ":" + std::to_string(code));
        return Window::EvCommand(id, control, code);
    }
    std::vector<std::string> log;
};

} // namespace

TEST_F(ControlsTest, ControlsOnAPlainWindowReportToIt) {
    PanelWindow panel;
    panel.Create();
    panel.MoveWindow(Rect{0, 0, 400, 300});
    panel.Show(true);
    ComboBox layout(panel, 1101, Rect{10, 10, 200, 40}, CtlStyle::DropDownList | CtlStyle::OwnerDraw, 512);
    Control range(panel, 1000, ControlKind::PushButton, "Auto Range", Rect{10, 50, 110, 75});
    GlyphButton glyph(panel, 38, "", Rect{10, 80, 42, 112});
    glyph.SetGlyph(Image(24, 24, Colors::LtGreen));
    glyph.SetPressedGlyph(Image(24, 24, Colors::Gray));
    EXPECT_FALSE(layout.IsCreated());
    for (Control* c : {static_cast<Control*>(&layout), &range, static_cast<Control*>(&glyph)})
        c->Create();
    layout.SetOwnerDraw([](DC& dc, const DrawItem& item) { dc.FillRect(item.rect, Colors::LtGray); });
    for (const char* title : {"Moment-Curvature", "Shear-Strain"})
        layout.AddString(title);
    layout.SetSelIndex(0);
    EXPECT_EQ(layout.GetText(), "Moment-Curvature");

    // A command that shares the combo box's id runs on a click-like code only.
    int commands = 0;
    panel.AddResponseTable({{1101, [&commands] { ++commands; }, {}}});
    DialogDriver user(panel);
    user.Select(1101, 1);
    EXPECT_EQ(commands, 0);
    EXPECT_TRUE(panel.EvCommand(1101, 0, Notify::Clicked));
    EXPECT_EQ(commands, 1);
    panel.log.clear();
    user.Select(1101, 1);
    user.Click(1000);
    user.Click(38);
    EXPECT_EQ(panel.log, (std::vector<std::string>{"1101:1101:1", "1000:1000:0", "38:38:0"}));
    EXPECT_FALSE(glyph.IsPressed());

    // A glyph button shows its second picture while pressed and reports a click only when
    // released inside it.
    panel.log.clear();
    const Rect face = glyph.GetPlace();
    const Point middle{face.Width() / 2, face.Height() / 2};
    EXPECT_EQ(glyph.GetPicture().Pixel(middle.x, middle.y), Colors::LtGreen);
    user.MouseDown(38);
    EXPECT_TRUE(glyph.IsPressed());
    EXPECT_EQ(glyph.GetPicture().Pixel(middle.x, middle.y), Colors::Gray);
    user.MouseUp(38, false);
    EXPECT_FALSE(glyph.IsPressed());
    EXPECT_EQ(glyph.GetPicture().Pixel(middle.x, middle.y), Colors::LtGreen);
    user.MouseDown(38);
    user.MouseUp(38, true);
    EXPECT_EQ(panel.log, (std::vector<std::string>{"38:38:0"}));

    range.MoveWindow(Rect{20, 60, 140, 90});
    EXPECT_EQ(range.GetPlace(), (Rect{20, 60, 140, 90}));
    range.SetText("Max Range");
    EXPECT_EQ(user.Text(1000), "Max Range");
    range.Show(false);
    EXPECT_THROW(user.Click(1000), std::logic_error);
}
