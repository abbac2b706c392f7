#include "views/membrane/TP2k_Logic.h"

#include <algorithm>
#include <cmath>

#include "analysis/TSectionalAnalysis.h"
#include "app/GlobalTables.h"
#include "charts/TBoxItem.h"
#include "charts/Tchart.h"
#include "charts/Tcontrolchart.h"
#include "foundation/Sentinel.h"
#include "membrane/MembraneState.h"
#include "membrane/TP2k1DAnalysis.h"
#include "model/TShell.h"
#include "platform/Ui.h"
#include "views/ContractChart.h"

// ---- Tables -------------------------------------------------------------------------------

const std::array<MembraneGraphRec, kMembraneGraphCount> MembraneGraphTable = {{
    {"Shear-Angle", "|q Angle"},
    {"Shear-Crack width", "w"},
    {"Shear-|e_1", "|e_1"},
    {"Shear-|e_2", "|e_2"},
    {"Shear-|e_x", "|e_x"},
    {"Shear-|e_y", "|e_y"},
    {"Shear-|g_x_y", "|g_x_y"},
    {"Shear on Crack-|e_1", "|n_c_i"},
    {"Shear-f_s_x", "f_s_x"},
    {"Shear-f_s_xcrack", "f_s_xcrack"},
    {"Shear-f_s_y", "f_s_y"},
    {"Shear-f_s_ycrack", "f_s_ycrack"},
    {"f_1-|e_1", "|e_1"},
    {"f_2-|e_2", "|e_2"},
    {"shear data", "shear"},
    {"Shear-|n_c_i_m_a_x", "|n_c_i_m_a_x"},
    {"f_2max-|e_2", "|e_2"},
    {"Shear-s_m_t_h", "s_m_t_h"},
    {"moment val-shear", "m=M/bd_v^2"},
    {"f_c' +/- 20%", "|g_x_x"},
    {"f_t +/- 20%", "|g_x_x"},
    {"a_g_g +/- 20%", "|g_x_x"},
    {"f_y_x +/- 20%", "|g_x_x"},
    {"f_y_y +/- 20%", "|g_x_x"},
    {"A_s_x +/- 20%", "|g_x_x"},
    {"A_s_y +/- 20%", "|g_x_x"},
    {"+/- 20% crack space", "|g_x_x"},
    {"f_x += +/- 0.10f_c'", "|g_x_x"},
    {"f_1max-|e_1", "|e_1"},
}};

namespace {
// Unit kinds of the unit tables.
constexpr int kStrain = 3;
constexpr int kLength = 6;
constexpr int kStress = 10;
constexpr int kSteelStress = 11;
constexpr int kAngle = 12;

constexpr MembraneGraphUnitRec U(int x, int p, int last) { return {x, kStress, p, 1, 0, last}; }
} // namespace

const std::array<MembraneGraphUnitRec, kMembraneGraphCount> MembraneGraphUnits = {{
    U(kAngle, 1, 1),                                                  // 200
    U(kLength, 2, 1),                                                 // 201
    U(kStrain, 1, 1), U(kStrain, 1, 1), U(kStrain, 1, 1),             // 202-204
    U(kStrain, 1, 1), U(kStrain, 1, 1), U(kStrain, 1, 1),             // 205-207
    U(kSteelStress, 1, 1), U(kSteelStress, 1, 1),                     // 208, 209
    U(kSteelStress, 1, 1), U(kSteelStress, 1, 1),                     // 210, 211
    U(kStrain, 1, 1), U(kStrain, 1, 1),                               // 212, 213
    U(kStress, 1, 0),                                                 // 214
    U(kStrain, 1, 0), U(kStrain, 1, 0),                               // 215, 216
    U(kLength, 1, 1),                                                 // 217
    U(kStress, 1, 0),                                                 // 218
    U(kStrain, 1, 1), U(kStrain, 1, 1), U(kStrain, 1, 1),             // 219-221
    U(kStrain, 1, 1), U(kStrain, 1, 1), U(kStrain, 1, 1),             // 222-224
    U(kStrain, 1, 1), U(kStrain, 1, 1), U(kStrain, 1, 1),             // 225-227
    U(kStrain, 1, 0),                                                 // 228
}};

