// check-config: the device-ID groups and the keys of an AudioConfig.cfg, as the programs read them.

#include "common/device_id_mgr.h"
#include "common/ini_mgr.h"
#include "tools/tonedeck-tool/check_report.h"
#include "tools/tonedeck-tool/config_checks.h"
#include "tools/tonedeck-tool/tool.h"
#include "tools/tonedeck-tool/tool_text.h"

namespace tonedeck::tool {

namespace {

int CannotCheck(ToolContext& context, const std::u16string& file, const char* why) {
    context.err << "tonedeck-tool: cannot check " << Quoted(file) << ": " << why << "\n";
    return kExitProblems;
}

}  // namespace

int RunCheckConfig(const std::u16string& file, ToolContext& context) {
    const std::u16string path = context.fullPath(file);
    if (context.files.DirectoryExists(path)) return CannotCheck(context, file, "it is a directory");
    if (!context.files.FileExists(path)) return CannotCheck(context, file, "no such file");
    std::vector<uint8_t> bytes;
    if (context.files.ReadWholeFile(path, bytes) != FileReadStatus::Ok) {
        return CannotCheck(context, file, "the file cannot be read");
    }

    CheckReport report(context.out);
    report.out() << "Configuration file: " << Shown(path) << "\n";
    CIniMgr ini(context.files);
    int loadCode = ini.LoadFile(path);
    CheckFileText(bytes, ini, loadCode, report);

    report.out() << "\n";
    CheckGroup(context.files, path, kUsbGroupSection, ini, report);
    CheckGroup(context.files, path, kHidGroupSection, ini, report);

    report.out() << "\n";
    CheckKeys(context.profiles, path, ini, report);

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
