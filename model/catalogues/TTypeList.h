#pragma once
// Working copy of a list of named material or reinforcement types.
//
// The material and reinforcement input pages fill a TTypeList from the structure, let the
// user add, modify, delete and sort entries, and write the list back when the page applies.
// Each entry is a fixed record of ten values, ten "unset" marks, four codes and a name,
// paired with a TDepthTable curve (a user stress-strain curve or another position-dependent
// value). Curve i always belongs to entry i.
//
// Storage grows in steps of ten entries. Reads outside the list never touch storage: Get
// answers an error entry, Entry and Curve answer a scratch slot that is reset on every such
// access, so a write through it changes nothing that later readers see.

#include <array>
#include <string>
#include <vector>

#include "foundation/TDepthTable.h"

// Mark written into every unset field of a new entry.
inline constexpr int kTypeUnsetMark = 55555;
// Longest name an entry keeps (the stored field holds 50 characters with its terminator).
inline constexpr std::size_t kTypeNameMaxChars = 49;
// Entries added per growth step.
inline constexpr int kTypeListGrowStep = 10;
// Storage is never grown beyond this many entries; a larger request fails like an
// allocation failure. The pages allow 1000 entries.
inline constexpr int kTypeListStorageLimit = 100000;

struct TypeListRec {
    std::array<double, 10> values{}; // the type's parameters (pages use the first six)
    std::array<int, 10> unset{};     // kTypeUnsetMark when added; pages store AUTO flags here
    std::array<int, 4> codes{};      // the type's model or catalogue codes
    int originalIndex = 0;           // position before the last SortByName
    std::string name;                // at most kTypeNameMaxChars characters

    bool operator==(const TypeListRec&) const = default;
};

class TTypeList {
public:
    using ShownValues = std::array<double, 6>;
    using AllValues = std::array<double, 10>;
    using Codes = std::array<int, 4>;

    // An empty list; maximum is the most entries the pages allow (the list does not check it).
    explicit TTypeList(int maximum);

    // Appends an entry with values 6-9 set to 0; see AddFull.
    [[nodiscard]] int Add(const ShownValues& values, const Codes& codes, const std::string& name);
    // Appends an entry (growing by ten when full), marks its unset fields, makes it current.
    // Answers 1, or 0 when the list could not grow (nothing added).
    [[nodiscard]] int AddFull(const AllValues& values, const Codes& codes, const std::string& name);
    // Enlarges the storage by n entries. Answers 1, or 0 after "Out of Memory.  New type not
    // added." when the storage could not grow (the list unchanged).
    [[nodiscard]] int Grow(int n);
    // Sorts the entries by name without regard to case; each curve stays with its entry.
    void SortByName();
    // Removes an entry and its curve. A negative index names the current entry; any other
    // index outside 0 .. count-1 is ignored.
    void Delete(int index);
    // Copies the first six values, the codes and the name of an entry (a negative index names
    // the current entry). Outside the list the outputs are the error entry: values -1.0,
    // codes -1, name "Error: outside range".
    void Get(int index, ShownValues& values, Codes& codes, std::string& name) const;

    // Checked access to an entry or its curve; a negative index names the current entry.
    // Outside the list: a scratch entry named by the error text, or an empty scratch curve.
    TypeListRec& Entry(int index);
    const TypeListRec& Entry(int index) const;
    TDepthTable& Curve(int index);
    const TDepthTable& Curve(int index) const;

    int GetCount() const { return count; }
    int GetCapacity() const { return capacity; }
    int GetMaximum() const { return maximum; }
    void SetMaximum(int newMaximum) { maximum = newMaximum; }
    // Index of the current entry; -1 or an index past the end when there is none.
    int GetCurrent() const { return current; }
    // Makes an entry current; an index past the end names the last entry, a negative one
    // (or any index of an empty list) leaves no current entry (-1).
    void SetCurrent(int index);
    bool IsValidIndex(int index) const { return index >= 0 && index < count; }
    const std::string& GetErrorText() const { return errorText; }

private:
    int Resolve(int index) const { return index < 0 ? current : index; }
    // Entry (curve) of an index for the const and non-const accessors alike: a read outside
    // the list answers the scratch slot, reset first.
    template <typename List>
    static auto EntryOf(List& list, int index) -> decltype(list.entries[0]);
    template <typename List> static auto CurveOf(List& list, int index) -> decltype(list.curves[0]);

    std::vector<TypeListRec> entries; // capacity records, the first count in use
    std::vector<TDepthTable> curves;  // capacity curves, curve i belonging to entry i
    int count = 0;
    int capacity = 0;
    int maximum = 0;
    int current = 0;
    std::string errorText = "Storage Error: Out of Range";

    mutable TypeListRec m_scratchEntry;
    mutable TDepthTable m_scratchCurve;
};
