// A section read from an older file is made ready as a section read from a document is: its
// concrete types come out of the reader as they come out of a document the section is written
// to and read back from, prepared for the analysis.

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "DocumentTestSupport.h"
#include "LegacyFileBuilders.h"
#include "files/legacy/BeamFileLoad.h"
#include "model/TBeam.h"

namespace {

struct ReadSectionReadyTest : DocumentTest {
    // The section written as a document and read back.
    std::unique_ptr<TStructure> ThroughDocument(TBeam& beam)
    {
        XmlDocument doc;
        const XmlResult r = Read(Write({&beam}), doc);
        EXPECT_TRUE(r.Ok()) << r.message;
        if (doc.structures.empty())
            return nullptr;
        return std::move(doc.structures.front());
    }
    // Every concrete type as the analysis uses it equals the type of the document read back.
    void ExpectConcreteAsTheDocumentReadsIt(TBeam& beam)
    {
        const std::unique_ptr<TStructure> back = ThroughDocument(beam);
        ASSERT_NE(back, nullptr);
        ASSERT_EQ(back->GetConcreteTypeCount(), beam.GetConcreteTypeCount());
        for (int t = 0; t < beam.GetConcreteTypeCount(); ++t) {
            SCOPED_TRACE(t);
            const ConcreteTypeRec& read = *beam.GetConcreteType(t);
            const ConcreteTypeRec& doc = *back->GetConcreteType(t);
            EXPECT_DOUBLE_EQ(read.fc, doc.fc);
            EXPECT_DOUBLE_EQ(read.ec, doc.ec);
            EXPECT_DOUBLE_EQ(read.Ec, doc.Ec);
            EXPECT_DOUBLE_EQ(read.ecr, doc.ecr);
            EXPECT_DOUBLE_EQ(read.Kc, doc.Kc);
            EXPECT_EQ(read.ecAuto, doc.ecAuto);
            EXPECT_EQ(read.baseCurve, doc.baseCurve);
            EXPECT_EQ(read.softening, doc.softening);
            EXPECT_EQ(read.tensionStiffening, doc.tensionStiffening);
        }
    }
};

// The secant modulus of the parabola f'c (2x - x^2), x = e / e'c, at e = -0.1 mm/m: the
// modulus the preparation gives a parabolic type.
double ParabolaSecant(double fc, double ec)
{
    const double e = -1e-4;
    const double x = e / ec;
    return fc * (2.0 * x - x * x) / e;
}

} // namespace

// The predecessor's sheet gives e'c as a positive number of per mille (2 and 2.2): read as the
// compressive strains -2 and -2.2 mm/m, the parabolas' moduli are those of a hand calculation
// (34.1 and 44.4 GPa), as the document of the section gives them.
TEST_F(ReadSectionReadyTest, ASheetsPeakStrainsAreCompressiveAndItsTypesPrepared)
{
    TBeam beam;
    ASSERT_TRUE(LoadBeamBytes(beam, MakeTwoTypeSheet()).IsRead());
    ASSERT_EQ(beam.GetConcreteTypeCount(), 2);
    const ConcreteTypeRec& c35 = *beam.GetConcreteType(0);
    const ConcreteTypeRec& c50 = *beam.GetConcreteType(1);
    EXPECT_EQ(c35.baseCurve, BaseCurveCode::Parabolic);
    EXPECT_DOUBLE_EQ(c35.ec, -0.002);
    EXPECT_DOUBLE_EQ(c50.ec, -0.0022);
    // To a millionth: the preparation divides by the resistance factor plus 1e-6.
    EXPECT_NEAR(c35.Ec, ParabolaSecant(-35e6, -0.002), 1e-5 * 34.125e9);
    EXPECT_NEAR(c35.Ec, 34.125e9, 1e-5 * 34.125e9);
    EXPECT_NEAR(c50.Ec, ParabolaSecant(-50e6, -0.0022), 1e-5 * 44.42e9);
    // The cracking strain f't / Ec.
    EXPECT_NEAR(c35.ecr, 2e6 / 34.125e9, 1e-5 * 5.86e-5);
    ExpectConcreteAsTheDocumentReadsIt(beam);
}

// A version 0.5 file whose concrete holds e'c as +2 mm/m: the same compressive -2 mm/m a
// document gives it, and the file with -2 mm/m reads the same.
TEST_F(ReadSectionReadyTest, ABinaryFilesPositivePeakStrainIsReadAsTheDocumentReadsIt)
{
    std::vector<std::uint8_t> bytes = MakeV05File().bytes;
    ByteWriter concrete;
    concrete.F64(-35e6).F64(2e6).F64(-0.002);
    const auto at = std::search(bytes.begin(), bytes.end(), concrete.bytes.begin(), concrete.bytes.end());
    ASSERT_NE(at, bytes.end());
    TBeam asStored;
    ASSERT_TRUE(LoadBeamBytes(asStored, bytes).IsRead());

    ByteWriter positive;
    positive.F64(0.002);
    std::copy(positive.bytes.begin(), positive.bytes.end(), at + 16);
    TBeam beam;
    ASSERT_TRUE(LoadBeamBytes(beam, bytes).IsRead());
    ASSERT_EQ(beam.GetConcreteTypeCount(), 1);
    const ConcreteTypeRec& c = *beam.GetConcreteType(0);
    EXPECT_DOUBLE_EQ(c.ec, -0.002);
    EXPECT_GT(c.Ec, 0.0);
    EXPECT_TRUE(c == *asStored.GetConcreteType(0)) << "e'c " << c.ec << ", Ec " << c.Ec;
    ExpectConcreteAsTheDocumentReadsIt(beam);
}
