// A count of bars no layer holds: a document that gives one is refused with a message naming
// the layer and the count; the largest count a layer holds reads, and a count that came another
// way still gives bar positions inside the section.

#include <climits>
#include <cmath>

#include "BeamFixture.h"
#include "DocumentTestSupport.h"
#include "model/StructureRecords.h"

namespace {

class LayerBarCount : public DocumentTest {
protected:
    // The full beam saved, with the count of its 2-bar layer ("top", the third from the bottom;
    // the others have the 1 bar that is not written) replaced by the text.
    std::string WithCount(const std::string& count)
    {
        auto beam = MakeFullBeam();
        std::string text = Write({beam.get()});
        const std::size_t at = text.find("num\t\t=\"2\"");
        EXPECT_NE(at, std::string::npos);
        std::size_t third = 0;
        for (int k = 0; k < 3; ++k)
            third = text.find("<longreinfx", third + 1);
        EXPECT_LT(third, at);
        EXPECT_LT(at, text.find('>', third));
        return text.replace(at + 7, 1, count);
    }
};

TEST_F(LayerBarCount, ACountNoLayerHoldsRefusesTheDocumentNamingTheLayerAndTheCount)
{
    for (const char* count : {"2147483647", "10001", "99999999999999999999"}) {
        SCOPED_TRACE(count);
        reporter.Clear();
        XmlDocument doc;
        const XmlResult r = Read(WithCount(count), doc);
        EXPECT_EQ(r.status, XmlStatus::Refused);
        // Refused at the end of the layer's element, where its own name is known.
        EXPECT_NE(r.message.find("the end of \"longreinfx\""), std::string::npos) << r.message;
        ASSERT_EQ(reporter.messages.size(), 1u);
        EXPECT_EQ(reporter.messages[0].caption, "Load Error");
        EXPECT_EQ(reporter.messages[0].text,
                  std::string("Longitudinal layer 3 (\"top\") has num=\"") + count +
                      "\": a layer holds at most 10000 bars. The file cannot be read.");
    }
}

TEST_F(LayerBarCount, TheLargestCountALayerHoldsReads)
{
    XmlDocument doc;
    const XmlResult r = Read(WithCount("10000"), doc);
    ASSERT_TRUE(r.Ok()) << r.message;
    EXPECT_TRUE(reporter.messages.empty());
    ASSERT_EQ(doc.structures.size(), 1u);
    const TStructure& s = *doc.structures[0];
    int largest = 0;
    for (int i = 0; i < s.GetLongLayerCount(0); ++i)
        largest = std::max(largest, s.GetLongLayer(i, 0)->num);
    EXPECT_EQ(largest, kMaxBarsPerPattern);
}

// The bars of a layer spread over the width at the layer (0.4 m here): for any count, the first
// and last bar lie across it (their centres at most half a bar past its edges), the last to
// the right of the first.
TEST_F(LayerBarCount, BarPositionsOfAnyCountStayAcrossTheLayer)
{
    TBeam beam;
    beam.AddRegion(0.6, 0.0, 0.4, 0.4, 0, 1);
    LongLayerRec layer;
    InitLongLayerRec(layer);
    layer.z = 0.3;
    layer.db = 0.02;
    for (const int n : {2, kMaxBarsPerPattern, INT_MAX}) {
        SCOPED_TRACE(n);
        beam.DeleteLongLayers(0);
        layer.num = n;
        beam.AddLongLayer(layer, 0);
        double first = 0.0, last = 0.0, z = 0.0;
        ASSERT_EQ(beam.GetLongBarPosition(0, 0, first, z), 1);
        ASSERT_EQ(beam.GetLongBarPosition(0, n - 1, last, z), 1);
        EXPECT_TRUE(std::isfinite(first) && std::isfinite(last));
        EXPECT_GE(first, -0.2 - 0.01);
        EXPECT_LE(last, 0.2 + 0.01);
        EXPECT_LT(first, last);
    }
}

} // namespace
