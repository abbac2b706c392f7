// Documents written and read back: byte-identical second saves of the default beam and
// shell.

#include "DocumentTestSupport.h"
#include "foundation/StrFormat.h"
#include "model/materials/SteelLaws.h"

namespace {

class RoundTrip : public DocumentTest {};

TEST_F(RoundTrip, DefaultBeamAndShellSaveTwiceIdentically)
{
    TBeam beam;
    TShell shell;
    beam.Validate();
    shell.Validate();
    const std::string first = Write({&beam, &shell});
    XmlDocument doc;
    const XmlResult r = Read(first, doc);
    ASSERT_TRUE(r.Ok()) << r.message;
    ASSERT_EQ(doc.structures.size(), 2u);
    const std::string second = Write({doc.structures[0].get(), doc.structures[1].get()});
    EXPECT_EQ(second, first);
    // A new membrane element has no concrete type yet: neither its validation nor reading it
    // asks for the missing type (which would put a box on screen each time).
    EXPECT_EQ(reporter.Count("GetConcreteType: index 0 is out of range"), 0);
    EXPECT_EQ(reporter.messages.size(), 0u);
}

} // namespace

#include "BeamFixture.h"

namespace {

// Relative tolerance of values that the SI formats print exactly.
constexpr double kExact = 1e-9;

void ExpectNear(double expected, double actual, double rel, const char* what)
{
    EXPECT_NEAR(actual, expected, rel * (std::fabs(expected) + 1e-9)) << what;
}

void ExpectSameTable(const TDepthTable& a, const TDepthTable& b, double rel, const char* what)
{
    ASSERT_EQ(a.GetCount(), b.GetCount()) << what;
    for (int i = 0; i < a.GetCount(); ++i) {
        ExpectNear(a.GetDepth(i), b.GetDepth(i), rel, what);
        ExpectNear(a.GetValue(i), b.GetValue(i), rel, what);
    }
}

// The same stresses at the strains of the pairs the user gave (not the closing pairs that
// finishing a curve adds).
void ExpectSameCurve(const TDepthTable& a, const TDepthTable& b, double rel)
{
    int given = 0;
    for (int i = 0; i < a.GetCount(); ++i) {
        if (std::fabs(a.GetDepth(i)) > 1.0 || a.GetValue(i) == 0.0)
            continue;
        ++given;
        ExpectNear(a.GetValue(i), b.InterpolateAtDepth(a.GetDepth(i)), rel, "curve stress");
    }
    EXPECT_GE(given, 2);
}

// The named fields of two records: equal, within a relative tolerance, or within an absolute
// one (lengths).
template <class Rec, class... Fields> void Same(const Rec& x, const Rec& y, Fields... fields)
{
    ([&] { EXPECT_EQ(x.*fields, y.*fields); }(), ...);
}
template <class Rec>
void Near(const Rec& x, const Rec& y, double rel, std::initializer_list<double Rec::*> fields)
{
    for (double Rec::*f : fields)
        ExpectNear(x.*f, y.*f, rel, "field");
}


// Every value that the document carries, compared with a relative tolerance.
void ExpectSameBeam(const TBeam& a, const TBeam& b, double rel)
{
    EXPECT_EQ(a.GetName(), b.GetName());
    EXPECT_EQ(a.GetDoneBy(), b.GetDoneBy());
    EXPECT_EQ(a.GetDate(), b.GetDate());
    ExpectNear(a.GetCrackSpacing(0), b.GetCrackSpacing(0), rel, "crack spacing x");
    ExpectNear(a.GetCrackSpacing(2), b.GetCrackSpacing(2), rel, "crack spacing z");
    using C = ConcreteTypeRec;
    ASSERT_EQ(a.GetConcreteTypeCount(), b.GetConcreteTypeCount());
    for (int t = 0; t < a.GetConcreteTypeCount(); ++t) {
        SCOPED_TRACE("concrete " + std::to_string(t));
        const C& x = *a.GetConcreteType(t);
        const C& y = *b.GetConcreteType(t);
        Same(x, y, &C::name, &C::ftAuto, &C::ecAuto, &C::baseCurve, &C::softening);
        Same(x, y, &C::tensionStiffening);
        Near(x, y, rel, {&C::fc, &C::tsFactor});
        if (x.ftAuto == 0)
            ExpectNear(x.ft, y.ft, rel, "ft");
        if (x.ecAuto == 0)
            ExpectNear(x.ec, y.ec, rel, "ec");
        ExpectNear(x.aggregate, y.aggregate, rel, "aggregate");
        ASSERT_EQ(static_cast<bool>(x.userCurve), static_cast<bool>(y.userCurve));
        if (x.userCurve)
            ExpectSameCurve(*x.userCurve, *y.userCurve, rel);
    }
    using S = SteelTypeRec;
    ASSERT_EQ(a.GetSteelTypeCount(), b.GetSteelTypeCount());
    for (int t = 0; t < a.GetSteelTypeCount(); ++t) {
        SCOPED_TRACE("steel " + std::to_string(t));
        const S& x = *a.GetSteelType(t);
        const S& y = *b.GetSteelType(t);
        Same(x, y, &S::name, &S::kind);
        Near(x, y, rel, {&S::Es, &S::fu, &S::eu});
        if (x.kind == SteelKind::Prestressing)
            Near(x, y, rel, {&S::A, &S::B, &S::C});
        else
            ExpectNear(x.fy, y.fy, rel, "fy");
        if (x.kind == SteelKind::UserCurve) {
            ASSERT_TRUE(y.userCurve);
            ExpectSameCurve(*x.userCurve, *y.userCurve, rel);
        }
    }
    using R = ConcreteRegionRec;
    ASSERT_EQ(a.GetRegionCount(), b.GetRegionCount());
    for (int r = 0; r < a.GetRegionCount(); ++r) {
        const R& x = *a.GetRegion(r);
        const R& y = *b.GetRegion(r);
        Near(x, y, rel, {&R::top, &R::bottom, &R::topWidth, &R::bottomWidth});
        EXPECT_EQ(x.concreteType, y.concreteType);
    }
    using L = LongLayerRec;
    ASSERT_EQ(a.GetLongLayerCount(0), b.GetLongLayerCount(0));
    for (int i = 0; i < a.GetLongLayerCount(0); ++i) {
        SCOPED_TRACE("layer " + std::to_string(i));
        const L& x = *a.GetLongLayer(i, 0);
        const L& y = *b.GetLongLayer(i, 0);
        Same(x, y, &L::name, &L::num, &L::bartitle, &L::barIndex, &L::type, &L::pattern);
        Near(x, y, rel, {&L::z, &L::db, &L::space, &L::A, &L::Ai, &L::dep, &L::thermStrain});
        ExpectNear(x.drape, y.drape, rel, "drape");
    }
    using T = TransLayerRec;
    ASSERT_EQ(a.GetTransLayerCount(2), b.GetTransLayerCount(2));
    for (int i = 0; i < a.GetTransLayerCount(2); ++i) {
        const T& x = *a.GetTransLayer(i, 2);
        const T& y = *b.GetTransLayer(i, 2);
        Same(x, y, &T::name, &T::bartitle, &T::pattern, &T::type);
        ExpectNear(x.A, y.A, rel, "stirrup A");
        Near(x, y, rel, {&T::space, &T::disttop, &T::distbot});
    }
    ExpectSameTable(a.GetPositionVariable(kShrinkTherm), b.GetPositionVariable(kShrinkTherm),
                    rel, "shrinkage");
    ExpectSameTable(a.GetStrainDiscontinuityTable(), b.GetStrainDiscontinuityTable(), rel,
                    "discontinuity");
    LoadVector la{};
    LoadVector lb{};
    a.GetConstantLoads(la.data(), kLoadCount);
    b.GetConstantLoads(lb.data(), kLoadCount);
    for (int k = 0; k < 3; ++k)
        ExpectNear(la[k], lb[k], rel, "constant load");
    a.GetIncrementLoads(la.data(), kLoadCount);
    b.GetIncrementLoads(lb.data(), kLoadCount);
    for (int k = 0; k < 3; ++k)
        ExpectNear(la[k], lb[k], rel, "load increment");
    int flag[2] = {};
    double age[2] = {}, m[2] = {}, n[2] = {};
    FireData fire[2];
    for (int k = 0; k < 2; ++k) {
        const TBeam& s = k == 0 ? a : b;
        s.GetTimeData(flag[k], age[k], m[k], n[k]);
        FireData& f = fire[k];
        s.GetFireData(f.exposure, f.type, f.rebarperform, f.time, f.constanttemp);
    }
    EXPECT_EQ(flag[0], flag[1]);
    ExpectNear(age[0], age[1], kExact, "age");
    ExpectNear(m[0], m[1], rel, "sustained moment");
    ExpectNear(n[0], n[1], rel, "sustained load");
    EXPECT_EQ(fire[0], fire[1]);
    for (int i = 0; i < kValueListCount; ++i) {
        const TdoubleArray* x = a.GetValueList(i);
        const TdoubleArray* y = b.GetValueList(i);
        ASSERT_EQ(x == nullptr, y == nullptr) << "list " << i;
        if (x == nullptr)
            continue;
        ASSERT_EQ(x->GetCount(), y->GetCount());
        for (int k = 0; k < x->GetCount(); ++k)
            EXPECT_DOUBLE_EQ(x->At(k), y->At(k));
    }
}

// The text of one attribute of the rebar element of the given name ("" when not written).
std::string
RebarAttribute(const std::string& document, const std::string& name, const char* attribute)
{
    const std::size_t named = document.find("=\"" + name + "\"");
    const std::size_t start = document.rfind("<rebar", named);
    if (named == std::string::npos || start == std::string::npos)
        return "";
    const std::string element = document.substr(start, named - start);
    const std::size_t at = element.find(std::string("\t") + attribute + "\t");
    const std::size_t open = element.find("=\"", at);
    if (at == std::string::npos || open == std::string::npos)
        return "";
    return element.substr(open + 2, element.find('"', open + 2) - open - 2);
}

// Two curve steels in one document, and one curve changed between two saves: every save writes
// each steel's strength from its own curve (its largest stress row, in MPa).
TEST_F(RoundTrip, EachCurveSteelWritesTheStrengthOfItsOwnCurveAtEverySave)
{
    const auto beam = MakeFullBeam();
    int curve = -1;
    for (int t = 0; t < beam->GetSteelTypeCount(); ++t)
        if (beam->GetSteelType(t)->kind == SteelKind::UserCurve)
            curve = t;
    ASSERT_GE(curve, 0);
    SteelTypeRec second;
    InitSteelTypeRec(second);
    second.kind = SteelKind::UserCurve;
    second.name = "Second";
    second.userCurve.reset(
        FinishedCurve("Segmental Reinforcement", {{0.0, 0.0}, {0.002, 400e6}, {0.08, 700e6}}));
    CheckSteelType(second, false);
    beam->AddSteelType(second);
    beam->Validate();

    const std::string first = Write({beam.get()});
    EXPECT_EQ(RebarAttribute(first, "Curve", "fu"), "550.0");
    EXPECT_EQ(RebarAttribute(first, "Second", "fu"), "700.0");

    SteelTypeRec& changed = *beam->GetSteelType(curve);
    changed.userCurve.reset(
        FinishedCurve("Segmental Reinforcement", {{0.0, 0.0}, {0.0025, 500e6}, {0.06, 620e6}}));
    CheckSteelType(changed, false);
    const std::string again = Write({beam.get()});
    EXPECT_EQ(RebarAttribute(again, "Curve", "fu"), "620.0");
    EXPECT_EQ(RebarAttribute(again, "Second", "fu"), "700.0");
}

// Every value and the resistance factors come back without a message, in every unit system;
// the file override makes the document's units active.
TEST_F(RoundTrip, EveryUnitSystemKeepsEveryValueAndSavesTheSameBytesAgain)
{
    const auto beam = MakeFullBeam();
    for (int system = 0; system < kUnitSystemCount; ++system) {
        SCOPED_TRACE(g_UnitSystemNames[static_cast<std::size_t>(system)]);
        g_UnitSystem = system;
        g_ResistanceFactors = ResistanceFactors{0.65, 0.85, 0.9};
        const std::string text = Write({beam.get()}, system);
        // SI is the default and so not written.
        EXPECT_EQ(text.find(std::string("units\t\t=\"") +
                            g_UnitSystemNames[static_cast<std::size_t>(system)]) == std::string::npos,
                  system == kUnitSI);
        g_UnitSystem = kUnitSI;
        g_ResistanceFactors = ResistanceFactors{};
        reporter.Clear();
        XmlDocument doc;
        ASSERT_TRUE(Read(text, doc).Ok());
        EXPECT_TRUE(reporter.messages.empty()) << reporter.messages[0].text;
        ASSERT_EQ(doc.structures.size(), 1u);
        const auto& read = dynamic_cast<const TBeam&>(*doc.structures[0]);
        // No value moves by more than a millionth, although the factors of the other systems
        // are not powers of ten; the document read back saves to the same bytes.
        ExpectSameBeam(*beam, read, system == kUnitSI ? kExact : 1e-6);
        EXPECT_EQ(g_ResistanceFactors, (ResistanceFactors{0.65, 0.85, 0.9}));
        EXPECT_EQ(read.IsModified(), 0);
        EXPECT_EQ(g_UnitSystem, kUnitSI);
        g_UnitSystem = system;
        EXPECT_EQ(Write({doc.structures[0].get()}, system), text);
        // With the file override on, reading makes the document's units the session's.
        g_UnitSystem = kUnitSI;
        g_FileOverride = 1;
        XmlDocument overridden;
        ASSERT_TRUE(Read(text, overridden).Ok());
        EXPECT_EQ(g_UnitSystem, system);
        g_FileOverride = 0;
        g_UnitSystem = kUnitSI;
    }
}

TEST_F(RoundTrip, LongConcreteNamesComeBackWithEveryRegionOnItsOwnType)
{
    // 150 concrete types with names of the full 19 characters the concrete page accepts, and
    // 150 regions of 10 mm, region i on type i.
    TBeam beam;
    beam.DeleteConcreteTypes();
    beam.DeleteRegions();
    for (int i = 0; i < 150; ++i) {
        double strength = (30.0 + 0.1 * i) * 1e6;
        beam.AddConcreteTypeFromStrength(strength, StrPrintf("Girder pour %03d-CIP", i));
        beam.AddRegion(1.5 - 0.01 * i, 1.49 - 0.01 * i, 0.3, 0.3, i, 1);
    }
    ASSERT_EQ(beam.GetRegionCount(), 150);
    beam.Validate();
    ASSERT_EQ(beam.GetConcreteType(149)->name, "Girder pour 149-CIP");
    const std::string text = Write({&beam});
    XmlDocument doc;
    ASSERT_TRUE(Read(text, doc).Ok());
    TStructure& read = *doc.structures[0];
    ASSERT_EQ(read.GetConcreteTypeCount(), 150);
    ASSERT_EQ(read.GetRegionCount(), 150);
    for (int i = 0; i < 150; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(read.GetConcreteType(i)->name, StrPrintf("Girder pour %03d-CIP", i));
        EXPECT_EQ(read.GetRegion(i)->concreteType, i);
        EXPECT_NEAR(read.GetConcreteType(i)->fc, -(30.0 + 0.1 * i) * 1e6, 1.0);
    }
}

TEST_F(RoundTrip, ShellLoadsFactorsAndThicknessComeBack)
{
    TShell shell;
    double strength = 30e6;
    shell.AddConcreteTypeFromStrength(strength, "Panel");
    const double constant[kLoadCount] = {1000.0, 0, 0, 5000.0, 0, 0, 0, 0};
    const double increment[kLoadCount] = {0, 0, 1e6, 0, 2000.0, 0, 0, 0};
    shell.SetConstantLoads(constant, kLoadCount);
    shell.SetIncrementLoads(increment, kLoadCount);
    shell.SetCrackSpacing(0.1, 1);
    const double theta[] = {0.5, 0.25, 250.0, -1.0, 0.0, 1e-7, 2.0, 3.0};
    const double f1[] = {1.5, -2.0};
    shell.SetValueList(0, theta, 8);
    shell.SetValueList(12, f1, 2);
    // A thermal gradient through the thickness, zero at the mid-plane.
    TDepthTable gradient("gradient");
    gradient.Add(0.035, 0.0004);
    gradient.Add(-0.035, -0.0004);
    shell.SetShrinkThermCurve(gradient);
    shell.Validate();
    ASSERT_DOUBLE_EQ(shell.GetInitialStrainAt(0.0, 3), 0.0);
    g_ResistanceFactors = ResistanceFactors{0.65, 0.85, 0.9};
    const std::string text = Write({&shell});
    EXPECT_NE(text.find("BMxx\t\t=\"-5.0\""), std::string::npos);
    EXPECT_NE(text.find("MMyy\t\t=\"-2.000\""), std::string::npos);
    EXPECT_NE(text.find("age\t\t=\"10.0\""), std::string::npos);
    EXPECT_NE(text.find("<experimentaldata\tbin\t\t=\"theta\"\t>\r\n 0.5000000 0.2500000   250 "
                        "-1.0000000 0.0000000 0.0000001     2\r\n     3\r\n"),
              std::string::npos);
    // Values that the short formats would round are written with all their digits.
    EXPECT_NE(text.find("bin\t\t=\"f1\"\t>\r\n 1.5    -2\r\n"), std::string::npos);
    g_ResistanceFactors = ResistanceFactors{};
    XmlDocument doc;
    ASSERT_TRUE(Read(text, doc).Ok());
    const TStructure& read = *doc.structures[0];
    LoadVector loads{};
    read.GetConstantLoads(loads.data(), kLoadCount);
    EXPECT_DOUBLE_EQ(loads[0], 1000.0);
    EXPECT_DOUBLE_EQ(loads[3], 5000.0);
    read.GetIncrementLoads(loads.data(), kLoadCount);
    EXPECT_DOUBLE_EQ(loads[2], 1e6);
    EXPECT_DOUBLE_EQ(loads[4], 2000.0);
    EXPECT_DOUBLE_EQ(read.GetCrackSpacing(1), 0.1);
    EXPECT_EQ(read.IsCrackSpacingAuto(0), 1);
    EXPECT_DOUBLE_EQ(read.GetHeight(), kDefaultShellThickness);
    EXPECT_EQ(g_ResistanceFactors, (ResistanceFactors{0.65, 0.85, 0.9}));
    ASSERT_NE(read.GetValueList(12), nullptr);
    EXPECT_EQ(read.GetValueList(12)->GetCount(), 2);
    EXPECT_EQ(read.GetValueList(12)->At(0), 1.5);
    EXPECT_EQ(read.GetValueList(12)->At(1), -2.0);
    EXPECT_EQ(read.GetValueList(0)->GetCount(), 8);
    const TDepthTable& gradientRead = read.GetPositionVariable(kShrinkTherm);
    ASSERT_EQ(gradientRead.GetCount(), 2);
    EXPECT_NEAR(gradientRead.GetValue(0), 0.0004, 1e-12);
    EXPECT_NEAR(gradientRead.GetDepth(0), 0.035, 1e-12);
    EXPECT_EQ(Write({doc.structures[0].get()}), text);
}

} // namespace

