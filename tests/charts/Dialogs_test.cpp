// "Edit Chart" and the selection dialog driven through the scripted gateway, and what the
// owner-drawn rows draw.

#include <gtest/gtest.h>

#include "ChartsFixture.h"
#include "charts/ListRows.h"
#include "charts/OwnerDrawn.h"
#include "charts/Tchart.h"
#include "charts/Teditchart.h"
#include "foundation/Reporter.h"
#include "support/RecordingDC.h"
#include "support/ScriptedUi.h"

namespace {

namespace Id = EditChartId;
constexpr double kNone = 3.1415626e31;

class Dialogs : public ChartsGuiTest {
protected:
    void SetUp() override
    {
        page.Create();
        page.MoveWindow({0, 0, 600, 400});
        chart = std::make_unique<Tbigchart>(&page, "", 0, 0, 600, 400, 2, 1, 0);
        chart->SetTitles("Title", "x", "y", 2, 1);
        chart->ClearData();
        chart->AddPoint(0.123, 15.0);
        chart->AddPoint(4.5678, 250.0);
        chart->AutoScale();
    }
    plat::Window page;
    std::unique_ptr<Tbigchart> chart;
    ScriptedUi ui;
};

TEST_F(Dialogs, EditChartAutoBoxesFollowTheEnds)
{
    ui.Dialog("Edit Chart", [](plat::DialogDriver& d) {
        EXPECT_TRUE(d.Checked(Id::AutoXMin));
        EXPECT_TRUE(d.Checked(Id::AutoXMax));
        EXPECT_TRUE(d.Checked(Id::AutoYMin));
        EXPECT_TRUE(d.Checked(Id::AutoYMax));
        EXPECT_EQ(d.Text(Id::XMax), " 4.57");
        EXPECT_EQ(d.Text(Id::XDecimals), "2");
        d.Type(Id::XMax, "9");
        EXPECT_FALSE(d.Checked(Id::AutoXMax));
        d.Type(Id::XMax, " 4.57");
        EXPECT_TRUE(d.Checked(Id::AutoXMax));
        d.Type(Id::Title, "Changed");
        d.Type(Id::XDecimals, "5");
        d.Click(2); // Cancel leaves the chart as it was
    });
    chart->CmPopup3001();
    EXPECT_EQ(chart->Data().Title(), "Title");
    EXPECT_EQ(chart->Data().XFormat().format, "%5.2f");
}

TEST_F(Dialogs, EditChartOkWritesBackWithTheDecimalsHeldToNine)
{
    ui.Dialog("Edit Chart", [](plat::DialogDriver& d) {
        d.Type(Id::Title, "Moment");
        d.Type(Id::XMin, "-1.5");
        d.Type(Id::XDecimals, "-3");
        d.Type(Id::YDecimals, "15");
        d.Type(Id::XTick, "None");
        d.Type(Id::YTick, "-1");
        d.Type(Id::Thickness, "0");
        d.Click(1);
    });
    chart->CmPopup3001();
    const ChartData& data = chart->Data();
    EXPECT_EQ(data.Title(), "Moment");
    EXPECT_EQ(data.AxisRange().xMin, -1.5);
    EXPECT_FALSE(data.IsAutoEnd(ChartEnd::XMin));
    EXPECT_EQ(data.AxisRange().xMax, 4.5678); // the bound itself, not the text shown
    EXPECT_EQ(data.XFormat().format, "%5.0f");
    EXPECT_EQ(data.YFormat().format, "%5.9f");
    EXPECT_EQ(data.XStep(), kNone);
    EXPECT_EQ(data.YStep(), kNone);
    EXPECT_EQ(chart->LineWidth(), 0);
}

// Ends that cannot be drawn keep the dialog open with a message: a minimum above its maximum
// (an "Auto" end counts as the data bound, 4.5678 here) and ends beyond 1e12 or not finite.
// Fixed, OK writes them back.
TEST_F(Dialogs, EditChartRefusesReversedAndAbsurdEnds)
{
    bool stillOpen[4] = {};
    ui.Dialog("Edit Chart", [&](plat::DialogDriver& d) {
          auto& dialog = dynamic_cast<plat::Dialog&>(d.GetWindow());
          d.Type(Id::YMin, "300");
          d.Type(Id::YMax, "100");
          d.Click(1);
          stillOpen[0] = dialog.IsRunning();
          d.Type(Id::YMin, "-1e300");
          d.Type(Id::YMax, "1e300");
          d.Click(1);
          stillOpen[1] = dialog.IsRunning();
          d.Type(Id::YMin, "0");
          d.Type(Id::YMax, "1e400");  // overflows: not a number to draw
          d.Click(1);
          stillOpen[2] = dialog.IsRunning();
          d.Type(Id::YMax, "100");
          d.Type(Id::XMin, "10");  // above the "Auto" maximum 4.5678
          d.Click(1);
          stillOpen[3] = dialog.IsRunning();
          d.Type(Id::XMin, "-1");
          d.Click(1);
      })
        .Message("Y Axis Min (300) is above Y Axis Max (100)", MsgAnswer::Ok)
        .Message("Y Axis Min must be a number between -1e+12 and 1e+12", MsgAnswer::Ok)
        .Message("Y Axis Max must be a number between", MsgAnswer::Ok)
        .Message("X Axis Min (10) is above X Axis Max (4.5678)", MsgAnswer::Ok);
    const ChartBounds before = chart->Data().AxisRange();
    chart->CmPopup3001();
    EXPECT_TRUE(ui.Done());
    for (bool open : stillOpen)
        EXPECT_TRUE(open);
    const ChartData& data = chart->Data();
    EXPECT_EQ(data.AxisRange().xMin, -1.0);
    EXPECT_EQ(data.AxisRange().xMax, before.xMax);
    EXPECT_EQ(data.AxisRange().yMin, 0.0);
    EXPECT_EQ(data.AxisRange().yMax, 100.0);
}

TEST_F(Dialogs, EditChartColourAndStyle)
{
    ui.Dialog("Edit Chart", [](plat::DialogDriver& d) {
          d.Type(Id::Thickness, "25");
          d.Click(Id::SelectColour);
          d.Click(Id::SelectStyle);
          d.Click(1);
      })
        .Colour([](plat::ColorDialogData& c) {
            EXPECT_EQ(c.custom[0], plat::Color(0x10, 0x10, 0x10));
            EXPECT_EQ(c.custom[15], plat::Color(0xFF, 0xFF, 0xFF));
            c.color = plat::Color(0, 128, 0);
            return true;
        })
        .Dialog("Line Types", [](plat::DialogDriver& d) {
            EXPECT_EQ(d.Text(IDC_LISTPROMPT), "Select a linetype from the following list");
            EXPECT_EQ(d.Items(IDC_TYPELIST).size(), 5u);
            d.Select(IDC_TYPELIST, 2);
            d.Click(1);
        });
    chart->CmPopup3001();
    EXPECT_EQ(chart->LineColour(), plat::Color(0, 128, 0));
    EXPECT_EQ(chart->LineStyle(), 2);
    EXPECT_EQ(chart->LineWidth(), 25);
}

TEST_F(Dialogs, BoxFontDialogs)
{
    ui.Font([](plat::FontDialogData& f) {
          EXPECT_EQ(f.font.weight, 700);
          f.font.height = -40;
          f.font.face = "Times New Roman";
          return true;
      })
        .Font([](plat::FontDialogData&) { return false; });
    chart->SelectTitleFont();
    EXPECT_EQ(chart->TitleFont().face, "Times New Roman");
    EXPECT_EQ(chart->TitleHeight(), -40.0);
    const plat::LogFont text = chart->TextFont();
    chart->SelectAxesFont();
    EXPECT_EQ(chart->TextFont(), text);
}

TEST_F(Dialogs, SelectionDialogWritesTheRowOnOkOnly)
{
    const std::vector<std::string> sections{"Beam A", "Beam C"};
    int chosen = 1;
    {
        ui.Dialog("Beam Sections", [](plat::DialogDriver& d) {
            EXPECT_EQ(d.Selection(IDC_TYPELIST), 1);
            d.Select(IDC_TYPELIST, 0);
            d.Click(2);
        });
        TMyList list(&page, kListBeamSections, &chosen, sections);
        EXPECT_EQ(list.Execute(), plat::DialogResult::Cancel);
    }
    EXPECT_EQ(chosen, 1);
    chosen = -1;
    {
        ui.Dialog("Beam Sections", [](plat::DialogDriver& d) { d.Click(1); });
        TMyList list(&page, kListBeamSections, &chosen, sections);
        EXPECT_EQ(list.List().Rows().size(), 2u);
        EXPECT_EQ(list.Execute(), plat::DialogResult::Ok);
    }
    EXPECT_EQ(chosen, -1);
}

TEST_F(Dialogs, OwnerDrawnRows)
{
    int chosen = 0;
    TMyList lines(&page, nullptr, kListLineTypes, &chosen, 25, plat::Colors::LtRed);
    EXPECT_EQ(lines.List().SampleWidth(), 16);
    RecordingDC dc;
    plat::DrawItem item;
    item.index = 1;
    item.rect = {0, 0, 300, 20};
    lines.List().DrawEntire(dc, item);
    const std::vector<DrawCall> strokes = dc.CallsOf("Line");
    ASSERT_EQ(strokes.size(), 16u);
    EXPECT_EQ(strokes[0].state.pen.style, plat::PenStyle::Dash);
    EXPECT_EQ(strokes[0].state.pen.color, plat::Colors::LtRed);
    EXPECT_EQ(strokes[0].points.back().x, 100);
    EXPECT_EQ(dc.Texts(), (std::vector<std::string>{"Dashed Line"}));

    // A reinforcement row past the catalogue draws only its background.
    TMyList bars(&page, nullptr, kListReinforcement, &chosen, 0, plat::Colors::Black);
    RecordingDC empty;
    item.index = 100000;
    bars.List().DrawEntire(empty, item);
    EXPECT_TRUE(empty.Texts().empty());
    EXPECT_EQ(empty.CallsOf("FillRect").size(), 1u);

    // A selected combo item: highlighted, its markup drawn (a Greek letter).
    RecordingDC combo;
    plat::DrawItem entry;
    entry.index = 0;
    entry.rect = {0, 0, 200, 18};
    entry.selected = true;
    entry.text = "|s_1";
    ODAComboBox::DrawEntire(combo, entry);
    ASSERT_EQ(combo.CallsOf("FillRect").size(), 1u);
    EXPECT_EQ(combo.CallsOf("FillRect")[0].color, plat::GetSysColor(plat::SysColor::Highlight));
    EXPECT_EQ(combo.Texts(), (std::vector<std::string>{"\u03c3", "1"}));
}

} // namespace
