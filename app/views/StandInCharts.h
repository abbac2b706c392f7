#pragma once
// The result diagrams of the beam and membrane views, the colour maps, contour and 3-D plots
// until their own classes exist: full charts that carry the kind code of the class they stand
// for, so the chart factory reuses and replaces them as it will the real ones.

#include "charts/Tchart.h"

class TKindChart : public Tbigchart {
public:
    TKindChart(plat::Window* parent, const std::string& title, int x, int y, int w, int h, int kind)
        : Tbigchart(parent, title, x, y, w, h, 1, 3, 0) {
        m_kind = kind;
    }
};
