#pragma once
// The oblique cut-away sketch of a membrane element: a square slab of side D = 5.1 t seen
// from above at the view angle phi, its front corner cut down to the mid-plane so the bars
// and stirrup legs inside show. A slab point of plan coordinates u (front-right edge), v
// (front-left edge) and height z above the bottom face lands at
//   x = X0 + s cos(phi) (u - v),   y = Y0 - s sin(phi) (u + v) - s z.
// Lengths in metres, s in device units per metre.

#include <vector>

namespace plat {
class DC;
}
class TStructure;

struct SketchGeometry {
    double X0 = 0.0;
    double Y0 = 0.0;
    double s = 0.0;
    double D = 0.0;
    double phi = 0.0;
};

// pi/7 with pi taken as 3.141592653589.
inline constexpr double kSketchViewAngle = 0.4487989505127143;

struct SketchPoint {
    double x;
    double y;
};
SketchPoint ProjectSketchPoint(const SketchGeometry& g, double u, double v, double z);

// The panel's main picture in a main area W x H with margin m (relative to the panel
// origin); s = 0 when the element has no thickness.
SketchGeometry GetSketchPlacement(const TStructure& element, int W, int H, int m);
// The picture centred in the cell (x, y, w, h); s = 0 when the element has no thickness.
SketchGeometry GetThumbnailPlacement(const TStructure& element, int x, int y, int w, int h);

// The stirrup grid's plan offsets (o_v, o_u) before reduction by the pitch.
void GetStirrupGridOffsets(const TStructure& element, double D, double& ov, double& ou);

void DrawElementSketch(plat::DC& dc, const TStructure& element, const SketchGeometry& g, int hRef,
                       int detail);
void DrawMainElementSketch(plat::DC& dc, const TStructure& element, int x, int y, int W, int H, int m);
void DrawElementThumbnail(plat::DC& dc, const TStructure& element, int x, int y, int w, int h);
