#include "files/DataFileOpen.h"

#include <cstdint>
#include <vector>

#include "files/legacy/DataFileKind.h"
#include "files/legacy/LegacyFile.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "model/TBeam.h"

int OpenDataFile(const std::string& path, std::vector<std::unique_ptr<TStructure>>& structures)
{
    std::vector<std::uint8_t> head;
    std::string reason;
    if (ReadFileBytes(path, head, reason) && IsXmlDocumentHead(head))
        return LoadXmlDocument(std::string(head.begin(), head.end()), structures);
    int success = 0;
    structures.push_back(std::make_unique<TBeam>(path, success));
    return success;
}
