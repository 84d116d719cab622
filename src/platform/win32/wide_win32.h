// The program's UTF-8 as the system's wide (W) calls take it, and back: the one
// conversion pair (support/text.h) for wchar_t.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "support/text.h"

namespace ostrel {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the system's text is UTF-16");

inline std::wstring wide(std::string_view utf8) {
    const std::u16string text = toUtf16(utf8);
    return std::wstring(text.begin(), text.end());
}

inline std::string narrow(std::wstring_view text) {
    return toUtf8(std::u16string(text.begin(), text.end()));
}

} // namespace ostrel
