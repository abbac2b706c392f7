// The chart factory of the view manager: a plot code becomes a chart of the right class (the one
// in the slot is reused when its kind fits), then it is described and filled; the control
// charts with their marker, legends, inserted boxes, the pasted chart and "Add to Graph".

#include <algorithm>

#include "app/GlobalTables.h"
#include "app/ShellServices.h"
#include "app/views/DiagramMakers.h"
#include "app/views/TViewm.h"
#include "charts/ControlChartGeometry.h"
#include "charts/TColourMap.h"
#include "charts/TTextBox.h"
#include "charts/Tchart.h"
#include "charts/Tcontrolchart.h"
#include "foundation/Reporter.h"
#include "foundation/Sentinel.h"
#include "foundation/StrFormat.h"
#include "foundation/TTextBuffer.h"
#include "foundation/Units.h"
#include "platform/Controls.h"
#include "platform/Ui.h"
#include "platform/Window.h"

namespace {

constexpr int kKindPlain = 1;
constexpr int kKindIcon = 2;
// Any kind will do.
constexpr int kAnyKind = -1;
// Never reused.
constexpr int kNeverReused = -2;

bool IsPlain(int kind) { return kind == kKindPlain || kind == kKindIcon; }

// The kind a code's chart has (0: a plain chart) and the kind an existing chart must have to
// be kept for it.
struct CodeClass {
    int kind;
    int reuse;
};

CodeClass ClassOf(int code) {
    if (code < 2000)
        return {0, kKindPlain};
    switch (code) {
    case 2000: return {6, 6};
    case 2001: return {12, 12};
    case 2002: return {14, 14};
    case 2003: return {13, 13};
    case 2103: return {11, 11};
    case 2109: return {22, 22};
    case 2116: return {26, 26};
    case 2200: return {15, 15};
    case 2201: return {18, 18};
    case 2202: return {24, 24};
    default: break;
    }
    if (code >= 2100 && code <= 2102)
        return {10, kNeverReused};
    if (code >= 2104 && code <= 2106)
        return {16, 16};
    if (code == 2107 || code == 2110 || code == 2112 || code == 2114)
        return {20, 20};
    if (code == 2108 || code == 2111 || code == 2113 || code == 2115)
        return {21, 21};
    if (code >= 2117 && code <= 2119)
        return {26, kAnyKind};
    if (code >= 2120 && code <= 2122)
        return {code - 2113, code - 2113};  // 7, 8, 9: the material kind
    if (code >= 4000 && code <= 4003)
        return {code, kNeverReused};
    if (code == 4004)
        return {0, kAnyKind};
    if (code >= 4005 && code <= 4099)
        return {0, kKindPlain};
    if (code >= 4100 && code <= 4104)
        return {19, 19};
    if (code >= 4200 && code <= 4599)
        return {23, 23};
    if (code == 4600)
        return {0, 23};
    if (code >= 4700 && code <= 4702)
        return {25, kNeverReused};
    return {0, kAnyKind};
}

bool Keeps(int code, int kind) {
    const CodeClass c = ClassOf(code);
    if (c.reuse == kNeverReused)
        return false;
    if (c.reuse == kAnyKind)
        return true;
    if (c.reuse == kKindPlain)
        return IsPlain(kind);
    return kind == c.reuse;
}

void IndexGuard(int id, int kind) {
    plat::MessageBox(StrPrintf("Graph %d cannot be shown on a chart of kind %d.", id, kind), g_AppTitle,
                     MsgStyle::IconExclamation);
}

} // namespace

// ---- Panel charts ---------------------------------------------------------------------------

