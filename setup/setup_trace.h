#pragma once
// The installer's debugger trace lines.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ports/system_info.h"

namespace tonedeck {

// "0x80000301": eight upper-case hexadecimal digits.
std::u16string FormatCode(uint32_t code);

// "==> %s\n" with "Class::Method".
void TraceMethod(SystemInfo& system, std::u16string_view method);
// "***** %s (0x........) *****\n".
void TraceFailure(SystemInfo& system, std::u16string_view method, uint32_t code);

}  // namespace tonedeck
