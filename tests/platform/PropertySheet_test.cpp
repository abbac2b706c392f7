// Property sheets and wizards driven offscreen: pages entered and left, a page refusing to
// be left, the start page, a page added while the sheet runs, Apply, and a wizard page that
// chooses the next page.

#include <gtest/gtest.h>

#include <memory>

#include "platform/PropertySheet.h"
#include "support/ScriptedUi.h"
#include "tests/platform/PlatformFixture.h"

using namespace plat;

namespace {

constexpr int IdEdit = 201;
constexpr int IdSkip = 202;

DialogTemplate PageTemplate(const std::string& prompt) {
    DialogTemplate t;
    DialogItem edit;
    edit.id = IdEdit;
    edit.kind = ControlKind::Edit;
    edit.label = prompt;
    t.Add(edit);
    DialogItem skip;
    skip.id = IdSkip;
    skip.kind = ControlKind::CheckBox;
    skip.text = "Skip the next step";
    t.Add(skip);
    return t;
}

// A page that logs what the sheet asks of it and keeps the text of its edit.
class LogPage : public PropertyPage {
public:
    LogPage(std::string title, std::vector<std::string>& log)
        : PropertyPage(title, PageTemplate(title + " value")), m_log(log), m_name(std::move(title)) {
        AddNotifyTable({{IdEdit, Notify::KillFocus, [this] { parsed = GetItemText(IdEdit); }}});
    }

    void SetupWindow() override {
        PropertyPage::SetupWindow();
        m_log.push_back(m_name + " setup");
    }
    void SetActive() override { m_log.push_back(m_name + " enter"); }
    bool KillActive() override {
        m_log.push_back(m_name + (refuse ? " refuse" : " leave"));
        return !refuse;
    }
    void Apply() override {
        applied = GetItemText(IdEdit);
        m_log.push_back(m_name + " apply");
    }
    void Reset() override { m_log.push_back(m_name + " reset"); }
    int WizNext() override { return IsItemChecked(IdSkip) ? GetSheet()->GetPageIndex(*this) + 2 : DefaultPage; }
    bool WizFinish() override {
        m_log.push_back(m_name + " finish");
        return true;
    }

    bool refuse = false;
    std::string applied;
    std::string parsed;  // the edit's text when it last lost the focus

private:
    std::vector<std::string>& m_log;
    std::string m_name;
};

} // namespace

// The log the pages write and a script for the sheet to run under.
class PropertySheetTest : public GuiTest {
protected:
    std::vector<std::string> log;
    ScriptedUi ui;
};

TEST_F(PropertySheetTest, StartPageIsTheOnlyOneMadeUntilOthersAreShown) {
    LogPage a("Basic", log), b("Standard", log), c("User", log);
    PropertySheet sheet(nullptr, "Define Section", 2);
    for (LogPage* p : {&a, &b, &c})
        sheet.AddPage(*p);
    ui.Dialog("Define Section", [&](DialogDriver& d) {
        EXPECT_EQ(d.CurrentPage(), 2);
        EXPECT_EQ(d.PageTitle(), "User");
        d.SwitchPage(0);
        d.Type(IdEdit, "first");
        d.Click(DialogResult::Ok);
    });
    EXPECT_EQ(sheet.Execute(), DialogResult::Ok);
    EXPECT_EQ(log, (std::vector<std::string>{"User setup", "User enter", "User leave", "Basic setup",
                                             "Basic enter", "Basic leave", "Basic apply", "User apply"}));
    EXPECT_EQ(a.applied, "first");
    EXPECT_EQ(b.applied, "");  // never shown: never made, never applied
}

TEST_F(PropertySheetTest, APageRefusingToBeLeftKeepsTheSheetOnIt) {
    LogPage a("One", log), b("Two", log);
    PropertySheet sheet(nullptr, "Sheet");
    sheet.AddPage(a);
    sheet.AddPage(b);
    ui.Dialog("Sheet", [&](DialogDriver& d) {
        a.refuse = true;
        d.SwitchPage(1);
        EXPECT_EQ(d.CurrentPage(), 0);
        d.Click(DialogResult::Ok);  // OK asks the page too
        EXPECT_FALSE(d.Ended());
        d.Apply();
        a.refuse = false;
        d.SwitchPage(1);
        EXPECT_EQ(d.CurrentPage(), 1);
        d.Type(IdEdit, "two");
        d.Apply();
        EXPECT_EQ(b.applied, "two");
        d.Click(DialogResult::Cancel);
    });
    EXPECT_EQ(sheet.Execute(), DialogResult::Cancel);
    EXPECT_EQ(log, (std::vector<std::string>{"One setup", "One enter", "One refuse", "One refuse", "One refuse",
                                             "One leave", "Two setup", "Two enter", "Two leave", "One apply",
                                             "Two apply", "One reset", "Two reset"}));
}

