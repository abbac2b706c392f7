#pragma once
// The chart classes of the result diagrams, as the chart factory makes them. The views
// register one maker per chart kind when the program starts; a kind without a maker gets a
// full chart that carries the kind's code.

#include <functional>
#include <memory>
#include <string>

class Tchart;
namespace plat {
class Window;
}

// Makes the chart of a kind for a graph id in a rectangle of the parent (pixels); the title
// "CHILD" places it inside another box.
using DiagramMaker = std::function<std::unique_ptr<Tchart>(plat::Window* parent, const std::string& title, int x,
                                                           int y, int width, int height, int graphId)>;

// Registers the maker of a chart kind (an empty one removes it); returns the one it replaced.
DiagramMaker SetDiagramMaker(int kind, DiagramMaker maker);

// The chart of a kind for a graph id; null when the kind has no maker.
std::unique_ptr<Tchart> MakeDiagram(int kind, plat::Window* parent, const std::string& title, int x, int y,
                                    int width, int height, int graphId);

// The chart of a kind: made by the installed maker, else the stand-in full chart that carries
// the kind code.
std::unique_ptr<Tchart> MakeKindChart(plat::Window* parent, const std::string& title, int x, int y, int width,
                                      int height, int kind, int graphId = 0);
