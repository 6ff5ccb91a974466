#pragma once
// UTF-16 text helpers shared by both programs and the tools.

#include <string>
#include <string_view>

namespace tonedeck {

// Characters outside the Basic Multilingual Plane become U+FFFD; bad UTF-8 bytes too.
std::u16string Utf8ToU16(std::string_view utf8);
std::string U16ToUtf8(std::u16string_view text);

// The 8-bit code page used where Windows would use the system's ANSI code page
// (windows-1252 here, so results match a Western-European Windows).
std::u16string AnsiToU16(std::string_view bytes);
// Characters the code page cannot hold become '?', as WideCharToMultiByte does by default.
std::string U16ToAnsi(std::u16string_view text);

// ASCII letters only, as the device-ID rules ask.
std::u16string AsciiUpper(std::u16string_view text);
bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b);

// A number in decimal digits, as registry value names and captions show it.
std::u16string DecimalText(long long value);

std::u16string_view TrimChar(std::u16string_view text, char16_t c);
// Blanks as the private-profile functions see them: space and tab.
std::u16string_view TrimBlanks(std::u16string_view text);

}  // namespace tonedeck
