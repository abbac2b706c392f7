// The headings of the geometric table's value columns stay inside the table's lines, on the
// screen and on a printed page: a plain concrete section (no steel types) reads
// "Trans (n=1000.00)", wider than its column.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/summary/CrossSection.h"
#include "app/summary/SummaryFixture.h"
#include "model/TBeam.h"
#include "support/RecordingDC.h"

namespace {

struct TextBox {
    std::string text;
    plat::Rect box;
};

// The texts drawn, with the boxes of their letters as measured.
std::vector<TextBox> TextBoxes(const RecordingDC& dc)
{
    std::vector<TextBox> out;
    for (const DrawCall& c : dc.CallsOf("Text")) {
        const int left = c.run.at.x + c.run.x0, baseline = c.run.at.y + c.run.baseline;
        out.push_back({c.text, {left, baseline - c.run.ascent, left + c.run.width, baseline + c.run.descent}});
    }
    return out;
}

const TextBox* Find(const std::vector<TextBox>& boxes, const std::string& start)
{
    for (const TextBox& b : boxes)
        if (b.text.rfind(start, 0) == 0)
            return &b;
    return nullptr;
}

class SummaryHeadings : public SummaryTest, public ::testing::WithParamInterface<bool> {};

// The panel 850 x 800 with a margin of 10: the table's border at x = 0.33 x 850 = 280, from the
// margin down to its foot at 0.3 x 800 = 240; the label column's line left of the values. Both
// headings stand between the two lines, clear of them and of each other.
TEST_P(SummaryHeadings, TheTransformedHeadingOfAPlainSectionStaysInsideTheTable)
{
    if (GetParam()) {
        dc.Recorder().caps = plat::DeviceCaps{297, 210, 3508, 2480, 300, 300};
        dc.SetMapMode(plat::MapMode::Anisotropic);
        dc.SetWindowExt({1123, 794});
        dc.SetViewportExt({3508, 2480});
    }
    auto plain = SummarySections::Rectangle("Plain");
    plain->DeleteLongLayers(0);
    plain->DeleteTransLayers(0);
    plain->DeleteSteelTypes();
    plain->Validate();
    DrawPropertiesPanel(dc, *plain, 0, 0, 850, 800, 10, 0);
    const std::vector<TextBox> texts = TextBoxes(dc);
    const TextBox* trans = Find(texts, "Trans (n=");
    const TextBox* gross = Find(texts, "Gross Conc.");
    ASSERT_NE(trans, nullptr);
    ASSERT_NE(gross, nullptr);
    EXPECT_EQ(trans->text, "Trans (n=1000.00)");
    // The border at x = 280, crossing the headings' row, and the label column's line, from the
    // values' top rule (a quarter of the table's height, row 60) down: each heading wholly
    // between the two.
    const int row = (trans->box.top + trans->box.bottom) / 2;
    int border = -1, labels = -1;
    for (const DrawCall& c : dc.CallsOf("Line")) {
        const plat::Point a = c.points[0], b = c.points[1];
        if (a.x != b.x)
            continue;
        if (a.x == 280 && std::min(a.y, b.y) <= row && std::max(a.y, b.y) >= row)
            border = a.x;
        else if (a.x > 10 && a.x < 280 && std::min(a.y, b.y) == 60)
            labels = a.x;
    }
    ASSERT_EQ(border, 280);
    ASSERT_GT(labels, 10);
    for (const TextBox* t : {gross, trans}) {
        EXPECT_GT(t->box.left, labels) << t->text << " " << t->box.left << ".." << t->box.right;
        EXPECT_LT(t->box.right, border) << t->text << " " << t->box.left << ".." << t->box.right;
    }
    EXPECT_LT(gross->box.right, trans->box.left);
}

INSTANTIATE_TEST_SUITE_P(ScreenAndPage, SummaryHeadings, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& i) { return i.param ? "Printer" : "Screen"; });

} // namespace
