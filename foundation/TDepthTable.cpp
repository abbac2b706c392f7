#include "foundation/TDepthTable.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <exception>

#include "foundation/Reporter.h"
#include "foundation/SmallSolvers.h"
#include "foundation/StrFormat.h"

namespace {

const char* const kCaption = "Tab_util";
// Distance within which a query counts as being at an end pair.
constexpr double kEndTolerance = 1e-4;
// Distance within which two depths count as the same pair.
constexpr double kSameDepth = 1e-6;
constexpr int kMaxBisectionRounds = 30;

void ReportError(const std::string& text)
{
    ShowMessage(text, kCaption, MsgStyle::Ok | MsgStyle::IconStop);
}

} // namespace

double LinearInterpolate(double za, double va, double zb, double vb, double z)
{
    if (za == zb)
        return (va + vb) / 2.0;
    return vb + (va - vb) * (z - zb) / (za - zb);
}

// --- construction and copying --------------------------------------------------------------

TDepthTable::TDepthTable() = default;

TDepthTable::TDepthTable(const std::string& name) : m_name(BoundedCopy(name, kMaxNameLength))
{
}

TDepthTable::TDepthTable(const TDepthTable& other)
{
    Assign(other);
}

TDepthTable::TDepthTable(TDepthTable&& other) noexcept
    : m_pairs(std::move(other.m_pairs)), m_capacity(other.m_capacity), m_cache(other.m_cache),
      m_name(std::move(other.m_name)), m_sorted(other.m_sorted)
{
    other.m_pairs.clear();
    other.m_capacity = 0;
    other.m_cache = -1;
    other.m_sorted = false;
}

TDepthTable& TDepthTable::operator=(const TDepthTable& other)
{
    Assign(other);
    return *this;
}

TDepthTable& TDepthTable::operator=(TDepthTable&& other) noexcept
{
    if (this != &other) {
        m_pairs = std::move(other.m_pairs);
        m_capacity = other.m_capacity;
        m_cache = other.m_cache;
        m_name = std::move(other.m_name);
        m_sorted = other.m_sorted;
        other.m_pairs.clear();
        other.m_capacity = 0;
        other.m_cache = -1;
        other.m_sorted = false;
    }
    return *this;
}

void TDepthTable::Assign(const TDepthTable& other)
{
    if (this == &other)
        return;
    std::vector<DepthPair> pairs;
    pairs.reserve(static_cast<std::size_t>(other.m_capacity));
    pairs.assign(other.m_pairs.begin(), other.m_pairs.end());
    m_pairs = std::move(pairs);
    m_capacity = other.m_capacity;
    m_cache = other.m_cache;
    m_name = other.m_name;
    m_sorted = other.m_sorted;
}

void TDepthTable::Assign(const TDepthTable* other)
{
    if (other) {
        Assign(*other);
        return;
    }
    m_pairs.clear();
    m_cache = -1;
}

// --- access ----------------------------------------------------------------------------------

void TDepthTable::SetName(const std::string& name)
{
    m_name = BoundedCopy(name, kMaxNameLength);
}

double TDepthTable::GetDepth(int i) const
{
    return i >= 0 && i < GetCount() ? m_pairs[static_cast<std::size_t>(i)].z : kNoPair;
}

double TDepthTable::GetValue(int i) const
{
    return i >= 0 && i < GetCount() ? m_pairs[static_cast<std::size_t>(i)].v : kNoPair;
}

void TDepthTable::Clear()
{
    m_pairs.clear();
    m_cache = -1;
}

// --- editing ---------------------------------------------------------------------------------

void TDepthTable::Add(double z, double v)
{
    m_sorted = false;
    if (m_capacity - GetCount() <= 1) {
        bool grown = false;
        if (m_capacity <= INT_MAX - kGrowth) {
            // The storage under the capacity grows geometrically where memory allows, so that
            // a table of many thousand pairs is not copied at every step of kGrowth.
            const std::size_t want = static_cast<std::size_t>(m_capacity + kGrowth);
            for (std::size_t size : {std::max(want, 2 * m_pairs.capacity()), want}) {
                try {
                    if (m_pairs.capacity() < want)
                        m_pairs.reserve(size);
                    grown = true;
                    break;
                } catch (const std::exception&) {
                    grown = false; // reserve leaves the pairs as they were
                }
            }
        }
        if (!grown) {
            ShowMessage("Out of Table Memory", kCaption);
            return;
        }
        m_capacity += kGrowth;
    }
    m_pairs.push_back({z, v});
}