void TViewm_2k::CreatePanelChart(std::unique_ptr<Tchart>& slot, plat::Window* parent, int code, int panel) {
    if (slot && !Keeps(code, slot->Kind())) {
        ClearActiveChart();
        DestroyBoxes();
        DestroyChildCharts(slot.get());
        slot.reset();
    }
    if (!slot) {
        const PanelRect r = GetPanelRect(panel);
        const bool child = parent != m_owner;
        const std::string title = child ? "CHILD" : "";
        const CodeClass c = ClassOf(code);
        if (c.kind == 0 && code < 1000 && panel != 0 && panel != 36 && panel != 37)
            slot = std::make_unique<Ticonchart>(parent, title, r.x, r.y, r.width, r.height, 1, 3);
        else if (c.kind == 0)
            slot = std::make_unique<Tbigchart>(parent, title, r.x, r.y, r.width, r.height, 1, 3, 0);
        else if (c.kind == kColourMapKind)
            slot = MakeColourMap(parent, title, r);
        else
            slot = MakeKindChart(parent, title, r.x, r.y, r.width, r.height, c.kind, code);
        if (parent && parent->IsCreated())
            ShowInParent(*slot);
    }
    slot->SetReadoutPoint(kUndefined, kUndefined);
}

std::unique_ptr<Tchart> TViewm_2k::MakeColourMap(plat::Window* parent, const std::string& title, const PanelRect& r) {
    const double magnification = m_logic ? m_logic->GetScaleValue() : 1.0;
    auto map = std::make_unique<TColourMap>(parent, title, r.x, r.y, r.width, r.height, kMapValues, magnification);
    const MapIntMesh* mesh = nullptr;
    const MapFloatMesh* coords = nullptr;
    if (m_logic)
        m_logic->OnChartCreated(mesh, coords, 0);
    map->LinkArrays(mesh, coords);
    return map;
}

void TViewm_2k::CreateChart(Tchart* chart, int id, int hide, int reset) {
    g_MessageBuffer.Clear();
    g_MessageBuffer2.Clear();
    if (!chart)
        return;
    // A chart reused for this graph keeps nothing of the one it showed, neither its data nor
    // its picture: what the mode object does not fill stays empty ("No Data") and the whole
    // chart is painted again.
    chart->ClearData();
    if (chart->IsCreated())
        chart->Invalidate();
    if (reset)
        chart->SetMaxRange(0);
    const bool blank = chart->IsChildPlacement() || hide != 0;
    const int kind = chart->Kind();
    auto fill = [&] {
        if (m_logic)
            m_logic->FillChart(chart, id, 0, 0);
    };
    auto describe = [&](ChartDescription& d) {
        d = ChartDescription{};
        if (m_logic)
            m_logic->GetChartDescription(id, d, kind);
        else
            d.lowerX = -kUndefined, d.upperX = kUndefined;
    };
    auto fixed = [&](int required, const char* title, int precision) {
        if (required != kAnyKind && kind != required) {
            IndexGuard(id, kind);
            return;
        }
        chart->SetTitles(blank ? "" : title, "", "", precision, precision);
        fill();
    };
    if (IsPlain(kind) && (id < 2000 || (id >= 4004 && id <= 4099))) {
        ChartDescription d;
        describe(d);
        chart->SetTitles(blank ? "" : d.title, d.xLabel, d.yLabel, d.xPrecision, d.yPrecision);
        chart->SetXLimits(d.lowerX, d.upperX);
        if (d.axisLabels == 0)
            chart->SetNumericRangeLabels(0);
        if (id >= 4004) {
            const BoxPlace p = chart->Place();
            chart->SetFontHeights(std::min(p.w, p.h) / 11, std::min(p.w, p.h) / 13);
        }
        fill();
        return;
    }
    if (id >= 2100 && id <= 2102) {
        const bool strain = id == 2100;
        const std::string unit = UnitLabel(strain ? ukStrain : ukStress);
        const char* titles[] = {"Circle of Strain (average)", "Circle of Stress (crack)", "Circle of Stress (average)"};
        const std::string x = blank ? "" : StrPrintf(strain ? "Strain (%s)" : "Stress (%s)", unit.c_str());
        const std::string y =
            blank ? "" : StrPrintf(strain ? "Shear Strain/2 (%s)" : "Shear Stress (%s)", unit.c_str());
        chart->SetTitles(blank ? "" : titles[id - 2100], x, y, 2, 2);
        fill();
        return;
    }
    // Contour plots, colour maps and 3-D plots are described by the mode object. 2107 is a
    // contour chart like 2110 to 2115 (kind 20), not a node-data diagram.
    const bool contour = id == 2107 || (id >= 2110 && id <= 2115);
    if (contour || (id >= 4200 && id <= 4600) || (id >= 4700 && id <= 4799)) {
        ChartDescription d;
        describe(d);
        int hideTitles = 0;
        if (m_logic && !contour)
            m_logic->GetOption(id, hideTitles);
        const bool none = !contour && (blank || hideTitles != 0);
        chart->SetTitles(none ? "" : d.title, none ? "" : d.xLabel, none ? "" : d.yLabel, d.xPrecision,
                         d.yPrecision);
        if (contour)
            chart->SetAxisEnd(ChartEnd::YMax, d.upperX);
        fill();
        return;
    }
    switch (id) {
    case 2000: fixed(6, "Crack Diagram ", 0); return;
    case 2001: fixed(12, "Cross Section", 0); return;
    case 2002: fixed(14, "N+M", 0); return;
    case 2003: fixed(13, "Internal Forces", 0); return;
    case 2103: fixed(11, " Crack Diagram ", 0); return;
    case 2200: fixed(kAnyKind, "Shell Diagram", 2); return;
    case 2201: fixed(kAnyKind, "Block Crack Diagram", 2); return;
    case 2202: fixed(kAnyKind, "Internal Forces", 2); return;
    default: break;
    }
    if (id >= 2104 && id <= 2106)
        return fixed(16, "Stress & Strain", 0);
    if (id >= 2116 && id <= 2119)
        return fixed(26, "Vital Signs", 0);
    if (id >= 4000 && id <= 4003)
        return fixed(kAnyKind, "Member Crack Diagram", 2);
    if (id >= 2120 && id <= 2122) {
        const char* titles[] = {"Damaged Concrete", "Damaged Steel", "Damaged PT"};
        chart->SetTitles(titles[id - 2120], "", "", 1, 1);
        chart->AttachStructure(m_services ? m_services->GetStructure(m_services->GetCurrentStructure()) : nullptr);
        chart->AutoScale();
        return;
    }
    IndexGuard(id, kind);
}

