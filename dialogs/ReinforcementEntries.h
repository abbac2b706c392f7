#pragma once
// What the reinforcement pages and their working lists share: list entries and the bar data
// they stand for, and which of a structure's pattern layers their pattern records show.

#include <initializer_list>
#include <string>
#include <vector>

#include "dialogs/ListEditor.h"
#include "model/StructureRecords.h"

class TStructure;

namespace reinf_entries {

// A typed or stored count of bars or layers; never more than a pattern holds.
int Bars(double value);
double CatalogueDiameter(int barIndex, double area);
std::string CatalogueName(int barIndex);
// The catalogue index an entry gives a layer's bar: the layer's own while its bar is that
// catalogue bar, of the catalogue's area and diameter; -1 for any other bar, such as one of its
// own size under a catalogue title (an older file's "20M" of 500 mm^2), which the pages then
// show by its area. The bar an entry was read as is the layer's bar as it stands.
int ShownBarIndex(int barIndex, double area, double diameter);
template <class Layer> int ShownBarIndex(const Layer& layer) {
    return ShownBarIndex(layer.barIndex, layer.Ai, layer.db);
}
// The bar of an entry (area, catalogue index, diameter and title) put on a layer.
void TakeBar(LongLayerRec& layer, const TypeListRec& entry);
// A blank layer with the bar data, steel type and name of an entry.
LongLayerRec BarLayer(const TypeListRec& entry);
TTypeList::AllValues Values(std::initializer_list<double> v);
// Appends an entry whose values all count as typed.
void AddEntry(TTypeList& list, const TTypeList::AllValues& values, const TTypeList::Codes& codes,
              const std::string& name);

// The entry values of a circular and of a distributed pattern record, and the orientation code.
TTypeList::AllValues CircularValues(const ReinfPatternRec& p, double bottom);
TTypeList::AllValues DistributedValues(const ReinfPatternRec& p, double bottom);
int OrientationCode(const ReinfPatternRec& p);

// For each layer of the direction, whether its pattern's entry shows it: the layer belongs to
// a pattern whose record (a circle of direction x, a distributed pattern of the direction)
// gives back every layer of that pattern as it stands, bars, area, steel and height. Any other
// layer (a plain layer, one of a pattern without a record, or of a pattern whose layers hold
// other bars than the record gives) is shown as a layer of its own.
std::vector<bool> LayersShownByPattern(const TStructure& s, int direction);

} // namespace reinf_entries
