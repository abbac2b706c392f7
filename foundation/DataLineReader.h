#pragma once
// Line reading for the text data files beside the program ("rebar.dat", "shape.dat",
// "standard.dat"): lines starting with "//" are comments, blank lines are skipped, tabs count
// as blanks and tokens are separated by blanks. Values in these files are in mm and mm^2.

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

class DataLineReader {
public:
    // Lines longer than maxChars characters (line end not counted) are cut to maxChars and
    // the rest of the line is dropped, so the tail of a long line never reads as a line of
    // its own.
    DataLineReader(std::istream& in, std::size_t maxChars);

    // Reads the next line, without its line end ("\n" or "\r\n"), with tabs, carriage returns
    // and NUL characters turned into blanks. False at the end of the input.
    bool Next(std::string& line);

    // Reads the next line that is neither a comment nor blank.
    bool NextData(std::string& line);

    // Number of the line last read, counted from 1.
    int LineNumber() const { return m_lineNumber; }

    // Whether the line last read was longer than maxChars and lost its end.
    bool LastLineCut() const { return m_lastCut; }

    std::size_t MaxChars() const { return m_maxChars; }

private:
    std::istream& m_in;
    std::size_t m_maxChars;
    int m_lineNumber = 0;
    bool m_lastCut = false;
};

// A line whose first two characters are "//".
bool IsCommentLine(const std::string& line);

// A line holding nothing but blanks.
bool IsBlankLine(const std::string& line);

// The blank-separated tokens of a line.
std::vector<std::string> SplitTokens(const std::string& line);

// Reads a whole token as a finite decimal number ("11.3", "+5", "1e3"); false for anything
// else, including a number followed by other characters ("12A").
bool ReadNumberToken(const std::string& token, double& value);
