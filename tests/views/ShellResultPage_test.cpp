// The result page of a solved membrane element in the real main window, worked with the mouse as
// a user works it: a double click on the vital signs shows their texts in "View Data", an
// inserted text box is edited in that same dialog, the control-row lists draw their graph titles
// through the label renderer, and the pointer over the control chart is the cross-hair.

#include <gtest/gtest.h>

#include <string>

#include "analysis/RunToFinish.h"
#include "app/CommandIds.h"
#include "app/views/TViewm.h"
#include "charts/RichText.h"
#include "charts/TTextBox.h"
#include "charts/Tcontrolchart.h"
#include "charts/Tdataview.h"
#include "foundation/ReportText.h"
#include "foundation/Sentinel.h"
#include "platform/Services.h"
#include "platform/Controls.h"
#include "platform/Frame.h"
#include "tests/app/ShellFixture.h"
#include "tests/membrane/MembraneFixtures.h"
#include "tests/views/StateDiagramsGuard.h"
#include "views/TVitalSigns.h"
#include "views/membrane/MembraneModeInstall.h"

namespace {

using plat::FrameDriver;

struct ResultPage : StartedShellTest {
    StateDiagramsGuard diagrams;

    ResultPage() { InstallMembraneMode(); }
    ~ResultPage() override { SetMembraneLogicFactory({}); }

    void SetUp() override {
        StartedShellTest::SetUp();
        Window().MoveWindow(plat::Rect{0, 0, 1024, 768});
        g_Structures[0] = membrane_fixtures::MakePanel(membrane_fixtures::PanelSpec{});
        View().CreateLogic(1, g_Structures[0].get(), nullptr);
        Frame().Dispatch(CmId::SectionalResponse);
        TSectionalAnalysis* a = Window().GetCurrentAnalysis();
        ASSERT_NE(a, nullptr);
        RunToFinish(*a, 5000);
        View().FillControlCharts();
        Window().ShowResults(a->GetCurrentState(), -1, kUndefined, kUndefined);
    }

    TViewm_2k& View() { return Window().GetViewManager(); }

