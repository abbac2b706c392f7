#pragma once
// A box on a results page: a child window that keeps its place as fractions of the page,
// carries a title font and a text font, a popup menu, can be selected, moved and resized with
// the mouse, and reports to the window that owns it.

#include <string>
#include <vector>

#include "charts/BoxGeometry.h"
#include "platform/Menu.h"
#include "platform/Window.h"

class TMixinChartOwner;
class TSectionalAnalysis;
class TStructure;
struct SectionState;

// Popup-menu item flags of AppendPopupItem.
inline constexpr unsigned kPopupGrayed = 0x1;
inline constexpr unsigned kPopupSeparator = 0x800;

// Commands of the box popup menus.
inline constexpr int CM_VIEWDATA = 3000;
inline constexpr int CM_PROPERTIES = 3001;
inline constexpr int CM_POPUP3002 = 3002;
inline constexpr int CM_COPYCHARTDATA = 3003;
inline constexpr int CM_AUTOMAXRANGE = 3004;
inline constexpr int CM_FORWARD3005 = 3005;
inline constexpr int CM_FORWARD3006 = 3006;
inline constexpr int CM_TOGGLETEXT = 3007;
inline constexpr int CM_FORWARD3008 = 3008;
inline constexpr int CM_FORWARD3009 = 3009;
inline constexpr int CM_COPYCHARTPICTURE = 3011;

class TBoxItem : public plat::Window {
public:
    // x, y, width and height in pixels of the parent's client area. The title "CHILD" makes a
    // box placed inside another box: its owner is its grandparent's and its fonts are those of
    // a box twice its size.
    TBoxItem(plat::Window* parent, const std::string& title, int x, int y, int w, int h);
    ~TBoxItem() override;

    // Creates the window in its parent.
    void CreateInParent();

    // Virtual operations in their order.
    virtual void CmPopup3000() {}
    virtual void CmPopup3001() {}
    virtual void CmPopup3002() {}
    virtual void CmPopup3003() {}
    virtual void CmPopup3004() {}
    virtual void CmPopup3007() {}
    virtual void CmForward3005();
    virtual void CmForward3006();
    virtual void CmForward3008();
    virtual void CmForward3009();
    virtual void DrawSelection();
    virtual void InvalidateFrame();
    virtual void SpareHook() {}
    virtual void Reposition(int x, int y, int w, int h, int redraw);
    virtual void AttachStructure(TStructure* structure) { m_structure = structure; }
    virtual TStructure* GetStructure() { return m_structure; }
    // A solved state or an analysis to draw: the result diagrams take them; other boxes
    // ignore them.
    virtual void AttachState(const SectionState*) {}
    virtual void AttachAnalysis(const TSectionalAnalysis*) {}
    virtual void Layout() {}
    virtual void SetShownIndex(int) {}
    virtual void SetOption(int) {}
    virtual void SetSubMode(int mode) { m_subMode = mode; }
    virtual void UpdateScaling(double, double, double, double) {}
    // The picture copy of a box; charts and pictures override it.
    // Puts the box's picture (with its child windows) on the clipboard (command 3011).
    virtual void CopyChartPicture();

    void EvLButtonDblClk(unsigned flags, plat::Point p) override;
    void EvLButtonDown(unsigned flags, plat::Point p) override;
    void EvRButtonDown(unsigned flags, plat::Point p) override;
    void EvMouseMove(unsigned flags, plat::Point p) override;
    void EvLButtonUp(unsigned flags, plat::Point p) override;
    bool EvCommand(int id, int control, int notifyCode) override;
    void SetupWindow() override;

    // Non-virtual operations.
    void AppendPopupItem(unsigned flags, int id, const std::string& text);
    void RemovePopupItem(int id);
    // Keeps the first count items of the popup menu (separators included).
    void TruncatePopup(std::size_t count);
    const std::vector<plat::MenuItem>& PopupItems() const { return m_popup; }
    void ShowPopupMenu();
    void GetRelativeRect(double& x, double& y, double& w, double& h) const;
    // A box placed inside another follows its parent's size: its place is its fractions of the
    // parent's client area, rounded to whole pixels. The fractions stay those it was placed at
    // (created, dragged, or placed by the program), so that a round of sizes ending where it
    // began puts the box back where it was.
    void FollowParent(int redraw);
    bool HasOwner(const TMixinChartOwner* owner) const { return m_owner == owner; }
    TMixinChartOwner* Owner() const { return m_owner; }
    void SetBackgroundColour(plat::Color colour);
    void SetFontHeights(int title, int text);
    void ScaleFonts(double titleFactor, double textFactor);
    void SetTitleItalic(int italic) { m_titleFont.italic = italic != 0; }
    // The font dialog on a copy of the title font or the text font; OK keeps the choice.
    // The box is laid out and redrawn either way.
    void SelectTitleFont();
    void SelectAxesFont();
    void SetBlackAndWhite(int flag) { m_blackAndWhite = flag; }
    int SetMouseMode(double mode);
    // The box's two free text fields (0 and 1), each kept to 1023 characters; both start empty.
    // Boxes that show them (the colour map's legend) draw them as label markup.
    void SetBoxText(int which, const std::string& text);
    const std::string& BoxText(int which) const { return m_boxText[which == 0 ? 0 : 1]; }

