// The program started on a desktop set up in German, where a half is written "0,5": the
// project's documents open as the same sections as on any other machine and solve to the same
// stages, what it saves is the same bytes, and the loads dialog takes "0.5" and refuses "0,5"
// with the same message. The program is started again for the walk, with the setting "C", with
// LANG=de_DE.UTF-8 and with LC_ALL=de_DE.UTF-8 (a setting made for the test), so that it meets
// the setting at start-up as the real program does; the walks are then compared.

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/CommandIds.h"
#include "app/InputDialogs.h"
#include "dialogs/SectionInputDialogs.h"
#include "model/StructureRecords.h"
#include "model/TStructure.h"
#include "support/CommaDecimalSetting.h"
#include "tests/app/RealDocumentShell.h"
#include "tests/app/SectionalAnswer.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kWalkFolder = "QUARVISH_TEST_SETTING_WALK";
constexpr const char* kTestName = "CommaDecimalSettingTest.DocumentsAndTypedNumbersReadAndWriteAlike";

// A 300 x 600 mm rectangle of 30 MPa concrete with three bars of 510 mm^2 65.4 mm over its
// bottom, under a moment increment of 1 kN m, whose shrinkage runs from -0.3 mm/m at the top
// through -0.2 mm/m at mid-depth to -0.1 mm/m at the bottom, its rows as the program writes them.
const char* const kShrinkingSection = R"(<?xml version="1.0"?>
<document>
<q3g_beam name="Shrinking" units="metric">
<concrete fcp="30.0" maxagg="19" />
<rebar fy="450" E="200000" fu="675" esh="7.0" eu="100.0" />
<sectionSOLID>
 600.0 300.0
 0.0 300.0 "Concrete 1"
</sectionSOLID>
<longreinfx z="65.4" type="Steel 1" num="3" A="510.0" db="25.4" bartitle="#8" />
<shrinktherm>
 600 -0.300
 300.0 -0.200
 0.0 -0.100
</shrinktherm>
<sectloading MM="1" />
</q3g_beam>
</document>
)";

// A girder in the labelled text format, its numbers with decimals: 500.5 mm deep.
const char* const kLabelledGirder = "// Quarvish input Ver_0.8\nINPUT-LABEL girder\nTITLE Girder\nUNITS Metric\n"
                                    "MATERIAL CONCRETE C35\nFCP 35.5\nE0 2.2\nENDMAT\nMATERIAL REBAR\nFY 412.5\nENDMAT\n"
                                    "SECTION SOLID\n500.5 300.0 C35\n0 300.0 C35\nENDSECTION\n"
                                    "LONGTAB\n50.5 1500.5 0\n450 600 0\nENDLONG\n"
                                    "LOADING\nCONSTANT 0 0 0\nVARIABLE 0 1.5 0\nENDLOAD\n";

