#pragma once
// TStructure: the base of everything the program analyses. It owns the material types, the
// concrete regions, the reinforcement layers of each direction, the reinforcement patterns,
// the nine depth profiles (position variables), thirty experimental-data lists, two load
// vectors and the fire settings, and it guards every write:
//
//  - Write guard: every operation that changes the structure first asks CheckFrozen. While an
//    analysis uses the structure (frozen) it shows "Attempt to write to frozen beam!", changes
//    nothing and returns 0.
//  - Modified rule: a change marks the structure modified only when a double moves by 0.0001
//    or more or an integer code changes (AssignChanged).
//
// Directions: 0 x, 1 y, 2 z. Longitudinal layers exist for x and y, transverse layers for
// x, y and z; transverse directions are walked from 2 downwards, so a structure with one
// transverse direction uses z.
//
// The kinds TBeam (kind 1) and TShell (kind 0) override the virtual operations; the bare
// structure (kind 4) answers them with the base behaviour below: its extents come from its
// regions, it has one longitudinal direction (x), one transverse direction (z) and one
// pattern direction of 30 slots.
//
// Counts are the sizes of the stored lists. A kind that overrides a count getter must answer
// the stored size; it overrides the count setters only to keep companion counters.
//
// Units: SI (m, m^2, Pa, strains as ratios); elevations measured upward; compression negative.

#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "foundation/Contain.h"
#include "foundation/Sentinel.h"
#include "foundation/TDepthTable.h"
#include "model/StructureRecords.h"
#include "model/materials/MaterialTypes.h"

class TTextBuffer;

// Kind codes of a structure.
inline constexpr int kKindShell = 0;
inline constexpr int kKindBeam = 1;
inline constexpr int kKindBare = 4;

// Modified-rule tolerances: doubles must move by this much, integer codes by 1.
inline constexpr double kModifiedTolerance = 0.0001;

// Number of depths of the tension-stiffening profiles.
inline constexpr int kTensionStiffDepths = 100;

class TStructure {
public:
    // A bare structure (kind 4), initialised by InitEmpty.
    TStructure();
    virtual ~TStructure();
    TStructure(const TStructure&) = delete;
    TStructure& operator=(const TStructure&) = delete;

    // ---- Virtual operations, in slot order -----------------------------------------------

    // Reads a non-XML data file into the structure; 1 when loaded. The bare structure reads
    // none and answers 0.
    virtual int Load(const std::string& fileName, int elementIndex);
    // The data-file root element name ("q3g_beam", "p3g_shell"); empty for the bare structure.
    virtual int GetRootElementName(std::string& name) const;

    // Data-document writer and reader callbacks (bodies in the *Elements.cpp files). The base
    // handles the elements every kind shares: material types, reinforcement layers, bar
    // thermal strains, the solid outline, fire settings and experimental data. For writing,
    // instance i of an element is the i-th record of its kind; for reading, attributes and
    // bodies go to the last record, which BeginElement appended. SetAttribute answers 0 to
    // stop the read (unknown attribute, unknown bar or material name, unknown element).
    virtual int GetAttributeText(const std::string& element,
                                 const std::string& attribute,
                                 int instance,
                                 std::string& text,
                                 int* unitSystem);
    virtual int
    GetElementText(const std::string& element, int instance, TTextBuffer& text, int* unitSystem);
    virtual int GetElementCount(const std::string& element);
    virtual int BeginElement(const std::string& element);
    virtual int SetAttribute(const std::string& element,
                             const std::string& attribute,
                             const std::string& value,
                             int* unitSystem);
    virtual int SetElementText(const std::string& element, TTextBuffer& text, int* unitSystem);
    virtual int EndElement(const std::string& element);

