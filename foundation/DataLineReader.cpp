#include "foundation/DataLineReader.h"

#include <charconv>
#include <cmath>

DataLineReader::DataLineReader(std::istream& in, std::size_t maxChars)
    : m_in(in), m_maxChars(maxChars)
{
}

bool DataLineReader::Next(std::string& line)
{
    using Traits = std::istream::traits_type;
    line.clear();
    m_lastCut = false;
    std::streambuf* buffer = m_in.rdbuf();
    if (buffer == nullptr)
        return false;

    // One character beyond the limit is kept so that a '\r' of a "\r\n" line end sitting
    // just past the limit does not count as a lost character.
    bool readAny = false;
    std::size_t dropped = 0;
    char lastDropped = '\0';
    for (Traits::int_type c = buffer->sbumpc(); !Traits::eq_int_type(c, Traits::eof());
         c = buffer->sbumpc()) {
        readAny = true;
        const char ch = Traits::to_char_type(c);
        if (ch == '\n')
            break;
        if (line.size() <= m_maxChars) {
            line.push_back(ch);
        } else {
            ++dropped;
            lastDropped = ch;
        }
    }
    if (!readAny)
        return false;

    if (dropped > 0) {
        if (lastDropped == '\r')
            --dropped;
    } else if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    m_lastCut = dropped > 0 || line.size() > m_maxChars;
    if (line.size() > m_maxChars)
        line.resize(m_maxChars);
    for (char& ch : line)
        if (ch == '\t' || ch == '\r' || ch == '\0')
            ch = ' ';
    ++m_lineNumber;
    return true;
}

bool DataLineReader::NextData(std::string& line)
{
    while (Next(line))
        if (!IsCommentLine(line) && !IsBlankLine(line))
            return true;
    return false;
}

bool IsCommentLine(const std::string& line)
{
    return line.size() >= 2 && line[0] == '/' && line[1] == '/';
}

bool IsBlankLine(const std::string& line)
{
    return line.find_first_not_of(' ') == std::string::npos;
}

std::vector<std::string> SplitTokens(const std::string& line)
{
    std::vector<std::string> tokens;
    std::size_t pos = 0;
    while (true) {
        const std::size_t start = line.find_first_not_of(' ', pos);
        if (start == std::string::npos)
            break;
        const std::size_t end = line.find(' ', start);
        tokens.push_back(line.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos)
            break;
        pos = end;
    }
    return tokens;
}

bool ReadNumberToken(const std::string& token, double& value)
{
    const char* first = token.data();
    const char* last = token.data() + token.size();
    if (first != last && *first == '+') {
        ++first;
        if (first != last && (*first == '+' || *first == '-'))
            return false;
    }
    double parsed = 0.0;
    const auto [end, ec] = std::from_chars(first, last, parsed, std::chars_format::general);
    if (ec != std::errc() || end != last || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}
