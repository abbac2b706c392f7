// Saving and reopening move no row of a shrinkage profile and no point of a user curve: rows a
// little beyond a face of the section, and an older file's concrete curve point on the tension
// side of the origin, come back where the session had them, in SI, US and kg/cm documents,
// and the strain the analysis reads at the face is the one it read before the save.

#include <string>
#include <vector>

#include "DocumentTestSupport.h"
#include "LegacyFileBuilders.h"
#include "ReaderRoundTrip.h"
#include "files/legacy/BeamFileLoad.h"
#include "model/materials/UserCurves.h"

namespace {

// A document's unit system: its units attribute and the factor of a length (m) to the
// document's numbers (strains are thousandths in every system).
struct DocumentUnits {
    int system;
    const char* units;
    double perMetre;
};

const DocumentUnits kSystems[] = {
    {kUnitSI, "metric", 1000.0}, {kUnitUS, "us", 39.37008}, {kUnitOldMetric, "oldmetric", 100.0}};

// A row of the profile: its height above the bottom face (m) and its strain.
struct Row {
    double height;
    double strain;
};

class RowsAndPointsKept : public DocumentTest {
protected:
    RowsAndPointsKept() { g_FileOverride = 1; }

    // The section saved (in the session's unit system), its document read into `again` and
    // saved again: the two saves are the same text. False when a save or the reading failed.
    bool SaveAndReopen(TStructure* s, XmlDocument& again, const char* what)
    {
        std::string first, second;
        if (!roundtrip::Save(dtd, {s}, first) || !ReadXmlDocument(first, dtd, again).Ok() ||
            again.structures.size() != 1 ||
            !roundtrip::Save(dtd, {again.structures[0].get()}, second))
            return false;
        EXPECT_TRUE(second == first) << what << ": the second save differs from the first "
                                     << roundtrip::FirstDifference(first, second);
        return true;
    }

    // A 100 x 100 mm section in the unit system whose shrinkage rows are those given (heights
    // in m, strains as ratios), opened, saved, reopened and saved again.
    bool OpenSaveReopen(const DocumentUnits& u, const std::vector<Row>& rows)
    {
        const auto length = [&u](double metres) { return StrPrintf("%.10g", metres * u.perMetre); };
        std::string text;
        for (const Row& r : rows)
            text += " " + length(r.height) + " " + StrPrintf("%.10g", r.strain * 1000.0) + "\r\n";
        const std::string document = Beam(
            "\t\t<concrete name=\"Web\" />\r\n\t\t<sectionSOLID>\r\n " + length(0.1) + " " +
                length(0.1) + "\r\n 0.0 " + length(0.1) + " \"Web\"\r\n\t\t</sectionSOLID>\r\n" +
                "\t\t<shrinktherm>\r\n" + text + "\t\t</shrinktherm>\r\n",
            std::string("units=\"") + u.units + "\"");
        opened = {};
        reopened = {};
        return ReadXmlDocument(document, dtd, opened).Ok() && opened.structures.size() == 1 &&
               SaveAndReopen(Opened(), reopened, u.units);
    }
    TStructure* Opened() { return opened.structures[0].get(); }
    TStructure* Reopened() { return reopened.structures[0].get(); }

    TXmlDtd dtd{kBuiltInDtd, kUnitSI};
    XmlDocument opened;
    XmlDocument reopened;
};

// The rows of the profile as heights above the bottom face, in stored order.
std::vector<Row> RowsOf(const TStructure& s)
{
    std::vector<Row> rows;
    const TDepthTable& t = s.GetPositionVariable(kShrinkTherm);
    for (int i = 0; i < t.GetCount(); ++i)
        rows.push_back({t.GetDepth(i) - s.GetBottom(), t.GetValue(i)});
    return rows;
}

void ExpectRows(const TStructure& s, const std::vector<Row>& expected, const char* what)
{
    const std::vector<Row> rows = RowsOf(s);
    ASSERT_EQ(rows.size(), expected.size()) << what;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_NEAR(rows[i].height, expected[i].height, 1e-9) << what << ", row " << i;
        EXPECT_NEAR(rows[i].strain, expected[i].strain, 1e-12) << what << ", row " << i;
    }
}

