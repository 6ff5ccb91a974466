#pragma once
// Turning Win32 failures into exceptions, and exceptions into the text the user sees.

#include <windows.h>

#include <string>

namespace tonedeck {

// "<operation> failed: <system text> (<code>)" for the thread's last error.
[[noreturn]] void ThrowLastError(const char* operation);
std::string SystemErrorText(DWORD code);

// Text of the exception being handled; empty when it carries none. Call inside a catch block.
std::u16string CurrentExceptionText();

void ShowErrorBox(HWND owner, const std::u16string& caption, const std::u16string& text);

}  // namespace tonedeck
