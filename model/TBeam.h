#pragma once
// TBeam: a beam or column cross-section (structure kind 1).
//
// The section is a stack of trapezoidal concrete regions listed from the top down, with one
// longitudinal direction (x layers) and transverse layers in z. Besides the structure data it
// keeps its own texts, the library shape it was recognised as, the moment axis, the section
// properties that validation derives, the long-term settings, two owned depth tables (the
// strain discontinuity over the depth and the critical reinforcement ratio for strain
// concentration) and values that only the older file formats carry.
//
// Datum: Validate (through ShiftToDatum) moves every depth so that the moment axis lies at
// z = 0. The moment axis is the gross centroid unless a height above the section bottom is
// given (momentAxis below 1e30). Validating again shifts by 0. A section moved before that must
// move again (its axis or its regions changed) is moved from its heights above the bottom as its
// document keeps them, so it lies where its document, opened again, puts it.
//
// Units: SI (m, m^2, N, N m, Pa); depths measured upward; compression negative.

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "foundation/Sentinel.h"
#include "foundation/TDepthTable.h"
#include "model/TMemberQuickDef.h"
#include "model/TStructure.h"

class TBeam;

// Reader of the older beam file formats, installed by the data-file subsystem: fills the
// beam from the file and returns 1, or 0 when the file could not be read.
using BeamFileReader = int (*)(TBeam& beam, const std::string& fileName, int elementIndex);
// Installs the reader (null removes it); returns the one it replaced.
BeamFileReader SetBeamFileReader(BeamFileReader reader);

// Section properties of one pass of ComputeSectionProperties (gross or transformed).
struct SectionProperties {
    double area = 0.0;     // m^2
    double inertia = 0.0;  // m^4, about the centroid
    double centroid = 0.0; // m above the section bottom

    bool operator==(const SectionProperties&) const = default;
};

// Result of GetShearDepthAndWidth.
struct ShearDepthAndWidth {
    double bv = 0.0;   // least web width within the shear depth (m)
    double d = 0.0;    // effective depth of the face's steel (m)
    double rhoV = 0.0; // transverse reinforcement ratio at the depth of bv
    double fyV = 0.0;  // its mean yield stress (Pa), 0 without stirrups
    double sxe = 0.0;  // equivalent crack spacing (m)
    double zBv = 0.0;  // depth of bv
};

// Shape codes beyond the library's indices.
inline constexpr int kBeamRectShape = 0;
inline constexpr int kBeamCircleShape = 1;
inline constexpr int kBeamTShape = 2;
inline constexpr int kBeamIShape = 3;

// Longest texts the beam's fixed-width fields keep.
inline constexpr std::size_t kBeamNameChars = 99;   // 100-character name field
inline constexpr std::size_t kBeamDoneByChars = 19; // 20-character author field
inline constexpr std::size_t kBeamDateChars = 10;   // 11-character date field
inline constexpr std::size_t kBeamShapeNameChars = 19;

inline constexpr int kBeamShapeParamCount = 8;
inline constexpr double kMaxShapeParam = 1000.0;
// Moment-axis heights at or above this mean "centroidal".
inline constexpr double kCentroidalAxis = 1e30;
// Default age of the concrete for the long-term analysis (days).
inline constexpr double kDefaultAgeDays = 18250.0;

class TBeam : public TStructure {
public:
    // A new default section.
    TBeam();
    // A section with nothing in it (no types, regions or layers), for a reader to fill.
    struct Empty {};
    explicit TBeam(Empty);
    // A section read from an older file; success is the reader's result, and on failure the
    // beam is a new default section.
    TBeam(const std::string& fileName, int& success);
    // A deep copy, with its own types, layers and depth tables.
    TBeam(const TBeam& other);
    TBeam& operator=(const TBeam&) = delete;
    ~TBeam() override;

    // ---- Overrides of the structure's virtual operations -------------------------------

