// The common part of the interaction diagrams: the sub-analyses and their stages as one
// sequence, the result curves and their point store, and the triangle mesh over the paths.

#include <algorithm>
#include <cmath>

#include "analysis/TInteractionDiagrams.h"
#include "foundation/Reporter.h"
#include "foundation/Sentinel.h"
#include "foundation/Units.h"
#include "model/TBeam.h"

namespace {

// The diagrams' curve kinds that the built-in evaluation knows: the capacity only.
int CapacityOnly(const TSectionalAnalysis&, const SectionState&, int kind, double& ratio)
{
    ratio = kind == 0 ? 0.0 : kUndefined;
    return 0;
}

DiagramEventFn g_DiagramEvents = &CapacityOnly;

// First stage index of the concatenated sequence that reads a diagram state.
constexpr int kDiagramStateBase = 9000;

std::array<double, 3> ForcesOf(const SectionState& s)
{
    return {s.Results[StateResult::Moment],
            s.Results[StateResult::Shear],
            s.Results[StateResult::AxialForce]};
}

// The diagram's two coordinates of a force triple (M, V, N) by the analysis kind.
void DiagramAxes(int kind, const std::array<double, 3>& mvn, double& x, double& y)
{
    switch (kind) {
    case AnalysisKind::MNDiagram:
        x = mvn[0], y = mvn[2];
        break;
    case AnalysisKind::MVDiagram:
        x = mvn[0], y = mvn[1];
        break;
    default:
        x = mvn[2], y = mvn[1];
        break;
    }
}

} // namespace

int DiagramEventRatio(const TSectionalAnalysis& analysis,
                      const SectionState& state,
                      int kind,
                      double& ratio)
{
    return g_DiagramEvents(analysis, state, kind, ratio);
}

void SetDiagramEventRatios(DiagramEventFn evaluate)
{
    g_DiagramEvents = evaluate != nullptr ? evaluate : &CapacityOnly;
}

// ---- Construction -------------------------------------------------------------------------

T2DAnalysis::T2DAnalysis(const TBeam* structure) : TQuarvish2000Analysis(structure, 1) {}

T2DAnalysis::~T2DAnalysis()
{
    ShownState = nullptr;
}

void T2DAnalysis::SetPathLoads(const double constant[3], const double increment[3])
{
    TBeam* beam = GetWritableBeam();
    if (beam == nullptr)
        return;
    beam->SetConstantLoads(constant, 3);
    beam->SetIncrementLoads(increment, 3);
}

std::unique_ptr<T1DAnalysis> T2DAnalysis::NewResponse() const
{
    return std::make_unique<TInterBaseResponse>(GetBeam());
}

std::vector<T1DAnalysis*> T2DAnalysis::SubPointers() const
{
    std::vector<T1DAnalysis*> subs;
    for (int i = 0; i < SubCount; ++i)
        subs.push_back(SubAnalyses[static_cast<std::size_t>(i)].get());
    return subs;
}

void T2DAnalysis::UpdateRunning()
{
    for (const std::unique_ptr<T1DAnalysis>& sub : SubAnalyses)
        if (sub && sub->IsRunning() != 0)
            return;
    Running = 0;
}

bool T2DAnalysis::IsFinished(int i) const
{
    const T1DAnalysis* sub = GetSubAnalysis(i);
    return sub != nullptr && sub->IsRunning() == 0;
}

// ---- Read access --------------------------------------------------------------------------

int T2DAnalysis::GetCurveKind(int curve) const
{
    return curve >= 0 && curve < CurveCount ? CurveKinds[static_cast<std::size_t>(curve)] : -1;
}

const T1DAnalysis* T2DAnalysis::GetSubAnalysis(int i) const
{
    return i >= 0 && i < kMaxSubAnalyses ? SubAnalyses[static_cast<std::size_t>(i)].get()
                                         : nullptr;
}