    // Resets to a new empty element (the bare structure: ClearAll, no title texts).
    virtual int NewDefault();
    // A deep copy of the element as its own kind; null for the bare structure, which is
    // never copied.
    virtual std::unique_ptr<TStructure> Clone() const;
    // Checks and repairs after loading or editing, then rebuilds the patterns, the depth
    // profiles and the cover; shows a message for each repair it reports. Returns 1.
    virtual int Validate();
    // Default points of the two-strain prompts; the bare structure gives all 0.
    virtual int
    GetDefaultStrainPoints(double& strain1, double& depth1, double& strain2, double& depth2);
    // Sets every concrete type's three model codes from a model-set code.
    virtual int SetConcreteModelSet(int code);
    // Rebuilds the 300-character title line (university, doneBy, name each blank-padded to
    // 100 characters) and copies the three texts into the title fields.
    virtual int RefreshTitle();
    // Construction-time initialisation of everything but the kind and the position variables'
    // names: title "No Name", no types, regions, layers or lists, loads 0, model set 15, the
    // fire defaults, the pattern slots sized by the kind's capacities, all flags cleared
    // (checkTensionStiffening 1). The base constructor runs it for the bare structure; a
    // derived kind's constructor runs it again once its capacities answer.
    virtual int InitEmpty();
    // Deletes the material types and all layers, empties the position variables and deletes
    // the experimental-data lists; regions and patterns stay.
    virtual int ClearAll();
    // Title field i (0 university, 1 doneBy, 2 name), null for another i.
    virtual const std::string* GetTitleField(int i) const;
    virtual int StampDate();
    virtual std::string GetName() const;
    virtual std::string GetDate() const;
    virtual std::string GetUniversity() const;
    virtual std::string GetDoneBy() const;
    // 0 (the beam answers its shape code).
    virtual int GetSectionKindCode() const;
    // Clear cover from ComputeMinCover and what governs it (0 nothing, 1 transverse,
    // 2 longitudinal reinforcement).
    virtual double GetMinCover(int& face) const;
    // Title setters: guarded; keep at most 99 characters; 1 and modified when changed. The
    // bare structure keeps no date (SetDate answers 0, GetDate is empty).
    virtual int SetName(const std::string& text);
    virtual int SetUniversity(const std::string& text);
    virtual int SetDoneBy(const std::string& text);
    virtual int SetDate(const std::string& text);
    // Crack spacing of a direction; negative means automatic.
    virtual int SetCrackSpacing(double value, int direction);
    virtual double GetCrackSpacing(int direction) const;
    virtual int IsCrackSpacingAuto(int direction) const;
    virtual int SetCrackSpacingAuto(int flag, int direction);
    // The crack-spacing profile of the direction at a depth; 1.0 for a bad direction.
    virtual double GetCrackSpacingAt(double depth, int direction) const;
    virtual double GetHeight() const;
    virtual double GetBottom() const;
    virtual double GetTop() const;
    // Width at a depth. At a region boundary side 0 takes the region above the depth and
    // side 1 the region below it.
    virtual double GetWidthAtSide(double depth, int side) const;
    // Width at a depth, the smaller of the two at a region boundary; 1e-6 outside.
    virtual double GetWidthAt(double depth) const;
    // 1.0 (the beam answers the width enclosed by its stirrups).
    virtual double GetEffectiveWidthAt(double depth, double a, double b) const;
    virtual int GetConcreteTypeCount() const;
    virtual int GetMaxConcreteTypes() const;
    virtual int GetMainConcreteType() const;
    // Resets the creep profiles, trims the shrinkage/thermal profile to the section and
    // zeroes the layers' time-dependent strains.
    virtual int ResetTimeDependentStrains();
    // Count setters: n records (blank ones appended), or one more for n = -1; no guard.
    virtual int SetConcreteTypeCount(int n);
    virtual int GetSteelTypeCount() const;
    virtual int GetMaxSteelTypes() const;
    virtual int GetMainSteelType() const;
    virtual int SetSteelTypeCount(int n);
    virtual int GetRegionCount() const;
    virtual int GetMaxRegions() const;
    virtual int SetRegionCount(int n);
    // Recomputes top, bottom and height from the regions.
    virtual int UpdateExtents();
    // Moves the section to its analysis datum (the bare structure: UpdateExtents only).
    virtual int ShiftToDatum();
    virtual int GetPatternCapacityFor(int x) const;
    virtual int GetPatternCapacity() const;
    virtual int GetPatternDirectionCount() const;
    virtual int CheckPair(int a, int b) const;
    // Layers of a direction; 0 for a direction without layers of that kind, and a message
    // ("No such direction") for a direction outside 0 to 2.
    virtual int GetLongLayerCount(int direction) const;
    virtual int GetMaxLongLayers() const;
    virtual int GetLongDirectionCount() const;
    virtual int SetLongLayerCount(int n, int direction);
    virtual int GetTransLayerCount(int direction) const;
    virtual int GetMaxTransLayers() const;
    virtual int GetTransDirectionCount() const;
    virtual int SetTransLayerCount(int n, int direction);

