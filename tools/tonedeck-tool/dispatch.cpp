#include <exception>

#include "common/text.h"
#include "tools/tonedeck-tool/tool.h"
#include "tools/tonedeck-tool/window_checks.h"

namespace tonedeck::tool {

namespace {

constexpr char kUsage[] =
    "usage: tonedeck-tool entry-code PATTERN...\n"
    "           print \"PATTERN,CODE\" for each device-ID pattern\n"
    "       tonedeck-tool check-config FILE\n"
    "           check the device-ID groups and the keys of an AudioConfig.cfg\n"
    "       tonedeck-tool check-skin FOLDER\n"
    "           check a skin folder: SkinSetting.ini keys, pictures and region file\n"
    "       tonedeck-tool check-language FILE\n"
    "           check the keys and numbers of a Language.ini\n"
    "       tonedeck-tool simulate SCRIPT\n"
    "           play a script of device events against the simulated sound device and print\n"
    "           the HID reports and driver requests\n";

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
        if (command == u"check-skin") {
            if (args.size() != 2) return UsageError(context, "check-skin needs exactly one folder");
            return RunCheckSkin(args[1], context);
        }
        if (command == u"check-language") {
            if (args.size() != 2) {
                return UsageError(context, "check-language needs exactly one file");
            }
            return RunCheckLanguage(args[1], context);
        }
        if (command == u"simulate") {
            if (args.size() != 2) return UsageError(context, "simulate needs exactly one script");
            return RunSimulate(args[1], context);
        }
    } catch (const std::exception& error) {
        context.err << "tonedeck-tool: " << U16ToUtf8(command) << " failed: " << error.what()
                    << "\n";
        return kExitProblems;
    }
    return UsageError(context, "unknown command \"" + U16ToUtf8(command) + "\"");
}

}  // namespace tonedeck::tool
