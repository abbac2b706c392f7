#pragma once
// A chart that records every call of the chart data contract in order, for tests of feeders.
// The pairs fed by AddPoint are also kept on their own (never cleared), and the chart answers
// its readers from what it was told.

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "charts/ChartContract.h"

class RecordingChart final : public ChartContract {
public:
    using Pair = std::pair<double, double>;

    // One call: its name, its numbers and its texts in argument order.
    struct Call {
        std::string name;
        std::vector<double> numbers;
        std::vector<std::string> texts;
    };

    void AddPoint(double x, double y) override
    {
        Log("AddPoint", {x, y});
        pairs.emplace_back(x, y);
    }
    void ClearData() override { Log("ClearData", {}); }
    void AutoScale() override { Log("AutoScale", {}); }
    void AddText(const char* name, double value) override
    {
        Log("AddText", {value}, {name ? name : ""});
    }
    bool IsDataEmpty() const override { return pairs.empty(); }
    ChartBounds GetDataBounds() const override
    {
        ChartBounds b{1e35, 1e35, -1e35, -1e35};
        for (const Pair& p : pairs) {
            if (IsChartSeparator(p.first) || p.second > 1e30 || p.second < -1e30)
                continue;
            b.xMin = std::min(b.xMin, p.first);
            b.xMax = std::max(b.xMax, p.first);
            b.yMin = std::min(b.yMin, p.second);
            b.yMax = std::max(b.yMax, p.second);
        }
        return b;
    }
    ChartBounds GetAxisRange() const override { return axisRange; }
    void SetAxisEnd(ChartEnd end, double value) override
    {
        Log("SetAxisEnd", {static_cast<double>(end), value});
    }
    void SetTitles(const std::string& title, const std::string& xTitle, const std::string& yTitle,
                   int xPrecision, int yPrecision) override
    {
        Log("SetTitles", {static_cast<double>(xPrecision), static_cast<double>(yPrecision)},
            {title, xTitle, yTitle});
    }
    void SetTitle(const std::string& text) override { Log("SetTitle", {}, {text}); }
    void SetNote(const std::string& text) override { Log("SetNote", {}, {text}); }
    int SetTextShown(int flag) override
    {
        Log("SetTextShown", {static_cast<double>(flag)});
        return 1;
    }
    void EnableToggleText(int flag) override { Log("EnableToggleText", {double(flag)}); }
    void SetNumericRangeLabels(int flag) override { Log("SetNumericRangeLabels", {double(flag)}); }
    void SetXLimits(double lower, double upper) override { Log("SetXLimits", {lower, upper}); }
    void SetMaxRange(int flag) override
    {
        Log("SetMaxRange", {double(flag)});
        maxRange = flag;
    }
    int GetMaxRange() const override { return maxRange; }
    int ToggleMaxRange() override
    {
        Log("ToggleMaxRange", {});
        maxRange = maxRange ? 0 : 1;
        return maxRange;
    }
    void SetXTickStep(double step) override { Log("SetXTickStep", {step}); }
    void SetYTickStep(double step) override { Log("SetYTickStep", {step}); }
    void SetDrawMode(int mode) override { Log("SetDrawMode", {double(mode)}); }
    void SelectPoint(int n) override { Log("SelectPoint", {double(n)}); }
    void SetReadoutPoint(double x, double y) override { Log("SetReadoutPoint", {x, y}); }
    void SetLineStart(int n) override { Log("SetLineStart", {double(n)}); }
    double GetHarmonicMeanY() const override { return harmonicMeanY; }
    void SetFontHeights(int title, int text) override
    {
        Log("SetFontHeights", {double(title), double(text)});
    }
    void SetTitleItalic(int italic) override { Log("SetTitleItalic", {double(italic)}); }
    void SetBlackAndWhite(int flag) override { Log("SetBlackAndWhite", {double(flag)}); }
    void SetSubMode(int mode) override { Log("SetSubMode", {double(mode)}); }
    void AttachStructure(TStructure* s) override
    {
        Log("AttachStructure", {});
        structure = s;
    }

    // The points after the n-th separator (counted from 1), up to the next separator.
    std::vector<Pair> Run(int n) const
    {
        std::vector<Pair> run;
        int seen = 0;
        for (const Pair& p : pairs) {
            if (IsChartSeparator(p.first)) {
                if (seen++ == n)
                    break;
                continue;
            }
            if (seen == n)
                run.push_back(p);
        }
        return run;
    }

    // The names of the calls in order.
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const Call& c : calls)
            names.push_back(c.name);
        return names;
    }

    std::vector<Call> calls;
    std::vector<Pair> pairs;
    ChartBounds axisRange;
    int maxRange = 0;
    double harmonicMeanY = 3.1415626e31;
    TStructure* structure = nullptr;

private:
    void Log(const char* name, std::vector<double> numbers, std::vector<std::string> texts = {})
    {
        calls.push_back(Call{name, std::move(numbers), std::move(texts)});
    }
};
