#pragma once
// The outline sketch of the section pages and the continuity selector: a child window over a
// rectangle of its dialog that draws an outline and its concrete types, with an L-shaped
// frame on its left and top edges, and reports clicks in its dialog's coordinates.

#include <functional>

#include "platform/Window.h"

class TDepthTable;

class TSectionSketch : public plat::Window {
public:
    // Frame width on the left and top edges (pixels).
    static constexpr int kFrame = 2;

    TSectionSketch() = default;
    // Creates the window on the dialog so that the drawing fills the rectangle (dialog
    // pixels) and the frame lies just outside it.
    void Place(plat::Window& dialog, const plat::Rect& rect);
    // What to draw (the tables must outlive the window), and the band marked (-1 none).
    void SetOutline(const TDepthTable* outline, const TDepthTable* types, int marked = -1);
    void SetMarked(int marked);
    // A frame of the colour just inside the rectangle (-1 width: none).
    void SetChoiceFrame(int width, plat::Color colour);
    // Clicks, in the dialog's coordinates.
    void SetClick(std::function<void(plat::Point)> click) { m_click = std::move(click); }

    const plat::Rect& GetRect() const { return m_rect; }
    // 1 when the last drawing showed half of the section.
    int IsHalf() const { return m_half; }
    // The band under a point of the dialog, -1 when none.
    int BandAt(plat::Point inDialog) const;

    void Paint(plat::DC& dc, bool erase, const plat::Rect& rect) override;
    void EvLButtonDown(unsigned keyFlags, plat::Point p) override;

private:
    plat::Rect m_rect;
    const TDepthTable* m_outline = nullptr;
    const TDepthTable* m_types = nullptr;
    int m_marked = -1;
    int m_half = 0;
    int m_choiceWidth = 0;
    plat::Color m_choice = plat::Colors::White;
    std::function<void(plat::Point)> m_click;
};
