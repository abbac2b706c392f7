// The membrane mode's texts: the element description, its reinforcement lines, the
// information panel and the test comparison box. Texts grow as needed (ten patterns per
// direction with layers and stirrups are longer than any fixed buffer).

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "analysis/TSectionalAnalysis.h"
#include "charts/RichText.h"
#include "foundation/DateTime.h"
#include "membrane/MembraneState.h"
#include "views/PanelLines.h"
#include "views/membrane/ElementPanel.h"
#include "views/membrane/TP2k_Logic.h"
#include "model/TShell.h"
#include "model/catalogues/TRebarList.h"
#include "model/materials/MaterialTypes.h"
#include "platform/DC.h"

namespace {

constexpr int kStrain = 3;
constexpr int kLength = 6;
constexpr int kArea = 8;
constexpr int kAreaPerBar = 9;
constexpr int kStress = 10;
constexpr int kSteelStress = 11;
// The text an empty author or institution field holds.
constexpr const char* kPlaceholder = "p2k";

plat::LogFont Arial(int height, int weight = 400)
{
    plat::LogFont f;
    f.face = "Arial";
    f.height = height;
    f.weight = weight;
    return f;
}

void DrawMarked(plat::DC& dc, int x, int y, const std::string& text)
{
    const unsigned align = dc.GetTextAlign();
    DrawRichText(dc, x, y, text, dc.GetFont(), align & plat::TextAlign::HorizontalMask,
                 align & plat::TextAlign::VerticalMask);
}

} // namespace

std::string DescribePatterns(const TStructure* m_structure, int d, const DisplayContext& u)
{
    std::string text;
    if (!m_structure)
        return text;
    const bool si = u.unitSystem == 0;
    for (int i = 0; i < m_structure->GetPatternCapacity(); ++i) {
        const ReinfPatternRec* p = m_structure->GetPattern(i, d);
        if (!p || !p->inUse)
            continue;
        const LongLayerRec& l = p->layer;
        const std::string prefix = l.nround > 0 ? Printf("%d layers of ", l.nround) : "";
        std::string line;
        if (l.barIndex < 0)
            line = Printf(si ? "%s A_s = %5.0f %s @ %4.0f %s\n" : "%s A_s = %5.2f %s @ %4.2f %s\n",
                          prefix.c_str(), u.Show(l.A, kArea), u.Label(kArea),
                          u.Show(l.space, kLength), u.Label(kLength));
        else
            line = Printf(si ? "%s %s @ %4.0f %s\n" : "%s %s @ %4.2f %s\n", prefix.c_str(),
                          g_RebarList.GetName(l.barIndex).c_str(), u.Show(l.space, kLength),
                          u.Label(kLength));
        if (l.dep > 0.0)
            line = Printf("%s Prestrain |D|e_p = %5.3f %s", line.c_str(), u.Show(l.dep, kStrain),
                          u.Label(kStrain));
        text += line;
    }
    return text;
}

std::string DescribeLongLayers(const TStructure* m_structure, int d, const DisplayContext& u)
{
    std::string text;
    if (!m_structure)
        return text;
    const bool si = u.unitSystem == 0;
    const double t = m_structure->GetHeight();
    for (int i = 0; i < m_structure->GetLongLayerCount(d); ++i) {
        const LongLayerRec* l = m_structure->GetLongLayer(i, d);
        if (!l || l->pattern != kPlainLayer)
            continue; // described by its pattern's line
        const double up = u.Show(l->z + t / 2.0, kLength);
        std::string line;
        if (l->barIndex < 0)
            line = Printf(si ? "A_s = %5.0f %s @ %4.0f %s %5.0f %s up\n"
                             : "A_s = %5.3f %s @ %4.2f %s %5.2f %s up\n",
                          u.Show(l->A, kArea), u.Label(kArea), u.Show(l->space, kLength),
                          u.Label(kLength), up, u.Label(kLength));
        else
            line = Printf(si ? "%s @ %4.0f %s %5.0f %s up\n" : "%s @ %4.2f %s %5.0f %s up\n",
                          g_RebarList.GetName(l->barIndex).c_str(), u.Show(l->space, kLength),
                          u.Label(kLength), up, u.Label(kLength));
        if (l->dep > 0.0)
            line = Printf("%s Prestrain |D|e_p = %5.3f %s\n", line.c_str(),
                          u.Show(l->dep, kStrain), u.Label(kStrain));
        text += line;
    }
    return text;
}

