#pragma once
// Growable arrays of plain values ("contain"): TIntegerArray, TdoubleArray, TfloatArray and the
// byte string tpackdata share one layout, one growth rule and one iteration cursor.
//
// Growth: capacity starts at max(5, requested) and doubles while fewer than two slots are free,
// so after every Add at least one slot beyond the last element stays free. Element access admits
// that slot: indices 0 .. count are in range (the index count addresses the free slot).
//
// Faults are reported through ShowMessage with the caption "contain" and answered with a harmless
// default; nothing in the array changes. TdoubleArray answers an out-of-range access with a
// reference to a scratch slot that is set to kUndefined on every such access, so a write through
// it never reaches an element nor a later reader.

#include <cstddef>
#include <vector>

#include "foundation/Sentinel.h"

// Caption of every message of the arrays.
inline constexpr const char* kContainCaption = "contain";
// Cursor value once an iteration has run past the end.
inline constexpr int kParkedCursor = 32761;
// Least capacity of every array.
inline constexpr int kMinArrayCapacity = 5;
// What TfloatArray::At answers out of range.
inline constexpr float kFloatNoElement = 3.1415625e31f;

namespace contain_detail {

// Storage, growth and iteration shared by the four arrays. Copies are deep.
template <typename T> class ArrayCore {
public:
    int GetCount() const { return m_count; }
    int GetCapacity() const { return static_cast<int>(m_data.size()); }
    bool IsEmpty() const { return m_count == 0; }
    // Count 0; capacity, block and cursor are kept.
    void Clear() { m_count = 0; }
    void StartIteration() { m_cursor = 0; }
    bool HasNext() const { return m_cursor < m_count && m_cursor != kParkedCursor; }
    // Cursor: -1 before the first StartIteration, 0 .. count while iterating, kParkedCursor after.
    int GetCursor() const { return m_cursor; }

protected:
    ArrayCore(int initialCapacity, const char* outOfMemoryText);
    // A copy takes the other's capacity, count and elements, and starts with an unset cursor.
    ArrayCore(const ArrayCore& other);
    ArrayCore& operator=(const ArrayCore& other);
    ~ArrayCore() = default;

    bool InRange(int i) const { return i >= 0 && i <= m_count && i < GetCapacity(); }
    // Appends x; false (with the memory message) when the block could not grow.
    bool Append(const T& x);
    // The iteration step: true with the element in out, false once past the end.
    bool Step(const char* noInitText, T& out);

    std::vector<T> m_data; // the block: size() is the capacity
    int m_count = 0;
    int m_cursor = -1;

private:
    const char* m_outOfMemoryText;
};

} // namespace contain_detail

class TIntegerArray : public contain_detail::ArrayCore<int> {
public:
    explicit TIntegerArray(int initialCapacity = kMinArrayCapacity);
    void Add(int x) { Append(x); }
    // The element, or -1 with "Out of range in TIntegerArray".
    int At(int i) const;
    // The element at the cursor, advancing it; -1 once past the end.
    int Next();
};

class TdoubleArray : public contain_detail::ArrayCore<double> {
public:
    explicit TdoubleArray(int initialCapacity = kMinArrayCapacity);

    void Add(double x) { Append(x); }
    // Reference to the element; out of range "Out of range in TdoubleArray" and a reference to
    // this array's no-element slot, freshly set to kUndefined.
    double& At(int i);
    // The element, or kUndefined with the same message.
    double At(int i) const;
    // The element at the cursor, advancing it; -1.0 once past the end.
    double Next();

private:
    double m_noElement = kUndefined;
};

class TfloatArray : public contain_detail::ArrayCore<float> {
public:
    explicit TfloatArray(int initialCapacity = kMinArrayCapacity);
    void Add(float x) { Append(x); }
    // The element, or 3.1415625e31 with "Out of range in TfloatArray".
    float At(int i) const;
    // The element at the cursor, advancing it; -1.0f once past the end.
    float Next();
};

// Packed byte strings (the compiled outline formulas of the shape library): appended to and
// read by index only.
class tpackdata : public contain_detail::ArrayCore<char> {
public:
    explicit tpackdata(int initialCapacity = kMinArrayCapacity);

    void Add(char x) { Append(x); }
    // Pointer to the byte; out of range "Out of range in tpackdata" and a pointer to this array's
    // scratch byte, freshly set to 0 (so a caller reading on from it stops at once).
    char* At(int i);

private:
    char m_noElement = 0;
};