// ---- Control charts -------------------------------------------------------------------------

void TViewm_2k::CreateControlCharts() {
    for (int which = 0; which < 2; ++which) {
        const int byte = which == 0 ? PanelMenuByte::ControlChart1 : PanelMenuByte::ControlChart2;
        auto& chart = m_controlCharts[static_cast<std::size_t>(which)];
        if (!chart && PanelMenuHas(byte)) {
            const PanelRect r = GetPanelRect(which == 0 ? PanelId::ControlChart1 : PanelId::ControlChart2);
            chart = std::make_unique<Tcontrolchart>(m_owner, "Control : M-Phi", r.x, r.y, r.width, r.height, 1, 3);
            if (m_owner && m_owner->IsCreated())
                ShowInParent(*chart);
        } else if (chart && PanelMenuHas(byte) && chart->IsCreated()) {
            chart->Show(true);
        }
    }
    FillControlCharts();
    MakeButton(m_rangeButton, 1000, "Auto Range", PanelId::RangeButton, PanelMenuByte::RangeButton);
    MakeCombo(m_layoutCombo, 1101, PanelId::LayoutCombo, PanelMenuByte::LayoutCombo);
}

void TViewm_2k::FillControlCharts() {
    if (!m_logic)
        return;
    m_logic->FillControlChart(m_controlCharts[0].get(), 1, m_layoutMode);
    m_logic->FillControlChart(m_controlCharts[1].get(), 2, m_layoutMode);
}

namespace {

// True when the point of the chart tagged tag lies at (x, y), as the chart stores it.
bool TaggedPointAt(const Tcontrolchart& chart, int tag, double x, double y) {
    const std::vector<int>& tags = chart.Tags();
    const std::vector<double>& xy = chart.Data().Data();
    for (std::size_t i = 0; i < tags.size() && 2 * i + 1 < xy.size(); ++i)
        if (tags[i] == tag)
            return xy[2 * i] == ControlChartValue(x) && xy[2 * i + 1] == ControlChartValue(y);
    return false;
}

} // namespace

