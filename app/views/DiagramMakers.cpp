#include "app/views/DiagramMakers.h"

#include <map>

#include "app/views/StandInCharts.h"

namespace {

std::map<int, DiagramMaker>& Makers() {
    static std::map<int, DiagramMaker> makers;
    return makers;
}

} // namespace

DiagramMaker SetDiagramMaker(int kind, DiagramMaker maker) {
    DiagramMaker& slot = Makers()[kind];
    DiagramMaker previous = std::move(slot);
    slot = std::move(maker);
    return previous;
}

std::unique_ptr<Tchart> MakeKindChart(plat::Window* parent, const std::string& title, int x, int y, int w,
                                      int h, int kind) {
    const auto it = Makers().find(kind);
    if (it != Makers().end() && it->second)
        if (std::unique_ptr<Tchart> chart = it->second(parent, title, x, y, w, h))
            return chart;
    return std::make_unique<TKindChart>(parent, title, x, y, w, h, kind);
}
