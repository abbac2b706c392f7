// The reader of "shape.dat" (even lengths) and "standard.dat" (odd lengths), and the outline
// of every shape it kept, evaluated as the section dialogs do.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "model/shapes/SectionShape.h"

namespace {

template <typename Table> void EvaluateEvery(Table& table)
{
    for (auto& shape : table) {
        if (shape)
            shape->EvaluateOutline(shape->paramValues);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ClearReportText();
    const int kind = static_cast<int>(size % 2);
    ReadShapeLibraryText(kind, std::string_view(reinterpret_cast<const char*>(data), size));
    if (kind == 0)
        EvaluateEvery(ShapeTable);
    else
        EvaluateEvery(StandardTable);
    return 0;
}
