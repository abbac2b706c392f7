#include "files/legacy/ByteRecord.h"

#include <bit>
#include <cassert>
#include <cmath>
#include <limits>

#include "foundation/NameText.h"

std::uint64_t ByteRecord::Unsigned(std::size_t offset, std::size_t width) const
{
    // Offsets come from the record tables of the readers, never from the file.
    assert(offset + width <= m_bytes.size());
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i)
        value |= static_cast<std::uint64_t>(m_bytes[offset + i]) << (8 * i);
    return value;
}

std::uint8_t ByteRecord::U8(std::size_t offset) const
{
    return static_cast<std::uint8_t>(Unsigned(offset, 1));
}

std::int16_t ByteRecord::I16(std::size_t offset) const
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(Unsigned(offset, 2)));
}

std::uint16_t ByteRecord::U16(std::size_t offset) const
{
    return static_cast<std::uint16_t>(Unsigned(offset, 2));
}

std::int32_t ByteRecord::I32(std::size_t offset) const
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(Unsigned(offset, 4)));
}

float ByteRecord::F32(std::size_t offset) const
{
    const float value = std::bit_cast<float>(static_cast<std::uint32_t>(Unsigned(offset, 4)));
    if (std::isfinite(value))
        return value;
    if (m_nonFinite != nullptr)
        ++*m_nonFinite;
    return 0.0f;
}

double ByteRecord::F64(std::size_t offset) const
{
    const double value = std::bit_cast<double>(Unsigned(offset, 8));
    if (std::isfinite(value))
        return value;
    if (m_nonFinite != nullptr)
        ++*m_nonFinite;
    return 0.0;
}

double ByteRecord::F64AsStored(std::size_t offset) const
{
    return std::bit_cast<double>(Unsigned(offset, 8));
}

std::string ByteRecord::Text(std::size_t offset, std::size_t width, std::size_t maxChars) const
{
    assert(offset + width <= m_bytes.size());
    std::string text;
    for (std::size_t i = 0; i < width && text.size() < maxChars; ++i) {
        const auto c = static_cast<char>(m_bytes[offset + i]);
        if (c == '\0')
            break;
        text.push_back(c);
    }
    // A name keeps no control character (a document could not carry it).
    return NameText(text, maxChars);
}

bool ByteRecord::Matches(std::size_t offset, const char* text) const
{
    std::size_t i = 0;
    for (; text[i] != '\0'; ++i) {
        if (offset + i >= m_bytes.size() ||
            m_bytes[offset + i] != static_cast<std::uint8_t>(text[i]))
            return false;
    }
    return true;
}

std::optional<ByteRecord> ByteSource::Take(std::size_t width)
{
    if (width > Remaining())
        return std::nullopt;
    ByteRecord record(m_bytes.subspan(m_offset, width), &m_nonFinite);
    m_offset += width;
    return record;
}

bool ByteSource::Holds(std::int64_t count, std::size_t width) const
{
    if (count < 0)
        return false;
    if (width == 0 || count == 0)
        return true;
    return static_cast<std::uint64_t>(count) <= Remaining() / width;
}

int TruncateToInt(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double kLow = std::numeric_limits<int>::min();
    constexpr double kHigh = std::numeric_limits<int>::max();
    if (value <= kLow)
        return std::numeric_limits<int>::min();
    if (value >= kHigh)
        return std::numeric_limits<int>::max();
    return static_cast<int>(value);
}
