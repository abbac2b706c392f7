// What the material detail pages take of a user-defined stress-strain curve is what the section
// holds and a new session opens: a point far past the strain a section holds is refused in
// Define Data naming the point (not dropped); a curve without a point of stress is refused, and
// a type whose curve type was switched keeps what it was when Define Data is cancelled; what
// the page shows after a curve is taken is what the section holds. A curve type renamed keeps its
// curve under the new name when Define Data is cancelled, and a burnt-out bar's curve cancelled
// leaves its type as it was, as the box says.

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "app/CommandIds.h"
#include "dialogs/ListPage.h"
#include "dialogs/MaterialReinforcementDialogs.h"
#include "dialogs/MaterialSheet.h"
#include "dialogs/MemberInputDialogs.h"
#include "dialogs/TFire.h"
#include "dialogs/ValueListDialog.h"
#include "member/TMemberDefinition.h"
#include "member/fire/ThermalAnalysis.h"
#include "model/TBeam.h"
#include "model/materials/MaterialTypes.h"
#include "model/materials/UserCurves.h"
#include "tests/dialogs/SectionDialogShell.h"
#include "tests/model/StructureFixtures.h"

namespace {

const std::string kUserDefinedCurve = "User-Defined Stress-Strain";

class UserCurvePages : public SectionDialogShellTest {
protected:
    UserCurvePages() { InstallMaterialReinforcementDialogs(); }

    // The sample beam of the fuzzing corpus: concretes "Flange" and "Web" (a curve to 30 MPa),
    // bars "Bar" (fy 450 MPa) and "Curve" (a curve to 550 MPa), opened by File > Open.
    void OpenSample() {
        std::ifstream in(std::string(QV_SOURCE_DIR) + "/fuzz/corpus/XmlDocument/full_beam_0.xml", std::ios::binary);
        ASSERT_TRUE(in);
        dir.Write("full_beam_0.xml", std::string(std::istreambuf_iterator<char>(in), {}));
        OpenByMenu(dir.File("full_beam_0.xml"));
        ASSERT_TRUE(ui.Done());
    }

    // Define > Material Properties, the detail page of that title, the type of that name
    // selected, `onPage` worked (it clicks Modify or Add, which opens Define Data), then OK;
    // Define Data is worked by `work` when given. The messages given are answered OK.
    void WorkPage(const std::string& page, const std::string& type, std::function<void(plat::DialogDriver&)> onPage,
                  std::function<void(plat::DialogDriver&)> work, const std::vector<std::string>& messages = {}) {
        ui.Dialog("Materials Page", [page, type, onPage](plat::DialogDriver& d) {
            TurnToPage(d, page, type);
            onPage(d);
            d.Click(plat::DialogResult::Ok);
        });
        if (work)
            ui.Dialog("Define Data", std::move(work));
        for (const std::string& message : messages)
            ui.Message(message, MsgAnswer::Ok);
        EXPECT_TRUE(Window().EvCommand(CmId::MaterialProperties, 0, 0));
        EXPECT_TRUE(ui.Done());
    }
    // The Materials Page turned to the detail page of that title, the type of that name selected.
    static void TurnToPage(plat::DialogDriver& d, const std::string& page, const std::string& type)
    {
        // A section of one default type of a material shows its detail page by its button.
        if (page == "Concrete Details" && d.Visible(BasicPropertiesId::DetailedConcrete))
            d.Click(BasicPropertiesId::DetailedConcrete);
        for (int p = 1; d.PageTitle() != page && p < 4; ++p)
            d.SwitchPage(p);
        ASSERT_EQ(d.PageTitle(), page);
        if (!type.empty())
            d.SelectString(DetailsId::List, type);
    }
    // On that page, the type given the new name, Modify, Yes to overwriting it, Define Data
    // cancelled, OK; the messages given after Define Data are answered OK.
    void RenameWithCurveCancelled(const std::string& page,
                                  const std::string& type,
                                  const std::string& name,
                                  const std::vector<std::string>& messages = {})
    {
        ui.Dialog("Materials Page",
                  [page, type, name](plat::DialogDriver& d) {
                      TurnToPage(d, page, type);
                      d.Type(DetailsId::Name, name);
                      d.Click(DetailsId::Modify);
                      d.Click(plat::DialogResult::Ok);
                  })
            .Message("You have asked to Modify a type with a new name.", MsgAnswer::Yes)
            .Dialog("Define Data",
                    [](plat::DialogDriver& d) { d.Click(plat::DialogResult::Cancel); });
        for (const std::string& message : messages)
            ui.Message(message, MsgAnswer::Ok);
        EXPECT_TRUE(Window().EvCommand(CmId::MaterialProperties, 0, 0));
        EXPECT_TRUE(ui.Done());
    }
    // Modify of the type as shown, Define Data worked by `work`.
    void ModifyCurve(const std::string& page, const std::string& type, std::function<void(plat::DialogDriver&)> work,
                     const std::vector<std::string>& messages = {}) {
        WorkPage(page, type, [](plat::DialogDriver& d) { d.Click(DetailsId::Modify); }, std::move(work), messages);
    }

