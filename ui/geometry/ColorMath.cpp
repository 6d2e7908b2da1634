#include "ui/geometry/ColorMath.h"

#include <algorithm>

namespace {

// Moves value toward 255 (positive change) or toward 0 (negative), in percent.
int changeBy(int value, int change) {
    if (change > 0)
        return value + (255 - value) * change / 100;
    if (change < 0)
        return value * (100 + change) / 100;
    return value;
}

double channelFromHue(double p, double q, double hue) {
    if (hue < 0.0)
        hue += 360.0;
    if (hue >= 360.0)
        hue -= 360.0;
    if (hue < 60.0)
        return p + (q - p) * hue / 60.0;
    if (hue < 180.0)
        return q;
    if (hue < 240.0)
        return p + (q - p) * (240.0 - hue) / 60.0;
    return p;
}

int toByte(double unit) { return std::clamp(static_cast<int>(unit * 255.0), 0, 255); }

}  // namespace

HslColor rgbToHsl(UxColor color) {
    const int red = redOf(color);
    const int green = greenOf(color);
    const int blue = blueOf(color);
    const double high = std::max({red, green, blue});
    const double low = std::min({red, green, blue});
    const double lightness = (high + low) / 510.0;

    HslColor hsl;
    hsl.lightness = static_cast<int>(lightness * 255.0);
    if (high == low)
        return hsl;

    const double range = high - low;
    const double saturation = lightness <= 0.5 ? range / (high + low) : range / (510.0 - high - low);
    double hue;
    if (blue == high)
        hue = 60.0 * (4.0 + (high - green) / range - (high - red) / range);
    else if (green == high)
        hue = 60.0 * (2.0 + (high - red) / range - (high - blue) / range);
    else
        hue = 60.0 * (6.0 + (high - blue) / range - (high - green) / range);
    if (hue > 360.0)
        hue -= 360.0;
    hsl.hue = static_cast<int>(hue * 255.0 / 360.0);
    hsl.saturation = static_cast<int>(saturation * 255.0);
    return hsl;
}

UxColor hslToRgb(const HslColor& hsl) {
    const double lightness = hsl.lightness / 255.0;
    if (hsl.saturation == 0) {
        const int grey = toByte(lightness);
        return rgbColor(grey, grey, grey);
    }
    const double saturation = hsl.saturation / 255.0;
    const double hue = hsl.hue * 360.0 / 255.0;
    const double q = lightness < 0.5 ? lightness * (1.0 + saturation) : lightness + saturation - lightness * saturation;
    const double p = 2.0 * lightness - q;
    return rgbColor(toByte(channelFromHue(p, q, hue + 120.0)), toByte(channelFromHue(p, q, hue)),
                    toByte(channelFromHue(p, q, hue - 120.0)));
}

UxColor adjustColor(UxColor color, int lightnessChange, int saturationChange) {
    HslColor hsl = rgbToHsl(color);
    hsl.lightness = changeBy(hsl.lightness, lightnessChange);
    hsl.saturation = changeBy(hsl.saturation, saturationChange);
    return hslToRgb(hsl);
}
