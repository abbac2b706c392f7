#include "dialogs/FireFields.h"


#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/FireDefaults.h"
#include "model/TStructure.h"

namespace {

constexpr double kMinExposure = kMinFireExposure;
constexpr double kMaxExposure = kMaxFireExposure;

static_assert(kRebarFireTypes.size() == kMaxRebarFireType + 1);

bool Fahrenheit() { return g_UnitSystem == kUnitUS; }

} // namespace

FireFields ShowFireFields(const TStructure& s)
{
    int exposure = 0, type = 0, rebar = 0;
    double time = 0.0, temperature = 0.0;
    s.GetFireData(exposure, type, rebar, time, temperature);
    FireFields f;
    f.bottom = (exposure & 1) != 0;
    f.sides = (exposure & 2) != 0;
    f.top = (exposure & 4) != 0;
    f.curve = type >= 0 && type <= 2 ? type : -1;
    f.minutes = StrPrintf("%5.f", time / 60.0);
    f.temperatureUnit = Fahrenheit() ? "degrees F" : "degrees C";
    f.temperature = StrPrintf("%5.0f", UnsignedZero(Fahrenheit() ? 1.8 * temperature + 32.0 : temperature, 0));
    f.rebarType = rebar >= 0 && rebar < static_cast<int>(kRebarFireTypes.size()) ? rebar : 0;
    return f;
}

TypedRefusal CheckFireFields(const FireFields& typed)
{
    double value = 0.0;
    const TypedRange time{kMinExposure / 60.0, kMaxExposure / 60.0, ukNone, "min", true};
    std::string message = ReadTypedValue(BoundedCopy(typed.minutes, 1024), "Exposure Time", time, value);
    if (!message.empty())
        return {0, message};
    const TypedRange temperature = Fahrenheit()
                                       ? TypedRange{32.0, 1.8 * kMaxFireTemperature + 32.0, ukNone, "degrees F"}
                                       : TypedRange{0.0, kMaxFireTemperature, ukNone, "degrees C"};
    message = ReadTypedValue(typed.temperature, "Constant Temperature", temperature, value);
    if (!message.empty())
        return {1, message};
    return {};
}

int ApplyFireFields(TStructure& s, const FireFields& typed)
{
    if (CheckFireFields(typed))
        return 0;
    int mask = (typed.bottom ? 1 : 0) + (typed.sides ? 2 : 0) + (typed.top ? 4 : 0);
    if (mask == 0) {
        ShowMessage("No sides of beam selected for fire exposure. Reset to bottom only", "Error in Exposure");
        mask = 1;
    }
    const int curve = typed.curve == 0 ? 0 : typed.curve == 1 ? 1 : 2;
    double time = TypedNumber(BoundedCopy(typed.minutes, 1024)) * 60.0;
    if (time < kMinExposure) {
        ShowMessage("Minimum fire exposure is 5 min. Resetting to that value.", "Error in Timing");
        time = kMinExposure;
    } else if (time > kMaxExposure) {
        ShowMessage("Maximum fire exposure is 10 hours. Resetting to that value.", "Error in Timing");
        time = kMaxExposure;
    }
    const double shown = TypedNumber(typed.temperature);
    const double celsius = Fahrenheit() ? (shown - 32.0) / 1.8 : shown;
    const int rebar = typed.rebarType >= 0 && typed.rebarType < static_cast<int>(kRebarFireTypes.size())
                          ? typed.rebarType
                          : 0;
    return s.SetFireData(mask, curve, rebar, time, celsius);
}
