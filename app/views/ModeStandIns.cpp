#include "app/views/ModeStandIns.h"

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

void TP2k_Logic::InitPanelMenu(PanelMenuTable& t) {
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

// The placeholder writes nothing: the table keeps what the previous mode object wrote.
void TSarnex_Logic::InitPanelMenu(PanelMenuTable&) {}