    // ---- Write guard, modified rule and bookkeeping ----------------------------------------

    // 0 when the structure may be written; when frozen shows "Attempt to write to frozen
    // beam!" and returns 1. An engine copy may always be written.
    int CheckFrozen() const;
    // Sets modified to flag; returns 1.
    int SetModified(int flag);
    int IsModified() const { return m_modified; }
    int IsFrozen() const { return m_frozen; }
    // An analysis freezes the structure while it uses it.
    void SetFrozen(int flag) { m_frozen = flag != 0 ? 1 : 0; }
    // An analysis's own private copy: the analysis engine writes into it (time-dependent
    // strains, sustained loads, long-term materials) while it stays frozen, so a second
    // Prepare still skips validation. Never copied with the structure.
    void SetEngineCopy(int flag) { m_engineCopy = flag != 0 ? 1 : 0; }
    int IsEngineCopy() const { return m_engineCopy; }
    int GetKind() const { return m_kind; }
    const std::string& GetTitle() const { return m_title; }
    int GetConcreteModelSet() const { return m_modelSet; }
    int GetSectionId() const { return m_sectionId; }
    void SetSectionId(int id) { m_sectionId = id; }
    int IsReferenced() const { return m_referenced; }
    void SetReferenced(int flag) { m_referenced = flag; }
    int GetCheckTensionStiffening() const { return m_checkTensionStiffening; }
    // What a document read has met so far; cleared when the root element of a read begins.
    struct ElementReadState {
        bool unservedLayerReported = false; // a layer element of a direction the kind lacks
        bool collectionFull = false;        // an element past the most records of its kind
        bool takingDefaults = false;        // the values set are the definition's defaults
        bool barAreaGiven = false;          // the layer element being read gave its bar's area
        bool barDiameterGiven = false;      // ... and its bar's diameter
        // The outline was read only in part: the first concrete region not read (from 1), and
        // the concrete its row names when the structure does not define it (otherwise the
        // region was one more than the structure holds).
        int unreadRegion = 0;
        std::optional<std::string> unknownConcrete;
        // The first refusal of the layer element being read, told at the element's end, where
        // the layer's own name (its last attribute) is known: the message for that name.
        std::function<std::string(const std::string& name)> layerRefusal;
    };
    ElementReadState& ReadState() { return m_readState; }
    const ElementReadState& ReadState() const { return m_readState; }
    // What a document write works out once for several of its attributes: each curve steel
    // and strand as the document keeps it (by steel index, with the unit system it was kept
    // in). Held only while a DocumentWrite lives, so that no write takes what another worked
    // out.
    struct KeptSteel {
        int unitSystem = 0;
        SteelTypeRec steel;
    };
    struct ElementWriteState {
        bool writing = false;
        std::vector<std::optional<KeptSteel>> keptSteels;
    };
    ElementWriteState& WriteState() { return m_writeState; }
    // The length of one document write: the write state starts empty and is emptied at the
    // end. A write within a write keeps the outer one's.
    class DocumentWrite {
    public:
        explicit DocumentWrite(TStructure& s) : m_s(s), m_outer(s.m_writeState.writing)
        {
            if (!m_outer)
                m_s.m_writeState = ElementWriteState{true, {}};
        }
        ~DocumentWrite()
        {
            if (!m_outer)
                m_s.m_writeState = ElementWriteState();
        }
        DocumentWrite(const DocumentWrite&) = delete;
        DocumentWrite& operator=(const DocumentWrite&) = delete;

