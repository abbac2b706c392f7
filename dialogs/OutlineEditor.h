#pragma once
// The point-by-point outline of the "User Defined" section page without its window: the
// rows it lists, the fields of a row, and Add, Modify and Delete with their checks. Width
// steps are asked for through a continuity question (the continuity selector); complaints go
// through the reporter. Any edit turns the shape into a user outline.

#include <functional>
#include <string>
#include <vector>

class TDepthTable;

class TOutlineEditor {
public:
    // Answers 1 when the new width continues upward from the existing point at the row, 0
    // when it continues downward.
    using ContinuityQuestion = std::function<int(int row, double width)>;

    TOutlineEditor(TDepthTable& outline, TDepthTable& types, int maxRegions, ContinuityQuestion ask);

    // The list rows ("elevation      width" in display units).
    std::vector<std::string> Rows() const;
    // The elevation and width fields of a row.
    void RowFields(int row, std::string& elevation, std::string& width) const;

    int GetSelectedRow() const { return m_selected; }
    // Keeps the selection within the rows (0 when none is selected, the last past the end).
    void SelectRow(int row);

    // The typed elevation and width (or "UP" / "DOWN") in display units.
    void Add(const std::string& elevation, std::string width);
    void Modify(const std::string& elevation, std::string width);
    // The field whose typed value the last Add or Modify refused (its text stays for
    // retyping), or -1.
    static constexpr int kElevationField = 0, kWidthField = 1;
    int RefusedField() const { return m_refusedField; }
    void Delete();
    // A band's concrete type (a click on the sketch).
    void SetBandType(int band, int type);

private:
    void AddPoint(double e, double w);
    void AddRoundedPart(double e, bool down);
    void SortAndNormalise();
    // Selects the row at the elevation, row 0 when none lies within 1e-6 of it.
    void SelectElevation(double z);

    TDepthTable& m_outline;
    TDepthTable& m_types;
    int m_maxRegions;
    ContinuityQuestion m_ask;
    int m_selected = -1;
    int m_refusedField = -1;
};

// The formats of a row in the active unit system, by whether the elevation lies on a whole
// millimetre: the list row and the two fields.
std::string OutlineRowText(double z, double w);
void OutlineFieldTexts(double z, double w, std::string& elevation, std::string& width);