    int Load(const std::string& fileName, int elementIndex) override;
    int GetRootElementName(std::string& name) const override;
    // Document callbacks of the beam's own elements (q3g_beam, shapesection, eleminfo,
    // analysisoptions, sectloading, shrinktherm, straindiscont); every other element goes to
    // the structure's.
    int GetAttributeText(const std::string& element,
                         const std::string& attribute,
                         int instance,
                         std::string& text,
                         int* unitSystem) override;
    int GetElementText(const std::string& element,
                       int instance,
                       TTextBuffer& text,
                       int* unitSystem) override;
    int GetElementCount(const std::string& element) override;
    int BeginElement(const std::string& element) override;
    int SetAttribute(const std::string& element,
                     const std::string& attribute,
                     const std::string& value,
                     int* unitSystem) override;
    int SetElementText(const std::string& element, TTextBuffer& text, int* unitSystem) override;
    int EndElement(const std::string& element) override;
    int NewDefault() override;
    std::unique_ptr<TStructure> Clone() const override;
    int Validate() override;
    int GetDefaultStrainPoints(double& strain1,
                               double& depth1,
                               double& strain2,
                               double& depth2) override;
    int SetConcreteModelSet(int code) override;
    int InitEmpty() override;
    int ClearAll() override;
    int StampDate() override;
    std::string GetName() const override { return m_own.name; }
    std::string GetDate() const override { return m_own.date; }
    std::string GetUniversity() const override { return std::string(); }
    std::string GetDoneBy() const override { return m_own.doneBy; }
    int GetSectionKindCode() const override { return m_own.shapeCode; }
    int SetName(const std::string& text) override;
    int SetUniversity(const std::string& text) override;
    int SetDoneBy(const std::string& text) override;
    int SetDate(const std::string& text) override;
    int SetCrackSpacing(double value, int direction) override;
    double GetCrackSpacing(int direction) const override;
    int IsCrackSpacingAuto(int direction) const override;
    int SetCrackSpacingAuto(int flag, int direction) override;
    double GetHeight() const override { return m_own.height; }
    double GetBottom() const override { return m_own.bottom; }
    double GetTop() const override { return m_own.top; }
    double GetWidthAtSide(double depth, int side) const override;
    double GetWidthAt(double depth) const override;
    double GetEffectiveWidthAt(double depth, double a, double b) const override;
    int GetMaxConcreteTypes() const override { return 32767; }
    int GetMainConcreteType() const override { return m_own.mainConcreteType; }
    int GetMaxSteelTypes() const override { return 32767; }
    int GetMainSteelType() const override { return m_own.mainSteelType; }
    int GetMaxRegions() const override { return 150; }
    int SetRegionCount(int n) override;
    int UpdateExtents() override;
    int ShiftToDatum() override;
    int GetPatternCapacityFor(int) const override { return 30; }
    int GetPatternCapacity() const override { return 30; }
    int GetPatternDirectionCount() const override { return 1; }
    int CheckPair(int, int) const override { return 1; }
    int GetLongLayerCount(int direction) const override;
    int GetMaxLongLayers() const override { return 32767; }
    int GetLongDirectionCount() const override { return 1; }
    int SetLongLayerCount(int n, int direction) override;
    int GetTransLayerCount(int direction) const override;
    int GetMaxTransLayers() const override { return 32767; }
    int GetTransDirectionCount() const override { return 1; }
    int SetTransLayerCount(int n, int direction) override;

    // ---- Shape --------------------------------------------------------------------------

    // Adds dTop and dBottom to the widths of region i. Guarded; 1, or 0 for a bad index.
    int ChangeRegionWidths(int i, double dTop, double dBottom);
    // Library shape name (at most 19 characters kept). Guarded.
    int SetShapeName(const std::string& text);
    const std::string& GetShapeName() const { return m_own.shapeName; }
    // Parameter k (1 to 8) of the library shape, clamped to 0 .. 1000 m; 1 when it changed.
    int SetShapeParameter(double value, int k);
    // Parameter k (1 to 8), else kUndefined.
    double GetShapeParameter(int k) const;
    // Shape code (a ShapeTable index, kUserShapeCode or kStandardTypeCode); kUserShapeCode also
    // names the shape "USER". Guarded; marks modified.
    int SetShapeType(int code);
    // For a user outline: recognises a rectangle, T, I or circle from the regions and selects
    // that library shape with its parameters. Shifts to the datum first.
    int RecogniseShape();

    // ---- Moment axis and long-term settings ----------------------------------------------

