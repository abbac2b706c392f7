// Typed values on the list pages: fields that are not finite or lie outside their range, bar
// counts past a pattern's most bars and patterns past the section's layers are refused with
// a message naming the field, the field marked for the page to select, and nothing stored.

#include <cmath>

#include "dialogs/ListPage.h"
#include "dialogs/ReinforcementPages.h"
#include "model/StructureRecords.h"
#include "model/TBeam.h"
#include "platform/Application.h"
#include "platform/PropertySheet.h"
#include "tests/dialogs/DialogFixtures.h"
#include "tests/dialogs/TypedInputSupport.h"

namespace {

class TypedListPagesTest : public DialogModelTest {
protected:
    TypedListPagesTest() {
        beam.AddRegion(0.6, 0.0, 0.4, 0.4, 0, 1);
        lists = BuildLongLists(beam, 0);
    }
    // Types each text into field `field` of the page's form and presses Add and Modify: each
    // is refused, the field marked, the list as it was.
    void ExpectRefused(TGen_Base& page, int field, const std::vector<std::string>& texts, const std::string& message) {
        const int before = page.List().GetCount();
        const std::vector<double> values = before > 0 ? std::vector<double>(page.List().Entry(0).values.begin(),
                                                                           page.List().Entry(0).values.end())
                                                      : std::vector<double>{};
        for (const std::string& text : texts) {
            for (bool modify : {false, true}) {
                const std::string kept = page.form.fields[static_cast<std::size_t>(field)];
                page.form.fields[static_cast<std::size_t>(field)] = text;
                const int shown = reporter.Count(message);
                modify ? page.Modify() : page.Add();
                EXPECT_EQ(reporter.Count(message), shown + 1) << text;
                EXPECT_EQ(page.form.refusedField, field) << text;
                EXPECT_EQ(page.form.fields[static_cast<std::size_t>(field)], text);
                page.form.refusedField = -1;
                page.form.fields[static_cast<std::size_t>(field)] = kept;
                ASSERT_EQ(page.List().GetCount(), before) << text;
                if (before > 0) {
                    for (std::size_t k = 0; k < values.size(); ++k)
                        EXPECT_EQ(page.List().Entry(0).values[k], values[k]) << text;
                }
            }
        }
    }

