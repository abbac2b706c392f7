// The post-fire beam is the section its document opens as: Loads > Create Fire Damaged Beam
// gives a beam whose every value is the one File > Save writes and a new session of the program
// reads back, so the session's beam and the reopened one solve alike, the cross-section sheet
// closed with OK leaves its fire bands as they are, and saving the reopened document writes the
// first save's bytes again.

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "app/CommandIds.h"
#include "dialogs/MaterialReinforcementDialogs.h"
#include "dialogs/MemberInputDialogs.h"
#include "dialogs/QuickDefine.h"
#include "dialogs/QuickDefineDialogs.h"
#include "dialogs/QuickDefineWizard.h"
#include "dialogs/SectionInputDialogs.h"
#include "dialogs/TFire.h"
#include "foundation/StrFormat.h"
#include "member/TMemberDefinition.h"
#include "member/fire/FireLaws.h"
#include "member/fire/ThermalAnalysis.h"
#include "model/TBeam.h"
#include "model/shapes/SectionShape.h"
#include "tests/app/RealDocumentShell.h"
#include "tests/dialogs/DialogFixtures.h"

namespace {

// A height the post-fire beam keeps against the one by hand (m), and a strain: a document keeps
// both to ten digits.
constexpr double kHeightTolerance = 1e-9;
constexpr double kStrainTolerance = 1e-12;

std::string Exact(double v)
{
    return StrPrintf("%.17g", v);
}

// Two doubles the same to the last bit (a zero of either sign is zero; NaN never stands in a
// section).
#define SAME(a, b, what) EXPECT_TRUE((a) == (b)) << (what) << ": " << Exact(a) << " / " << Exact(b)

void ExpectSameCurve(const UserCurvePtr& a, const UserCurvePtr& b, const char* what)
{
    ASSERT_EQ(static_cast<bool>(b), static_cast<bool>(a)) << what;
    if (!a)
        return;
    ASSERT_EQ(b->GetCount(), a->GetCount()) << what;
    for (int i = 0; i < a->GetCount(); ++i) {
        SAME(a->GetDepth(i), b->GetDepth(i), StrPrintf("%s point %d strain", what, i));
        SAME(a->GetValue(i), b->GetValue(i), StrPrintf("%s point %d stress", what, i));
    }
}

void ExpectSameTable(const TDepthTable& a, const TDepthTable& b, const std::string& what)
{
    ASSERT_EQ(b.GetCount(), a.GetCount()) << what;
    for (int i = 0; i < a.GetCount(); ++i) {
        SAME(a.GetDepth(i), b.GetDepth(i), what + " depth " + std::to_string(i));
        SAME(a.GetValue(i), b.GetValue(i), what + " value " + std::to_string(i));
    }
}

// The same beam, value for value: every double of its outline, materials, layers, settings and
// section properties the same to the last bit (the date, stamped on reading, aside).
void ExpectSameBeam(const TBeam& was, const TBeam& is)
{
    EXPECT_EQ(is.GetName(), was.GetName());
    EXPECT_EQ(is.GetSectionKindCode(), was.GetSectionKindCode());
    EXPECT_EQ(is.GetShapeName(), was.GetShapeName());
    for (int k = 1; k <= kBeamShapeParamCount; ++k)
        SAME(was.GetShapeParameter(k), is.GetShapeParameter(k), StrPrintf("shape parameter %d", k));
    SAME(was.GetBottom(), is.GetBottom(), "bottom");
    SAME(was.GetTop(), is.GetTop(), "top");
    SAME(was.GetHeight(), is.GetHeight(), "height");
    SAME(was.GetMomentAxis(), is.GetMomentAxis(), "moment axis");
    for (int d : {0, 2})
        SAME(was.GetCrackSpacing(d), is.GetCrackSpacing(d), StrPrintf("crack spacing %d", d));
    EXPECT_EQ(is.GetMainConcreteType(), was.GetMainConcreteType());
    EXPECT_EQ(is.GetMainSteelType(), was.GetMainSteelType());
    const auto properties =
        [](const SectionProperties& a, const SectionProperties& b, const char* what) {
            SAME(a.area, b.area, std::string(what) + " area");
            SAME(a.inertia, b.inertia, std::string(what) + " inertia");
            SAME(a.centroid, b.centroid, std::string(what) + " centroid");
        };
    properties(was.GetGrossProperties(), is.GetGrossProperties(), "gross");
    properties(was.GetTransformedProperties(), is.GetTransformedProperties(), "transformed");

    ASSERT_EQ(is.GetRegionCount(), was.GetRegionCount());
    for (int r = 0; r < was.GetRegionCount(); ++r) {
        SCOPED_TRACE(StrPrintf("region %d", r));
        const ConcreteRegionRec &a = *was.GetRegion(r), &b = *is.GetRegion(r);
        SAME(a.top, b.top, "top");
        SAME(a.bottom, b.bottom, "bottom");
        SAME(a.topWidth, b.topWidth, "top width");
        SAME(a.bottomWidth, b.bottomWidth, "bottom width");
        EXPECT_EQ(b.concreteType, a.concreteType);
    }
    ASSERT_EQ(is.GetConcreteTypeCount(), was.GetConcreteTypeCount());
    for (int k = 0; k < was.GetConcreteTypeCount(); ++k) {
        SCOPED_TRACE(StrPrintf("concrete type %d", k));
        const ConcreteTypeRec &a = *was.GetConcreteType(k), &b = *is.GetConcreteType(k);
        EXPECT_EQ(b.name, a.name);
        SAME(a.fc, b.fc, "f'c");
        SAME(a.ec, b.ec, "e'c");
        SAME(a.Ec, b.Ec, "Ec");
        SAME(a.ft, b.ft, "f't");
        SAME(a.ecr, b.ecr, "ecr");
        SAME(a.tsFactor, b.tsFactor, "tension-stiffening factor");
        SAME(a.aggregate, b.aggregate, "aggregate");
        SAME(a.n, b.n, "n");
        SAME(a.k, b.k, "k");
        SAME(a.tsCoefficient, b.tsCoefficient, "tension-stiffening coefficient");
        SAME(a.Kc, b.Kc, "Kc");
        ExpectSameCurve(a.userCurve, b.userCurve, "curve");
        EXPECT_TRUE(b == a) << "the codes and flags";
    }
    ASSERT_EQ(is.GetSteelTypeCount(), was.GetSteelTypeCount());
    for (int k = 0; k < was.GetSteelTypeCount(); ++k) {
        SCOPED_TRACE(StrPrintf("steel type %d", k));
        const SteelTypeRec &a = *was.GetSteelType(k), &b = *is.GetSteelType(k);
        EXPECT_EQ(b.name, a.name);
        EXPECT_EQ(b.kind, a.kind);
        SAME(a.Es, b.Es, "Es");
        SAME(a.fy, b.fy, "fy");
        SAME(a.fu, b.fu, "fu");
        SAME(a.esh, b.esh, "esh");
        SAME(a.eu, b.eu, "eu");
        SAME(a.er, b.er, "er");
        SAME(a.A, b.A, "A");
        SAME(a.B, b.B, "B");
        SAME(a.C, b.C, "C");
        ExpectSameCurve(a.userCurve, b.userCurve, "curve");
        EXPECT_TRUE(b == a) << "the codes and flags";
    }
    ASSERT_EQ(is.GetLongLayerCount(0), was.GetLongLayerCount(0));
    for (int i = 0; i < was.GetLongLayerCount(0); ++i) {
        SCOPED_TRACE(StrPrintf("longitudinal layer %d", i));
        const LongLayerRec &a = *was.GetLongLayer(i, 0), &b = *is.GetLongLayer(i, 0);
        SAME(a.z, b.z, "z");
        SAME(a.A, b.A, "A");
        SAME(a.Ai, b.Ai, "Ai");
        SAME(a.db, b.db, "db");
        SAME(a.dep, b.dep, "prestrain");
        SAME(a.space, b.space, "spacing");
        SAME(a.thermStrain, b.thermStrain, "thermal strain");
        EXPECT_EQ(b.type, a.type);
        EXPECT_EQ(b.num, a.num);
    }
    ASSERT_EQ(is.GetTransLayerCount(2), was.GetTransLayerCount(2));
    for (int i = 0; i < was.GetTransLayerCount(2); ++i) {
        SCOPED_TRACE(StrPrintf("stirrup layer %d", i));
        const TransLayerRec &a = *was.GetTransLayer(i, 2), &b = *is.GetTransLayer(i, 2);
        SAME(a.A, b.A, "A");
        SAME(a.Ai, b.Ai, "Ai");
        SAME(a.db, b.db, "db");
        SAME(a.space, b.space, "spacing");
        SAME(a.disttop, b.disttop, "top");
        SAME(a.distbot, b.distbot, "bottom");
        EXPECT_EQ(b.type, a.type);
    }
    for (int k = 0; k < kPositionVariableCount; ++k)
        ExpectSameTable(was.GetPositionVariable(k),
                        is.GetPositionVariable(k),
                        PositionVariableName(k));
    ExpectSameTable(was.GetStrainDiscontinuityTable(),
                    is.GetStrainDiscontinuityTable(),
                    "strain discontinuity");
    FireData a, b;
    was.GetFireData(a.exposure, a.type, a.rebarperform, a.time, a.constanttemp);
    is.GetFireData(b.exposure, b.type, b.rebarperform, b.time, b.constanttemp);
    EXPECT_EQ(b.exposure, a.exposure);
    EXPECT_EQ(b.type, a.type);
    EXPECT_EQ(b.rebarperform, a.rebarperform);
    SAME(a.time, b.time, "fire time");
    SAME(a.constanttemp, b.constanttemp, "fire temperature");
    double la[kLoadCount] = {}, lb[kLoadCount] = {};
    was.GetIncrementLoads(la, kLoadCount);
    is.GetIncrementLoads(lb, kLoadCount);
    for (int i = 0; i < kLoadCount; ++i)
        SAME(la[i], lb[i], StrPrintf("load increment %d", i));
    was.GetConstantLoads(la, kLoadCount);
    is.GetConstantLoads(lb, kLoadCount);
    for (int i = 0; i < kLoadCount; ++i)
        SAME(la[i], lb[i], StrPrintf("constant load %d", i));
}

// The program's own dialogs: quick define, the section sheets, the member and fire dialogs.
class PostFireReopened : public RealDocumentShellTest {
protected:
    PostFireReopened() : m_previous(SetInputDialogs(&member)) {}
    ~PostFireReopened() override
    {
        SetInputDialogs(m_previous);
        DeleteThermalModel();
        g_QuickDefData = TQuickDefData{};
    }

