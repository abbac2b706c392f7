// Opening an older section file as the program does: the kind is recognised from the bytes,
// its reader fills an empty beam, and what was read is validated.

#include <cstddef>
#include <cstdint>
#include <span>

#include "FuzzSupport.h"
#include "files/legacy/BeamFileLoad.h"
#include "files/legacy/LabelledTextFile.h"
#include "model/TBeam.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ResetFuzzGlobals(size > 40 ? data[40] : 0);
    SetSectionLabelPrompt(nullptr);
    TBeam beam(TBeam::Empty{});
    LoadBeamBytes(beam, std::span<const std::uint8_t>(data, size));
    return 0;
}
