#pragma once
// The plain records a structure stores: concrete regions, reinforcement layers, reinforcement
// patterns, fire settings, and the names of its depth profiles and experimental-data lists.
//
// Units are SI throughout: lengths and elevations in m, areas in m^2, stresses in Pa,
// strains as plain ratios. Elevations (z) are measured upward.

#include <array>
#include <cstdint>
#include <string>

// pi as the section model has always used it (layer areas, bar circles, bond perimeters).
inline constexpr double kModelPi = 3.141592653589;
// A transverse bar's default angle to the member axis (pi/2 as stored in files).
inline constexpr double kDefaultTransAngle = 1.5707963267945;

// Longest texts the fixed-width fields of stored files hold (the field size less its terminator).
inline constexpr std::size_t kTitleFieldChars = 99;  // 100-character title fields
inline constexpr std::size_t kBarTitleChars = 14;    // 15-character bar titles
inline constexpr std::size_t kLayerNameChars = 14;   // 15-character layer names
inline constexpr std::size_t kTitleFieldWidth = 100; // width of each field of the title line

// The placeholder name of a blank layer record.
inline constexpr const char* kBlankLayerName = "error case!";

// One trapezoidal slice of a section between two elevations; regions are listed from the
// top down and the width varies linearly between topWidth and bottomWidth.
struct ConcreteRegionRec {
    double top = 0.0;
    double bottom = 0.0;
    double topWidth = 0.0;
    double bottomWidth = 0.0;
    int16_t concreteType = 0;

    bool operator==(const ConcreteRegionRec&) const = default;
};

// Pattern codes of a longitudinal layer.
inline constexpr int32_t kPlainLayer = 0;
inline constexpr int32_t kCircularPattern = 1;
inline constexpr int32_t kDistributedPattern = 2;
// The most bars one pattern holds (and a document keeps).
inline constexpr int32_t kMaxBarsPerPattern = 10000;

// One layer of longitudinal bars or tendons of one direction. The quoted names of the
// data file are the field names.
struct LongLayerRec {
    double z = 0.0;        // elevation of the layer
    double A = 0.0;        // total steel area (num x Ai)
    double drape = 0.0;    // slope of a tendon along the member
    int32_t num = 0;       // number of bars
    double Ai = 0.0;       // area of one bar
    double db = 0.0;       // bar diameter
    std::string bartitle;  // catalogue name of the bar, at most kBarTitleChars
    int32_t barIndex = -1; // index in the bar catalogue, -1 when none
    double dep = 0.0;      // prestrain of the bars
    int32_t type = 0;      // steel type index
    double bondTerm = 0.0; // crack-spacing bond term written by the depth-profile pass
    int32_t pattern = kPlainLayer;
    int32_t nround = 0;         // total bars of the pattern the layer belongs to
    int32_t aligned = 0;        // 0 or 1: a bar of the pattern lies on the vertical axis
    int32_t index = 0;          // slot of the pattern in the pattern array
    int32_t sortLower = 0;      // non-zero: sorts as if it lay 1000 m lower (read as 16 bits)
    double ratio = 0.0;         // reinforcement (strain-concentration) ratio set by the kinds
    double strainOffsetA = 0.0; // working strain values of the analysis
    double thermStrain = 0.0;   // imposed shrinkage/thermal strain of the bars
    double timeStrain = 0.0;    // time-dependent strain of the bars
    double strainOffsetB = 0.0;
    double oldSpace = 0.0;              // spacing as older membrane files stored it
    double space = 0.0;                 // bar spacing (membrane elements, distributed layers)
    double barX = 0.0;                  // horizontal position of a single bar from the centre line
    std::string name = kBlankLayerName; // at most kLayerNameChars

    bool operator==(const LongLayerRec&) const = default;
};

