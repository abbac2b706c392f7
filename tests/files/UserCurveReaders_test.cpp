// The readers refuse a user stress-strain curve a section does not hold, naming what is wrong,
// rather than taking the curve without its point or deriving values from it nobody gave: a
// point far past the strain a section holds (a document's or a version 0.8 file's), and a
// concrete's user-defined curve without a point of stress. A steel curve without stress (the
// curve of a bar a fire has burnt out, as a post-fire beam writes it) still opens.

#include <string>

#include "DocumentTestSupport.h"
#include "LegacyFileBuilders.h"
#include "files/legacy/NativeFileV07.h"
#include "foundation/ReportText.h"
#include "model/TBeam.h"

namespace {

class UserCurveReaders : public DocumentTest {
protected:
    // A beam document with concrete "Web" (user-defined, the rows given) and steel "Bar" (by
    // its own curve, the rows given).
    static std::string Document(const std::string& concreteRows, const std::string& steelRows)
    {
        return "<?xml version=\"1.0\"?>\r\n<document>\r\n<q3g_beam name=\"Curves\">\r\n"
               "<concrete fcp=\"30.0\" c_mod=\"4\" name=\"Web\">\r\n" +
               concreteRows + "</concrete>\r\n<rebar fy=\"400\" name=\"Bar\">\r\n" + steelRows +
               "</rebar>\r\n<sectionSOLID>\r\n 600.0 300.0\r\n 0.0 300.0 \"Web\"\r\n</sectionSOLID>\r\n"
               "</q3g_beam>\r\n</document>\r\n";
    }
    static constexpr const char* kConcrete = " 0.000 0.00\r\n 1.000 20.00\r\n 2.000 30.00\r\n";
    static constexpr const char* kSteel = " 0.000 0.00\r\n 2.500 500.00\r\n 50.000 550.00\r\n";

    // The message a refused document gives; empty when it is read.
    std::string Refusal(const std::string& text)
    {
        XmlDocument doc;
        const XmlResult r = Read(text, doc);
        return r.Ok() ? std::string() : r.message;
    }
};

// Steel points at 1e9, 1e12 and 1e200 mm/m and a concrete point at 1e200 mm/m: each document is
// refused, naming the point's strain, where the curve used to lose the point without a word.
TEST_F(UserCurveReaders, ACurvePointFarPastTheStrainBoundRefusesTheDocument)
{
    ASSERT_EQ(Refusal(Document(kConcrete, kSteel)), "");
    for (const char* far : {"1e9", "1e12", "1e200"}) {
        SCOPED_TRACE(far);
        const std::string rows = std::string(" 0.000 0.00\r\n 2.500 500.00\r\n ") + far + " 550.00\r\n";
        const std::string refusal = Refusal(Document(kConcrete, rows));
        const std::string shown = far == std::string("1e9") ? "1e+09" : far == std::string("1e12") ? "1e+12" : "1e+200";
        EXPECT_EQ(refusal, "Steel type 1 (\"Bar\") has a stress-strain point with a strain of " + shown +
                               " mm/m: a section takes at most 10000 mm/m.");
    }
    EXPECT_EQ(Refusal(Document(" 0.000 0.00\r\n 2.000 30.00\r\n 1e200 20.00\r\n", kSteel)),
              "Concrete type 1 (\"Web\") has a stress-strain point with a strain of 1e+200 mm/m: a section "
              "takes at most 10000 mm/m.");
    // 20000 mm/m, within a double's reach of the bound, is refused the same way.
    EXPECT_EQ(Refusal(Document(kConcrete, " 0.000 0.00\r\n 2.500 500.00\r\n 20000 550.00\r\n")),
              "Steel type 1 (\"Bar\") has a stress-strain point with a strain of 2e+04 mm/m: a section takes at "
              "most 10000 mm/m.");
}

// A user-defined concrete curve of zero stresses is refused with what is wrong with it, not with
// a peak strain derived from it; a steel curve of zero stresses (a burnt-out bar) opens, and
// its document saves again to the same text.
TEST_F(UserCurveReaders, AConcreteCurveWithoutStressIsRefusedAndABurntBarIsNot)
{
    EXPECT_EQ(Refusal(Document(" 0.000 0.00\r\n 1.000 0.00\r\n 2.000 0.00\r\n", kSteel)),
              "Concrete type 1 (\"Web\") has a user-defined stress-strain curve without a point of stress: a "
              "curve takes at least one.");
    EXPECT_EQ(Refusal(Document(" 0.000 0.00\r\n", kSteel)),
              "Concrete type 1 (\"Web\") has a user-defined stress-strain curve without a point of stress: a "
              "curve takes at least one.");

    XmlDocument doc;
    const XmlResult r = Read(Document(kConcrete, " 0.000 0.00\r\n 1.000 0.00\r\n 2.000 0.00\r\n"), doc);
    ASSERT_TRUE(r.Ok()) << r.message;
    const std::string saved = Write({doc.structures[0].get()});
    XmlDocument again;
    ASSERT_TRUE(Read(saved, again).Ok());
    EXPECT_EQ(Write({again.structures[0].get()}), saved);
}

struct UserCurveV08 : ::testing::Test {
    RecordingReporter reporter;
    DefaultCatalogue catalogue;
    ~UserCurveV08() override { ClearReportText(); }

    // The version 0.8 file with concrete type 2's curve of the three (strain, stress) pairs.
    static LegacyReadResult ReadWithCurve(const std::array<std::pair<double, double>, 3>& pairs)
    {
        const V08File file = MakeV08File();
        ByteWriter w;
        w.bytes.assign(file.bytes.begin(), file.bytes.begin() + static_cast<long>(file.curveSection));
        w.I32(2).I32(0).I32(3);
        for (const auto& [strain, stress] : pairs)
            w.F64(strain).F64(stress);
        TBeam beam;
        beam.ClearAll();
        return ReadNativeV07V08Bytes(beam, w.bytes, 8);
    }
};

// A version 0.8 file whose user curve has a point at -1e6 (1e9 mm/m in compression), stored
// first as an ascending curve stores it, or no point of stress, is refused naming it.
TEST_F(UserCurveV08, AFarPointOrACurveWithoutStressRefusesTheFile)
{
    ASSERT_TRUE(ReadWithCurve({{{-0.003, -25e6}, {-0.002, -30e6}, {-0.001, -20e6}}}).IsRead());
    LegacyReadResult r = ReadWithCurve({{{-1e6, -25e6}, {-0.002, -30e6}, {-0.001, -20e6}}});
    EXPECT_FALSE(r.IsRead());
    EXPECT_EQ(r.message, "Concrete type 2 (\"C30 user\") has a stress-strain point with a strain of 1e+09 mm/m: a "
                         "section takes at most 10000 mm/m. The file cannot be read.");
    r = ReadWithCurve({{{-0.001, 0.0}, {-0.002, 0.0}, {-0.003, 0.0}}});
    EXPECT_FALSE(r.IsRead());
    EXPECT_EQ(r.message, "Concrete type 2 (\"C30 user\") has a user-defined stress-strain curve without a point "
                         "of stress: a curve takes at least one. The file cannot be read.");
}

} // namespace