    // File > Open of the file in a new session of the program.
    void OpenInANewSession(const std::string& path)
    {
        app.reset();
        DeleteThermalModel();
        ResetMemberDefinition(g_MemberDefinition);
        Start();
        OpenByMenu(path);
    }

    // Quick Define with every page as it opens, Finish.
    void QuickDefineDefaults()
    {
        ui.Dialog("Define Beam Section", [](plat::DialogDriver& d) {
            d.Next();
            d.Next();
            d.Next();
            d.Finish();
        });
        ASSERT_TRUE(Frame().Dispatch(CmId::QuickDefine));
        ASSERT_TRUE(ui.Done());
    }

    // Quick Define of the library's circle (the shape list's second row), every other page as
    // it opens, Finish.
    void QuickDefineCircle()
    {
        ui.Dialog("Define Beam Section", [](plat::DialogDriver& d) {
            d.Next();
            d.Select(QuickId::ShapeList, 1);
            EXPECT_EQ(d.Text(QuickId::Status), "Circular Section");
            d.Next();
            d.Next();
            d.Finish();
        });
        ASSERT_TRUE(Frame().Dispatch(CmId::QuickDefine));
        ASSERT_TRUE(ui.Done());
    }

    // File > Open of a sample of the fuzzing corpus.
    void OpenSample(const std::string& name)
    {
        std::ifstream in(std::string(QV_SOURCE_DIR) + "/fuzz/corpus/XmlDocument/" + name,
                         std::ios::binary);
        ASSERT_TRUE(in);
        OpenDocument(name, std::string(std::istreambuf_iterator<char>(in), {}));
    }