std::string DescribeTransLayers(const TStructure* m_structure, const DisplayContext& u)
{
    std::string text;
    if (!m_structure)
        return text;
    const bool si = u.unitSystem == 0;
    for (int i = 0; i < m_structure->GetTransLayerCount(2); ++i) {
        const TransLayerRec* l = m_structure->GetTransLayer(i, 2);
        if (!l)
            continue;
        const char* legs = l->pattern == 5 ? "T-Headed" : "Single Leg";
        if (l->barIndex < 0)
            text += Printf(si ? "%s bar, A_s = %5.0f %s per %4.3f %s\n"
                              : "%s bar, A_s = %5.2f %s per %4.2f %s\n",
                           legs, u.Show(l->A, kArea), u.Label(kArea),
                           u.Show(l->space, kAreaPerBar), u.Label(kAreaPerBar));
        else
            text += Printf(si ? "%s %s per %4.3f %s\n" : "%s %s per %4.2f %s\n", legs,
                           g_RebarList.GetName(l->barIndex).c_str(),
                           u.Show(l->space, kAreaPerBar), u.Label(kAreaPerBar));
    }
    return text;
}

std::string TP2k_Logic::DescribePatterns(int d) const
{
    return ::DescribePatterns(m_structure, d, m_display);
}

std::string TP2k_Logic::DescribeLongLayers(int d) const
{
    return ::DescribeLongLayers(m_structure, d, m_display);
}

std::string TP2k_Logic::DescribeTransLayers() const
{
    return ::DescribeTransLayers(m_structure, m_display);
}

void TP2k_Logic::GetInfoText(std::string& text)
{
    RefreshDisplay();
    text.clear();
    if (!m_structure)
        return;
    const DisplayContext& u = m_display;
    const TStructure& s = *m_structure;
    text = s.GetName();
    for (const std::string& extra : {s.GetDoneBy(), s.GetUniversity()})
        if (!extra.empty() && extra != kPlaceholder)
            text += "\r\n" + extra;
    // A new element has no concrete type yet: no f'c line, and no complaint about the index.
    if (const ConcreteTypeRec* c = s.GetConcreteTypeCount() > 0 ? s.GetConcreteType(0) : nullptr)
        text += Printf(u.unitSystem == 0 ? "\r\nf_c'= %5.1f %s" : "\r\nf_c'= %5.0f %s",
                       std::fabs(u.Show(c->fc, kStress)), u.Label(kStress));
    for (int i = 0; i < s.GetSteelTypeCount(); ++i) {
        if (!s.IsSteelTypeUsed(i))
            continue;
        const SteelTypeRec* st = s.GetSteelType(i);
        text += Printf(u.unitSystem == 1 ? "\r\nf_y (%s) = %5.1f %s" : "\r\nf_y (%s) = %5.0f %s",
                       st->name.c_str(), u.Show(st->fy, kSteelStress), u.Label(kSteelStress));
    }
    // The text box shows one item per line: every line ends in CR LF.
    const auto lines = [](std::string block) {
        std::string out;
        for (char ch : block) {
            if (ch == '\n')
                out += "\r\n";
            else
                out += ch;
        }
        return out;
    };
    text += "\r\nX-Reinforcement: \r\n" + lines(DescribePatterns(0) + DescribeLongLayers(0));
    text += "Y-Reinforcement: \r\n" + lines(DescribePatterns(1) + DescribeLongLayers(1));
    if (s.GetTransLayerCount(2) > 0)
        text += "Z-Reinforcement: \r\n" + lines(DescribeTransLayers());
}

