// The predecessor-file import: the cell sheet, the blocks and the raster of regions.

#include "files/legacy/PredecessorImport.h"

#include <gtest/gtest.h>

#include "LegacyFileBuilders.h"
#include "files/legacy/BeamFileLoad.h"
#include "files/legacy/PredecessorCells.h"
#include "foundation/ReportText.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "support/TestSupport.h"

namespace {

constexpr double kTol = 1e-9;

struct PredecessorTest : ::testing::Test {
    RecordingReporter reporter;
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    ValueGuard<int> fileOverride{g_FileOverride, 0};
    TBeam beam;
    PredecessorTest() { beam.ClearAll(); }
    ~PredecessorTest() override { ClearReportText(); }
};

TEST_F(PredecessorTest, TwoTypesAtOneDepthShowTheNotice)
{
    ASSERT_TRUE(LoadBeamBytes(beam, MakeTwoTypeSheet()).IsRead());
    EXPECT_EQ(reporter.Count("Importing Quarvish-90 File."), 1);
    EXPECT_EQ(reporter.Count("Quarvish-90 File contained more than one material type for a "
                             "given depth."),
              1);
    EXPECT_EQ(beam.GetName(), "Two types");
    EXPECT_EQ(beam.GetDoneBy(), "q-90");
    EXPECT_EQ(beam.GetFileVersionCode(), 31164);

    // Metric sheet: MPa, mm and mm^2.
    ASSERT_EQ(beam.GetConcreteTypeCount(), 2);
    EXPECT_EQ(beam.GetConcreteType(1)->name, "Conc2");
    EXPECT_NEAR(beam.GetConcreteType(1)->fc, -50e6, 1e-3);
    ASSERT_EQ(beam.GetSteelTypeCount(), 1);
    EXPECT_EQ(beam.GetSteelType(0)->name, "type 1");
    EXPECT_NEAR(beam.GetSteelType(0)->fy, 400e6, 1e-3);
    ASSERT_EQ(beam.GetLongLayerCount(0), 1);
    const LongLayerRec& bar = *beam.GetLongLayer(0, 0);
    EXPECT_NEAR(bar.A, 1500e-6, 1e-12);
    EXPECT_EQ(bar.num, 1);
    // The raster places the bottom within one 0.1 mm row.
    EXPECT_NEAR(bar.z - beam.GetBottom(), 0.05, 1e-4);

    // One type per depth over the 500 mm: the re-cut section keeps the full height.
    ASSERT_GE(beam.GetRegionCount(), 1);
    EXPECT_NEAR(beam.GetHeight(), 0.5, 1e-3);

    // The increment moment is one kNm; every other load 0.
    double increments[3] = {};
    beam.GetIncrementLoads(increments, 3);
    EXPECT_NEAR(increments[1], -1000.0, kTol);
    EXPECT_DOUBLE_EQ(increments[0], 0.0);
}

TEST_F(PredecessorTest, RegionsBottomUpAndOneTypeNeedsNoNotice)
{
    // Three stacked regions of one type (bottom-up in the sheet): no notice, the height is
    // their sum, and the bottom record is the bottom region.
    SheetWriter w;
    w.Text(3, 2, "Stack").Text(3, 3, "Metric").Number(3, 4, 1);
    w.Number(1, 7, 30).Number(3, 7, 2).Number(4, 7, 1);
    w.Number(3, 8, 0).Number(3, 9, 0);   // no steel of either kind
    w.Number(3, 11, 0).Text(3, 12, "N"); // moment axis, no crack block
    w.Number(3, 13, 3);
    w.Number(1, 16, 0).Number(2, 16, 600).Number(3, 16, 600).Number(4, 16, 200).Number(5, 16, 1);
    w.Number(1, 17, 200).Number(2, 17, 200).Number(3, 17, 200).Number(4, 17, 300).Number(5, 17, 1);
    w.Number(1, 18, 500).Number(2, 18, 800).Number(3, 18, 800).Number(4, 18, 100).Number(5, 18, 1);
    ASSERT_TRUE(LoadBeamBytes(beam, w.Bytes()).IsRead());
    EXPECT_EQ(reporter.Count("more than one material type"), 0);
    EXPECT_NEAR(beam.GetHeight(), 0.6, 1e-3);
    EXPECT_NEAR(beam.GetWidthAt(beam.GetTop() - 0.05), 0.8, 1e-3);
    EXPECT_NEAR(beam.GetWidthAt(beam.GetBottom() + 0.1), 0.6, 1e-3);
}

TEST_F(PredecessorTest, DamagedSheetsAreBounded)
{
    // Cells outside the sheet, a payload longer than a cell keeps, a text without NUL, a
    // region of type number 0 and a record cut by the end of the file.
    SheetWriter w = MakeTwoTypeSheetWriter();
    w.Number(7, 3, 1.0).Number(2, 220, 1.0).Number(65535, 65535, 1.0);
    w.Raw(3, 2, std::vector<std::uint8_t>(1000, 'A')); // type byte 'A': skipped
    std::vector<std::uint8_t> text(400, 'B');
    text[0] = 0;
    w.Raw(3, 2, text); // a text of 399 characters without NUL
    w.Number(5, 20, 0).Number(5, 21, -3e9).Number(3, 25, 3e9);
    std::vector<std::uint8_t> bytes = w.Bytes();
    bytes.insert(bytes.end(), {1, 0, 2, 0, 0, 9});
    ASSERT_TRUE(LoadBeamBytes(beam, bytes).IsRead());
    EXPECT_EQ(beam.GetName(), std::string(99, 'B'));
    ASSERT_NE(g_ReportText, nullptr);
    EXPECT_NE(g_ReportText->find("Region 1 refers to material type 0"), std::string::npos);

    PredecessorCellTable table;
    ASSERT_TRUE(ReadPredecessorCells(bytes, table).IsRead());
    EXPECT_EQ(table.GetCellChar(7, 3), '\0');
    EXPECT_EQ(table.GetCellChar(-1, 0), '\0');
    EXPECT_EQ(table.GetCellText(3, 2).size(), kPredecessorPayloadBytes - 1);
    EXPECT_EQ(table.GetCellInt(3, 4), 2);
    EXPECT_EQ(table.GetCellChar(3, 4), '0');
}

TEST_F(PredecessorTest, EveryRegionOfAFullSheetIsKept)
{
    // n stacked regions of 10 mm, bottom-up in the sheet, 300 and 400 mm wide in turn: the
    // re-cut keeps every one of them, up to the 150 a section holds.
    const auto width = [](int j) { return j % 2 == 0 ? 300.0 : 400.0; };
    const auto sheet = [&width](int n, double height) {
        SheetWriter w;
        w.Text(3, 2, "Stack").Text(3, 3, "Metric").Number(3, 4, 1);
        w.Number(1, 7, 30).Number(3, 7, 2).Number(4, 7, 1);
        w.Number(3, 8, 0).Number(3, 9, 0);   // no steel of either kind
        w.Number(3, 11, 0).Text(3, 12, "N"); // moment axis, no crack block
        w.Number(3, 13, n);
        for (int j = 0; j < n; ++j)
            w.Number(1, 16 + j, 10.0 * j)
                .Number(2, 16 + j, width(j))
                .Number(3, 16 + j, width(j))
                .Number(4, 16 + j, height)
                .Number(5, 16 + j, 1);
        return w.Bytes();
    };
    for (const int n : {148, 149, 150}) {
        SCOPED_TRACE(n);
        beam.ClearAll();
        reporter.Clear();
        ClearReportText();
        ASSERT_TRUE(LoadBeamBytes(beam, sheet(n, 10.0)).IsRead());
        ASSERT_EQ(beam.GetRegionCount(), n);
        EXPECT_NEAR(beam.GetHeight(), 0.01 * n, 2e-4);
        // Region k from the top is record n - 1 - k, to the raster's 0.1 mm at either edge.
        for (int k = 0; k < n; ++k) {
            const ConcreteRegionRec& r = *beam.GetRegion(k);
            EXPECT_NEAR(r.topWidth, width(n - 1 - k) / 1000.0, 4e-4) << k;
            EXPECT_NEAR(r.bottomWidth, width(n - 1 - k) / 1000.0, 4e-4) << k;
            EXPECT_NEAR(r.top - r.bottom, 0.01, 2e-4) << k;
        }
        EXPECT_TRUE(g_ReportText == nullptr || g_ReportText->empty()) << *g_ReportText;
    }

    // Regions of 15 mm at a pitch of 10 mm overlap: the re-cut would need about two regions
    // for each, more than a section holds. The file's 150 regions are kept, and the load
    // report says why they were not re-cut.
    beam.ClearAll();
    ASSERT_TRUE(LoadBeamBytes(beam, sheet(150, 15.0)).IsRead());
    EXPECT_EQ(beam.GetRegionCount(), 150);
    ASSERT_NE(g_ReportText, nullptr);
    EXPECT_NE(g_ReportText->find("re-cut into more than 150 regions"), std::string::npos);
}

TEST_F(PredecessorTest, MoreThan150RegionsAreRefused)
{
    SheetWriter w = MakeTwoTypeSheetWriter();
    w.Number(3, 17, 151);
    const LegacyReadResult result = LoadBeamBytes(beam, w.Bytes());
    EXPECT_FALSE(result.IsRead());
    EXPECT_EQ(reporter.Count("The file gives 151 concrete regions"), 1);
}

} // namespace