    private:
        TStructure& m_s;
        bool m_outer;
    };
    void SetCheckTensionStiffening(int flag) { m_checkTensionStiffening = flag; }

    // Stores newValue in target; true when it moved by tolerance or more. Callers pass
    // kModifiedTolerance for doubles and 1 for integer codes.
    template <typename T> static bool AssignChanged(T& target, T newValue, double tolerance)
    {
        const double change =
            std::fabs(static_cast<double>(target) - static_cast<double>(newValue));
        target = newValue;
        return change >= tolerance;
    }

    // ---- Material types -------------------------------------------------------------------

    // Appends a copy (with its own copy of a user curve). Guarded; 1 when stored.
    int AddConcreteType(const ConcreteTypeRec& record);
    // Appends a default type with f'c = -|strength| and the name, checked with reset; hands
    // the resulting |f'c| back through strength.
    int AddConcreteTypeFromStrength(double& strength, const std::string& name);
    int AddSteelType(const SteelTypeRec& record);
    // Append one blank record; 0 when frozen or out of memory ("Load Error" message).
    int GrowConcreteTypes();
    int GrowSteelTypes();
    int DeleteConcreteTypes();
    int DeleteSteelTypes();
    // Sets the three model codes of type i (not marking modified).
    int SetConcreteModelCodes(int i, int baseCurve, int tensionStiffening, int softening);
    int SetSteelStrengths(int i, double fy, double fu);
    // A non-zero flag sets every type's tension-stiffening code to 7 (factor 0 becomes 1.0).
    int ApplyTensionStiffeningCode(int flag);
    ConcreteTypeRec* GetConcreteType(int i);
    const ConcreteTypeRec* GetConcreteType(int i) const;
    SteelTypeRec* GetSteelType(int i);
    const SteelTypeRec* GetSteelType(int i) const;
    // The steel type of transverse layer i of the direction.
    const SteelTypeRec* GetTransverseSteelType(int i, int direction) const;
    const ConcreteTypeRec* GetCurrentConcreteType() const;
    // The main concrete type (the first when none is marked main); null, without a message,
    // when the structure does not define it (an element read without its concrete).
    const ConcreteTypeRec* FindMainConcreteType() const;
    // The concrete type of the first region holding the depth (0.0001 tolerance); a depth
    // without one shows a diagnostic and answers null.
    const ConcreteTypeRec* GetConcreteTypeAt(double depth) const;
    // The same without a message, for a depth that no region holds and for a region whose type
    // the structure does not define (null).
    const ConcreteTypeRec* FindConcreteTypeAt(double depth) const;
    // Whether some region holds the depth (0.0001 tolerance).
    bool HasRegionAt(double depth) const;
    // Whether some depth between GetBottom and GetTop lies in no region; depth receives the
    // lowest such depth. A structure of no height needs none.
    bool FindDepthWithoutConcrete(double& depth) const;
    // Why the structure cannot be analysed for want of concrete, naming it and the place in the
    // active unit system: for a section the elevations above its bottom, as its outline table
    // shows them, between which it has none ("Section \"T\": No concrete region between
    // elevations 400 and 500 mm. ..."); for a membrane element the depth ("Membrane element
    // \"PV20\": No concrete region at depth -35.0 mm. ..."). A section one of whose regions names a
    // concrete type it does not have is named with that region's elevations first; a membrane
    // element without an outline keeps its thickness, all of it without concrete. Empty when
    // its concrete spans its whole height (a section of no height, without regions, needs none).
    std::string DescribeMissingConcrete() const;
    // Cracking strain of a mesh node of concrete type t whose effective tensile strength is
    // tensileStrength: max(tensileStrength / Ec, ecr) of the type; 0 for a bad type.
    double GetConcreteStrainRatio(int concreteType, double tensileStrength) const;
    int FirstUsedConcreteType() const;
    int FirstUsedPrestressingType() const;
    int FirstUsedSteelType() const;
    int IsConcreteTypeUsed(int t) const;
    int IsSteelTypeUsed(int t) const;
    int CountUsedConcreteTypes() const;
    // Layers of reinforcing (kind 1 or 32767) and prestressing (kind 2) steel; returns 1 when
    // there are none, 2 when one kind occurs, 3 when both do.
    int CountSteelKinds(int& reinforcing, int& prestressing) const;
    // Default and distinct names for the material types.
    int FixMaterialNames();

