#pragma once
// The classes of the result diagrams by chart kind. The chart factory makes a chart of a kind
// through the maker installed for it; the result views install theirs at start-up, and a kind
// without one gets the stand-in full chart that carries its kind code.

#include <functional>
#include <memory>
#include <string>

class Tchart;
namespace plat {
class Window;
}

// Makes a chart of one kind at (x, y, w, h) in the parent with the factory's title.
using DiagramMaker =
    std::function<std::unique_ptr<Tchart>(plat::Window* parent, const std::string& title, int x, int y,
                                          int w, int h)>;

// Installs the maker of a kind (an empty one removes it); returns the one it replaced.
DiagramMaker SetDiagramMaker(int kind, DiagramMaker maker);

// A chart of the kind: made by the installed maker, else the stand-in.
std::unique_ptr<Tchart> MakeKindChart(plat::Window* parent, const std::string& title, int x, int y, int w,
                                      int h, int kind);
