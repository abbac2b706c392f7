// The data-document reader: any text is read under the built-in definition (reading validates
// every structure it read).

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "files/xml/XmlDocument.h"
#include "model/TStructure.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ResetFuzzGlobals(1);
    const std::string text(reinterpret_cast<const char*>(data), size);
    XmlDocument document;
    ReadXmlDocument(text, FuzzDtd(), document);
    return 0;
}