    // ---- Regions ----------------------------------------------------------------------------

    int AddRegion(double top,
                  double bottom,
                  double topWidth,
                  double bottomWidth,
                  int concreteType,
                  int updateExtents);
    int AddRegion(const ConcreteRegionRec& region, int updateExtents = 1);
    int InsertRegion(const ConcreteRegionRec& region, int index, int updateExtents);
    int DeleteRegions();
    int SetRegionConcreteType(int i, int t);
    ConcreteRegionRec* GetRegion(int i);
    const ConcreteRegionRec* GetRegion(int i) const;

    // ---- Layers -----------------------------------------------------------------------------

    int AddLongLayer(const LongLayerRec& record, int direction);
    int AddTransLayer(const TransLayerRec& record, int direction);
    int GrowLongLayers(int direction);
    int GrowTransLayers(int direction);
    int DeleteLongLayers(int direction);
    int DeleteTransLayers(int direction);
    // Layer i of the direction, or null after a message.
    LongLayerRec* GetLongLayer(int i, int direction);
    const LongLayerRec* GetLongLayer(int i, int direction) const;
    TransLayerRec* GetTransLayer(int i, int direction);
    const TransLayerRec* GetTransLayer(int i, int direction) const;

    int SetLongLayerDepth(int i, double z, int direction);
    int SetLongLayerTitle(int i, const std::string& text, int direction);
    int SetLongLayerSteelType(int i, int t, int direction);
    int SetLongLayerThermStrain(int i, double value, int direction);
    int SetLongLayerState(int i, double value, int direction);
    // Not guarded: the long-term analysis writes it into a frozen copy.
    int SetLongLayerTimeStrain(int i, double value, int direction);
    // Sets index; pattern, nround and aligned unless the value passed is kKeepPatternField.
    int SetLongLayerPattern(int i, int index, int pattern, int nround, int aligned, int direction);
    int ScaleTransLayerArea(int i, double factor, int direction);
    int SetTransLayerTitle(int i, const std::string& text, int direction);
    int SetTransLayerSteelType(int i, int t, int direction);
    int SetTransLayerValue(int i, double value, int direction);
    static constexpr int kKeepPatternField = 32777;

    // Sorts the longitudinal layers of each direction with CompareLongLayers.
    int SortLongLayers();
    // "D6" -> "oD6" and "D10" -> "oD10"; 1 when a title changed.
    int RenameLegacyBarTitles(int direction);
    int RenameLegacyTransBarTitles(int direction);

    // Centroids of the plain (fy <= 750 MPa) and prestressing steel of one half of the
    // section: lowerHalf non-zero gives depths from the top of the lower half's steel,
    // 0 heights above the bottom of the upper half's steel.
    int GetLongSteelCentroids(double& d1,
                              double& d2,
                              double& a1,
                              double& a2,
                              double& f1,
                              double& f2,
                              int lowerHalf,
                              int direction) const;
    // All steel of each half: dLower measured from the top, dUpper from the bottom; a depth
    // is 0 when its area is 0.
    int GetSteelCentroid(
        double& dLower, double& dUpper, double& aLower, double& aUpper, int direction = 0) const;

    // ---- Patterns ---------------------------------------------------------------------------

