#include "model/shapes/SectionShape.h"

#include <cmath>
#include <utility>

#include "foundation/DataLineReader.h"
#include "foundation/ProgramPaths.h"
#include "foundation/Sentinel.h"
#include "foundation/StrFormat.h"
#include "model/shapes/ShapeErrors.h"
#include "model/shapes/ShapeFormula.h"

namespace {

bool IsFormulaChar(char c)
{
    return (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == '*' || c == '/' ||
           c == '(' || c == ')';
}

std::string Trimmed(const std::string& line)
{
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    const std::size_t last = line.find_last_not_of(' ');
    return line.substr(first, last - first + 1);
}

// Case-blind test of the first characters of a line.
bool StartsWithNoCase(const std::string& text, const char* prefix)
{
    std::size_t i = 0;
    for (; prefix[i] != '\0'; ++i) {
        if (i >= text.size())
            return false;
        const char a = text[i] >= 'a' && text[i] <= 'z' ? static_cast<char>(text[i] - 32) : text[i];
        if (a != prefix[i])
            return false;
    }
    return true;
}

int BuiltInIconCode(const std::string& shapeName)
{
    static const char* const kBuiltIn[] = {"RECT", "CIRCLE", "TBEAM", "IBEAM"};
    for (int i = 0; i < 4; ++i)
        if (shapeName == kBuiltIn[i])
            return 20 + i;
    return kUserIconCode;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TSectionBase

TSectionBase::TSectionBase(const std::string& kind, int code)
    : kindWord(BoundedCopy(kind, kShapeKindWordChars)), typeCode(code)
{
    points[0] = {kUndefined, 0.0};
}

int TSectionBase::FindParameter(const std::string&) const
{
    return -1;
}

void TSectionBase::Report(const std::string& text) const
{
    ReportShapeError(text, 0);
}

void TSectionBase::CompileFormula(const std::string& formula, std::string& out)
{
    std::size_t i = 0;
    while (i < formula.size()) {
        if (IsFormulaChar(formula[i])) {
            out += formula[i++];
            continue;
        }
        std::size_t end = i;
        while (end < formula.size() && !IsFormulaChar(formula[end]))
            ++end;
        const std::string variable = formula.substr(i, end - i);
        const int index = variable.size() <= kShapeVariableChars ? FindParameter(variable) : -1;
        if (index >= 0 && index < kMaxShapeParams) {
            out += static_cast<char>(ShapeCode::kFirstParam + index);
        } else {
            Report(StrPrintf("%s %s: Unknown variable listed: %s",
                             kindWord.c_str(),
                             name.c_str(),
                             BoundedCopy(variable, kShapeVariableChars).c_str()));
            valid = 0;
            out += ShapeCode::kUnknown;
        }
        i = end;
    }
    out += ShapeCode::kRowEnd;
}

// A row whose formulas compiled is tried once with every parameter at 0: the depth of the
// value stack and the order of operands, operators and parentheses do not depend on the
// values, so a formula that passes here evaluates for any parameters. A height of the arc
// markers' magnitude there is out of range, and is refused.
bool TSectionBase::CheckRowFormulas(const std::string& heightText,
                                    const std::string& widthText,
                                    int rowNumber)
{
    const std::pair<const std::string*, const std::string*> formulas[2] = {{&heights, &heightText},
                                                                           {&widths, &widthText}};
    for (const auto& [code, text] : formulas) {
        // The row just compiled is the last one of the string.
        std::size_t cursor = code->size() - 1;
        while (cursor > 0 && (*code)[cursor - 1] != ShapeCode::kRowEnd)
            --cursor;
        const FormulaResult result = EvaluateShapeFormula(*code, cursor, ShapeParams{});
        if (result.status == FormulaStatus::Ok && code == &heights &&
            std::fabs(result.value) >= kShapeMarkerThreshold) {
            Report(StrPrintf("%s %s: Height out of range in section line %d: %s",
                             kindWord.c_str(),
                             name.c_str(),
                             rowNumber,
                             text->c_str()));
            valid = 0;
            return false;
        }
        if (result.status == FormulaStatus::Ok)
            continue;
        if (result.status == FormulaStatus::TooDeep)
            Report(StrPrintf("%s %s: Formula too complex in section line %d (more than %d values "
                             "pending): %s",
                             kindWord.c_str(),
                             name.c_str(),
                             rowNumber,
                             kFormulaStackEntries,
                             text->c_str()));
        else
            Report(StrPrintf("%s %s: Error in formula in section line %d: %s",
                             kindWord.c_str(),
                             name.c_str(),
                             rowNumber,
                             text->c_str()));
        valid = 0;
        return false;
    }
    return true;
}

int TSectionBase::ReadShape(DataLineReader& file, const std::string& shapeName)
{
    name = BoundedCopy(shapeName, kShapeNameChars);
    int state = 1;
    int descriptionCount = 0;
    bool inRows = false;
    bool markerPending = false;
    bool rowsDropped = false;
    std::string line;
    while (file.Next(line)) {
        if (file.LastLineCut())
            Report(StrPrintf("%s: Line too long in shape.dat (>128 characters).. truncated to 128",
                             name.c_str()));
        const std::vector<std::string> tokens = SplitTokens(line);
        if (tokens.empty() || tokens[0].compare(0, 2, "//") == 0)
            continue;
        const std::string trimmed = Trimmed(line);
        ParseHeader(trimmed, state, descriptionCount);
        const bool keyword = ParseKeyword(tokens, state, descriptionCount);
        const std::string& word = tokens[0];

        if (word == "ENDTYPE" || word == "endtype") {
            bool usable = valid != 0;
            if (rowCount < 2) {
                Report(StrPrintf(
                    "%s %s: Insufficient section definitions. Minimum of 2 needed. %d found",
                    kindWord.c_str(),
                    name.c_str(),
                    rowCount));
                usable = false;
            }
            if (markerPending) {
                Report(StrPrintf("%s %s: Incomplete circle definition at end of SECTION list",
                                 kindWord.c_str(),
                                 name.c_str()));
                usable = false;
            }
            rowCursor = 0;
            for (char c : heights)
                if (c == ShapeCode::kRowEnd)
                    ++rowCursor;
            if (usable && CountOutlinePoints() > kMaxShapePoints) {
                Report(StrPrintf("%s %s: Too many outline points (%d); %d allowed",
                                 kindWord.c_str(),
                                 name.c_str(),
                                 CountOutlinePoints(),
                                 kMaxShapePoints));
                usable = false;
            }
            return usable ? 1 : 0;
        }
        if (word == "SECTION" || word == "section") {
            inRows = true;
            state = 0;
            continue;
        }
        if (keyword || !inRows)
            continue;

        if (word == "DOWN" || word == "down" || word == "UP") {
            const bool down = word != "UP";
            if (rowCount == 0 || markerPending) {
                Report(StrPrintf("%s %s: Error in circle definition : %s section",
                                 kindWord.c_str(),
                                 name.c_str(),
                                 down ? "DOWN" : "UP"));
                continue;
            }
            const char marker = down ? ShapeCode::kDown : ShapeCode::kUp;
            heights += marker;
            heights += ShapeCode::kRowEnd;
            widths += marker;
            widths += ShapeCode::kRowEnd;
            markerPending = true;
            continue;
        }

        // An outline row. Rows past the limit are not kept, and the shape is refused: its
        // outline cut short would be a different section.
        if (rowCount >= kMaxShapeRows) {
            if (!rowsDropped)
                Report(StrPrintf("%s %s: Too many sections; %d allowed",
                                 kindWord.c_str(),
                                 name.c_str(),
                                 kMaxShapeRows));
            rowsDropped = true;
            valid = 0;
            continue;
        }
        if (tokens.size() < 2) {
            // Without its width the two formula lists would fall out of step.
            Report(
                StrPrintf("%s %s: Height specified without width", kindWord.c_str(), name.c_str()));
            valid = 0;
            continue;
        }
        ++rowCount;
        markerPending = false;
        const int validBefore = valid;
        CompileFormula(tokens[0], heights);
        CompileFormula(tokens[1], widths);
        if (validBefore != 0 && valid != 0)
            CheckRowFormulas(tokens[0], tokens[1], rowCount);
    }
    Report(StrPrintf("%s: End of File Before ENDTYPE reached", name.c_str()));
    return 0;
}

int TSectionBase::ArcPointCount() const
{
    return name == "HOLLOW" ? 13 : 7;
}

int TSectionBase::CountOutlinePoints() const
{
    int rows = 0;
    int markers = 0;
    bool rowStart = true;
    for (char c : heights) {
        if (rowStart) {
            if (c == ShapeCode::kDown || c == ShapeCode::kUp)
                ++markers;
            else
                ++rows;
        }
        rowStart = c == ShapeCode::kRowEnd;
    }
    // A marker and its closing row give the n - 1 points of the arc; the closing row is
    // counted among the rows.
    return rows + markers * (ArcPointCount() - 2);
}

// ---------------------------------------------------------------------------------------------
// TShape

TShape::TShape(int code) : TSectionBase("SHAPE", code)
{
}

int TShape::FindParameter(const std::string& text) const
{
    for (int i = 0; i < paramCount && i < kMaxShapeParams; ++i)
        if (paramNames[i] == text)
            return i;
    return -1;
}

void TShape::ParseHeader(const std::string& line, int& state, int& descriptionCount)
{
    if (state == 1) {
        title = BoundedCopy(line, kShapeTitleChars);
        iconCode = BuiltInIconCode(name);
        state = 2;
        return;
    }
    if (state == 2) {
        state = 0;
        if (StartsWithNoCase(line, "PARAM") || StartsWithNoCase(line, "SECTI"))
            return;
        if (iconCode != kUserIconCode)
            return;
        // The icon lies beside the shape file: in the program directory, or in the user data
        // directory that stands in for a read-only program directory.
        const std::string iconName = SplitTokens(line).front();
        const std::string found = DataFileLocation(ProgramFilePath(iconName)).FindReadable();
        iconPath =
            BoundedCopy(found.empty() ? ProgramFilePath(iconName) : found, kShapeIconPathChars);
        if (found.empty())
            ReportShapeError(StrPrintf("%s %s: Cannot find icon listed as %s in current directory",
                                       kindWord.c_str(),
                                       name.c_str(),
                                       iconName.c_str()),
                             0);
        return;
    }
    if (state == 4) {
        ++descriptionCount;
        if (descriptionCount <= paramCount) {
            paramDescriptions[descriptionCount - 1] =
                BoundedCopy(line, kShapeParamDescriptionChars);
        } else if (descriptionCount > paramCount + 1) {
            // The line that ends the descriptions (SECTION or a keyword) passes here too.
            ReportShapeError(StrPrintf("%s %s %s: Too many parameter descriptions",
                                       kindWord.c_str(),
                                       name.c_str(),
                                       line.c_str()),
                             0);
        }
    }
}

bool TShape::ParseKeyword(const std::vector<std::string>& tokens, int& state, int& descriptionCount)
{
    const std::string& word = tokens.front();
    if (word == "PARAMS" || word == "params") {
        paramCount = 0;
        for (std::size_t i = 1; i < tokens.size(); ++i) {
            if (paramCount >= kMaxShapeParams) {
                ReportShapeError(StrPrintf("%s %s: Too many parameters.  Only 6 allowed.",
                                           kindWord.c_str(),
                                           name.c_str()),
                                 0);
                break;
            }
            paramNames[paramCount++] = BoundedCopy(tokens[i], kShapeParamNameChars);
        }
        state = 4;
        descriptionCount = 0;
        return true;
    }
    if (word == "REBAR" || word == "rebar") {
        const std::string pattern = tokens.size() > 1 ? tokens[1] : std::string();
        if (pattern == "RECT")
            rebarPattern = kRebarRect;
        else if (pattern == "POLAR" || pattern == "polar")
            rebarPattern = kRebarPolar;
        else if (pattern == "BIPOLAR" || pattern == "bipolar")
            rebarPattern = kRebarBipolar;
        else
            ReportShapeError(StrPrintf("%s %s: Unknown Rebar pattern : RECT assumed",
                                       kindWord.c_str(),
                                       name.c_str()),
                             0);
        if (title == "SECTION" || title == "section")
            title = name;
        state = 8;
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// TStandard

TStandard::TStandard() : TSectionBase("STANDARD", kStandardTypeCode)
{
}

void TStandard::ParseHeader(const std::string&, int&, int&)
{
}

bool TStandard::ParseKeyword(const std::vector<std::string>& tokens, int&, int&)
{
    const std::string& word = tokens.front();
    if (word != "CATEGORY" && word != "category")
        return false;
    if (tokens.size() > 1)
        category = BoundedCopy(tokens[1], kShapeCategoryChars);
    return true;
}
