#include "charts/LineTypes.h"

namespace {

int VisibleStyle(int style)
{
    const int s = style % kVisibleLineStyles;
    return s < 0 ? s + kVisibleLineStyles : s;
}

} // namespace

plat::Color LineTypeColour(int lineType, plat::Color callerColour)
{
    using namespace plat::Colors;
    const int t = lineType >= 99 && lineType <= 109 ? lineType - 99 : lineType;
    switch (t) {
    case 0: return callerColour;
    case 1: return LtRed;
    case 2: return LtGreen;
    case 3: return LtMagenta;
    case 4: return LtGray;
    case 5: return LtCyan;
    case 6: return LtYellow;
    case 7: return Black;
    case 8: return plat::Color(128, 0, 0);
    case 9: return plat::Color(0, 128, 0);
    case 10: return Gray;
    default: return LtRed;
    }
}

LineTypePen ResolveLineTypePen(int lineType, int width, bool blackAndWhite, int style,
                               plat::Color colour)
{
    if (!blackAndWhite)
        return {LineTypeColour(lineType, colour), width, VisibleStyle(style)};
    if (style == 0 && lineType == 0)
        return {plat::Colors::Black, width, 0};
    const long long computed = lineType < 100 ? static_cast<long long>(lineType) + style : style;
    return {plat::Colors::Black, 1, VisibleStyle(static_cast<int>(computed % kVisibleLineStyles))};
}
