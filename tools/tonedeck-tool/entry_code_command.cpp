// entry-code: the authentication code of each pattern, as a ready-made group entry.

#include "common/des.h"
#include "common/device_id_mgr.h"
#include "common/text.h"
#include "tools/tonedeck-tool/entry_reasons.h"
#include "tools/tonedeck-tool/tool.h"
#include "tools/tonedeck-tool/tool_text.h"

namespace tonedeck::tool {

namespace {

struct MadeEntry {
    std::u16string line;  // "PATTERN,CODE"
    std::string problem;  // why no usable entry can be made; empty when fine
};

MadeEntry MakeEntry(const std::u16string& pattern) {
    MadeEntry made;
    // Codes cover the pattern's characters as single bytes.
    std::string bytes;
    for (char16_t c : pattern) {
        if (c > 0xFF) {
            made.problem = "has a character beyond U+00FF; codes cover 8-bit characters only";
            return made;
        }
        if (c < 0x20 || c == 0x7F) {
            made.problem = "contains a control character";
            return made;
        }
        bytes.push_back(static_cast<char>(c));
    }
    std::string code = MakeEntryCode(bytes);
    made.line = pattern + u"," + AnsiToU16(code);

    // The entry must pass the very rule the programs apply to it (a comma or outer spaces in the
    // pattern would not).
    EntryCheck check = AuthenticateEntry(made.line, {});
    if (check.verdict != EntryVerdict::kAccepted) {
        made.problem = "would not be accepted: " + DescribeVerdict(check);
    }
    return made;
}

}  // namespace

int RunEntryCode(const std::vector<std::u16string>& patterns, ToolContext& context) {
    std::vector<std::u16string> lines;
    bool usable = true;
    for (const auto& pattern : patterns) {
        MadeEntry made = MakeEntry(pattern);
        if (!made.problem.empty()) {
            context.err << "tonedeck-tool: pattern " << Quoted(pattern) << " " << made.problem
                        << "\n";
            usable = false;
        }
        lines.push_back(made.line);
    }
    // All or nothing, so a script never picks up half a list.
    if (!usable) return kExitUsage;
    for (const auto& line : lines) context.out << U16ToUtf8(line) << "\n";
    return kExitOk;
}

}  // namespace tonedeck::tool