std::string Number(double v)
{
    char buffer[40];
    const auto [end, ec] = std::to_chars(std::begin(buffer), std::end(buffer), v);
    return ec == std::errc() ? std::string(buffer, end) : "?";
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// "name value" lines.
std::map<std::string, std::string> ReadFacts(const fs::path& path)
{
    std::map<std::string, std::string> facts;
    std::istringstream in(ReadFile(path));
    std::string name, value;
    while (in >> name >> value)
        facts[name] = value;
    return facts;
}

double FactValue(const std::map<std::string, std::string>& facts, const std::string& name)
{
    const auto it = facts.find(name);
    double v = std::nan("");
    if (it != facts.end())
        std::from_chars(it->second.data(), it->second.data() + it->second.size(), v);
    return v;
}

class CommaDecimalSettingTest : public RealDocumentShellTest {
protected:
    CommaDecimalSettingTest() : m_previous(&GetInputDialogs()) { InstallSectionDialogs(); }
    ~CommaDecimalSettingTest() override { SetInputDialogs(m_previous); }

    // The walk of the program started again in this setting, into the folder.
    void Walk(const fs::path& out);

    void Fact(const std::string& name, double value) { m_facts << name << ' ' << Number(value) << '\n'; }
    void Fact(const std::string& name, const std::string& value) { m_facts << name << ' ' << value << '\n'; }

    // The open section as read: its depth, its shrinkage rows and the strain they impose.
    void SectionFacts(const std::string& tag)
    {
        const TStructure& s = *Window().GetCurrentStructure();
        Fact(tag + ".top", s.GetTop());
        Fact(tag + ".bottom", s.GetBottom());
        for (int i = 0; i < s.GetLongLayerCount(0); ++i)
            if (const LongLayerRec* layer = s.GetLongLayer(i, 0)) {
                const std::string at = tag + ".layer" + std::to_string(i);
                Fact(at + ".z", layer->z);
                Fact(at + ".A", layer->A);
                Fact(at + ".db", layer->db);
            }
        const TDepthTable& rows = s.GetPositionVariable(kShrinkTherm);
        Fact(tag + ".shrinkageRows", rows.GetCount());
        for (int i = 0; i < rows.GetCount(); ++i) {
            Fact(tag + ".shrinkageDepth" + std::to_string(i), rows.GetDepth(i));
            Fact(tag + ".shrinkageStrain" + std::to_string(i), rows.GetValue(i));
        }
    }

    // Solve > Sectional Response of the open section, every stage's results into the folder.
    void Solve(const fs::path& out, const std::string& tag)
    {
        const SectionalAnswer a = SolveSectionalResponse(Frame(), Window());
        Fact(tag + ".lastStage", a.lastStage);
        Fact(tag + ".errors", a.errors);
        std::ofstream answer(out / (tag + "-answer.txt"), std::ios::binary);
        for (double v : a.values)
            answer << Number(v) << '\n';
    }

    // File > Save As under the name in the folder.
    void SaveAs(const fs::path& out, const std::string& name)
    {
        ui.File(plat::FileDialogKind::Save, (out / name).string());
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
    }

    std::ostringstream m_facts;

private:
    TInputDialogs* m_previous;
};

void CommaDecimalSettingTest::Walk(const fs::path& out)
{
    // The setting the program met at start-up, as the window toolkit took it from the
    // environment (its numeric part aside).
    {
        const char* type = std::setlocale(LC_CTYPE, nullptr);
        std::ofstream(out / "setting.txt") << "ctype " << (type ? type : "?") << '\n';
    }

    // The project's sample: opened, solved, saved as, and the saved document opened and saved again.
    OpenDocument("full_beam_1.xml", ReadFile(fs::path(QV_SOURCE_DIR) / "fuzz/corpus/XmlDocument/full_beam_1.xml"));
    SectionFacts("sample");
    Solve(out, "sample");
    SaveAs(out, "sample-saved.qvh");
    OpenDocument("sample-saved.qvh", ReadFile(out / "sample-saved.qvh"));
    SectionFacts("sample-reopened");
    SaveAs(out, "sample-saved-again.qvh");

    // The shrinking rectangle, the same way.
    OpenDocument("shrinking.qvh", kShrinkingSection);
    SectionFacts("shrinking");
    const TStructure& s = *Window().GetCurrentStructure();
    for (int k = 0; k <= 4; ++k)
        Fact("shrinking.imposedAt" + std::to_string(k), s.GetInitialStrainAt(s.GetBottom() + s.GetHeight() * k / 4.0, 2));
    Solve(out, "shrinking");
    SaveAs(out, "shrinking-saved.qvh");
    OpenDocument("shrinking-saved.qvh", ReadFile(out / "shrinking-saved.qvh"));
    SectionFacts("shrinking-reopened");
    SaveAs(out, "shrinking-saved-again.qvh");

    // A document of an older version (a 0.8 file) and a labelled text file: opened and saved as.
    const std::pair<std::string, std::string> older[] = {
        {"v08.q2k", ReadFile(fs::path(QV_SOURCE_DIR) / "fuzz/corpus/NativeV08/beam_b_v8.bin")},
        {"labelled.q2t", kLabelledGirder}};
    for (const auto& [name, text] : older) {
        OpenDocument(name, text);
        SectionFacts(name);
        SaveAs(out, name + "-saved.qvh");
        OpenDocument(name + "-saved.qvh", ReadFile(out / (name + "-saved.qvh")));
        SectionFacts(name + "-reopened");
    }
    OpenDocument("shrinking-saved.qvh", ReadFile(out / "shrinking-saved.qvh"));

    // Loads > Define Loading: what it shows, "0,5" as the shear increment refused, "0.5" taken.
    std::string shown, refusedFocus;
    ui.Dialog("Define Loading", [&](plat::DialogDriver& d) {
        for (int id : {101, 5052, 5053, 5054, 5055, 5056})
            shown += d.Text(id) + "|";
        std::replace(shown.begin(), shown.end(), ' ', '_');
        d.Type(5056, "0,5");
        d.Click(plat::DialogResult::Ok);
        refusedFocus = d.Ended() ? "ended" : std::to_string(d.FocusedId());
        d.Type(5056, "0.5");
        d.Click(plat::DialogResult::Ok);
    });
    ui.Message("Increment of Shear", MsgAnswer::Ok);
    EXPECT_TRUE(Window().EvCommand(CmId::SectionalLoads, 0, 0));
    Fact("loads.shown", shown);
    Fact("loads.afterComma", refusedFocus);
    double increment[3] = {};
    Window().GetCurrentStructure()->GetIncrementLoads(increment, 3);
    Fact("loads.shearIncrement", increment[2]);

    std::ofstream(out / "facts.txt") << m_facts.str();
    std::ofstream boxes(out / "boxes.txt");
    for (const UiRequest& r : ui.requests)
        if (r.kind != "file")
            boxes << r.kind << ": " << r.caption << ": " << r.text << '\n';
    EXPECT_TRUE(ui.Done());
}

} // namespace

