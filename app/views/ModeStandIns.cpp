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

int TQ2k_Logic::GetFirstControlId() { return m_analysis && m_analysis->HasShear() ? 3000 : 3003; }

void TQ2k_Logic::InitPanelMenu(PanelMenuTable& t) {
    t = {{{0, 0, 0, 0, 0, 0, 0, 0, 0},
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
}

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

namespace {
// True when the structure is still held by the structure table: a mode object left bound to
// one that was replaced must not draw or read it.
bool InStructureTable(const TStructure* structure) {
    for (int slot = 0; structure && slot < kMaxStructures; ++slot)
        if (StructureAt(slot) == structure)
            return true;
    return false;
}
}  // namespace

void TQ2k_Logic::PaintSection(plat::DC& dc, int x, int y, int width, int height, int passThrough) {
    if (InStructureTable(m_structure))
        PaintCrossSection(dc, m_structure, x, y, width, height, passThrough);
}

int TQ2k_Logic::GetMaterialCounts(int& reinforcing, int& prestressing) {
    reinforcing = 0;
    prestressing = 0;
    if (InStructureTable(m_structure))
        m_structure->CountSteelKinds(reinforcing, prestressing);
    return 1;
}
