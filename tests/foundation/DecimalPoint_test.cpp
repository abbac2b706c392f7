// The foundation's number texts under a language setting that writes a half as "0,5" (German,
// made for the test), set for the whole process as the window toolkit sets it when it starts:
// formatted numbers, typed numbers and their refusals read as in the setting "C".

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>

#include "foundation/DecimalPoint.h"
#include "foundation/StrFormat.h"
#include "foundation/TTextBuffer.h"
#include "foundation/TypedNumber.h"
#include "foundation/Units.h"
#include "support/CommaDecimalSetting.h"
#include "support/TestSupport.h"

namespace {

// The process in the German setting while the guard lives; the setting before is put back.
class GermanSetting {
public:
    explicit GermanSetting(const TempDir& dir) {
        m_made = comma_decimal::Make(dir.path() / "locales");
        const char* path = std::getenv("LOCPATH");
        m_hadPath = path != nullptr;
        if (path)
            m_path = path;
        ::setenv("LOCPATH", (dir.path() / "locales").c_str(), 1);
        m_before = std::setlocale(LC_ALL, nullptr);
        m_taken = std::setlocale(LC_ALL, comma_decimal::kSetting) != nullptr;
    }
    ~GermanSetting() {
        std::setlocale(LC_ALL, m_before.c_str());
        if (m_hadPath)
            ::setenv("LOCPATH", m_path.c_str(), 1);
        else
            ::unsetenv("LOCPATH");
    }
    GermanSetting(const GermanSetting&) = delete;
    GermanSetting& operator=(const GermanSetting&) = delete;

    // Empty when the process is in the setting, else why not.
    std::string Why() const {
        if (!m_made.empty())
            return m_made;
        if (!m_taken)
            return "the setting made could not be taken";
        return std::string(std::localeconv()->decimal_point) == "," ? "" : "the setting writes no decimal comma";
    }

private:
    std::string m_made, m_path, m_before;
    bool m_hadPath = false, m_taken = false;
};

TEST(DecimalPoint, NumbersReadAndWriteAsInTheCSettingUnderADecimalComma)
{
    TempDir dir;
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    const GermanSetting german(dir);
    ASSERT_EQ(german.Why(), "");

    EXPECT_EQ(StrPrintf("%5.1f|%.3e|%g", 1000.0, -0.0003, 0.5), "1000.0|-3.000e-04|0.5");
    EXPECT_EQ(StrPrintfUnsignedZeros("%.2f %.1f", -0.001, 2.25), "0.00 2.2");
    TMessageBuffer buffer;
    buffer.Format("f_c' = %5.1f %s", 30.0, "MPa");
    EXPECT_EQ(buffer.GetText(), "f_c' =  30.0 MPa");
    char text[16];
    EXPECT_EQ(DecimalSnprintf(text, sizeof text, "%4.2f", 0.125), 4);
    EXPECT_EQ(std::string(text), "0.12");

    char* end = nullptr;
    const char* number = " -0.300e1x";
    EXPECT_EQ(DecimalStrtod(number, &end), -3.0);
    EXPECT_EQ(end, number + 9);
    EXPECT_EQ(DecimalStrtod("0,5", nullptr), 0.0);

    EXPECT_EQ(TypedNumber("0.5"), 0.5);
    EXPECT_TRUE(std::isnan(TypedNumber("0,5")));
    const TypedRange force{-1e9, 1e9, ukForce};
    double value = 0.0;
    EXPECT_EQ(ReadTypedValue("0.5", "Increment of Shear", force, value), "");
    EXPECT_EQ(value, 500.0);
    EXPECT_EQ(ReadTypedValue("0,5", "Increment of Shear", force, value),
              "Increment of Shear must be a number from -1000000 to 1000000 kN.");
    EXPECT_EQ(TypedRangeMessage("Concrete Factor", TypedRange{0.01, 10, ukNone, "", true}),
              "Concrete Factor must be a number (values are kept within 0.01 to 10).");
}

} // namespace
