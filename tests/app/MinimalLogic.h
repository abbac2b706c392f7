#pragma once
// A mode object that supplies only what every mode object must, answering nothing.

#include <string>

#include "app/TBase_Logic.h"

class MinimalLogic : public TBase_Logic {
public:
    void InitPanelMenu(PanelMenuTable&) override {}
    void GetInfoText(std::string&) override {}
    void GetLegendText(std::string&, int&) override {}
    void PaintSection(plat::DC&, int, int, int, int, int) override {}
    void GetControlPoint(double&, double&, int) override {}
    void FillChart(Tchart*, int, int, int) override {}
    void FillControlChart(Tcontrolchart*, int, int) override {}
    std::string GetGraphTitle(int, int) override { return {}; }
    void Bind(TStructure*, TSectionalAnalysis*) override {}
};
