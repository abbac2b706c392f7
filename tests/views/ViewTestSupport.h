#pragma once
// Test doubles of the beam views: a chart that records every call, an analysis answering
// from scripted states and curves, and a view host with a scripted control-chart pick.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "foundation/Sentinel.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/support/TestSupport.h"
#include "views/TQ2k_Logic.h"

// No chart, for the calls that take one of either kind.
inline ViewChart* const kNoChart = nullptr;

struct RecordedPoint {
    double x;
    double y;
    int tag;
};

class RecordingViewChart : public ViewChart {
public:
    std::vector<std::string> calls; // every call by name, in order
    std::vector<RecordedPoint> points;
    std::vector<std::string> texts;
    std::string title, xTitle, yTitle, note;
    int xPrecision = -99, yPrecision = -99;
    int textShown = 0, lineStart = -99, drawMode = 0, subMode = 0;
    const TStructure* structure = nullptr;
    const SectionState* state = nullptr;
    const TSectionalAnalysis* analysis = nullptr;

    void AddPoint(double x, double y) override { AddTaggedPoint(x, y, -999); }
    void AddTaggedPoint(double x, double y, int tag) override
    {
        points.push_back({x, y, tag});
        calls.push_back("AddPoint");
    }
    void ClearData() override
    {
        points.clear();
        calls.push_back("ClearData");
    }
    void AutoScale() override { calls.push_back("AutoScale"); }
    void AddText(const char* text, double value) override
    {
        texts.push_back(std::string(text) + "=" + std::to_string(value));
    }
    void SetTitles(const std::string& t, const std::string& x, const std::string& y, int xp,
                   int yp) override
    {
        title = t, xTitle = x, yTitle = y, xPrecision = xp, yPrecision = yp;
        points.clear();
        calls.push_back("SetTitles");
    }
    void SetNote(const std::string& text) override { note = text; }
    void SetTextShown(int flag) override { textShown = flag; }
    void SetLineStart(int n) override { lineStart = n; }
    // (x_last - x_first) / integral of 1/y dx over the data lines.
    double GetHarmonicMeanY() const override
    {
        double integral = 0.0, first = 0.0, last = 0.0;
        bool any = false, joined = false;
        RecordedPoint prev{};
        for (const RecordedPoint& p : points) {
            if (IsChartSeparator(p.x)) {
                joined = false;
                continue;
            }
            if (!any)
                first = p.x;
            any = true;
            last = p.x;
            if (joined && prev.y != 0.0 && p.y != 0.0)
                integral += 0.5 * (1.0 / prev.y + 1.0 / p.y) * (p.x - prev.x);
            prev = p;
            joined = true;
        }
        return integral != 0.0 ? (last - first) / integral : kUndefined;
    }
    void AttachStructure(const TStructure* s) override
    {
        structure = s;
        calls.push_back("AttachStructure");
    }
    void AttachState(const SectionState* s) override
    {
        state = s;
        calls.push_back("AttachState");
    }
    void AttachAnalysis(const TSectionalAnalysis* a) override
    {
        analysis = a;
        calls.push_back("AttachAnalysis");
    }
    void SetDrawMode(int mode) override { drawMode = mode; }
    void SetSubMode(int mode) override { subMode = mode; }

    // The points that are not separators.
    std::vector<RecordedPoint> Data() const
    {
        std::vector<RecordedPoint> d;
        for (const RecordedPoint& p : points)
            if (!IsChartSeparator(p.x))
                d.push_back(p);
        return d;
    }
    // The y values of the separators, in order.
    std::vector<double> Separators() const
    {
        std::vector<double> s;
        for (const RecordedPoint& p : points)
            if (IsChartSeparator(p.x))
                s.push_back(p.y);
        return s;
    }
};

// A state with the given resultants (SI) and load factor.
inline SectionStateHolder MakeState(double e0, double phi, double N, double M, double V,
                                    double lambda = 1.0, int valid = 1)
{
    auto s = std::make_unique<SectionState>();
    s->Valid = valid;
    s->Results[StateResult::ReferenceStrain] = e0;
    s->Results[StateResult::Curvature] = phi;
    s->Results[StateResult::AxialForce] = N;
    s->Results[StateResult::Moment] = M;
    s->Results[StateResult::Shear] = V;
    s->Results[StateResult::LoadFactor] = lambda;
    return s;
}