    // Loads > Create Fire Damaged Beam; the dialog's work, then OK: the post-fire beam.
    TBeam* CreateFireDamagedBeam(const std::function<void(plat::DialogDriver&)>& work = {})
    {
        ui.Dialog("Post-fire analysis parameters", [&](plat::DialogDriver& d) {
            if (work)
                work(d);
            d.Click(plat::DialogResult::Ok);
        });
        EXPECT_TRUE(Frame().Dispatch(CmId::FireDamagedBeam));
        EXPECT_TRUE(ui.Done());
        return dynamic_cast<TBeam*>(Window().GetCurrentStructure());
    }

    // Define > Concrete Section, OK with nothing edited.
    void ConcreteSectionOk()
    {
        ui.Dialog("Define Concrete Cross Section",
                  [](plat::DialogDriver& d) { d.Click(plat::DialogResult::Ok); });
        Frame().Dispatch(CmId::ConcreteSection);
        EXPECT_TRUE(ui.Done());
    }

    // File > Save As under the name: the bytes written.
    std::string SaveAs(const std::string& name)
    {
        ui.File(plat::FileDialogKind::Save, dir.File(name));
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
        return dir.Read(name);
    }

    int Boxes() const
    {
        int boxes = 0;
        for (const UiRequest& r : ui.requests)
            boxes += r.kind == "message" ? 1 : 0;
        return boxes;
    }