bool T2DAnalysis::GetPoint(int k, int p, std::array<double, 3>& mvn) const
{
    if (k < 0 || k >= CurveCount || p < 0 || p >= PointCount)
        return false;
    const std::vector<double>& points = CurvePoints[static_cast<std::size_t>(k)];
    const std::size_t at = static_cast<std::size_t>(3 * p);
    if (at + 2 >= points.size())
        return false;
    mvn = {points[at], points[at + 1], points[at + 2]};
    return true;
}

const SectionState* T2DAnalysis::GetLatestState() const
{
    const T1DAnalysis* sub = GetSubAnalysis(CurrentPoint);
    return sub != nullptr ? sub->GetLatestState() : nullptr;
}

const SectionState* T2DAnalysis::GetPeakState() const
{
    const T1DAnalysis* sub = GetSubAnalysis(CurrentPoint);
    return sub != nullptr ? sub->GetPeakState() : nullptr;
}

const SectionState* T2DAnalysis::GetStage(int index) const
{
    if (index >= kDiagramStateBase) {
        const SectionState* state = nullptr;
        int flag = 0;
        GetDiagramState(index - kDiagramStateBase, state, flag);
        return state;
    }
    if (index < 0)
        return nullptr;
    int i = index;
    for (int k = 0; k < kMaxSubAnalyses; ++k) {
        const T1DAnalysis* sub = GetSubAnalysis(k);
        const int n = sub != nullptr ? sub->GetLastStageIndex() : 0;
        if (i < n)
            return sub->GetStage(i);
        if (i == n)
            return nullptr; // the separator after each path
        i -= n + 1;
    }
    ReportOnce("Stage index beyond the paths of the diagram", kProgramCaption, MsgStyle::Ok);
    return nullptr;
}

int T2DAnalysis::GetLastStageIndex() const
{
    if (SubCount <= 0)
        return 0;
    int sum = SubCount;
    for (int k = 0; k < SubCount && k < kMaxSubAnalyses; ++k)
        if (const T1DAnalysis* sub = GetSubAnalysis(k))
            sum += sub->GetLastStageIndex();
    return sum;
}

int T2DAnalysis::SelectLoadStage(int index)
{
    const SectionState* state = GetStage(index);
    if (state == nullptr)
        return 0;
    const bool changed = state != ShownState;
    ShownState = state;
    return changed ? 1 : 0;
}

double T2DAnalysis::Probe_analysis(int probeId, double depth) const
{
    return probeId == 1 ? 0.0 : TQuarvish2000Analysis::Probe_analysis(probeId, depth);
}

int T2DAnalysis::GetTwoStrainPoints(double& e1, double& y1, double& e2, double& y2) const
{
    e1 = y1 = e2 = y2 = 0.0;
    return 0;
}

int T2DAnalysis::SelectLatestState()
{
    const SectionState* latest = GetLatestState();
    if (latest == nullptr)
        return 0;
    ShownState = latest;
    return 1;
}

int T2DAnalysis::Finish()
{
    TQuarvish2000Analysis::Finish();
    for (std::unique_ptr<T1DAnalysis>& sub : SubAnalyses)
        if (sub)
            sub->Finish();
    return 1;
}

// ---- Result curves ------------------------------------------------------------------------

int T2DAnalysis::BeginCurve(int curveId)
{
    Cursor = 0;
    if (curveId == 1)
        return 1;
    if (curveId >= 21 && curveId <= 24)
        return curveId - 21 < CurveCount ? PointCount : 0;
    if (curveId == 25)
        return CurveCount;
    return TSectionalAnalysis::BeginCurve(curveId);
}

int T2DAnalysis::GetCurvePoint(int curveId, double& x, double& y)
{
    if (Cursor == kNoCurve) {
        x = y = -1.0;
        ShowMessage("Curve read before it was begun", kProgramCaption, MsgStyle::Ok);
        return 0;
    }
    if (curveId == 25) {
        x = Cursor < CurveCount ? CurveKinds[static_cast<std::size_t>(Cursor)] : 0.0;
        y = 0.0;
        const bool inside = Cursor < CurveCount;
        if (inside)
            ++Cursor;
        return inside ? 1 : 0;
    }
    const int k = curveId - 21;
    if (curveId < 21 || curveId > 24 || k >= CurveCount) {
        x = y = kUndefined;
        return 0;
    }
    std::array<double, 3> p{};
    if (!GetPoint(k, Cursor, p)) {
        // Past the last point the cursor stays where it is.
        x = y = kUndefined;
        return 0;
    }
    ++Cursor;
    DiagramAxes(GetAnalysisKind(), p, x, y);
    return 1;
}

