#pragma once
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "testenv/uidriver/InkColour.h"

// The screen's pixels as the user sees them: a rectangle of it read back,
// or all of it written to a bitmap file.

namespace screenpixels_detail {

class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc_ != nullptr)
            ReleaseDC(nullptr, dc_);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

class MemoryDc {
public:
    explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
    ~MemoryDc() {
        if (dc_ != nullptr)
            DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// A 32-bit top-down image the screen is copied into, selected into a memory
// DC for as long as it lives.
class CaptureImage {
public:
    CaptureImage(HDC screen, int width, int height, int bitsPerPixel) : memory_(screen) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = bitsPerPixel == 32 ? -height : height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
        info.bmiHeader.biCompression = BI_RGB;
        if (memory_.get() != nullptr)
            bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels_, nullptr, 0);
        if (bitmap_ != nullptr)
            previous_ = SelectObject(memory_.get(), bitmap_);
    }
    ~CaptureImage() {
        if (bitmap_ == nullptr)
            return;
        SelectObject(memory_.get(), previous_);
        DeleteObject(bitmap_);
    }
    CaptureImage(const CaptureImage&) = delete;
    CaptureImage& operator=(const CaptureImage&) = delete;

    bool valid() const { return bitmap_ != nullptr && pixels_ != nullptr; }
    HDC dc() const { return memory_.get(); }
    const void* pixels() const { return pixels_; }

private:
    MemoryDc memory_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    void* pixels_ = nullptr;
};

inline bool writeBitmapFile(const std::string& path, int width, int height, const void* pixels, DWORD pixelBytes) {
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + pixelBytes;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return false;
    const bool written = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&info, sizeof info, 1, out) == 1 &&
                         std::fwrite(pixels, pixelBytes, 1, out) == 1;
    return std::fclose(out) == 0 && written;
}

}  // namespace screenpixels_detail

// The pixels of a rectangle of the screen, row by row, as COLORREF values.
inline bool readScreenPixels(const RECT& area, std::vector<PixelColour>* pixels) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    pixels->clear();
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096)
        return false;
    screenpixels_detail::ScreenDc screen;
    screenpixels_detail::CaptureImage image(screen.get(), width, height, 32);
    if (!image.valid() || !BitBlt(image.dc(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY))
        return false;
    GdiFlush();
    // A 32-bit DIB holds blue, green, red, unused: the reverse of COLORREF.
    const unsigned char* bytes = static_cast<const unsigned char*>(image.pixels());
    pixels->reserve(static_cast<size_t>(width) * height);
    for (int index = 0; index < width * height; ++index) {
        const unsigned char* pixel = bytes + 4 * index;
        pixels->push_back(pixelColour(pixel[2], pixel[1], pixel[0]));
    }
    return true;
}

// The whole screen as a 24-bit bitmap file.
inline bool writeScreenshot(const std::string& path) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    if (width <= 0 || height <= 0)
        return false;
    screenpixels_detail::ScreenDc screen;
    screenpixels_detail::CaptureImage image(screen.get(), width, height, 24);
    if (!image.valid() || !BitBlt(image.dc(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY))
        return false;
    GdiFlush();
    const DWORD stride = ((width * 3 + 3) / 4) * 4;
    return screenpixels_detail::writeBitmapFile(path, width, height, image.pixels(), stride * height);
}