int TP2k_Logic::PaintInfoPanel(plat::DC& dc, int layoutMode, int w, int h, std::string& title)
{
    using namespace plat::TextAlign;
    if (layoutMode == 0 || layoutMode == 3)
        return 1;
    RefreshDisplay();
    const DisplayContext& u = m_display;
    dc.SetBkMode(plat::BkMode::Transparent);
    dc.SetTextAlign(Top | Left);
    const std::string stamp = DateTimeStamp();
    std::string name = m_structure ? m_structure->GetName() : std::string();
    name = name.substr(0, name.find_first_of("\r\n"));
    const std::string author = m_structure ? m_structure->GetDoneBy() : std::string();
    const std::string institution = m_structure ? m_structure->GetUniversity() : std::string();
    const auto at = [h](double f) { return static_cast<int>(f * h); };

    if (layoutMode == 5) {
        // Three blocks, each in its room of the control panel (10 pixels in from its edges):
        // the heading lines at its top, the strains above its rule (at 0.87 of the height)
        // and the stresses below it, to the page's foot.
        const int edge = static_cast<int>(0.25 * w - 1);
        const int rule = at(0.87);
        const plat::LogFont font = Arial(w / 50);
        // Written as they stand: a "_" or "^" the user typed in a name is a letter, not markup.
        WritePanelLines(dc, {title, name, author, institution, stamp}, font,
                        plat::Rect{10, at(0.01), edge - 10, at(0.25)}, at(0.035), false, false);
        const SectionState* s = m_analysis ? m_analysis->GetCurrentState() : nullptr;
        const LayerNodeStateRec* n = s && s->Valid ? ElementNode(*s) : nullptr;
        std::vector<std::string> below;
        if (n) {
            WritePanelLines(dc,
                            {Printf("|e_x  = %5.2f %s", u.Show(n->StrainX, kStrain), u.Label(kStrain)),
                             Printf("|e_y  = %5.2f %s", u.Show(n->StrainZ, kStrain), u.Label(kStrain)),
                             Printf("|g_x_y = %5.2f %s", u.Show(n->ShearStrain, kStrain), u.Label(kStrain))},
                            font, plat::Rect{10, at(0.765), edge - 10, rule - 1}, at(0.035), true);
            below = {Printf("Stress-X = %5.2f %s", u.Show(s->Result(MembraneResult::AppliedX), kStress),
                            u.Label(kStress)),
                     Printf("Stress-Y = %6.2f %s", u.Show(s->Result(MembraneResult::AppliedY), kStress),
                            u.Label(kStress)),
                     Printf("Shear = %6.2f %s", u.Show(s->Result(MembraneResult::AppliedXY), kStress),
                            u.Label(kStress))};
        }
        if (u.FactorSumOffset() > 0.001)
            below.push_back("Factored Values");
        // From 0.9 of the height down, or as much higher as the rows need.
        const int count = static_cast<int>(below.size());
        const int top = std::max(rule + 2, std::min(at(0.9), h - 2 - count * at(0.03)));
        WritePanelLines(dc, below, font, plat::Rect{10, top, edge - 10, h - 2}, at(0.03));
        dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::Black});
        dc.MoveTo(0, rule);
        dc.LineTo(edge, rule);
        dc.MoveTo(edge, h);
        dc.LineTo(edge, 0);
        return 1;
    }
    dc.SelectFont(Arial(w / 45, 700));
    dc.TextOut(10, at(0.01), title);
    dc.SelectFont(Arial(w / 50));
    dc.SetTextAlign(Top | Center);
    DrawMarked(dc, static_cast<int>(0.5 * w), at(0.01), name);
    dc.SetTextAlign(Top | Right);
    dc.TextOut(w - 10, at(0.01), Printf("%s  %s", author.c_str(), stamp.c_str()));
    return 1;
}

int TP2k_Logic::PaintPanelText(plat::DC& dc, int panel, int w, int h)
{
    using namespace plat::TextAlign;
    if (panel != 5 || !m_structure)
        return 1;
    RefreshDisplay();
    const DisplayContext& u = m_display;
    dc.SelectFont(Arial(std::min(w / 45, h / 25)));
    dc.SetBkMode(plat::BkMode::Transparent);
    double largest = -1.0;
    if (m_structure->RewindValueList(14))
        while (m_structure->HasMoreValues(14))
            largest = std::max(largest, m_structure->NextValue(14));
    const auto X = [w](double f) { return static_cast<int>(f * w); };
    const auto Y = [h](double f) { return static_cast<int>(f * h); };
    dc.FillRect(plat::Rect{X(0.02), Y(0.30), X(0.23), Y(0.55)}, plat::GetSysColor(plat::SysColor::Face3D));
    // Every line centred on the box (a marked-up line leaves its own alignment selected).
    const auto centred = [&](int y, const std::string& text) {
        dc.SetTextAlign(Top | Center);
        DrawMarked(dc, X(0.125), y, text);
    };
    centred(Y(0.35), m_structure->GetName());
    if (largest > 0.0) {
        centred(Y(0.45), Printf(u.unitSystem == 1 ? "Test v_x_y: %5.0f %s" : "Test v_x_y: %5.2f %s",
                                u.Show(largest, kStress), u.Label(kStress)));
        const SectionState* peak = m_analysis ? m_analysis->GetPeakState() : nullptr;
        const LayerNodeStateRec* n = peak ? ElementNode(*peak) : nullptr;
        if (n && std::fabs(n->ConcShearStress) > 1.0)
            centred(Y(0.50), Printf("Test:Predict = %5.2f", largest / n->ConcShearStress));
    }
    return 1;
}

void TP2k_Logic::PaintSection(plat::DC& dc, int x, int y, int w, int h, int flag)
{
    RefreshDisplay();
    PaintMembranePanel(dc, GetShell(), x, y, w, h, flag, m_display);
}