// The imposed strain the analysis reads at the bottom face, at mid-height and at the top face.
double AtBottom(const TStructure& s)
{
    return s.GetInitialStrainAt(s.GetBottom(), 2);
}
double AtMid(const TStructure& s)
{
    return s.GetInitialStrainAt((s.GetBottom() + s.GetTop()) / 2.0, 2);
}
double AtTop(const TStructure& s)
{
    return s.GetInitialStrainAt(s.GetTop(), 2);
}

// Rows of 2 and 0 mm/m both 1 mm (and both 2.9 mm) below the bottom face: the zero one closes the
// profile at the face (the outermost row beyond a face is put there), the other stays where it was
// given, beyond the face, and a zero row closes the profile at the top. At the bottom face the row
// there gives 0; inside, the rows at 0 and 100 mm bound the profile to 0, however the parabola
// through the row beyond the face would swing (2/101 z (z - 100) mm/m: -49.5 at mid-height).
TEST_F(RowsAndPointsKept, APairOfRowsBelowTheBottomComesBackWhereItWas)
{
    for (const double below : {0.001, 0.0029}) {
        for (const DocumentUnits& u : kSystems) {
            g_UnitSystem = u.system;
            ASSERT_TRUE(OpenSaveReopen(u, {{-below, 0.002}, {-below, 0.0}})) << u.units;
            const std::vector<Row> expected = {{0.1, 0.0}, {0.0, 0.0}, {-below, 0.002}};
            ExpectRows(*Opened(), expected, u.units);
            ExpectRows(*Reopened(), expected, u.units);
            for (TStructure* s : {Opened(), Reopened()}) {
                EXPECT_EQ(AtBottom(*s), 0.0) << u.units;
                EXPECT_EQ(AtMid(*s), 0.0) << u.units;
            }
        }
    }
}

// The same above the top: rows of 2 and 0 mm/m 1 mm above it. The outermost (the zero one, the
// later of the two) stays beyond the face, the one of 2 mm/m is put at the face and gives the
// strain there, and a zero row closes the profile at the bottom; at mid-height the line from
// (0, 0) to (100 mm, 2 mm/m) reads 1 mm/m.
TEST_F(RowsAndPointsKept, APairOfRowsAboveTheTopComesBackWhereItWas)
{
    for (const DocumentUnits& u : kSystems) {
        g_UnitSystem = u.system;
        ASSERT_TRUE(OpenSaveReopen(u, {{0.101, 0.002}, {0.101, 0.0}})) << u.units;
        const std::vector<Row> expected = {{0.101, 0.0}, {0.1, 0.002}, {0.0, 0.0}};
        ExpectRows(*Opened(), expected, u.units);
        ExpectRows(*Reopened(), expected, u.units);
        for (TStructure* s : {Opened(), Reopened()}) {
            EXPECT_NEAR(AtTop(*s), 0.002, 1e-15) << u.units;
            EXPECT_NEAR(AtMid(*s), 0.001, 1e-15) << u.units;
        }
    }
}

