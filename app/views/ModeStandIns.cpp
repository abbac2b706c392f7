#include "app/views/ModeStandIns.h"

#include "app/GlobalTables.h"
#include "app/summary/CrossSection.h"
#include "model/TStructure.h"

#include "analysis/TSectionalAnalysis.h"
#include "foundation/Sentinel.h"

TStandInLogic::TStandInLogic(TStructure* structure, TSectionalAnalysis* analysis)
    : m_structure(structure), m_analysis(analysis) {}

void TStandInLogic::GetLegendText(std::string& text, int& position) {
    text.clear();
    position = -1;
}

void TStandInLogic::GetControlPoint(double& x, double& y, int) {
    x = kUndefined;
    y = kUndefined;
}

std::string TStandInLogic::GetGraphTitle(int, int) { return "no such graph type!!!"; }

void TStandInLogic::Bind(TStructure* structure, TSectionalAnalysis* analysis) {
    m_structure = structure;
    m_analysis = analysis;
}

int TBeamStandIn_Logic::GetFirstControlId() { return m_analysis && m_analysis->HasShear() ? 3000 : 3003; }

const PanelMenuTable kBeamPanelMenu = {{{0, 0, 0, 0, 0, 0, 0, 0, 0},
                                        {1, 1, 0, 1, 1, 0, 0, 0, 0},
                                        {0, 0, 0, 0, 0, 0, 0, 0, 1},
                                        {0, 0, 0, 0, 0, 0, 0, 0, 1},
                                        {1, 0, 1, 0, 1, 1, 0, 0, 1},
                                        {1, 0, 1, 0, 1, 1, 0, 0, 1},
                                        {1, 0, 1, 0, 1, 1, 0, 0, 1},
                                        {1, 0, 0, 0, 1, 1, 0, 0, 1},
                                        {0, 0, 0, 0, 1, 0, 0, 1, 0},
                                        {0, 0, 0, 0, 0, 0, 0, 1, 0},
                                        {0, 0, 0, 0, 1, 0, 0, 1, 1},
                                        {0, 0, 0, 0, 0, 0, 0, 0, 0}}};

void TBeamStandIn_Logic::InitPanelMenu(PanelMenuTable& t) { t = kBeamPanelMenu; }

void TP2kStandIn_Logic::InitPanelMenu(PanelMenuTable& t) {
    t = {{{0, 0, 0, 0, 0, 0, 0, 0, 0},
          {1, 1, 0, 1, 1, 0, 0, 0, 0},
          {0, 0, 0, 0, 0, 0, 0, 0, 1},
          {0, 0, 0, 0, 0, 0, 0, 0, 1},
          {1, 0, 1, 0, 1, 0, 0, 0, 1},
          {1, 0, 1, 0, 1, 0, 0, 0, 1},
          {0, 0, 0, 0, 0, 0, 0, 0, 1},
          {1, 0, 0, 0, 0, 0, 0, 0, 1},
          {0, 0, 0, 0, 1, 0, 0, 1, 0},
          {0, 0, 0, 0, 0, 0, 0, 1, 0},
          {0, 0, 0, 0, 1, 0, 0, 1, 1},
          {0, 0, 0, 0, 0, 0, 0, 0, 0}}};
}



void TBeamStandIn_Logic::PaintSection(plat::DC& dc, int x, int y, int width, int height, int passThrough) {
    if (IsInStructureTable(m_structure))
        PaintCrossSection(dc, m_structure, x, y, width, height, passThrough);
}

int TBeamStandIn_Logic::GetMaterialCounts(int& reinforcing, int& prestressing) {
    reinforcing = 0;
    prestressing = 0;
    if (IsInStructureTable(m_structure))
        m_structure->CountSteelKinds(reinforcing, prestressing);
    return 1;
}