    const SteelTypeRec& Steel(const std::string& name) {
        const TStructure& s = *Window().GetCurrentStructure();
        for (int i = 0; i < s.GetSteelTypeCount(); ++i)
            if (s.GetSteelType(i)->name == name)
                return *s.GetSteelType(i);
        ADD_FAILURE() << name;
        return *s.GetSteelType(0);
    }
    const ConcreteTypeRec& Concrete(const std::string& name) {
        const TStructure& s = *Window().GetCurrentStructure();
        for (int i = 0; i < s.GetConcreteTypeCount(); ++i)
            if (s.GetConcreteType(i)->name == name)
                return *s.GetConcreteType(i);
        ADD_FAILURE() << name;
        return *s.GetConcreteType(0);
    }

    // File > Save, then a new session opens the file by File > Open without a word.
    void SaveAndOpenInANewSession() {
        const std::string path = app->GetFileName();
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSave));
        EXPECT_TRUE(ui.Done());
        app.reset();
        Start();
        OpenByMenu(path);
        EXPECT_TRUE(ui.Done());
    }
};

void ExpectSameSteel(const SteelTypeRec& a, const SteelTypeRec& b) {
    EXPECT_EQ(a.kind, b.kind);
    EXPECT_DOUBLE_EQ(a.Es, b.Es);
    EXPECT_DOUBLE_EQ(a.fy, b.fy);
    EXPECT_DOUBLE_EQ(a.fu, b.fu);
    EXPECT_DOUBLE_EQ(a.esh, b.esh);
    EXPECT_DOUBLE_EQ(a.eu, b.eu);
}

// The same user-defined curve, point by point.
void ExpectSameCurve(const TDepthTable* a, const TDepthTable* b)
{
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->Pairs(), a->Pairs());
}

// The names of a structure's steel types, in order.
std::vector<std::string> SteelNames(const TStructure& s)
{
    std::vector<std::string> names;
    for (int i = 0; i < s.GetSteelTypeCount(); ++i)
        names.push_back(s.GetSteelType(i)->name);
    return names;
}

// The same pages with Loads > Create Fire Damaged Beam.
class BurntBarPages : public UserCurvePages {
protected:
    BurntBarPages() : m_previous(SetInputDialogs(&m_fire)) {}
    ~BurntBarPages() override
    {
        SetInputDialogs(m_previous);
        DeleteThermalModel();
    }

    // Loads > Create Fire Damaged Beam with the document's own fire for the minutes typed, OK: the
    // post-fire beam is current.
    void CreateFireDamagedBeam(const std::string& minutes)
    {
        ui.Dialog("Post-fire analysis parameters", [minutes](plat::DialogDriver& d) {
            d.Type(FireId::Minutes, minutes);
            d.Click(plat::DialogResult::Ok);
        });
        EXPECT_TRUE(Frame().Dispatch(CmId::FireDamagedBeam));
        EXPECT_TRUE(ui.Done());
    }

    ValueGuard<TMemberDefinition> member{g_MemberDefinition, TMemberDefinition{}};

private:
    TMemberInputDialogs m_fire{GetInputDialogs()};
    TInputDialogs* m_previous;
};

} // namespace

