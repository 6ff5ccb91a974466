#include "setup/setup_trace.h"

namespace tonedeck {

std::u16string FormatCode(uint32_t code) {
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    std::u16string text = u"0x";
    for (int shift = 28; shift >= 0; shift -= 4) text += kHex[(code >> shift) & 0xF];
    return text;
}

void TraceMethod(SystemInfo& system, std::u16string_view method) {
    system.Trace(u"==> " + std::u16string(method) + u"\n");
}

void TraceFailure(SystemInfo& system, std::u16string_view method, uint32_t code) {
    system.Trace(u"***** " + std::u16string(method) + u" (" + FormatCode(code) + u") *****\n");
}

}  // namespace tonedeck