// The chart names the stage shown: the one asked for, or the point nearest the analysis's
// current point. A stage chosen before stays chosen only while its point is the one shown (two
// stages at one place keep the pick); otherwise it is forgotten, since the chart's marker would
// keep it whenever its point came before the nearest one in the data.
void TViewm_2k::UpdateControlMarker(Tcontrolchart* chart, int choice) {
    if (!chart)
        return;
    double x = kUndefined, y = kUndefined;
    if (m_logic)
        m_logic->GetControlPoint(x, y, chart->SubMode());
    if (choice > 0 && std::find(chart->Tags().begin(), chart->Tags().end(), choice) != chart->Tags().end())
        chart->SetSelectedTag(choice);
    else if (!TaggedPointAt(*chart, chart->SelectedTag(), x, y))
        chart->SetSelectedTag(0);
    chart->DrawMarker(x, y, 0);
}

void TViewm_2k::ClearControlMarkers() {
    if (m_controlCharts[0])
        m_controlCharts[0]->ForgetFineRange();
}

int TViewm_2k::GetControlChartChoice(int which) const {
    const Tcontrolchart* c = GetControlChart(which);
    return c ? c->SelectedTag() : 0;
}

int TViewm_2k::GetControlChartValue(int which, double& x, double& y, int k) const {
    const Tcontrolchart* c = GetControlChart(which);
    return c && c->GetPointBeforeSelected(x, y, k) ? 1 : 0;
}

int TViewm_2k::GetControlMarkers(double& x1, int& tag1, double& x2, int& tag2) {
    if (m_controlCharts[0])
        m_controlCharts[0]->GetMarkedRange(x1, tag1, x2, tag2);
    return 1;
}

bool TViewm_2k::HasControlMarkers() { return m_controlCharts[0] && m_controlCharts[0]->HasMarkers(); }

// ---- Boxes ----------------------------------------------------------------------------------

void TViewm_2k::AddLegendBox(int graphId, int panelIndex) {
    Tchart* chart = GetChart(panelIndex);
    if (!chart)
        return;
    if (panelIndex == 0)
        for (auto& t : m_textBoxes)
            if (t && t->IsLegend()) {
                if (t.get() == m_selected)
                    m_selected = nullptr;
                t.reset();
            }
    auto free = std::find(m_textBoxes.begin(), m_textBoxes.end(), nullptr);
    if (free == m_textBoxes.end())
        return;
    const plat::Size owner = OwnerSize();
    auto box = std::make_unique<TTextBox>(chart, "CHILD", 100, 100, owner.cx / 5, owner.cy / 5);
    if (chart->IsCreated())
        ShowInParent(*box);
    box->SetFontHeights(chart->Place().w / 30, 1);
    std::string text;
    int position = graphId;
    if (m_logic)
        m_logic->GetLegendText(text, position);
    if (text.empty()) {
        // The chart gives back any room it kept beside its plot for the legend it had.
        box.reset();
        chart->KeepLegendsClear();
        return;
    }
    box->SetText(text);
    // A legend at its place must not hide the chart's axis numbers, titles or ticks: where it
    // would, it moves to the nearest place a few pixels clear of them inside the chart. The
    // chart keeps it so as its texts move (KeepLegendsClear).
    const BoxPlace c = chart->Place(), b = box->Place();
    const plat::Point home = LegendHome(position, {c.w, c.h}, {b.w, b.h});
    box->Reposition(home.x, home.y, b.w, b.h, 0);
    box->SetLegend(true);
    box->SetLegendPosition(position);
    *free = std::move(box);
    chart->KeepLegendsClear();
}

void TViewm_2k::KeepLegendsClear() {
    for (int i = 0; i < kPanelCharts; ++i)
        if (Tchart* chart = GetChart(i))
            chart->KeepLegendsClear();
}

void TViewm_2k::InsertTextBox() {
    auto free = std::find(m_textBoxes.begin(), m_textBoxes.end(), nullptr);
    if (free == m_textBoxes.end())
        return;
    const PanelRect r = GetPanelRect(PanelId::NewBox);
    plat::Window* parent = m_charts[0] ? static_cast<plat::Window*>(m_charts[0].get()) : m_owner;
    auto box = std::make_unique<TTextBox>(parent, m_charts[0] ? "CHILD" : "Text Box", r.x, r.y, r.width, r.height);
    if (parent && parent->IsCreated())
        ShowInParent(*box);
    std::string text;
    if (m_logic)
        m_logic->GetInfoText(text);
    if (text.size() >= TBase_Logic::kInfoTextSize)
        text.resize(TBase_Logic::kInfoTextSize - 1);
    box->SetText(text);
    *free = std::move(box);
}

