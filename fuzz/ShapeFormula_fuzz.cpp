// The outline formulas: every blank-separated word of a text compiled as one row of a shape
// with the parameters b, h, d, t, w and r, the rows evaluated for non-zero and for zero
// values; and the bytes themselves evaluated as compiled code.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "FuzzSupport.h"
#include "model/shapes/SectionShape.h"

namespace {

void EvaluateRows(const std::string& code, const ShapeParams& params)
{
    std::size_t cursor = 0;
    while (cursor < code.size()) {
        const std::size_t before = cursor;
        EvaluateShapeFormula(code, cursor, params);
        if (cursor <= before)
            break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ClearReportText();
    const std::string text(reinterpret_cast<const char*>(data), size);
    static TShape shape(0);
    if (shape.paramCount == 0) {
        shape.paramNames = {"b", "h", "d", "t", "w", "r"};
        shape.paramCount = kMaxShapeParams;
    }
    std::string code;
    std::istringstream words(text);
    for (std::string word; words >> word;)
        shape.CompileFormula(word, code);
    shape.valid = 1;
    const ShapeParams values{300.0, 500.0, 1e30, -0.5, 1e-300, 7.0};
    const ShapeParams zeros{};
    EvaluateRows(code, values);
    EvaluateRows(code, zeros);
    EvaluateRows(text, values);
    return 0;
}
