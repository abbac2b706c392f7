// Dialogs driven offscreen through the scripted gateway: every control kind, notifications
// in order, values out on OK and nothing on Cancel.

#include <gtest/gtest.h>

#include <gtest/gtest-spi.h>

#include <cstdlib>
#include <functional>
#include <optional>

#include "platform/Application.h"
#include "platform/Dialog.h"
#include "platform/Services.h"
#include "support/SampleDialogs.h"
#include "support/ScriptedUi.h"
#include "tests/platform/PlatformFixture.h"

using namespace plat;
using namespace sample;

namespace {

struct SampleValues {
    std::string name;
    double value = 0;
    std::string notes;
    bool fixed = false;
    bool imperial = false;
    int kind = -1;
    std::string size;
    std::vector<int> layers;
};

// A dialog of every control kind that logs every notification as "id:code".
class SampleDialog : public Dialog {
public:
    explicit SampleDialog(SampleValues in) : Dialog(nullptr, SettingsTemplate()), m_in(std::move(in)) {
        for (int id : {IdName, IdValue, IdNotes, IdFixed, IdMetric, IdImperial, IdKind, IdSize, IdLayers, IdFill})
            for (int code : {Notify::Clicked, Notify::SelChange, Notify::EditChange, Notify::SetFocus,
                             Notify::KillFocus, Notify::Change})
                AddNotifyTable({{id, code, [this, id, code] { Log(id, code); }}});
        // The value is parsed when its edit loses the focus.
        AddNotifyTable({{IdValue, Notify::KillFocus, [this] {
                             Log(IdValue, Notify::KillFocus);
                             ++parses;
                             parsed = std::atof(m_value.GetText().c_str());
                         }}});
        AddResponseTable({{IdFill, [this] {
                               Log(IdFill, Notify::Clicked);
                               m_name.SetText("filled");
                           },
                           {}}});
    }

    void SetupWindow() override {
        Dialog::SetupWindow();
        m_name.SetText(m_in.name);
        m_value.SetText(std::to_string(m_in.value).substr(0, 4));
        m_notes.SetText(m_in.notes);
        m_fixed.SetCheck(m_in.fixed ? Check::Checked : Check::Unchecked);
        (m_in.imperial ? m_imperial : m_metric).Check();
        for (const char* k : {"Beam", "Column", "Shell"})
            m_kind.AddString(k);
        m_kind.SetSelIndex(m_in.kind);
        for (const char* s : {"10M", "15M", "20M"})
            m_size.AddString(s);
        m_size.SetText(m_in.size);
        for (const char* l : {"Top", "Middle", "Bottom"})
            m_layers.AddString(l);
        for (int i : m_in.layers)
            m_layers.SetSel(i, true);
    }

    void CloseWindow(int result) override {
        Dialog::CloseWindow(result);
        if (result != DialogResult::Ok || IsRunning())
            return;
        SampleValues v;
        v.name = m_name.GetText();
        v.value = parsed;
        v.notes = m_notes.GetText();
        v.fixed = m_fixed.GetCheck() == Check::Checked;
        v.imperial = m_imperial.GetCheck() == Check::Checked;
        v.kind = m_kind.GetSelIndex();
        v.size = m_size.GetText();
        v.layers = m_layers.GetSelIndexes();
        out = v;
    }

    void Log(int id, int code) { log.push_back(std::to_string(id) + ":" + std::to_string(code)); }

    std::vector<std::string> log;
    std::optional<SampleValues> out;
    int parses = 0;
    double parsed = 0;

private:
    SampleValues m_in;
    Edit m_name{*this, IdName, 20};
    Edit m_value{*this, IdValue};
    Edit m_notes{*this, IdNotes};
    CheckBox m_fixed{*this, IdFixed};
    RadioButton m_metric{*this, IdMetric};
    RadioButton m_imperial{*this, IdImperial};
    ComboBox m_kind{*this, IdKind};
    ComboBox m_size{*this, IdSize, 4};
    ListBox m_layers{*this, IdLayers};
};

std::string N(int id, int code) { return std::to_string(id) + ":" + std::to_string(code); }

SampleValues Initial() {
    SampleValues v;
    v.name = "Girder";
    v.value = 2.5;
    v.notes = "first\r\nsecond";
    v.fixed = true;
    v.kind = 1;
    v.size = "15M";
    v.layers = {2};
    return v;
}

} // namespace

class DialogTest : public GuiTest {};

// The sample dialog with its initial values and a script for it to run under.
class ScriptedDialogTest : public DialogTest {
protected:
    ScriptedUi ui;
    SampleDialog dialog{Initial()};
};