    // Height of the moment axis above the section bottom; 1e30 or more = centroidal. Other
    // heights are kept within -1000 .. 1000. Returns 1 when it changed.
    int SetMomentAxis(double h);
    double GetMomentAxis() const { return m_own.momentAxis; }
    // Long-term settings: flag (its low byte), age in days, sustained moment and axial load.
    // Returns 1 when they changed by more than a displayed unit.
    int SetTimeData(int flag, double ageDays, double sustainedMoment, double sustainedAxialLoad);
    int GetTimeData(int& flag,
                    double& ageDays,
                    double& sustainedMoment,
                    double& sustainedAxialLoad) const;

    // ---- Strain discontinuity and long-term strains ---------------------------------------

    // Replaces the (depth, strain step) points by those of the table, in its order. Guarded.
    int SetStrainDiscontinuity(TDepthTable table);
    const TDepthTable& GetStrainDiscontinuityTable() const { return m_strainDiscontinuity; }
    // Not guarded: the analysis imposes part of its copy's strains while it searches an
    // initial state, and gives them back.
    TDepthTable& GetStrainDiscontinuityTable() { return m_strainDiscontinuity; }
    const TDepthTable& GetCriticalRhoTable() const { return m_criticalRho; }
    // The imposed strain discontinuity at a depth: 0 outside the section or without steps.
    using TStructure::GetStrainDiscontinuity;
    double GetStrainDiscontinuity(double depth, int flag) const
    {
        return GetStrainDiscontinuity(m_strainDiscontinuity, depth, flag);
    }
    // The nearest breakpoint depth of the strain-discontinuity and shrinkage/thermal tables
    // strictly below z (side 1, the higher of the two) or above z (side 0, the lower of the
    // two); the section bottom (top) when neither table has one.
    double GetStrainStepAt(double z, int side) const;
    // Source 0 the shrinkage/thermal table, 1 the strain discontinuity, other the thermal
    // strains of the longitudinal layers of direction d: 0 none (value 0), 1 constant (value
    // out), 2 varying.
    int ClassifyStrainProfile(int source, double& value, int d) const;
    // Imposes a long-term state: dShrink added to the shrinkage/thermal table, the creep
    // table of direction d (0, 1) replaced by the line e0 + k z over the section, and the
    // long-term strain of layer i of direction d set to strains[i]. Not guarded (the
    // long-term set-up writes into a frozen analysis copy).
    int
    SetLongTermStrains(double dShrink, double e0, double k, std::span<const double> strains, int d);

    // ---- Section properties and reinforcement summaries -----------------------------------

    // Gross (transformed 0) or transformed properties: I, A, H - y and y (y the centroid's
    // height above the bottom, H the height), S_top = I/(H - y) and S_bottom = I/y (0 when the
    // divisor is not positive). Returns 1.
    int GetFaceSteelData(int transformed,
                         double& I,
                         double& A,
                         double& heightAboveCentroid,
                         double& y,
                         double& sTop,
                         double& sBottom) const;
    // The same properties under the name the result views use (0 gross, 1 transformed).
    int GetSectionProperties(int transformed,
                             double& I,
                             double& A,
                             double& yTop,
                             double& yBottom,
                             double& sTop,
                             double& sBottom) const
    {
        return GetFaceSteelData(transformed, I, A, yTop, yBottom, sTop, sBottom);
    }
    SectionProperties GetGrossProperties() const { return m_own.gross; }
    SectionProperties GetTransformedProperties() const { return m_own.transformed; }
    double GetGrossArea() const { return m_own.gross.area; }

    // Centroid z, area A and mean yield stress fy of the x layers below mid-height (face
    // non-zero) or above it (face 0); a layer within 1e-5 of mid-height counts half.
    using TStructure::GetSteelCentroid;
    int GetSteelCentroid(double& z, double& A, double& fy, int face) const;
    // Transverse ratio rho = sum A/(b s) of the z layers covering z, and rho fy. Returns 1 when
    // a covering layer's steel type index is 4 or 6, else 0.
    int GetTransverseRatioAt(double z, double& rho, double& rhoFy) const;
    // Largest rho and rho fy over 100 depths (circle: at mid-height); OR of the indicators.
    int GetMaxTransverseRatio(double& rhoMax, double& rhoFyMax) const;
    // Shear depth and width of the face's steel (face non-zero: the steel below mid-height).
    int GetShearDepthAndWidth(
        double& bv, double& d, double& rhoV, double& fyV, double& sxe, double& zBv, int face) const;
    ShearDepthAndWidth GetShearDepthAndWidth(int face) const;

