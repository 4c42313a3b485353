#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// UTF-8 to the UTF-16 of Windows' wide calls.
inline std::wstring widen(std::string_view text)
{
    std::wstring wide(text.size(), L'\0');
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      wide.data(), static_cast<int>(wide.size()));
    wide.resize(n > 0 ? n : 0);
    return wide;
}