// Rebar Details, "Curve" (0 / 2.5 mm/m 500 MPa / 50 mm/m 550 MPa), Modify, Define Data: a third
// point at 1e9 mm/m, or at 20000 mm/m, is past the 10000 mm/m a section holds. OK refuses each,
// naming the point, and keeps the dialog; Cancel keeps the curve the type had (fu 550 MPa at
// 50 mm/m), and the section opens so in a new session.
TEST_F(UserCurvePages, ACurvePointFarPastTheStrainBoundIsRefusedNamingThePoint) {
    OpenSample();
    const SteelTypeRec before = Steel("Curve");
    ASSERT_DOUBLE_EQ(before.fu, 550e6);
    ASSERT_DOUBLE_EQ(before.eu, 0.05);
    ModifyCurve("Rebar Details", "Curve",
                [](plat::DialogDriver& d) {
                    d.Type(DefineDataId::Text, "0 , 0\r\n2.5 , 500\r\n1e9 , 550\r\n");
                    d.Click(plat::DialogResult::Ok);
                    EXPECT_EQ(d.FocusedId(), DefineDataId::Text);
                    d.Type(DefineDataId::Text, "0 , 0\r\n2.5 , 500\r\n20000 , 550\r\n");
                    d.Click(plat::DialogResult::Ok);
                    d.Click(plat::DialogResult::Cancel);
                },
                {"Point 3 of the curve has a strain of 1e+09 mm/m: a section takes at most 10000 mm/m.",
                 "Point 3 of the curve has a strain of 2e+04 mm/m: a section takes at most 10000 mm/m."});
    ExpectSameSteel(Steel("Curve"), before);

    SaveAndOpenInANewSession();
    ExpectSameSteel(Steel("Curve"), before);
}

// Define Data of the steel "Curve" emptied, or left with one point of no stress, and of the
// concrete "Web" given rows of zero stress: OK refuses each ("no point with a stress") and
// keeps the dialog; Cancel keeps the curve the type had (fy and E from its curve, f'c 30 MPa).
TEST_F(UserCurvePages, DefineDataRefusesACurveWithoutAPointOfStress) {
    OpenSample();
    const SteelTypeRec steel = Steel("Curve");
    const std::string refusal = "The curve has no point with a stress: a user-defined curve takes at least one.";
    ModifyCurve("Rebar Details", "Curve",
                [](plat::DialogDriver& d) {
                    d.Type(DefineDataId::Text, "");
                    d.Click(plat::DialogResult::Ok);
                    EXPECT_EQ(d.FocusedId(), DefineDataId::Text);
                    d.Type(DefineDataId::Text, "0.000 , 0.00\r\n");
                    d.Click(plat::DialogResult::Ok);
                    d.Click(plat::DialogResult::Cancel);
                },
                {refusal, refusal});
    ExpectSameSteel(Steel("Curve"), steel);

    ModifyCurve("Concrete Details", "Web",
                [](plat::DialogDriver& d) {
                    d.Type(DefineDataId::Text, "0.000 , 0.00\r\n1.000 , 0.00\r\n2.000 , 0.00\r\n");
                    d.Click(plat::DialogResult::Ok);
                    d.Click(plat::DialogResult::Cancel);
                },
                {refusal});
    EXPECT_DOUBLE_EQ(Concrete("Web").fc, -30e6);
    EXPECT_DOUBLE_EQ(Concrete("Web").ec, -0.002);

    SaveAndOpenInANewSession();
    ExpectSameSteel(Steel("Curve"), steel);
    EXPECT_DOUBLE_EQ(Concrete("Web").fc, -30e6);
}

