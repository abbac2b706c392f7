#pragma once
// The rows of the owner-drawn type lists and the texts of their selection dialog, apart from
// the controls: what each kind lists, in the unit system shown. Lists hold as many rows as
// their catalogue has.

#include <string>
#include <vector>

// List kinds.
inline constexpr int kListLineTypes = 0;
inline constexpr int kListConcreteTypes = 1;
inline constexpr int kListStandardTypes = 2;
inline constexpr int kListReinforcement = 3;
inline constexpr int kListBeamSections = 4;
// Rows of one family of standard types.
inline constexpr int kMaxStandardFamilyRows = 50;
// Line widths of line-type samples above this are drawn this wide.
inline constexpr int kMaxSampleWidth = 16;

// The dialog caption and the prompt above the list.
struct ListKindTexts {
    std::string caption;
    std::string prompt;
};
ListKindTexts ListTexts(int kind);

// "Solid Line", "Dashed Line", "Dotted Line", "Dash-Dot Line", "Dash-Dot-Dot".
std::vector<std::string> LineTypeRows();
// The sample width of a line-type list asked for width w (21 or more gives 16).
int SampleWidth(int w);

// A concrete type: its name and f'c (Pa, negative in compression).
struct ConcreteRowSource {
    std::string name;
    double fc = 0.0;
};
std::vector<std::string> ConcreteTypeRows(const std::vector<ConcreteRowSource>& types,
                                          int unitSystem);

// One entry of the standard-type table.
struct StandardTypeEntry {
    std::string family;
    std::string designation;
    double height = 0.0; // m
};
// The consecutive entries of the family of entry start (at most 50); none when start lies
// outside the table.
std::vector<std::string> StandardTypeRows(const std::vector<StandardTypeEntry>& table, int start,
                                          int unitSystem);

// The three columns of a reinforcement row: name, area and diameter with their units.
struct RebarRowTexts {
    std::string name;
    std::string area;
    std::string diameter;
};
RebarRowTexts RebarRow(const std::string& name, double area, double diameter, int unitSystem);
