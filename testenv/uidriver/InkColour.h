#pragma once
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

// Which colour a piece of text was drawn in, judged from the pixels of the
// rectangle it sits in. No platform headers: the native tests read this too.

// As the platform's COLORREF holds a colour: 0x00BBGGRR.
using PixelColour = uint32_t;

constexpr PixelColour pixelColour(int red, int green, int blue) {
    return static_cast<PixelColour>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int pixelRed(PixelColour colour) { return static_cast<int>(colour & 0xFF); }
constexpr int pixelGreen(PixelColour colour) { return static_cast<int>((colour >> 8) & 0xFF); }
constexpr int pixelBlue(PixelColour colour) { return static_cast<int>((colour >> 16) & 0xFF); }

// The largest difference in any one channel.
inline int colourDistance(PixelColour a, PixelColour b) {
    const int red = std::abs(pixelRed(a) - pixelRed(b));
    const int green = std::abs(pixelGreen(a) - pixelGreen(b));
    const int blue = std::abs(pixelBlue(a) - pixelBlue(b));
    return std::max(red, std::max(green, blue));
}

inline std::string formatColour(PixelColour colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", pixelRed(colour), pixelGreen(colour), pixelBlue(colour));
    return text;
}

struct NamedColour {
    const char* name;
    PixelColour colour;
};

// The list rows' text colours (a record the same on both sides is black,
// one missing on the other side green, one that differs blue), under the
// names of the colours and of the statuses, and the highlight text colour.
// The first name of a colour is the one reports use.
inline const std::vector<NamedColour>& namedColours() {
    static const std::vector<NamedColour> colours = {
        {"black", pixelColour(0, 0, 0)},       {"green", pixelColour(0, 128, 0)}, {"blue", pixelColour(0, 0, 255)},
        {"white", pixelColour(255, 255, 255)}, {"same", pixelColour(0, 0, 0)},    {"missing", pixelColour(0, 128, 0)},
        {"differs", pixelColour(0, 0, 255)},
    };
    return colours;
}

// A colour name (any case) or #rrggbb.
inline bool parseColour(const std::string& text, PixelColour* colour) {
    if (text.size() == 7 && text[0] == '#') {
        for (size_t index = 1; index < text.size(); ++index) {
            if (!std::isxdigit(static_cast<unsigned char>(text[index])))
                return false;
        }
        const unsigned long value = std::strtoul(text.c_str() + 1, nullptr, 16);
        *colour = pixelColour(static_cast<int>(value >> 16), static_cast<int>(value >> 8), static_cast<int>(value));
        return true;
    }
    std::string lower;
    for (char c : text)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const NamedColour& named : namedColours()) {
        if (lower == named.name) {
            *colour = named.colour;
            return true;
        }
    }
    return false;
}

// Text darker or lighter than the background by less than this is not text.
constexpr int MinimumInkContrast = 48;

struct InkReading {
    bool found = false;
    // The commonest colour of the rectangle.
    PixelColour background = 0;
    // The commonest of the pixels that stand out most from the background:
    // anti-aliased edges are blends and lie nearer to it.
    PixelColour ink = 0;
    size_t inkPixels = 0;
    size_t pixels = 0;
};

namespace inkcolour_detail {

inline PixelColour commonest(const std::map<PixelColour, size_t>& counts, PixelColour reference, size_t* count) {
    PixelColour best = 0;
    size_t bestCount = 0;
    int bestDistance = -1;
    for (const auto& entry : counts) {
        const int distance = colourDistance(entry.first, reference);
        if (entry.second > bestCount || (entry.second == bestCount && distance > bestDistance)) {
            best = entry.first;
            bestCount = entry.second;
            bestDistance = distance;
        }
    }
    *count = bestCount;
    return best;
}

}  // namespace inkcolour_detail

inline InkReading readInk(const std::vector<PixelColour>& pixels) {
    InkReading reading;
    reading.pixels = pixels.size();
    if (pixels.empty())
        return reading;
    std::map<PixelColour, size_t> counts;
    for (PixelColour pixel : pixels)
        ++counts[pixel & 0xFFFFFF];
    size_t backgroundCount = 0;
    reading.background = inkcolour_detail::commonest(counts, 0, &backgroundCount);
    int farthest = 0;
    for (const auto& entry : counts)
        farthest = std::max(farthest, colourDistance(entry.first, reading.background));
    if (farthest < MinimumInkContrast)
        return reading;
    const int strongDistance = std::max(MinimumInkContrast, (farthest + 1) / 2);
    std::map<PixelColour, size_t> strong;
    for (const auto& entry : counts) {
        if (colourDistance(entry.first, reading.background) >= strongDistance) {
            strong[entry.first] = entry.second;
            reading.inkPixels += entry.second;
        }
    }
    size_t inkCount = 0;
    reading.ink = inkcolour_detail::commonest(strong, reading.background, &inkCount);
    reading.found = true;
    return reading;
}

// How far the ink is from a blend of the background towards the expected
// colour, and how far along that blend it lies (1 = the colour itself).
struct BlendFit {
    double alpha = 0;
    int residual = 255;
};

inline BlendFit fitBlend(PixelColour ink, PixelColour background, PixelColour expected) {
    const int ink3[3] = {pixelRed(ink), pixelGreen(ink), pixelBlue(ink)};
    const int back3[3] = {pixelRed(background), pixelGreen(background), pixelBlue(background)};
    const int want3[3] = {pixelRed(expected), pixelGreen(expected), pixelBlue(expected)};
    double along = 0, length = 0;
    for (int channel = 0; channel < 3; ++channel) {
        along += double(ink3[channel] - back3[channel]) * (want3[channel] - back3[channel]);
        length += double(want3[channel] - back3[channel]) * (want3[channel] - back3[channel]);
    }
    BlendFit fit;
    if (length == 0)
        return fit;
    fit.alpha = std::min(1.0, std::max(0.0, along / length));
    fit.residual = 0;
    for (int channel = 0; channel < 3; ++channel) {
        const double blended = back3[channel] + fit.alpha * (want3[channel] - back3[channel]);
        const int off = static_cast<int>(std::abs(ink3[channel] - blended) + 0.5);
        fit.residual = std::max(fit.residual, off);
    }
    return fit;
}

// Close to the colour itself, or a strong blend of it over the background
// (text that anti-aliasing left without a single pure pixel).
constexpr int InkTolerance = 40;
constexpr double StrongBlend = 0.6;
constexpr int BlendTolerance = 24;

inline bool inkMatches(const InkReading& reading, PixelColour expected) {
    if (!reading.found)
        return false;
    if (colourDistance(reading.ink, expected) <= InkTolerance)
        return true;
    const BlendFit fit = fitBlend(reading.ink, reading.background, expected);
    return fit.alpha >= StrongBlend && fit.residual <= BlendTolerance;
}

// The report's name for what was seen: the first named colour that matches
// best, or "" for none.
inline std::string inkName(const InkReading& reading) {
    std::string best;
    int bestScore = 1 << 30;
    for (const NamedColour& named : namedColours()) {
        if (!inkMatches(reading, named.colour))
            continue;
        const int score = std::min(colourDistance(reading.ink, named.colour),
                                   fitBlend(reading.ink, reading.background, named.colour).residual);
        if (score < bestScore) {
            best = named.name;
            bestScore = score;
        }
    }
    return best;
}
