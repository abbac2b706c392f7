#include "foundation/TTextBuffer.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <memory>
#include <new>

#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"

TMessageBuffer g_MessageBuffer;
TMessageBuffer g_MessageBuffer2;

namespace {

// Characters of a message that shows a piece of the text.
constexpr std::size_t kShownTextLimit = kMessageBufferSize - 1;

// Pieces of a file read at a time: a line, or at most 127 characters of a long one.
constexpr int kLoadPieceSize = 128;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

std::string_view UpToNul(std::string_view text)
{
    const auto nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

void CopyBounded(const std::string& text, char* out, std::size_t capacity)
{
    if (out == nullptr || capacity == 0)
        return;
    const std::size_t n = std::min(text.size(), capacity - 1);
    text.copy(out, n);
    out[n] = '\0';
}

} // namespace

// --- TMessageBuffer --------------------------------------------------------------------------

void TMessageBuffer::Assign(std::string_view text)
{
    m_text.assign(UpToNul(text).substr(0, kMessageBufferSize - 1));
}

void TMessageBuffer::Format(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    std::string text = StrVPrintf(fmt, args);
    va_end(args);
    Assign(text);
}

// --- TTextBuffer: text -----------------------------------------------------------------------

TTextBuffer::TTextBuffer(const char* text) : TTextBuffer(std::string_view(text ? text : ""))
{
}

TTextBuffer::TTextBuffer(std::string_view text)
{
    text = UpToNul(text);
    m_capacity = std::max(kIncrement, text.size() + 1);
    m_text.reserve(m_capacity);
    m_text.assign(text);
}

int TTextBuffer::Append(std::string_view text)
{
    text = UpToNul(text);
    const std::size_t length = m_text.size();
    if (length + text.size() >= m_capacity) {
        const std::size_t grown = m_capacity + std::max(kIncrement, text.size() + 2);
        try {
            m_text.reserve(grown);
        } catch (const std::bad_alloc&) {
            return 0;
        } catch (const std::length_error&) {
            return 0;
        }
        m_capacity = grown;
    }
    m_text.append(text);
    return 1;
}

int TTextBuffer::Append(const char* text)
{
    return Append(std::string_view(text ? text : ""));
}

int TTextBuffer::Assign(std::string_view text)
{
    m_text.clear();
    const int result = Append(text);
    ClampCursor();
    return result;
}

int TTextBuffer::Assign(const char* text)
{
    return Assign(std::string_view(text ? text : ""));
}

int TTextBuffer::LoadFromFile(const std::string& path)
{
    m_text.clear();
    ClampCursor();
    FileHandle file(std::fopen(path.c_str(), "r"));
    if (!file)
        return 0;
    // A NUL in the file, which no text holds, is read as a blank, so that what follows it on its
    // line is kept.
    char piece[kLoadPieceSize];
    std::size_t n = 0;
    while ((n = std::fread(piece, 1, sizeof piece, file.get())) > 0) {
        std::replace(piece, piece + n, '\0', ' ');
        if (Append(std::string_view(piece, n)) == 0)
            break;
    }
    // A read error (a folder, a failing disk) or a failed append is never a successful load.
    if (std::ferror(file.get()) || !std::feof(file.get())) {
        m_text.clear();
        ClampCursor();
        return 0;
    }
    return 1;
}

int TTextBuffer::SaveToFile(const std::string& path) const
{
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr)
        return 0;
    bool ok = std::fwrite(m_text.data(), 1, m_text.size(), file) == m_text.size();
    ok = std::fflush(file) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    return ok ? 1 : 0;
}

// --- TTextBuffer: cursor reading -------------------------------------------------------------

void TTextBuffer::ClampCursor()
{
    if (m_cursor)
        m_cursor = std::min(*m_cursor, m_text.size());
}

const char* TTextBuffer::GetCursor() const
{
    return m_cursor ? m_text.c_str() + *m_cursor : nullptr;
}

int TTextBuffer::Advance(int n)
{
    if (!m_cursor)
        return 0;
    const std::size_t from = *m_cursor;
    std::size_t to = from;
    if (n >= 0)
        to = from + std::min(static_cast<std::size_t>(n), m_text.size() - from);
    else
        to = from - std::min(static_cast<std::size_t>(-static_cast<long long>(n)), from);
    m_cursor = to;
    return static_cast<int>(static_cast<long long>(to) - static_cast<long long>(from));
}

char TTextBuffer::PeekChar() const
{
    return m_cursor ? m_text[*m_cursor] : '\0';
}

bool TTextBuffer::NotAtEnd() const
{
    return m_cursor && *m_cursor < m_text.size();
}

bool TTextBuffer::SkipBlanks()
{
    if (!m_cursor) {
        ShowMessage("ERROR!", "");
        return false;
    }
    while (*m_cursor < m_text.size() && m_text[*m_cursor] == ' ')
        ++*m_cursor;
    return true;
}

int TTextBuffer::ReadWord(std::string& word)
{
    word.clear();
    if (!m_cursor)
        return 0;
    std::size_t pos = *m_cursor;
    if (m_text[pos] == ' ')
        return 1;
    for (; pos < m_text.size(); ++pos) {
        const char c = m_text[pos];
        if (c == ' ' || c == '\t' || c == '>')
            break;
        if (c != '\r' && c != '\n')
            word += c;
    }
    m_cursor = pos;
    return 1;
}

int TTextBuffer::ReadWord(char* word, std::size_t capacity)
{
    std::string text;
    const int result = ReadWord(text);
    CopyBounded(text, word, capacity);
    return result;
}

int TTextBuffer::ReadQuoted(std::string& value)
{
    value.clear();
    if (!m_cursor)
        return 0;
    std::size_t pos = *m_cursor;
    if (m_text[pos] != '"')
        ShowMessage(m_text.substr(pos, kShownTextLimit), "Error in Quotes!");
    else
        ++pos;
    const std::size_t close = std::min(m_text.find('"', pos), m_text.size());
    value.assign(m_text, pos, close - pos);
    if (close < m_text.size()) {
        m_cursor = close + 1;
    } else {
        m_cursor = close;
        ShowMessage(value.substr(0, kShownTextLimit), "End of File!");
    }
    return 1;
}

int TTextBuffer::ReadQuoted(char* value, std::size_t capacity)
{
    std::string text;
    const int result = ReadQuoted(text);
    CopyBounded(text, value, capacity);
    return result;
}

// --- window title ----------------------------------------------------------------------------

std::string
ComposeWindowTitle(std::string_view program, std::string_view path, std::string_view mode)
{
    const auto slash = path.find_last_of("/\\");
    std::string_view base = slash == std::string_view::npos ? path : path.substr(slash + 1);
    base = base.substr(0, base.find('.'));
    std::string lower(base);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::string title;
    title.reserve(program.size() + lower.size() + mode.size() + 10);
    title.append(program).append("  -  ").append(lower).append("  -  ").append(mode);
    return title;
}