// What the check makes of rows that reach no face stays as it was: a single row 1 mm below the
// bottom is put at the face (2 mm/m there, 1 mm/m at mid-height on the line to the zero row
// at the top); rows more than 3 mm beyond a face are dropped, those of a profile that does not
// reach the face are all put at it.
TEST_F(RowsAndPointsKept, RowsOfAProfileThatReachesNoFaceAreStillPutAtIt)
{
    for (const DocumentUnits& u : kSystems) {
        g_UnitSystem = u.system;
        ASSERT_TRUE(OpenSaveReopen(u, {{-0.001, 0.002}})) << u.units;
        const std::vector<Row> single = {{0.1, 0.0}, {0.0, 0.002}};
        ExpectRows(*Opened(), single, u.units);
        ExpectRows(*Reopened(), single, u.units);
        EXPECT_NEAR(AtBottom(*Reopened()), 0.002, 1e-15) << u.units;
        EXPECT_NEAR(AtMid(*Reopened()), 0.001, 1e-15) << u.units;

        ASSERT_TRUE(OpenSaveReopen(
            u,
            {{0.1, 0.001}, {0.05, 0.001}, {-0.001, 0.002}, {-0.002, 0.003}, {-0.004, 0.004}}))
            << u.units;
        const std::vector<Row> several = {{0.1, 0.001}, {0.05, 0.001}, {0.0, 0.002}, {0.0, 0.003}};
        ExpectRows(*Opened(), several, u.units);
        ExpectRows(*Reopened(), several, u.units);
    }
}

// A version 0.8 file whose concrete curve has a point 0.001 mm/m before the origin, on the
// tension side, with no stress: saved, reopened and saved again in each unit system, the point
// is where the file had it and both saves are the same text.
TEST_F(RowsAndPointsKept, AnOlderFilesCurvePointBeforeTheOriginComesBackWhereItWas)
{
    const V08File file = MakeV08File();
    ByteWriter w;
    w.bytes.assign(file.bytes.begin(), file.bytes.begin() + static_cast<long>(file.curveSection));
    w.I32(2).I32(0).I32(4);
    w.F64s({1e-6, 0.0, -0.001, -20e6, -0.002, -30e6, -0.003, -25e6});
    for (const DocumentUnits& u : kSystems) {
        g_UnitSystem = u.system;
        g_FileOverride = 0;
        TBeam beam(TBeam::Empty{});
        ASSERT_TRUE(LoadBeamBytes(beam, w.bytes).IsRead());
        XmlDocument again;
        ASSERT_TRUE(SaveAndReopen(&beam, again, u.units));
        for (const TStructure* s : {static_cast<TStructure*>(&beam), again.structures[0].get()}) {
            ASSERT_EQ(s->GetConcreteTypeCount(), 2);
            const TDepthTable* curve = s->GetConcreteType(1)->userCurve.get();
            ASSERT_NE(curve, nullptr);
            const std::vector<DepthPair> given = GivenCurvePairs(*curve);
            ASSERT_EQ(given.size(), 5u) << u.units;
            EXPECT_NEAR(given[0].z, 1e-6, 1e-15) << u.units;
            EXPECT_EQ(given[0].v, 0.0) << u.units;
            EXPECT_EQ(given[1].z, 0.0) << u.units;
            EXPECT_NEAR(given[2].z, -0.001, 1e-15) << u.units;
        }
    }
}

// A document's concrete curve row given on the tension side ("-0.5 0": 0.5 mm/m of extension)
// is written with its sign and reopens there; the compression rows are written as magnitudes.
TEST_F(RowsAndPointsKept, AConcreteCurveRowOnTheTensionSideKeepsItsSide)
{
    const std::string document = Beam(
        "\t\t<concrete name=\"Web\" c_mod=\"4\">\r\n -0.5 0.0\r\n 0.0 0.0\r\n 1.0 20.0\r\n 2.0 "
        "30.0\r\n\t\t</concrete>\r\n\t\t<sectionSOLID>\r\n 100.0 100.0\r\n 0.0 100.0 "
        "\"Web\"\r\n\t\t</sectionSOLID>\r\n");
    const roundtrip::Result r = roundtrip::RoundTripDocument(dtd, document);
    ASSERT_EQ(r.outcome, roundtrip::Outcome::Kept) << r.failure;
    EXPECT_NE(r.first.find("\t-0.500  0.00\r\n\t\t\t\t\t0.000  0.00\r\n\t\t\t\t\t1.000 20.00"),
              std::string::npos)
        << r.first;
}

} // namespace
