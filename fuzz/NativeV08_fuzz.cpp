// The version 0.7 and 0.8 native reader (the version by the input's length).

#include <cstddef>
#include <cstdint>
#include <span>

#include "FuzzSupport.h"
#include "files/legacy/NativeFileV07.h"
#include "model/TBeam.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ResetFuzzGlobals(size > 0 ? data[0] : 0);
    TBeam beam(TBeam::Empty{});
    const int version = size % 2 == 0 ? 8 : 7;
    ReadNativeV07V08Bytes(beam, std::span<const std::uint8_t>(data, size), version);
    return 0;
}
