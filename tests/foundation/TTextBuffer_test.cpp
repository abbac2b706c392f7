#include "foundation/TTextBuffer.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

std::ptrdiff_t CursorOffset(const TTextBuffer& b)
{
    return b.GetCursor() - b.GetText();
}

// --- growth ----------------------------------------------------------------------------------

TEST(TTextBufferTest, CapacityFollowsTheGrowthRule)
{
    TTextBuffer big(std::string(200, 'a'));
    EXPECT_EQ(big.GetCapacity(), 201u); // the text and its NUL
    big.Append("b");
    EXPECT_EQ(big.GetCapacity(), 329u); // + 128

    TTextBuffer empty("");
    EXPECT_EQ(empty.GetCapacity(), 128u);
    empty.Append(std::string(127, 'x'));
    EXPECT_EQ(empty.GetCapacity(), 128u); // 127 characters and the NUL fill it
    empty.Append("y");
    EXPECT_EQ(empty.GetCapacity(), 256u);
    EXPECT_EQ(empty.GetLength(), 128u);

    TTextBuffer wide;
    EXPECT_EQ(wide.Append(std::string(300, 'z')), 1);
    EXPECT_EQ(wide.GetCapacity(), 430u); // 128 + 300 + 2
    EXPECT_EQ(wide.GetLength(), 300u);
}

TEST(TTextBufferTest, AppendAndAssignBuildTheText)
{
    TTextBuffer b("Line 1\r\n");
    EXPECT_EQ(b.Append("Line 2\r\n"), 1);
    EXPECT_STREQ(b.GetText(), "Line 1\r\nLine 2\r\n");
    EXPECT_EQ(b.Assign("new"), 1);
    EXPECT_STREQ(b.GetText(), "new");
    EXPECT_EQ(b.GetLength(), 3u);
    EXPECT_EQ(b.Append(nullptr), 1);
    EXPECT_EQ(b.Append(std::string_view("ab\0cd", 5)), 1); // a text ends at its NUL
    EXPECT_EQ(b.GetString(), "newab");
}

// --- files -----------------------------------------------------------------------------------

TEST(TTextBufferTest, SaveThenLoadGivesTheTextBack)
{
    TempDir dir;
    std::string text = "<?xml version=\"1.0\"?>\r\n";
    for (int i = 0; i < 50; ++i)
        text += "a line that is long enough to need several pieces when read back: " +
                std::string(static_cast<std::size_t>(i * 3), '#') + "\r\n";
    TTextBuffer out(text);
    const std::string path = dir.File("doc.qvh");
    ASSERT_EQ(out.SaveToFile(path), 1);
    EXPECT_EQ(dir.Read("doc.qvh"), text);

    TTextBuffer in("old contents");
    ASSERT_EQ(in.LoadFromFile(path), 1);
    EXPECT_EQ(in.GetString(), text);
}

TEST(TTextBufferTest, SaveReportsFailure)
{
    TempDir dir;
    TTextBuffer b("data");
    EXPECT_EQ(b.SaveToFile(dir.File("no/such/folder/x.qvh")), 0);
    EXPECT_EQ(b.SaveToFile(dir.path().string()), 0); // a folder
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_EQ(b.SaveToFile("/dev/full"), 0); // every write fails: disk full
    }
}

TEST(TTextBufferTest, LoadOfMissingOrUnreadableFileGivesEmptyTextAndZero)
{
    TempDir dir;
    TTextBuffer b("previous");
    b.Rewind();
    b.Advance(5);
    EXPECT_EQ(b.LoadFromFile(dir.File("missing.qvh")), 0);
    EXPECT_EQ(b.GetLength(), 0u);
    EXPECT_FALSE(b.NotAtEnd()); // the cursor stays inside the emptied text
    b.Assign("previous");
    EXPECT_EQ(b.LoadFromFile(dir.path().string()), 0); // a folder cannot be read
    EXPECT_EQ(b.GetLength(), 0u);
}

// --- cursor reading --------------------------------------------------------------------------

