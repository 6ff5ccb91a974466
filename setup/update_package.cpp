#include "setup/update_package.h"

namespace tonedeck {

namespace {
constexpr uint32_t kSubkeyNameChars = 260;
// A short rest between message rounds, so the wait does not spin a processor.
constexpr uint32_t kPumpRestMs = 10;
}  // namespace

bool IsUpdatePackageInstalled(Registry& registry, const std::u16string& name) {
    const RegistryKey key =
        registry.OpenKey(RegistryRoot::kLocalMachine, kPackagesKey, kKeyRead | kKeyWow64_64);
    if (!key) return false;
    const auto count = registry.SubkeyCount(key);
    const std::u16string prefix = u"Package_for_" + name + u"~";
    bool found = false;
    for (uint32_t index = 0; count && index < *count && !found; ++index) {
        const auto subkey = registry.SubkeyName(key, index, kSubkeyNameChars);
        found = subkey && subkey->starts_with(prefix);
    }
    registry.CloseKey(key);
    return found;
}

int RunAndWait(Processes& processes, Clock& clock, const std::u16string& file, int32_t waitMs) {
    ProcessHandle process;
    if (!processes.ShellOpen(file, process)) return 1;
    if (waitMs < 0 && process) processes.Wait(process, kWaitForever);
    if (process) processes.Close(process);
    if (waitMs <= 0) return 0;
    const uint32_t start = clock.TickCount();
    for (;;) {
        processes.PumpPendingMessages();
        const uint32_t now = clock.TickCount();
        const uint32_t elapsed = now >= start ? now - start : start - now;
        if (elapsed > static_cast<uint32_t>(waitMs)) break;
        clock.Sleep(kPumpRestMs);
    }
    return 0;
}

}  // namespace tonedeck
