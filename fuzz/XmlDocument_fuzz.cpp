// Fuzz target of the data-document reader: any text is read under the built-in definition;
// what was read is written again and the written text read back, which must succeed.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "files/xml/TXmlDtd.h"
#include "files/xml/XmlDocument.h"
#include "foundation/ReportText.h"
#include "foundation/Reporter.h"
#include "foundation/Units.h"
#include "model/TStructure.h"
#include "model/catalogues/TRebarList.h"
#include "model/materials/MaterialTypes.h"

namespace {

void SetUpOnce()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    static SilentReporter reporter;
    SetReporter(&reporter);
    std::istringstream listing(DefaultRebarListing());
    g_RebarList.ReadListing(listing);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    SetUpOnce();
    g_UnitSystem = kUnitSI;
    g_FileOverride = 1;
    g_ResistanceFactors = ResistanceFactors{};
    ClearReportText();

    const std::string text(reinterpret_cast<const char*>(data), size);
    TXmlDtd dtd(kBuiltInDtd, kUnitSI);
    XmlDocument document;
    ReadXmlDocument(text, dtd, document);

    std::vector<TStructure*> structures;
    for (const auto& s : document.structures)
        structures.push_back(s.get());
    TXmlDtd writeDtd(kBuiltInDtd, g_UnitSystem);
    StringSink sink;
    if (!WriteXmlDocument(writeDtd, structures, nullptr, sink).Ok())
        std::abort();
    // What the program wrote, it reads back.
    TXmlDtd againDtd(kBuiltInDtd, kUnitSI);
    XmlDocument again;
    if (!ReadXmlDocument(sink.Text(), againDtd, again).Ok())
        std::abort();
    return 0;
}
