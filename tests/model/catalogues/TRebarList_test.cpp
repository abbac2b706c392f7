#include "model/catalogues/TRebarList.h"

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
// pi d^2 / 4 written to four significant figures.
constexpr double kFourFigureTol = 1e-3;
constexpr double kListed25MmTol = 2e-3;
constexpr double kPi = 3.14159265358979323846;

struct RebarListTest : ::testing::Test, TempProgramDir {
    std::string ProgramFile() const { return (programDir / "rebar.dat").string(); }
    std::string Log() const { return g_ReportText ? *g_ReportText : std::string(); }
    int LogCount(const std::string& fragment) const
    {
        int n = 0;
        for (auto at = Log().find(fragment); at != std::string::npos;
             at = Log().find(fragment, at + 1))
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

    TRebarList list;
};

TEST_F(RebarListTest, MissingFileIsWrittenWithTheDefaultListingAndRead)
{
    EXPECT_EQ(list.Init(ProgramFile()), 1);
    EXPECT_TRUE(list.Loaded());
    EXPECT_FALSE(list.Changed());
    EXPECT_FALSE(HasReportText()) << Log();
    ASSERT_EQ(list.Count(), 125);
    EXPECT_EQ(tmp.Read("program/rebar.dat"), DefaultRebarListing());
    ExpectBar("10M", 11.3, 100);
    ExpectBar("#18", 57.328, 2580.64);
    EXPECT_EQ(list.IsStandard("21 MM"), 1); // the 110th entry
    EXPECT_EQ(list.IsStandard("22 MM"), 0);

    // The bars named by diameter have the area of a circle of that diameter; the listing has
    // carried 490.1 for 25 mm (490.9 by the formula), kept as listed.
    for (const auto& [d, tolerance] : {std::pair{16, kFourFigureTol}, {25, kListed25MmTol}}) {
        SCOPED_TRACE(d);
        const int i = list.FindByName(std::to_string(d) + " MM");
        ASSERT_GE(i, 0);
        const double circle = kPi * d * d / 4e6;
        EXPECT_DOUBLE_EQ(list.GetDiameter(i), d / 1000.0);
        EXPECT_NEAR(list.GetArea(i), circle, tolerance * circle);
    }
}

// 1e-320 mm^2 is 1e-326 m^2, below the smallest double: it would be stored as 0.
TEST_F(RebarListTest, LinesOfTheHandWrittenCatalogue)
{
    ReadText("// my bars\n"
             "25M\t25.2\t500\n"
             "ABCDEFGHIJKLMNOPQRST 10 100\n"
             "D4 5.7\n"
             "NOSIZE\n"
             "ZEROAREA 12 0\n"
             "WORDAREA 12 big\n"
             "NEGDIA -12 100\n"
             "Bar 0 x 8 50 extra 77\n"
             "25M 99 9999\n"
             "TINYAREA 12 1e-320\n"
             "TINYDIA 1e-320 100\n"
             "SMALL 0.001 0.000001\n");
    EXPECT_EQ(list.Count(), 5);
    ExpectBar("25M", 25.2, 500); // the first of two equal names wins
    ExpectBar("ABCDEFGHIJKLMN", 10, 100);
    ExpectBar("Bar 0 x", 8, 50);
    ExpectBar("SMALL", 0.001, 0.000001);
    for (const char* line : {"no area : D4",
                             "no diameter or area : NOSIZE",
                             "no area : ZEROAREA",
                             "no area : WORDAREA",
                             "a negative diameter : NEGDIA",
                             "no area : TINYAREA",
                             "a diameter too small : TINYDIA"})
        EXPECT_EQ(LogCount("REBAR: bar listed with " + std::string(line) + "\r\n"), 1) << line;
    EXPECT_EQ(LogCount("REBAR:"), 7);
}

// A bar is held to what a section holds: at most 1 m^2, 2 sqrt(1 / pi) m = 1128.379 mm across.
// A line past either is refused by name; the largest bar reads.
TEST_F(RebarListTest, ABarLargerThanASectionHoldsIsRefused)
{
    ReadText("BIG 1600 2000000\n"
             "WIDE 1200 500\n"
             "HEAVY 25 1000010\n"
             "LARGEST 1128.379 1000000\n");
    EXPECT_EQ(list.Count(), 1);
    ExpectBar("LARGEST", 1128.379, 1000000);
    EXPECT_EQ(LogCount("REBAR: bar listed larger than a bar can be : BIG (1600 mm, 2000000 mm^2; a "
                       "bar is at most "
                       "1128.4 mm across and 1000000.0 mm^2)\r\n"),
              1);
    for (const char* name : {": WIDE (1200 mm, 500 mm^2;", ": HEAVY (25 mm, 1000010 mm^2;"})
        EXPECT_EQ(LogCount(name), 1) << name;
}

// Bars a file brought are taken away again when the list is put back where it reached.
TEST_F(RebarListTest, AnExtentPutBackDropsTheBarsBroughtSince)
{
    ReadText("20M 19.5 300\n");
    const TRebarList::Extent before = list.GetExtent();
    ASSERT_EQ(list.AddBrought("ZZ9", 500e-6, 0.0252), 1);
    list.RestoreExtent(before);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.FindByName("ZZ9"), -1);
    EXPECT_TRUE(list.IsListed("20M"));
}