void TDepthTable::SetValue(int i, double v)
{
    if (i >= 0 && i < GetCount())
        m_pairs[static_cast<std::size_t>(i)].v = v;
}

void TDepthTable::SetDepth(int i, double z)
{
    if (i >= 0 && i < GetCount()) {
        m_pairs[static_cast<std::size_t>(i)].z = z;
        m_sorted = false;
    }
}

bool TDepthTable::Delete(int i)
{
    if (i < 0 || i >= GetCount()) {
        ShowMessage("Attempt to delete nonexisting list item", kCaption);
        return false;
    }
    m_pairs.erase(m_pairs.begin() + i);
    return true;
}

void TDepthTable::RemoveAt(int i)
{
    if (i >= 0 && i < GetCount())
        m_pairs.erase(m_pairs.begin() + i);
}

namespace {

// A stable sort that takes the leading run already in order as it stands: only the pairs after
// it are sorted and merged in (most tables are sorted again with a few pairs added at the end).
// The order is the one a stable sort of the whole gives.
template <typename Before> void SortAfterOrderedRun(std::vector<DepthPair>& pairs, Before before)
{
    const auto run = std::is_sorted_until(pairs.begin(), pairs.end(), before);
    if (run == pairs.end())
        return;
    std::stable_sort(run, pairs.end(), before);
    std::inplace_merge(pairs.begin(), run, pairs.end(), before);
}

} // namespace

void TDepthTable::Sort(int mode)
{
    // NaN depths are kept together at the end of a descending table (start of an ascending
    // one) so that the comparison stays a strict weak order.
    if (mode == 1) {
        SortAfterOrderedRun(m_pairs, [](const DepthPair& a, const DepthPair& b) {
            return a.z > b.z || (!std::isnan(a.z) && std::isnan(b.z));
        });
    } else {
        SortAfterOrderedRun(m_pairs, [](const DepthPair& a, const DepthPair& b) {
            return a.z < b.z || (std::isnan(a.z) && !std::isnan(b.z));
        });
    }
    m_sorted = true;
}

bool TDepthTable::ScaleDepths(double factor)
{
    for (DepthPair& p : m_pairs)
        p.z *= factor;
    return true;
}

bool TDepthTable::ScaleValues(double factor)
{
    for (DepthPair& p : m_pairs)
        p.v *= factor;
    return true;
}

bool TDepthTable::AddLinear(double a, double b)
{
    for (DepthPair& p : m_pairs)
        p.v += a * p.z + b;
    return true;
}

bool TDepthTable::AddScaledTable(const TDepthTable& other, double factor)
{
    if (&other == this) {
        const TDepthTable source(other); // read the values as they were before the change
        return AddScaledTable(source, factor);
    }
    for (DepthPair& p : m_pairs)
        p.v += factor * other.InterpolateAtDepth(p.z);
    return true;
}

int TDepthTable::SetToIntegralOf(const TDepthTable& other)
{
    const std::vector<DepthPair> source = other.m_pairs; // other may be this table
    Clear();
    if (source.empty())
        return 1;
    double running = 0.0;
    Add(source[0].z, running);
    for (std::size_t i = 1; i < source.size(); ++i) {
        running += (source[i].v + source[i - 1].v) / 2.0 * (source[i].z - source[i - 1].z);
        Add(source[i].z, running);
    }
    return 1;
}

// --- interpolation ---------------------------------------------------------------------------

TDepthTable::Ends TDepthTable::EndPairs() const
{
    const int last = GetCount() - 1;
    if (m_pairs[static_cast<std::size_t>(last)].z > m_pairs[0].z)
        return {last, 0};
    return {0, last};
}

