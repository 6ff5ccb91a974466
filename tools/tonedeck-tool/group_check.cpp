// One device-ID group, loaded as the programs load it, entry by entry.

#include "common/device_id_mgr.h"
#include "tools/tonedeck-tool/config_checks.h"
#include "tools/tonedeck-tool/entry_reasons.h"
#include "tools/tonedeck-tool/tool_text.h"

namespace tonedeck::tool {

namespace {
constexpr char kEntryIndent[] = "       ";
}  // namespace

void CheckGroup(FileSystem& files, const std::u16string& path, const std::u16string& section,
                const CIniMgr& ini, CheckReport& report) {
    CDeviceIdMgr group(files);
    int code = group.LoadGroup(path, section);
    const auto& entries = group.entries();
    const auto& checks = group.checks();

    std::ostream& out = report.out();
    out << "[" << Shown(section) << "] LoadGroup " << code << ": " << DescribeLoadGroup(code);
    if (code == kGroupLoaded || code == kGroupEmptyPart) {
        out << "; " << group.accepted().size() << " of " << entries.size() << " entries accepted";
    }
    out << "\n";
    if (code != kGroupLoaded) report.Count();

    // The group's own model holds no key names; the same file read by the same rules gives them
    // in the same order.
    std::vector<std::u16string> keys;
    ini.GetKeyNames(section, keys);
    if (keys.size() != entries.size()) keys.clear();

    for (std::size_t i = 0; i < entries.size(); ++i) {
        out << "  " << (i + 1) << ". ";
        if (!keys.empty()) out << Shown(keys[i]) << ": ";
        if (i >= checks.size()) {
            out << "not checked (authentication stopped at entry " << checks.size() << ")\n"
                << kEntryIndent << "entry " << Quoted(entries[i]) << "\n";
            report.Count();
            continue;
        }
        const EntryCheck& check = checks[i];
        if (check.verdict == EntryVerdict::kAccepted) {
            out << "accepted " << Shown(check.pattern) << "\n";
            continue;
        }
        out << "rejected: " << DescribeVerdict(check) << "\n"
            << kEntryIndent << "entry " << Quoted(entries[i]) << "\n";
        report.Count();
    }
}

}  // namespace tonedeck::tool