    CatalogueGuard catalogue;
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    ValueGuard<TMemberDefinition> memberDefinition{g_MemberDefinition, TMemberDefinition{}};
    TQuickDefineDialogs quick{GetInputDialogs()};
    TSectionInputDialogs section{quick};
    TMemberInputDialogs member{section};

private:
    TInputDialogs* m_previous;
};

// Quick Define with its defaults (a 250 x 600 mm rectangle), Create Fire Damaged Beam: 24 bands
// of concrete reduced by the fire, each its own type. The beam is a general outline, as its
// document gives it back; Define > Concrete Section, OK leaves its bands and its transformed
// section as they were; saved, opened in a new session, it is the same beam to the last bit,
// and saving it writes the same bytes, also after the sheet's OK in the new session.
TEST_F(PostFireReopened, AQuickDefinedBeamKeepsItsFireBandsThroughTheSectionSheetAndAReopening)
{
    QuickDefineDefaults();
    const auto* source = dynamic_cast<const TBeam*>(Window().GetCurrentStructure());
    ASSERT_NE(source, nullptr);
    ASSERT_EQ(source->GetRegionCount(), 1);
    ASSERT_EQ(source->GetShapeName(), "RECT");

    TBeam* post = CreateFireDamagedBeam();
    ASSERT_NE(post, nullptr);
    ASSERT_EQ(post->GetRegionCount(), 24);
    ASSERT_EQ(post->GetConcreteTypeCount(), 24);
    EXPECT_EQ(post->GetSectionKindCode(), kUserShapeCode);
    // The bands of the cooler core are stronger than those at the fire; none is as strong as
    // the cold concrete.
    double weakest = 0.0, strongest = -1e12;
    for (int k = 0; k < 24; ++k) {
        weakest = std::min(weakest, post->GetConcreteType(k)->fc);
        strongest = std::max(strongest, post->GetConcreteType(k)->fc);
    }
    EXPECT_LT(weakest, 0.7 * strongest);
    EXPECT_GT(strongest, source->GetConcreteType(0)->fc);
    const TBeam made = *post;

    ConcreteSectionOk();
    post = dynamic_cast<TBeam*>(Window().GetCurrentStructure());
    ASSERT_NE(post, nullptr);
    EXPECT_EQ(post->GetRegionCount(), 24);
    EXPECT_EQ(post->GetConcreteTypeCount(), 24);
    ExpectSameBeam(made, *post);

    const std::string saved = SaveAs("fire.qvh");
    EXPECT_EQ(saved.find("<shapesection"), saved.rfind("<shapesection"))
        << "one shape record: the source's";
    OpenInANewSession(dir.File("fire.qvh"));
    EXPECT_EQ(Boxes(), 0);
    ASSERT_EQ(Open().size(), 2u);
    ExpectSameBeam(made, dynamic_cast<const TBeam&>(*g_Structures[1]));
    EXPECT_EQ(SaveAs("again.qvh"), saved);

    // The reopened beam, current, through the sheet with nothing edited: still the same beam.
    ASSERT_TRUE(Frame().Dispatch(CmId::NextElement));
    ASSERT_EQ(Window().GetCurrentStructure(), g_Structures[1].get());
    ConcreteSectionOk();
    ExpectSameBeam(made, dynamic_cast<const TBeam&>(*g_Structures[1]));
    EXPECT_EQ(SaveAs("third.qvh"), saved);
}

// Quick Define of a circle, Create Fire Damaged Beam: the bands of a round outline have widths
// and elevations off the sheet's grid. Define > Concrete Section, OK with nothing edited leaves
// every band, the main concrete and the transformed section as they were; saved and opened in a
// new session, it is the same beam, and the sheet's OK there changes nothing either.
TEST_F(PostFireReopened, ACircularPostFireBeamKeepsItsBandsThroughTheSectionSheetAndAReopening)
{
    QuickDefineCircle();
    const auto* source = dynamic_cast<const TBeam*>(Window().GetCurrentStructure());
    ASSERT_NE(source, nullptr);
    ASSERT_EQ(source->GetShapeName(), "CIRCLE");

    TBeam* post = CreateFireDamagedBeam();
    ASSERT_NE(post, nullptr);
    ASSERT_GT(post->GetRegionCount(), 1);
    EXPECT_EQ(post->GetSectionKindCode(), kUserShapeCode);
    // The bands approximate the disc, pi d^2 / 4 of concrete.
    const double d = source->GetHeight();
    EXPECT_NEAR(post->GetGrossProperties().area, std::numbers::pi * d * d / 4.0, 0.02 * d * d);
    const TBeam made = *post;

    ConcreteSectionOk();
    post = dynamic_cast<TBeam*>(Window().GetCurrentStructure());
    ASSERT_NE(post, nullptr);
    ExpectSameBeam(made, *post);
    EXPECT_EQ(Boxes(), 0);

    const std::string saved = SaveAs("round.qvh");
    OpenInANewSession(dir.File("round.qvh"));
    EXPECT_EQ(Boxes(), 0);
    ASSERT_EQ(Open().size(), 2u);
    ExpectSameBeam(made, dynamic_cast<const TBeam&>(*g_Structures[1]));
    EXPECT_EQ(SaveAs("round-again.qvh"), saved);

    ASSERT_TRUE(Frame().Dispatch(CmId::NextElement));
    ASSERT_EQ(Window().GetCurrentStructure(), g_Structures[1].get());
    ConcreteSectionOk();
    ExpectSameBeam(made, dynamic_cast<const TBeam&>(*g_Structures[1]));
    EXPECT_EQ(SaveAs("round-third.qvh"), saved);
}

// The sample T-beam with a member of one zone, Create Fire Damaged Beam with GFRP bars in the
// ISO fire on its bottom for 30 minutes, in each unit system: the session's post-fire beam is,
// to the last bit, the one its saved document opens as in a new session, and the reopened
// document saves to the same bytes.
TEST_F(PostFireReopened, APostFireGfrpBeamIsTheSectionItsDocumentOpensAsInEveryUnitSystem)
{
    for (int system : {0, 1, 2, 3}) {
        SCOPED_TRACE(StrPrintf("units %d", system));
        const std::string sample = StrPrintf("full_beam_%d.xml", system);
        OpenSample(sample);
        ASSERT_EQ(Open().size(), 1u);
        DefineOneZoneMember(g_MemberDefinition);
        TBeam* post = CreateFireDamagedBeam([](plat::DialogDriver& d) {
            d.Click(FireId::Iso);
            for (const auto& [id, on] :
                 {std::pair{FireId::Bottom, true}, {FireId::Sides, false}, {FireId::Top, false}})
                if (d.Checked(id) != on)
                    d.Click(id);
            d.Select(FireId::Rebar, kGFRP);
            d.Type(FireId::Minutes, "30");
        });
        ASSERT_NE(post, nullptr);
        ASSERT_EQ(Open().size(), 2u);
        int exposure = 0, type = 0, rebar = 0;
        double time = 0.0, temperature = 0.0;
        post->GetFireData(exposure, type, rebar, time, temperature);
        EXPECT_EQ(exposure, 1);
        EXPECT_EQ(rebar, kGFRP);
        EXPECT_EQ(time, 1800.0);
        const TBeam made = *post;
        const std::string name = StrPrintf("fire-%d.qvh", system);
        const std::string saved = SaveAs(name);

        OpenInANewSession(dir.File(name));
        EXPECT_EQ(Boxes(), 0);
        ASSERT_EQ(Open().size(), 2u);
        ExpectSameBeam(made, dynamic_cast<const TBeam&>(*g_Structures[1]));
        ASSERT_TRUE(Frame().Dispatch(CmId::FileSave));
        EXPECT_EQ(dir.Read(name), saved);
        app.reset();
        DeleteThermalModel();
        ResetMemberDefinition(g_MemberDefinition);
        Start();
    }
}

// The sample T-beam holds a shrinkage profile (-0.3, -0.2 and -0.1 mm/m at 600, 300 and 0 mm above
// its bottom) and a strain discontinuity (0, 0.4 and 0 at 600, 500 and 0 mm). Create Fire Damaged
// Beam with the document's own fire: the post-fire beam holds both at the same heights above its
// own bottom, every point, with the same strains; Save As writes its two tables as the
// sample's, and a new session opens them so.
TEST_F(PostFireReopened, APostFireBeamKeepsItsProfilesAtTheSourcesHeightsAboveTheBottom)
{
    OpenSample("full_beam_0.xml");
    ASSERT_EQ(Open().size(), 1u);
    DefineOneZoneMember(g_MemberDefinition);
    const TBeam source = dynamic_cast<const TBeam&>(*Window().GetCurrentStructure());
    // Heights above the bottom (m) and strains, point by point, in the table's order.
    const auto heights = [](const TBeam& beam, const TDepthTable& table) {
        std::vector<std::pair<double, double>> points;
        for (int i = 0; i < table.GetCount(); ++i)
            points.emplace_back(table.GetDepth(i) - beam.GetBottom(), table.GetValue(i));
        return points;
    };
    const auto shrinkage = [&](const TBeam& beam) {
        return heights(beam, beam.GetPositionVariable(kShrinkTherm));
    };
    const auto discontinuity = [&](const TBeam& beam) {
        return heights(beam, beam.GetStrainDiscontinuityTable());
    };
    const auto expectHeights = [](const std::vector<std::pair<double, double>>& points,
                                  std::vector<std::pair<double, double>> expected) {
        ASSERT_EQ(points.size(), expected.size());
        std::sort(expected.begin(), expected.end());
        std::vector<std::pair<double, double>> sorted = points;
        std::sort(sorted.begin(), sorted.end());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_NEAR(sorted[i].first, expected[i].first, kHeightTolerance) << "point " << i;
            EXPECT_NEAR(sorted[i].second, expected[i].second, kStrainTolerance) << "point " << i;
        }
    };
    expectHeights(shrinkage(source), {{0.6, -0.3e-3}, {0.3, -0.2e-3}, {0.0, -0.1e-3}});
    expectHeights(discontinuity(source), {{0.6, 0.0}, {0.5, 0.4e-3}, {0.0, 0.0}});

