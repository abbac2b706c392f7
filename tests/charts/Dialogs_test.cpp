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

// Text that is no number, or a number followed by other text, keeps the dialog open with the
// field's message, as an end out of range does; Cancel then leaves the chart as it was.
TEST_F(Dialogs, EditChartRefusesTextThatIsNoNumberInEveryNumberField)
{
    struct Field {
        int id;
        const char* message;
    };
    const Field fields[] = {{Id::XMin, "X Axis Min must be a number between"},
                            {Id::XMax, "X Axis Max must be a number between"},
                            {Id::YMin, "Y Axis Min must be a number between"},
                            {Id::YMax, "Y Axis Max must be a number between"},
                            {Id::XTick, "X Tick Distance must be a number (0 or None for no tick marks)."},
                            {Id::YTick, "Y Tick Distance must be a number (0 or None for no tick marks)."},
                            {Id::XDecimals, "X Decimal Points must be a whole number (values are kept within 0 to 9)."},
                            {Id::YDecimals, "Y Decimal points must be a whole number (values are kept within 0 to 9)."},
                            {Id::Thickness, "Thickness must be a whole number (values are kept within 0 to 1000000)."}};
    chart->SetLinePen(3, plat::Color(0, 0, 0), 0);
    const ChartData before = chart->Data();
    for (const Field& field : fields)
        for (const char* typed : {"abc", "0,5", "5mm", "nan"}) {
            bool stillOpen = false;
            ui.Dialog("Edit Chart", [&](plat::DialogDriver& d) {
                  d.Type(field.id, typed);
                  d.Click(1);
                  stillOpen = dynamic_cast<plat::Dialog&>(d.GetWindow()).IsRunning();
                  d.Click(2);
              }).Message(field.message, MsgAnswer::Ok);
            chart->CmPopup3001();
            EXPECT_TRUE(ui.Done()) << field.id << " " << typed;
            EXPECT_TRUE(stillOpen) << field.id << " " << typed;
            const ChartData& now = chart->Data();
            EXPECT_EQ(now.AxisRange().xMin, before.AxisRange().xMin);
            EXPECT_EQ(now.AxisRange().xMax, before.AxisRange().xMax);
            EXPECT_EQ(now.AxisRange().yMin, before.AxisRange().yMin);
            EXPECT_EQ(now.AxisRange().yMax, before.AxisRange().yMax);
            EXPECT_EQ(now.XStep(), before.XStep());
            EXPECT_EQ(now.YStep(), before.YStep());
            EXPECT_EQ(now.XFormat().format, before.XFormat().format);
            EXPECT_EQ(now.YFormat().format, before.YFormat().format);
            EXPECT_EQ(chart->LineWidth(), 3);
        }
    // Decimals that are no whole number are refused too; corrected, OK takes the fields. An
    // empty end, tick distance and thickness read as 0 as they always have, and "none" in any
    // case is the word the dialog shows for no tick marks.
    ui.Dialog("Edit Chart", [](plat::DialogDriver& d) {
          d.Type(Id::XDecimals, "2.5");
          d.Click(1);
          d.Type(Id::XDecimals, "3");
          d.Type(Id::YMin, "");
          d.Type(Id::XTick, "");
          d.Type(Id::YTick, " none ");
          d.Type(Id::Thickness, "");
          d.Click(1);
      }).Message("X Decimal Points must be a whole number", MsgAnswer::Ok);
    chart->CmPopup3001();
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(chart->Data().XFormat().format, "%5.3f");
    EXPECT_EQ(chart->Data().AxisRange().yMin, 0.0);
    EXPECT_EQ(chart->Data().XStep(), kNone);
    EXPECT_EQ(chart->Data().YStep(), kNone);
    EXPECT_EQ(chart->LineWidth(), 0);
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

// OK without an edit leaves the fonts following the chart's size: in a chart too small for its
// sizes (its numbers raised to the least text, its title fitted), OK and then a larger placement
// give the fonts of a twin chart that was never edited.
TEST_F(Dialogs, EditChartOkWithoutAnEditLeavesTheFontsFollowingTheSize)
{
    Tbigchart twin(&page, "", 0, 0, 600, 400, 2, 1, 0);
    twin.SetTitles("Title", "x", "y", 2, 1);
    for (Tbigchart* c : {chart.get(), &twin})
        c->Reposition(0, 0, 150, 100, 0);
    ui.Dialog("Edit Chart", [](plat::DialogDriver& d) { d.Click(1); });
    chart->CmPopup3001();
    for (Tbigchart* c : {chart.get(), &twin})
        c->Reposition(0, 0, 900, 600, 0);
    EXPECT_EQ(chart->TitleFont().height, twin.TitleFont().height);
    EXPECT_EQ(chart->TextFont().height, twin.TextFont().height);
}

// Edit Chart on a chart too small for its sizes (its title fitted and raised to the least
// text), with a font chosen for the axes (Courier New bold, from the font button beside them)
// and OK, then the chart placed larger, beside a twin that was never edited: every number and
// axis title is drawn in Courier New bold; the title, whose font was not chosen, is drawn as the
// twin draws it: Arial, in a cell of the same height, at the same place.
TEST_F(Dialogs, EditChartWritesBackTheAxesFontChosenAndLeavesTheTitleFollowingTheSize)
{
    Tbigchart twin(&page, "", 0, 0, 600, 400, 2, 1, 0);
    twin.SetTitles("Title", "x", "y", 2, 1);
    twin.ClearData();
    twin.AddPoint(0.123, 15.0);
    twin.AddPoint(4.5678, 250.0);
    twin.AutoScale();
    const plat::LogFont arial = chart->TitleFont();
    ASSERT_EQ(chart->TextFont().face, arial.face);
    ASSERT_NE(arial.face, "Courier New");
    for (Tbigchart* c : {chart.get(), &twin})
        c->Reposition(0, 0, 150, 100, 0);
    ui.Dialog("Edit Chart", [](plat::DialogDriver& d) {
          d.Click(Id::SelectAxesFont);
          d.Click(1);
      })
        .Font([](plat::FontDialogData& f) {
            f.font.face = "Courier New";
            f.font.weight = 700;
            return true;
        });
    chart->CmPopup3001();
    EXPECT_TRUE(ui.Done());
    for (Tbigchart* c : {chart.get(), &twin})
        c->Reposition(0, 0, 900, 600, 0);

    RecordingDC edited, unedited;
    chart->Paint(edited, true, chart->GetClientRect());
    twin.Paint(unedited, true, twin.GetClientRect());
    const auto title = [](const RecordingDC& dc) -> const DrawCall* {
        for (const DrawCall& c : dc.Calls())
            if (c.op == "Text" && c.text == "Title")
                return &c;
        return nullptr;
    };
    const DrawCall* mine = title(edited);
    const DrawCall* its = title(unedited);
    ASSERT_NE(mine, nullptr);
    ASSERT_NE(its, nullptr);
    EXPECT_EQ(mine->state.font.face, arial.face);
    EXPECT_EQ(mine->state.font.weight, arial.weight);
    EXPECT_EQ(mine->run.ascent + mine->run.descent, its->run.ascent + its->run.descent);
    EXPECT_EQ(mine->run.at.x + mine->run.x0, its->run.at.x + its->run.x0);
    EXPECT_EQ(mine->run.width, its->run.width);

    int axes = 0;
    for (const DrawCall& c : edited.CallsOf("Text")) {
        if (c.text == "Title")
            continue;
        ++axes;
        EXPECT_EQ(c.state.font.face, "Courier New") << c.text;
        EXPECT_EQ(c.state.font.weight, 700) << c.text;
    }
    EXPECT_GE(axes, 4); // the axis titles and some numbers
}
