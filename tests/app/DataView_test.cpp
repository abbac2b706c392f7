// The "View Data" dialog over the report text: Copy, Close and Cancel.

#include "charts/Tdataview.h"

#include <gtest/gtest.h>

#include "foundation/ReportText.h"
#include "platform/Application.h"
#include "platform/Services.h"
#include "support/ScriptedUi.h"

namespace {

class DataViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { plat::EnsureGuiRuntime(); }
    void SetUp() override { g_ReportText = std::make_unique<std::string>("x\ty\r\n1\t2\r\n"); }
    void TearDown() override { ClearReportText(); }
    ScriptedUi ui;
};

TEST_F(DataViewTest, CopyPutsTheWholeTextOnTheClipboardAndCloseReturnsTheEdit) {
    plat::Clipboard::SetText("");
    ui.Dialog("View Data", [](plat::DialogDriver& d) {
        EXPECT_EQ(d.Text(kDataEditId), "x\ty\r\n1\t2\r\n");
        d.Click(kCopyButtonId);
        EXPECT_FALSE(d.Ended());
        d.Type(kDataEditId, "x\ty\r\n1\t5\r\n");
        d.Click(1);  // "Close"
    });
    Tdataview view(nullptr, 4001);
    EXPECT_EQ(view.Execute(), 1);
    EXPECT_EQ(plat::Clipboard::GetText(), "x\ty\r\n1\t2\r\n");
    ASSERT_TRUE(g_ReportText);
    EXPECT_EQ(*g_ReportText, "x\ty\r\n1\t5\r\n");
}

TEST_F(DataViewTest, CancelLeavesTheTextAndShowingFreesIt) {
    ui.Dialog("View Data", [](plat::DialogDriver& d) {
        d.Type(kDataEditId, "changed");
        d.Click(2);  // "Cancel"
    });
    {
        Tdataview view(nullptr, 4001);
        EXPECT_EQ(view.Execute(), 2);
    }
    EXPECT_EQ(*g_ReportText, "x\ty\r\n1\t2\r\n");

    ui.Dialog("View Data", [](plat::DialogDriver& d) { d.Click(1); });
    ShowReportTextDialog(nullptr);
    EXPECT_FALSE(g_ReportText);
    ShowReportTextDialog(nullptr);  // nothing to show: no dialog
    EXPECT_TRUE(ui.Done());
}

} // namespace
