// The user-defined outline fed typed elevations and widths ("UP" and "DOWN" among them) as a
// user would: Add, Modify, Delete and row choices. Every point the outline keeps is finite.
//   a / m elevation|width added / modified; d deletes the selected row; s<digit> selects a row;
//   c answers the next continuity question upward (else downward); u<digit> the unit system.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "TypedFuzzSupport.h"
#include "dialogs/OutlineEditor.h"
#include "foundation/TDepthTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ResetFuzzGlobals(0);
    FuzzAnswers();
    TDepthTable outline, types;
    outline.Add(0.6, 0.3);
    outline.Add(0.0, 0.3);
    types.Add(0.6, 0.0);
    types.Add(0.0, 0.0);
    int upward = 0;
    TOutlineEditor editor(outline, types, 200, [&upward](int, double) { return upward; });
    for (const TypedAction& a : SplitActions(data, size)) {
        std::string elevation, width;
        std::istringstream in(a.text);
        std::getline(in, elevation, '|');
        std::getline(in, width);
        const int digit = a.text.empty() ? 0 : (static_cast<unsigned char>(a.text[0]) + 2) % 10;
        const std::vector<std::string> before = editor.Rows();
        switch (a.op) {
        case 'a': editor.Add(elevation, width); break;
        case 'm': editor.Modify(elevation, width); break;
        case 'd': editor.Delete(); break;
        case 's': editor.SelectRow(digit); break;
        case 'c': upward = 1 - upward; break;
        case 'u': g_UnitSystem = digit % 3; break;
        default: continue;
        }
        for (int i = 0; i < outline.GetCount(); ++i) {
            RequireFinite(outline.GetDepth(i));
            RequireFinite(outline.GetValue(i));
        }
        // A refused typed value changes no row.
        if ((a.op == 'a' || a.op == 'm') && editor.RefusedField() >= 0 && editor.Rows() != before)
            std::abort();
    }
    return 0;
}
