#pragma once
// Reading an older data file whole into memory, so that every reader works on a byte buffer.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "files/legacy/LegacyReadResult.h"

// Older data files are small; a larger file is no section file of these kinds.
inline constexpr std::size_t kMaxLegacyFileBytes = 64u << 20;

// The file's bytes; false (with the reason) when it cannot be read or is too large.
bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& reason);

// Reads the file and hands its bytes to the reader; a file that cannot be read is refused.
LegacyReadResult
ReadLegacyFile(const std::string& path,
               const std::function<LegacyReadResult(std::span<const std::uint8_t>)>& reader);