// Rebar Details, "Bar" (fy 450, fu 600 MPa), Curve Type "User-Defined Stress-Strain", Modify:
// Define Data offers the default curve (0 / 2 mm/m 400 MPa / 100 mm/m 400 MPa). Cancel leaves
// the bar as it was, a bar by its values (the page shows 450 again). OK takes the curve offered:
// the page shows what the section then holds, fy = fu = 400 MPa and E 200000 MPa, and a new
// session opens that bar.
TEST_F(UserCurvePages, ASteelSwitchedToAUserCurveHoldsWhatThePageShows) {
    OpenSample();
    const SteelTypeRec bar = Steel("Bar");
    ASSERT_EQ(bar.kind, SteelKind::Reinforcing);
    ASSERT_DOUBLE_EQ(bar.fy, 450e6);
    const auto switchAndModify = [](plat::DialogDriver& d) {
        d.SelectString(DetailsId::Combo0, kUserDefinedCurve);
        d.Click(DetailsId::Modify);
    };
    std::string shownFy;
    WorkPage("Rebar Details", "Bar",
             [&](plat::DialogDriver& d) {
                 switchAndModify(d);
                 shownFy = d.Text(DetailsId::Field0 + 1);
             },
             [](plat::DialogDriver& d) {
                 EXPECT_EQ(d.Text(DefineDataId::Text), "0.000 ,  0.00\r\n2.000 , 400.00\r\n100.000 , 400.00\r\n");
                 d.Click(plat::DialogResult::Cancel);
             });
    EXPECT_EQ(shownFy, "  450");
    ExpectSameSteel(Steel("Bar"), bar);

    std::vector<std::string> shown;
    WorkPage("Rebar Details", "Bar",
             [&](plat::DialogDriver& d) {
                 switchAndModify(d);
                 for (int f = 0; f < 5; ++f)
                     shown.push_back(d.Text(DetailsId::Field0 + f));
                 EXPECT_EQ(d.Text(DetailsId::Combo0), kUserDefinedCurve);
             },
             [](plat::DialogDriver& d) { d.Click(plat::DialogResult::Ok); });
    // 400 MPa at 2 mm/m: E 200000 MPa; the hardening starts at once (e_sh = fy / E, 2 mm/m) and
    // the peak is the curve's last point, 100 mm/m.
    EXPECT_EQ(shown, (std::vector<std::string>{"200000", "  400", "  2.0", "  100", "  400"}));
    const SteelTypeRec curve = Steel("Bar");
    EXPECT_EQ(curve.kind, SteelKind::UserCurve);
    EXPECT_DOUBLE_EQ(curve.fy, 400e6);
    EXPECT_DOUBLE_EQ(curve.fu, 400e6);
    EXPECT_NEAR(curve.Es, 200e9, 1e3);

    SaveAndOpenInANewSession();
    EXPECT_EQ(Steel("Bar").kind, SteelKind::UserCurve);
    EXPECT_NEAR(Steel("Bar").fy, 400e6, 1e-3);
    EXPECT_NEAR(Steel("Bar").fu, 400e6, 1e-3);
}

// Concrete Details of a beam's one concrete (f'c 35 MPa, Popovics base curve): f'c typed 40,
// Base Curve "User-Defined Stress-Strain", Modify: Define Data offers the default parabola to
// 35 MPa at 2 mm/m. Cancel leaves the concrete as it was (35 MPa by its values); OK takes the
// parabola, and the page shows f'c 35 MPa and e'c 2 mm/m, as the section then holds them, where
// it showed the 40 typed.
TEST_F(UserCurvePages, AConcreteSwitchedToAUserCurveHoldsWhatThePageShows) {
    OpenMade("concrete.qvh", fixtures::BeamWithBottomBars(500e-6));
    const std::string name = Window().GetCurrentStructure()->GetConcreteType(0)->name;
    const ConcreteTypeRec before = Concrete(name);
    ASSERT_DOUBLE_EQ(before.fc, -35e6);
    ASSERT_NE(before.baseCurve, BaseCurveCode::UserDefined);
    const auto switchAndModify = [](plat::DialogDriver& d) {
        d.Type(DetailsId::Field0, "40");
        d.SelectString(DetailsId::Combo0, kUserDefinedCurve);
        d.Click(DetailsId::Modify);
    };
    std::string shownFc;
    WorkPage("Concrete Details", name,
             [&](plat::DialogDriver& d) {
                 switchAndModify(d);
                 shownFc = d.Text(DetailsId::Field0);
             },
             [](plat::DialogDriver& d) { d.Click(plat::DialogResult::Cancel); });
    EXPECT_EQ(shownFc, " 35.0");
    EXPECT_DOUBLE_EQ(Concrete(name).fc, -35e6);
    EXPECT_EQ(Concrete(name).baseCurve, before.baseCurve);

    std::string shownEc;
    WorkPage("Concrete Details", name,
             [&](plat::DialogDriver& d) {
                 switchAndModify(d);
                 shownFc = d.Text(DetailsId::Field0);
                 shownEc = d.Text(DetailsId::Field0 + 2);
             },
             [](plat::DialogDriver& d) { d.Click(plat::DialogResult::Ok); });
    EXPECT_EQ(Concrete(name).baseCurve, BaseCurveCode::UserDefined);
    EXPECT_DOUBLE_EQ(Concrete(name).fc, -35e6);
    EXPECT_DOUBLE_EQ(Concrete(name).ec, -0.002);
    EXPECT_EQ(shownFc, " 35.0");
    EXPECT_NE(shownEc.find(" 2.00"), std::string::npos) << shownEc;

    SaveAndOpenInANewSession();
    EXPECT_EQ(Concrete(name).baseCurve, BaseCurveCode::UserDefined);
    EXPECT_NEAR(Concrete(name).fc, -35e6, 1e-3);
}

