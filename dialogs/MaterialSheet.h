#pragma once
// The "Materials Page" sheet: the "Basic Properties" page (resource 14) and the detail pages
// of the concrete, reinforcing-steel and prestressing-steel types, on working copies that
// reach the structure only on OK.

#include <functional>

namespace plat {
class Window;
}
class TStructure;

namespace BasicPropertiesId {
inline constexpr int Resource = 14;
inline constexpr int Concrete = 104;
inline constexpr int Rebar = 105;
inline constexpr int Prestressing = 322;
inline constexpr int DetailedConcrete = 5009;
inline constexpr int DetailedRebar = 5010;
inline constexpr int DetailedPrestressing = 103;
} // namespace BasicPropertiesId

// Opens the sheet at the types given (-1: none); stayOnFirst keeps it on the basic page.
// markChanged tells the main window that structures changed. Answers the button that
// closed the sheet (1 OK).
int RunMaterialsSheet(plat::Window* parent, TStructure& structure, int concrete, int steel, int prestressing,
                      int stayOnFirst, const std::function<void()>& markChanged);
