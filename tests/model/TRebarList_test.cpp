#include "model/TRebarList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>

#include "foundation/ProgramPaths.h"
#include "foundation/ReportText.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

// Values in the file carry at most six significant figures; stored values are exact
// conversions of them.
constexpr double kRelTol = 1e-12;
// pi d^2 / 4 written to four significant figures (1017.0 for 1017.9 is the widest).
constexpr double kFourFigureTol = 1e-3;
constexpr double kListed25MmTol = 2e-3;
constexpr double kPi = 3.14159265358979323846;

const char kWriteFailed[] =
    "Automatic creation of rebar.dat file failed. Disk may be full or read-only.\r\n"
    "This means that reinforcment may not be specified by name in new sections";

struct RebarListTest : ::testing::Test {
    void SetUp() override
    {
        ClearReportText();
        programDir = tmp.path() / "program";
        userDir = tmp.path() / "user";
        fs::create_directories(programDir);
        SetUserDataDir(userDir.string());
    }
    void TearDown() override
    {
        SetUserDataDir("");
        SetDirWritableTest(nullptr);
        ClearReportText();
    }
    std::string ProgramFile() const { return (programDir / "rebar.dat").string(); }
    std::string UserFile() const { return (userDir / "rebar.dat").string(); }
    std::string Log() const { return g_ReportText ? *g_ReportText : std::string(); }
    int LogCount(const std::string& fragment) const
    {
        const std::string log = Log();
        int n = 0;
        for (auto pos = log.find(fragment); pos != std::string::npos;
             pos = log.find(fragment, pos + 1))
            ++n;
        return n;
    }
    void ReadText(const std::string& text)
    {
        std::istringstream in(text);
        list.ReadListing(in);
    }
    void ExpectBar(const std::string& name, double diameterMm, double areaMm2) const
    {
        SCOPED_TRACE(name);
        const int i = list.FindByName(name);
        ASSERT_GE(i, 0);
        EXPECT_NEAR(list.GetDiameter(i), diameterMm / 1000.0, kRelTol * diameterMm / 1000.0);
        EXPECT_NEAR(list.GetArea(i), areaMm2 / 1e6, kRelTol * areaMm2 / 1e6);
    }

    TempDir tmp;
    fs::path programDir;
    fs::path userDir;
    TRebarList list;
};

TEST_F(RebarListTest, MissingFileIsWrittenWithTheDefaultListingAndRead)
{
    EXPECT_EQ(list.Init(ProgramFile()), 1);
    EXPECT_TRUE(list.Loaded());
    EXPECT_FALSE(list.WriteFailed());
    EXPECT_FALSE(list.Changed());
    EXPECT_EQ(list.SourcePath(), ProgramFile());
    EXPECT_FALSE(HasReportText()) << Log();
    ASSERT_EQ(list.Count(), 125);

    int standard = 0;
    for (const RebarEntry& e : list.Entries())
        standard += e.standard ? 1 : 0;
    EXPECT_EQ(standard, 110);

    EXPECT_EQ(list.GetName(0), "10M");
    EXPECT_EQ(list.GetName(124), "36 MM");
    ExpectBar("10M", 11.3, 100);
    ExpectBar("55", 56.4, 2500);
    ExpectBar("#2", 6.3, 32.0);
    ExpectBar("#18", 57.328, 2580.64);
    ExpectBar("M10", 9.525, 70.968); // the size of #3
    ExpectBar("M57", 57.328, 2580.64);
    ExpectBar("oD10", 10.0, 78.5);
    ExpectBar("JD41", 41.4, 1340.0);
    ExpectBar("S13FAT", 13.90, 107.7);
    ExpectBar("S.25", 6.35, 23.23);
    ExpectBar("PB36", 36.0, 1018.0);
    ExpectBar("1 MM", 1.0, 0.7854);
    EXPECT_EQ(list.IsStandard("21 MM"), 1);
    EXPECT_EQ(list.IsStandard("22 MM"), 0);
    EXPECT_EQ(list.GetName(109), "21 MM");

    // The bars named by diameter have the area of a circle of that diameter.
    for (int d = 1; d <= 36; ++d) {
        SCOPED_TRACE(d);
        const int i = list.FindByName(std::to_string(d) + " MM");
        ASSERT_GE(i, 0);
        const double diameter = d / 1000.0;
        EXPECT_DOUBLE_EQ(list.GetDiameter(i), diameter);
        const double circle = kPi * diameter * diameter / 4.0;
        // The listing has carried 490.1 for 25 mm (490.9 by the formula); kept as listed.
        const double tolerance = d == 25 ? kListed25MmTol : kFourFigureTol;
        EXPECT_NEAR(list.GetArea(i), circle, tolerance * circle);
    }
}

