#include "platform/TextCodec.h"

#include <windows.h>

std::u16string ansiToUtf16(const std::string& text) {
    if (text.empty())
        return std::u16string();
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0)
        return std::u16string();
    std::u16string wide(static_cast<size_t>(length), u'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), reinterpret_cast<wchar_t*>(&wide[0]),
                        length);
    return wide;
}

std::string utf16ToAnsi(const std::u16string& text) {
    if (text.empty())
        return std::string();
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    int length = WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return std::string();
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), &narrow[0], length, nullptr, nullptr);
    return narrow;
}
