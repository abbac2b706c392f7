// The small definition dialogs fed typed text as a user would: each line fills one dialog's
// fields ('|' between them) and presses OK. A refused dialog leaves the section (and the
// preferences) as it was; a taken one stores only finite values.
//   L loads (six), G general (three ticks as 0/1, two spacings, axis), T time (tick, age,
//   moment, axial), F fire (mask digit, curve digit, minutes, temperature), P preferences
//   (three factors, then optionally a unit radio digit and the override as 0/1),
//   u unit system (0-2).

#include <array>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "TypedFuzzSupport.h"
#include "dialogs/DefinitionFields.h"
#include "dialogs/FireFields.h"
#include "model/TBeam.h"

namespace {

struct Snapshot {
    std::array<double, 6> loads{};
    double spacingX = 0, spacingZ = 0, axis = 0;
    int timeFlag = 0;
    double days = 0, moment = 0, axial = 0;
    int exposure = 0, curve = 0, rebar = 0;
    double time = 0, temperature = 0;

    explicit Snapshot(const TBeam& b)
    {
        b.GetConstantLoads(loads.data(), 3);
        b.GetIncrementLoads(loads.data() + 3, 3);
        spacingX = b.GetCrackSpacing(0);
        spacingZ = b.GetCrackSpacing(2);
        axis = b.GetMomentAxis();
        b.GetTimeData(timeFlag, days, moment, axial);
        b.GetFireData(exposure, curve, rebar, time, temperature);
    }
    void RequireAllFinite() const
    {
        for (double v : loads)
            RequireFinite(v);
        for (double v : {spacingX, spacingZ, axis, days, moment, axial, time, temperature})
            RequireFinite(v);
    }
    bool operator==(const Snapshot&) const = default;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ResetFuzzGlobals(0);
    FuzzAnswers();
    TBeam beam;
    beam.AddRegion(0.6, 0.0, 0.3, 0.3, 0, 1);
    for (const TypedAction& a : SplitActions(data, size)) {
        const Snapshot before(beam);
        bool refused = false;
        switch (a.op) {
        case 'u':
            g_UnitSystem = a.text.empty() ? 0 : (a.text[0] - '0' + 3) % 3;
            continue;
        case 'L': {
            const auto f = Fields(a.text, 6);
            const std::array<std::string, 6> typed{f[0], f[1], f[2], f[3], f[4], f[5]};
            refused = static_cast<bool>(CheckLoads(beam, typed));
            ApplyLoads(beam, typed);
            break;
        }
        case 'G': {
            const auto f = Fields(a.text, 4);
            GeneralFields typed = ShowGeneral(beam);
            typed.longitudinalAuto = f[0].size() > 0 && f[0][0] == '1';
            typed.transverseAuto = f[0].size() > 1 && f[0][1] == '1';
            typed.centroidal = f[0].size() > 2 && f[0][2] == '1';
            typed.longitudinal = f[1];
            typed.transverse = f[2];
            typed.axis = f[3];
            refused = static_cast<bool>(CheckGeneral(typed, beam));
            ApplyGeneral(beam, typed);
            break;
        }
        case 'T': {
            const auto f = Fields(a.text, 4);
            TimeFields typed = ShowTime(&beam);
            typed.consider = f[0] == "1";
            typed.years = f[1];
            typed.moment = f[2];
            typed.axial = f[3];
            refused = static_cast<bool>(CheckTime(typed));
            ApplyTime(beam, typed);
            break;
        }
        case 'F': {
            const auto f = Fields(a.text, 4);
            FireFields typed = ShowFireFields(beam);
            const int mask = f[0].empty() ? 1 : (f[0][0] & 7);
            typed.bottom = mask & 1;
            typed.sides = mask & 2;
            typed.top = mask & 4;
            typed.curve = f[1].empty() ? 0 : (f[1][0] & 3) % 3;
            typed.minutes = f[2];
            typed.temperature = f[3];
            refused = static_cast<bool>(CheckFireFields(typed));
            ApplyFireFields(beam, typed);
            break;
        }
        case 'P': {
            const auto f = Fields(a.text, 5);
            PreferenceFields typed = ShowPreferences();
            typed.factors = {f[0], f[1], f[2]};
            if (!f[3].empty()) {
                typed.unitPressed = true;
                typed.unitRadio = (f[3][0] & 0xFF) % 3;
            }
            if (!f[4].empty())
                typed.fileOverride = f[4][0] == '1';
            const bool refusedFactor = static_cast<bool>(CheckPreferences(typed));
            const ResistanceFactors factorsBefore = g_ResistanceFactors;
            const int unitsBefore = g_UnitSystem, overrideBefore = g_FileOverride;
            ApplyPreferences(typed);
            if (refusedFactor && (!(g_ResistanceFactors == factorsBefore) || g_UnitSystem != unitsBefore ||
                                  g_FileOverride != overrideBefore))
                std::abort();
            for (double v : {g_ResistanceFactors.phi_c, g_ResistanceFactors.phi_s, g_ResistanceFactors.phi_p})
                if (!(v >= 0.01 && v <= 10.0))
                    std::abort();
            continue;
        }
        default:
            continue;
        }
        const Snapshot after(beam);
        if (refused && !(after == before))
            std::abort();
        after.RequireAllFinite();
    }
    return 0;
}
