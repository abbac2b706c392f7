#include "model/catalogues/TTypeList.h"

#include <algorithm>
#include <cctype>
#include <new>
#include <numeric>
#include <stdexcept>
#include <utility>

#include "foundation/NameText.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"

namespace {

// Case-blind comparison of two names: -1, 0 or 1.
int CompareNamesNoCase(const std::string& a, const std::string& b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

} // namespace

TTypeList::TTypeList(int maximumEntries) : maximum(maximumEntries)
{
}

int TTypeList::Add(const ShownValues& values, const Codes& codes, const std::string& name)
{
    AllValues all{};
    std::copy(values.begin(), values.end(), all.begin());
    return AddFull(all, codes, name);
}

int TTypeList::AddFull(const AllValues& values, const Codes& codes, const std::string& name)
{
    if (count == capacity && !Grow(kTypeListGrowStep))
        return 0;
    TypeListRec& rec = entries[static_cast<std::size_t>(count)];
    rec.values = values;
    rec.unset.fill(kTypeUnsetMark);
    rec.codes = codes;
    rec.name = NameText(name, kTypeNameMaxChars);
    // The curve keeps whatever the slot holds (an empty table); the page fills it.
    current = count;
    ++count;
    return 1;
}

int TTypeList::Grow(int n)
{
    if (n <= 0)
        return 0;
    bool grown = false;
    if (n <= kTypeListStorageLimit - capacity) {
        const auto newCapacity = static_cast<std::size_t>(capacity + n);
        try {
            // The records move into storage reserved geometrically, so that a list of
            // thousands of entries (an exploded pattern) is not copied at every step.
            if (entries.capacity() < newCapacity)
                entries.reserve(std::max(newCapacity, 2 * entries.capacity()));
            if (curves.capacity() < newCapacity)
                curves.reserve(std::max(newCapacity, 2 * curves.capacity()));
            // Nothing can fail from here on. Slots past the entries in use start empty.
            entries.resize(newCapacity);
            curves.resize(newCapacity);
            for (std::size_t i = static_cast<std::size_t>(count); i < newCapacity; ++i) {
                entries[i] = TypeListRec{};
                curves[i] = TDepthTable{};
            }
            capacity += n;
            grown = true;
        } catch (const std::bad_alloc&) {
        } catch (const std::length_error&) {
        }
    }
    if (!grown) {
        ShowMessage("Out of Memory.  New type not added.",
                    "Out of Memory",
                    MsgStyle::OkCancel | MsgStyle::IconExclamation);
        return 0;
    }
    return 1;
}

void TTypeList::SortByName()
{
    const auto n = static_cast<std::size_t>(count);
    for (std::size_t i = 0; i < n; ++i)
        entries[i].originalIndex = static_cast<int>(i);
    // Stable, so entries whose names differ only in case keep their order.
    std::stable_sort(entries.begin(),
                     entries.begin() + count,
                     [](const TypeListRec& a, const TypeListRec& b) {
                         return CompareNamesNoCase(a.name, b.name) < 0;
                     });
    std::vector<TDepthTable> aside(n);
    for (std::size_t i = 0; i < n; ++i)
        aside[i] = std::move(curves[i]);
    for (std::size_t i = 0; i < n; ++i)
        curves[i] = std::move(aside[static_cast<std::size_t>(entries[i].originalIndex)]);
}

void TTypeList::Delete(int index)
{
    const int at = Resolve(index);
    if (!IsValidIndex(at))
        return;
    const auto first = static_cast<std::size_t>(at);
    const auto last = static_cast<std::size_t>(count - 1);
    for (std::size_t i = first; i < last; ++i) {
        entries[i] = std::move(entries[i + 1]);
        curves[i] = std::move(curves[i + 1]);
    }
    entries[last] = TypeListRec{};
    curves[last] = TDepthTable();
    --count;
    if (current > count - 1)
        --current;
}

void TTypeList::Get(int index, ShownValues& values, Codes& codes, std::string& name) const
{
    values.fill(-1.0);
    codes.fill(-1);
    name = "Error: outside range";
    const int at = Resolve(index);
    if (!IsValidIndex(at))
        return;
    const TypeListRec& rec = entries[static_cast<std::size_t>(at)];
    std::copy_n(rec.values.begin(), values.size(), values.begin());
    codes = rec.codes;
    name = rec.name;
}

template <typename List> auto TTypeList::EntryOf(List& list, int index) -> decltype(list.entries[0])
{
    const int at = list.Resolve(index);
    if (list.IsValidIndex(at))
        return list.entries[static_cast<std::size_t>(at)];
    list.m_scratchEntry = TypeListRec{};
    list.m_scratchEntry.name = list.errorText;
    return list.m_scratchEntry;
}

template <typename List> auto TTypeList::CurveOf(List& list, int index) -> decltype(list.curves[0])
{
    const int at = list.Resolve(index);
    if (list.IsValidIndex(at))
        return list.curves[static_cast<std::size_t>(at)];
    list.m_scratchCurve = TDepthTable();
    return list.m_scratchCurve;
}

TypeListRec& TTypeList::Entry(int index)
{
    return EntryOf(*this, index);
}

const TypeListRec& TTypeList::Entry(int index) const
{
    return EntryOf(*this, index);
}

TDepthTable& TTypeList::Curve(int index)
{
    return CurveOf(*this, index);
}

const TDepthTable& TTypeList::Curve(int index) const
{
    return CurveOf(*this, index);
}

void TTypeList::SetCurrent(int index)
{
    if (index < 0 || count == 0)
        current = -1;
    else
        current = std::min(index, count - 1);
}
