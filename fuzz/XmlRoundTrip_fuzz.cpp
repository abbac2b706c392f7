// What the data-document reader made of any text is written again, and the written text must
// read back without a failure.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "files/xml/XmlDocument.h"
#include "model/TStructure.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ResetFuzzGlobals(1);
    const std::string text(reinterpret_cast<const char*>(data), size);
    XmlDocument document;
    ReadXmlDocument(text, FuzzDtd(), document);

    std::vector<TStructure*> structures;
    for (const auto& s : document.structures)
        structures.push_back(s.get());
    // Written in the units the document named, as the program saves it.
    FuzzDtd().SetUnitSystem(g_UnitSystem);
    StringSink sink;
    if (!WriteXmlDocument(FuzzDtd(), structures, nullptr, sink).Ok())
        std::abort();
    FuzzDtd().SetUnitSystem(kUnitSI);
    XmlDocument again;
    if (!ReadXmlDocument(sink.Text(), FuzzDtd(), again).Ok())
        std::abort();
    return 0;
}
