#pragma once
// Two simple boxes of a results page: TTextBox, a label of marked-up text that always takes the
// size of its text, and TGraphicBox, a frame in which the owning window draws the picture of the
// current structure.

#include <string>

#include "charts/TBoxItem.h"

class TTextBox : public TBoxItem {
public:
    // The margin around the text, as wide as a selection handle, so that the handles and the
    // frame of a selected box stand clear of its letters.
    static constexpr int kTextMargin = 11;

    TTextBox(plat::Window* parent, const std::string& title, int x, int y, int w, int h);
    ~TTextBox() override;

    void Paint(plat::DC& dc, bool erase, const plat::Rect& rect) override;
    void CmPopup3000() override { CmEditText(); }
    void CmPopup3001() override { CmSelectFont(); }
    // The page's repositioning, after which the box takes the size of its text again.
    void Reposition(int x, int y, int w, int h, int redraw) override;

    // Keeps the first 998 characters, ending them with a line end, and sizes the box to them.
    void SetText(const std::string& text);
    const std::string& GetText() const { return m_text; }
    // Resizes the box to its text in the letters' font, with the margin all round, at its
    // present place.
    void AutoSize();
    // The box's size for its text in the title font at the given height, with a margin of the
    // given width all round.
    plat::Size SizeAt(double titleHeight, int margin = kTextMargin) const;
    // A legend whose chart has no room for it as it is made draws its letters closer to its
    // edges (margin) and, where that is not enough, at a smaller height: both set by the chart
    // at each layout (height 0: the title font's own). The title font stays as it is made, so
    // the chart can try it again when the room comes back.
    void SetLegendForm(double letterHeight, int margin)
    {
        m_letterHeight = letterHeight;
        m_margin = margin;
    }
    double LetterHeight() const { return m_letterHeight; }
    // A legend its chart has no place for clear of its texts and its data is left out: the box
    // is hidden and draws nothing, on the screen and on the page, until the chart has a place
    // for it again.
    void SetLeftOut(bool leftOut);
    bool IsLeftOut() const { return m_leftOut; }
    int Margin() const { return m_margin; }
    // The font the letters are drawn in: the title font, at the letter height when one is set.
    plat::LogFont LetterFont() const;
    // Edits the text in the "View Data" dialog (through the report text, which is left null).
    void CmEditText();
    void CmSelectFont();

    // Legend boxes are the ones the view manager replaces with the next legend.
    void SetLegend(bool legend) { m_legend = legend; }
    bool IsLegend() const { return m_legend; }
    // Where in its chart a legend goes (a position code of LegendHome); the chart keeps it
    // there, clear of its texts, until the user drags the box elsewhere.
    void SetLegendPosition(int position)
    {
        m_legendPosition = position;
        m_movedByUser = false;
    }
    int LegendPosition() const { return m_legendPosition; }
    bool MovedByUser() const { return m_movedByUser; }
    void EvLButtonUp(unsigned flags, plat::Point p) override;

private:
    plat::Size SizeIn(const plat::LogFont& font, int margin) const;

    std::string m_text;
    bool m_legend = false;
    int m_legendPosition = 1;
    bool m_movedByUser = false;
    double m_letterHeight = 0.0;
    int m_margin = kTextMargin;
    bool m_leftOut = false;
};

class TGraphicBox : public TBoxItem {
public:
    TGraphicBox(plat::Window* parent, const std::string& title, int x, int y, int w, int h);
    ~TGraphicBox() override;

    void Paint(plat::DC& dc, bool erase, const plat::Rect& rect) override;
    void CmPopup3000() override { CmToggleFill(); }
    void CmPopup3001() override { CmScaleAll(); }
    void CmPopup3003() override { CmToggleMode(); }
    void CmPopup3004() override { CmScaleText(); }

    void CmToggleFill();
    void CmToggleMode();
    // "Scale Graphic": the box and its place on the page by a percentage.
    void CmScaleAll();
    // "Scale Text": the lettering of the picture by a percentage.
    void CmScaleText();

    int GetFill() const { return m_fill; }
    int GetMode() const { return m_mode; }
    double GetTextScale() const { return m_textScale; }

private:
    int m_fill = 1;
    int m_mode = 1;
    double m_textScale = 1.3;
};
