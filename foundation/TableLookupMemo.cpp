#include "foundation/TableLookupMemo.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace {

bool SameBits(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool SamePairs(const std::vector<DepthPair>& a, const std::vector<DepthPair>& b)
{
    static_assert(sizeof(DepthPair) == 2 * sizeof(double));
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(DepthPair)) == 0);
}

} // namespace

void TTableLookupMemo::Begin(const TDepthTable* table)
{
    m_table = table;
    if (table == nullptr)
        return;
    const std::vector<DepthPair>& pairs = table->Pairs();
    if (SamePairs(pairs, m_pairs))
        return;
    m_pairs.assign(pairs.begin(), pairs.end());
    Forget();
    m_keepable = !pairs.empty();
    for (std::size_t i = 0; i < pairs.size() && m_keepable; ++i)
        m_keepable = pairs[i].z == pairs[i].z && (i == 0 || pairs[i - 1].z >= pairs[i].z);
    if (m_keepable) {
        m_upper = pairs.front().z;
        m_lower = pairs.back().z;
    }
}

void TTableLookupMemo::Forget()
{
    if (m_kept > 0 || m_entries.size() != kSlots)
        m_entries.assign(kSlots, Entry{});
    m_kept = 0;
}

TTableLookupMemo::Entry& TTableLookupMemo::Slot(double depth, int cache)
{
    std::uint64_t bits = std::bit_cast<std::uint64_t>(depth) ^
                         static_cast<std::uint64_t>(static_cast<std::uint32_t>(cache));
    bits ^= bits >> 33;
    bits *= 0xff51afd7ed558ccdULL;
    bits ^= bits >> 33;
    std::size_t i = static_cast<std::size_t>(bits) & (kSlots - 1);
    while (m_entries[i].kept &&
           !(SameBits(m_entries[i].depth, depth) && m_entries[i].cache == cache))
        i = (i + 1) & (kSlots - 1);
    if (!m_entries[i].kept && ++m_kept > kSlots / 2) {
        // Half full: start again, so that every search ends at an empty slot.
        Forget();
        return Slot(depth, cache);
    }
    return m_entries[i];
}

double TTableLookupMemo::At(double depth)
{
    if (m_table == nullptr)
        return 0.0;
    // Only depths inside the range are kept: outside it the table reports.
    if (!m_keepable || !(depth >= m_lower && depth <= m_upper))
        return m_table->InterpolateAtDepth(depth);
    const int cache = m_table->GetCacheIndex();
    Entry& e = Slot(depth, cache);
    if (e.kept) {
        ++m_reused;
        return e.value;
    }
    const double value = m_table->InterpolateAtDepth(depth);
    // A look-up that moved the cache is not kept (the slot stays empty: it is counted as
    // taken until the memo is emptied, which only starts the emptying a little earlier).
    if (m_table->GetCacheIndex() == cache) {
        e.kept = true;
        e.depth = depth;
        e.cache = cache;
        e.value = value;
    }
    return value;
}