    TBeam beam;
    TLongLists lists;
};

TEST_F(TypedListPagesTest, EveryBarPageRefusesCountsAndLengthsThatAreNoNumberOrTooLarge) {
    std::vector<std::string> counts = kNotFinite;
    counts.push_back("10001");       // past a pattern's most bars
    counts.push_back("3000000000");  // past int
    (void)lists.individual->AddFull({2, 500e-6, 0, 0.05, 0, 0, 0, 0, 0, 0}, {0, 0, 1, -1}, "Bot");
    TGen_Lon individual(lists, *lists.individual, beam, 0, -1);
    individual.Setup();
    ExpectRefused(individual, 0, counts, "Number of Bars must be a number from 0 to 10000.");
    std::vector<std::string> lengths = kNotFinite;
    lengths.push_back("1000001");  // mm: past 1000 m
    ExpectRefused(individual, 3, lengths, "Dist. from Bottom must be a number from -1000000 to 1000000 mm.");

    TGen_Circ circular(lists, *lists.circular, beam, 0, -1);
    circular.Setup();
    ExpectRefused(circular, 0, counts, "Number of Bars must be a number from 0 to 10000.");
    ExpectRefused(circular, 4, lengths, "Diameter on Centres must be a number from -1000000 to 1000000 mm.");

    TGen_Distribute distributed(lists, *lists.distributed, beam, 0, -1);
    distributed.Setup();
    ExpectRefused(distributed, 0, counts, "Bars per Layer must be a number from 0 to 10000.");
    ExpectRefused(distributed, 3, counts, "Number of Layers must be a number from 0 to 10000.");

    TGen_Ten tendons(lists, *lists.tendons, beam, 0, -1);
    tendons.Setup();
    ExpectRefused(tendons, 0, counts, "Number of Strands must be a number from 0 to 10000.");
    ExpectRefused(tendons, 3, kNotFinite, "Prestrain must be a number from -10000 to 10000 mm/m.");
}

TEST_F(TypedListPagesTest, PatternsAreHeldToTheBarsAndLayersTheSectionHolds) {
    TGen_Distribute distributed(lists, *lists.distributed, beam, 0, -1);
    distributed.Setup();
    distributed.form.name = "Web";
    distributed.form.fields[0] = "200";
    distributed.form.fields[3] = "100";  // 20000 bars
    distributed.form.fields[4] = "550";
    distributed.form.fields[5] = "50";
    distributed.form.bar = {1, "500", "", "", ""};
    distributed.Add();
    EXPECT_EQ(reporter.Count("Bars per Layer x Number of Layers must not exceed 10000."), 1);
    EXPECT_EQ(lists.distributed->GetCount(), 0);
    distributed.form.fields[0] = "2";
    distributed.form.fields[3] = "4";
    distributed.Add();
    ASSERT_EQ(lists.distributed->GetCount(), 1);

    // One more pattern of 991 layers leaves room for 1000 - 4 - 991 = 5 layers, a section holding
    // at most 1000 of a direction: a circle of 12 bars needs 7 (every 30 degrees from the top
    // down), one of 8 bars 5.
    for (double layers : {991.0})
        (void)lists.distributed->AddFull({1, 500e-6, 0, layers, 0.05, 0.45, 0, 0, 0, 0}, {0, 0, 1, -1}, "Fill");
    TGen_Circ circular(lists, *lists.circular, beam, 0, -1);
    circular.Setup();
    circular.form.name = "Ring";
    circular.form.fields[0] = "12";
    circular.form.fields[3] = "300";
    circular.form.fields[4] = "200";
    circular.form.bar = {1, "500", "", "", ""};
    circular.Add();
    EXPECT_EQ(reporter.Count("This pattern needs 7 bar layers; the section has room for 5 more."), 1);
    EXPECT_EQ(circular.form.refusedField, 0);
    EXPECT_EQ(lists.circular->GetCount(), 0);
    circular.form.fields[0] = "8";
    circular.Add();
    EXPECT_EQ(lists.circular->GetCount(), 1);
}

TEST_F(TypedListPagesTest, ABarAreaThatIsNoNumberIsRefusedAndAStoredHugeCountExplodesBounded) {
    TGen_Lon individual(lists, *lists.individual, beam, 0, -1);
    individual.Setup();
    individual.form.name = "Bot";
    individual.form.fields[0] = "2";
    individual.form.fields[3] = "50";
    individual.form.bar.byArea = 1;
    for (const std::string& text : kNotFinite) {
        individual.form.bar.text = text;
        individual.Add();
        EXPECT_EQ(individual.form.refusedField, 2);
    }
    EXPECT_EQ(reporter.Count(" must be a number from 0 to 1000000 mm^2."), 4);
    EXPECT_EQ(lists.individual->GetCount(), 0);

    // A circle of a billion bars (say from a document) is laid out as a pattern's most bars.
    TypeListRec huge;
    huge.values = {1e9, 500e-6, 0, 0.3, 0.2, 0, 0, 0, 0, 0};
    const std::size_t layers = CircularPatternLayers(huge).size();
    EXPECT_GT(layers, static_cast<std::size_t>(kMaxBarsPerPattern / 2));
    EXPECT_LT(layers, static_cast<std::size_t>(kMaxBarsPerPattern / 2 + 20));
    huge.values[0] = std::nan("");
    EXPECT_EQ(CircularPatternLayers(huge).size(), 2u);  // no bars: the three-bar default
}

TEST_F(TypedListPagesTest, ThePageWindowSelectsTheRefusedField) {
    plat::EnsureGuiRuntime();
    (void)lists.individual->AddFull({2, 500e-6, 0, 0.05, 0, 0, 0, 0, 0, 0}, {0, 0, 1, -1}, "Bot");
    TListPage page(std::make_unique<TGen_Lon>(lists, *lists.individual, beam, 0, -1), "Individual Layers", [] {});
    ui.Dialog("Layers", [](plat::DialogDriver& d) {
          d.Type(DetailsId::Field0, "nan");
          d.Click(DetailsId::Modify);
          EXPECT_EQ(d.FocusedId(), DetailsId::Field0);
          EXPECT_EQ(d.SelectedText(DetailsId::Field0), "nan");
          d.Click(2);
      });
    plat::PropertySheet sheet(nullptr, "Layers");
    sheet.AddPage(page);
    EXPECT_EQ(sheet.Execute(), plat::DialogResult::Cancel);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(reporter.Count("Number of Bars must be a number from 0 to 10000."), 1);
    ASSERT_EQ(lists.individual->GetCount(), 1);
    EXPECT_EQ(lists.individual->Entry(0).values[0], 2.0);
}

} // namespace