TEST_F(CommaDecimalSettingTest, DocumentsAndTypedNumbersReadAndWriteAlike)
{
    if (const char* folder = std::getenv(kWalkFolder)) {
        Walk(folder);
        return;
    }

    const std::string made = comma_decimal::Make(dir.path() / "locales");
    ASSERT_EQ(made, "") << "no setting with a decimal comma could be made for the test";

    // The walk in "C", and in German as LANG names it and as LC_ALL names it over LANG=C.
    const std::string locpath = "LOCPATH=" + (dir.path() / "locales").string();
    const std::string german = comma_decimal::kSetting;
    struct Walked {
        std::string name;
        std::vector<std::string> variables;
        fs::path folder = {};
        pid_t pid = -1;
        comma_decimal::Run run = {};
    };
    std::vector<Walked> walks = {{"C", {"LANG=C"}},
                                 {"LANG", {"LANG=" + german, locpath}},
                                 {"LC_ALL", {"LANG=C", "LC_ALL=" + german, locpath}}};
    for (Walked& w : walks) {
        w.folder = dir.path() / ("walk-" + w.name);
        fs::create_directories(w.folder);
        w.variables.push_back(std::string(kWalkFolder) + "=" + w.folder.string());
        w.pid = comma_decimal::Start(kTestName, w.variables, w.folder / "output.txt");
    }
    for (Walked& w : walks)
        w.run = comma_decimal::Wait(w.pid, w.folder / "output.txt");
    const fs::path inC = walks[0].folder;
    ASSERT_EQ(walks[0].run.status, 0) << walks[0].run.output;
    const auto factsC = ReadFacts(inC / "facts.txt");

    for (std::size_t k = 1; k < walks.size(); ++k) {
        const Walked& w = walks[k];
        SCOPED_TRACE(w.name);
        const fs::path& inGerman = w.folder;
        // The program met the German setting at start-up (else the comparison says nothing).
        const auto setting = ReadFacts(inGerman / "setting.txt");
        ASSERT_EQ(setting.count("ctype"), 1u) << w.run.output;
        ASSERT_EQ(setting.at("ctype"), german) << w.run.output;

        EXPECT_EQ(w.run.status, 0) << w.run.output;
        const auto factsGerman = ReadFacts(inGerman / "facts.txt");
        for (const auto& [name, value] : factsC)
            EXPECT_EQ(factsGerman.count(name) ? factsGerman.at(name) : "(none)", value) << name;
        EXPECT_EQ(ReadFile(inGerman / "boxes.txt"), ReadFile(inC / "boxes.txt"));
        for (const char* answer : {"sample-answer.txt", "shrinking-answer.txt"})
            EXPECT_TRUE(ReadFile(inGerman / answer) == ReadFile(inC / answer)) << answer << " differs";
        for (const char* saved : {"sample-saved.qvh", "sample-saved-again.qvh", "shrinking-saved.qvh", "shrinking-saved-again.qvh",
                                  "v08.q2k-saved.qvh", "labelled.q2t-saved.qvh"}) {
            const std::string bytesC = ReadFile(inC / saved), bytesGerman = ReadFile(inGerman / saved);
            EXPECT_FALSE(bytesC.empty()) << saved;
            EXPECT_TRUE(bytesGerman == bytesC) << saved << " saved in German:\n" << bytesGerman.substr(0, 1500);
        }
        EXPECT_NE(ReadFile(inGerman / "boxes.txt").find("Increment of Shear must be a number from -1000000 to 1000000 kN.\n"),
                  std::string::npos);
    }
    EXPECT_TRUE(ReadFile(inC / "sample-saved-again.qvh") == ReadFile(inC / "sample-saved.qvh"));
    EXPECT_TRUE(ReadFile(inC / "shrinking-saved-again.qvh") == ReadFile(inC / "shrinking-saved.qvh"));

    // What every walk read is what the documents say: the sample 23.62 in deep, solved through 54
    // stages; the rectangle 600 mm deep with -0.3, -0.2 and -0.1 mm/m at 600, 300 and 0 mm; the
    // girder 500.5 mm deep with 1500.5 mm^2 in its first layer, and the 0.8 file's 1000 mm^2 of
    // bars 25.2 mm across, after Save As and File > Open; 0.5 kN taken as the shear increment
    // after "0,5" was refused.
    for (const Walked& w : walks) {
        SCOPED_TRACE(w.name);
        const auto facts = ReadFacts(w.folder / "facts.txt");
        EXPECT_NEAR(FactValue(facts, "sample.top") - FactValue(facts, "sample.bottom"), 23.62 / 39.37008, 1e-12);
        EXPECT_EQ(FactValue(facts, "sample.lastStage"), 53.0);
        EXPECT_EQ(FactValue(facts, "sample.errors"), 0.0);
        EXPECT_NEAR(FactValue(facts, "shrinking.top") - FactValue(facts, "shrinking.bottom"), 0.6, 1e-12);
        EXPECT_NEAR(FactValue(facts, "shrinking.imposedAt4"), -0.3e-3, 1e-12);
        EXPECT_NEAR(FactValue(facts, "shrinking.imposedAt2"), -0.2e-3, 1e-12);
        EXPECT_NEAR(FactValue(facts, "shrinking.imposedAt0"), -0.1e-3, 1e-12);
        EXPECT_GT(FactValue(facts, "shrinking.lastStage"), 10.0);
        EXPECT_NEAR(FactValue(facts, "labelled.q2t.top") - FactValue(facts, "labelled.q2t.bottom"), 0.5005, 1e-12);
        EXPECT_NEAR(FactValue(facts, "labelled.q2t-reopened.layer0.A"), 1500.5e-6, 1e-15);
        EXPECT_NEAR(FactValue(facts, "v08.q2k-reopened.layer0.db"), 0.0252, 1e-12);
        EXPECT_NEAR(FactValue(facts, "v08.q2k-reopened.layer0.A"), 1000e-6, 1e-15);
        EXPECT_EQ(FactValue(facts, "loads.shearIncrement"), 500.0);
        EXPECT_EQ(facts.count("loads.afterComma") ? facts.at("loads.afterComma") : "", "5056");
    }
}