void TViewm_2k::InsertGraphicBox() {
    plat::Window* parent = m_charts[0] ? static_cast<plat::Window*>(m_charts[0].get()) : m_owner;
    if (!m_graphicBox) {
        const PanelRect r = GetPanelRect(PanelId::NewBox);
        m_graphicBox = std::make_unique<TGraphicBox>(parent, m_charts[0] ? "CHILD" : "graphic", r.x, r.y, r.width,
                                                     r.height);
    }
    if (parent && parent->IsCreated() && !m_graphicBox->IsCreated())
        ShowInParent(*m_graphicBox);
    if (m_logic)
        m_logic->AttachStructure(m_graphicBox.get());
}

// The graph added is the one chosen in the paste combo; without that combo (or a choice in
// it) the pasted chart's. Nothing stale is read from the shared message buffer.
void TViewm_2k::AddToGraph() {
    Tchart* main = m_charts[0].get();
    if (!main)
        return;
    int id = m_chartIds[1] != 0 ? m_chartIds[1] : m_pastedGraphId;
    if (m_pasteCombo && m_pasteCombo->GetSelIndex() >= 0) {
        const int chosen = ChartIdFromTitle(m_pasteCombo->GetString(m_pasteCombo->GetSelIndex()));
        if (chosen > 0)
            id = chosen;
    }
    CreateChart(main, m_chartIds[0], 0, 1);
    for (int i = 2; i < kPanelCharts; ++i) {
        auto& slot = m_charts[static_cast<std::size_t>(i)];
        if (slot)
            continue;
        m_chartIds[static_cast<std::size_t>(i)] = id;
        CreatePanelChart(slot, main, id, PanelId::AddedChart);
        CreateChart(slot.get(), id, 1, 1);
        if (Tchart* pasted = m_charts[1].get(); pasted && pasted->GetMaxRange()) {
            slot->SetMaxRange(1);
            const ChartBounds range = pasted->GetAxisRange();
            slot->SetAxisEnd(ChartEnd::XMin, range.xMin);
            slot->SetAxisEnd(ChartEnd::XMax, range.xMax);
            slot->SetAxisEnd(ChartEnd::YMin, range.yMin);
            slot->SetAxisEnd(ChartEnd::YMax, range.yMax);
        }
        return;
    }
}

void TViewm_2k::ToggleAutoRange(int flag) {
    for (auto& c : m_charts)
        if (c) {
            if (flag == -1)
                c->ToggleMaxRange();
            else
                c->SetMaxRange(flag);
        }
    if (m_charts[0] && m_rangeButton) {
        m_rangeButton->SetText(m_charts[0]->GetMaxRange() ? "Max Range" : "Auto Range");
        m_rangeButton->Show(true);
    }
    KeepLegendsClear();
}

void TViewm_2k::RepositionChildBoxes() {
    auto follow = [](TBoxItem* box) {
        if (box)
            box->FollowParent(1);
    };
    for (auto& c : m_charts)
        if (c && c->IsChildPlacement())
            follow(c.get());
    for (auto& t : m_textBoxes)
        follow(t.get());
    follow(m_graphicBox.get());
    KeepLegendsClear();
}

void TViewm_2k::MakeButtonFont() {
    if (!m_buttonFont)
        m_buttonFont = std::make_unique<plat::LogFont>();
    m_buttonFont->face = "Arial";
    m_buttonFont->height = OwnerSize().cx * -20 / 1280;
    m_buttonFont->weight = 400;
}

