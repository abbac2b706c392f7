#include "model/shapes/ShapeLibrary.h"

#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "foundation/Sentinel.h"

#include "model/shapes/ShapeTestSupport.h"

namespace {

// A shape block with the given outline rows (one per line) and parameters "b h".
std::string Block(const std::string& name, const std::string& rows)
{
    return "TYPE " + name + "\n\tTest Section\nPARAMS b h\n\tWidth\n\tHeight\nSECTION\n" + rows +
           "ENDTYPE\n";
}

const std::string kGoodRect = Block("GOOD", "\th b\n\t0 b\n");

TEST_F(ShapeLibraryTest, MissingShapeFileIsWrittenWithDefaultsAndRead)
{
    ASSERT_EQ(LoadShapeLibrary(0), 1);
    EXPECT_EQ(tmp.Read("program/shape.dat"), DefaultShapeFileText());
    EXPECT_EQ(ShapeNames(), (std::vector<std::string>{"RECT", "CIRCLE", "TBEAM", "IBEAM"}));
    EXPECT_FALSE(HasReportText()) << Report();
    EXPECT_EQ(ShapeTable[1]->rebarPattern, kRebarPolar);
    EXPECT_EQ(ShapeTable[3]->paramCount, 6);
    EXPECT_EQ(ShapeTable[3]->paramDescriptions[5], "Bottom flange width");
}

TEST_F(ShapeLibraryTest, NowhereToWriteLeavesTableEmptyAndSaysSo)
{
    SetDirWritableTest([](const std::string&) { return false; });
    EXPECT_EQ(LoadShapeLibrary(0), 0);
    EXPECT_TRUE(ShapeNames().empty());
    EXPECT_NE(Report().find("Automatic creation of shape.dat file failed. Disk may be full or "
                            "read-only.\r\nThis means that the standard shapes (circle rectangle "
                            "etc) willl not be available\r\n"),
              std::string::npos);
}

TEST_F(ShapeLibraryTest, ExistingFileIsReadAndLeftAloneLongNamesCutReloadingReplaces)
{
    ASSERT_EQ(LoadShapes(Block(std::string(40, 'N'), "h b\n0 b\n")), 1);
    EXPECT_EQ(ShapeNames(), std::vector<std::string>{std::string(kShapeNameChars, 'N')});
    ASSERT_EQ(LoadShapes(kGoodRect), 1);
    EXPECT_EQ(ShapeNames(), std::vector<std::string>{"GOOD"});
    EXPECT_EQ(tmp.Read("program/shape.dat"), kGoodRect);
    EXPECT_FALSE(HasReportText()) << Report();
}

TEST_F(ShapeLibraryTest, StandardSectionsTakeNumbersOnlyAndAreNeverWritten)
{
    EXPECT_EQ(LoadShapeLibrary(1), 0);
    EXPECT_FALSE(std::filesystem::exists(programDir / "standard.dat"));
    EXPECT_FALSE(std::filesystem::exists(userDir / "standard.dat"));

    tmp.Write("program/standard.dat",
              "// catalogue\nTYPE PCI1\nCATEGORY PCI\nSECTION\n700 300\n0 300\nENDTYPE\n"
              "TYPE BAD\nSECTION\nh 300\n0 300\nENDTYPE\n");
    ASSERT_EQ(LoadShapeLibrary(1), 1);
    ASSERT_TRUE(StandardTable[0]);
    EXPECT_EQ(StandardTable[0]->name, "PCI1");
    EXPECT_EQ(StandardTable[0]->category, "PCI");
    EXPECT_EQ(StandardTable[0]->typeCode, kStandardTypeCode);
    EXPECT_FALSE(StandardTable[1]);
    EXPECT_NE(Report().find("STANDARD BAD: Unknown variable listed: h"), std::string::npos);
}

TEST_F(ShapeLibraryTest, TextIsReadAsTheFileIsWithoutTouchingAFile)
{
    ReadShapeLibraryText(0, kGoodRect + kGoodRect);
    EXPECT_EQ(ShapeNames(), std::vector<std::string>{"GOOD"});
    EXPECT_NE(Report().find("SHAPE GOOD: Duplicate section name"), std::string::npos);
    ReadShapeLibraryText(1, "TYPE PCI1\nCATEGORY PCI\nSECTION\n700 300\n0 300\nENDTYPE\n");
    ASSERT_TRUE(StandardTable[0]);
    EXPECT_EQ(StandardTable[0]->category, "PCI");
    EXPECT_EQ(ShapeNames(), std::vector<std::string>{"GOOD"});
    ReadShapeLibraryText(0, "");
    EXPECT_TRUE(ShapeNames().empty());
    EXPECT_FALSE(std::filesystem::exists(programDir / "shape.dat"));
    EXPECT_FALSE(std::filesystem::exists(userDir / "shape.dat"));
}

TEST_F(ShapeLibraryTest, ReportStartsWithHeaderOfItsKind)
{
    const char* headers[] = {
        "ERRORS in Loading Sections\r\n\r\nThe following errors occured during loading\r\n\r\n",
        "Errors in defining Section\r\n\r\nThe following errors occured during definition\r\n\r\n",
        "Errors in Something!\r\n\r\nThe following errors occured\r\n\r\n"};
    for (int kind = 0; kind < 3; ++kind) {
        SCOPED_TRACE(kind);
        ClearReportText();
        ReportShapeError("first", kind);
        ReportShapeError("second", 1 - kind);
        EXPECT_EQ(Report(), std::string(headers[kind]) + "first\r\nsecond\r\n");
    }
}

// Files a user might have broken: each must be refused with its message, without harm to
// the good shape that follows.
TEST_F(ShapeLibraryTest, FaultyShapesAreRefusedWithTheirMessage)
{
    std::string manyArcs; // 20 rows with 19 arcs: 20 + 19 * 5 = 115 points
    std::string rows101;
    for (int i = 0; i < 20; ++i)
        manyArcs += std::string(i ? "\tUP\n" : "") + "\t" + std::to_string(2000 - 100 * i) + " b\n";
    for (int i = 0; i < 101; ++i)
        rows101 += std::to_string(1000 - i) + " b\n";
    struct Case {
        const char* what;
        std::string file;
        const char* message;
    };
    const Case cases[] = {
        {"too many points", Block("ARCS", manyArcs), "SHAPE ARCS: Too many outline points (115)"},
        {"too many rows", Block("ROWS", rows101), "SHAPE ROWS: Too many sections; 100 allowed"},
        {"deep formula",
         Block("DEEP", "((((((((((h)))))))))) b\n0 b\n"),
         "SHAPE DEEP: Formula too complex in section line 1"},
        {"unbalanced", Block("OPEN", "(h b\n0 b\n"), "SHAPE OPEN: Error in formula"},
        {"height an arc marker would have",
         Block("HUGE", "h b\n-10000000000000000000000000 b\n"),
         "SHAPE HUGE: Height out of range in section line 2"},
        {"unknown variable", Block("VAR", "h x\n0 b\n"), "SHAPE VAR: Unknown variable listed: x"},
        {"one row", Block("ONE", "h b\n"), "Minimum of 2 needed. 1 found"},
        {"no width", Block("HALF", "h\n0 b\n"), "SHAPE HALF: Height specified without width"},
        {"open arc", Block("ARC", "h b\nUP\n"), "SHAPE ARC: Incomplete circle definition"},
        {"arc first", Block("FIRST", "UP\nh b\n"), "SHAPE FIRST: Error in circle definition : UP"},
        {"no name", "TYPE\n", "SHAPE: No title of section after TYPE keyword"},
        {"long line",
         "// " + std::string(300, 'x') + "\n",
         "SHAPE: Line too long (>128 characters).. truncated to 128"},
        {"seven params",
         "TYPE SEVEN\n\tT\nPARAMS a b c d e f g\nSECTION\na b\n0 g\nENDTYPE\n",
         "SHAPE SEVEN: Too many parameters.  Only 6 allowed."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearReportText();
        ASSERT_EQ(LoadShapes(c.file + kGoodRect), 1);
        EXPECT_NE(Report().find(c.message), std::string::npos) << Report();
        EXPECT_EQ(ShapeNames(), std::vector<std::string>{"GOOD"});
    }
}

// Keywords are read in the spellings the file format names ("DOWN" or "down" but only "UP";
// "RECT" but "POLAR"/"polar" and "BIPOLAR"/"bipolar"); any other spelling is no keyword. A
// sign may open only a formula or a parenthesis.
TEST_F(ShapeLibraryTest, KeywordSpellingsAndSignsFollowOneRule)
{
    struct Case {
        const char* rows;
        bool loaded;
        int pattern;
        const char* message; // null: nothing reported
    };
    const Case cases[] = {
        {"h b\nDOWN\n0 b\n", true, kRebarRect, nullptr},
        {"h b\ndown\n0 b\n", true, kRebarRect, nullptr},
        {"h b\nUP\n0 b\n", true, kRebarRect, nullptr},
        {"h b\nup\n0 b\n", false, kRebarRect, "SHAPE T: Height specified without width"},
        {"h b\nDown\n0 b\n", false, kRebarRect, "SHAPE T: Height specified without width"},
        {"h b\n0 b\nREBAR RECT\n", true, kRebarRect, nullptr},
        {"h b\n0 b\nrebar rect\n", true, kRebarRect, "SHAPE T: Unknown Rebar pattern"},
        {"h b\n0 b\nREBAR POLAR\n", true, kRebarPolar, nullptr},
        {"h b\n0 b\nrebar polar\n", true, kRebarPolar, nullptr},
        {"h b\n0 b\nREBAR Polar\n", true, kRebarRect, "SHAPE T: Unknown Rebar pattern"},
        {"h b\n0 b\nREBAR bipolar\n", true, kRebarBipolar, nullptr},
        {"-(-h) b\n0 b\n", true, kRebarRect, nullptr},
        {"h b-(-b)\n0 b\n", true, kRebarRect, nullptr},
        {"h+-b b\n0 b\n", false, kRebarRect, "SHAPE T: Error in formula in section line 1"},
        {"h b*-1\n0 b\n", false, kRebarRect, "SHAPE T: Error in formula in section line 1"},
        {"--h b\n0 b\n", false, kRebarRect, "SHAPE T: Error in formula in section line 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows);
        ClearReportText();
        ASSERT_EQ(LoadShapes(Block("T", c.rows)), 1);
        ASSERT_EQ(ShapeTable[0] != nullptr, c.loaded) << Report();
        if (c.loaded) {
            EXPECT_EQ(ShapeTable[0]->rebarPattern, c.pattern);
        }
        if (c.message != nullptr) {
            EXPECT_NE(Report().find(c.message), std::string::npos) << Report();
        } else {
            EXPECT_FALSE(HasReportText()) << Report();
        }
    }
}

// An outline holds at most 104 points: each row is a point and each arc (UP before a row)
// five more. 19 rows with 17 arcs make exactly 104; one row more makes 105 and is refused.
TEST_F(ShapeLibraryTest, OutlineOfAtMost104PointsIsAccepted)
{
    for (int rowCount : {19, 20}) {
        SCOPED_TRACE(rowCount);
        ClearReportText();
        std::string rows;
        for (int i = 0; i < rowCount; ++i)
            rows += std::string(i > 0 && i < 18 ? "UP\n" : "") + std::to_string(1900 - 100 * i) +
                    " b\n";
        ASSERT_EQ(LoadShapes(Block("FULL", rows)), 1);
        if (rowCount == 20) {
            EXPECT_TRUE(ShapeNames().empty());
            EXPECT_NE(Report().find("SHAPE FULL: Too many outline points (105); 104 allowed"),
                      std::string::npos)
                << Report();
            continue;
        }
        ASSERT_EQ(ShapeNames(), std::vector<std::string>{"FULL"}) << Report();
        EXPECT_EQ(ShapeTable[0]->EvaluateOutline({0.3, 0.5, 1, 1, 1, 1}), 1);
        EXPECT_EQ(ShapeTable[0]->pointCount, kMaxShapePoints);
        EXPECT_TRUE(IsUndefined(ShapeTable[0]->points[kMaxShapePoints].depth));
    }
}

TEST_F(ShapeLibraryTest, DuplicateNameAndFileEndingInsideABlockKeepTheFirstShape)
{
    ASSERT_EQ(LoadShapes(kGoodRect + Block("GOOD", "h 2*b\n0 2*b\n") + "TYPE CUT\nSECTION\nh b\n0"),
              1);
    EXPECT_NE(Report().find("SHAPE GOOD: Duplicate section name"), std::string::npos);
    EXPECT_NE(Report().find("CUT: End of File Before ENDTYPE reached"), std::string::npos);
    ASSERT_EQ(ShapeNames(), std::vector<std::string>{"GOOD"});
    ShapeTable[0]->EvaluateOutline({0.3, 0.5, 1, 1, 1, 1});
    EXPECT_DOUBLE_EQ(ShapeTable[0]->points[0].width, 0.3);
}

TEST_F(ShapeLibraryTest, LoadingStopsWhenTableIsFull)
{
    std::string file;
    for (int i = 0; i < kShapeTableSize + 5; ++i)
        file += Block("S" + std::to_string(i), "h b\n0 b\n");
    ASSERT_EQ(LoadShapes(file), 1);
    EXPECT_EQ(ShapeNames().size(), static_cast<std::size_t>(kShapeTableSize));
    EXPECT_EQ(ShapeTable[kShapeTableSize - 1]->name, "S99");
    EXPECT_NE(Report().find("SHAPE S100: Too many sections in file; only 100 allowed"),
              std::string::npos);
}

TEST_F(ShapeLibraryTest, RandomGarbageNeverCrashes)
{
    std::vector<std::string> pieces = {std::string(1, '\0'), std::string(200, 'z')};
    std::istringstream list(
        "TYPE X\n|SECTION\n|ENDTYPE\n|UP\n|DOWN\n|PARAMS a b\n|REBAR POLAR\n|(|)|a|"
        "b|*|-|/| |\n|\t|1.5|\x1f|$|%|//");
    for (std::string piece; std::getline(list, piece, '|');)
        pieces.push_back(piece);
    std::mt19937 random(12345);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    for (int file = 0; file < 40; ++file) {
        std::string content;
        for (int i = 0; i < 300; ++i)
            content += pieces[pick(random)];
        ClearReportText();
        ASSERT_EQ(LoadShapes(content), 1);
        for (const auto& shape : ShapeTable) {
            if (shape) {
                EXPECT_GE(shape->EvaluateOutline({1, 1, 1, 1, 1, 1}), 0);
            }
        }
    }
}

} // namespace