TEST(TTextBufferTest, ReadWordStopsAtBlankAndAnswersEmptyOnBlank)
{
    TTextBuffer b("abc def");
    b.Rewind();
    std::string word;
    EXPECT_EQ(b.ReadWord(word), 1);
    EXPECT_EQ(word, "abc");
    EXPECT_EQ(b.PeekChar(), ' ');
    EXPECT_EQ(b.ReadWord(word), 1);
    EXPECT_EQ(word, "");
    EXPECT_EQ(CursorOffset(b), 3);
    EXPECT_TRUE(b.SkipBlanks());
    b.ReadWord(word);
    EXPECT_EQ(word, "def");
    EXPECT_FALSE(b.NotAtEnd());
}

TEST(TTextBufferTest, ReadWordStopsAtTabAndCloseTagAndDropsLineEnds)
{
    const struct {
        const char* text;
        const char* word;
        char stop;
    } rows[] = {
        {"name>", "name", '>'},
        {"12.5\t7", "12.5", '\t'},
        {"4\r\n2 x", "42", ' '},
        {"\r\n", "", '\0'},
        {"tail", "tail", '\0'},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        TTextBuffer b(row.text);
        b.Rewind();
        std::string word;
        b.ReadWord(word);
        EXPECT_EQ(word, row.word);
        EXPECT_EQ(b.PeekChar(), row.stop);
    }
}

TEST(TTextBufferTest, ReadWordIntoFixedArrayIsCutButPassesTheWholeWord)
{
    const std::string huge(5000, 'w');
    TTextBuffer b(huge + " next");
    b.Rewind();
    char word[8];
    std::fill(std::begin(word), std::end(word), 'X');
    EXPECT_EQ(b.ReadWord(word, sizeof word), 1);
    EXPECT_STREQ(word, "wwwwwww");
    EXPECT_EQ(CursorOffset(b), 5000);

    b.SkipBlanks();
    char tiny[1] = {'X'};
    b.ReadWord(tiny, sizeof tiny);
    EXPECT_EQ(tiny[0], '\0');
    EXPECT_FALSE(b.NotAtEnd());
    EXPECT_EQ(b.ReadWord(nullptr, 0), 1); // nowhere to write: nothing written
}

TEST(TTextBufferTest, ReadQuotedTakesValueAndPassesClosingQuote)
{
    RecordingReporter rec;
    TTextBuffer b("\"x y\" z");
    b.Rewind();
    std::string value;
    EXPECT_EQ(b.ReadQuoted(value), 1);
    EXPECT_EQ(value, "x y");
    EXPECT_EQ(b.PeekChar(), ' ');
    EXPECT_EQ(CursorOffset(b), 5);
    EXPECT_TRUE(rec.messages.empty());

    TTextBuffer empty("\"\"");
    empty.Rewind();
    empty.ReadQuoted(value);
    EXPECT_EQ(value, "");
    EXPECT_FALSE(empty.NotAtEnd());
}

TEST(TTextBufferTest, ReadQuotedWithoutOpeningQuoteReportsAndReadsOn)
{
    RecordingReporter rec;
    TTextBuffer b("abc\" rest");
    b.Rewind();
    std::string value;
    EXPECT_EQ(b.ReadQuoted(value), 1);
    EXPECT_EQ(value, "abc");
    EXPECT_EQ(b.PeekChar(), ' ');
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].caption, "Error in Quotes!");
    EXPECT_EQ(rec.messages[0].text, "abc\" rest");
}

TEST(TTextBufferTest, ReadQuotedWithoutTerminatorStopsAtTheEnd)
{
    RecordingReporter rec;
    const std::string huge(3000, 'q');
    TTextBuffer b("\"" + huge);
    b.Rewind();
    char value[16];
    EXPECT_EQ(b.ReadQuoted(value, sizeof value), 1);
    EXPECT_EQ(std::string(value), huge.substr(0, 15));
    EXPECT_FALSE(b.NotAtEnd());
    EXPECT_EQ(CursorOffset(b), 3001);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].caption, "End of File!");
    EXPECT_LT(rec.messages[0].text.size(), kMessageBufferSize);
}

