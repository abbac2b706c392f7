#pragma once
// The cross-section picture: the concrete outline region by region with an optional fill (a
// grey per concrete type, or the crack state of a solved section), stirrups and hoops, bars
// and tendons as filled circles, and on the summary page the title block, the element
// catalogue, the properties panel, the dimensions, the concrete-types legend and the notes.
// Everything is drawn at once on the context the caller passes.

#include <string>

#include "platform/DC.h"

class TStructure;
struct SectionState;

// The summary page of the section in the rectangle (x, y, w, h); nothing for a null structure.
void PaintCrossSection(
    plat::DC& dc, const TStructure* structure, int x, int y, int w, int h, int module);

// Outline with its optional fill (fill mode non-zero, or a state mode), stirrups and bars.
void DrawSectionOutline(plat::DC& dc,
                        const TStructure& structure,
                        double x0,
                        double y0,
                        double s,
                        int fillMode,
                        int stateMode,
                        const SectionState* state);

// Region fill (state mode 0), crack-state fill (state mode non-zero with a state), or with a
// hit point other than (0, 0) the hit test of the regions: index becomes the outline point
// index of the region under the point and nothing is drawn.
void FillSectionRegions(plat::DC& dc,
                        const TStructure& structure,
                        int fillMode,
                        int stateMode,
                        double x0,
                        double y0,
                        double s,
                        const SectionState* state,
                        int& index,
                        plat::Point hit);

void DrawLongitudinalBars(plat::DC& dc,
                          const TStructure& structure,
                          double x0,
                          double y0,
                          double s,
                          int stateMode,
                          const SectionState* state,
                          int direction);
void DrawStirrups(plat::DC& dc,
                  const TStructure& structure,
                  double x0,
                  double y0,
                  double s,
                  int stateMode,
                  const SectionState* state,
                  int direction);

// Mode 0 selects a brush of the stress colour (answers 0 for a failed bar, else -1); mode 1 a
// 1-pixel pen (black for code -1) and answers the code; mode 2 only answers the code.
int SelectStressStyle(plat::DC& dc, double stress, double limit, int mode);

// "Axial load applied ... from bottom", or empty when the position is not set.
std::string FormatAxialLoadNote(const TStructure& structure);
// "Includes %d experimental measurements" when the structure's experimental-data lists hold
// values, else empty; answers the text's length.
int CountExperimentalPoints(const TStructure* structure, std::string& text);
// The notes on imposed strains and long-term effects, or empty.
std::string FormatStrainNote(const TStructure& structure, int direction);

void DrawSectionInRect(plat::DC& dc,
                       const TStructure& structure,
                       int x,
                       int y,
                       int w,
                       int h,
                       int fillMode,
                       int fitHeight);
void DrawSectionWithCallouts(plat::DC& dc,
                             const TStructure* structure,
                             int x,
                             int y,
                             int w,
                             int h,
                             int fillMode,
                             double fontFactor);

// ---- The summary page's panels -------------------------------------------------------------

void DrawPropertiesPanel(
    plat::DC& dc, const TStructure& structure, int x, int y, int wp, int h, int m, int direction);
void DrawElementCatalogColumn(
    plat::DC& dc, const TStructure* current, int x, int y, int wp, int w, int h, int m);
// A catalogue row's name as it fits in width pixels in the font: whole, or its longest prefix
// that fits (a long name ran over the column's right border).
std::string FitCatalogName(plat::DC& dc, const std::string& name, const plat::LogFont& font, int width);
// Draw flag non-zero draws and answers -1; 0 answers the concrete type under the point or -1.
int DrawConcreteTypesLegend(plat::DC& dc,
                            const TStructure& structure,
                            int wp,
                            int h,
                            double x0,
                            double y0,
                            double s,
                            int limit,
                            plat::Point point,
                            int drawFlag);
int DrawSectionDimensions(plat::DC& dc,
                          const TStructure& structure,
                          double x0,
                          double y0,
                          double s,
                          double widest,
                          int h);
void DrawMirroredHoopArcs(plat::DC& dc,
                          double x0,
                          double y0,
                          double s,
                          double zc,
                          double R,
                          double t,
                          double a1,
                          double a2);

// The hit code of the summary page at (px, py); index receives the item (see the page's click
// handling). The DC measures text only.
int HitTestSummaryPage(plat::DC& dc,
                       const TStructure* structure,
                       int px,
                       int py,
                       int& index,
                       int xOffset,
                       int yOffset,
                       int W,
                       int H,
                       int module);

// Summary-page hit codes.
namespace PageHit {
inline constexpr int Nothing = 0;
inline constexpr int CrackSpacing = 3;
inline constexpr int Loading = 4;
inline constexpr int GeometricProperties = 5;
inline constexpr int StrainNote = 6;
inline constexpr int GeometricCorner = 8;
inline constexpr int Outside = 9;
inline constexpr int Region = 10;
inline constexpr int TransverseCallout = 11;
inline constexpr int LongitudinalCallout = 12;
inline constexpr int CircularCallout = 13;
inline constexpr int DistributedCallout = 14;
inline constexpr int TendonCallout = 15;
inline constexpr int ConcreteType = 17;
inline constexpr int CatalogHeader = 19;
inline constexpr int CatalogRow = 20;
inline constexpr int MemberProperties = 21;
} // namespace PageHit
