#pragma once
// The constant tables of the beam mode: the section-profile, load-deformation and
// member-response graph records, the fire chart titles, the control-chart pairs, the graph
// sets and the panel-menu records.

#include <array>

// Graph-id ranges of the beam mode.
namespace BeamGraphId {
inline constexpr int ProfileFirst = 0;
inline constexpr int ProfileLast = 30;
inline constexpr int ProfileRangeEnd = 200; // ids below are section profiles
inline constexpr int LayerViewFirst = 200;  // one-layer membrane graphs 200-999
inline constexpr int LayerViewLast = 999;
inline constexpr int LoadDeformationFirst = 1000;
inline constexpr int LoadDeformationLast = 1013;
inline constexpr int CrackDiagram = 2000;
inline constexpr int CrossSection = 2001;
inline constexpr int AxialMoment = 2002;
inline constexpr int InternalForces = 2003;
inline constexpr int FireFirst = 2110;
inline constexpr int FireLast = 2115;
inline constexpr int ConcreteChart = 2120;
inline constexpr int PSteelChart = 2122;
inline constexpr int MemberFirst = 3000;
inline constexpr int MemberLast = 4199;
inline constexpr int MemberRecordFirst = 4004;
inline constexpr int MemberRecordLast = 4029;
inline constexpr int SurfaceFirst = 4700;
inline constexpr int SurfaceLast = 4759;
// Ids of 1000 and up that the nested membrane view draws.
inline bool IsLayerViewId(int id)
{
    return (id >= LayerViewFirst && id <= LayerViewLast) || id == 2100 || id == 2102 ||
           id == 2104 || id == 2116;
}
} // namespace BeamGraphId

// Tags carried by control-chart points.
namespace ProbeTag {
inline constexpr int DiagramState = 9000;
inline constexpr int StrainProfile = 10000;
inline constexpr int DepthCurve = 20000;
} // namespace ProbeTag

// Section profiles 0-30: title and value-axis label, and the descriptor.
struct ProfileRecord {
    const char* title;
    const char* label;
    int valueKind;
    int depthKind;
    int valuePrecision;
    int depthPrecision;
    int graphKind;
    int available;
};
inline constexpr int kProfileCount = 31;
extern const std::array<ProfileRecord, kProfileCount> g_ProfileRecords;

// Load-deformation graphs 1000-1013.
struct LoadDeformationRecord {
    const char* title;
    const char* xLabel;
    const char* yLabel;
    int xKind;
    int yKind;
    int xPrecision;
    int yPrecision;
    int halfRange; // thousandths of the SI unit; -1 none
};
inline constexpr int kLoadDeformationCount = 14;
extern const std::array<LoadDeformationRecord, kLoadDeformationCount> g_LoadDeformationRecords;
// Title formats by id - 1000, "%s" taking the force name.
extern const std::array<const char*, kLoadDeformationCount> g_LoadDeformationTitleFormats;

// Member-response graphs 4004-4029.
struct MemberGraphRecord {
    const char* title;
    const char* xLabel;
    const char* yLabel;
    int xKind;
    int yKind;
    int xPrecision;
    int yPrecision;
    int halfRange;
    int curve;                    // result curve of the member analysis; -1 none
    std::array<int, 2> added;     // added curves in order; 0 none
    std::array<int, 2> addedKind; // unit kind of an added result curve below 4004
};
inline constexpr int kMemberGraphCount = 26;
extern const std::array<MemberGraphRecord, kMemberGraphCount> g_MemberGraphRecords;

// Fire chart titles, ids 2110-2115.
extern const std::array<const char*, 6> g_FireTitles;

// Control-chart pairs.
struct ControlPairRecord {
    int id;
    const char* title; // null: no title of its own
    const char* xLabel;
    const char* yLabel;
    int xKind;
    int yKind;
};
// The record of a control id; null for an unknown id.
const ControlPairRecord* FindControlPair(int id);

// Graph sets: six nine-graph sets and four member-response sets.
extern const std::array<const char*, 6> g_NineGraphSetNames;
extern const std::array<std::array<int, 9>, 6> g_NineGraphSets;
extern const std::array<const char*, 4> g_MemberSetNames;
extern const std::array<std::array<int, 5>, 4> g_MemberSets;


// The chart class the view manager creates for a graph id of the beam mode.
enum class BeamChartClass {
    BeamDiagram,   // 2000, crack diagram
    RichBeam,      // 2001, cross section
    NPlusM,        // 2002
    ForceDiagram,  // 2003
    Mohr,          // 2100-2102
    Panel,         // 2103
    NodeData,      // 2104-2106 (variants 0, 1, 2)
    ContourColour, // 2107, 2110, 2112, 2114
    Contour3D,     // 2108, 2111, 2113, 2115
    DurnavoTable,  // 2109
    VitalSigns,    // 2116-2119 (variants 0 to 3)
    MaterDiagram,  // 2120-2122 ("Concrete", "Rebar", "P-Steel")
    VShell,        // 2200
    Block,         // 2201
    Section,       // 2202
    WideCrack,     // 4000-4003
    Barchart,      // 4100-4104
    ColourMap,     // 4200-4599
    Plot3D,        // 4700-4702
    BigChart,      // other ids from 1000 up, and full-size positions
    IconChart,     // ids below 1000 in a compact position
};
// fullSizePosition: the panel position asks for a full-size chart (ids below 1000 only).
BeamChartClass ChartClassOfGraph(int id, bool fullSizePosition);
