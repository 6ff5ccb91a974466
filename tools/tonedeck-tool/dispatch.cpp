#include <exception>

#include "common/text.h"
#include "tools/tonedeck-tool/tool.h"

namespace tonedeck::tool {

namespace {

constexpr char kUsage[] =
    "usage: tonedeck-tool entry-code PATTERN...\n"
    "           print \"PATTERN,CODE\" for each device-ID pattern\n"
    "       tonedeck-tool check-config FILE\n"
    "           check the device-ID groups and the keys of an AudioConfig.cfg\n";

int UsageError(ToolContext& context, const std::string& message) {
    if (!message.empty()) context.err << "tonedeck-tool: " << message << "\n";
    context.err << kUsage;
    return kExitUsage;
}

}  // namespace

int RunTool(const std::vector<std::u16string>& args, ToolContext& context) {
    if (args.empty()) return UsageError(context, "no command given");
    const std::u16string& command = args[0];
    if (command == u"help" || command == u"--help" || command == u"-h") {
        context.out << kUsage;
        return kExitOk;
    }
    try {
        if (command == u"entry-code") {
            if (args.size() < 2)
                return UsageError(context, "entry-code needs at least one pattern");
            return RunEntryCode({args.begin() + 1, args.end()}, context);
        }
        if (command == u"check-config") {
            if (args.size() != 2) return UsageError(context, "check-config needs exactly one file");
            return RunCheckConfig(args[1], context);
        }
    } catch (const std::exception& error) {
        context.err << "tonedeck-tool: " << U16ToUtf8(command) << " failed: " << error.what()
                    << "\n";
        return kExitProblems;
    }
    return UsageError(context, "unknown command \"" + U16ToUtf8(command) + "\"");
}

}  // namespace tonedeck::tool