TEST_F(ScriptedDialogTest, ProgramCodeFillingTheControlsReportsOnlyEditChanges) {
    std::vector<std::string> setupLog;
    ui.Dialog("Sample", [&](DialogDriver& d) {
        setupLog = dialog.log;
        EXPECT_EQ(d.Text(IdName), "Girder");
        EXPECT_EQ(d.Text(IdNotes), "first\r\nsecond");
        EXPECT_TRUE(d.Checked(IdFixed));
        EXPECT_TRUE(d.Checked(IdMetric));
        EXPECT_FALSE(d.Checked(IdImperial));
        EXPECT_EQ(d.Selection(IdKind), 1);
        EXPECT_EQ(d.Text(IdSize), "15M");
        EXPECT_EQ(d.Items(IdLayers), (std::vector<std::string>{"Top", "Middle", "Bottom"}));
        EXPECT_EQ(d.Selection(IdLayers), 2);
        EXPECT_EQ(d.Text(IdStatus), "Ready");
        d.PressEscape();
    });
    EXPECT_EQ(dialog.Execute(), DialogResult::Cancel);
    // Edits report text set by program code; checks and selections set by it report nothing.
    // Shown, the dialog gives the first control the focus.
    EXPECT_EQ(setupLog, (std::vector<std::string>{N(IdName, Notify::Change), N(IdValue, Notify::Change),
                                                  N(IdNotes, Notify::Change), N(IdName, Notify::SetFocus)}));
    EXPECT_FALSE(dialog.IsCreated());
}

TEST_F(ScriptedDialogTest, UserActionsReportInOrderAndOkHandsTheValuesOut) {
    ui.Dialog("Sample Settings", [&](DialogDriver& d) {
        dialog.log.clear();
        d.Type(IdName, "Column C1 with a far too long name");
        d.Type(IdValue, "3.75");
        d.Click(IdFixed);
        d.Click(IdImperial);
        d.Select(IdKind, 2);
        d.Type(IdSize, "25M");
        d.Select(IdLayers, 0);
        d.Type(IdNotes, "a\r\nb\r\nc");
        d.Click(DialogResult::Ok);
    });
    EXPECT_EQ(dialog.Execute(), DialogResult::Ok);
    const std::vector<std::string> expected{
        N(IdName, Notify::Change),     N(IdName, Notify::KillFocus),
        N(IdValue, Notify::SetFocus),  N(IdValue, Notify::Change),  N(IdValue, Notify::KillFocus),
        N(IdFixed, Notify::Clicked),   N(IdImperial, Notify::Clicked), N(IdKind, Notify::SelChange),
        N(IdSize, Notify::EditChange), N(IdLayers, Notify::SelChange), N(IdNotes, Notify::SetFocus),
        N(IdNotes, Notify::Change),    N(IdNotes, Notify::KillFocus)};
    EXPECT_EQ(dialog.log, expected);
    ASSERT_TRUE(dialog.out);
    EXPECT_EQ(dialog.out->name, "Column C1 with a far");  // the text limit of 20
    EXPECT_DOUBLE_EQ(dialog.out->value, 3.75);
    EXPECT_EQ(dialog.out->notes, "a\r\nb\r\nc");
    EXPECT_FALSE(dialog.out->fixed);
    EXPECT_TRUE(dialog.out->imperial);
    EXPECT_EQ(dialog.out->kind, 2);
    EXPECT_EQ(dialog.out->size, "25M");
    EXPECT_EQ(dialog.out->layers, (std::vector<int>{0, 2}));
}

// An edit parsed when it loses the focus is parsed when OK ends the dialog, whether OK is
// clicked (the focus moves first) or Enter presses it (the focus stays), and only once.
TEST_F(DialogTest, EditParsedOnLosingFocusIsParsedOnOk) {
    for (bool enter : {false, true}) {
        ScriptedUi ui;
        SampleDialog dialog(Initial());
        ui.Dialog("Sample", [&](DialogDriver& d) {
            d.Type(IdValue, "7.5");
            enter ? d.PressEnter() : d.Click(DialogResult::Ok);
        });
        EXPECT_EQ(dialog.Execute(), DialogResult::Ok) << enter;
        ASSERT_TRUE(dialog.out) << enter;
        EXPECT_DOUBLE_EQ(dialog.out->value, 7.5) << enter;
        EXPECT_EQ(dialog.parses, 1) << enter;
    }
}

TEST_F(ScriptedDialogTest, SettingTheSameTextStillReportsAChange) {
    ui.Dialog("Sample", [&](DialogDriver& d) {
        dialog.log.clear();
        d.Click(IdFill);
        d.Click(IdFill);
        EXPECT_EQ(dialog.log, (std::vector<std::string>{N(IdName, Notify::KillFocus), N(IdFill, Notify::Clicked),
                                                        N(IdName, Notify::Change),
                                                        N(IdFill, Notify::Clicked), N(IdName, Notify::Change)}));
        d.Click(DialogResult::Cancel);
    });
    dialog.Execute();
}

