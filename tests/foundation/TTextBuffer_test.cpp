#include "foundation/TTextBuffer.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

TEST(TTextBufferTest, AppendAndAssignBuildTheText)
{
    TTextBuffer b("Line 1\r\n");
    EXPECT_EQ(b.Append("Line 2\r\n"), 1);
    EXPECT_STREQ(b.GetText(), "Line 1\r\nLine 2\r\n");
    EXPECT_EQ(b.Assign("new"), 1);
    EXPECT_EQ(b.Append(nullptr), 1);
    EXPECT_EQ(b.Append(std::string_view("ab\0cd", 5)), 1); // a text ends at its NUL
    EXPECT_EQ(b.GetString(), "newab");
}

TEST(TTextBufferTest, SaveThenLoadGivesTheTextBackAndFailuresAreReported)
{
    TempDir dir;
    std::string text = "<?xml version=\"1.0\"?>\r\n";
    for (int i = 0; i < 50; ++i)
        text += "a line long enough to need several pieces when read back: " +
                std::string(static_cast<std::size_t>(i * 3), '#') + "\r\n";
    const std::string path = dir.File("doc.qvh");
    ASSERT_EQ(TTextBuffer(text).SaveToFile(path), 1);
    TTextBuffer in("old contents");
    ASSERT_EQ(in.LoadFromFile(path), 1);
    EXPECT_EQ(in.GetString(), text);

    EXPECT_EQ(in.SaveToFile(dir.File("no/such/folder/x.qvh")), 0);
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_EQ(in.SaveToFile("/dev/full"), 0); // every write fails: disk full
    }
    in.Rewind();
    in.Advance(5);
    EXPECT_EQ(in.LoadFromFile(dir.File("missing.qvh")), 0);
    EXPECT_EQ(in.GetLength(), 0u);
    EXPECT_FALSE(in.NotAtEnd()); // the cursor stays inside the emptied text
}

TEST(TTextBufferTest, ReadWordStopsAtBlankTabAndCloseTagAndDropsLineEnds)
{
    const struct {
        const char *text, *word;
        char stop;
    } rows[] = {
        {" def", "", ' '}, // on a blank: an empty word, nothing passed
        {"name>", "name", '>'},
        {"12.5\t7", "12.5", '\t'},
        {"4\r\n2 x", "42", ' '},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        TTextBuffer b(row.text);
        b.Rewind();
        std::string word = "old";
        EXPECT_EQ(b.ReadWord(word), 1);
        EXPECT_EQ(word, row.word);
        EXPECT_EQ(b.PeekChar(), row.stop);
    }
}

TEST(TTextBufferTest, ReadIntoFixedArrayIsCutButPassesTheWholeWord)
{
    RecordingReporter rec;
    const std::string huge(5000, 'w');
    TTextBuffer b(huge + " \"" + huge);
    b.Rewind();
    char word[8];
    EXPECT_EQ(b.ReadWord(word, sizeof word), 1);
    EXPECT_STREQ(word, "wwwwwww");
    EXPECT_EQ(b.PeekChar(), ' ');

    // A quoted value without its closing quote stops at the end of the text.
    b.SkipBlanks();
    char value[16];
    EXPECT_EQ(b.ReadQuoted(value, sizeof value), 1);
    EXPECT_EQ(std::string(value), huge.substr(0, 15));
    EXPECT_FALSE(b.NotAtEnd());
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].caption, "End of File!");
    EXPECT_LT(rec.messages[0].text.size(), kMessageBufferSize);
}

TEST(TTextBufferTest, ReadQuotedTakesTheValueAndReportsAMissingOpeningQuote)
{
    RecordingReporter rec;
    TTextBuffer b("\"x y\" z");
    b.Rewind();
    std::string value;
    EXPECT_EQ(b.ReadQuoted(value), 1);
    EXPECT_EQ(value, "x y");
    EXPECT_TRUE(rec.messages.empty());

    b.Assign("abc\" rest");
    b.Rewind();
    EXPECT_EQ(b.ReadQuoted(value), 1);
    EXPECT_EQ(value, "abc");
    EXPECT_EQ(b.PeekChar(), ' ');
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].caption, "Error in Quotes!");
    EXPECT_EQ(rec.messages[0].text, "abc\" rest");
}

TEST(TTextBufferTest, CursorStaysInsideTheTextAndIsNoneBeforeRewind)
{
    RecordingReporter rec;
    TTextBuffer b("ab");
    EXPECT_EQ(b.PeekChar(), '\0');
    std::string text = "old";
    EXPECT_EQ(b.ReadWord(text), 0);
    EXPECT_EQ(text, "");
    EXPECT_TRUE(rec.messages.empty());
    EXPECT_FALSE(b.SkipBlanks());
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, "ERROR!");

    b.Rewind();
    EXPECT_EQ(b.Advance(100), 2);
    EXPECT_EQ(b.Advance(-100), -2);
    // Replacing the text keeps the cursor inside, and growth keeps its offset.
    b.Assign("a long first text");
    b.Advance(10);
    b.Assign("ab");
    EXPECT_FALSE(b.NotAtEnd());
    b.Append(std::string(500, 'c'));
    EXPECT_EQ(b.PeekChar(), 'c');
}

TEST(TTextBufferTest, MessageBufferKeepsUnder1024Characters)
{
    TMessageBuffer m;
    m.Format("%d errors in %s", 3, "rebar.dat");
    EXPECT_EQ(m.GetText(), "3 errors in rebar.dat");
    m.Format("%s", std::string(2000, 'n').c_str());
    EXPECT_EQ(m.GetText().size(), kMessageBufferSize - 1);
}

TEST(TTextBufferTest, WindowTitleUsesLowerCaseBaseNameUpToFirstDot)
{
    const std::pair<std::string, std::string> rows[] = {
        {"C:\\Data\\My.Beam.qvh", "my"},
        {"/home/eng/mixed\\Dir/Bridge Pier.QVH", "bridge pier"},
        {"/tmp/dir/", ""},
        {"/" + std::string(3000, 'd') + "/" + std::string(2000, 'B') + ".qvh",
         std::string(2000, 'b')},
    };
    for (const auto& [path, base] : rows) {
        SCOPED_TRACE(path.substr(0, 40));
        EXPECT_EQ(ComposeWindowTitle("Quarvish", path, "Cross Section"),
                  "Quarvish  -  " + base + "  -  Cross Section");
    }
}

} // namespace
