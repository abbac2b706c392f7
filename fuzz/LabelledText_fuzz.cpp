// The labelled text reader (which validates what it read).

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "files/legacy/LabelledTextFile.h"
#include "model/TBeam.h"

namespace {

bool AnswerFromInput(const std::string&, const std::string&, std::string& label)
{
    label = "B";
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ResetFuzzGlobals(size > 0 ? data[0] : 0);
    SetSectionLabelPrompt(size % 2 == 0 ? AnswerFromInput : nullptr);
    TBeam beam(TBeam::Empty{});
    ReadLabelledText(beam, std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
