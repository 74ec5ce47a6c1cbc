#pragma once

#include <cstdint>

// A colour as the program stores and names it: 0x00BBGGRR, red in the lowest byte.
using ColorRef = std::uint32_t;

// Not a colour: the text colour of the surface drawn on, whatever it is (the desktop's text colour on screen,
// black on paper). Characters nobody coloured carry it.
inline constexpr ColorRef kDefaultTextColor = 0xFF000000;

constexpr ColorRef MakeColorRef(int red, int green, int blue) {
    return static_cast<ColorRef>(red & 0xFF) | (static_cast<ColorRef>(green & 0xFF) << 8) |
           (static_cast<ColorRef>(blue & 0xFF) << 16);
}

constexpr int RedOf(ColorRef color) {
    return static_cast<int>(color & 0xFF);
}
constexpr int GreenOf(ColorRef color) {
    return static_cast<int>((color >> 8) & 0xFF);
}
constexpr int BlueOf(ColorRef color) {
    return static_cast<int>((color >> 16) & 0xFF);
}