// Concrete Details of a new section: its one concrete type deleted, Base Curve "User-Defined
// Stress-Strain", Add: Define Data opens on an empty curve and is cancelled. A curve without a
// point of stress is refused with a message, nothing is added, and OK leaves the section with a
// concrete by its values (no boxes about a table without points); Save and a new session's Open
// take it without a word.
TEST_F(UserCurvePages, AnEmptyConcreteCurveLeftWithCancelIsNotTaken) {
    ui.File(plat::FileDialogKind::Save, dir.File("empty.qvh"));
    ASSERT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
    ASSERT_TRUE(ui.Done());
    std::vector<std::string> listed;
    WorkPage("Concrete Details", "",
             [&listed](plat::DialogDriver& d) {
                 d.Click(DetailsId::Delete);
                 ASSERT_TRUE(d.Items(DetailsId::List).empty());
                 d.SelectString(DetailsId::Combo0, kUserDefinedCurve);
                 d.Click(DetailsId::Add);
                 listed = d.Items(DetailsId::List);
             },
             [](plat::DialogDriver& d) {
                 EXPECT_EQ(d.Text(DefineDataId::Text), "");
                 d.Click(plat::DialogResult::Cancel);
             },
             {"The user-defined stress-strain curve has no point with a stress, so the type is not changed."});
    EXPECT_TRUE(listed.empty());
    const TStructure& s = *Window().GetCurrentStructure();
    ASSERT_EQ(s.GetConcreteTypeCount(), 1);
    EXPECT_NE(s.GetConcreteType(0)->baseCurve, BaseCurveCode::UserDefined);
    SaveAndOpenInANewSession();
    EXPECT_EQ(Window().GetCurrentStructure()->GetConcreteTypeCount(), 1);
}