int T2DAnalysis::ToDiagramPoint(const SectionState* state, double& x, double& y) const
{
    if (state == nullptr) {
        x = y = 0.0;
        return 0;
    }
    const double fm = UnitFactor(ukMoment), fn = UnitFactor(ukForce);
    const std::array<double, 3> f = ForcesOf(*state);
    DiagramAxes(GetAnalysisKind(), {f[0] * fm, f[1] * fn, f[2] * fn}, x, y);
    return 1;
}

// ---- Point store --------------------------------------------------------------------------

void T2DAnalysis::StorePoint(int i, int k)
{
    if (k <= 0)
        return;
    PointCount = k;
    const std::size_t n = static_cast<std::size_t>(k);
    for (int c = 0; c < CurveCount; ++c) {
        const std::size_t cs = static_cast<std::size_t>(c);
        std::vector<double>& points = CurvePoints[cs];
        std::vector<double>& starts = CurvePoints2[cs];
        std::vector<double>& values = CurveValues[cs];
        if (points.size() != 3 * n) {
            points.resize(3 * n, 0.0);
            starts.resize(3 * n, 0.0);
            values.resize(n, kUndefined);
        }
        if (i >= k) {
            // The closing call: the outline ends where it began.
            std::copy_n(points.begin(), 3, points.end() - 3);
            std::copy_n(starts.begin(), 3, starts.end() - 3);
            values[n - 1] = values[0];
            continue;
        }
        const T1DAnalysis* sub = GetSubAnalysis(i);
        if (sub == nullptr || i < 0)
            continue;
        const int kind = CurveKinds[cs];
        const SectionState* s0 = sub->StageSlot(0);
        const SectionState* peak = sub->GetPeakState();
        const SectionState* base = peak != nullptr ? peak : s0;
        if (base == nullptr)
            continue;
        double v0 = kUndefined;
        const int e0 = s0 != nullptr ? DiagramEventRatio(*sub, *s0, kind, v0) : 0;
        std::array<double, 3> point = ForcesOf(*base);
        double previousRatio = v0;
        const SectionState* previous = s0;
        for (int j = 1; j <= sub->GetPeakStage() && previous != nullptr; ++j) {
            const SectionState* s = sub->StageSlot(j);
            if (s == nullptr || s->Valid == 0)
                continue;
            double r = kUndefined;
            if (DiagramEventRatio(*sub, *s, kind, r) != e0) {
                double t = r != previousRatio ? (1.0 - previousRatio) / (r - previousRatio) : 1.0;
                t = std::clamp(t, 0.0, 1.0);
                const std::array<double, 3> a = ForcesOf(*previous), b = ForcesOf(*s);
                for (std::size_t q = 0; q < 3; ++q)
                    point[q] = a[q] + t * (b[q] - a[q]);
                break;
            }
            previous = s;
            previousRatio = r;
        }
        const std::size_t at = 3 * static_cast<std::size_t>(i);
        std::copy(point.begin(), point.end(), points.begin() + static_cast<std::ptrdiff_t>(at));
        const std::array<double, 3> start = ForcesOf(s0 != nullptr ? *s0 : *base);
        std::copy(start.begin(), start.end(), starts.begin() + static_cast<std::ptrdiff_t>(at));
        values[static_cast<std::size_t>(i)] = v0;

        // Where one path starts beyond the event and its neighbour before it, the curve
        // passes through the event between their starting points.
        auto crossing = [&](std::size_t a, std::size_t b) {
            const double va = values[a], vb = values[b];
            if (va == kUndefined || vb == kUndefined || (va - 1.0) * (vb - 1.0) >= 0.0)
                return;
            const double t = (1.0 - va) / (vb - va);
            const std::size_t to = va > vb ? a : b;
            points[3 * to] = starts[3 * a] + t * (starts[3 * b] - starts[3 * a]);
            points[3 * to + 1] = 0.0;
            points[3 * to + 2] = starts[3 * a + 2] + t * (starts[3 * b + 2] - starts[3 * a + 2]);
        };
        const std::size_t ui = static_cast<std::size_t>(i);
        if (ui > 0)
            crossing(ui - 1, ui);
        if (ui + 1 < n)
            crossing(ui, ui + 1);
    }
}