    int Kind() const { return m_kind; }
    bool IsSelected() const { return m_selected != 0; }
    bool IsChildPlacement() const { return m_childPlacement != 0; }
    int BlackAndWhite() const { return m_blackAndWhite; }
    int MouseMode() const { return m_mouseMode; }
    int SubMode() const { return m_subMode; }
    // The heights the box draws with now: the heights its size asks for, as its layout fitted
    // them to its texts.
    double TitleHeight() const { return m_titleHeight; }
    double TextHeight() const { return m_textHeight; }
    const plat::LogFont& TitleFont() const { return m_titleFont; }
    const plat::LogFont& TextFont() const { return m_textFont; }
    // The heights the box's present size asks for: each font as it was last made (at
    // construction, by a setter or a font dialog) scaled from the size it was made for to the
    // size now (RescaleFactor). They depend on that size and the size now only, never on the
    // sizes the box went through in between.
    FontHeights SizedFontHeights() const;
    // A font made at the box's present size: the stored height alone, the font follows at the
    // next paint.
    void SetStoredTitleHeight(double height);
    void SetStoredTextHeight(double height);
    void SetTitleFont(const plat::LogFont& font);
    void SetTextFont(const plat::LogFont& font);
    // Everything the box's fonts depend on, to be put back as it was (the print layout moves
    // the boxes to the page and back).
    BoxFontState GetFontState() const
    {
        return {m_madeTitle, m_madeText, {m_titleHeight, m_textHeight}};
    }
    void SetFontState(const BoxFontState& state);
    // The box's place in its parent (pixels).
    const BoxPlace& Place() const { return m_place; }
    // The cursor the box shows under the pointer while selected (set as the pointer moves).
    HandleCursor CursorShape() const { return m_cursor; }
    const std::string& WindowTitle() const { return m_windowTitle; }
    plat::Color BackgroundColour() const { return m_background; }
    // The state a result diagram was last handed, as an identity only (the diagram draws its
    // own copy): null when none. Forgotten when that state is about to be freed.
    const SectionState* GetShownState() const { return m_shownState; }
    void ForgetShownState() { m_shownState = nullptr; }

protected:
    // Draws the selection frame with the handles on dc and marks the box selected.
    void DrawSelectionOn(plat::DC& dc);
    // Sets the LOGFONT heights to the truncations of the stored heights.
    void RefreshFontHeights();
    // Makes both fonts at the box's present size (and refreshes the LOGFONT heights).
    void SetFontHeightsFrom(const FontHeights& h);
    // The heights drawn with, for a layout that fits the sized heights to its texts; the fonts
    // as made stay as they are.
    void SetDrawnFontHeights(const FontHeights& h);
    void StoreFractions();
    int Width() const { return m_place.w; }
    int Height() const { return m_place.h; }
    void SetShownState(const SectionState* state) { m_shownState = state; }

    int m_kind = kBoxKindPlain;
    int m_blackAndWhite = 0;
    plat::Window* m_parent = nullptr;

private:
    void DrawBand(const BoxPlace& band);
    void ShowCursor(HandleCursor c);
    plat::Size ParentSize() const;

    plat::Color m_background = plat::Colors::White;
    double m_titleHeight = 0.0;
    double m_textHeight = 0.0;
    SizedFont m_madeTitle;
    SizedFont m_madeText;
    int m_selected = 0;
    int m_dragState = 0;
    plat::Point m_last{-1, -1};
    plat::Point m_dragStart{-1, -1};
    double m_fx = 0.0;
    double m_fy = 0.0;
    double m_fw = 0.0;
    double m_fh = 0.0;
    int m_handle = kHandleMove;
    int m_notifyOwner = 1;
    int m_childPlacement = 0;
    int m_subMode = 0;
    TStructure* m_structure = nullptr;
    const SectionState* m_shownState = nullptr;
    int m_mouseMode = 0;
    std::string m_boxText[2];
    plat::LogFont m_textFont;
    plat::LogFont m_titleFont;
    std::vector<plat::MenuItem> m_popup;
    TMixinChartOwner* m_owner = nullptr;
    BoxPlace m_place;
    HandleCursor m_cursor = HandleCursor::Arrow;
    std::string m_windowTitle;
};
