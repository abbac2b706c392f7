#pragma once
// The reinforcement list pages and their working lists: individual longitudinal layers
// (TGen_Lon), circular and distributed bar patterns (TGen_Circ, TGen_Distribute), tendons
// (TGen_Ten) and transverse layers (TGen_Tra).
//
// Heights in the lists are measured from the bottom of the section (TStructure::GetBottom),
// areas are m^2. Entries of the longitudinal lists:
//   individual  value 0 bars, 1 bar area, 3 height, 4 prestrain, 6 thermal strain
//   circular    value 0 bars in the circle, 1 bar area, 3 centre height, 4 diameter on centres;
//               code 0 orientation (0 aligned, 1 offset)
//   distributed value 0 bars per layer, 1 bar area, 3 number of layers, 4 and 5 the end heights
//   tendon      value 0 strands, 1 strand area, 3 prestrain, 4 height, 5 slope
// code 1 is the steel type, code 2 the bar's catalogue index (-1 given by area), code 3 the
// layer's index or the pattern's slot. Transverse entries: value 0 spacing, 1 leg area, 3 and 4
// the end heights, 6 the layer's imposed strain; code 0 the position in the "Bar Type" list.

#include <array>
#include <memory>
#include <vector>

#include "dialogs/ListEditor.h"

class TStructure;

// The working lists of the longitudinal reinforcement sheet; any may be absent.
struct TLongLists {
    std::unique_ptr<TTypeList> individual;
    std::unique_ptr<TTypeList> circular;
    std::unique_ptr<TTypeList> distributed;
    std::unique_ptr<TTypeList> tendons;
};

// One layer of bars that a pattern produces: its height above the section bottom and bars.
struct PatternLayer {
    double height = 0.0;
    int bars = 0;
};

// Layers of a circular entry; an entry of 0 bars is first set to 3 bars.
std::vector<PatternLayer> CircularPatternLayers(TypeListRec& entry);
// The same layers with the entry left as it stands (0 bars laid out as 3).
std::vector<PatternLayer> CircularLayout(const TypeListRec& entry);
// Layers of a distributed entry; 0 bars per layer are first set to 1.
std::vector<PatternLayer> DistributedPatternLayers(TypeListRec& entry);

// The four lists of a direction as the structure holds them (tendons: direction 0 only).
TLongLists BuildLongLists(const TStructure& s, int direction);
// Rebuilds the direction's layers and patterns from the lists (tendons go to direction 0).
// 0 when the structure is frozen.
int WriteBackLongLists(TStructure& s, TLongLists& lists, int direction);
// The page to start on: the kind with most layers in the structure, individual on a tie
// (0 individual, 1 circular, 2 distributed).
int LongitudinalStartPage(const TStructure& s, int direction);

// Transverse layers of a direction, and their write-back.
std::unique_ptr<TTypeList> BuildTransList(const TStructure& s, int direction);
int WriteBackTransList(TStructure& s, const TTypeList& list, int direction);
// "Bar Type" positions and the stirrup type numbers they stand for.
extern const std::array<const char*, 6> kStirrupNames;
extern const std::array<int, 6> kStirrupTypeOfPosition;
int StirrupPositionOfType(int type);

// Base of the reinforcement pages: the structure and the page's working list.
class TReinfPage : public TGen_Base {
public:
    TReinfPage(TTypeList& list, TStructure& structure, int direction, int initialSelection);

protected:
    // Field layout: labels, unit kinds, decimals [system][field] and examples.
    void SetFields(const std::array<const char*, 6>& labels, const std::array<int, 6>& kinds,
                   const int (&decimals)[3][6], const double (&examples)[3][6]);
    // The bar selector in the mode given, the layer name limit, and the working list.
    void UseBarsAndList(int barMode);

    TTypeList& m_workList;
    TStructure& m_structure;
};

// Base of the longitudinal pages: adds the sheet's lists.
class TLongPage : public TReinfPage {
public:
    TLongPage(TLongLists& lists, TTypeList& list, TStructure& structure, int direction, int initialSelection);

protected:
    // Texts shared by the bar pages; steelLabel names drop-down 5070.
    void ConfigureBars(const char* steelLabel, int barMode);
    void Warn(const char* text);
    // Adds an exploded layer of the name to the individual list, with the data of the
    // structure's layer sourceLayer (-1: none); sameLayer: it is that layer, at its height.
    void AddExplodedLayer(const TypeListRec& pattern, const std::string& name, double height, int bars,
                          int sourceLayer, bool sameLayer);
    // Asks, then turns the shown pattern entry into individual layers and leaves the pattern;
    // patternCode is the code of the pattern's layers in the structure.
    void ExplodeLayers(std::vector<PatternLayer> (*layersOf)(TypeListRec&), int patternCode);
    // The pattern's shown entry leaves its list; the individual page is shown.
    void FinishExplode();
    // A pattern list's maximum: the room left under layerLimit beside the other lists, or
    // only its present count when less than a thousand layers are left; never more than the
    // pattern slots the other pattern list leaves free.
    void SetPatternCapacity(int layerLimit, int otherPatternLayers, const TTypeList* otherPatterns);
    // Layers of the circular entries; takeDefault: a circle of 0 bars is set to its 3 bars in
    // the list (as activating a page does), else it is counted as 3 and left as it stands.
    int CircularLayerCount(bool takeDefault);
    int DistributedLayerCount();
    int IndividualCount() const;
    int TendonCount() const;
    // Counts of bars and layers are whole numbers up to a pattern's most bars.
    TypedRange FieldRange(int field) const override;
    // A pattern of the given layers must fit the layers left under layerLimit (the replaced
    // entry's own layers given back): the refusal names the field.
    TypedRefusal CheckPatternRoom(int layers, int layerLimit, int replacing, int replacedLayers, int field);

    TLongLists& m_lists;
    std::array<bool, 6> m_countField{};
};

class TGen_Lon : public TLongPage {
public:
    using TLongPage::TLongPage;

protected:
    void Configure() override;
    int ValidateEntry() override;
    void UpdateCapacity() override;
};

class TGen_Circ : public TLongPage {
public:
    using TLongPage::TLongPage;

protected:
    void Configure() override;
    int ValidateEntry() override;
    void ExplodePattern() override;
    void UpdateCapacity() override;
    TypedRefusal CheckEntrySize(const TTypeList::AllValues& values, int replacing) override;
};

class TGen_Distribute : public TLongPage {
public:
    using TLongPage::TLongPage;

protected:
    void Configure() override;
    int ValidateEntry() override;
    void ExplodePattern() override;
    void UpdateCapacity() override;
    TypedRefusal CheckEntrySize(const TTypeList::AllValues& values, int replacing) override;
};

class TGen_Ten : public TLongPage {
public:
    using TLongPage::TLongPage;

protected:
    void Configure() override;
    int ValidateEntry() override;
    void UpdateCapacity() override;
};

class TGen_Tra : public TReinfPage {
public:
    TGen_Tra(TTypeList& list, TStructure& structure, int initialSelection, int direction);

protected:
    void Configure() override;
};
