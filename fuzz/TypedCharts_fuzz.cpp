// The chart and colour-map inputs fed typed text as a user would: the "Edit Chart" fields
// checked and applied, and the colour map's value dialogs (white lines, magnification, crack
// width, characteristic strain, bin range) answered from the input, each followed by drawing
// the map. A refused answer keeps the map's value; drawn pixels stay in the range of int.
//   e edit-chart fields (x min|x max|y min|y max|x tick|y tick|x decimals|y decimals|width);
//   w, g, c, k, r one answer to the white-line, magnification, crack width, characteristic
//   strain and bin range dialogs (queued: the dialog asks again while it refuses);
//   v values of the elements (five numbers); t toggles the glyph style; m<digit> the map kind.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "TypedFuzzSupport.h"
#include "charts/ChartData.h"
#include "charts/EditChartValues.h"
#include "charts/TColourMap.h"
#include "support/RecordingDC.h"

namespace {

constexpr double kHeader = 3.1415626e31;

// Four unit squares in a row and a triangle on the last (the chart tests' mesh).
struct Mesh {
    MapIntMesh mesh;
    MapFloatMesh coords;
    Mesh()
    {
        mesh.header = {0, 0, 11, 4, 1, 0};
        for (int q = 0; q < 4; ++q)
            mesh.nodes.insert(mesh.nodes.end(), {q, q + 1, q + 6, q + 5});
        mesh.nodes.insert(mesh.nodes.end(), {8, 9, 10});
        for (int q = 0; q < 4; ++q)
            mesh.neighbours.insert(mesh.neighbours.end(), {-1, q < 3 ? q + 1 : -1, q == 3 ? 4 : -1, q > 0 ? q - 1 : -1});
        mesh.neighbours.insert(mesh.neighbours.end(), {3, -1, -1});
        mesh.faces = mesh.neighbours;
        for (int row = 0; row < 2; ++row)
            for (int i = 0; i < 5; ++i)
                coords.x.push_back(static_cast<float>(i)), coords.y.push_back(static_cast<float>(row));
        coords.x.push_back(3.5f), coords.y.push_back(1.8f);
        coords.thickness.assign(5, 0.2f);
    }
};

void Feed(TColourMap& map, int kind, const std::vector<double>& values)
{
    map.ClearData();
    map.AddPoint(kHeader, kind);
    if (kind == kMapDeformed || kind == kMapDeformedCracks || kind == kMapGlyphs)
        for (int i = 0; i < 11; ++i)
            map.AddPoint(0.01 * values[static_cast<std::size_t>(i % 5)], -0.02 * values[static_cast<std::size_t>(i % 5)]);
    for (int e = 0; e < 5; ++e)
        map.AddPoint(values[static_cast<std::size_t>(e)], 0.3 * e);
    map.AutoScale();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    EnsureFuzzGui();
    ResetFuzzGlobals(0);
    FuzzAnswers();
    TypedFuzzUi& ui = FuzzUi();
    static Mesh mesh;
    ChartData chart(2, 2, 0);
    chart.AddPoint(0.0, 0.0);
    chart.AddPoint(10.0, 5.0);
    int kind = kMapValues;
    std::vector<double> values{1.0, 2.0, 3.0, 4.0, 5.0};
    auto map = std::make_unique<TColourMap>(nullptr, "Map", 0, 0, 500, 400, kind, 1.0);
    map->LinkArrays(&mesh.mesh, &mesh.coords);
    Feed(*map, kind, values);
    for (const TypedAction& a : SplitActions(data, size)) {
        switch (a.op) {
        case 'e': {
            const auto f = Fields(a.text, 9);
            EditChartFields typed = ReadEditChartFields(chart, 1);
            typed.xMin = f[0];
            typed.xMax = f[1];
            typed.yMin = f[2];
            typed.yMax = f[3];
            typed.autoXMin = typed.autoXMax = typed.autoYMin = typed.autoYMax = false;
            typed.xTick = f[4];
            typed.yTick = f[5];
            typed.xDecimals = f[6];
            typed.yDecimals = f[7];
            typed.thickness = f[8];
            if (CheckEditChartFields(typed, chart.DataBounds()).empty())
                ApplyEditChartFields(typed, chart);
            continue;
        }
        case 'v': {
            std::istringstream in(a.text);
            for (double& v : values) {
                std::string token;
                if (in >> token)
                    v = std::strtod(token.c_str(), nullptr);
                if (!std::isfinite(v))
                    v = 0.0;
            }
            Feed(*map, kind, values);
            break;
        }
        case 'm': {
            static const int kKinds[] = {kMapValues, kMapGlyphs, kMapCracks, kMapDeformed, kMapDeformedCracks};
            kind = kKinds[(a.text.empty() ? 0 : static_cast<unsigned char>(a.text[0])) % 5];
            map = std::make_unique<TColourMap>(nullptr, "Map", 0, 0, 500, 400, kind, 1.0);
            map->LinkArrays(&mesh.mesh, &mesh.coords);
            Feed(*map, kind, values);
            break;
        }
        case 't': map->CmToggleStyle(); break;
        case 'w': ui.answers = {a.text}; map->CmPopup3004(); break;
        case 'g': ui.answers = {a.text}; map->CmSetMagnification(); break;
        case 'c': ui.answers = {a.text}; map->CmSetCriticalCrackWidth(); break;
        case 'k': ui.answers = {a.text}; map->CmSetCharacteristicStrain(); break;
        case 'r': ui.answers = {a.text}; map->CmSetBinRange(); break;
        default: continue;
        }
        for (double v : {map->WhiteLineValue(), map->Magnification(), map->CriticalCrackWidth(),
                         map->CharacteristicStrain()})
            RequireFinite(v);
        RecordingDC dc;
        map->ComposeOn(dc);
    }
    return 0;
}