    TBeam* post = CreateFireDamagedBeam();
    ASSERT_NE(post, nullptr);
    ASSERT_EQ(Open().size(), 2u);
    ASSERT_GT(post->GetRegionCount(), 1);
    expectHeights(shrinkage(*post), shrinkage(source));
    expectHeights(discontinuity(*post), discontinuity(source));
    const TBeam made = *post;

    // The document writes each table of the two beams in the same rows.
    const std::string saved = SaveAs("profiles.qvh");
    for (const std::string tag : {"shrinktherm", "straindiscont"}) {
        SCOPED_TRACE(tag);
        const std::size_t first = saved.find("<" + tag);
        const std::size_t second = saved.find("<" + tag, first + 1);
        ASSERT_NE(second, std::string::npos);
        const std::string end = "</" + tag + ">";
        EXPECT_EQ(saved.substr(second, saved.find(end, second) - second),
                  saved.substr(first, saved.find(end, first) - first));
    }

    OpenInANewSession(dir.File("profiles.qvh"));
    EXPECT_EQ(Boxes(), 0);
    ASSERT_EQ(Open().size(), 2u);
    ExpectSameBeam(made, dynamic_cast<const TBeam&>(*g_Structures[1]));
}

// Quick Define with its defaults in SI units, Create Fire Damaged Beam, then Options >
// Preferences, US Customary, OK: the post-fire bars' curves were kept as an SI document keeps
// them, and the US document rounds them otherwise in their last digits. Saved, opened in a new
// session and saved again, the document is the same bytes: the strengths and strains worked out
// from a curve are written as the written curve gives them.
TEST_F(PostFireReopened, APostFireBeamMadeInSiUnitsSavesAlikeAfterTheUnitsTurnUs)
{
    QuickDefineDefaults();
    TBeam* post = CreateFireDamagedBeam();
    ASSERT_NE(post, nullptr);
    int curves = 0;
    for (int k = 0; k < post->GetSteelTypeCount(); ++k)
        curves += post->GetSteelType(k)->kind == SteelKind::UserCurve ? 1 : 0;
    ASSERT_GT(curves, 0);

    ui.Dialog("Quarvish Preferences", [](plat::DialogDriver& d) {
        d.Click(5029); // US Customary
        d.Click(plat::DialogResult::Ok);
    });
    Frame().Dispatch(CmId::Preferences);
    ASSERT_TRUE(ui.Done());
    ASSERT_EQ(g_UnitSystem, kUnitUS);

    const std::string saved = SaveAs("fire-us.qvh");
    OpenInANewSession(dir.File("fire-us.qvh"));
    EXPECT_EQ(Boxes(), 0);
    ASSERT_EQ(Open().size(), 2u);
    const std::string again = SaveAs("again-us.qvh");
    std::size_t at = 0;
    while (at < saved.size() && at < again.size() && saved[at] == again[at])
        ++at;
    EXPECT_EQ(again, saved) << "first difference at byte " << at << ": \""
                            << saved.substr(at > 40 ? at - 40 : 0, 60) << "\" / \""
                            << again.substr(at > 40 ? at - 40 : 0, 60) << "\"";
}