// One layer of transverse reinforcement (stirrups, ties, hoops) of one direction.
struct TransLayerRec {
    double A = 0.0;                    // area of one stirrup set (all legs)
    double angle = kDefaultTransAngle; // angle of the bars to the member axis, radians
    int32_t legs = 1;                  // legs that count for the z tension-stiffening factor
    double Ai = 0.0;                   // area of one bar
    double db = 0.0;                   // bar diameter
    std::string bartitle;
    int32_t barIndex = -1;
    double dep = 0.0;     // prestrain
    int32_t type = 0;     // steel type index
    int32_t pattern = 0;  // stirrup pattern code; kCircularHoop is a circular hoop
    double disttop = 0.0; // elevation of the stirrup's top end
    double distbot = 0.0; // elevation of the stirrup's bottom end
    double space = 0.0;   // spacing along the member
    double strain = 0.0;  // working strain value of the analysis
    double thermStrain = 0.0;
    double ratio = 0.0;           // transverse reinforcement ratio set by the kinds
    std::array<double, 5> work{}; // values kept for the analyses
    std::string name = kBlankLayerName;

    bool operator==(const TransLayerRec&) const = default;
};

inline constexpr int32_t kCircularHoop = 4;

// Pattern kinds.
inline constexpr int32_t kCircularPatternKind = 1;
inline constexpr int32_t kDistributedPatternKind = 2;

// One circular or distributed reinforcement pattern. A slot is free while inUse is 0.
struct ReinfPatternRec {
    int32_t kind = 0;
    double zLeast = 0.0;   // least z of the pattern's layers
    double zLargest = 0.0; // largest z of the pattern's layers
    int32_t missing = 0;   // bars still missing; 0 when complete
    int32_t inUse = 0;
    double radius = 0.0; // circular: radius of the bar circle
    double centre = 0.0; // circular: elevation of the circle's centre
    LongLayerRec layer;  // the first layer taken in, named by the shortest layer name

    bool operator==(const ReinfPatternRec&) const = default;
};

// Fire-exposure settings carried by a structure; their meaning belongs to the fire analysis.
struct FireData {
    int32_t exposure = 7;         // mask: 1 bottom, 2 sides, 4 top
    int32_t type = 0;             // fire curve: 0 ISO 834
    int32_t rebarperform = 0;     // 0 mild or prestressed steel
    double time = 1800.0;         // s
    double constanttemp = 1000.0; // degrees

    bool operator==(const FireData&) const = default;
};

// The nine quantities that vary over the depth of every structure.
enum PositionVariable : int {
    kCrackSpacingX = 0,
    kCrackSpacingY = 1,
    kCrackSpacingZ = 2,
    kShrinkTherm = 3,
    kCreepX = 4,
    kCreepY = 5,
    kTensionStiffX = 6,
    kTensionStiffY = 7,
    kTensionStiffZ = 8,
};
inline constexpr int kPositionVariableCount = 9;
// The name each position variable's table carries.
const char* PositionVariableName(int k);

// The experimental-data lists of a structure, indexed 0 to kValueListCount - 1.
inline constexpr int kValueListCount = 30;
// The name under which list i is stored in data files ("theta", "crackw", ... "29");
// empty for an index outside the lists.
std::string ValueListBinName(int i);
// The list that a bin name or a number names, or -1.
int ValueListIndexFromBin(const std::string& bin);

// Both load vectors hold eight values: a beam uses N, M, V; a membrane element Nxx, Nyy,
// Nxy, Mxx, Myy, Mxy, Vx, Vy.
inline constexpr int kLoadCount = 8;
using LoadVector = std::array<double, kLoadCount>;

// Blank records.
int InitLongLayerRec(LongLayerRec& layer);
int InitTransLayerRec(TransLayerRec& layer);

// Sort order of longitudinal layers: ascending elevation, a layer with sortLower set counting
// as 1000 m lower. Returns -1, 0 or 1.
int CompareLongLayers(const LongLayerRec& a, const LongLayerRec& b);
