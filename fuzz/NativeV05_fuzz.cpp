// The version 0.5 native reader.

#include <cstddef>
#include <cstdint>
#include <span>

#include "FuzzSupport.h"
#include "files/legacy/NativeFileV05.h"
#include "model/TBeam.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ResetFuzzGlobals(size > 0 ? data[0] : 0);
    TBeam beam(TBeam::Empty{});
    ReadNativeV05Bytes(beam, std::span<const std::uint8_t>(data, size));
    return 0;
}
