#pragma once
// TDepthTable: the program's piecewise-linear function, a named list of (z, v) pairs.
//
// z is a position (a depth in the section in m, a strain on a stress-strain curve, a position
// along the member) and v the value there. Section tables are kept in descending order of z
// (largest first, Sort(1)); linear interpolation works in either order, while the
// interpolation cache and the quadratic interpolation expect descending order.
//
// The table reports its own faults through ShowMessage with the caption "Tab_util" and goes
// on with a harmless answer (-1.0 outside the range, 0.0 when a search finds nothing).
// Copies are deep.

#include <string>
#include <vector>

// Linear interpolation (or extrapolation) through (za, va) and (zb, vb) at z:
// vb + (va - vb) * (z - zb) / (za - zb); the mean (va + vb) / 2 when za equals zb exactly.
double LinearInterpolate(double za, double va, double zb, double vb, double z);

struct DepthPair {
    double z = 0.0;
    double v = 0.0;
    bool operator==(const DepthPair&) const = default;
};

class TDepthTable {
public:
    // Longest name kept (stored files and messages rely on at most 49 characters).
    static constexpr std::size_t kMaxNameLength = 49;
    // Pairs the storage grows by when fewer than two free slots remain.
    static constexpr int kGrowth = 20;
    // What GetDepth and GetValue read for an index without a pair.
    static constexpr double kNoPair = 1e31;
    // Answers of FindPointBelow / FindPointAbove when no pair lies on that side of z:
    // z beyond the table, or z at the end pair (within 1e-6) on that side.
    static constexpr int kBeyondTable = -31001;
    static constexpr int kAtEndPair = -31002;

    TDepthTable();
    explicit TDepthTable(const std::string& name);
    TDepthTable(const TDepthTable& other);
    TDepthTable(TDepthTable&& other) noexcept;
    TDepthTable& operator=(const TDepthTable& other);
    TDepthTable& operator=(TDepthTable&& other) noexcept;
    ~TDepthTable() = default;

    // Replaces name, pairs, capacity, sorted flag and cache by a copy of other's. A null
    // table leaves this one empty. Assigning a table to itself changes nothing.
    void Assign(const TDepthTable& other);
    void Assign(const TDepthTable* other);

    // --- access -------------------------------------------------------------------------
    const std::string& GetName() const { return m_name; }
    void SetName(const std::string& name);
    int GetCount() const { return static_cast<int>(m_pairs.size()); }
    int GetCapacity() const { return m_capacity; }
    bool IsEmpty() const { return m_pairs.empty(); }
    // z and v of pair i; kNoPair for an index outside 0 .. count-1.
    double GetDepth(int i) const;
    double GetValue(int i) const;
    const std::vector<DepthPair>& Pairs() const { return m_pairs; }
    bool IsSorted() const { return m_sorted; }
    // For callers that fill a table in descending order themselves.
    void SetSorted(bool sorted) { m_sorted = sorted; }
    // First index of the interval the last bisection found; -1 when none.
    int GetCacheIndex() const { return m_cache; }
    // Sets the pair count to 0; the storage is kept.
    void Clear();

    // --- editing ------------------------------------------------------------------------
    // Appends (z, v), growing by kGrowth pairs first when fewer than two slots are free;
    // clears the sorted flag. Out of memory: "Out of Table Memory", nothing added.
    void Add(double z, double v);
    // Set v (sorted flag kept) or z (sorted flag cleared) of pair i; an index outside the
    // table is ignored.
    void SetValue(int i, double v);
    void SetDepth(int i, double z);
    // Removes pair i, moving the later pairs down. Out of range: message and false.
    bool Delete(int i);
    // As Delete, silently ignoring an index out of range.
    void RemoveAt(int i);
    // Sorts by z: mode 1 descending (largest z first), any other mode ascending. Pairs of
    // equal z keep their order. Sets the sorted flag.
    void Sort(int mode);
    bool ScaleDepths(double factor);
    bool ScaleValues(double factor);
    // v_i += a * z_i + b.
    bool AddLinear(double a, double b);
    // v_i += factor * other.InterpolateAtDepth(z_i).
    bool AddScaledTable(const TDepthTable& other, double factor);
    // Replaces this table by the running trapezoid integral of other, starting at 0 at
    // other's first pair. An empty source leaves this table empty. Returns 1.
    int SetToIntegralOf(const TDepthTable& other);

