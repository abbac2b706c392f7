#pragma once
// The beam views' chart interface over a chart of the chart data contract: what the panel and
// control charts of the view manager are handed when the beam mode fills them.

#include "charts/ChartContract.h"
#include "views/ViewChart.h"

class Tcontrolchart;

class ContractChart final : public ViewChart {
public:
    // tagged: the same chart as a control chart, which keeps the tags of its points.
    explicit ContractChart(ChartContract& chart, Tcontrolchart* tagged = nullptr)
        : m_chart(chart), m_tagged(tagged)
    {
    }

    void AddPoint(double x, double y) override { m_chart.AddPoint(x, y); }
    void ClearData() override { m_chart.ClearData(); }
    void AutoScale() override { m_chart.AutoScale(); }
    void AddText(const char* text, double value) override { m_chart.AddText(text, value); }
    void SetTitles(const std::string& title, const std::string& xTitle, const std::string& yTitle,
                   int xPrecision, int yPrecision) override
    {
        m_chart.SetTitles(title, xTitle, yTitle, xPrecision, yPrecision);
    }
    void SetNote(const std::string& text) override { m_chart.SetNote(text); }
    void SetTextShown(int flag) override { m_chart.SetTextShown(flag); }
    void SetLineStart(int n) override { m_chart.SetLineStart(n); }
    double GetHarmonicMeanY() const override { return m_chart.GetHarmonicMeanY(); }
    // Charts only read what they are handed.
    void AttachStructure(const TStructure* structure) override
    {
        m_chart.AttachStructure(const_cast<TStructure*>(structure));
    }
    // The result diagrams that draw a state or a member analysis take them; a plain chart
    // ignores both.
    void AttachState(const SectionState* state) override { m_chart.AttachState(state); }
    void AttachAnalysis(const TSectionalAnalysis* analysis) override
    {
        m_chart.AttachAnalysis(analysis);
    }
    // A plain chart keeps no tags.
    void AddTaggedPoint(double x, double y, int tag) override;
    void SetDrawMode(int mode) override { m_chart.SetDrawMode(mode); }
    void SetSubMode(int mode) override { m_chart.SetSubMode(mode); }
    void SetTitleItalic(int italic) override { m_chart.SetTitleItalic(italic); }

private:
    ChartContract& m_chart;
    Tcontrolchart* m_tagged;
};