bool TDepthTable::AtEndOrOutside(double z, const Ends& ends, int& endIndex, double& answer) const
{
    const double zUpper = m_pairs[static_cast<std::size_t>(ends.upper)].z;
    const double zLower = m_pairs[static_cast<std::size_t>(ends.lower)].z;
    endIndex = -1;
    if (std::fabs(zUpper - z) < kEndTolerance) {
        endIndex = ends.upper;
        return true;
    }
    if (std::fabs(zLower - z) < kEndTolerance) {
        endIndex = ends.lower;
        return true;
    }
    if (z > zUpper || z < zLower) {
        ReportError(
            StrPrintf("Out of depth range in table: var %s, depth %5.3f", m_name.c_str(), z));
        answer = -1.0;
        return true;
    }
    return false;
}

bool TDepthTable::Bisect(double z, const Ends& ends, bool stopAtExact, int& k, int& exact) const
{
    // The bounds start at the end pairs and close in on z from its two sides; the next
    // probe is the integer mean of the last probe and the bound that did not move.
    int lowerBound = ends.lower;
    int upperBound = ends.upper;
    int mid = (GetCount() - 1) / 2;
    exact = -1;
    for (int round = 0; round < kMaxBisectionRounds; ++round) {
        if (std::abs(upperBound - lowerBound) <= 1) {
            k = std::min(upperBound, lowerBound);
            return upperBound != lowerBound;
        }
        const double zMid = m_pairs[static_cast<std::size_t>(mid)].z;
        if (stopAtExact && zMid == z) {
            exact = mid;
            k = mid;
            return true;
        }
        if (z >= zMid) {
            lowerBound = mid;
            mid = (mid + upperBound) / 2;
        } else {
            upperBound = mid;
            mid = (mid + lowerBound) / 2;
        }
    }
    return false;
}

void TDepthTable::ReportNoAnswer(double z) const
{
    ReportError(StrPrintf("No answer in table: %s, depth %5.3f", m_name.c_str(), z));
}

double TDepthTable::InterpolateAtDepth(double z) const
{
    if (m_pairs.empty())
        return 0.0;
    const Ends ends = EndPairs();
    // The checks of AtEndOrOutside, written out: this runs for every node of every layer
    // solution. Only a depth outside the range goes through it, for its report.
    const DepthPair& upper = m_pairs[static_cast<std::size_t>(ends.upper)];
    const DepthPair& lower = m_pairs[static_cast<std::size_t>(ends.lower)];
    if (std::fabs(upper.z - z) < kEndTolerance)
        return upper.v;
    if (std::fabs(lower.z - z) < kEndTolerance)
        return lower.v;
    if (z > upper.z || z < lower.z) {
        int endIndex = -1;
        double answer = 0.0;
        AtEndOrOutside(z, ends, endIndex, answer);
        return endIndex >= 0 ? m_pairs[static_cast<std::size_t>(endIndex)].v : answer;
    }

    // Interval k holds z when z_k >= z >= z_k+1 (descending order).
    const int count = GetCount();
    auto tryInterval = [&](int k, double& v) {
        if (k < 0 || k >= count - 1)
            return false;
        const DepthPair& a = m_pairs[static_cast<std::size_t>(k)];
        const DepthPair& b = m_pairs[static_cast<std::size_t>(k + 1)];
        if (!(a.z >= z && z >= b.z))
            return false;
        v = LinearInterpolate(b.z, b.v, a.z, a.v, z);
        return true;
    };
    if (m_cache >= 0 && m_cache < count - 1) {
        double v = 0.0;
        if (tryInterval(m_cache, v) || tryInterval(m_cache + 1, v) || tryInterval(m_cache - 1, v))
            return v;
    }

    int k = 0;
    int exact = -1;
    if (!Bisect(z, ends, true, k, exact)) {
        ReportNoAnswer(z);
        return 0.0;
    }
    if (exact >= 0)
        return m_pairs[static_cast<std::size_t>(exact)].v;
    m_cache = k;
    const DepthPair& a = m_pairs[static_cast<std::size_t>(k)];
    const DepthPair& b = m_pairs[static_cast<std::size_t>(k + 1)];
    return LinearInterpolate(b.z, b.v, a.z, a.v, z);
}

