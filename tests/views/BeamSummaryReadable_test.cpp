// A beam's summary page reads at every window size, by where its letters land: the sample
// T-beam of two concretes, bars and a tendon, and the section quick-defined with the defaults,
// on screen and on the printed page, in a wide low window (1600 x 500), a small one (713 x
// 517) and a large one (1280 x 1024). The properties tables, the catalogue column's heading,
// count and names, the notes, the dimensions and the callouts: no two texts meet, no rule
// runs through letters, and no letters are smaller than the least text the program writes.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/GlobalTables.h"
#include "app/summary/CrossSection.h"
#include "app/views/TViewm.h"
#include "charts/DrawingSheet.h"
#include "dialogs/QuickDefine.h"
#include "foundation/Units.h"
#include "support/RecordingDC.h"
#include "tests/views/PageClashes.h"
#include "tests/views/SizedPagesShell.h"

namespace {

struct BeamSummaryPages : SizedPagesTest {
    void ExpectReadableAtEverySize()
    {
        Frame().Dispatch(CmId::CrossSection);
        ASSERT_EQ(View().GetLayoutMode(), LayoutMode::Summary);
        for (const plat::Size size : kReadableSizes) {
            SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
            Size(size);
            const std::vector<DrawCall> screen = Screen();
            ASSERT_GT(LettersOf(screen).size(), 20u);
            EXPECT_EQ(Join(Clashes(screen)), "") << "on screen";
            // The page's own paint; the materials charts print as boxes of their own.
            EXPECT_EQ(Join(Clashes(DrawnAt(Printed(), {0, 0}))), "") << "on paper";
            // A click on the unit note finds it where it is drawn, however many rows the notes
            // under it were broken into.
            for (const DrawCall& c : screen)
                if (c.op == "Text" && c.text.rfind("All dimensions in", 0) == 0) {
                    const plat::Rect box = PageBox(c);
                    RecordingDC dc;
                    int index = 0;
                    EXPECT_EQ(HitTestSummaryPage(dc, Window().GetCurrentStructure(), (box.left + box.right) / 2,
                                                 (box.top + box.bottom) / 2, index, 0, 0, size.cx, size.cy, 0),
                              kSheetHitUnitNote);
                }
        }
    }
};

} // namespace

// The sample document in inches, as the user opens it.
TEST_F(BeamSummaryPages, TheSampleTBeamReadsAtEverySizeOnScreenAndOnPaper)
{
    std::ifstream in(std::string(QV_SOURCE_DIR) + "/fuzz/corpus/XmlDocument/full_beam_1.xml", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    ASSERT_FALSE(text.str().empty());
    g_UnitSystem = kUnitUS;
    dir.Write("full_beam_1.xml", text.str());
    app->OpenFile(dir.File("full_beam_1.xml"));
    ASSERT_NE(Window().GetCurrentStructure(), nullptr);
    ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "T-beam & <web>");
    ExpectReadableAtEverySize();
}

// The section quick-defined with the defaults, in millimetres.
TEST_F(BeamSummaryPages, TheQuickDefinedSectionReadsAtEverySizeOnScreenAndOnPaper)
{
    ValueGuard<TQuickDefData> quick{g_QuickDefData, QuickDefineDefaults(kUnitSI)};
    ASSERT_EQ(BuildQuickDefineSection(*g_Structures[0]), 1);
    View().CreateLogic(1, g_Structures[0].get(), nullptr);
    ExpectReadableAtEverySize();
}
