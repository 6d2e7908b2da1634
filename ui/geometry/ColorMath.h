#pragma once
#include <cstdint>

// Colours as the platform's COLORREF holds them: 0x00BBGGRR.
using UxColor = uint32_t;

constexpr UxColor rgbColor(int red, int green, int blue) {
    return static_cast<UxColor>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int redOf(UxColor color) { return static_cast<int>(color & 0xFF); }
constexpr int greenOf(UxColor color) { return static_cast<int>((color >> 8) & 0xFF); }
constexpr int blueOf(UxColor color) { return static_cast<int>((color >> 16) & 0xFF); }

// Hue, saturation and lightness, each scaled to 0..255.
struct HslColor {
    int hue = 0;
    int saturation = 0;
    int lightness = 0;
};

HslColor rgbToHsl(UxColor color);
UxColor hslToRgb(const HslColor& hsl);

// Lightens (positive) or darkens (negative) a colour by a percentage of the
// way to white or black, and the same for its saturation. Every owner-drawn
// button colour comes from here.
UxColor adjustColor(UxColor color, int lightnessChange, int saturationChange);
