// The node data pane and the vital-signs pane write their text at 0.95 of the text height a
// plain chart of their size has: made so, and kept so after a resize (to their own size and to
// another), and after the print layout moves them to the page and puts their fonts back.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "charts/Tchart.h"
#include "platform/Application.h"
#include "views/TVitalSigns.h"
#include "views/membrane/TNodeData.h"

namespace {

constexpr double kPaneText = 0.95;

struct PaneFonts : ::testing::Test {
    static void SetUpTestSuite() { plat::EnsureGuiRuntime(); }

    // The pane and a plain chart at the same place: the pane's text is 0.95 of the chart's, its
    // title the chart's.
    static void ExpectPaneOfPlain(const Tchart& pane, const Tchart& plain, const std::string& when)
    {
        SCOPED_TRACE(when);
        ASSERT_EQ(pane.Place(), plain.Place());
        ASSERT_NE(plain.TextHeight(), 0.0);
        EXPECT_NEAR(pane.TextHeight(), kPaneText * plain.TextHeight(), 1e-9 * std::abs(plain.TextHeight()));
        EXPECT_NEAR(pane.SizedFontHeights().text, kPaneText * plain.SizedFontHeights().text,
                    1e-9 * std::abs(plain.TextHeight()));
        EXPECT_EQ(pane.TextFont().height, static_cast<int>(kPaneText * plain.TextHeight()));
        EXPECT_EQ(pane.TitleHeight(), plain.TitleHeight());
    }

    // Both boxes through the same resizes and print layout.
    static void Walk(Tchart& pane, Tchart& plain)
    {
        ExpectPaneOfPlain(pane, plain, "as made");
        const BoxPlace own = pane.Place();
        for (Tchart* c : {&pane, &plain})
            c->Reposition(own.x, own.y, own.w, own.h, 0);
        ExpectPaneOfPlain(pane, plain, "resized to its own size");
        for (Tchart* c : {&pane, &plain})
            c->Reposition(own.x, own.y, own.w / 2 + 7, own.h / 3 + 5, 0);
        ExpectPaneOfPlain(pane, plain, "resized smaller");
        for (Tchart* c : {&pane, &plain})
            c->Reposition(own.x, own.y, own.w, own.h, 0);
        ExpectPaneOfPlain(pane, plain, "resized back");

        // The print layout: the fonts kept, the boxes laid out on the page, then back on the
        // screen with their fonts put back and laid out again.
        const BoxFontState paneFonts = pane.GetFontState(), plainFonts = plain.GetFontState();
        for (Tchart* c : {&pane, &plain})
            c->Reposition(own.x * 3, own.y * 3, own.w * 3, own.h * 4, 0);
        ExpectPaneOfPlain(pane, plain, "laid out on the page");
        for (Tchart* c : {&pane, &plain})
            c->Reposition(own.x, own.y, own.w, own.h, 0);
        pane.SetFontState(paneFonts);
        plain.SetFontState(plainFonts);
        pane.Layout();
        plain.Layout();
        ExpectPaneOfPlain(pane, plain, "after the print layout and its restore");
    }
};

TEST_F(PaneFonts, NodeDataPaneKeepsItsTextAtPaneSize)
{
    // On 260 x 301 a plain chart's text is 20 px high and the pane's 19 (0.95 x 20 exactly).
    for (const BoxPlace& r : {BoxPlace{20, 30, 294, 301}, BoxPlace{5, 5, 640, 320}, BoxPlace{0, 0, 260, 301}}) {
        SCOPED_TRACE(std::to_string(r.w) + " x " + std::to_string(r.h));
        TNodeData pane(nullptr, "", r.x, r.y, r.w, r.h, 1);
        Tchart plain(nullptr, "", r.x, r.y, r.w, r.h, 1, 1, 0);
        Walk(pane, plain);
    }
}

TEST_F(PaneFonts, VitalSignsPaneKeepsItsTextAtPaneSize)
{
    for (const BoxPlace& r : {BoxPlace{20, 30, 294, 301}, BoxPlace{5, 5, 640, 320}, BoxPlace{0, 0, 260, 301}}) {
        SCOPED_TRACE(std::to_string(r.w) + " x " + std::to_string(r.h));
        TVitalSigns pane(nullptr, "", r.x, r.y, r.w, r.h, 0);
        Tchart plain(nullptr, "", r.x, r.y, r.w, r.h, 1, 1, 0);
        Walk(pane, plain);
    }
}

} // namespace