TEST_F(RebarListTest, DefaultFileIsTheCommentedListing)
{
    ASSERT_EQ(list.Init(ProgramFile()), 1);
    const std::string text = tmp.Read("program/rebar.dat");
    EXPECT_EQ(text.rfind("// Quarvish-2000 Data File\n//\n", 0), 0u);
    EXPECT_NE(text.find("// -- start of default listing --\n//\n//\n// CSA standard Reinforcing "
                        "Bars\n//\n10M  11.3 100\n"),
              std::string::npos);
    EXPECT_NE(text.find("\n#2  6.3    32.000\n"), std::string::npos);
    EXPECT_NE(text.find("\n// Note that these are the 270 ksi areas \n"), std::string::npos);
    EXPECT_NE(text.find("\n//The following are defined nominal by diameter\n//\n1 mm"),
              std::string::npos);
    const std::string tail = "\n// Users may add more here\n";
    EXPECT_EQ(text.compare(text.size() - tail.size(), tail.size(), tail), 0);
    // Every line that is not a comment is one bar.
    int dataLines = 0;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("//", 0) != 0)
            ++dataLines;
    EXPECT_EQ(dataLines, 125);
}

TEST_F(RebarListTest, LinesOfTheHandWrittenCatalogue)
{
    ReadText("// my bars\n"
             "25M\t25.2\t500\n"
             "1 mm 1.0 0.7854\n"
             "ABCDEFGHIJKLMNOPQRST 10 100\n"
             "D4 5.7\n"
             "NOSIZE\n"
             "ZEROAREA 12 0\n"
             "NEGAREA 12 -5\n"
             "WORDAREA 12 big\n"
             "NEGDIA -12 100\n"
             "Bar 0 x 8 50 extra 77\n"
             "25M 99 9999\n");
    EXPECT_EQ(list.Count(), 5);
    ExpectBar("25M", 25.2, 500);
    EXPECT_DOUBLE_EQ(list.GetDiameter(0), 0.0252);
    EXPECT_DOUBLE_EQ(list.GetArea(0), 0.0005);
    ExpectBar("1 MM", 1.0, 0.7854);
    ExpectBar("ABCDEFGHIJKLMN", 10, 100);
    ExpectBar("Bar 0 x", 8, 50);
    EXPECT_EQ(list.GetName(4), "25M");
    EXPECT_EQ(list.FindByName("25M"), 0) << "the first of two equal names wins";

    EXPECT_EQ(LogCount("REBAR: bar listed with no area : D4\r\n"), 1);
    EXPECT_EQ(LogCount("REBAR: bar listed with no diameter or area : NOSIZE\r\n"), 1);
    EXPECT_EQ(LogCount("REBAR: bar listed with no area : ZEROAREA\r\n"), 1);
    EXPECT_EQ(LogCount("REBAR: bar listed with no area : NEGAREA\r\n"), 1);
    EXPECT_EQ(LogCount("REBAR: bar listed with no area : WORDAREA\r\n"), 1);
    EXPECT_EQ(LogCount("REBAR: bar listed with a negative diameter : NEGDIA\r\n"), 1);
    EXPECT_EQ(LogCount("REBAR:"), 6);
}

