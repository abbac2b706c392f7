// The XML branch of opening, until the document engine answers it.

#include "files/DataFileOpen.h"

#include "foundation/Reporter.h"
#include "model/TStructure.h"

namespace {

constexpr const char* kNotReadable = "XML documents cannot be read by this build.";

} // namespace

int LoadXmlDocument(const std::string&, std::vector<std::unique_ptr<TStructure>>&)
{
    ShowMessage(kNotReadable, "Load Error", MsgStyle::Ok | MsgStyle::IconExclamation);
    return 0;
}

int ReadXmlStructureComponent(const std::string&, int, TStructure&)
{
    ShowMessage(kNotReadable, "Load Error", MsgStyle::Ok | MsgStyle::IconExclamation);
    return 0;
}