double TDepthTable::QuadraticAt(double z, bool withinRows) const
{
    const int count = GetCount();
    if (count == 0)
        return 0.0;
    if (count < 3)
        return InterpolateAtDepth(z);
    for (int k = 1; k < count - 1; k += 2) {
        const DepthPair& p0 = m_pairs[static_cast<std::size_t>(k - 1)];
        const DepthPair& p1 = m_pairs[static_cast<std::size_t>(k)];
        const DepthPair& p2 = m_pairs[static_cast<std::size_t>(k + 1)];
        if (!(p0.z >= z && z >= p2.z))
            continue;
        const double d1 = p0.z - p1.z;
        const double d2 = p2.z - p1.z;
        // d1 == d2 (all three at one z) would divide by zero as well.
        if (d1 == 0.0 || d2 == 0.0 || d1 == d2)
            break;
        const double w1 = p0.v - p1.v;
        const double w2 = p2.v - p1.v;
        const double t = z - p1.z;
        const double denominator = d1 * d2 * (d1 - d2);
        const double a = (w1 * d2 - w2 * d1) / denominator;
        const double b = (w2 * d1 * d1 - w1 * d2 * d2) / denominator;
        if (withinRows && a != 0.0) {
            // A parabola is monotonic on each side of its vertex, so it leaves the values of
            // the interval's two pairs exactly when its vertex lies strictly inside it.
            const double vertex = -b / (2.0 * a);
            const bool upper = t >= 0.0;
            const double lo = upper ? 0.0 : d2;
            const double hi = upper ? d1 : 0.0;
            if (vertex > lo && vertex < hi) {
                const DepthPair& far = upper ? p0 : p2;
                return LinearInterpolate(p1.z, p1.v, far.z, far.v, z);
            }
        }
        return p1.v + b * t + a * t * t;
    }
    return InterpolateAtDepth(z);
}

double TDepthTable::InterpolateQuadratic(double z) const
{
    return QuadraticAt(z, false);
}

double TDepthTable::InterpolateQuadraticWithinRows(double z) const
{
    return QuadraticAt(z, true);
}

double TDepthTable::SlopeAtDepth(double z) const
{
    if (!m_sorted)
        ReportError("Whoa! this isn't sorted! ");
    const int count = GetCount();
    if (count == 0)
        return 0.0;
    const Ends ends = EndPairs();
    int endIndex = -1;
    double answer = 0.0;
    auto slopeOf = [this](int k) {
        const DepthPair& a = m_pairs[static_cast<std::size_t>(k)];
        const DepthPair& b = m_pairs[static_cast<std::size_t>(k + 1)];
        return (a.v - b.v) / (a.z - b.z);
    };
    if (AtEndOrOutside(z, ends, endIndex, answer)) {
        if (endIndex < 0)
            return answer;
        if (count < 2)
            return 0.0; // a single pair has no interval, so no slope
        return slopeOf(endIndex == 0 ? 0 : count - 2);
    }
    int k = 0;
    int exact = -1;
    if (!Bisect(z, ends, false, k, exact)) {
        ReportNoAnswer(z);
        return 0.0;
    }
    return slopeOf(k);
}

// --- integration and fitting -----------------------------------------------------------------

