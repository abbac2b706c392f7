#include "app/views/PanelLayout.h"

#include <algorithm>
#include <cmath>

#include "app/TBase_Logic.h"
#include "app/summary/SummaryLayout.h"

namespace {

int T(double v) { return static_cast<int>(std::trunc(v)); }

PanelRect Make(double x, double y, double w, double h) { return PanelRect{T(x), T(y), T(w), T(h)}; }

} // namespace

bool GetPanelRect(int id, int Wi, int Hi, double f, PanelRect& rect) {
    const double W = Wi, H = Hi;
    const double F = T(f * W);
    const double third = (1.0 - f) * W / 3.0;
    const double narrow = ((1.0 - f) / 3.0 - 0.02) * W;
    if (id == 0) {
        rect = Make(0.01 * W + F, 0.01 * H, (1.0 - f - 0.02) * W, 0.98 * H);
    } else if (id >= 1 && id <= 9) {
        const int k = id - 1;
        rect = Make(0.01 * W + F + (k % 3) * third, 0.01 * H + (k / 3) * 0.33 * H, 0.23 * W, 0.32 * H);
    } else if (id == 10) {
        rect = Make(0.075 * W, 0.395 * H, Wi / 10, Wi / 6);
    } else if (id == 11 || id == 12) {
        const int k = id - 11;
        rect = Make(0.01 * W - 1.0, (0.65 - 0.35 * k) * H, (f - 0.02) * W + 1.0, (f + 0.1) * H - 0.01 * W);
    } else if (id == 13) {
        rect = Make(0.1 * W, 0.1 * H, 0.137 * W, 0.137 * W);
    } else if (id >= 14 && id <= 16) {
        const int k = id - 14;
        rect = Make((0.015 + 0.2 * k) * 0.85 * W, 0.75 * H, 0.2 * 0.85 * W, 0.245 * H - Wi / 100);
    } else if (id == 17 || id == 18) {
        const int k = id - 17;
        rect = Make(0.02 * W, (0.13 + 0.175 * k) * H, (f - 0.04) * W, 0.25 * H);
    } else if (id == 19) {
        rect = Make(0.045 * W, RangeButtonTop(Hi), (f - 0.09) * W, 0.06 * H);
    } else if (id == 20) {
        rect = Make(0.045 * W, 0.55 * H, 0.16 * W, 0.05 * H);
    } else if (id == 21) {
        rect = Make(0.26 * W, 0.01 * H, 0.73 * W, 0.33 * H);
    } else if (id >= 22 && id <= 25) {
        const int k = id - 22;
        rect = Make(0.26 * W + (k % 2) * 0.375 * W, 0.34 * H + (k / 2) * 0.33 * H, 0.355 * W, 0.32 * H);
    } else if (id == 26) {
        rect = Make(0.01 * W, 0.05 * H, 0.98 * W, 0.94 * H);
    } else if (id == 33) {
        rect = Make(0.1 * W, 0.1 * H, 0.2 * W, 0.2 * W);
    } else if (id >= 34 && id <= 37) {
        const int k = id - 34;
        rect = Make(0.26 * W + (k % 2) * 0.375 * W, 0.01 * H + (k / 2) * 0.51 * H, 0.355 * W, 0.47 * H);
    } else if (id >= 38 && id <= 50) {
        const int k = id - 38;
        rect = Make(0.02 * W, (0.15 + 0.1 * k) * 0.7 * H, 0.16 * W, 0.06 * H);
    } else if (id == 52) {
        rect = Make((f + 0.01) * W, 0.005 * H, (2.0 * (1.0 - f) / 3.0 - 0.02) * W, 0.65 * H);
    } else if (id == 53 || id == 54) {
        rect = Make(0.01 * W + F + 2.0 * third, 0.005 * H + (id - 53) * 0.33 * H, narrow, 0.32 * H);
    } else if (id >= 55 && id <= 57) {
        rect = Make(0.01 * W + F + (id - 55) * third, 0.01 * H + 0.66 * H, narrow, 0.32 * H);
    } else if (id == 58) {
        rect = Make((f + 0.01) * W, 0.01 * H, (1.0 - f - 0.02) * W, 0.33 * H);
    } else if (id >= 59 && id <= 64) {
        const int col = (id - 59) % 3, row = (id - 56) / 3;
        rect = Make(0.01 * W + F + col * third, 0.01 * H + row * 0.33 * H, 0.23 * W, 0.32 * H);
    } else {
        return false;
    }
    return true;
}

bool GetLayoutPanelRect(int id, int mode, int W, int H, double f, PanelRect& rect) {
    if (!GetPanelRect(id, W, H, f, rect))
        return false;
    if (mode != LayoutMode::LoadDeformation)
        return true;
    const LoadDeformationPanel panel = LayOutLoadDeformationPanel(W, H, f);
    if (id == PanelId::LayoutCombo) {
        rect.y = panel.layoutCombo;
    } else if (id == PanelId::PasteCombo) {
        rect.y = panel.pasteCombo;
    } else if (id == PanelId::PastedChart) {
        rect.y = panel.sampleChart;
        rect.height = panel.sampleHeight;
    } else if (id == PanelId::AddButton) {
        rect.y = panel.addButton;
    }
    return true;
}

