// OK without an edit leaves the element exactly as it was: every definition sheet and dialog,
// opened from its command on a prestressed beam and on the PV19 membrane element and closed
// with OK at once, gives the same saved element, byte for byte.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/InputDialogs.h"
#include "dialogs/MaterialReinforcementDialogs.h"
#include "dialogs/MemberInputDialogs.h"
#include "dialogs/SectionInputDialogs.h"
#include "files/xml/TXmlDtd.h"
#include "files/xml/XmlReader.h"
#include "files/xml/XmlWriter.h"
#include "foundation/TTextBuffer.h"
#include "model/TBeam.h"
#include "tests/app/ShellFixture.h"
#include "tests/dialogs/DialogFixtures.h"
#include "tests/dialogs/SavedAndRead.h"
#include "tests/membrane/Pv19Panel.h"
#include "tests/views/PrestressedSection.h"

namespace {

// The element as a document brings it back: saved and read again, so that it stands as the
// program holds an element it opened.
template <class T>
std::unique_ptr<T> AsOpened(T& element)
{
    auto opened = SavedAndRead(element);
    opened->SetModified(0);
    return opened;
}

// The first line where two saved texts part, with its number, for a short failure message.
std::string FirstDifference(const std::string& a, const std::string& b)
{
    std::size_t line = 1, start = 0;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        if (a[i] != b[i]) {
            const auto lineOf = [&](const std::string& t) { return t.substr(start, t.find('\n', start) - start); };
            const std::size_t next = b.find('\n', start);
            const std::string following = next == std::string::npos ? "" : b.substr(next + 1, b.find('\n', next + 1) - next - 1);
            return "line " + std::to_string(line) + ": \"" + lineOf(a) + "\" / \"" + lineOf(b) + "\" then \"" + following + "\"";
        }
        if (a[i] == '\n')
            ++line, start = i + 1;
    }
    return a.size() == b.size() ? std::string() : "one text ends at line " + std::to_string(line);
}

struct Road {
    const char* name;
    const char* caption;
    std::function<void(TQuarvishWindow&, TStructure&)> open;
};

std::function<void(TQuarvishWindow&, TStructure&)> Command(int id)
{
    return [id](TQuarvishWindow& w, TStructure&) { EXPECT_TRUE(w.EvCommand(id, 0, 0)) << id; };
}

// Every sheet and dialog that edits the element itself (the quick-define wizard builds a new
// section from its pages, and the member dialogs edit the member definition).
std::vector<Road> Roads(bool beam)
{
    std::vector<Road> roads = {
        {"general", "General  Definitions", Command(CmId::EditGeneral)},
        {"materials", "Materials Page", Command(CmId::MaterialProperties)},
        {"transverse", "Define Transverse Reinforcement", Command(CmId::TransverseReinforcement)},
        {"longitudinal", "Define Longitudinal Reinforcement", Command(CmId::LongitudinalReinforcement)},
        {"loads", "Define Loading", Command(CmId::SectionalLoads)},
        {"data", "Define Data", Command(CmId::PageAction403)},
        {"fire", "Post-fire analysis parameters",
         [](TQuarvishWindow& w, TStructure& s) { GetInputDialogs().Fire(w, s); }},
    };
    if (beam) {
        roads.push_back({"concrete", "Define Concrete Cross Section", Command(CmId::ConcreteSection)});
        roads.push_back({"tendons", "Define Tendons", Command(CmId::Tendons)});
        roads.push_back({"time", "Time Dependent", Command(CmId::TimeDependentEffects)});
        roads.push_back({"shrinkage", "Shrinkage and Thermal Strains", Command(CmId::ThermalShrinkageStrains)});
        roads.push_back({"discontinuity", "Strain Discontinuity", Command(CmId::StrainDiscontinuity)});
    }
    return roads;
}

class NoEditOk : public StartedShellTest {
protected:
    NoEditOk() : m_previous(&GetInputDialogs())
    {
        InstallSectionDialogs();
        InstallMaterialReinforcementDialogs();
        InstallMemberDialogs();
    }
    ~NoEditOk() override { SetInputDialogs(m_previous); }

    void Check(std::unique_ptr<TStructure> element, bool beam)
    {
        const auto slot = static_cast<std::size_t>(g_CurrentStructure);
        g_Structures[slot] = std::move(element);
        Window().RefreshStructureViews(1);
        TStructure& s = *g_Structures[slot];
        const std::string before = SavedText(s);
        for (const Road& road : Roads(beam)) {
            SCOPED_TRACE(road.name);
            ui.Dialog(road.caption, [](plat::DialogDriver& d) { d.Click(plat::DialogResult::Ok); });
            road.open(Window(), s);
            EXPECT_TRUE(ui.Done());
            ASSERT_EQ(g_Structures[slot].get(), &s);
            const std::string after = SavedText(s);
            EXPECT_TRUE(after == before) << FirstDifference(before, after);
            if (after != before)
                return; // one road at a time
        }
    }

    CatalogueGuard catalogue;
    ValueGuard<int> units{g_UnitSystem, kUnitSI};

private:
    TInputDialogs* m_previous;
};

TEST_F(NoEditOk, PrestressedBeamComesBackAsItWas)
{
    Check(AsOpened(*MakePrestressedGirder()), true);
}

TEST_F(NoEditOk, Pv19MembraneComesBackAsItWas)
{
    auto panel = AsOpened(*MakePv19());
    std::string flat = SavedText(*panel);
    flat.erase(std::remove(flat.begin(), flat.end(), '\t'), flat.end());
    ASSERT_NE(flat.find("space=\"50.0\""), std::string::npos);
    ASSERT_EQ(panel->GetLongLayerCount(0), 1);
    ASSERT_EQ(panel->GetLongLayerCount(1), 1);
    Check(std::move(panel), false);
}

} // namespace