double TDepthTable::Integrate(double z1, double z2) const
{
    const double lo = std::min(z1, z2);
    const double hi = std::max(z1, z2);
    // v at x on the straight line from (zB, vB) to (zA, vA), with the given fallback for an
    // interval too short to interpolate on.
    auto along = [](double zB, double vB, double zA, double vA, double x, double shortValue) {
        if (zA - zB < kSameDepth)
            return shortValue;
        return vB + (vA - vB) * (x - zB) / (zA - zB);
    };

    // B is the nearest pair at or below hi, A' the nearest at or above lo: a limit that
    // falls exactly on an inner pair thus ends its part of the range there, instead of
    // interpolating across that pair.
    double vA = 0.0, zA = 0.0, vB = 0.0, zB = 0.0;
    const int iA = FindPointAbove(hi, vA, zA);
    const int iB = NearestPair(hi, true, true, vB, zB);
    if (iA >= 0 && iB >= 0 && lo >= zB) {
        // Both limits inside the interval from B up to A.
        const double vHi = along(zB, vB, zA, vA, hi, vB);
        const double vLo = along(zB, vB, zA, vA, lo, vA);
        return (vHi + vLo) / 2.0 * (hi - lo);
    }
    if (iB < 0)
        return 0.0; // nothing of the table lies at or below hi

    double upper = 0.0;
    if (iA >= 0)
        upper = (along(zB, vB, zA, vA, hi, vA) + vB) / 2.0 * (hi - zB);
    else if (iA == kAtEndPair)
        upper = (InterpolateAtDepth(hi) + vB) / 2.0 * (hi - zB);
    // iA == kBeyondTable: the part above the table contributes nothing.

    double vA2 = 0.0, zA2 = 0.0, vB2 = 0.0, zB2 = 0.0;
    const int iA2 = NearestPair(lo, false, true, vA2, zA2);
    const int iB2 = FindPointBelow(lo, vB2, zB2);
    if (iA2 < 0)
        return 0.0; // nothing of the table lies at or above lo

    double lower = 0.0;
    if (iB2 >= 0)
        lower = (along(zB2, vB2, zA2, vA2, lo, vB2) + vA2) / 2.0 * (zA2 - lo);
    else if (iB2 == kAtEndPair)
        lower = (InterpolateAtDepth(lo) + vA2) / 2.0 * (zA2 - lo);
    // iB2 == kBeyondTable: the part below the table contributes nothing, as above it.

    double middle = 0.0;
    for (int k = std::min(iB, iA2); k < std::max(iB, iA2); ++k) {
        const DepthPair& a = m_pairs[static_cast<std::size_t>(k)];
        const DepthPair& b = m_pairs[static_cast<std::size_t>(k + 1)];
        middle += std::fabs(b.z - a.z) * (a.v + b.v) / 2.0;
    }
    return upper + middle + lower;
}

double TDepthTable::IntegrateSimpson() const
{
    const std::size_t n = m_pairs.size();
    if (n < 2)
        return 0.0;
    double sum = 0.0;
    std::size_t k = 0;
    for (; k + 2 < n; k += 2) {
        const DepthPair& a = m_pairs[k];
        const DepthPair& m = m_pairs[k + 1];
        const DepthPair& b = m_pairs[k + 2];
        sum += (a.z - b.z) * (a.v + 4.0 * m.v + b.v) / 6.0;
    }
    if (k + 1 < n) {
        // An even count leaves one interval without a partner: close it by a trapezoid.
        const DepthPair& a = m_pairs[k];
        const DepthPair& b = m_pairs[k + 1];
        sum += (a.z - b.z) * (a.v + b.v) / 2.0;
    }
    return sum;
}

bool TDepthTable::FitLine(double& slope, double& intercept) const
{
    slope = 0.0;
    intercept = 0.0;
    const int count = GetCount();
    if (count < 2)
        return false;
    double sz = 0.0, sv = 0.0, szz = 0.0, szv = 0.0;
    for (const DepthPair& p : m_pairs) {
        sz += p.z;
        sv += p.v;
        szz += p.z * p.z;
        szv += p.z * p.v;
    }
    const double n = count;
    const double sxx = szz - sz * sz / n;
    if (sxx == 0.0)
        return false;
    slope = (szv - sv * sz / n) / sxx;
    intercept = (sv - slope * sz) / n;
    return true;
}

// --- extremes and searches -------------------------------------------------------------------

double TDepthTable::MaxValue(int& index) const
{
    double best = -1e38;
    index = -1;
    for (int i = 0; i < GetCount(); ++i) {
        if (m_pairs[static_cast<std::size_t>(i)].v > best) {
            best = m_pairs[static_cast<std::size_t>(i)].v;
            index = i;
        }
    }
    return best;
}

double TDepthTable::MinValue(int& index) const
{
    double best = 1e38;
    index = -1;
    for (int i = 0; i < GetCount(); ++i) {
        if (m_pairs[static_cast<std::size_t>(i)].v < best) {
            best = m_pairs[static_cast<std::size_t>(i)].v;
            index = i;
        }
    }
    return best;
}

