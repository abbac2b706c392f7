// Quick define fed typed answers: each line sets one answer of the record as the wizard reads
// it, and B builds the section (as Finish does). A record outside its ranges builds nothing; a
// built section holds a bounded number of layers.
//   f<k><text> answer k of QuickField (0-9, then a-e) typed in display units; t, m, s the top,
//   bottom and strand counts; h a shape code digit; u<digit> the unit system; B build.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "TypedFuzzSupport.h"
#include "dialogs/QuickDefine.h"
#include "foundation/TypedNumber.h"
#include "model/TBeam.h"
#include "model/shapes/ShapeLibrary.h"

namespace {
constexpr int kFuzzBars = 40;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ResetFuzzGlobals(0);
    FuzzAnswers();
    TQuickDefData& q = g_QuickDefData;
    q = QuickDefineDefaults(kUnitSI);
    TBeam beam;
    int built = 0;
    for (const TypedAction& a : SplitActions(data, size)) {
        const std::string rest = a.text.empty() ? std::string() : a.text.substr(1);
        const char key = a.text.empty() ? '0' : a.text[0];
        // The wizard reads what is typed as the dialogs do: a text that holds no number (or more
        // than one) is NaN, which the record's check refuses.
        const double typed = TypedNumber(a.text);
        const int count = ClampToInt(typed);
        switch (a.op) {
        case 'u': g_UnitSystem = (key - '0' + 30) % 3; break;
        case 'h': q.shapeCode = (key - '0' + 40) % 4; break;
        case 't': q.topCount = count; break;
        case 'm': q.bottomCount = count; break;
        case 's': q.strandCount = count; break;
        case 'f': {
            const int field = key >= 'a' ? key - 'a' + 10 : key - '0';
            if (field < 0 || field >= QuickField::Counts)
                break;
            const double v = TypedNumber(rest) / UnitFactor(QuickFieldRange(field).kind);
            double* slots[QuickField::Counts] = {&q.fc, &q.fyLong, &q.fyTrans, &q.dim[0], &q.dim[1], &q.dim[2],
                                                 &q.dim[3], &q.dim[4], &q.dim[5], &q.cover, &q.stirrupSpacing,
                                                 &q.strandPrestrain, &q.topArea, &q.bottomArea, &q.stirrupArea};
            *slots[field] = v;
            if (field >= QuickField::TopArea)
                (field == QuickField::TopArea ? q.topBar : field == QuickField::BottomArea ? q.bottomBar : q.stirrupBar) = -1;
            break;
        }
        case 'B': {
            const bool refused = static_cast<bool>(CheckQuickDefine(q));
            // Sections of hundreds of bars are built and validated by the tests; here only the
            // first build of an input, with few bars, so that the answers get the runs.
            if (built++ > 0 || (!refused && q.topCount + q.bottomCount + q.strandCount > kFuzzBars))
                break;
            beam.SetName("Before");
            const int result = BuildQuickDefineSection(beam);
            if (refused ? (result != 0 || beam.GetName() != "Before") : result != 1)
                std::abort();
            if (beam.GetLongLayerCount(0) > 3 * kMaxQuickCount + 16)
                std::abort();
            break;
        }
        default: break;
        }
    }
    return 0;
}