namespace {

// A concrete and a steel curve written without the row at the origin (as a hand-made document
// may be): each rises from the origin, so that its closing pairs lie outside the rows, and is
// saved with the origin's row, after which it saves to the same bytes again.
TEST_F(RoundTrip, CurvesWithoutTheOriginRowRiseFromTheOrigin)
{
    const std::string text = "<?xml version=\"1.0\"?>\r\n<document>\r\n<q3g_beam name=\"Curves\">\r\n"
                             "<concrete fcp=\"30.0\" c_mod=\"4\" name=\"Web\">\r\n 1.000 20.00\r\n 2.000 30.00\r\n"
                             "</concrete>\r\n<rebar fy=\"400\" name=\"Bar\">\r\n 2.000 400.00\r\n 50.000 400.00\r\n"
                             "</rebar>\r\n<sectionSOLID>\r\n 600.0 300.0\r\n 0.0 300.0 \"Web\"\r\n</sectionSOLID>\r\n"
                             "</q3g_beam>\r\n</document>\r\n";
    XmlDocument doc;
    const XmlResult r = Read(text, doc);
    ASSERT_TRUE(r.Ok()) << r.message;
    ASSERT_EQ(doc.structures.size(), 1u);
    const TStructure& s = *doc.structures[0];
    // 20 MPa at 1 mm/m: 2 MPa at 0.1 mm/m, Ec 20 GPa (less a millionth for the resistance
    // factor's guard); 400 MPa at 2 mm/m: 100 MPa at 0.5 mm/m, Es 200 GPa.
    EXPECT_NEAR(s.GetConcreteType(0)->Ec, 20e9, 1e6);
    EXPECT_NEAR(s.GetSteelType(0)->Es, 200e9, 1e6);
    const std::string saved = Write({doc.structures[0].get()});
    EXPECT_NE(saved.find("\t\t\t\t\t0.000  0.00\r\n\t\t\t\t\t1.000 20.00\r\n\t\t\t\t\t2.000 30.00\r\n\t\t\t</concrete>"),
              std::string::npos);
    EXPECT_NE(saved.find("\t\t\t\t\t0.000  0.00\r\n\t\t\t\t\t2.000 400.00\r\n\t\t\t\t\t50.000 400.00\r\n\t\t\t</rebar>"),
              std::string::npos);
    XmlDocument again;
    ASSERT_TRUE(Read(saved, again).Ok());
    EXPECT_EQ(Write({again.structures[0].get()}), saved);
}

} // namespace

