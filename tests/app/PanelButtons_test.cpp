// What the chart factory asks of a scripted mode object: the panel buttons of the six-graph
// and member-details sets, and a new colour map's magnification and mesh.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/views/ModeStandIns.h"
#include "app/views/TViewm.h"
#include "charts/TColourMap.h"
#include "platform/Controls.h"
#include "tests/app/ShellFixture.h"

namespace {

// A one-quadrilateral mesh: nodes (0, 0), (1, 0), (1, 1), (0, 1).
struct OneQuad {
    MapIntMesh mesh{{0, 0, 4, 1, 0, 0}, {0, 1, 2, 3}, {-1, -1, -1, -1}, {-1, -1, -1, -1}};
    MapFloatMesh coords{{0, 1, 1, 0}, {0, 0, 1, 1}, {0.2f}};
};

// Six-graph set s shows graph 4200 + s in every panel (colour maps) and names s + 1 buttons
// "B<s>.<i>"; button i has bitmap 5198 for even i, none (-1) for odd i, and is pressed when i
// is the set. Every question is written down in the order asked.
class ButtonLogic final : public TBeamStandIn_Logic {
public:
    ButtonLogic() : TBeamStandIn_Logic(nullptr, nullptr) {}
    void InitPanelMenu(PanelMenuTable& table) override {
        TBeamStandIn_Logic::InitPanelMenu(table);
        table[LayoutMode::SixGraphs][PanelMenuByte::PanelButtons] = buttons ? 1 : 0;
        table[LayoutMode::MemberDetails][PanelMenuByte::PanelButtons] = buttons ? 1 : 0;
    }
    int GetChoiceId(int category, int set, int, int) override {
        return category == ChoiceCategory::SixGraphs ? 4200 + set : 1003;
    }
    void GetPanelButtonInfo(int choice, int& count) override {
        asked.push_back("info " + std::to_string(choice));
        count = choice - GraphIdBase::SixGraphs + 1;
    }
    void GetPanelButtonName(int choice, int index, std::string& name, int& bitmapId, int& pressed) override {
        const int set = choice - GraphIdBase::SixGraphs;
        name = "B" + std::to_string(set) + "." + std::to_string(index);
        bitmapId = index % 2 == 0 ? 5198 : -1;
        pressed = index == set ? 1 : 0;
    }
    double GetScaleValue() override {
        asked.push_back("scale");
        return 7.5;
    }
    void OnChartCreated(const MapIntMesh*& mesh, const MapFloatMesh*& coords, int flag) override {
        asked.push_back("created " + std::to_string(flag));
        mesh = &quad.mesh;
        coords = &quad.coords;
    }
    bool buttons = true;
    OneQuad quad;
    std::vector<std::string> asked;
};

class PanelButtons : public ShellTest {
protected:
    void SetUp() override {
        Start();
        Window().MoveWindow(plat::Rect{0, 0, 1280, 1024});
    }
    ButtonLogic& Install(bool buttons = true) {
        auto l = std::make_unique<ButtonLogic>();
        l->buttons = buttons;
        ButtonLogic& logic = *l;
        View().InstallLogic(std::move(l));
        return logic;
    }
    TViewm_2k& View() { return Window().GetViewManager(); }
    int Buttons() {
        int n = 0;
        for (int i = 0; i < TViewm_Base::kPanelButtons; ++i)
            n += View().GetPanelButton(i) ? 1 : 0;
        return n;
    }
};

} // namespace

// Each set has its buttons at panels 38 on, captioned, pressed as the mode says; a set with
// fewer buttons takes the others away, and a layout without them takes them all.
TEST_F(PanelButtons, EachSetHasTheButtonsItsModeNames) {
    Install();
    View().SetSixGraphs(4602);
    ASSERT_EQ(Buttons(), 3);
    for (int i = 0; i < 3; ++i) {
        plat::GlyphButton* b = View().GetPanelButton(i);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->GetId(), 1150 + i);
        EXPECT_EQ(b->GetText(), "B2." + std::to_string(i));
        EXPECT_EQ(b->IsLatched(), i == 2);
        const PanelRect r = View().GetPanelRect(38 + i);
        EXPECT_EQ(b->GetPlace(), (plat::Rect{r.x, r.y, r.x + r.width, r.y + r.height}));
        EXPECT_TRUE(b->IsVisible());
    }
    const plat::GlyphButton* first = View().GetPanelButton(0);
    View().SetSixGraphs(4600);
    EXPECT_EQ(Buttons(), 1);
    EXPECT_EQ(View().GetPanelButton(0), first);  // kept, captioned again
    EXPECT_EQ(View().GetPanelButton(0)->GetText(), "B0.0");
    EXPECT_TRUE(View().GetPanelButton(0)->IsLatched());

    // The window narrower: the buttons follow their panels.
    Window().MoveWindow(plat::Rect{0, 0, 800, 600});
    View().EvSize(plat::Size{800, 600});
    const PanelRect r = View().GetPanelRect(38);
    EXPECT_EQ(View().GetPanelButton(0)->GetPlace(), (plat::Rect{r.x, r.y, r.x + r.width, r.y + r.height}));

    View().SetNineGraphs(-1);
    EXPECT_EQ(Buttons(), 0);
}

// A mode whose record has no panel buttons gets none, and is not even asked.
TEST_F(PanelButtons, NoneWhereTheRecordHasNone) {
    ButtonLogic& logic = Install(false);
    View().SetSixGraphs(4603);
    EXPECT_EQ(Buttons(), 0);
    for (const std::string& q : logic.asked)
        EXPECT_EQ(q.rfind("info", 0), std::string::npos) << q;
}

// A new colour map takes the mode's magnification and the mesh the mode hands it when it is
// made (asked once per map made; a map kept for the next set is not asked again).
TEST_F(PanelButtons, ANewColourMapTakesTheModesScaleAndMesh) {
    ButtonLogic& logic = Install(false);
    View().SetSixGraphs(4601);
    auto* map = dynamic_cast<TColourMap*>(View().GetChart(0));
    ASSERT_NE(map, nullptr);
    EXPECT_DOUBLE_EQ(map->Magnification(), 7.5);
    EXPECT_EQ(map->LinkedMesh(), &logic.quad.mesh);
    // Scale, then the arrays, for each of the six maps, in that order.
    std::vector<std::string> made;
    for (const std::string& q : logic.asked)
        if (q == "scale" || q.rfind("created", 0) == 0)
            made.push_back(q);
    ASSERT_EQ(made.size(), 12u);
    for (std::size_t k = 0; k < made.size(); k += 2) {
        EXPECT_EQ(made[k], "scale");
        EXPECT_EQ(made[k + 1], "created 0");
    }
    logic.asked.clear();
    View().SetSixGraphs(4602);
    EXPECT_EQ(View().GetChart(0), map);
    EXPECT_TRUE(logic.asked.empty() || logic.asked.front() != "scale");
}

// Without a mode object's mesh a map stays unlinked; the base mode object hands none.
TEST_F(PanelButtons, TheBaseModeObjectHandsNoMesh) {
    TBeamStandIn_Logic base(nullptr, nullptr);
    const OneQuad quad;
    const MapIntMesh* mesh = &quad.mesh;
    const MapFloatMesh* coords = &quad.coords;
    base.OnChartCreated(mesh, coords, 0);
    EXPECT_EQ(mesh, nullptr);
    EXPECT_EQ(coords, nullptr);
}
