#include "platform/win32/win32_profile_store.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/wide.h"

namespace tonedeck {

std::u16string Win32ProfileStore::GetString(const std::u16string& file,
                                            const std::u16string& section,
                                            const std::u16string& key,
                                            const std::u16string& defaultValue,
                                            std::size_t bufferChars) {
    // One spare character so a zero-sized call still has somewhere to point.
    std::vector<wchar_t> buffer(bufferChars + 1, L'\0');
    DWORD length = GetPrivateProfileStringW(ToWide(section).c_str(), ToWide(key).c_str(),
                                            ToWide(defaultValue).c_str(), buffer.data(),
                                            static_cast<DWORD>(bufferChars), ToWide(file).c_str());
    return FromWide(std::wstring_view(buffer.data(), std::min<std::size_t>(length, bufferChars)));
}

bool Win32ProfileStore::WriteString(const std::u16string& file, const std::u16string& section,
                                    const std::u16string& key, const std::u16string& value) {
    return WritePrivateProfileStringW(ToWide(section).c_str(), ToWide(key).c_str(),
                                      ToWide(value).c_str(), ToWide(file).c_str()) != FALSE;
}

}  // namespace tonedeck
