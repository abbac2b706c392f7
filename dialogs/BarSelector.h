#pragma once
// Choosing a reinforcing bar or a strand, by its designation in the bar and strand catalogue
// ("25M", "#8", "S13") or by its cross-sectional area.
//
// The selector works over the four texts and the check box of its owning page (the page
// shows them in its controls): a check box "Select bar by area", one edit field, and the
// label, example and unit statics beside the field. It yields a catalogue index (-1 when the
// bar is given by area) and the bar area in m^2. Areas are shown and typed in the area unit of
// the active unit system. Problems are told through the reporting interface ("Rebar
// Problem"); a designation that is not in the catalogue is chosen from the catalogue's list
// through the window layer's list dialog.

#include <string>

// What the selector shows: the check box and the four texts.
struct BarSelectorView {
    int byArea = 0;  // the check box "Select bar by area"
    std::string text;
    std::string label;
    std::string example;
    std::string unit;
};

class TBarSelector {
public:
    // Kinds of bar the selector offers.
    enum Mode { Strands = 0, TransverseBars = 1, LongitudinalBars = 2 };

    TBarSelector(BarSelectorView& view, int mode);

    // Shows a catalogue bar (index valid) by its name, or else the area; with empty set the
    // field is left empty.
    void Init(int index, double area, int empty);
    // Reads the field (the owning page calls it when the field loses the focus).
    void Check();
    // The check box changed (view.byArea holds its new state).
    void ToggleByArea(int empty);
    // Checks the field, then gives the catalogue index (-1 by area) and the area (m^2). A bar
    // Init showed by its area and the user left as shown gives back that area exactly, not
    // the area its rounded text reads as.
    void Read(int& index, double& area);

    int GetBarIndex() const { return m_barIndex; }
    double GetArea() const { return m_area; }
    int GetMode() const { return m_mode; }
    int GetDecimals() const { return m_decimals; }

private:
    void ShowDesignationLabels();
    void ShowAreaLabels();
    std::string FormatArea(double area) const;

    BarSelectorView& m_view;
    int m_mode;
    int m_decimals;
    int m_barIndex = -1;
    double m_area = 0.0;
    // The area Init showed by area (-1 when it showed a designation) and the text it showed.
    double m_shownArea = -1.0;
    std::string m_shownText;
};

// The message refusing an area typed into a view that selects by area (not a finite number, or
// beyond 1 m^2 either way: the sign is dropped); empty when taken or selecting by designation.
std::string CheckTypedBarArea(const BarSelectorView& view);

// Upper case without leading and trailing blanks: the form in which designations are looked up.
std::string CleanDesignation(const std::string& text);
