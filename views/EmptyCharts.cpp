#include "views/EmptyCharts.h"

#include "app/views/DiagramMakers.h"

TEmptyChart::TEmptyChart(plat::Window* parent, const std::string& title, int x, int y, int w, int h, int kind)
    : Tchart(parent, title, x, y, w, h, 0, 0, 0)
{
    m_kind = kind;
}

namespace {

template <typename Chart> void Register()
{
    SetDiagramMaker(Chart::kKind, [](plat::Window* parent, const std::string& title, int x, int y, int w, int h,
                                     int) { return std::unique_ptr<Tchart>(std::make_unique<Chart>(parent, title, x, y, w, h)); });
}

} // namespace

void InstallEmptyCharts()
{
    Register<TBarchart>();
    Register<TBlock>();
    Register<TDurnavo_Table>();
    Register<TSection>();
    Register<TVShell>();
}
