#pragma once
// The mode objects as the view manager knows them until their own views exist: the beam mode
// and the membrane mode (bare structures have TSarnex_Logic). Each answers the ids, the mode
// type and the panel-menu table its mode has; the graphs, legends and pictures are left empty, so every
// layout works and shows empty charts.

#include "app/TBase_Logic.h"
#include "app/views/TSarnex_Logic.h"

// Shared by the two: the bound structure and analysis, and no graphs.
class TStandInLogic : public TBase_Logic {
public:
    TStandInLogic(TStructure* structure, TSectionalAnalysis* analysis);

    void GetInfoText(std::string& text) override { text.clear(); }
    void GetLegendText(std::string& text, int& position) override;
    void PaintSection(plat::DC&, int, int, int, int, int) override {}
    void GetControlPoint(double& x, double& y, int which) override;
    void FillChart(Tchart*, int, int, int) override {}
    void FillControlChart(Tcontrolchart*, int, int) override {}
    std::string GetGraphTitle(int graphId, int flag) override;
    void Bind(TStructure* structure, TSectionalAnalysis* analysis) override;

    TStructure* GetBoundStructure() const { return m_structure; }
    TSectionalAnalysis* GetBoundAnalysis() const { return m_analysis; }

protected:
    TStructure* m_structure;
    TSectionalAnalysis* m_analysis;
};

// The panel-menu records of the beam mode, one per layout mode.
extern const PanelMenuTable kBeamPanelMenu;

// Beam and column sections.
class TBeamStandIn_Logic : public TStandInLogic {
public:
    using TStandInLogic::TStandInLogic;
    void InitPanelMenu(PanelMenuTable& table) override;
    int GetModeType() override { return 1; }
    int GetDefaultGraphId() override { return 0; }
    int GetFirstGraphId() override { return 1003; }
    // The default nine-graph set: with shear 3000, else (and without an analysis) 3003.
    int GetFirstControlId() override;
    int GetFirstChoiceId() override { return GraphIdBase::FourGraphs; }
    int GetDefaultControlId() override { return 6; }
    int GetModeCode() const { return 23; }
    // The section summary page of the bound section.
    void PaintSection(plat::DC& dc, int x, int y, int width, int height, int passThrough) override;
    // The layers of reinforcing and of prestressing steel of the bound section.
    int GetMaterialCounts(int& reinforcing, int& prestressing) override;
};

// Membrane elements.
class TP2kStandIn_Logic : public TStandInLogic {
public:
    using TStandInLogic::TStandInLogic;
    void InitPanelMenu(PanelMenuTable& table) override;
    int GetModeType() override { return 2; }
    int GetDefaultGraphId() override { return 200; }
    int GetFirstGraphId() override { return 0; }
    int GetFirstControlId() override { return 3000; }
    int GetDefaultControlId() override { return 206; }
    int GetModeCode() const { return 97; }
};
