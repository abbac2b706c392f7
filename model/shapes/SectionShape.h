#pragma once
// Parametric cross-section outlines of the shape library.
//
// A shape is read from a block of "shape.dat" or "standard.dat": a name, a title, up to six
// named parameters, and outline rows "height width" of two formulas over the parameter names
// (mm, height measured from the bottom of the section, rows from top to bottom). A row "UP" or
// "DOWN" between two rows makes the transition between them a quarter ellipse. The formulas are
// compiled into byte strings when the block is read and evaluated for the parameter values of
// each caller (m) into a list of (depth, width) points in m.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "model/shapes/ShapeFormula.h"

class DataLineReader;

// Outline rows of one shape (arc marker rows not counted).
inline constexpr int kMaxShapeRows = 100;
// Evaluated outline points; the points array holds one more entry for the closing marker.
inline constexpr int kMaxShapePoints = 104;
// Type code of every catalogue section, and the shape code of a user-drawn outline.
inline constexpr int kStandardTypeCode = 32765;
inline constexpr int kUserShapeCode = 32766;

// Field widths of stored texts (characters kept).
inline constexpr std::size_t kShapeNameChars = 20;
inline constexpr std::size_t kShapeKindWordChars = 9;
inline constexpr std::size_t kShapeTitleChars = 59;
inline constexpr std::size_t kShapeIconPathChars = 127;
inline constexpr std::size_t kShapeParamNameChars = 19;
inline constexpr std::size_t kShapeParamDescriptionChars = 39;
inline constexpr std::size_t kShapeCategoryChars = 127;
// Longest variable name a formula may hold.
inline constexpr std::size_t kShapeVariableChars = 19;

// Reinforcement pattern that suits a shape.
enum ShapeRebarPattern : int { kRebarRect = 0, kRebarPolar = 1, kRebarBipolar = 2 };

// Icon codes: a user icon, and the built-in icons of the four default shapes.
inline constexpr int kUserIconCode = 10;

struct ShapePoint {
    double depth = 0.0; // m above the bottom of the section
    double width = 0.0; // m
    bool operator==(const ShapePoint&) const = default;
};

class TSectionBase {
public:
    TSectionBase(const std::string& kind, int code);
    virtual ~TSectionBase() = default;
    TSectionBase(const TSectionBase&) = delete;
    TSectionBase& operator=(const TSectionBase&) = delete;

    // Sees every line of the block before its keyword is looked at; state counts the
    // header lines of the kind (1 the title line after TYPE, 2 the icon line, 4 parameter
    // descriptions, 8 after REBAR, 0 none).
    virtual void ParseHeader(const std::string& line, int& state, int& descriptionCount) = 0;
    // Handles a keyword line of the kind (tokens[0] is the keyword); true when it was one.
    virtual bool
    ParseKeyword(const std::vector<std::string>& tokens, int& state, int& descriptionCount) = 0;
    // Index of a parameter by its exact name; -1 when the shape has no such parameter.
    virtual int FindParameter(const std::string& text) const;

    // Reads the rest of the shape's block, up to and including "ENDTYPE"; the TYPE line has
    // been read. Returns 1 when the shape is usable, 0 when it has to be dropped (every
    // reason is in the shape error report).
    int ReadShape(DataLineReader& file, const std::string& shapeName);

    // Evaluates the outline for the parameter values (m) into points and pointCount.
    // Returns 1 when no correction was needed, 0 when a width or depth had to be corrected
    // (reported) or the outline could not be evaluated.
    int EvaluateOutline(const ShapeParams& params);

    // Number of points the outline gives (arc rows expanded); fixed when the block is read.
    int CountOutlinePoints() const;

    // Largest minus smallest row height (m) for the current parameter values.
    double GetShapeHeight() const;

    // Number of points of each quarter ellipse (7, 13 for the shape named "HOLLOW").
    int ArcPointCount() const;

    // Compiles one formula of a row into out, followed by a row end. Unknown variables are
    // reported, clear valid and compile to ShapeCode::kUnknown.
    void CompileFormula(const std::string& formula, std::string& out);

    int valid = 1;
    int pointCount = 0;
    int rebarPattern = kRebarRect;
    std::string name = "USER";
    std::string kindWord = "BASE";
    int rowCursor = 0;
    int rowCount = 0;
    int typeCode = 0;
    std::string heights; // compiled height formulas, one row per line feed
    std::string widths;  // compiled width formulas, one row per line feed
    std::size_t heightCursor = 0;
    std::size_t widthCursor = 0;
    ShapeParams paramValues{1.0, 1.0, 1.0, 1.0, 1.0, 1.0};
    // Evaluated outline, ended by a point whose depth is the undefined marker.
    std::array<ShapePoint, kMaxShapePoints + 1> points{};

private:
    bool
    CheckRowFormulas(const std::string& heightText, const std::string& widthText, int rowNumber);
    void Report(const std::string& text) const;
};

class TShape final : public TSectionBase {
public:
    explicit TShape(int code);

    void ParseHeader(const std::string& line, int& state, int& descriptionCount) override;
    bool ParseKeyword(const std::vector<std::string>& tokens,
                      int& state,
                      int& descriptionCount) override;
    int FindParameter(const std::string& text) const override;

    std::string iconPath;
    int iconCode = kUserIconCode;
    std::string title = "User Defined Section";
    std::array<std::string, kMaxShapeParams> paramNames{};
    std::array<std::string, kMaxShapeParams> paramDescriptions{};
    int paramCount = 0;
};

class TStandard final : public TSectionBase {
public:
    TStandard();

    void ParseHeader(const std::string& line, int& state, int& descriptionCount) override;
    bool ParseKeyword(const std::vector<std::string>& tokens,
                      int& state,
                      int& descriptionCount) override;

    std::string category = "BASE";
};
