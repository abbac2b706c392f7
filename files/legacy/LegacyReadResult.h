#pragma once
// The outcome of reading one of the older data files: whether the section was read, where the
// reader stopped (a byte offset, or a line number for text files) and, when it refused the
// file, why. A result starts as a refusal; only a reader that got to the end says "read".

#include <cstddef>
#include <string>

enum class LegacyStatus { Refused, Read };

struct LegacyReadResult {
    LegacyStatus status = LegacyStatus::Refused;
    std::size_t offset = 0;
    std::string message;

    bool IsRead() const { return status == LegacyStatus::Read; }
    // The reader's answer in the program's convention: 1 read, 0 refused.
    int Code() const { return IsRead() ? 1 : 0; }
};

inline LegacyReadResult LegacyRead(std::size_t offset)
{
    return LegacyReadResult{LegacyStatus::Read, offset, std::string()};
}

inline LegacyReadResult LegacyRefused(std::size_t offset, std::string message)
{
    return LegacyReadResult{LegacyStatus::Refused, offset, std::move(message)};
}