void TViewm_2k::CreatePanelButtons(int choice) {
    if (!m_logic || !PanelMenuHas(PanelMenuByte::PanelButtons) || !m_owner || !m_owner->IsCreated())
        return;
    int count = 0;
    m_logic->GetPanelButtonInfo(choice, count);
    count = std::clamp(count, 0, kPanelButtons);
    for (int i = count; i < kPanelButtons; ++i)
        m_panelButtons[static_cast<std::size_t>(i)].reset();
    for (int i = 0; i < count; ++i) {
        std::string name;
        int bitmapId = -1, pressed = 0;
        m_logic->GetPanelButtonName(choice, i, name, bitmapId, pressed);
        if (!m_buttonFont)
            MakeButtonFont();
        auto& button = m_panelButtons[static_cast<std::size_t>(i)];
        if (!button) {
            const PanelRect r = GetPanelRect(PanelId::FirstPanelButton + i);
            button = std::make_unique<plat::GlyphButton>(*m_owner, kFirstPanelButtonId + i, name,
                                                         plat::Rect{r.x, r.y, r.x + r.width, r.y + r.height});
        }
        button->SetText(name);
        if (bitmapId >= 0)
            button->SetGlyph(plat::Image::FromResource(bitmapId));
        if (!button->IsCreated())
            button->Create();
        button->SetFont(*m_buttonFont);
        button->SetLatched(pressed != 0);
        button->Show(true);
    }
}

plat::GlyphButton* TViewm_2k::GetPanelButton(int i) const {
    return i >= 0 && i < kPanelButtons ? m_panelButtons[static_cast<std::size_t>(i)].get() : nullptr;
}

void TViewm_2k::MovePanelButtons() {
    if (!m_buttonFont)
        return;
    MakeButtonFont();
    for (int i = 0; i < kPanelButtons; ++i)
        if (plat::GlyphButton* button = GetPanelButton(i)) {
            const PanelRect r = GetPanelRect(PanelId::FirstPanelButton + i);
            button->MoveWindow(plat::Rect{r.x, r.y, r.x + r.width, r.y + r.height});
            button->SetFont(*m_buttonFont);
        }
}

void TViewm_2k::SetTextBoxText(int n, const std::string& text) {
    TTextBox* box = nullptr;
    if (n < 0) {
        for (auto& t : m_textBoxes)
            if (t && !box)
                box = t.get();
    } else {
        box = GetTextBox(n);
    }
    if (box)
        box->SetText(text);
}

bool TViewm_2k::HasChart(const TStructure* item) const {
    return std::any_of(m_charts.begin(), m_charts.end(), [item](const std::unique_ptr<Tchart>& c) {
        return c && c->IsChildPlacement() && c->GetStructure() == item;
    });
}

bool TViewm_2k::HasChart(const SectionState* state) const {
    return state && std::any_of(m_charts.begin(), m_charts.end(), [state](const std::unique_ptr<Tchart>& c) {
        return c && c->IsChildPlacement() && c->GetShownState() == state;
    });
}

void TViewm_2k::ForgetShownState(const SectionState* state) {
    for (auto& c : m_charts)
        if (c && state && c->GetShownState() == state) {
            c->ForgetShownState();
            if (c->IsCreated())
                c->Invalidate();
        }
}

// ---- Selection ------------------------------------------------------------------------------

void TViewm_2k::SetActiveChart(TBoxItem* box, int active) {
    if (m_selected && m_selected != box)
        m_selected->InvalidateFrame();
    m_selected = active ? box : nullptr;
}

void TViewm_2k::ClearActiveChart() {
    if (m_selected)
        m_selected->InvalidateFrame();
    m_selected = nullptr;
}

void TViewm_2k::DeleteSelectedBox() {
    if (!m_selected)
        return;
    bool destroyed = false;
    for (auto& c : m_charts)
        if (c && c.get() == m_selected) {
            DestroyBoxes();
            DestroyChildCharts(c.get());
            c.reset();
            destroyed = true;
        }
    for (auto& t : m_textBoxes)
        if (t && t.get() == m_selected) {
            t.reset();
            destroyed = true;
        }
    if (m_graphicBox && m_graphicBox.get() == m_selected) {
        m_graphicBox.reset();
        destroyed = true;
    }
    m_selected = nullptr;
    if (destroyed && m_owner && m_owner->IsCreated())
        m_owner->Invalidate();
}

void TViewm_2k::ShowObjectOptions() {
    if (m_selected) {
        m_selected->ShowPopupMenu();
        return;
    }
    if (m_layoutMode != LayoutMode::Summary)
        return;
    if (Tchart* c = GetChart(m_objectOptionsIndex))
        c->ShowPopupMenu();
    m_objectOptionsIndex = (m_objectOptionsIndex + 1) % 3;
}
