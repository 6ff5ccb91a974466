#include "common/profile_io.h"
#include "panel/window/value_rules.h"
#include "tools/tonedeck-tool/tool_text.h"
#include "tools/tonedeck-tool/window_checks.h"

namespace tonedeck::tool {

std::u16string JoinPath(const std::u16string& folder, const std::u16string& relative) {
    const char16_t separator =
        folder.find(u'/') == std::u16string::npos && folder.find(u'\\') != std::u16string::npos
            ? u'\\'
            : u'/';
    std::u16string path = folder;
    if (!path.empty() && path.back() != separator) path += separator;
    for (char16_t c : relative) path += (c == u'\\' || c == u'/') ? separator : c;
    return path;
}

std::u16string ReadValue(ToolContext& context, const std::u16string& file,
                         std::u16string_view section, std::u16string_view key) {
    return context.profiles.GetString(file, std::u16string(section), std::u16string(key), u"",
                                      kProfileBufferChars);
}

void CheckIntegerFields(const std::vector<std::u16string>& fields,
                        std::initializer_list<std::size_t> indexes, const std::string& where,
                        CheckReport& report) {
    for (std::size_t index : indexes) {
        if (!FieldGiven(fields, index)) continue;
        try {
            ParseInteger(fields[index]);
        } catch (const InvalidIntegerError& error) {
            report.Problem(where + " field " + std::to_string(index + 1) + ": " + error.what());
        }
    }
}

int Finish(CheckReport& report) {
    report.out() << "\n";
    if (report.problems() == 0) {
        report.out() << "Result: OK\n";
        return kExitOk;
    }
    report.out() << "Result: " << report.problems()
                 << (report.problems() == 1 ? " problem\n" : " problems\n");
    return kExitProblems;
}

}  // namespace tonedeck::tool
