#pragma once
// "Continuity Selector": a new width at the elevation of an existing outline point makes a
// width step; the dialog shows the outline with the new width continuing upward and
// downward, and the user clicks the sketch that is right.

#include "foundation/TDepthTable.h"
#include "platform/Dialog.h"

#include "dialogs/SectionSketch.h"

namespace ContinId {
inline constexpr int Dialog = 313;
inline constexpr int Down = 101, Up = 102, HalfShown = 230;
} // namespace ContinId

class TContin : public plat::Dialog {
public:
    // answer: 1 upward continuity (the caller sets it before), 0 downward; row: the existing
    // point; width: the new width (m). The tables are copied.
    TContin(plat::Window* parent, int* answer, int row, double width, const TDepthTable& outline,
            const TDepthTable& types);

    void SetupWindow() override;
    // A click at a point of the dialog: strictly inside a sketch chooses it.
    void Click(plat::Point p);
    const TSectionSketch& UpSketch() const { return m_up; }
    const TSectionSketch& DownSketch() const { return m_down; }

private:
    void ShowChoice();

    int* m_answer;
    int m_row;
    double m_width;
    TDepthTable m_upOutline, m_upTypes, m_downOutline, m_downTypes;
    int m_upRow = 0, m_downRow = 0;
    TSectionSketch m_up, m_down;
};

// The rectangle a sketch fills inside its group box (pixels): 4 % in from the left, 10 %
// down, 92 % of the width and 85 % of the height, truncated.
plat::Rect ContinSketchRect(const plat::Rect& group);