TEST_F(PropertySheetTest, PageAddedWhileTheSheetRunsGetsItsTab) {
    LogPage a("One", log), late("Late", log);
    PropertySheet sheet(nullptr, "Growing");
    sheet.AddPage(a);
    ui.Dialog("Growing", [&](DialogDriver& d) {
        sheet.AddPage(late);
        EXPECT_EQ(sheet.GetPageCount(), 2);
        EXPECT_EQ(d.CurrentPage(), 0);
        d.SwitchPage(1);
        EXPECT_EQ(d.PageTitle(), "Late");
        d.Type(IdEdit, "late value");
        d.PressEnter();
    });
    EXPECT_EQ(sheet.Execute(), DialogResult::Ok);
    EXPECT_EQ(late.applied, "late value");
}

TEST_F(PropertySheetTest, WizardPageChoosesTheNextPageAndBackRetracesIt) {
    LogPage p1("Step 1", log), p2("Step 2", log), p3("Step 3", log);
    PropertySheet wizard(nullptr, "Define Beam Section", 0, true);
    for (LogPage* p : {&p1, &p2, &p3})
        wizard.AddPage(*p);
    ui.Dialog("Define Beam Section", [&](DialogDriver& d) {
        EXPECT_FALSE(d.IsButtonEnabled(SheetButton::BackId));
        EXPECT_TRUE(d.IsButtonEnabled(SheetButton::NextId));
        EXPECT_FALSE(d.IsButtonEnabled(SheetButton::FinishId));
        d.Click(IdSkip);
        d.Next();
        EXPECT_EQ(d.PageTitle(), "Step 3");
        EXPECT_TRUE(d.IsButtonEnabled(SheetButton::FinishId));
        EXPECT_FALSE(d.IsButtonEnabled(SheetButton::NextId));
        d.Back();
        EXPECT_EQ(d.PageTitle(), "Step 1");
        d.Click(IdSkip);
        d.Next();
        EXPECT_EQ(d.PageTitle(), "Step 2");
        wizard.SetWizButtons(SheetButton::Back);  // a page may hold the wizard until it is filled
        EXPECT_FALSE(d.IsButtonEnabled(SheetButton::NextId));
        wizard.SetWizButtons(SheetButton::Back | SheetButton::Next);
        d.Next();
        d.Finish();
    });
    EXPECT_EQ(wizard.Execute(), DialogResult::Ok);
    EXPECT_EQ(log, (std::vector<std::string>{"Step 1 setup", "Step 1 enter", "Step 1 leave", "Step 3 setup",
                                             "Step 3 enter", "Step 3 leave", "Step 1 enter", "Step 1 leave",
                                             "Step 2 setup", "Step 2 enter", "Step 2 leave", "Step 3 enter",
                                             "Step 3 finish"}));
}

TEST_F(PropertySheetTest, WizardCancelledResetsTheMadePages) {
    LogPage p1("A", log), p2("B", log);
    PropertySheet wizard(nullptr, "Wizard", 0, true);
    wizard.AddPage(p1);
    wizard.AddPage(p2);
    ui.Dialog("Wizard", [](DialogDriver& d) { d.PressEscape(); });
    EXPECT_EQ(wizard.Execute(), DialogResult::Cancel);
    EXPECT_EQ(log, (std::vector<std::string>{"A setup", "A enter", "A reset"}));
}

TEST_F(PropertySheetTest, PagesAndTheirSheetMayGoInEitherOrder) {
    auto sheet = std::make_unique<PropertySheet>(nullptr, "Order");
    auto survivor = std::make_unique<LogPage>("Survivor", log);
    {
        LogPage early("Early", log);
        sheet->AddPage(early);
        sheet->AddPage(*survivor);
        ui.Dialog("Order", [](DialogDriver& d) { d.Click(DialogResult::Ok); });
        EXPECT_EQ(sheet->Execute(), DialogResult::Ok);
    }
    EXPECT_EQ(sheet->GetPageCount(), 1);
    EXPECT_EQ(&sheet->GetPage(0), survivor.get());
    sheet.reset();
    EXPECT_EQ(survivor->GetSheet(), nullptr);
}

