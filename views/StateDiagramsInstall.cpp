#include "views/StateDiagramsInstall.h"

#include "app/views/DiagramMakers.h"
#include "views/TMaterDiagram.h"
#include "views/TMohr.h"
#include "views/TVitalSigns.h"
#include "views/Tpanel.h"

namespace {

// A child box keeps the title "CHILD" that places it; the others take their own.
std::string TitleFor(const std::string& given, const char* own) { return given == "CHILD" ? given : own; }

} // namespace

void InstallStateDiagrams()
{
    for (const int kind : {MaterialChart::Concrete, MaterialChart::Rebar, MaterialChart::PSteel})
        SetDiagramMaker(kind, [kind](plat::Window* parent, const std::string& title, int x, int y, int w, int h,
                                     int) -> std::unique_ptr<Tchart> {
            const char* names[] = {"Concrete", "Rebar", "P-Steel"};
            auto chart = std::make_unique<TMaterDiagram>(parent, TitleFor(title, names[kind - MaterialChart::Concrete]),
                                                         x, y, w, h, kind, 2, 1, 0);
            chart->Layout();
            return chart;
        });
    SetDiagramMaker(10, [](plat::Window* parent, const std::string& title, int x, int y, int w, int h,
                           int) -> std::unique_ptr<Tchart> {
        return std::make_unique<TMohr>(parent, title, x, y, w, h, 1, 1, 0);
    });
    SetDiagramMaker(11, [](plat::Window* parent, const std::string& title, int x, int y, int w, int h,
                           int) -> std::unique_ptr<Tchart> {
        return std::make_unique<Tpanel>(parent, title, x, y, w, h, 1, 1, 0);
    });
    SetDiagramMaker(26, [](plat::Window* parent, const std::string& title, int x, int y, int w, int h,
                           int graphId) -> std::unique_ptr<Tchart> {
        return std::make_unique<TVitalSigns>(parent, title, x, y, w, h, graphId - 2116);
    });
    InstallMemberCrackView();
}