    // The middle of a window, in its own client coordinates.
    static plat::Point Middle(const plat::Window& w) {
        const plat::Rect r = w.GetClientRect();
        return {r.Width() / 2, r.Height() / 2};
    }
};

TEST_F(ResultPage, DoubleClickOnTheVitalSignsShowsTheirTextsInViewData) {
    View().SetNineGraphs(3000);  // "General Stress and Strain": the vital signs are its fifth graph
    TVitalSigns* vital = nullptr;
    for (int i = 0; i < 9 && !vital; ++i)
        vital = dynamic_cast<TVitalSigns*>(View().GetChart(i));
    ASSERT_NE(vital, nullptr);
    ASSERT_TRUE(vital->IsCreated());
    const std::string texts = vital->ExportText();
    ASSERT_NE(texts.find("\r\nCrush\r\n"), std::string::npos) << texts;

    std::string shown;
    ui.Dialog("View Data", [&](plat::DialogDriver& d) {
        shown = d.Text(kDataEditId);
        d.Click(plat::DialogResult::Ok);
    });
    FrameDriver::DoubleClickWindow(*vital, Middle(*vital));
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(shown, texts);
    EXPECT_EQ(g_ReportText, nullptr);
}

TEST_F(ResultPage, EditTextEditsTheTextBoxInViewDataAndTheTextComesBackOnClose) {
    View().SetSingleGraph(-1);
    Frame().Dispatch(CmId::InsertTextBox);
    TTextBox* box = View().GetTextBox(0);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(box->IsCreated());
    box->SetText("|e_1 = 1.5");

    // A double click: the "View Data" dialog itself, with its Copy and Close, on the box's text.
    ui.Dialog("View Data", [&](plat::DialogDriver& d) {
        EXPECT_NE(dynamic_cast<Tdataview*>(&d.GetWindow()), nullptr);
        EXPECT_EQ(d.Text(kCopyButtonId), "Copy");
        EXPECT_EQ(d.Text(plat::DialogResult::Ok), "Close");
        EXPECT_EQ(d.Text(kDataEditId), "|e_1 = 1.5\r\n");
        d.Click(kCopyButtonId);
        d.Type(kDataEditId, "|s_x = 2");
        d.Click(plat::DialogResult::Ok);
    });
    FrameDriver::DoubleClickWindow(*box, Middle(*box));
    EXPECT_EQ(plat::Clipboard::GetText(), "|e_1 = 1.5\r\n");
    EXPECT_EQ(box->GetText(), "|s_x = 2\r\n");
    EXPECT_EQ(g_ReportText, nullptr);

    // "Edit Text" from the right button's menu; Cancel leaves the text as it was.
    ui.Popup(3000).Dialog("View Data", [&](plat::DialogDriver& d) {
        EXPECT_EQ(d.Text(kDataEditId), "|s_x = 2\r\n");
        d.Type(kDataEditId, "dropped");
        d.Click(plat::DialogResult::Cancel);
    });
    FrameDriver::ClickWindow(*box, Middle(*box), true);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(box->GetText(), "|s_x = 2\r\n");
    EXPECT_EQ(g_ReportText, nullptr);
}

// Whether the block of pixels lies in the picture at some place.
bool Contains(const plat::Image& picture, const plat::Image& block) {
    for (int y = 0; y + block.Height() <= picture.Height(); ++y)
        for (int x = 0; x + block.Width() <= picture.Width(); ++x) {
            bool same = true;
            for (int j = 0; j < block.Height() && same; ++j)
                for (int i = 0; i < block.Width() && same; ++i)
                    same = picture.Pixel(x + i, y + j) == block.Pixel(i, j);
            if (same)
                return true;
        }
    return false;
}

// A title as the list draws an item that is not highlighted, in bold 13-pixel Arial: through
// the label renderer, or its characters as they stand.
plat::Image TitlePicture(const std::string& title, bool rendered) {
    plat::LogFont font;
    font.face = "Arial";
    font.height = -13;
    font.weight = 700;
    plat::Image scratch(1, 1);
    plat::Size size;
    {
        plat::DC measure(scratch);
        measure.SelectFont(font);
        size = rendered ? MeasureRichText(measure, title, font) : measure.GetTextExtent(title);
    }
    plat::Image picture(size.cx, size.cy, plat::GetSysColor(plat::SysColor::Window));
    plat::DC dc(picture);
    dc.SetBkMode(plat::BkMode::Transparent);
    dc.SetTextColor(plat::GetSysColor(plat::SysColor::WindowText));
    if (rendered) {
        DrawRichText(dc, 0, 0, title, font, plat::TextAlign::Left, plat::TextAlign::Top);
    } else {
        dc.SelectFont(font);
        dc.SetTextAlign(plat::TextAlign::Left | plat::TextAlign::Top);
        dc.TextOut(0, 0, title);
    }
    return picture;
}

TEST_F(ResultPage, ControlRowListsDrawTheirTitlesThroughTheLabelRenderer) {
    View().SetSingleGraph(-1);
    plat::ComboBox* list = View().GetLayoutCombo();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(list->IsCreated());
    for (const std::string title : {"Shear-|e_1", "Shear-|g_x_y"}) {
        SCOPED_TRACE(title);
        const int index = list->FindStringExact(title);
        ASSERT_GE(index, 0);
        list->SetSelIndex(index);
        const plat::Image shown = list->GetPicture();
        EXPECT_TRUE(Contains(shown, TitlePicture(title, true)));
        EXPECT_FALSE(Contains(shown, TitlePicture(title, false)));
    }
}

TEST_F(ResultPage, PointerOverTheControlChartIsTheCrossHair) {
    View().SetSingleGraph(-1);
    Tcontrolchart* control = View().GetControlChart(0);
    ASSERT_NE(control, nullptr);
    ASSERT_TRUE(control->IsCreated());
    const plat::Rect place = control->GetWindowRect();  // in the window's client area
    const plat::Point over{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
    EXPECT_EQ(FrameDriver::CursorAt(Window(), over), plat::Cursor::Cross);
    // Picking a stage keeps it.
    FrameDriver::ClickWindow(*control, Middle(*control));
    EXPECT_EQ(FrameDriver::CursorAt(Window(), over), plat::Cursor::Cross);
    // Beside the chart the page shows the arrow.
    EXPECT_EQ(FrameDriver::CursorAt(Window(), {place.right + 2, place.top}), plat::Cursor::Arrow);
}

}  // namespace
