#pragma once
// Small value types of the window layer: points, sizes, rectangles and colours in device
// pixels. Rectangles follow the classic convention: left and top inside, right and bottom
// one past the last pixel.

#include <cstdint>

namespace plat {

// The largest width or height a window may take.
inline constexpr int kMaxWindowExtent = 16777215;

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
    bool operator==(const Size&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool operator==(const Rect&) const = default;
};

// An RGB colour, or an index into the palette of the device context that draws with it
// (resolved when drawing; see Palette in DC.h).
struct Color {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::int32_t paletteIndex = -1;
    constexpr Color() = default;
    constexpr Color(int red, int green, int blue)
        : r(static_cast<std::uint8_t>(red)), g(static_cast<std::uint8_t>(green)),
          b(static_cast<std::uint8_t>(blue)) {}
    static constexpr Color PaletteIndex(int index) {
        Color c;
        c.paletteIndex = index < 0 ? 0 : index & 0xFFFF;
        return c;
    }
    constexpr bool IsPaletteIndex() const { return paletteIndex >= 0; }
    bool operator==(const Color&) const = default;
};

// The named colours of the drawing code.
namespace Colors {
inline constexpr Color Black{0, 0, 0};
inline constexpr Color White{255, 255, 255};
inline constexpr Color Gray{128, 128, 128};
inline constexpr Color LtGray{192, 192, 192};
inline constexpr Color LtRed{255, 0, 0};
inline constexpr Color LtGreen{0, 255, 0};
inline constexpr Color LtBlue{0, 0, 255};
inline constexpr Color LtYellow{255, 255, 0};
inline constexpr Color LtMagenta{255, 0, 255};
inline constexpr Color LtCyan{0, 255, 255};
} // namespace Colors

// Mouse-message key flags.
namespace KeyFlags {
inline constexpr unsigned LButton = 0x1;
inline constexpr unsigned RButton = 0x2;
inline constexpr unsigned Shift = 0x4;
inline constexpr unsigned Control = 0x8;
inline constexpr unsigned MButton = 0x10;
} // namespace KeyFlags

// Virtual key codes used by accelerator tables.
namespace VKey {
inline constexpr int Tab = 0x09;
inline constexpr int Return = 0x0D;
inline constexpr int Escape = 0x1B;
inline constexpr int PageUp = 0x21;
inline constexpr int PageDown = 0x22;
inline constexpr int End = 0x23;
inline constexpr int Home = 0x24;
inline constexpr int Up = 0x26;
inline constexpr int Down = 0x28;
inline constexpr int Delete = 0x2E;
inline constexpr int F1 = 0x70;
// Digits and letters are their ASCII capitals ('1', 'C').
} // namespace VKey

} // namespace plat
