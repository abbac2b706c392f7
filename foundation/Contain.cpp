#include "foundation/Contain.h"

#include <algorithm>
#include <climits>
#include <new>
#include <stdexcept>

#include "foundation/Reporter.h"

namespace contain_detail {

template <typename T>
ArrayCore<T>::ArrayCore(int initialCapacity, const char* outOfMemoryText)
    : m_data(static_cast<std::size_t>(std::max(kMinArrayCapacity, initialCapacity))),
      m_outOfMemoryText(outOfMemoryText)
{
}

template <typename T>
ArrayCore<T>::ArrayCore(const ArrayCore& other)
    : m_data(other.m_data), m_count(other.m_count), m_outOfMemoryText(other.m_outOfMemoryText)
{
}

template <typename T> ArrayCore<T>& ArrayCore<T>::operator=(const ArrayCore& other)
{
    if (this != &other) {
        m_data = other.m_data;
        m_count = other.m_count;
        m_cursor = -1;
    }
    return *this;
}

template <typename T> bool ArrayCore<T>::Append(const T& x)
{
    // Grow into a fresh block so that a failed allocation leaves the old one untouched.
    while (GetCapacity() - m_count < 2) {
        const int capacity = GetCapacity();
        try {
            if (capacity > INT_MAX / 2)
                throw std::length_error("capacity");
            std::vector<T> grown(static_cast<std::size_t>(capacity) * 2);
            std::copy(m_data.begin(), m_data.begin() + m_count, grown.begin());
            m_data.swap(grown);
        } catch (const std::bad_alloc&) {
            ShowMessage(m_outOfMemoryText, kContainCaption);
            return false;
        } catch (const std::length_error&) {
            ShowMessage(m_outOfMemoryText, kContainCaption);
            return false;
        }
    }
    m_data[static_cast<std::size_t>(m_count)] = x;
    ++m_count;
    return true;
}

template <typename T> bool ArrayCore<T>::Step(const char* noInitText, T& out)
{
    if (m_cursor == kParkedCursor)
        return false;
    if (m_cursor < 0) {
        ShowMessage(noInitText, kContainCaption);
        m_cursor = 0;
    }
    ++m_cursor;
    if (m_cursor <= m_count) {
        out = m_data[static_cast<std::size_t>(m_cursor - 1)];
        return true;
    }
    m_cursor = kParkedCursor;
    return false;
}

template class ArrayCore<int>;
template class ArrayCore<double>;
template class ArrayCore<float>;
template class ArrayCore<char>;

} // namespace contain_detail

// --- TIntegerArray ---------------------------------------------------------------------------

TIntegerArray::TIntegerArray(int initialCapacity)
    : ArrayCore(initialCapacity, "Out of TIntegerArray Memory")
{
}

int TIntegerArray::At(int i) const
{
    if (!InRange(i)) {
        ShowMessage("Out of range in TIntegerArray", kContainCaption);
        return -1;
    }
    return m_data[static_cast<std::size_t>(i)];
}

int TIntegerArray::Next()
{
    int value = 0;
    return Step("TIntegerArray: No Initialization!", value) ? value : -1;
}

// --- TdoubleArray ----------------------------------------------------------------------------

TdoubleArray::TdoubleArray(int initialCapacity)
    : ArrayCore(initialCapacity, "Out of TdoubleArray Memory")
{
}

double& TdoubleArray::At(int i)
{
    if (!InRange(i)) {
        ShowMessage("Out of range in TdoubleArray", kContainCaption);
        m_noElement = kUndefined;
        return m_noElement;
    }
    return m_data[static_cast<std::size_t>(i)];
}

double TdoubleArray::At(int i) const
{
    if (!InRange(i)) {
        ShowMessage("Out of range in TdoubleArray", kContainCaption);
        return kUndefined;
    }
    return m_data[static_cast<std::size_t>(i)];
}

double TdoubleArray::Next()
{
    double value = 0.0;
    return Step("TdoubleArray: No Initialization!", value) ? value : -1.0;
}

// --- TfloatArray -----------------------------------------------------------------------------

TfloatArray::TfloatArray(int initialCapacity)
    : ArrayCore(initialCapacity, "Out of TfloatArray Memory")
{
}

float TfloatArray::At(int i) const
{
    if (!InRange(i)) {
        ShowMessage("Out of range in TfloatArray", kContainCaption);
        return kFloatNoElement;
    }
    return m_data[static_cast<std::size_t>(i)];
}

float TfloatArray::Next()
{
    float value = 0.0f;
    return Step("TfloatArray: No Initialization!", value) ? value : -1.0f;
}

// --- tpackdata -------------------------------------------------------------------------------

tpackdata::tpackdata(int initialCapacity) : ArrayCore(initialCapacity, "Out of character Memory")
{
}

char* tpackdata::At(int i)
{
    if (!InRange(i)) {
        ShowMessage("Out of range in tpackdata", kContainCaption);
        m_noElement = 0;
        return &m_noElement;
    }
    return &m_data[static_cast<std::size_t>(i)];
}