// Define Data of the steel "Curve" given a last point exactly at the 10000 mm/m a section holds
// (0 / 2.5 mm/m 500 MPa / 10000 mm/m 550 MPa), and of the concrete "Web" given one on its
// falling branch (0 / 1 mm/m 20 / 2 mm/m 30 / 10000 mm/m 5 MPa): OK takes each without a box
// and the curves keep the point; saved and opened in a new session, each curve is the same to
// the last bit. A point 0.5 mm/m past the bound is refused naming its own strain.
TEST_F(UserCurvePages, ACurvePointAtTheStrainBoundIsTakenAndReopensTheSame) {
    OpenSample();
    ModifyCurve("Rebar Details", "Curve",
                [](plat::DialogDriver& d) {
                    d.Type(DefineDataId::Text, "0 , 0\r\n2.5 , 500\r\n10000.5 , 550\r\n");
                    d.Click(plat::DialogResult::Ok);
                    EXPECT_EQ(d.FocusedId(), DefineDataId::Text);
                    d.Type(DefineDataId::Text, "0 , 0\r\n2.5 , 500\r\n10000 , 550\r\n");
                    d.Click(plat::DialogResult::Ok);
                },
                {"Point 3 of the curve has a strain of 10000.5 mm/m: a section takes at most 10000 mm/m."});
    ModifyCurve("Concrete Details", "Web", [](plat::DialogDriver& d) {
        d.Type(DefineDataId::Text, "0 , 0\r\n1 , 20\r\n2 , 30\r\n10000 , 5\r\n");
        d.Click(plat::DialogResult::Ok);
    });
    ASSERT_TRUE(Steel("Curve").userCurve);
    ASSERT_TRUE(Concrete("Web").userCurve);
    const TDepthTable steel = *Steel("Curve").userCurve;
    const TDepthTable concrete = *Concrete("Web").userCurve;
    const int s = steel.IndexOfDepth(10.0), c = concrete.IndexOfDepth(-10.0);
    ASSERT_GE(s, 0);
    ASSERT_GE(c, 0);
    EXPECT_DOUBLE_EQ(steel.GetDepth(s), 10.0);
    EXPECT_NEAR(steel.GetValue(s), 550e6, 1.0);
    EXPECT_DOUBLE_EQ(concrete.GetDepth(c), -10.0);
    EXPECT_NEAR(concrete.GetValue(c), -5e6, 1.0);
    const SteelTypeRec taken = Steel("Curve");

    SaveAndOpenInANewSession();
    ExpectSameSteel(Steel("Curve"), taken);
    for (const auto& [was, is] : {std::pair{&steel, Steel("Curve").userCurve.get()},
                                  std::pair{&concrete, Concrete("Web").userCurve.get()}}) {
        ASSERT_NE(is, nullptr);
        ASSERT_EQ(is->GetCount(), was->GetCount());
        for (int i = 0; i < was->GetCount(); ++i) {
            EXPECT_EQ(is->GetDepth(i), was->GetDepth(i)) << "point " << i;
            EXPECT_EQ(is->GetValue(i), was->GetValue(i)) << "point " << i;
        }
    }
}

// Concrete Details, "Web", Modify, Define Data typed with a step at 2 mm/m (20 then 38 MPa) or
// with its peak at zero strain between two origins: the page pulls the pairs at one strain
// 0.001 mm/m apart, and the zero-stress point closing the curve goes with them, 0.002 mm/m past
// the last pair as a document's curve is closed. Saved and opened in a new session, the type
// holds the curve, point by point, that the session held.
TEST_F(UserCurvePages, AConcreteCurveTypedWithPairsAtOneStrainOpensAsTheSessionHeldIt) {
    for (const char* typed : {"0 , 0\r\n2 , 20\r\n2 , 38\r\n", "0 , 0\r\n0 , 25\r\n0 , 0\r\n"}) {
        SCOPED_TRACE(typed);
        OpenSample();
        ModifyCurve("Concrete Details", "Web", [typed](plat::DialogDriver& d) {
            d.Type(DefineDataId::Text, typed);
            d.Click(plat::DialogResult::Ok);
        });
        ASSERT_TRUE(Concrete("Web").userCurve);
        const std::vector<DepthPair> held = Concrete("Web").userCurve->Pairs();
        SaveAndOpenInANewSession();
        ASSERT_TRUE(Concrete("Web").userCurve);
        const std::vector<DepthPair> opened = Concrete("Web").userCurve->Pairs();
        ASSERT_EQ(opened.size(), held.size());
        for (std::size_t i = 0; i < held.size(); ++i) {
            EXPECT_NEAR(opened[i].z, held[i].z, 1e-12) << "point " << i;
            EXPECT_NEAR(opened[i].v, held[i].v, 1e-3) << "point " << i;
        }
        app.reset();
        Start();
    }
}

