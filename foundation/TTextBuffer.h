#pragma once
// TTextBuffer: the program's growable text. Reports, clipboard texts, chart data exports and XML
// documents are built in one; the XML reader walks one with a read cursor, taking quoted values
// and words. Beside it: the two shared message texts and the window-title composer.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Room of a shared message text, its terminator included.
inline constexpr std::size_t kMessageBufferSize = 1024;

// A shared message text: holds at most kMessageBufferSize - 1 characters, longer texts are cut.
// Used where a text is composed in one place and read in another (the last diagnostic trace
// that the debug prompt shows); everywhere else texts are built in local std::strings.
class TMessageBuffer {
public:
    void Assign(std::string_view text);
    void Format(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    void Clear() { m_text.clear(); }
    const std::string& GetText() const { return m_text; }
    const char* c_str() const { return m_text.c_str(); }
    bool IsEmpty() const { return m_text.empty(); }

private:
    std::string m_text;
};

// g_MessageBuffer: messages, labels and titles; g_MessageBuffer2: texts composed while the first
// one is in use.
extern TMessageBuffer g_MessageBuffer;
extern TMessageBuffer g_MessageBuffer2;

// A growable NUL-terminated text with a read cursor.
//
// Capacity follows the classic rule so that memory use is predictable: it starts at the larger
// of 128 and what the start text needs, and an append that would not leave room for the
// terminator grows it by the larger of 128 and the appended length + 2.
//
// The cursor is an offset into the text, set by Rewind; it always stays inside the text (at
// most on the terminator), also when the text is replaced. Cursor reading treats only the space
// character as a blank.
class TTextBuffer {
public:
    static constexpr std::size_t kIncrement = 128;

    explicit TTextBuffer(const char* text = "");
    explicit TTextBuffer(std::string_view text);

    const char* GetText() const { return m_text.c_str(); }
    const std::string& GetString() const { return m_text; }
    std::size_t GetLength() const { return m_text.size(); }
    std::size_t GetCapacity() const { return m_capacity; }

    // Appends the text up to its first NUL. 1, or 0 when growing failed (text unchanged).
    int Append(std::string_view text);
    int Append(const char* text);
    // Empties the text, then appends. 1, or 0 when growing failed.
    int Assign(std::string_view text);
    int Assign(const char* text);

    // Replaces the text by the file's contents, read as text in pieces of at most 127
    // characters. 1 when the whole file was read; 0 (and an empty text) when it is missing or
    // cannot be read.
    [[nodiscard]] int LoadFromFile(const std::string& path);
    // Writes the whole text as it stands, replacing the file. 1 when the file was created,
    // written and closed without error, else 0.
    [[nodiscard]] int SaveToFile(const std::string& path) const;

    // Cursor to the start of the text.
    void Rewind() { m_cursor = 0; }
    // The text from the cursor on; null before the first Rewind.
    const char* GetCursor() const;
    // Moves the cursor n characters on (back for negative n), stopping at the start and at the
    // end of the text; answers how far it moved (0 without a cursor).
    int Advance(int n);
    // The character at the cursor; NUL at the end or without a cursor.
    char PeekChar() const;
    // True while the character at the cursor is not the terminator.
    bool NotAtEnd() const;
    // Moves the cursor over blanks (tabs and line ends are not skipped). Without a cursor the
    // message "ERROR!" and false.
    bool SkipBlanks();

    // Reads a word: nothing when the cursor stands on a blank; otherwise every character up to
    // a blank, tab, '>' or the end, none of which is consumed. CR and LF inside the word are
    // passed over and left out. 1, or 0 (empty word) without a cursor.
    int ReadWord(std::string& word);
    // The same into a caller's array of `capacity` characters: the word is cut to capacity - 1
    // characters and terminated; the cursor still passes the whole word.
    int ReadWord(char* word, std::size_t capacity);

    // Reads a quoted value: passes the opening double quote (or reports "Error in Quotes!" with
    // the text from the cursor and reads on from there), copies up to the next double quote and
    // passes it. A text that ends first reports "End of File!". 1, or 0 (empty value) without
    // a cursor.
    int ReadQuoted(std::string& value);
    // The same into a caller's array of `capacity` characters, cut as ReadWord does.
    int ReadQuoted(char* value, std::size_t capacity);

private:
    void ClampCursor();

    std::string m_text;
    std::optional<std::size_t> m_cursor;
    std::size_t m_capacity = kIncrement;
};

// The main window's caption "program  -  base  -  mode": base is the file name after the last
// '/' or '\\' of path, lower case, cut at its first '.' ("C:\Data\My.Beam.qvh" gives "my").
std::string
ComposeWindowTitle(std::string_view program, std::string_view path, std::string_view mode);
