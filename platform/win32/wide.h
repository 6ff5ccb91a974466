#pragma once
// UTF-16 crosses the Win32 boundary unchanged: wchar_t is 16 bits on Windows.

#include <string>
#include <string_view>

namespace tonedeck {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16");

inline std::wstring ToWide(std::u16string_view text) {
    return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

inline std::u16string FromWide(std::wstring_view text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

}  // namespace tonedeck
