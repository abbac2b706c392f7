// The predecessor import: the cell sheet, the section and the raster.

#include <cstddef>
#include <cstdint>
#include <span>

#include "FuzzSupport.h"
#include "files/legacy/PredecessorImport.h"
#include "model/TBeam.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ResetFuzzGlobals(size > 20 ? data[20] : 0);
    TBeam beam(TBeam::Empty{});
    int mixed = 0;
    ImportPredecessorBytes(beam, std::span<const std::uint8_t>(data, size), mixed);
    return 0;
}