// The sample's own fire (a constant 800 degrees on its bottom), for three hours, burns its bottom
// GFRP bars out (past 400 degrees GFRP keeps no strength): Create Fire Damaged Beam gives that
// layer's bars "Lay: 1" a curve without a point of stress. Rebar
// Details, "Lay: 1" renamed "Burnt", Modify, Yes, Define Data cancelled: the box says the type
// is not changed, and it is not: the post-fire beam keeps "Lay: 1" with its curve, and so does
// the document a new session opens.
TEST_F(BurntBarPages, ABurntBarsCurveLeftWithCancelLeavesTheTypeAsItWas)
{
    OpenSample();
    CreateFireDamagedBeam("180");
    ASSERT_EQ(Open().size(), 2u);
    const TStructure& post = *Window().GetCurrentStructure();
    ASSERT_EQ(&post, g_Structures[1].get());
    const SteelTypeRec burnt = Steel("Lay: 1");
    ASSERT_EQ(burnt.kind, SteelKind::UserCurve);
    ASSERT_TRUE(burnt.userCurve);
    ASSERT_FALSE(CurveCarriesStress(*burnt.userCurve));

    RenameWithCurveCancelled("Rebar Details",
                             "Lay: 1",
                             "Burnt",
                             {"The user-defined stress-strain curve has no point with a stress, so "
                              "the type is not changed."});
    const auto named = [](const TStructure& s, const std::string& name) {
        const std::vector<std::string> names = SteelNames(s);
        return std::count(names.begin(), names.end(), name);
    };
    EXPECT_EQ(named(*Window().GetCurrentStructure(), "Burnt"), 0);
    EXPECT_EQ(named(*Window().GetCurrentStructure(), "Lay: 1"), 1);
    ExpectSameSteel(Steel("Lay: 1"), burnt);
    ExpectSameCurve(Steel("Lay: 1").userCurve.get(), burnt.userCurve.get());

    SaveAndOpenInANewSession();
    ASSERT_EQ(Open().size(), 2u);
    EXPECT_EQ(named(*g_Structures[1], "Burnt"), 0);
    EXPECT_EQ(named(*g_Structures[1], "Lay: 1"), 1);
}

// Rebar Details, the curve steel "Curve" renamed "Curve B", and Concrete Details, the curve
// concrete "Web" renamed "Web B": Modify, Yes to the new name, Define Data cancelled to keep the
// curve. Each type takes its new name with its own curve and values (no box), the layers and
// regions that used it use it under that name, and a new session opens it so.
TEST_F(UserCurvePages, ACurveTypeRenamedOnModifyKeepsItsCurveWhenDefineDataIsCancelled)
{
    OpenSample();
    const SteelTypeRec steel = Steel("Curve");
    const ConcreteTypeRec concrete = Concrete("Web");
    ASSERT_EQ(steel.kind, SteelKind::UserCurve);
    ASSERT_EQ(concrete.baseCurve, BaseCurveCode::UserDefined);
    const int boxes = Boxes();
    RenameWithCurveCancelled("Rebar Details", "Curve", "Curve B");
    RenameWithCurveCancelled("Concrete Details", "Web", "Web B");
    // Two boxes: the questions of the new names.
    EXPECT_EQ(Boxes(), boxes + 2);

    const auto expectRenamed = [&] {
        const TStructure& s = *Window().GetCurrentStructure();
        std::vector<std::string> names = SteelNames(s);
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"Bar", "Curve B", "Strand"}));
        ExpectSameSteel(Steel("Curve B"), steel);
        ExpectSameCurve(Steel("Curve B").userCurve.get(), steel.userCurve.get());
        // The layer "top" (z 550 mm) is of that steel.
        const auto& beam = dynamic_cast<const TBeam&>(s);
        ASSERT_EQ(beam.GetLongLayerCount(0), 3);
        EXPECT_EQ(s.GetSteelType(beam.GetLongLayer(2, 0)->type)->name, "Curve B");

        // The web (the region below the flange) is of that concrete.
        ASSERT_EQ(s.GetConcreteTypeCount(), 2);
        ASSERT_EQ(beam.GetRegionCount(), 2);
        const int web = beam.GetRegion(0)->bottom < beam.GetRegion(1)->bottom ? 0 : 1;
        EXPECT_EQ(s.GetConcreteType(beam.GetRegion(web)->concreteType)->name, "Web B");
        EXPECT_EQ(Concrete("Web B").baseCurve, BaseCurveCode::UserDefined);
        EXPECT_DOUBLE_EQ(Concrete("Web B").fc, concrete.fc);
        EXPECT_DOUBLE_EQ(Concrete("Web B").ec, concrete.ec);
        ExpectSameCurve(Concrete("Web B").userCurve.get(), concrete.userCurve.get());
    };
    expectRenamed();
    SaveAndOpenInANewSession();
    expectRenamed();
}