namespace {

// A curve point whose stress no section holds, where the values derived from the curve are
// held (a tension stress far past the compression that gives f'c): the document is refused,
// naming the point's stress as the curve shows it (a concrete's compression positive).
TEST_F(RoundTrip, ACurvePointPastTheStressBoundRefusesTheDocument)
{
    const auto document = [](const char* concreteRows, const char* steelRows) {
        return std::string("<?xml version=\"1.0\"?>\r\n<document>\r\n<q3g_beam name=\"Curves\">\r\n"
                           "<concrete fcp=\"30.0\" c_mod=\"4\" name=\"Web\">\r\n") +
               concreteRows + "</concrete>\r\n<rebar fy=\"400\" name=\"Bar\">\r\n" + steelRows +
               "</rebar>\r\n<sectionSOLID>\r\n 600.0 300.0\r\n 0.0 300.0 \"Web\"\r\n</sectionSOLID>\r\n"
               "</q3g_beam>\r\n</document>\r\n";
    };
    const char* concrete = " 0.000 0.00\r\n 1.000 20.00\r\n 2.000 30.00\r\n";
    const char* steel = " 0.000 0.00\r\n 2.000 400.00\r\n 50.000 400.00\r\n";
    XmlDocument held;
    ASSERT_TRUE(Read(document(concrete, steel), held).Ok());

    XmlDocument doc;
    XmlResult r = Read(document(" -0.100 -1e249\r\n 0.000 0.00\r\n 1.000 20.00\r\n 2.000 30.00\r\n", steel), doc);
    EXPECT_FALSE(r.Ok());
    EXPECT_NE(r.message.find("Concrete type 1 (\"Web\") has a stress-strain point with a stress of -1e+249 MPa: a "
                             "section takes at most 1000000 MPa."),
              std::string::npos)
        << r.message;
    r = Read(document(concrete, " -50.000 -1e249\r\n 0.000 0.00\r\n 2.000 400.00\r\n 50.000 400.00\r\n"), doc);
    EXPECT_FALSE(r.Ok());
    EXPECT_NE(r.message.find("Steel type 1 (\"Bar\") has a stress-strain point with a stress of -1e+249 MPa"),
              std::string::npos)
        << r.message;
}

} // namespace
