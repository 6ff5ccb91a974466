// check-language: a Language.ini's GlobalFont and label keys, by the control panel's rules.

#include "common/text.h"
#include "panel/window/language_table.h"
#include "panel/window/value_rules.h"
#include "tools/tonedeck-tool/tool_text.h"
#include "tools/tonedeck-tool/window_checks.h"

namespace tonedeck::tool {

int RunCheckLanguage(const std::u16string& fileArgument, ToolContext& context) {
    const std::u16string file = context.fullPath(fileArgument);
    if (context.files.DirectoryExists(file) || !context.files.FileExists(file)) {
        context.err << "tonedeck-tool: cannot check " << Quoted(fileArgument) << ": no such file\n";
        return kExitProblems;
    }
    CheckReport report(context.out);
    report.out() << "Language file: " << Shown(file) << "\n";
    for (auto key : {u"ColorUp", u"ColorDown", u"FontSize"}) {
        auto fields = SplitFields(ReadValue(context, file, u"GlobalFont", key));
        CheckIntegerFields(fields, {0}, "[GlobalFont] " + U16ToUtf8(key), report);
    }
    if (ReadValue(context, file, u"GlobalFont", u"Font").size() > kFontNameChars) {
        report.Problem("[GlobalFont] Font: longer than 63 characters");
    }
    for (const LabelKey& key : LabelKeys()) {
        const std::string where = "[" + U16ToUtf8(key.section) + "] " + U16ToUtf8(key.key);
        const std::u16string value = ReadValue(context, file, key.section, key.key);
        if (value.empty()) {
            report.Problem(where + ": missing");
            continue;
        }
        auto fields = SplitFields(value);
        if (fields[0].size() > kCaptionChars) {
            report.Problem(where + ": caption longer than 127 characters");
        }
        CheckIntegerFields(fields, {1, 2, 4, 5, 6, 7, 8}, where, report);
    }
    return Finish(report);
}

}  // namespace tonedeck::tool
