// Documents whose member, long-term or fire values lie past what their pages and dialogs take,
// opened by File > Open over a sound document: each is refused with one box naming the value,
// and the document open before stays with its member. A document whose values lie at the
// bounds opens without a box, and saved, opens again the same in a new session.

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "foundation/Units.h"
#include "member/TMemberDefinition.h"
#include "model/TBeam.h"
#include "support/TestSupport.h"
#include "tests/app/OwnBarsDocument.h"
#include "tests/app/RealDocumentShell.h"

namespace {

const char* const kCannotRead = " The file cannot be read.";

struct TimeSettings {
    int flag = 0;
    double days = 0.0, moment = 0.0, axial = 0.0;
    bool operator==(const TimeSettings&) const = default;
};

struct FireSettings {
    int exposure = 0, type = 0, rebar = 0;
    double time = 0.0, temperature = 0.0;
    bool operator==(const FireSettings&) const = default;
};

TimeSettings TimeOf(const TStructure* s)
{
    TimeSettings t;
    static_cast<const TBeam*>(s)->GetTimeData(t.flag, t.days, t.moment, t.axial);
    return t;
}

FireSettings FireOf(const TStructure* s)
{
    FireSettings f;
    s->GetFireData(f.exposure, f.type, f.rebar, f.time, f.temperature);
    return f;
}

class MemberDocumentValueTest : public RealDocumentShellTest {
protected:
    // A section of its own bars with the long-term and fire settings given, and the member
    // given, written to name in the units given; the document's text.
    std::string WriteMember(const std::string& name,
                            const std::string& section,
                            const TMemberDefinition& member,
                            const TimeSettings& time,
                            const FireSettings& fire,
                            int units = kUnitSI)
    {
        auto beam = MakeOwnBarsBeam(section);
        beam->SetTimeData(time.flag, time.days, time.moment, time.axial);
        beam->SetFireData(fire.exposure, fire.type, fire.rebar, fire.time, fire.temperature);
        std::vector<std::unique_ptr<TStructure>> structures;
        structures.push_back(std::move(beam));
        const ValueGuard<TMemberDefinition> written(g_MemberDefinition, member);
        const ValueGuard<int> writtenUnits(g_UnitSystem, units);
        WriteStructures(name, std::move(structures));
        return dir.Read(name);
    }

    // File > Open of the text under the name: the message boxes it raised, the one box whose
    // text starts with the fragment answered OK.
    std::vector<UiRequest>
    Open(const std::string& name, const std::string& text, const std::string& fragment = {})
    {
        const std::size_t before = ui.requests.size();
        OpenDocument(name, text, fragment);
        EXPECT_TRUE(ui.Done());
        std::vector<UiRequest> boxes;
        for (std::size_t i = before; i < ui.requests.size(); ++i)
            if (ui.requests[i].kind == "message" &&
                ui.requests[i].text.find("Save Changes") == std::string::npos)
                boxes.push_back(ui.requests[i]);
        return boxes;
    }

