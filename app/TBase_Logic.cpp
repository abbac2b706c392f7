#include "app/TBase_Logic.h"

#include "charts/TBoxItem.h"
#include "foundation/Sentinel.h"
#include "foundation/Reporter.h"
#include "platform/Ui.h"

TBase_Logic::~TBase_Logic() = default;

int TBase_Logic::MakeReportText(int) { return 1; }
int TBase_Logic::PaintPanelText(plat::DC&, int, int, int) { return 0; }
double TBase_Logic::GetScaleValue() { return 20.0; }

int TBase_Logic::GetMaterialCounts(int& reinforcingKinds, int& prestressingKinds) {
    reinforcingKinds = 0;
    prestressingKinds = 0;
    return 1;
}

int TBase_Logic::GetStageValues(double& x, double& y, int, int) {
    x = 0.0;
    y = 0.0;
    return 1;
}

int TBase_Logic::IsChoiceAvailable(int, int) { return 1; }
int TBase_Logic::FilterGraphId(int, int, int) { return 0; }
int TBase_Logic::GetGraphKind(int, int) { return 0; }
void TBase_Logic::OnGraphSelected(int) {}
int TBase_Logic::GetDefaultGraphId() { return 0; }
void TBase_Logic::OnChartCreated(const MapIntMesh*& mesh, const MapFloatMesh*& coords, int) {
    mesh = nullptr;
    coords = nullptr;
}
void TBase_Logic::GetOption(int, int& hideTitles) { hideTitles = 0; }
int TBase_Logic::GetModeType() { return 0; }
void TBase_Logic::GetPanelButtonInfo(int, int& count) { count = 0; }

void TBase_Logic::GetPanelButtonName(int, int, std::string& name, int& bitmapId, int& pressed) {
    name = kPlaceholderButtonName;
    bitmapId = 0;
    pressed = 0;
}

int TBase_Logic::PaintInfoPanel(plat::DC&, int, int, int, std::string&) { return 1; }
void TBase_Logic::UpdateStatus() {}
std::string TBase_Logic::GetChoiceTitle(int, int, int) { return "no title"; }
int TBase_Logic::AttachStructure(TBoxItem* box) {
    if (box)
        box->AttachStructure(nullptr);
    return 1;
}
int TBase_Logic::GetChoiceId(int, int, int, int) { return 0; }
int TBase_Logic::GetChoiceCount(int) { return 0; }

void TBase_Logic::GetChartDescription(int, ChartDescription& d, int) {
    d.title = "No title";
    d.xLabel = kPlaceholderXLabel;
    d.yLabel = kPlaceholderYLabel;
    d.axisLabels = 1;
    d.xPrecision = 2;
    d.yPrecision = 2;
    d.lowerX = -kUndefined;
    d.upperX = kUndefined;
}

int TBase_Logic::GetFirstGraphId() { return GraphIdBase::LoadDeformation; }
int TBase_Logic::GetFirstControlId() { return GraphIdBase::NineGraphs; }
int TBase_Logic::GetFirstChoiceId() { return GraphIdBase::FourGraphs; }
int TBase_Logic::GetDefaultControlId() { return 0; }

double TBase_Logic::Probe(int, int, int) {
    plat::MessageBox("Error: failed Probe attempt!", "", MsgStyle::Ok);
    return 0.0;
}

int TBase_Logic::SetData(int, int, int, int, int) {
    plat::MessageBox("Error: failed Set data attempt!", "", MsgStyle::Ok);
    return 0;
}

int TBase_Logic::UpdateInfoManager(TStructure*, int) { return 1; }
int TBase_Logic::OnControlChoice(Tcontrolchart*, int, int) { return 1; }
int TBase_Logic::ReleaseCharts() { return 0; }