// ---- Triangle mesh ------------------------------------------------------------------------

void T2DAnalysis::AddTriangle(const std::array<const SectionState*, 3>& corners,
                              int countOnly,
                              int& count,
                              std::vector<double>& x,
                              std::vector<double>& y,
                              std::vector<int>& index,
                              std::vector<double>& value,
                              int quantity) const
{
    for (const SectionState* s : corners)
        if (s == nullptr)
            return;
    if (countOnly != 0) {
        count += 3;
        return;
    }
    for (const SectionState* s : corners) {
        double px = 0.0, py = 0.0;
        ToDiagramPoint(s, px, py);
        double v = 999.0;
        switch (quantity) {
        case 0:
            v = ToDisplayUnits(s->Results[StateResult::ReferenceStrain], ukStrain);
            break;
        case 1:
            v = ToDisplayUnits(s->Results[StateResult::Curvature], ukCurvature);
            break;
        case 2:
            v = ToDisplayUnits(GetAverageShearStrain(s, 0), ukStrain);
            break;
        default:
            break;
        }
        x.push_back(px);
        y.push_back(py);
        index.push_back(count);
        value.push_back(v);
        ++count;
    }
}

int T2DAnalysis::FindDiagramPoint(int countOnly,
                                  int& count,
                                  int& found,
                                  std::vector<double>& x,
                                  std::vector<double>& y,
                                  std::vector<int>& index,
                                  std::vector<double>& value,
                                  int quantity)
{
    count = 0;
    found = 0;
    const bool closed = GetAnalysisKind() == AnalysisKind::MNDiagram;
    auto triangle = [&](const SectionState* a, const SectionState* b, const SectionState* c) {
        AddTriangle({a, b, c}, countOnly, count, x, y, index, value, quantity);
    };
    for (int k = 0; k < SubCount && k < kMaxSubAnalyses; ++k) {
        const T1DAnalysis* p = GetSubAnalysis(k);
        if (p == nullptr)
            continue;
        if (!IsFinished(k)) {
            for (int j = 0; j + 1 < p->GetLastStageIndex(); ++j)
                triangle(p->GetStage(j), p->GetStage(j + 1), p->GetStage(j));
            continue;
        }
        int m = k + 1;
        if (m >= SubCount) {
            if (!closed)
                continue;
            m = 0;
        }
        const T1DAnalysis* q = GetSubAnalysis(m);
        if (q == nullptr || !IsFinished(m) || q == p)
            continue;
        const int lp = p->GetLastStageIndex() - 1, lq = q->GetLastStageIndex() - 1;
        const int shorter = std::min(lp, lq);
        for (int j = 0; j < shorter; ++j) {
            triangle(p->GetStage(j), q->GetStage(j + 1), p->GetStage(j + 1));
            triangle(p->GetStage(j), q->GetStage(j), q->GetStage(j + 1));
        }
        // The longer path's extra stages fan out from the shorter one's last stage.
        const T1DAnalysis* longer = lp > lq ? p : q;
        const SectionState* hub = (lp > lq ? q : p)->GetStage(std::max(shorter, 0));
        for (int j = std::max(shorter, 0); j < std::max(lp, lq); ++j)
            triangle(hub, longer->GetStage(j), longer->GetStage(j + 1));
    }
    found = count;
    return count;
}
