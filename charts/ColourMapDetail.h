#pragma once
// Small helpers shared by the colour map's source files.

#include <cstdio>
#include <string>

#include "foundation/DecimalPoint.h"
#include "foundation/TypedNumber.h"
#include "platform/Device.h"

namespace colourmap_detail {

// Pixel positions computed from data: held to the range of int.
inline int Trunc(double v) { return ClampToInt(v); }

inline std::string Fmt(const char* format, double v)
{
    char buf[128];
    DecimalSnprintf(buf, sizeof buf, format, v);
    return buf;
}

inline plat::LogFont Arial(int height)
{
    plat::LogFont f;
    f.height = height;
    f.weight = 400;
    f.face = "Arial";
    return f;
}

} // namespace colourmap_detail
