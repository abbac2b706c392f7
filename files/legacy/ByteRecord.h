#pragma once
// Field-by-field decoding of the old binary files. The file is held as a byte buffer; a
// ByteSource hands it out in records of a known width, and a ByteRecord decodes the fields
// of one record at their offsets, little-endian, without ever laying a structure over the
// bytes. A record is only handed out when the buffer holds all of it, so no field read can
// pass the end of the input.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

class ByteRecord {
public:
    // nonFinite, when given, counts the f64 and f32 fields that held no finite number.
    ByteRecord(std::span<const std::uint8_t> bytes, int* nonFinite)
        : m_bytes(bytes), m_nonFinite(nonFinite)
    {
    }

    std::size_t Width() const { return m_bytes.size(); }

    std::uint8_t U8(std::size_t offset) const;
    std::int16_t I16(std::size_t offset) const;
    std::uint16_t U16(std::size_t offset) const;
    std::int32_t I32(std::size_t offset) const;
    // Floating-point fields: a NaN or an infinity reads as 0 and is counted.
    float F32(std::size_t offset) const;
    double F64(std::size_t offset) const;
    // An f64 field as the file holds it, NaN and infinity included (not counted): for the
    // values the readers judge themselves, such as a layer's area.
    double F64AsStored(std::size_t offset) const;
    // A text field of the given width: the bytes up to the first NUL, or all of them when
    // the field holds none, then cut to maxChars.
    std::string Text(std::size_t offset, std::size_t width, std::size_t maxChars) const;
    // Whether the bytes at the offset are exactly the text (no terminator implied).
    bool Matches(std::size_t offset, const char* text) const;

private:
    std::uint64_t Unsigned(std::size_t offset, std::size_t width) const;

    std::span<const std::uint8_t> m_bytes;
    int* m_nonFinite;
};

class ByteSource {
public:
    explicit ByteSource(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    // The next width bytes as a record, or nothing (cursor unchanged) when fewer remain.
    std::optional<ByteRecord> Take(std::size_t width);
    // Whether count records of the width still fit in what remains (no overflow).
    bool Holds(std::int64_t count, std::size_t width) const;

    std::size_t Offset() const { return m_offset; }
    std::size_t Remaining() const { return m_bytes.size() - m_offset; }
    // Floating-point fields that held no finite number so far.
    int NonFiniteCount() const { return m_nonFinite; }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_offset = 0;
    int m_nonFinite = 0;
};

// Converts a number from a file to an integer field: truncated toward zero, NaN as 0, and
// values beyond the field's range held at its ends.
int TruncateToInt(double value);