// The sample T-beam, Create Fire Damaged Beam in the ISO fire on all faces for 30 minutes, then
// Define > Material Properties, OK with nothing edited: the steel types are renumbered (the
// stirrups' type first, an unused "PSteel 1" added), and the main types still name the types the
// beam's regions and bars make the main ones: the summary's modular ratio Es / Ec is the one
// before the sheet, and the one the saved document shows when opened in a new session.
TEST_F(PostFireReopened, MaterialPropertiesOkKeepsTheMainTypesOfAPostFireBeam)
{
    TMaterialReinforcementDialogs materials{member};
    TInputDialogs* before = SetInputDialogs(&materials);
    const auto ratio = [](const TBeam& beam) {
        return beam.GetSteelType(beam.GetMainSteelType())->Es /
               beam.GetConcreteType(beam.GetMainConcreteType())->Ec;
    };
    OpenSample("full_beam_0.xml");
    ASSERT_EQ(Open().size(), 1u);
    TBeam* post = CreateFireDamagedBeam([](plat::DialogDriver& d) {
        d.Click(FireId::Iso);
        for (const int id : {FireId::Bottom, FireId::Sides, FireId::Top})
            if (!d.Checked(id))
                d.Click(id);
        d.Select(FireId::Rebar, kMildSteel);
        d.Type(FireId::Minutes, "30");
    });
    ASSERT_NE(post, nullptr);
    const std::string mainSteel = post->GetSteelType(post->GetMainSteelType())->name;
    const std::string mainConcrete = post->GetConcreteType(post->GetMainConcreteType())->name;
    const double made = ratio(*post);

    ui.Dialog("Materials Page", [](plat::DialogDriver& d) { d.Click(plat::DialogResult::Ok); });
    Frame().Dispatch(CmId::MaterialProperties);
    EXPECT_TRUE(ui.Done());
    post = dynamic_cast<TBeam*>(Window().GetCurrentStructure());
    ASSERT_NE(post, nullptr);
    EXPECT_EQ(post->GetSteelType(0)->name, "Stirrup: 1");
    EXPECT_EQ(post->GetSteelType(post->GetSteelTypeCount() - 1)->name, "PSteel 1");
    EXPECT_EQ(post->GetSteelType(post->GetMainSteelType())->name, mainSteel);
    EXPECT_EQ(post->GetConcreteType(post->GetMainConcreteType())->name, mainConcrete);
    EXPECT_EQ(StrPrintf("Trans (n=%4.2f)", ratio(*post)), StrPrintf("Trans (n=%4.2f)", made));
    const double shown = ratio(*post);
    const int mainIndex = post->GetMainSteelType();

    SaveAs("materials.qvh");
    OpenInANewSession(dir.File("materials.qvh"));
    ASSERT_EQ(Open().size(), 2u);
    const auto& reopened = dynamic_cast<const TBeam&>(*g_Structures[1]);
    EXPECT_EQ(reopened.GetMainSteelType(), mainIndex);
    EXPECT_EQ(reopened.GetSteelType(reopened.GetMainSteelType())->name, mainSteel);
    EXPECT_EQ(ratio(reopened), shown);
    SetInputDialogs(before);
}

} // namespace