    // Copies the record into the first free slot of the direction (none free: nothing).
    int StorePattern(const ReinfPatternRec& record, int direction);
    int ClearPatterns(int direction);
    // Slot i of the direction, or null after a message.
    ReinfPatternRec* GetPattern(int i, int direction);
    const ReinfPatternRec* GetPattern(int i, int direction) const;

    // ---- Position variables and depth profiles ---------------------------------------------

    TDepthTable& GetPositionVariable(int k);
    const TDepthTable& GetPositionVariable(int k) const;
    int SetCrackSpacingCurve(const TDepthTable& curve, int direction);
    int SetShrinkThermCurve(const TDepthTable& curve);
    // Imposed strain at a depth (0 outside the section): kind 0 shrinkage/thermal + x creep,
    // 1 + y creep, 2 and 3 shrinkage/thermal, 4 x creep, 5 y creep.
    double GetInitialStrainAt(double depth, int kind) const;
    // The tension-stiffening profile of the direction at a depth; 500.0 for a bad direction.
    double GetTensionStiffFactorAt(double depth, int direction) const;

    // Concrete area between two depths given in either order.
    double ConcreteAreaBetween(double y1, double y2) const;
    // Rebuilds the layers' bond terms and the crack-spacing profiles (nothing at zero height).
    int BuildDepthProfiles();
    int ComputeLayerBondTerms(int direction);
    int BuildLongCrackSpacingProfile(int direction, double spacing);
    double LongCrackSpacingAt(double y, int direction) const;
    int BuildTransCrackSpacingProfile(int direction, double spacing);
    double TransCrackSpacingAt(double y, int side, int direction) const;
    // Tension-stiffening profile X or Y from the longitudinal layers of direction 0 or 1.
    int BuildTensionStiffCurve(int direction);
    // Tension-stiffening profile of the direction (0 X, 1 Y, other Z) from its transverse
    // layers.
    int BuildTransTensionStiffCurve(int direction);
    // The strain discontinuity that a table of (depth, strain step) gives at a depth: 0
    // outside the section, 0 for a table of at most two all-zero points, else interpolated.
    double GetStrainDiscontinuity(const TDepthTable& discontinuity, double depth, int flag) const;

    // ---- Experimental data ------------------------------------------------------------------

    int SetValueList(int i, const double* values, int n);
    // Not guarded.
    int SetValueListFrom(int i, const TdoubleArray& list);
    int CopyValueListsFrom(const TStructure& other);
    int ClearValueLists();
    // 1 and rewound, or 0 when the list is absent.
    int RewindValueList(int i);
    int HasMoreValues(int i) const;
    double NextValue(int i);
    // Null when absent.
    const TdoubleArray* GetValueList(int i) const;

    // ---- Loads and fire data ----------------------------------------------------------------

    int GetIncrementLoads(double* values, int n) const;
    int GetConstantLoads(double* values, int n) const;
    int SetIncrementLoads(const double* values, int n);
    int SetConstantLoads(const double* values, int n);
    int GetFireData(
        int& exposure, int& type, int& rebarperform, double& time, double& constanttemp) const;
    // 1 when any value changed; does not mark modified.
    int SetFireData(int exposure, int type, int rebarperform, double time, double constanttemp);

    // ---- Whole structure --------------------------------------------------------------------

    // Deep copy of another structure's base data, the frozen and modified flags included.
    int CopyFrom(const TStructure& other);
    int ComputeMinCover();

protected:
    // Sets a text field of the kind through the write guard, cut to maxChars; refreshes the
    // title and marks the structure modified when the text changed. Answers 1 on a change.
    int SetTitleText(std::string& field,
                     const std::string& text,
                     std::size_t maxChars = kTitleFieldChars);
    void SetKind(int kind) { m_kind = kind; }
    // Shows a diagnostic message for a refused index or direction.
    static void ReportBadIndex(const char* operation, int index);
    // Diagnostic message for a direction an operation does not serve.
    static void ReportBadDirection(const char* operation, int direction);
    // Element i of items, or null with a diagnostic naming the operation when i lies outside
    // them; the const and non-const accessors share it.
    template <typename Items>
    static auto ItemAt(Items& items, int i, const char* operation) -> decltype(&items[0])
    {
        if (i < 0 || i >= static_cast<int>(items.size())) {
            ReportBadIndex(operation, i);
            return nullptr;
        }
        return &items[static_cast<std::size_t>(i)];
    }
    // True when the direction has longitudinal (transverse) layers in this kind.
    bool ServesLongDirection(int direction) const;
    bool ServesTransDirection(int direction) const;
    bool IsMembrane() const { return m_kind == kKindShell; }