// A state of two mesh layers over the test section's depth 0.3 .. -0.3, nodes 0 (top) .. 4
// (bottom), strained by the curvature alone.
inline SectionStateHolder TwoLayerMeshState(double phi, double M, double lambda = 1.0)
{
    auto s = MakeState(0.0, phi, 0.0, M, 0.0, lambda);
    s->LayerCount = 2;
    s->LayerDefs = {LayerDefRec{0, 1, 2, 1, 0, 0.3, 0.15, 0.0, 0.3},
                    LayerDefRec{2, 3, 4, 1, 0, 0.0, -0.15, -0.3, 0.3}};
    s->NodeStates.resize(5);
    const double depths[] = {0.3, 0.15, 0.0, -0.15, -0.3};
    for (int i = 0; i < 5; ++i) {
        s->NodeStates[i].Depth = depths[i];
        s->NodeStates[i].StrainX = phi * depths[i];
    }
    return s;
}

// An analysis whose stages, diagram states, curves and probes the test lays down.
class ScriptedAnalysis : public FakeAnalysis {
public:
    explicit ScriptedAnalysis(TStructure* structure, int shear = 0) : FakeAnalysis(structure, shear)
    {
    }

    std::vector<SectionStateHolder> stages;
    std::vector<std::pair<int, int>> diagram; // (stage, running flag)
    std::map<int, std::vector<std::pair<double, double>>> curves;
    std::map<int, double> probes;
    std::array<double, 6> memberResults{};
    int kind = AnalysisKind::LoadStage;
    int current = -1; // last stage when negative

    void SetIncrement(double dN, double dM, double dV)
    {
        IncrementLoads[0] = dN, IncrementLoads[1] = dM, IncrementLoads[2] = dV;
    }

    const SectionState* GetStage(int i) const override
    {
        return i >= 0 && i < static_cast<int>(stages.size()) ? stages[i].get() : nullptr;
    }
    const SectionState* GetCurrentState() const override
    {
        return GetStage(current >= 0 ? current : static_cast<int>(stages.size()) - 1);
    }
    const SectionState* GetPeakState() const override { return GetCurrentState(); }
    int GetLastStageIndex() const override { return static_cast<int>(stages.size()); }
    int GetAnalysisKind() const override { return kind; }
    int GetStateResults(const SectionState* s, std::array<double, 6>& v, int mode) const override
    {
        v.fill(0.0);
        if (mode == 1) {
            v = memberResults;
            return 1;
        }
        if (!s)
            s = GetCurrentState();
        if (!s || mode != 2)
            return 0;
        v = {s->Result(0), s->Result(1), s->Result(2), s->Result(3), s->Result(4), s->Result(5)};
        return 1;
    }
    double Probe_analysis(int id, double) const override
    {
        auto it = probes.find(id);
        return it != probes.end() ? it->second : (id == 15 ? 1.0 : 0.0);
    }
    int BeginCurve(int curve) override
    {
        m_cursor[curve] = 0;
        auto it = curves.find(curve);
        return it != curves.end() && !it->second.empty() ? 1 : 0;
    }
    int GetCurvePoint(int curve, double& x, double& y) override
    {
        auto it = curves.find(curve);
        if (it == curves.end() || m_cursor[curve] >= static_cast<int>(it->second.size()))
            return 0;
        x = it->second[m_cursor[curve]].first;
        y = it->second[m_cursor[curve]].second;
        ++m_cursor[curve];
        return 1;
    }
    int GetDiagramState(int i, const SectionState*& s, int& flag) const override
    {
        if (i < 0 || i >= static_cast<int>(diagram.size()))
            return 0;
        s = GetStage(diagram[i].first);
        flag = diagram[i].second;
        return 1;
    }

private:
    std::map<int, int> m_cursor;
};

// A view host with a scripted pick on the control charts.
class ScriptedHost : public BeamViewHost {
public:
    double pickX = 0.0, pickY = 0.0;
    int hasPick = 1;
    std::vector<const SectionState*> shown;
    std::string textBox;
    int GetControlChartValue(int, double& x, double& y, int) override
    {
        x = pickX, y = pickY;
        return hasPick;
    }
    int HasChart(const SectionState* s) override
    {
        for (const SectionState* p : shown)
            if (p == s)
                return 1;
        return 0;
    }
    void SetTextBoxText(int, const std::string& text) override { textBox = text; }
};

// The beam mode over the test section (top 0.3, bottom -0.3, 600 mm deep) and a scripted
// analysis, in SI units, with the messages recorded.
struct BeamViewTest : ::testing::Test {
    RecordingReporter reporter;
    std::unique_ptr<TBeam> beam = TestSection::MakeBeam();
    ScriptedAnalysis analysis{beam.get()};
    TQ2k_Logic logic{beam.get(), &analysis};
    BeamViewTest() { logic.SetDisplayContext(DisplayContext{}); }
};
