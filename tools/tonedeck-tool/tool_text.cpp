#include "tools/tonedeck-tool/tool_text.h"

#include <cstdio>

#include "common/text.h"

namespace tonedeck::tool {

std::string Shown(std::u16string_view text) {
    std::string shown;
    for (char16_t c : text) {
        char escaped[8];
        if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(c));
            shown += escaped;
        } else if (c >= 0xD800 && c < 0xE000) {
            // A lone surrogate has no UTF-8 form.
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(c));
            shown += escaped;
        } else {
            shown += U16ToUtf8(std::u16string_view(&c, 1));
        }
    }
    return shown;
}

std::string Quoted(std::u16string_view text) { return "\"" + Shown(text) + "\""; }

}  // namespace tonedeck::tool
