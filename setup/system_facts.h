#pragma once
// What the installer learns about the running Windows once, at start.

#include <cstdint>
#include <string>

#include "platform/ports/payloads.h"
#include "platform/ports/system_info.h"

namespace tonedeck {

struct SystemFacts {
    bool is64BitWindows = false;
    bool isWindows7 = false;  // version 6.1
    uint32_t servicePackMajor = 0;
    std::u16string setupVersion;  // "a.b.c.d", empty without a version resource
};

// The one place that decides "64-bit Windows". A 64-bit build of the installer only runs on
// 64-bit Windows and then acts as the shipped 32-bit installer does there (64-bit payloads,
// x86 system folder); a 32-bit build asks WOW64.
bool Is64BitWindows(SystemInfo& system, bool programIs64Bit);

// Traces "***** Get Windows Version FAIL! *****\n" when the version query fails.
SystemFacts TakeSystemFacts(SystemInfo& system, Payloads& payloads, bool programIs64Bit);

// The system as the installer's shared code should see it: the WOW64 question is answered
// with the 64-bit fact, so the configuration's system folders follow it too.
class InstallerSystemInfo : public SystemInfo {
  public:
    InstallerSystemInfo(SystemInfo& system, bool is64BitWindows)
        : system_(system), is64BitWindows_(is64BitWindows) {}

    std::optional<OsVersionRecord> QueryVersion(uint32_t recordSize) override {
        return system_.QueryVersion(recordSize);
    }
    std::optional<bool> IsWow64() override { return is64BitWindows_; }
    std::u16string KnownFolderPath(KnownFolder folder, bool create) override {
        return system_.KnownFolderPath(folder, create);
    }
    std::u16string SystemDirectory() override { return system_.SystemDirectory(); }
    std::optional<bool> DisableFsRedirection(void** previousState) override {
        return system_.DisableFsRedirection(previousState);
    }
    std::optional<bool> RevertFsRedirection(void* previousState) override {
        return system_.RevertFsRedirection(previousState);
    }
    std::optional<std::u16string> Environment(const std::u16string& name) override {
        return system_.Environment(name);
    }
    void Trace(const std::u16string& line) override { system_.Trace(line); }
    int ScreenDpi() override { return system_.ScreenDpi(); }

  private:
    SystemInfo& system_;
    bool is64BitWindows_;
};

}  // namespace tonedeck