TEST_F(ScriptedDialogTest, ControlsByIdAndMisuseOfTheDriver) {
    ui.Dialog("Sample", [&](DialogDriver& d) {
        dialog.EnableItem(IdFixed, false);
        dialog.ShowItem(IdFill, false);
        dialog.CheckItem(IdMetric, Check::Unchecked);  // no radio checked is possible
        dialog.SetItemText(IdStatus, "A && B");
        // The text limit (20) holds for typing, not for text set by program code.
        dialog.SetItemText(IdName, "Column C1 with a long name");
        EXPECT_EQ(d.Text(IdName), "Column C1 with a long name");
        // The template's limit holds when the control object sets none; an editable combo
        // box takes its object's limit (4).
        d.Type(IdValue, "1234567890");
        EXPECT_EQ(d.Text(IdValue), "12345678");
        d.Type(IdSize, "100M+");
        EXPECT_EQ(d.Text(IdSize), "100M");
        // Items carry a number each, which moves with its item.
        ListBox layers(dialog, IdLayers);
        layers.SetItemData(1, 4711);
        layers.InsertString("Haunch", 1);
        EXPECT_EQ(layers.GetItemData(2), 4711);
        EXPECT_EQ(layers.FindStringExact("middle"), 2);
        layers.DeleteString(0);
        EXPECT_EQ(d.Items(IdLayers), (std::vector<std::string>{"Haunch", "Middle", "Bottom"}));
        EXPECT_FALSE(d.Enabled(IdFixed));
        EXPECT_FALSE(d.Visible(IdFill));
        EXPECT_FALSE(d.Checked(IdMetric));
        EXPECT_FALSE(d.Checked(IdImperial));
        EXPECT_EQ(dialog.GetItemText(IdStatus), "A && B");
        EXPECT_THROW(d.Click(IdFixed), std::logic_error);
        EXPECT_THROW(d.Click(IdFill), std::logic_error);
        EXPECT_THROW(d.Type(4711, "x"), std::logic_error);
        EXPECT_THROW(d.Select(IdKind, 3), std::logic_error);
        EXPECT_THROW(d.SwitchPage(0), std::logic_error);
        d.Click(DialogResult::Cancel);
    });
    dialog.Execute();
}

TEST_F(DialogTest, ADialogNoScriptExpectsFailsTheTestAndIsCancelled) {
    SampleDialog dialog(Initial());
    int result = 0;
    EXPECT_NONFATAL_FAILURE(result = dialog.Execute(), "unscripted dialog: Sample Settings");
    EXPECT_EQ(result, DialogResult::Cancel);
    EXPECT_FALSE(dialog.out);
}

TEST_F(ScriptedDialogTest, MultiLineEditKeepsCrLfAndCopiesTheSelection) {
    Edit notes(dialog, IdNotes);
    ui.Dialog("Sample", [&](DialogDriver& d) {
        notes.SetText("line 1\r\nline 2\r\n");
        EXPECT_EQ(notes.GetLineCount(), 3);
        notes.SetSelection(0, -1);
        int start = -1, end = -1;
        notes.GetSelection(start, end);
        EXPECT_EQ(start, 0);
        EXPECT_EQ(end, 16);
        notes.Copy();
        EXPECT_EQ(Clipboard::GetText(), "line 1\r\nline 2\r\n");
        notes.SetSelection(8, 14);
        notes.Copy();
        EXPECT_EQ(Clipboard::GetText(), "line 2");
        d.Click(DialogResult::Cancel);
    });
    dialog.Execute();
}

namespace {

constexpr int IdOther = 7;

// A dialog that counts its close checks and refuses as told.
class CheckedDialog : public Dialog {
public:
    CheckedDialog() : Dialog(nullptr, Template()) {
        AddResponseTable({{IdOther, [this] { CloseWindow(IdOther); }, {}}});
    }
    static DialogTemplate Template() {
        DialogTemplate t;
        t.caption = "Checked";
        t.Add(DialogItem::Make(IdOther, ControlKind::PushButton, "Other"));
        t.Add(DialogItem::Make(DialogResult::Ok, ControlKind::DefPushButton, "OK"));
        t.Add(DialogItem::Make(DialogResult::Cancel, ControlKind::PushButton, "Cancel"));
        t.Add(DialogItem::Make(DialogResult::Help, ControlKind::PushButton, "Help"));
        return t;
    }
    bool CanClose() override {
        ++checks;
        return refusals-- <= 0;
    }
    int checks = 0;
    int refusals = 0;
};

} // namespace