    // --- queries ------------------------------------------------------------------------
    // Piecewise-linear v at z. Empty table: 0.0. Within 1e-4 of an end pair: its v.
    // Outside the range: "Out of depth range in table: var %s, depth %5.3f" and -1.0.
    double InterpolateAtDepth(double z) const;
    // v at z from the parabola through the triple (k-1, k, k+1), k odd, that brackets z in
    // a descending table; linear interpolation where no triple applies.
    double InterpolateQuadratic(double z) const;
    // As InterpolateQuadratic, but where the parabola would pass beyond the values of the two
    // pairs that bracket z (two close pairs and a far third), that interval is interpolated
    // linearly instead: a profile of imposed strains never holds more than the rows give.
    double InterpolateQuadraticWithinRows(double z) const;
    // dv/dz of the interval that holds z (warns when the table is not marked sorted).
    double SlopeAtDepth(double z) const;
    // Trapezoid integral of v dz between the limits, given in either order; parts of the
    // range outside the table contribute nothing.
    double Integrate(double z1, double z2) const;
    // Simpson integral over the whole table (signed as z_0 - z_last for descending order);
    // with an even number of pairs the last interval is closed by a trapezoid.
    double IntegrateSimpson() const;
    // Least-squares line v = slope * z + intercept; false (outputs 0) with fewer than two
    // pairs or when all z coincide.
    bool FitLine(double& slope, double& intercept) const;
    // Largest (least) v and the index of the first pair holding it; -1e38 (+1e38) and
    // index -1 for an empty table.
    double MaxValue(int& index) const;
    double MinValue(int& index) const;
    // Index of the nearest pair with z_i < z (z_i > z), its v and z written to the outputs;
    // ties: FindPointBelow keeps the first, FindPointAbove the last. None: outputs 0 and
    // kAtEndPair when z lies within 1e-6 of the last (first) pair, else kBeyondTable.
    int FindPointBelow(double z, double& v, double& zFound) const;
    int FindPointAbove(double z, double& v, double& zFound) const;
    // True unless the Find answer is kBeyondTable (so also at the end pair, outputs 0).
    bool HasPointBelow(double z, double& v, double& zFound) const;
    bool HasPointAbove(double z, double& v, double& zFound) const;
    // True when z lies between the least and the largest z, ends included.
    bool IsInDepthRange(double z) const;
    // v of the first pair within 1e-6 of z; none: "Search fail for discrete value", -1.0.
    double ValueAtDiscreteDepth(double z) const;
    // Index of the first pair within 1e-6 of z, or -1.
    int IndexOfDepth(double z) const;
    // As IndexOfDepth, writing that pair's v to v (v untouched when there is none).
    int FindDepth(double z, double& v) const;
    // A crossing of the table's polyline with v = slope * z + intercept: the last crossing
    // along the table whose |v| > |z|. Outputs start at z = 1e30, v = -1.0.
    bool IntersectLine(double slope, double intercept, double& z, double& v) const;

private:
    double QuadraticAt(double z, bool withinRows) const;
    struct Ends {
        int upper = 0; // index of the end pair with the largest z
        int lower = 0;
    };
    Ends EndPairs() const;
    // Handles the end tolerance and the out-of-range message shared by interpolation and
    // slope; true when answer holds the final result.
    bool AtEndOrOutside(double z, const Ends& ends, int& endIndex, double& answer) const;
    // Bisection for the interval holding z; false after the bounded search fails.
    // k is the smaller index of the bracketing pairs; with stopAtExact a probed pair whose
    // z equals z ends the search and is handed back in exact (else exact is -1).
    bool Bisect(double z, const Ends& ends, bool stopAtExact, int& k, int& exact) const;
    void ReportNoAnswer(double z) const;
    // The nearest pair below (above) z, strictly or with z itself included; the answers of
    // FindPointBelow / FindPointAbove.
    int NearestPair(double z, bool below, bool inclusive, double& v, double& zFound) const;

    std::vector<DepthPair> m_pairs; // count = size
    int m_capacity = 0;             // pairs the storage holds (0: no storage yet)
    mutable int m_cache = -1;       // updated by the const interpolation
    std::string m_name = "Default constructor made me!";
    bool m_sorted = false;
};