TEST_F(RebarListTest, OverlongLineLosesItsTailInsteadOfMakingAnEntry)
{
    const std::string head = "BIG 12 100";
    const std::string padded = head + std::string(kRebarLineChars - head.size(), ' ');
    ReadText(padded + "TAIL 9 99\n" + std::string(kRebarLineChars, ' ') + "T2 5 20\nNEXT 8 50\n");
    EXPECT_EQ(list.Count(), 2);
    ExpectBar("BIG", 12, 100);
    ExpectBar("NEXT", 8, 50);
    EXPECT_EQ(list.FindByName("TAIL"), -1);
    EXPECT_EQ(list.FindByName("T2"), -1);
    EXPECT_EQ(LogCount("REBAR: Line 1 too long (>127 characters).. truncated to 127\r\n"), 1);
    EXPECT_EQ(LogCount("too long"), 1) << "a long blank line is no data line";
}

TEST_F(RebarListTest, LongNamesAreBoundedWhileBeingFormed)
{
    // 60 name words of two characters: 179 characters of name before the first number, cut
    // at the line's 127 characters; no number remains.
    std::string words;
    for (int i = 0; i < 60; ++i)
        words += "ab ";
    ReadText(words + "10 100\n" + std::string(100, 'N') + " 10 100\n");
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.GetName(0), std::string(14, 'N'));
    EXPECT_EQ(LogCount("REBAR: bar listed with no diameter or area : "), 1);
    const auto at = Log().find("no diameter or area : ");
    ASSERT_NE(at, std::string::npos);
    const std::string name = Log().substr(at + 22, Log().find('\r', at) - at - 22);
    EXPECT_EQ(name.size(), kRebarNameBuildChars);
}

TEST_F(RebarListTest, LookupsByNameAreExactAndByAreaWithinTwoPerMil)
{
    ReadText("20M 19.5 300\n25M 25.2 500\nalt25 25.0 500.5\n");
    EXPECT_EQ(list.FindByArea(0.0005), 1);
    EXPECT_EQ(list.FindByArea(0.0005 * 1.0019), 1);
    EXPECT_EQ(list.FindByArea(0.0005 * 1.0021), 2);
    EXPECT_EQ(list.FindByArea(0.0004), -1);
    EXPECT_EQ(list.FindByName("25m"), -1);
    EXPECT_EQ(list.FindByName("25M"), 1);
    EXPECT_EQ(list.FindByName(""), -1);

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.FindByArea(0.0005), -1);
}

TEST_F(RebarListTest, OutOfRangeIndicesGiveEmptyValues)
{
    ReadText("20M 19.5 300\n");
    for (int i : {-1, 1, 1000}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(list.GetName(i), "");
        EXPECT_EQ(list.GetArea(i), 0.0);
        EXPECT_EQ(list.GetDiameter(i), 0.0);
    }
}

TEST_F(RebarListTest, StandardFlagFollowsThePositionNotTheName)
{
    std::string text;
    for (int i = 0; i < kStandardRebarCount; ++i)
        text += "U" + std::to_string(i) + " 10 100\n";
    ReadText(text + DefaultRebarListing());
    EXPECT_EQ(list.Count(), 110 + 125);
    EXPECT_EQ(list.IsStandard("U109"), 1);
    EXPECT_EQ(list.IsStandard("10M"), 0);
    EXPECT_EQ(list.IsStandard("1 MM"), 0);
    EXPECT_EQ(list.IsStandard("unknown"), 0);
}

TEST_F(RebarListTest, AddCutsTheNameAndMarksLaterAdditions)
{
    EXPECT_EQ(list.Add("A name that is far too long", 1e-4, 0.0113), 1);
    EXPECT_EQ(list.GetName(0), "A name that is");
    EXPECT_FALSE(list.Changed());
    ASSERT_EQ(list.Init(ProgramFile()), 1);
    EXPECT_FALSE(list.Changed());
    EXPECT_EQ(list.Add("X1", 1e-4, 0.0113), 1);
    EXPECT_TRUE(list.Changed());
    EXPECT_EQ(list.Entries().back(), (RebarEntry{"X1", 1e-4, 0.0113, false}));
}