TEST(TTextBufferTest, CursorStopsAtBothEndsAndReadersAtTheEndStayThere)
{
    RecordingReporter rec;
    TTextBuffer b("ab");
    b.Rewind();
    EXPECT_EQ(b.Advance(1), 1);
    EXPECT_EQ(b.Advance(100), 1);
    EXPECT_EQ(b.Advance(1), 0);
    EXPECT_EQ(b.Advance(-100), -2);
    EXPECT_EQ(b.PeekChar(), 'a');
    b.Advance(2);
    std::string text;
    b.ReadWord(text);
    EXPECT_EQ(text, "");
    b.ReadQuoted(text); // no quote, then no end quote: both reported
    EXPECT_EQ(text, "");
    EXPECT_EQ(rec.Count(""), 2);
    EXPECT_TRUE(b.SkipBlanks());
    EXPECT_EQ(b.PeekChar(), '\0');
    EXPECT_EQ(CursorOffset(b), 2);
}

TEST(TTextBufferTest, NoCursorBeforeRewind)
{
    RecordingReporter rec;
    TTextBuffer b("text");
    EXPECT_EQ(b.GetCursor(), nullptr);
    EXPECT_EQ(b.PeekChar(), '\0');
    EXPECT_FALSE(b.NotAtEnd());
    EXPECT_EQ(b.Advance(2), 0);
    std::string text = "old";
    EXPECT_EQ(b.ReadWord(text), 0);
    EXPECT_EQ(text, "");
    EXPECT_EQ(b.ReadQuoted(text), 0);
    EXPECT_TRUE(rec.messages.empty());
    EXPECT_FALSE(b.SkipBlanks());
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, "ERROR!");
}

TEST(TTextBufferTest, ReplacingTheTextKeepsTheCursorInside)
{
    TTextBuffer b("a long first text");
    b.Rewind();
    b.Advance(10);
    b.Assign("ab");
    EXPECT_EQ(CursorOffset(b), 2);
    EXPECT_FALSE(b.NotAtEnd());
    b.Append(std::string(500, 'c')); // growth keeps the offset
    EXPECT_EQ(b.PeekChar(), 'c');
}

// --- shared message texts and titles ---------------------------------------------------------

TEST(TTextBufferTest, MessageBufferKeepsUnder1024Characters)
{
    TMessageBuffer m;
    m.Format("%d errors in %s", 3, "rebar.dat");
    EXPECT_EQ(m.GetText(), "3 errors in rebar.dat");
    m.Assign(std::string(5000, 'm'));
    EXPECT_EQ(m.GetText().size(), kMessageBufferSize - 1);
    m.Format("%s", std::string(2000, 'n').c_str());
    EXPECT_EQ(m.GetText().size(), kMessageBufferSize - 1);
    m.Clear();
    EXPECT_TRUE(m.IsEmpty());
}

TEST(TTextBufferTest, WindowTitleUsesLowerCaseBaseNameUpToFirstDot)
{
    const struct {
        const char* path;
        const char* title;
    } rows[] = {
        {"C:\\Data\\My.Beam.qvh", "Quarvish  -  my  -  Cross Section"},
        {"/home/eng/Projects/Bridge Pier.QVH", "Quarvish  -  bridge pier  -  Cross Section"},
        {"/home/eng/mixed\\Dir/Col-1.q2t", "Quarvish  -  col-1  -  Cross Section"},
        {"Newbeam", "Quarvish  -  newbeam  -  Cross Section"},
        {"", "Quarvish  -    -  Cross Section"},
        {"/tmp/dir/", "Quarvish  -    -  Cross Section"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(ComposeWindowTitle("Quarvish", row.path, "Cross Section"), row.title);
    }
    const std::string longPath =
        "/" + std::string(3000, 'd') + "/" + std::string(2000, 'B') + ".qvh";
    EXPECT_EQ(ComposeWindowTitle("Quarvish", longPath, "x"),
              "Quarvish  -  " + std::string(2000, 'b') + "  -  x");
}

} // namespace