const std::array<const char*, kMembraneGroupCount> MembraneGraphGroups = {
    "General Stress and Strain", "Reinforcement Stresses & Cracks",
    "Mohr's Circles of Stress and Strain", "Sensitivity Plots +/- 20%"};

const std::array<std::array<int, 9>, kMembraneGroupCount> MembraneGroupGraphIds = {{
    {206, 204, 205, 2103, 2116, 2104, 213, 207, 212},
    {204, 208, 209, 205, 210, 211, 201, 217, 207},
    {2100, 2102, 2101, 2103, 200, 2104, 203, 207, 202},
    {219, 220, 221, 222, 226, 223, 224, 227, 225},
}};

const PanelMenuTable MembranePanelMenu = {{{0, 0, 0, 0, 0, 0, 0, 0, 0},
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

double g_CurveCap = 0.0;

const MembraneGraphRec* FindMembraneGraph(int id)
{
    if (id < kMembraneFirstGraph || id > kMembraneLastGraph)
        return nullptr;
    return &MembraneGraphTable[static_cast<std::size_t>(id - kMembraneFirstGraph)];
}

const MembraneGraphUnitRec* FindMembraneGraphUnits(int id)
{
    if (id < kMembraneFirstGraph || id > kMembraneLastGraph)
        return nullptr;
    return &MembraneGraphUnits[static_cast<std::size_t>(id - kMembraneFirstGraph)];
}

// ---- The object ---------------------------------------------------------------------------

TP2k_Logic::TP2k_Logic(TStructure* structure, TSectionalAnalysis* analysis)
    : m_analysis(analysis), m_structure(structure)
{
}

TP2k_Logic::~TP2k_Logic()
{
    ReleaseCharts();
}

TShell* TP2k_Logic::GetShell() const
{
    return m_structure && m_structure->GetKind() == kKindShell ? static_cast<TShell*>(m_structure)
                                                                : nullptr;
}

void TP2k_Logic::RefreshDisplay()
{
    if (m_followSettings)
        m_display = DisplayContext::FromSettings();
}

void TP2k_Logic::InitPanelMenu(PanelMenuTable& table)
{
    table = MembranePanelMenu;
}

void TP2k_Logic::GetLegendText(std::string& text, int&)
{
    text = "Pellicor-2000 Legend";
}

int TP2k_Logic::GetMaterialCounts(int& reinforcing, int& prestressing)
{
    reinforcing = 0;
    prestressing = 0;
    if (!m_structure)
        return 0;
    return m_structure->CountSteelKinds(reinforcing, prestressing);
}

int TP2k_Logic::IsChoiceAvailable(int category, int id)
{
    if (category == ChoiceCategory::DefaultSeries)
        return id == 214 || id == 218 ? 0 : 1;
    return 1;
}

std::string TP2k_Logic::GetGraphTitle(int graphId, int)
{
    const MembraneGraphRec* rec = FindMembraneGraph(graphId);
    return rec ? rec->title : "no such graph type!!!";
}

void TP2k_Logic::Bind(TStructure* structure, TSectionalAnalysis* analysis)
{
    if (structure != m_structure || analysis != m_analysis)
        ReleaseCharts();
    m_structure = structure;
    m_analysis = analysis;
}

void TP2k_Logic::UpdateStatus()
{
    if (m_statusHook)
        m_statusHook();
}

std::string TP2k_Logic::GetChoiceTitle(int category, int index, int)
{
    if (category == ChoiceCategory::NineGraphs && index >= 0 && index < kMembraneGroupCount)
        return MembraneGraphGroups[static_cast<std::size_t>(index)];
    if (category == ChoiceCategory::DefaultSeries) {
        if (const MembraneGraphRec* rec = FindMembraneGraph(index))
            return rec->title;
    }
    return "no title";
}

int TP2k_Logic::AttachStructure(TBoxItem* box)
{
    if (box)
        box->AttachStructure(m_structure);
    return 1;
}

int TP2k_Logic::GetChoiceId(int category, int group, int position, int)
{
    if (category == ChoiceCategory::NineGraphs) {
        if (group < 0 || group >= kMembraneGroupCount || position < 0 || position > 8)
            return 0;
        return MembraneGroupGraphIds[static_cast<std::size_t>(group)]
                                    [static_cast<std::size_t>(position)];
    }
    if (category == ChoiceCategory::SixGraphs)
        return 0;
    plat::MessageBox(Printf("The membrane view has no choices of category %d.", category),
                     g_AppTitle, MsgStyle::IconExclamation);
    return 0;
}

int TP2k_Logic::GetChoiceCount(int category)
{
    if (category == ChoiceCategory::NineGraphs)
        return kMembraneGroupCount;
    if (category == ChoiceCategory::DefaultSeries)
        return kMembraneGraphCount;
    return 0;
}

void TP2k_Logic::GetChartDescription(int id, ChartDescription& d, int chartKind)
{
    RefreshDisplay();
    switch (id) {
    case 2100: d.title = "Circle of Strain (average)"; return;
    case 2101: d.title = "Circle of Stress (crack)"; return;
    case 2102: d.title = "Circle of Stress (average)"; return;
    default: break;
    }
    const MembraneGraphRec* rec = FindMembraneGraph(id);
    const MembraneGraphUnitRec* units = FindMembraneGraphUnits(id);
    if (!rec || !units)
        return;
    const char* yName = "Shear Stress";
    const char* xName = rec->axisLabel;
    switch (id) {
    case 212: yName = "Principal Tension"; xName = "|e_1 Principal Tensile Strain"; break;
    case 228: yName = "Maximum Tension"; xName = "|e_1 Principal Tensile Strain"; break;
    case 213: yName = "Principal Compression"; xName = "|e_2 Principal Compressive Strain"; break;
    case 216: yName = "Maximum Compression"; xName = "|e_2 Principal Compressive Strain"; break;
    case 207: yName = "Shear on Crack"; xName = "|e_1 Principal Strain"; break;
    case 215: yName = "Max Shear on Crack"; xName = "|e_1 Principal Strain"; break;
    default: break;
    }
    const int xKind = (*units)[0];
    const int yKind = (*units)[1];
    // A plain chart (kind 1) writes strains as "x 10^-3"; angles, lengths and steel stresses
    // keep their own units (they are not thousandths).
    if (chartKind == 1 && xKind == kStrain)
        d.xLabel = Printf("%s (%s)", xName, "x 10^-^3");
    else if (xKind != 0)
        d.xLabel = Printf("%s (%s)", xName, m_display.Label(xKind));
    else
        d.xLabel = xName;
    d.yLabel = yKind != 0 ? Printf("%s (%s)", yName, m_display.Label(yKind)) : std::string(yName);
    d.title = rec->title;
    if (id >= 219 && id <= 227)
        MakeSensitivityTitle(id, d.title);
    d.xPrecision = (*units)[2];
    d.yPrecision = (*units)[3];
    d.lowerX = -kUndefined;
    d.upperX = kUndefined;
    d.axisLabels = 1;
}

int TP2k_Logic::ReleaseCharts()
{
    for (auto& run : m_sensitivity)
        run.reset();
    return 1;
}

const TP2kFullResponse* TP2k_Logic::GetSensitivityRun(int i) const
{
    if (i < 0 || i >= kSensitivityRuns)
        return nullptr;
    return m_sensitivity[static_cast<std::size_t>(i)].get();
}

// ---- Chart entry points -------------------------------------------------------------------

void TP2k_Logic::FillChart(Tchart* chart, int graphId, int a, int b)
{
    if (!chart)
        return;
    if (graphId >= 2120 && graphId <= 2122) {
        chart->AttachStructure(m_structure);
        return;
    }
    ContractChart view(*chart);
    FillChart(&view, graphId, a, b);
}

void TP2k_Logic::FillControlChart(Tcontrolchart* chart, int which, int a)
{
    if (!chart)
        return;
    ContractChart view(*chart, chart);
    FillControlChart(&view, which, a);
}

int TP2k_Logic::FillChart(ViewChart* chart, int graphId, int, int level)
{
    RefreshDisplay();
    if (!chart)
        return 0;
    if (graphId >= 2120 && graphId <= 2122) {
        chart->AttachStructure(m_structure);
        return 1;
    }
    FillMembraneChart(chart, graphId, level);
    return 1;
}