TEST_F(RebarListTest, OverlongLinesAndNamesAreBounded)
{
    const std::string head = "BIG 12 100";
    const std::string padded = head + std::string(kRebarLineChars - head.size(), ' ');
    ReadText(padded + "TAIL 9 99\n" + std::string(kRebarLineChars, ' ') + "T2 5 20\nNEXT 8 50\n");
    EXPECT_EQ(list.Count(), 2);
    ExpectBar("NEXT", 8, 50);
    EXPECT_EQ(LogCount("REBAR: Line 1 too long (>127 characters).. truncated to 127\r\n"), 1);
    EXPECT_EQ(LogCount("too long"), 1) << "a long blank line is no data line";

    // 60 name words of two characters: 179 characters of name before the first number, cut
    // at the line's 127 characters; no number remains.
    list.Clear();
    ClearReportText();
    std::string words;
    for (int i = 0; i < 60; ++i)
        words += "ab ";
    ReadText(words + "10 100\n");
    EXPECT_EQ(list.Count(), 0);
    const auto at = Log().find("no diameter or area : ");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(Log().find('\r', at) - at - 22, kRebarNameBuildChars);
}

TEST_F(RebarListTest, LookupsAndEntriesAddedLater)
{
    ReadText("20M 19.5 300\n25M 25.2 500\nalt25 25.0 500.5\n");
    EXPECT_EQ(list.FindByArea(0.0005 * 1.0019), 1); // within two per mil
    EXPECT_EQ(list.FindByArea(0.0005 * 1.0021), 2);
    EXPECT_EQ(list.FindByArea(0.0004), -1);
    EXPECT_EQ(list.FindByName("25m"), -1);
    EXPECT_EQ(list.IsStandard("alt25"), 1); // the first entries are standard, whatever their name
    for (int i : {-1, 3}) {
        EXPECT_EQ(list.GetName(i), "");
        EXPECT_EQ(list.GetArea(i) + list.GetDiameter(i), 0.0);
    }

    list.Clear();
    ASSERT_EQ(list.Init(ProgramFile()), 1);
    EXPECT_EQ(list.Add("A name that is far too long", 1e-4, 0.0113), 1);
    EXPECT_TRUE(list.Changed());
    EXPECT_EQ(list.Entries().back(), (RebarEntry{"A name that is", 1e-4, 0.0113, false}));
}

TEST_F(RebarListTest, ExistingFileIsReadAndNeverOverwritten)
{
    const std::string mine = "// mine\r\nMY1\t11.0\t95\r\nMY2 16 200\r\n";
    tmp.Write("program/rebar.dat", mine);
    ASSERT_EQ(list.Init(ProgramFile()), 1);
    EXPECT_EQ(list.Count(), 2);
    ExpectBar("MY1", 11.0, 95);
    EXPECT_EQ(tmp.Read("program/rebar.dat"), mine);
}

// An installed program's directory is read-only: the default catalogue goes to the user's
// data directory and is read from there.
TEST_F(RebarListTest, ReadOnlyProgramDirectoryUsesTheUserDataDirectory)
{
    ProgramDirReadOnly();
    ASSERT_EQ(list.Init(ProgramFile()), 1);
    EXPECT_EQ(list.Count(), 125);
    EXPECT_EQ(fs::path(list.SourcePath()), userDir / "rebar.dat");
    EXPECT_FALSE(list.WriteFailed());
}

TEST_F(RebarListTest, NowhereToWriteLeavesAnEmptyCatalogueAndSaysSo)
{
    SetDirWritableTest([](const std::string&) { return false; });
    EXPECT_EQ(list.Init(ProgramFile()), 0);
    EXPECT_TRUE(list.WriteFailed());
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(LogCount("Automatic creation of rebar.dat file failed. Disk may be full or "
                       "read-only.\r\nThis means that reinforcment may not be specified by name "
                       "in new sections\r\n"),
              1);
}

TEST(RebarListReadTest, TruncatedListingGivesAPrefixOfTheFullList)
{
    const std::string text = DefaultRebarListing();
    TRebarList full;
    std::istringstream whole(text);
    full.ReadListing(whole);
    // Every cut point: the entries read are those of the full list, except that the last one
    // may have lost digits of its area.
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        SCOPED_TRACE(cut);
        ClearReportText();
        TRebarList part;
        std::istringstream in(text.substr(0, cut));
        part.ReadListing(in);
        ASSERT_LE(part.Count(), full.Count());
        for (int i = 0; i + 1 < part.Count(); ++i)
            ASSERT_EQ(part.Entries()[i], full.Entries()[i]);
        if (part.Count() > 0) {
            ASSERT_EQ(part.GetName(part.Count() - 1), full.GetName(part.Count() - 1));
        }
    }
    ClearReportText();
}

} // namespace
