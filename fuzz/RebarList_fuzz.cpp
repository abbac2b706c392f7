// The reader of "rebar.dat": every entry it appends has a bounded title.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ClearReportText();
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    TRebarList list;
    list.ReadListing(in);
    for (const RebarEntry& entry : list.Entries()) {
        if (entry.name.size() > kRebarNameChars)
            std::abort();
    }
    return 0;
}
