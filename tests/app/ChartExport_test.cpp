// Chart data as text, the averages of the note line, and the picture frame of a box.

#include "charts/ChartExport.h"

#include "charts/Tchart.h"

#include <gtest/gtest.h>

#include "foundation/ReportText.h"
#include "platform/Application.h"
#include "platform/Dialog.h"
#include "platform/Services.h"
#include "support/RecordingDC.h"
#include "support/ScriptedUi.h"

namespace {

constexpr double kSep = 3.1415626e31;

const std::string kHeader =
    "  Data from Graph\r\n  ==============\r\n\r\n  Title\t\t: Moment\r\n\r\n  X Axis Title\t: Curvature\r\n"
    "  Y Axis Title\t: M\r\n\r\n   Curvature\t\tM\r\n";

TEST(ChartExport, FormatsGainTwoDigitsBelowFive) {
    const std::vector<std::pair<std::string, std::string>> table = {
        {"%5.2f", "%5.4f"}, {"%5.3e", "%5.5e"}, {"%5.6f", "%5.6f"}, {"%5.5e", "%5.5e"}, {"%s%n", "%5.5f"}};
    for (const auto& [axis, exported] : table)
        EXPECT_EQ(ChartExportFormat(axis), exported) << axis;
}

TEST(ChartExport, SeparatorsAndMarkersHaveLinesOfTheirOwn) {
    const std::vector<double> data = {0, 1, kSep, kSep, 2, 3, kSep, 2, 4, 5, kSep, -1, 6, 7};
    // Numbers in "%5.2f": at least five characters wide.
    const std::string text = ChartExportText(data, "T", "x", "y", "%5.0f", "%5.0f");
    EXPECT_EQ(text.substr(text.find("\t\ty\r\n") + 5),
              "    0.00   \t    1.00\r\n"
              "New Line\r\n"
              "    2.00   \t    3.00\r\n"
              "Line type : 2\r\n"
              "    4.00   \t    5.00\r\n"
              "Line type : -1\r\n"
              "    6.00   \t    7.00\r\n");
    // A separator followed by a marker: both lines, then the pair after them.
    const std::string both = ChartExportText({kSep, kSep, kSep, 3, 1, 1}, "T", "x", "y", "%5.0f", "%5.0f");
    EXPECT_NE(both.find("New Line\r\nLine type : 3\r\n    1.00   \t    1.00\r\n"), std::string::npos);
    // A long title needs no room of its own.
    const std::string title(5000, 't');
    EXPECT_NE(ChartExportText({0, 0}, title, "x", "y", "%5.2f", "%5.2f").find(title), std::string::npos);
}

TEST(ChartExport, AveragesAlongTheLines) {
    // The single line (0, 0), (1, 2), (2, 2): mean y along x 1.5, mean x along y 0.5.
    const std::vector<double> line = {0, 0, 1, 2, 2, 2};
    EXPECT_DOUBLE_EQ(ChartAverageY(line), 1.5);
    EXPECT_DOUBLE_EQ(ChartAverageX(line), 0.5);
    // Two lines: y = 1 over 0..2 and y = 4 over 0..1 give (2 + 4) / 3.
    EXPECT_DOUBLE_EQ(ChartAverageY({kSep, kSep, 0, 1, 2, 1, kSep, kSep, kSep, kSep, 0, 4, 1, 4}), 2.0);
    // Sentinels.
    EXPECT_EQ(ChartAverageY({}), kSep);
    EXPECT_EQ(ChartAverageX({}), 0.0);
    EXPECT_EQ(ChartAverageY({1, 1, 1, 5}), 0.0);  // no x extent
    EXPECT_EQ(ChartAverageX({1, 1, 3, 1}), 0.0);  // no y extent
    EXPECT_EQ(ChartAverageNote("AverageY", line, "%5.1f", "%5.2f"), "Average =  1.50");
    EXPECT_EQ(ChartAverageNote("AverageX", line, "%5.1f", "%5.2f"), "Average =   0.5");
    EXPECT_EQ(ChartAverageNote("Average", line, "%5.1f", "%5.2f"), "Average");
}

TEST(ChartExport, ThePictureFrameFollowsTheDevicesSize) {
    RecordingDC screen;
    screen.Recorder().caps = plat::DeviceCaps{320, 240, 1280, 1024, 96, 96};
    EXPECT_EQ(ChartPictureFrame(400, 300, screen), (plat::Rect{0, 0, 10000, 7031}));
}

// To the clipboard: the chart's own export below.
TEST(ChartExport, DataGoToViewData) {
    plat::EnsureGuiRuntime();
    ScriptedUi ui;
    const std::string text = ChartExportText({0, 0}, "T", "x", "y", "%5.2f", "%5.2f");
    std::string shown;
    ui.Dialog("View Data", [&](plat::DialogDriver& d) {
        shown = d.Text(4028);
        d.Click(2);
    });
    ExportChartText(text, 1, nullptr);
    EXPECT_EQ(shown, text);
    EXPECT_FALSE(g_ReportText);
}

// A box that draws a frame, with one child that draws a filled square.
class Box : public plat::Window {
public:
    void Paint(plat::DC& dc, bool, const plat::Rect&) override {
        ++paints;
        dc.Rectangle(plat::Rect{0, 0, 200, 100});
    }
    int paints = 0;
};

TEST(ChartExport, ABoxAndItsChildrenGoToTheClipboardAsOnePicture) {
    plat::EnsureGuiRuntime();
    Box box, child;
    box.Create();
    box.MoveWindow(plat::Rect{0, 0, 200, 100});
    child.Create(&box);
    child.MoveWindow(plat::Rect{20, 10, 60, 50});
    const int boxPaints = box.paints, childPaints = child.paints;
    const plat::Picture picture = CopyBoxPicture(box);
    plat::ClientDC reference(box);
    EXPECT_EQ(picture.frame, ChartPictureFrame(200, 100, reference));
    EXPECT_GT(box.paints, boxPaints);
    EXPECT_GT(child.paints, childPaints);
    EXPECT_FALSE(plat::Clipboard::GetPictureSvg().empty());
}

TEST(ChartExport, AChartExportsItsDataAndPrintsItsAverage) {
    plat::EnsureGuiRuntime();
    Tbigchart chart(nullptr, "Moment", 0, 0, 400, 300, 2, 1, 0);
    chart.SetTitles("Moment", "Curvature", "M", 2, 1);
    chart.AddPoint(0, 0);
    chart.AddPoint(1.5, 20);
    plat::Clipboard::SetText("");
    chart.ExportData(0);
    EXPECT_EQ(plat::Clipboard::GetText(), kHeader + "   0.0000   \t   0.000\r\n   1.5000   \t   20.000\r\n");
    EXPECT_FALSE(g_ReportText);
    // No points: the header only.
    EXPECT_EQ(ChartExportText({}, "Moment", "Curvature", "M", "%5.2f", "%5.1f"), kHeader);

    // The mean of y along x: (0 + 20) / 2 = 10, in the y axis format.
    chart.SetNote("AverageY");
    chart.AutoScale();
    EXPECT_EQ(chart.Data().Note(), "Average =  10.0");
    EXPECT_DOUBLE_EQ(chart.GetAverageX(), 0.75);
}

} // namespace
