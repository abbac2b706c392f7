#pragma once
// The callout manager of the section pictures: one label per piece of reinforcement
// (longitudinal layers, grouped where they repeat; circular and distributed patterns;
// transverse layers; tendons) in a column beside the section, each joined to what it names
// by a leader line, spread so that labels keep 5 px apart, and the hit tests that find the
// label under a click. The labels are never written smaller than the least readable text: where
// the column has no room for them at that height, labels of several rows are written in fewer,
// and where that is not enough, labels are left out whole, leaders and all.
//
// Picture coordinates: a point at lateral position u and height z (metres) lies at
// x = centre x + u scale, y = origin y - z scale (pixels).

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/DC.h"

class TStructure;
struct LongLayerRec;
namespace plat {
class Window;
}

namespace CalloutKind {
inline constexpr int Longitudinal = 0;
inline constexpr int Circular = 1;
inline constexpr int Distributed = 2;
inline constexpr int Transverse = 3;
inline constexpr int Tendon = 4;
} // namespace CalloutKind

class TInfo_Base {
public:
    static constexpr int kMaxItems = 50;
    // Pixels between the bottom of one label and the top of the next.
    static constexpr int kLabelGap = 5;

    // A way of writing a label: which of its line breaks stay (bit k for the break after row
    // k; the rows of a dropped break run on in one), and the rows, width and height it takes.
    struct Form {
        unsigned breaks = 0;
        int lines = 0;
        int width = 0;
        int height = 0;
    };
    // One label: its vertical extent in the column, the anchor it points at (a point when
    // x1 = x2 and y1 = y2, else a vertical span), the measured text, kind and index. lines,
    // width and height are those of the label as drawn, in forms[form]: forms[0] is the label
    // in its own rows, the others write it in fewer. A label not shown is left out, leader and
    // all.
    struct Item {
        int top = -1;
        int bottom = -1;
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        int lines = 0;
        int width = 0;
        int height = 0;
        int kind = 0;
        int index = 0;
        std::string text;
        bool shown = true;
        std::vector<Form> forms;
        std::size_t form = 0;
        // The order the label was added in.
        int order = 0;
        // The text as drawn, in its form's rows.
        std::string Drawn() const;
    };
    // The rows of a label with only the line breaks of breaks kept (bit k for the break after
    // row k): a row that ends in a space runs on into the next, others are set apart from it
    // by a comma.
    static std::string InRows(const std::string& text, unsigned breaks);

    explicit TInfo_Base(plat::Window* owner = nullptr);
    virtual ~TInfo_Base();
    TInfo_Base(const TInfo_Base&) = delete;
    TInfo_Base& operator=(const TInfo_Base&) = delete;

    // Clears the table and lays out nothing; derived managers add their labels first.
    // Answers what Layout answers.
    virtual int Collect(plat::DC* dc, const TStructure* structure);

    // Non-zero when a callout of the kind lies under the point; its item index goes to index.
    virtual int HitTransverse(plat::Point p, int& index) { return HitTest(p, CalloutKind::Transverse, index); }
    virtual int HitLongitudinalLayer(plat::Point p, int& index)
    {
        return HitTest(p, CalloutKind::Longitudinal, index);
    }
    virtual int HitCircularPattern(plat::Point p, int& index) { return HitTest(p, CalloutKind::Circular, index); }
    virtual int HitDistributedPattern(plat::Point p, int& index)
    {
        return HitTest(p, CalloutKind::Distributed, index);
    }
    virtual int HitTendon(plat::Point p, int& index) { return HitTest(p, CalloutKind::Tendon, index); }

    // Panel size: font height base, margin, the picture's placement and the text column.
    virtual void SetSize(int width, int height);
    virtual void SetTextColumn(int top, int bottom);
    // Font height base h, or the panel height for 0.
    virtual void SetFontHeight(int h);
    // Printing: the placement and column given directly, then the labels collected.
    virtual int DrawAt(plat::DC& dc, const TStructure* structure, int margin, double centreX, double originY,
                       double scale, double largest, int left, int top, int right, int bottom);
    virtual void DrawCallouts(plat::DC& dc);
    // Collects the labels of the structure (measured on dc, or on a private context).
    virtual void Draw(plat::DC* dc, const TStructure* structure, int extra);
    // Forgets the structure and its labels (it is about to be deleted or replaced, or the
    // labels are collected afresh).
    void Clear();

