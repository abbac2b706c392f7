#pragma once
// The mode object of a bare structure (kind 4): it has no graphs, no panel texts and no
// report of its own. Every answer is a constant, so every layout works and shows empty
// charts; what it does not answer itself it leaves to the base.

#include "app/TBase_Logic.h"

class TSarnex_Logic : public TBase_Logic {
public:
    // The structure and analysis are not kept: nothing here reads them.
    TSarnex_Logic(TStructure* structure, TSectionalAnalysis* analysis);
    ~TSarnex_Logic() override;

    int PaintPanelText(plat::DC&, int, int, int) override { return 1; }
    // The table keeps what the previous mode object wrote.
    void InitPanelMenu(PanelMenuTable&) override {}
    void GetInfoText(std::string&) override {}
    void GetLegendText(std::string&, int&) override {}
    void PaintSection(plat::DC&, int, int, int, int, int) override {}
    double GetScaleValue() override { return 0.0; }
    void GetControlPoint(double&, double&, int) override {}
    int FilterGraphId(int, int, int) override { return -1; }
    void FillChart(Tchart*, int, int, int) override {}
    void FillControlChart(Tcontrolchart*, int, int) override {}
    std::string GetGraphTitle(int, int) override { return "no such graph type!!!"; }
    int GetGraphKind(int, int) override { return 0; }
    int GetDefaultGraphId() override { return 0; }
    void GetOption(int, int&) override {}
    void Bind(TStructure*, TSectionalAnalysis*) override {}
    int GetModeType() override { return 4; }
    void GetPanelButtonInfo(int, int&) override {}
    void GetPanelButtonName(int, int, std::string&, int&, int&) override {}
    int GetChoiceId(int, int, int, int) override { return 0; }
    int GetChoiceCount(int) override { return 0; }
    void GetChartDescription(int, ChartDescription&, int) override {}
    int GetDefaultControlId() override { return 0; }
    double Probe(int, int, int) override { return 1.0; }
    int SetData(int, int, int, int, int) override { return 1; }
    int UpdateInfoManager(TStructure*, int) override { return 1; }
    int GetModeCode() const { return 0; }
};