    // Width rules over the regions (no caching), which the bare structure answers with.
    double RegionWidthAtSide(double depth, int side) const;
    double RegionWidthAt(double depth) const;

    std::vector<ConcreteRegionRec>& Regions() { return m_regions; }
    std::vector<LongLayerRec>& LongLayers(int direction);
    std::vector<TransLayerRec>& TransLayers(int direction);

private:
    // The longitudinal layers of one direction ordered by elevation (TStructureDepthProfiles.cpp).
    struct LayerOrder;
    double LongCrackSpacingAt(double y, const LayerOrder& order) const;
    void RepairLongLayers();
    void SetTransLayerLegs();
    int TopTransDirection() const { return 3 - GetTransDirectionCount(); }
    std::vector<ReinfPatternRec>* PatternArray(int direction);
    const std::vector<ReinfPatternRec>* PatternArray(int direction) const;
    // Layer i of direction d of a per-direction layer array, null with a diagnostic for a
    // direction or index outside it.
    template <typename ByDirection>
    static auto LayerAt(ByDirection& layers, int i, int direction, const char* operation)
        -> decltype(&layers[0][0]);
    // The pattern slots of direction 0 or 1, null when the direction has none.
    template <typename Slots>
    static auto SlotsOf(Slots& patterns, int direction) -> decltype(&patterns[0]);
    // Slot i of a direction's pattern slots, null with a diagnostic when there is none.
    template <typename Slots>
    static auto PatternAt(Slots& patterns, int i, int direction) -> decltype(&patterns[0][0]);
    // The per-layer setters' one write guard: while the structure is frozen, or for a bad
    // direction or index, nothing changes and the answer is 0; otherwise edit is applied to
    // layer i of the direction (a LongLayerRec or TransLayerRec) and the answer is 1.
    template <typename Layer, typename Edit> int EditLayer(int i, int direction, Edit edit);
    double AggregateAt(double y) const;
    std::array<double, kTensionStiffDepths> TensionStiffDepths() const;
    void ApplyModelSetRow(int i, int code);

    std::string m_title;
    std::string m_university;
    std::string m_doneBy;
    std::string m_name;
    int m_modified = 0;
    int m_frozen = 0;
    int m_engineCopy = 0; // not copied: every copy is a user's structure until marked
    int m_kind = kKindBare;
    std::vector<ConcreteTypeRec> m_concreteTypes;
    int m_modelSet = 15;
    std::vector<SteelTypeRec> m_steelTypes;
    std::vector<ConcreteRegionRec> m_regions;
    std::array<std::vector<LongLayerRec>, 2> m_longLayers;
    std::array<std::vector<TransLayerRec>, 3> m_transLayers;
    std::array<TDepthTable, kPositionVariableCount> m_positionVariables;
    std::array<std::unique_ptr<TdoubleArray>, kValueListCount> m_valueLists;
    LoadVector m_incrementLoads{};
    LoadVector m_constantLoads{};
    FireData m_fireData;
    int m_sectionId = 0;
    int m_referenced = 0;
    int m_checkTensionStiffening = 1;
    ElementReadState m_readState;
    ElementWriteState m_writeState;
    std::array<std::vector<ReinfPatternRec>, 2> m_patterns;
    double m_minCover = 0.0;
    int m_coverFace = 0;

    // The bare structure's own answers to the per-kind operations.
    double m_bareTop = 0.0;
    double m_bareBottom = 0.0;
    std::array<double, 3> m_bareCrackSpacing{-1.0, -1.0, -1.0};
};