namespace {

int PrintedControlChartY(int y, int H) { return y > H / 2 ? 2 * y / 3 : y / 3; }

} // namespace

bool GetPrintedPanelRect(int id, int W, int H, double f, PanelRect& rect) {
    if (!GetPanelRect(id, W, H, f, rect))
        return false;
    if (id != PanelId::ControlChart1 && id != PanelId::ControlChart2)
        return true;
    const int screenY = rect.y;
    rect.y = PrintedControlChartY(rect.y, H);
    // Moved up, the two charts stand closer together than on screen (a page taller than wide
    // brings them closest): the upper one ends the screen's gap above the lower one, so that its
    // foot never reaches the lower one's title.
    PanelRect lower;
    if (id == PanelId::ControlChart2 && GetPanelRect(PanelId::ControlChart1, W, H, f, lower)) {
        const int gap = std::max(0, lower.y - (screenY + rect.height));
        rect.height = std::max(1, std::min(rect.height, PrintedControlChartY(lower.y, H) - gap - rect.y));
    }
    return true;
}

int ChartPanel(int mode, int i) {
    auto run = [i](int first, int count) { return i >= 0 && i < count ? first + i : -1; };
    switch (mode) {
    case LayoutMode::LoadDeformation:
    case LayoutMode::SingleGraph:
        return i == 0 ? PanelId::WholePage : i == 1 ? PanelId::PastedChart : -1;
    case LayoutMode::Summary:
        return run(14, 3);
    case LayoutMode::NineGraphs:
        return run(1, 9);
    case LayoutMode::Pushover:
        return run(21, 5);
    case LayoutMode::FourGraphs:
        return run(34, 4);
    case LayoutMode::SixGraphs:
        return run(52, 6);
    case LayoutMode::MemberDetails:
        return run(58, 7);
    default:
        return -1;
    }
}

namespace {

struct SetterRow {
    LayoutKind kind;
    int mode;
    int idBase;     // set index = choice - idBase; -1: the layout shows one graph
    int category;
    int charts;
    bool legends;
};

constexpr SetterRow kSetters[] = {
    {LayoutKind::LoadDeformation, LayoutMode::LoadDeformation, -1, 0, 1, true},
    {LayoutKind::Single, LayoutMode::SingleGraph, -1, ChoiceCategory::DefaultSeries, 1, false},
    {LayoutKind::Nine, LayoutMode::NineGraphs, GraphIdBase::NineGraphs, ChoiceCategory::NineGraphs, 9, false},
    {LayoutKind::Pushover, LayoutMode::Pushover, GraphIdBase::Pushover, ChoiceCategory::Pushover, 5, true},
    {LayoutKind::Four, LayoutMode::FourGraphs, GraphIdBase::FourGraphs, ChoiceCategory::FourGraphs, 4, true},
    {LayoutKind::Six, LayoutMode::SixGraphs, GraphIdBase::SixGraphs, ChoiceCategory::SixGraphs, 6, true},
    {LayoutKind::MemberDetails, LayoutMode::MemberDetails, GraphIdBase::MemberDetails, ChoiceCategory::MemberDetails,
     7, true},
};

int DefaultChoice(LayoutKind kind, TBase_Logic* logic) {
    switch (kind) {
    case LayoutKind::LoadDeformation:
        return logic ? logic->GetFirstGraphId() : 0;
    case LayoutKind::Single:
        return logic ? logic->GetDefaultControlId() : 0;
    case LayoutKind::Nine:
        return logic ? logic->GetFirstControlId() : GraphIdBase::NineGraphs;
    case LayoutKind::Four:
        return logic ? logic->GetFirstChoiceId() : 0;
    case LayoutKind::Pushover:
        return GraphIdBase::Pushover;
    case LayoutKind::Six:
        return GraphIdBase::SixGraphs;
    case LayoutKind::MemberDetails:
        return GraphIdBase::MemberDetails;
    }
    return 0;
}

} // namespace

LayoutPlan PlanLayout(LayoutKind kind, int choice, TBase_Logic* logic) {
    const SetterRow* row = &kSetters[0];
    for (const SetterRow& r : kSetters)
        if (r.kind == kind)
            row = &r;
    LayoutPlan plan;
    plan.mode = row->mode;
    plan.choice = choice == -1 ? DefaultChoice(kind, logic) : choice;
    plan.category = row->category;
    plan.legends = row->legends;
    plan.setIndex = row->idBase < 0 ? 0 : plan.choice - row->idBase;
    for (int i = 0; i < row->charts; ++i) {
        plan.panels.push_back(ChartPanel(row->mode, i));
        if (row->idBase < 0)
            plan.graphIds.push_back(plan.choice);
        else
            plan.graphIds.push_back(logic ? logic->GetChoiceId(row->category, plan.setIndex, i, 0) : 0);
    }
    return plan;
}
