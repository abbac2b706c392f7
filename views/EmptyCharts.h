#pragma once
// Chart kinds whose graphs draw nothing yet: the bar chart (graphs 4100-4104, kind 19), the
// block crack diagram (2201, kind 18), the result table (2109, kind 22), the section forces
// (2202, kind 24) and the shell diagram (2200, kind 15). Each keeps the data it is given as
// any chart does, never draws it and ignores its popup commands.

#include "charts/Tchart.h"

// Shared body: axis precisions and draw mode 0, whatever the caller gives.
class TEmptyChart : public Tchart {
public:
    TEmptyChart(plat::Window* parent, const std::string& title, int x, int y, int w, int h, int kind);
    void Paint(plat::DC&, bool, const plat::Rect&) override {}
    void CmPopup3000() override {}
    void CmPopup3001() override {}
    void CmPopup3002() override {}
    void CmPopup3003() override {}
    void CmPopup3004() override {}
};

class TBarchart : public TEmptyChart {
public:
    static constexpr int kKind = 19;
    TBarchart(plat::Window* parent, const std::string& title, int x, int y, int w, int h, int = 0, int = 0,
              int = 0)
        : TEmptyChart(parent, title, x, y, w, h, kKind) {}
    void AddText(const char*, double) override {}
};

class TBlock : public TEmptyChart {
public:
    static constexpr int kKind = 18;
    TBlock(plat::Window* parent, const std::string& title, int x, int y, int w, int h, int = 0, int = 0, int = 0)
        : TEmptyChart(parent, title, x, y, w, h, kKind) {}
    // The block's own operation; it does nothing yet.
    virtual void UpdateBlock() {}
};

class TDurnavo_Table : public TEmptyChart {
public:
    static constexpr int kKind = 22;
    TDurnavo_Table(plat::Window* parent, const std::string& title, int x, int y, int w, int h, int = 0, int = 0,
                   int = 0)
        : TEmptyChart(parent, title, x, y, w, h, kKind) {}
};

class TSection : public TEmptyChart {
public:
    static constexpr int kKind = 24;
    TSection(plat::Window* parent, const std::string& title, int x, int y, int w, int h, int = 0, int = 0, int = 0)
        : TEmptyChart(parent, title, x, y, w, h, kKind) {}
};

class TVShell : public TEmptyChart {
public:
    static constexpr int kKind = 15;
    TVShell(plat::Window* parent, const std::string& title, int x, int y, int w, int h, int = 0, int = 0, int = 0)
        : TEmptyChart(parent, title, x, y, w, h, kKind) {}
};

// Registers the five with the chart factory.
void InstallEmptyCharts();