    // ---- Drawing positions -----------------------------------------------------------------

    // Position of bar j of x layer i (x from the centre line). Returns 1, 0 for a bad index.
    int GetLongBarPosition(int i, int j, double& x, double& z) const;
    // Point t (0 .. 1) along a leg of z layer i. Returns 1, 0 for a bad index.
    int GetTransLegPosition(int i, double t, double& x, double& z) const;

    // ---- Values the file formats carry ------------------------------------------------------

    int GetStoredValues(TMemberQuickDef& block) const;
    int SetStoredValues(const TMemberQuickDef& block);
    std::array<double, 2> GetFileValues() const { return m_own.fileValues; }
    void SetFileValues(const std::array<double, 2>& values) { m_own.fileValues = values; }
    int GetFileVersionCode() const { return m_own.fileVersionCode; }
    void SetFileVersionCode(int code) { m_own.fileVersionCode = static_cast<uint16_t>(code); }
    int GetOutlineRegionCount() const { return m_own.outlineRegionCount; }
    int GetVoidRegionCount() const { return m_own.voidRegionCount; }
    // The older readers set both companion counts of the region count.
    void SetRegionCompanionCounts(int outline, int voids);
    double GetAgeDays() const { return m_own.ageDays; }

    // ---- Steps of Validate (public for the analyses and tests) ----------------------------

    int FindMainTypes();
    int ComputeSectionProperties();
    int SetLayerRatios();
    int CheckHsuConcrete(int d);
    int NormaliseStrainDiscontinuity();
    int BuildCriticalRhoTable();

private:
    SectionProperties ComputeProperties(bool transformed) const;
    double MainConcreteModulus() const;
    double SteelModulus(int type) const;
    double SteelYield(int type) const;
    int FirstRegionMatching(double depth, int side) const;
    double NarrowestRegionWidthIn(double low, double high, double start) const;
    void BackToDocumentHeights();
    double DatumHeight() const;
    double ClearDistanceForLegs(double b, double db) const;
    int FillRecognisedParameters(int kind);
    bool FollowsCircle() const;

    // The beam's own block, cleared by InitEmpty and NewDefault and copied whole by the copy
    // constructor.
    struct OwnBlock {
        std::string name;
        std::string doneBy;
        std::string date;
        double height = 0.0;
        double crackSpacingZ = 0.0;
        double crackSpacingX = 0.0;
        int16_t outlineRegionCount = 0;
        int16_t voidRegionCount = 0;
        int shapeCode = 0;
        std::string shapeName;
        std::array<double, kBeamShapeParamCount> shapeParams{};
        std::array<double, 2> fileValues{};
        double momentAxis = 0.0;
        // The depths were moved to the datum (by ShiftToDatum) since the section was made or read.
        bool atDatum = false;
        double top = 0.0;
        double bottom = 0.0;
        SectionProperties gross;
        SectionProperties transformed;
        int16_t mainConcreteType = 0;
        int16_t mainSteelType = 0;
        uint16_t fileVersionCode = 0;
        int16_t timeDependent = 0;
        double sustainedMoment = 0.0;
        double sustainedAxialLoad = 0.0;
        double ageDays = 0.0;
    };

    OwnBlock m_own;
    TDepthTable m_strainDiscontinuity;
    TDepthTable m_criticalRho;
    TMemberQuickDef m_memberQuickValues;

    // Root attributes in the document's length unit (smx, smt, axialloc) as last read: the
    // root's units attribute may follow them, and then converts them again.
    std::array<std::string, 3> m_rootLengthTexts;
    std::array<bool, 3> m_rootLengthRead{};
    int SetRootAttribute(const std::string& attribute, const std::string& value, int* unit);
    void ApplyRootLength(int k, const int* unit);

    // Hints for repeated width queries: the region that answered last.
    mutable int m_widthSideHint = 0;
    mutable int m_widthHint = 0;
};

// Volume-to-surface ratio of the beam (m): its gross area over the perimeter of its regions
// (the sloped sides of each trapezoid, the steps between regions, the top of the first and
// the bottom of the last region); 0 when the perimeter is not positive.
double ComputeVolumeSurfaceRatio(const TBeam& beam);
