#pragma once
// What the pages of the "Full Member Properties" sheet show and how their typed texts are
// applied to the working member definition, without any window: the quick page, the
// geometry page, the material zones, the moment-point lists of the loading pages, the scales
// of the loading pages' diagrams and the sheet's write-back on OK. The pages are thin windows
// over these functions; complaints and questions go through the reporter.
//
// Lengths are stored in m, moments in N m, forces in N; texts are in the active unit system
// (shown = stored x factor). Typed texts are read as their leading decimal number, so text
// that is not a number reads as 0.

#include <string>
#include <vector>

#include "foundation/TypedNumber.h"

#include "member/TMemberDefinition.h"

class TStructureSlots;

// Stress ratio of the active unit system to MPa (1 in SI): the yield-penetration factor is
// stored per MPa and shown per display stress unit.
double YieldPenetrationRatio();

// Points and zones sorted by position; entries at one position keep their order (a jump's
// left moment stays first).
void SortMomentPoints(TMemberDefinition& d, int k);
void SortMemberZones(TMemberDefinition& d);

// ---- Quick page -----------------------------------------------------------------------------

struct QuickFields {
    std::string shearLength, constantZone, momentRatio, axialLoad, yieldPenetration;
    int loadingType = 0; // 0 point loads, 1 distributed beam, 2 distributed footing
    int leftCase = 0;    // 0 bottom support, 1 hanging, 2 fixed (column top)
    int rightCase = 0;   // 0 load on top, 1 load on bottom, 2 fixed (column base)
    std::string lengthUnit, forceUnit;
};
// The fields of a definition; one that is not in quick form shows "Detailed" in its four
// value fields, point loads and a first left case, and sets detailed.
QuickFields ShowQuickFields(const TStructureSlots& slots, const TMemberDefinition& d, bool& detailed);
// The yield-penetration field is editable only for a fixed right end.
inline bool QuickYieldPenetrationEnabled(int rightCase) { return rightCase == 2; }

// Rebuilds the whole definition from the fields. While confirmErase is set and the definition
// is detailed, the user is asked once whether to overwrite it: No changes nothing (returns 0,
// the question comes again next time), Yes clears confirmErase. Returns 1 when rebuilt.
int ApplyQuickFields(const TStructureSlots& slots, const QuickFields& typed, TMemberDefinition& d, int& confirmErase);
// The first refused field (0 shear span, 1 constant moment zone, 2 moment ratio, 3 axial load,
// 4 yield penetration): the spans held so that the member is at most 1000 m long. A refused
// field makes ApplyQuickFields change nothing.
TypedRefusal CheckQuickFields(const QuickFields& typed);
// The same, and the member the fields make of the current section (which begins a third of the
// section's height before its left support) refused as field 1 where it is longer than a member
// is: what ApplyQuickFields and the page take.
TypedRefusal CheckQuickFields(const TStructureSlots& slots, const QuickFields& typed);

// What the quick page's picture is drawn from: the typed fields when CheckQuickFields accepts
// them (they become the accepted ones), else the last accepted values; the loading type and the
// end cases are always the ones chosen now.
QuickFields QuickPictureFields(const QuickFields& typed, QuickFields& accepted);

// The schematic moment diagram drawn from the fields: a polyline in box pixels, every position
// held to int (a span far past the box lands at the edge of int's range).
struct QuickSchematic {
    int left = 0, top = 0, width = 0, height = 0; // the filled background
    int axisY = 0;
    std::vector<std::pair<int, int>> line; // from the axis at the left end round to the axis at the right
};
QuickSchematic QuickDiagramGeometry(const QuickFields& typed, int boxX, int boxY, int boxW, int boxH);

// ---- Geometry page --------------------------------------------------------------------------

struct GeometryFields {
    std::string length, topPlate, displacement, yieldPenetration;
    std::string leftPlate, leftLocation, rightPlate, rightLocation;
    // Combo selections: index = type - 1, -1 for none.
    int leftAnchorage = -1, rightAnchorage = -1, leftSupport = -1, rightSupport = -1;
    bool topDirect = false, leftDirect = false, rightDirect = false;
    std::string lengthUnit;
};
GeometryFields ShowGeometryFields(const TMemberDefinition& d);
// The first field that is not a finite number (0 length, 1 top plate, 2 displacement, 3 yield
// penetration, 4 left plate, 5 left location, 6 right plate, 7 right location); finite values
// are clamped as ReadGeometryFields says.
TypedRefusal CheckGeometryFields(const GeometryFields& typed);
// Writes every field into the definition with its clamps, then keeps the supports a legal pair;
// writes nothing when CheckGeometryFields refuses. A field whose text is still the one
// ShowGeometryFields gives for the definition keeps its value whole rather than as rounded.
void ReadGeometryFields(const GeometryFields& typed, TMemberDefinition& d);
// The ordered support-pair rules (types of SupportType), applied until they change nothing: the
// pair they leave is one they leave alone.
void ApplySupportPairRules(int& left, int& right);
struct GeometryEnables {
    bool yieldPenetration = false; // one end anchored with yield penetration
    bool rightSupport = true;      // false while the left end is fixed
    bool leftSupport = true;       // false while the right end is fixed
};
GeometryEnables GeometryEnablesFor(const GeometryFields& typed);