    // Appends a label (dropped when the table is full) and keeps the table sorted by centre.
    int AddItem(plat::DC& dc, const std::string& text, int x1, int y1, int x2, int y2, int kind, int index);
    // Spreads the labels and fits the column; shrinks the font once when they do not fit, but
    // never below the least readable text. Labels that still overrun the column are written
    // in fewer rows, a row fewer at a time, the label of the most rows first, as far as the
    // column's width allows; then labels are left out, the last added first, until the rest
    // stand within the column.
    // Answers the new column x, or twice the widest label when the column stays.
    int Layout();
    int HitTest(plat::Point p, int kind, int& index) const;

    int Count() const { return m_count; }
    const Item& GetItem(int i) const { return (*m_items)[static_cast<std::size_t>(i)]; }
    int ColumnX() const { return m_left; }
    int FontBase() const { return m_fontBase; }
    plat::LogFont LabelFont() const;
    double CentreX() const { return m_centreX; }
    double OriginY() const { return m_originY; }
    double Scale() const { return m_scale; }
    int Inset() const { return m_inset; }

protected:
    void ClearItems();
    void SetInset();
    // Every label shown, in its own rows; one that was not is put back at its anchors. True
    // when any was not.
    bool ShowAll();
    // Each label shown (from where it stands, or with fromAnchors from its anchors) at least
    // kLabelGap below the one above, a crowded group pulled back up towards its anchors as far
    // as the room above it allows. Answers the labels shown, top down.
    std::vector<Item*> Spread(bool fromAnchors);
    // The label written in its form of that index.
    static void SetForm(Item& it, std::size_t form);
    // The labels that stand over the column's top pushed down into it, then those that stand
    // below its bottom pushed up, each keeping kLabelGap from the next.
    void PushIntoColumn(const std::vector<Item*>& shown);
    // The labels brought within the column where they overrun it: pushed into it, then in
    // fewer rows, then fewer of them (see Layout).
    void FitColumn();
    // The column moves right of its base by a fifth of the widest label shown where there is
    // room; answers the new column x, or twice that widest label when the column stays.
    int PlaceColumn();
    // True when every label shown stands within the column, its top, bottom and right side.
    bool Fits() const;

    plat::Window* m_owner = nullptr;
    std::unique_ptr<std::array<Item, kMaxItems>> m_items;
    // The structure of the labels (kept for the column's re-layout); cleared before it is
    // deleted or replaced.
    const TStructure* m_structure = nullptr;
    int m_count = 0;
    int m_left = 0, m_top = 0, m_right = 0, m_bottom = 0, m_baseX = 0;
    int m_fontBase = 100;
    double m_margin = 1.0;
    int m_width = 100, m_height = 100;
    double m_centreX = 0.0, m_originY = 0.0, m_scale = 1.0, m_largest = 0.0;
    int m_inset = 8;
    int m_rescale = 0;
    // Set while DrawAt collects: the placement given stays.
    int m_direct = 0;
};

// The beam-section callout manager of the main window.
class TInfo_2k : public TInfo_Base {
public:
    explicit TInfo_2k(plat::Window* owner) : TInfo_Base(owner) {}
    int Collect(plat::DC* dc, const TStructure* structure) override;

private:
    // Where a callout of layers points: the widest face beside them (x) and their top and bottom
    // rows (y1, y2), in pixels.
    struct LayerAnchor {
        int x = 0, y1 = 0, y2 = 0;
    };
    LayerAnchor AnchorOf(const TStructure& s, const LongLayerRec& layer) const;
    // The anchor widened to take in another layer of its group.
    void Widen(LayerAnchor& anchor, const TStructure& s, const LongLayerRec& layer) const;

    // The layer groups of one callout kind (InfoManager.cpp).
    template <typename Group, typename Emit> void ForEachLayerGroup(const TStructure& s, Emit emit) const;
    void CollectLongitudinal(plat::DC& dc, const TStructure& s);
    void CollectTendons(plat::DC& dc, const TStructure& s);
    void CollectCircular(plat::DC& dc, const TStructure& s);
    void CollectDistributed(plat::DC& dc, const TStructure& s);
    void CollectTransverse(plat::DC& dc, const TStructure& s);
};

extern std::unique_ptr<TInfo_Base> g_InfoManager;

// Creates the manager once; true when it exists.
int CreateInfoManager(plat::Window* owner);
// These do nothing but answer 1 while there is no manager.
int ResizeInfoManager(int width, int height);
int RedrawInfoManager(plat::DC* dc, const TStructure* structure, int flag);
int UpdateInfoManager(const TStructure* structure);
// The manager forgets its structure; returns 1.
int LetGoOfInfoManager();
// Destroys the manager (when the document is reset); returns 1.
int ReleaseInfoManager();