    ValueGuard<TMemberDefinition> memberGuard{g_MemberDefinition, TMemberDefinition{}};
    ValueGuard<int> unitGuard{g_UnitSystem, kUnitSI};
};

// A member 4 m long on a roller at 0.2 m and a line of symmetry at its end, with a live moment
// diagram rising from 0 to 60 kN m at 3 m and constant beyond.
TMemberDefinition FourMetreMember()
{
    TMemberDefinition d;
    d.length = 4.0;
    d.leftPlateLocation = 0.2;
    d.rightPlateLocation = 4.0;
    d.displacementLocation = 3.0;
    d.diagrams[LiveDiagram][0] = {0.2, 0.0, 0};
    d.diagrams[LiveDiagram][1] = {3.0, -60000.0, 0};
    d.diagrams[LiveDiagram][2] = {4.0, -60000.0, 0};
    d.pointCount[LiveDiagram] = 3;
    return d;
}

// A member read back from a document: its numbers within the document's rounding (a millionth),
// its codes alike.
void ExpectSameWithinRounding(const TMemberDefinition& read, const TMemberDefinition& d)
{
    const auto near = [](double a, double b) {
        EXPECT_NEAR(a, b, 1e-6 * std::max(std::fabs(b), 1.0));
    };
    near(read.length, d.length);
    near(read.topPlateSize, d.topPlateSize);
    near(read.leftPlateLocation, d.leftPlateLocation);
    near(read.rightPlateLocation, d.rightPlateLocation);
    near(read.displacementLocation, d.displacementLocation);
    EXPECT_EQ(read.leftSupport, d.leftSupport);
    EXPECT_EQ(read.rightSupport, d.rightSupport);
    ASSERT_EQ(read.zoneCount, d.zoneCount);
    for (int i = 0; i < d.zoneCount; ++i)
        near(read.zones[static_cast<std::size_t>(i)].startX,
             d.zones[static_cast<std::size_t>(i)].startX);
    for (const int k : {LiveDiagram, DeadDiagram}) {
        const auto diagram = static_cast<std::size_t>(k);
        near(read.axialLoad[diagram], d.axialLoad[diagram]);
        ASSERT_EQ(read.pointCount[diagram], d.pointCount[diagram]);
        for (int i = 0; i < d.pointCount[diagram]; ++i) {
            near(read.diagrams[diagram][static_cast<std::size_t>(i)].x,
                 d.diagrams[diagram][static_cast<std::size_t>(i)].x);
            near(read.diagrams[diagram][static_cast<std::size_t>(i)].moment,
                 d.diagrams[diagram][static_cast<std::size_t>(i)].moment);
        }
    }
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

} // namespace

// The sound document: "Girder" with a member of 4 m, ten years of 1 kN m sustained and a fire of
// 30 minutes at 500 degrees. Each refused document is "Other" with one value of its member (the
// member element, or the member its section carries), its long-term or its fire settings
// damaged; a moment of 1e200 kN m once opened without a box and left Member Response running
// without end.
TEST_F(MemberDocumentValueTest, AValueNoPageTakesRefusesTheDocumentAndTheOpenOneStays)
{
    const TimeSettings soundTime{1, 3650.0, -1000.0, 0.0};
    const FireSettings soundFire{1, 0, 0, 1800.0, 500.0};
    TMemberDefinition soundMember = FourMetreMember();
    const std::string sound = WriteMember("sound.qvh", "Girder", soundMember, soundTime, soundFire);
    ASSERT_TRUE(Open("sound.qvh", sound).empty());
    ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "Girder");
    const TMemberDefinition opened = g_MemberDefinition;
    ASSERT_EQ(EqualMemberDefinitions(opened, soundMember), 1);
    const std::string soundFile = app->GetFileName();