// ---- Material zones -------------------------------------------------------------------------

std::string FormatZoneStart(double x);
std::vector<std::string> ZoneRows(const TMemberDefinition& d);
// A selection clamped to 0 .. count - 1 (0 for an empty list).
int ClampSelection(int j, int count);
// Each returns 1 when the zones changed; selected follows the zone edited.
// A boundary that is not a finite number is refused (CheckTypedPosition's message).
int AddZoneBoundary(TMemberDefinition& d, const std::string& typed, int& selected);
int ModifyZoneBoundary(TMemberDefinition& d, const std::string& typed, int& selected);
int DeleteZoneBoundary(TMemberDefinition& d, int& selected);
// The zone that holds x (start <= x < end), or -1.
int ZoneAtPosition(const TMemberDefinition& d, double x);

// The member sketch of the materials page, in box pixels.
struct SketchGeometry {
    int x0 = 0, y0 = 0, w = 0, h = 0;
    double s = 1.0; // pixels per metre
};
SketchGeometry GetSketchGeometry(const TMemberDefinition& d, int boxX, int boxY, int boxW, int boxH);
// The largest position of the definition: length, support locations, zone starts and points.
double MemberExtent(const TMemberDefinition& d);

// ---- Loading pages --------------------------------------------------------------------------

struct PointTexts {
    std::string x, moment;
    bool parabolic = false;
};
// A typed position along the member: any finite number (held to the member with the messages
// above); empty when taken.
std::string CheckTypedPosition(const std::string& typed, const char* field);
// The first refused entry of a point (0 position, 1 moment), and a typed axial load. Refused
// entries are not stored by the editor below.
TypedRefusal CheckPointTexts(const PointTexts& typed);
std::string CheckTypedAxialLoad(const std::string& typed);

// One moment diagram of the definition edited point by point (k 0 live, 1 dead).
class TMomentPointEditor {
public:
    TMomentPointEditor(TMemberDefinition& d, int k) : m_d(d), m_k(k) {}

    int Diagram() const { return m_k; }
    int Count() const;
    int Selected() const { return m_selected; }
    std::vector<std::string> Rows() const;
    // The fields of the selected point ("     0", "  0.00" when none).
    PointTexts SelectedTexts() const;
    // Reads typed fields, moving a location outside the member to the nearer end (message).
    MomentPoint ReadPoint(const PointTexts& typed) const;

    void Add(const PointTexts& typed);
    void Modify(const PointTexts& typed);
    void Delete();
    void DeleteAll();
    // The list's selection moves to row. When the typed fields differ from the point selected
    // so far and prompting is on, asks whether to save them first.
    void Select(int row, const PointTexts& typed);
    void SetPrompting(bool on) { m_prompt = on; }
    // Dead page only: replaces the dead diagram by the self weight (asks first when it has
    // points). Returns 1 when replaced.
    int GenerateSelfWeight(const TStructureSlots& slots);

    std::string AxialLoadText() const;
    void SetAxialLoad(const std::string& typed);
    std::string AxialLoadUnit() const;
    // The listing of the diagram and its shears shown on a double click.
    std::string Report() const;

private:
    void Sorted(double x);
    TMemberDefinition& m_d;
    int m_k;
    int m_selected = 0;
    bool m_prompt = false;
};

// ---- Loading page diagrams ------------------------------------------------------------------

struct DiagramBox {
    int x = 0, y = 0, w = 0, h = 0;
};
struct DiagramScales {
    int x0 = 0, y0 = 0;
    double scaleX = 1.0, scaleM = 0.0, scaleV = 0.0;
    double minM = 0.0, maxM = 0.0, maxV = 0.0, minV = 0.0;
};
// Scales of diagram k in the moment box (which 0) or the shear box (1): positions across 90 %
// of the width from 5 %, values over 0.75 H - 6 with the zero line where the signs divide it.
DiagramScales GetDiagramScales(const TMemberDefinition& d, int k, const DiagramBox& box, int which);
// y of the first segment that holds x with non-zero width (the left side at a step); 0 when none.
double InterpolatePolyline(const ShearPoint* pairs, int count, double x);
// "Shear: a/b" at a point load (left then right), "Shear: a" where continuous, "Shear:"
// outside. Returns 1.
int FormatShearAt(const ShearPoint* pairs, int count, double x, std::string& text);

// ---- The sheet ------------------------------------------------------------------------------

// The sheet opens on the quick page (0) when the definition is in quick form, else on the
// geometry page (1).
int MemberSheetStartPage(const TStructureSlots& slots, const TMemberDefinition& d);
// OK on the sheet: checks the copy's geometry and writes it back. Returns 1 when the document
// changed (the copy replaced d whole, or the yield-penetration constant was carried back);
// a changed displacement location alone is carried back returning 0.
int WriteBackMemberSheet(TMemberDefinition& copy, TMemberDefinition& d);
