#include "app/views/DiagramMakers.h"

#include <map>

#include "app/views/StandInCharts.h"
#include "charts/Tchart.h"

namespace {
std::map<int, DiagramMaker>& Makers()
{
    static std::map<int, DiagramMaker> makers;
    return makers;
}
} // namespace

DiagramMaker SetDiagramMaker(int kind, DiagramMaker maker)
{
    DiagramMaker previous;
    auto it = Makers().find(kind);
    if (it != Makers().end()) {
        previous = std::move(it->second);
        Makers().erase(it);
    }
    if (maker)
        Makers()[kind] = std::move(maker);
    return previous;
}

std::unique_ptr<Tchart> MakeDiagram(int kind, plat::Window* parent, const std::string& title, int x, int y,
                                    int width, int height, int graphId)
{
    auto it = Makers().find(kind);
    if (it == Makers().end())
        return nullptr;
    return it->second(parent, title, x, y, width, height, graphId);
}

std::unique_ptr<Tchart> MakeKindChart(plat::Window* parent, const std::string& title, int x, int y, int width,
                                      int height, int kind, int graphId)
{
    if (std::unique_ptr<Tchart> chart = MakeDiagram(kind, parent, title, x, y, width, height, graphId))
        return chart;
    return std::make_unique<TKindChart>(parent, title, x, y, width, height, kind);
}