    TMemberDefinition otherMember = FourMetreMember();
    otherMember.length = 5.0;
    otherMember.rightPlateLocation = 5.0;
    const std::string other = WriteMember("other.qvh",
                                          "Other",
                                          otherMember,
                                          {1, 365.0, -2000.0, -1000.0},
                                          {3, 2, 1, 3600.0, 800.0});
    const std::size_t root = other.find("<Q2010_Analysis");
    struct Case {
        const char* name;
        std::string text;
        std::string box;
    };
    const Case cases[] = {
        {"moment.qvh",
         Replaced(other, "3000.0 60.000 0", "3000.0 1e200 0"),
         "Point 2 of the live moment diagram has a moment of 1e+200 kNm: a member takes at most "
         "1000000 kNm."},
        {"length.qvh",
         WithElementValue(other, "Q2010_Analysis", "length", "1e200"),
         "The member has a length of 1e+200 mm: a member takes 0 to 1000000 mm."},
        {"negative.qvh",
         WithElementValue(other, "Q2010_Analysis", "length", "-1700"),
         "The member has a length of -1700 mm: a member takes 0 to 1000000 mm."},
        {"displocate.qvh",
         WithElementValue(other, "Q2010_Analysis", "displocate", "1e200"),
         "The member has a displacement location of 1e+200 mm: a member takes at most 1000000 mm."},
        {"axial.qvh",
         Replaced(other, "<BMD\t\t\t>", "<BMD AxialLoad=\"-2e9\">"),
         "The live moment diagram has an axial load of -2e+09 kN: a member takes at most 1000000 "
         "kN."},
        {"plate.qvh",
         WithElementValue(other, "supports", "platelocate", "-5.0", root),
         "The left support has a location of -5 mm: a member takes 0 to 1000000 mm."},
        {"zone.qvh",
         Replaced(other, "0.0 \"Other\"", "2e9 \"Other\""),
         "Zone 1 of the member has a start of 2e+09 mm: a member takes 0 to 1000000 mm."},
        {"age.qvh",
         WithElementValue(other, "analysisoptions", "age", "1e200"),
         "The long-term analysis has an age of 1e+200 years: a section takes 0 to 1000 years."},
        {"sustained.qvh",
         WithElementValue(other, "analysisoptions", "sustainM", "1e200"),
         "The long-term analysis has a sustained moment of 1e+200 kNm: a section takes at most "
         "1000000 kNm."},
        {"firetime.qvh",
         WithElementValue(other, "firedata", "time", "1e200"),
         "The fire exposure has an exposure time of 1.667e+198 min: a section takes 5 to 600 min."},
        {"eleminfo.qvh",
         Replaced(other, "</q3g_beam>", "<eleminfo L=\"1e30\"/></q3g_beam>"),
         "The section's member has a shear span of 1e+30 mm: a section takes at most 1000000 mm."},
        {"firetemp.qvh",
         WithElementValue(other, "firedata", "constanttemp", "1e200"),
         "The fire exposure has a constant temperature of 1e+200 degrees C: a section takes 0 to "
         "2000 degrees C."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<UiRequest> boxes = Open(c.name, c.text, c.box.substr(0, 20));
        EXPECT_EQ(boxes.size(), 1u);
        for (const UiRequest& box : boxes) {
            EXPECT_EQ(box.text, c.box + kCannotRead + "\n\nFile: " + dir.File(c.name));
            EXPECT_EQ(box.caption, "Load Error");
        }
        EXPECT_EQ(app->GetFileName(), soundFile);
        EXPECT_EQ(Window().GetCurrentStructure()->GetName(), "Girder");
        EXPECT_EQ(TimeOf(Window().GetCurrentStructure()), soundTime);
        EXPECT_EQ(FireOf(Window().GetCurrentStructure()), soundFire);
        EXPECT_EQ(EqualMemberDefinitions(g_MemberDefinition, opened), 1);
        EXPECT_EQ(g_MemberDefinition.displacementLocation, opened.displacementLocation);
    }
    // Undamaged, the other document opens.
    EXPECT_TRUE(Open("other.qvh", other).empty());
    EXPECT_EQ(Window().GetCurrentStructure()->GetName(), "Other");
    EXPECT_DOUBLE_EQ(g_MemberDefinition.length, 5.0);
}

// The widest values each page takes: a member of 1000 m with moments of 1e9 N m and axial loads
// of 1e9 N, positions at 0 and at its end, concrete 1000 years old under 1e9 N m and 1e9 N
// sustained, and a constant fire of 2000 degrees C for 10 hours. In each unit system (whose
// factors round a bound written and read back by a millionth or so) the document opens without a
// box, and saved, a new session opens it with the same values and saves it again as the same
// text.
TEST_F(MemberDocumentValueTest, ValuesAtTheBoundsOpenSaveAndOpenAgainTheSame)
{
    TMemberDefinition d;
    d.length = 1000.0;
    d.topPlateSize = 0.15;
    d.leftPlateLocation = 0.0;
    d.rightPlateLocation = 1000.0;
    d.leftSupport = SupportType::Roller;
    d.rightSupport = SupportType::FixedVerticalRoller;
    d.displacementLocation = 1000.0;
    d.zoneCount = 2;
    d.zones[1] = {1000.0, 0};
    d.diagrams[LiveDiagram][0] = {0.0, 1e9, 0};
    d.diagrams[LiveDiagram][1] = {1000.0, -1e9, 0};
    d.pointCount[LiveDiagram] = 2;
    d.diagrams[DeadDiagram][0] = {1000.0, 1e9, 0};
    d.pointCount[DeadDiagram] = 1;
    d.axialLoad = {-1e9, 1e9};
    const TimeSettings time{1, 365000.0, -1e9, 1e9};
    const FireSettings fire{7, 2, 3, 36000.0, 2000.0};
    for (const int units : {kUnitSI, kUnitUS, kUnitOldMetric, kUnitRoman}) {
        SCOPED_TRACE(units);
        const std::string text = WriteMember("bounds.qvh", "Widest", d, time, fire, units);
        const auto expectBounds = [&] {
            ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "Widest");
            ExpectSameWithinRounding(g_MemberDefinition, d);
            const TimeSettings t = TimeOf(Window().GetCurrentStructure());
            EXPECT_EQ(t.days, time.days);
            EXPECT_NEAR(t.moment, time.moment, 1e-6 * 1e9);
            EXPECT_NEAR(t.axial, time.axial, 1e-6 * 1e9);
            EXPECT_EQ(FireOf(Window().GetCurrentStructure()), fire);
        };
        EXPECT_TRUE(Open("bounds.qvh", text).empty());
        expectBounds();
        ui.File(plat::FileDialogKind::Save, dir.File("saved.qvh"));
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
        const std::string saved = dir.Read("saved.qvh");
        app.reset();
        Start();
        EXPECT_TRUE(Open("saved.qvh", saved).empty());
        expectBounds();
        ui.File(plat::FileDialogKind::Save, dir.File("again.qvh"));
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
        EXPECT_EQ(dir.Read("again.qvh"), saved);
        EXPECT_TRUE(ui.Done());
    }
}
