#include "platform/win32/win32_errors.h"

#include <exception>
#include <stdexcept>

#include "common/text.h"
#include "platform/win32/wide.h"

namespace tonedeck {

std::string SystemErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
        text.pop_back();
    }
    return U16ToUtf8(FromWide(text)) + " (" + std::to_string(code) + ")";
}

void ThrowLastError(const char* operation) {
    const DWORD code = GetLastError();
    throw std::runtime_error(std::string(operation) + " failed: " + SystemErrorText(code));
}

std::u16string CurrentExceptionText() {
    try {
        throw;
    } catch (const std::exception& error) {
        return Utf8ToU16(error.what());
    } catch (...) {
        return std::u16string();
    }
}

void ShowErrorBox(HWND owner, const std::u16string& caption, const std::u16string& text) {
    MessageBoxW(owner, ToWide(text).c_str(), ToWide(caption).c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace tonedeck