// An edit of a page parsed when it loses the focus is parsed before the page is left, whether
// Enter presses the wizard's default button (the focus stays) or a tab is chosen.
TEST_F(PropertySheetTest, PageEditIsParsedBeforeThePageIsLeft) {
    LogPage p1("One", log), p2("Two", log);
    PropertySheet wizard(nullptr, "Wizard", 0, true);
    wizard.AddPage(p1);
    wizard.AddPage(p2);
    PropertySheet sheet(nullptr, "Tabs");
    LogPage t1("Tab one", log), t2("Tab two", log);
    sheet.AddPage(t1);
    sheet.AddPage(t2);
    ui.Dialog("Wizard", [&](DialogDriver& d) {
          d.Type(IdEdit, "12.5");
          d.PressEnter();
          EXPECT_EQ(d.CurrentPage(), 1);
          d.Type(IdEdit, "7");
          d.PressEnter();
      })
        .Dialog("Tabs", [&](DialogDriver& d) {
            d.Type(IdEdit, "3");
            d.SwitchPage(1);
            d.Click(DialogResult::Cancel);
        });
    EXPECT_EQ(wizard.Execute(), DialogResult::Ok);
    EXPECT_EQ(p1.parsed, "12.5");
    EXPECT_EQ(p2.parsed, "7");
    EXPECT_EQ(sheet.Execute(), DialogResult::Cancel);
    EXPECT_EQ(t1.parsed, "3");
}

// Back retraces the pages in the order they were visited, over several pages and skips, down
// to the first page (where Back is disabled); a page refusing to be left keeps the wizard on
// it, and the way back it had stays.
TEST_F(PropertySheetTest, WizardBackAfterSeveralPagesRetracesEveryStep) {
    LogPage p1("W1", log), p2("W2", log), p3("W3", log), p4("W4", log);
    PropertySheet wizard(nullptr, "Several Steps", 0, true);
    for (LogPage* p : {&p1, &p2, &p3, &p4})
        wizard.AddPage(*p);
    ui.Dialog("Several Steps", [&](DialogDriver& d) {
        d.Next();  // W1 -> W2
        d.Click(IdSkip);
        d.Next();  // W2 -> W4, skipping W3
        EXPECT_EQ(d.PageTitle(), "W4");
        p4.refuse = true;
        d.Back();
        EXPECT_EQ(d.PageTitle(), "W4");
        p4.refuse = false;
        d.Back();
        EXPECT_EQ(d.PageTitle(), "W2");  // not W3: the page it came from
        EXPECT_TRUE(d.IsButtonEnabled(SheetButton::BackId));
        d.Back();
        EXPECT_EQ(d.PageTitle(), "W1");
        EXPECT_FALSE(d.IsButtonEnabled(SheetButton::BackId));
        wizard.Back();  // nothing before the first page (the button is disabled)
        EXPECT_EQ(d.PageTitle(), "W1");
        // Forward through every page, then back through every one.
        d.Click(IdSkip);  // W2's box is checked still; W1's now too: W1 -> W3
        d.Next();
        EXPECT_EQ(d.PageTitle(), "W3");
        d.Next();
        EXPECT_EQ(d.PageTitle(), "W4");
        d.Back();
        EXPECT_EQ(d.PageTitle(), "W3");
        d.Back();
        EXPECT_EQ(d.PageTitle(), "W1");
        EXPECT_FALSE(d.IsButtonEnabled(SheetButton::BackId));
        d.PressEscape();
    });
    EXPECT_EQ(wizard.Execute(), DialogResult::Cancel);
    std::vector<std::string> entered;
    for (const std::string& line : log)
        if (line.size() > 6 && line.compare(line.size() - 6, 6, " enter") == 0)
            entered.push_back(line.substr(0, 2));
    EXPECT_EQ(entered, (std::vector<std::string>{"W1", "W2", "W4", "W2", "W1", "W3", "W4", "W3", "W1"}));
}