// The close check runs when OK ends the dialog (the button or Enter), and a refusal keeps it
// open; Cancel, Escape and any other result end it without asking.
TEST_F(DialogTest, TheCloseCheckIsAskedOnOkOnly) {
    const struct {
        const char* name;
        std::function<void(DialogDriver&)> end;
        int result;
        int checks;
    } rows[] = {
        {"OK", [](DialogDriver& d) { d.Click(DialogResult::Ok); }, DialogResult::Ok, 3},
        {"Enter", [](DialogDriver& d) { d.PressEnter(); }, DialogResult::Ok, 3},
        {"Cancel", [](DialogDriver& d) { d.Click(DialogResult::Cancel); }, DialogResult::Cancel, 0},
        {"Escape", [](DialogDriver& d) { d.PressEscape(); }, DialogResult::Cancel, 0},
        {"another result", [](DialogDriver& d) { d.Click(IdOther); }, IdOther, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CheckedDialog dialog;
        dialog.refusals = 2;
        ScriptedUi ui;
        ui.Dialog("Checked", [&](DialogDriver& d) {
            row.end(d);
            if (row.checks == 0)
                return;
            // Refused twice: still open; the third time it closes.
            EXPECT_FALSE(d.Ended());
            row.end(d);
            EXPECT_FALSE(d.Ended());
            row.end(d);
        });
        EXPECT_EQ(dialog.Execute(), row.result);
        EXPECT_EQ(dialog.checks, row.checks);
    }
    // Ended from the program with any result but OK: no check either.
    CheckedDialog dialog;
    dialog.refusals = 5;
    ScriptedUi ui;
    ui.Dialog("Checked", [&](DialogDriver&) { dialog.CloseWindow(DialogResult::Help); });
    EXPECT_EQ(dialog.Execute(), DialogResult::Help);
    EXPECT_EQ(dialog.checks, 0);
}

// A placed template's pixels from its dialog units: a horizontal unit is a quarter of the
// dialog font's average character width (the width of "A".."Z" "a".."z" over 52), a vertical
// unit an eighth of its line height. So 208 units across are the width of the 52 letters and
// 8 units down one line of the font, measured here in that font (12 pt at the screen's
// density) through the drawing layer; a control follows the same units.
TEST_F(DialogTest, PlacedTemplatePixelsFollowItsFontsUnits) {
    constexpr int IdBox = 301;
    DialogTemplate t;
    t.caption = "Placed";
    t.width = 208;
    t.height = 32;
    t.fontFace = "MS Sans Serif";
    t.pointSize = 12;
    t.items.push_back(DialogItem::At(IdBox, ControlKind::Static, "box", 52, 16, 104, 8));

    ScreenDC screen;
    MemoryDC measure;
    LogFont font;
    font.face = t.fontFace;
    font.height = -(t.pointSize * screen.GetDeviceCaps(DevCap::LogPixelsY) + 36) / 72;
    measure.SelectFont(font);
    const int letters = measure.GetTextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz").cx;
    const int line = measure.GetTextMetrics().height;
    ASSERT_GT(letters, 52);

    // The drawing layer hints its glyphs to whole pixels and the dialog font does not, so
    // widths agree to a few per cent (a unit of the wrong size or the wrong font is off by a
    // third or more); heights to a pixel a line.
    const double slack = 0.04 * letters;
    Dialog dialog(nullptr, t);
    ScriptedUi ui;
    ui.Dialog("Placed", [&](DialogDriver& d) {
        const Rect client = dialog.GetClientRect();
        EXPECT_NEAR(client.Width(), letters, slack);
        EXPECT_NEAR(client.Height(), 4 * line, 4);
        // (52, 16) - (156, 24) units: a quarter of the letters in, two lines down, half the
        // letters wide and one line high.
        const Rect box = dialog.GetItemRect(IdBox);
        EXPECT_NEAR(box.left, letters / 4.0, slack / 4);
        EXPECT_NEAR(box.top, 2 * line, 2);
        EXPECT_NEAR(box.Width(), letters / 2.0, slack / 2);
        EXPECT_NEAR(box.Height(), line, 1);
        // And in proportion to the dialog's own 208 x 32 units, to the rounding of a pixel.
        EXPECT_NEAR(box.left, client.Width() / 4.0, 1);
        EXPECT_NEAR(box.Width(), client.Width() / 2.0, 1);
        EXPECT_NEAR(box.top, client.Height() / 2.0, 1);
        EXPECT_NEAR(box.Height(), client.Height() / 4.0, 1);
        d.PressEscape();
    });
    EXPECT_EQ(dialog.Execute(), DialogResult::Cancel);
}
