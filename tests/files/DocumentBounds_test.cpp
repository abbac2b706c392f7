// Values at the bounds a section takes, written in every unit system and read back.

#include <functional>
#include <vector>

#include "BeamFixture.h"
#include "DocumentTestSupport.h"
#include "model/ValueLimits.h"

namespace {

class DocumentBounds : public DocumentTest {};

// A value of the beam that a section holds within LargestSectionValue of its kind, or from the
// least value given.
struct BoundField {
    const char* what;
    int kind;
    std::function<double(TBeam&)> get;
    std::function<void(TBeam&, double)> set;
    double least = 0.0;
};

template <class Rec>
BoundField Field(const char* what, int kind, std::function<Rec&(TBeam&)> rec, double Rec::*f)
{
    return {what,
            kind,
            [rec, f](TBeam& b) { return rec(b).*f; },
            [rec, f](TBeam& b, double v) { rec(b).*f = v; }};
}

BoundField LoadField(const char* what, int kind, bool increment, int i)
{
    const auto loads = [increment](TBeam& b) {
        LoadVector l{};
        increment ? b.GetIncrementLoads(l.data(), kLoadCount)
                  : b.GetConstantLoads(l.data(), kLoadCount);
        return l;
    };
    const auto k = static_cast<std::size_t>(i);
    return {what,
            kind,
            [loads, k](TBeam& b) { return loads(b)[k]; },
            [loads, k, increment](TBeam& b, double v) {
                LoadVector l = loads(b);
                l[k] = v;
                increment ? b.SetIncrementLoads(l.data(), kLoadCount)
                          : b.SetConstantLoads(l.data(), kLoadCount);
            }};
}

} // namespace

// Every bounded value of the full beam at the largest value a section takes, and at what the
// pages take (a billionth past it, as they match the bound they show); a bar's modulus also at
// the least. Saved in each unit system, the document opens without a word, with the value, and
// opens again when saved again. Most factors are no power of ten, so the ten digits written of a
// value at its bound read back a hair past it (145037.7 ksi is 1.0000000000000001e12 Pa).
TEST_F(DocumentBounds, ValuesAtTheirBoundsOpenAgainInEveryUnitSystem)
{
    using C = ConcreteTypeRec;
    using S = SteelTypeRec;
    const std::function<C&(TBeam&)> flange = [](TBeam& b) -> C& { return *b.GetConcreteType(0); };
    const std::function<S&(TBeam&)> bar = [](TBeam& b) -> S& { return *b.GetSteelType(0); };
    const std::function<S&(TBeam&)> strand = [](TBeam& b) -> S& { return *b.GetSteelType(2); };
    const std::function<LongLayerRec&(TBeam&)> layer = [](TBeam& b) -> LongLayerRec& {
        return *b.GetLongLayer(0, 0);
    };
    const std::function<TransLayerRec&(TBeam&)> stirrup = [](TBeam& b) -> TransLayerRec& {
        return *b.GetTransLayer(0, 2);
    };
    // The flange has its own f't (and its e'c is made its own).
    const BoundField fields[] = {
        Field("f'c", ukStress, flange, &C::fc),
        Field("f't", ukStress, flange, &C::ft),
        {"e'c",
         ukStrain,
         [&](TBeam& b) { return flange(b).ec; },
         [&](TBeam& b, double v) {
             std::tie(flange(b).ec, flange(b).ecAuto) = std::make_tuple(v, 0);
         }},
        Field("aggregate", ukSectionLength, flange, &C::aggregate),
        Field("bar E", ukLargeStress, bar, &S::Es),
        Field("bar fy", ukLargeStress, bar, &S::fy),
        Field("bar fu", ukLargeStress, bar, &S::fu),
        Field("bar eu", ukStrain, bar, &S::eu),
        Field("strand E", ukLargeStress, strand, &S::Es),
        Field("layer spacing", ukSectionLength, layer, &LongLayerRec::space),
        Field("layer slope", ukPercent, layer, &LongLayerRec::drape),
        Field("layer prestrain", ukStrain, layer, &LongLayerRec::dep),
        Field("layer thermal strain", ukStrain, layer, &LongLayerRec::thermStrain),
        Field("stirrup spacing", ukSectionLength, stirrup, &TransLayerRec::space),
        Field("stirrup prestrain", ukStrain, stirrup, &TransLayerRec::dep),
        LoadField("axial load", ukForce, false, 0),
        LoadField("moment", ukMoment, false, 1),
        LoadField("shear increment", ukForce, true, 2),
        // The least modulus of a bar, which yields at 1 MPa so that its yield strain is held.
        {"bar E at its least",
         ukLargeStress,
         [&](TBeam& b) { return bar(b).Es; },
         [&](TBeam& b, double v) {
             std::tie(bar(b).Es, bar(b).fy, bar(b).fu) = std::make_tuple(v, 1e6, 1e6);
         },
         1e6},
    };
    for (int system = 0; system < kUnitSystemCount; ++system) {
        for (const BoundField& f : fields) {
            // Checking a steel raises a modulus below the least to it: the least is taken alone.
            const std::vector<double> pasts =
                f.least > 0.0 ? std::vector<double>{0.0} : std::vector<double>{0.0, 1e-9};
            for (const double past : pasts) {
                SCOPED_TRACE(std::string(g_UnitSystemNames[static_cast<std::size_t>(system)]) +
                             " " + f.what + (past > 0.0 ? " as the pages take it" : ""));
                const auto beam = MakeFullBeam();
                const double sign = f.get(*beam) < 0.0 ? -1.0 : 1.0;
                const double bound =
                    f.least > 0.0 ? f.least : sign * LargestSectionValue(f.kind) * (1.0 + past);
                f.set(*beam, bound);
                beam->Validate();
                // The section holds the value as it was set.
                ASSERT_EQ(f.get(*beam), bound);
                ASSERT_EQ(UnheldValueText(*beam), "");
                g_UnitSystem = system;
                const std::string text = Write({beam.get()}, system);
                g_UnitSystem = kUnitSI;
                reporter.Clear();
                XmlDocument doc;
                const XmlResult r = Read(text, doc);
                ASSERT_TRUE(r.Ok()) << r.message;
                EXPECT_TRUE(reporter.messages.empty()) << reporter.messages[0].text;
                auto& read = dynamic_cast<TBeam&>(*doc.structures[0]);
                EXPECT_NEAR(f.get(read), bound, 2e-9 * std::fabs(bound));
                // Saved again, it opens again; a value at the bound itself is written the same.
                g_UnitSystem = system;
                const std::string again = Write({&read}, system);
                g_UnitSystem = kUnitSI;
                XmlDocument reopened;
                EXPECT_TRUE(Read(again, reopened).Ok());
                if (past == 0.0) {
                    EXPECT_EQ(again, text);
                }
            }
        }
    }
}