int TDepthTable::NearestPair(double z, bool below, bool inclusive, double& v, double& zFound) const
{
    int best = -1;
    double bestDistance = 1e30;
    for (int i = 0; i < GetCount(); ++i) {
        const DepthPair& p = m_pairs[static_cast<std::size_t>(i)];
        const bool onSide =
            below ? (inclusive ? p.z <= z : p.z < z) : (inclusive ? p.z >= z : p.z > z);
        if (!onSide)
            continue;
        const double distance = std::fabs(p.z - z);
        // Equally near pairs: below keeps the first, above the last, so that around a
        // doubled depth (a jump) each side takes the pair on its own side of the jump.
        if (below ? distance < bestDistance : distance <= bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    if (best >= 0) {
        v = m_pairs[static_cast<std::size_t>(best)].v;
        zFound = m_pairs[static_cast<std::size_t>(best)].z;
        return best;
    }
    v = 0.0;
    zFound = 0.0;
    if (!m_pairs.empty()) {
        const double zEnd = below ? m_pairs.back().z : m_pairs.front().z;
        if (std::fabs(zEnd - z) < kSameDepth)
            return kAtEndPair;
    }
    return kBeyondTable;
}

int TDepthTable::FindPointBelow(double z, double& v, double& zFound) const
{
    return NearestPair(z, true, false, v, zFound);
}

int TDepthTable::FindPointAbove(double z, double& v, double& zFound) const
{
    return NearestPair(z, false, false, v, zFound);
}

bool TDepthTable::HasPointBelow(double z, double& v, double& zFound) const
{
    return FindPointBelow(z, v, zFound) != kBeyondTable;
}

bool TDepthTable::HasPointAbove(double z, double& v, double& zFound) const
{
    return FindPointAbove(z, v, zFound) != kBeyondTable;
}

bool TDepthTable::IsInDepthRange(double z) const
{
    if (m_sorted && m_capacity == 0)
        ShowMessage(StrPrintf("Sorted table without pairs: %s", m_name.c_str()), kCaption);
    double upper = -1e20;
    double lower = 1e20;
    if (m_sorted && !m_pairs.empty()) {
        upper = m_pairs.front().z;
        lower = m_pairs.back().z;
    } else {
        for (const DepthPair& p : m_pairs) {
            upper = std::max(upper, p.z);
            lower = std::min(lower, p.z);
        }
    }
    return upper >= z && z >= lower;
}

double TDepthTable::ValueAtDiscreteDepth(double z) const
{
    const int i = IndexOfDepth(z);
    if (i >= 0)
        return m_pairs[static_cast<std::size_t>(i)].v;
    ReportError("Search fail for discrete value");
    return -1.0;
}

int TDepthTable::IndexOfDepth(double z) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (std::fabs(m_pairs[static_cast<std::size_t>(i)].z - z) < kSameDepth)
            return i;
    }
    return -1;
}

int TDepthTable::FindDepth(double z, double& v) const
{
    const int i = IndexOfDepth(z);
    if (i >= 0)
        v = m_pairs[static_cast<std::size_t>(i)].v;
    return i;
}

bool TDepthTable::IntersectLine(double slope, double intercept, double& z, double& v) const
{
    z = 1e30;
    v = -1.0;
    // The line as a segment long enough to cross any table of the program.
    constexpr double kReach = 1e8;
    const double x1 = -kReach;
    const double y1 = intercept - slope * kReach;
    const double x2 = kReach;
    const double y2 = intercept + slope * kReach;
    for (std::size_t k = 0; k + 1 < m_pairs.size(); ++k) {
        const DepthPair& a = m_pairs[k];
        const DepthPair& b = m_pairs[k + 1];
        double x = 0.0, y = 0.0;
        // A crossing at or near the origin of the z-v plane is never kept.
        if (IntersectSegments(x, y, a.z, a.v, b.z, b.v, x1, y1, x2, y2) &&
            std::fabs(y) > std::fabs(x)) {
            z = x;
            v = y;
        }
    }
    return z != 1e30;
}
