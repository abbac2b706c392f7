#include "files/legacy/LegacyFile.h"

#include <fstream>

#include "foundation/StrFormat.h"

bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& reason)
{
    bytes.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        reason = StrPrintf("Could not open file: %s", path.c_str());
        return false;
    }
    char buffer[65536];
    while (in) {
        in.read(buffer, sizeof buffer);
        const std::streamsize got = in.gcount();
        if (got <= 0)
            break;
        if (bytes.size() + static_cast<std::size_t>(got) > kMaxLegacyFileBytes) {
            reason = StrPrintf("The file %s is too large for a section file.", path.c_str());
            bytes.clear();
            return false;
        }
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    if (in.bad()) {
        reason = StrPrintf("Could not read file: %s", path.c_str());
        bytes.clear();
        return false;
    }
    return true;
}

LegacyReadResult
ReadLegacyFile(const std::string& path,
               const std::function<LegacyReadResult(std::span<const std::uint8_t>)>& reader)
{
    std::vector<std::uint8_t> bytes;
    std::string reason;
    if (!ReadFileBytes(path, bytes, reason))
        return LegacyRefused(0, reason);
    return reader(bytes);
}