TEST_F(RebarListTest, ExistingFileIsReadAndNeverOverwritten)
{
    const std::string mine = "// mine\r\nMY1\t11.0\t95\r\nMY2 16 200\r\n";
    tmp.Write("program/rebar.dat", mine);
    ASSERT_EQ(list.Init(ProgramFile()), 1);
    EXPECT_EQ(list.Count(), 2);
    ExpectBar("MY1", 11.0, 95);
    EXPECT_EQ(tmp.Read("program/rebar.dat"), mine);
    EXPECT_FALSE(fs::exists(userDir));

    // Loading again reads the same file again.
    ASSERT_EQ(list.Load(), 1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(tmp.Read("program/rebar.dat"), mine);
}

TEST_F(RebarListTest, ReadOnlyProgramDirectoryUsesTheUserDataDirectory)
{
    const std::string dir = programDir.string();
    SetDirWritableTest([dir](const std::string& d) { return d != dir; });
    ASSERT_EQ(list.Init(ProgramFile()), 1);
    EXPECT_EQ(list.Count(), 125);
    EXPECT_EQ(list.SourcePath(), UserFile());
    EXPECT_EQ(list.Path(), ProgramFile());
    EXPECT_FALSE(fs::exists(ProgramFile()));
    EXPECT_EQ(tmp.Read("user/rebar.dat"), DefaultRebarListing());
    EXPECT_FALSE(HasReportText()) << Log();

    // The user's edited copy wins over a listing shipped with the program.
    tmp.Write("user/rebar.dat", "MINE 10 100\n");
    tmp.Write("program/rebar.dat", "SHIPPED 10 100\n");
    ASSERT_EQ(list.Init(ProgramFile()), 1);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.GetName(0), "MINE");
}

TEST_F(RebarListTest, ChmodReadOnlyProgramDirectoryStillGivesACatalogue)
{
    fs::permissions(programDir, fs::perms(0555));
    const int result = list.Init(ProgramFile());
    fs::permissions(programDir, fs::perms::owner_all, fs::perm_options::add);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(list.Count(), 125);
    EXPECT_FALSE(list.WriteFailed());
}

TEST_F(RebarListTest, NowhereToWriteLeavesAnEmptyCatalogueAndSaysSo)
{
    SetDirWritableTest([](const std::string&) { return false; });
    EXPECT_EQ(list.Init(ProgramFile()), 0);
    EXPECT_TRUE(list.WriteFailed());
    EXPECT_TRUE(list.Loaded());
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(LogCount(std::string(kWriteFailed) + "\r\n"), 1);
    EXPECT_EQ(LogCount("nor in the user data directory"), 1);
    EXPECT_EQ(list.FindByName("10M"), -1);
}

TEST_F(RebarListTest, GlobalCatalogueStartsEmpty)
{
    ValueGuard<TRebarList> guard(g_RebarList, TRebarList());
    EXPECT_EQ(g_RebarList.Count(), 0);
    EXPECT_FALSE(g_RebarList.Loaded());
    EXPECT_EQ(g_RebarList.FindByName("10M"), -1);
}

} // namespace

namespace {

TEST(RebarListReadTest, TruncatedListingGivesAPrefixOfTheFullList)
{
    const std::string text = DefaultRebarListing();
    TRebarList full;
    {
        std::istringstream in(text);
        full.ReadListing(in);
    }
    ASSERT_EQ(full.Count(), 125);
    // Every cut point of the file: the entries read are those of the full list, except that
    // the last one may have lost digits of its area.
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        ClearReportText();
        TRebarList part;
        std::istringstream in(text.substr(0, cut));
        part.ReadListing(in);
        ASSERT_LE(part.Count(), full.Count()) << "cut at " << cut;
        for (int i = 0; i + 1 < part.Count(); ++i)
            ASSERT_EQ(part.Entries()[static_cast<std::size_t>(i)],
                      full.Entries()[static_cast<std::size_t>(i)])
                << "cut at " << cut;
        if (part.Count() > 0) {
            ASSERT_EQ(part.GetName(part.Count() - 1), full.GetName(part.Count() - 1))
                << "cut at " << cut;
        }
    }
    ClearReportText();
}

} // namespace
