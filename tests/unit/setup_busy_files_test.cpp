// Program files that another process still holds while the installer replaces them: the
// control panel asked to close, the service just stopped. The write is tried again for a
// bounded while before the step fails.

#include <gtest/gtest.h>

#include <algorithm>

#include "setup/payload_files.h"
#include "tests/unit/setup_world.h"

namespace tonedeck::setup_test {
namespace {

// The world's files, with one path whose next writes fail as if another process held it.
class BusyFiles : public FileSystem {
  public:
    explicit BusyFiles(SimFileSystem& files) : files_(files) {}

    FileReadStatus ReadWholeFile(const std::u16string& path, std::vector<uint8_t>& bytes) override {
        return files_.ReadWholeFile(path, bytes);
    }
    bool WriteWholeFile(const std::u16string& path, const std::vector<uint8_t>& bytes) override {
        if (AsciiUpper(path) == AsciiUpper(busyPath) && busyWrites != 0) {
            if (busyWrites > 0) --busyWrites;
            ++refused;
            return false;
        }
        return files_.WriteWholeFile(path, bytes);
    }
    bool FileExists(const std::u16string& path) override { return files_.FileExists(path); }
    bool DirectoryExists(const std::u16string& path) override {
        return files_.DirectoryExists(path);
    }
    bool CreateFolder(const std::u16string& path) override { return files_.CreateFolder(path); }
    std::vector<FolderEntry> ListFolder(const std::u16string& folder) override {
        return files_.ListFolder(folder);
    }

    std::u16string busyPath;
    int busyWrites = 0;  // -1: for ever
    int refused = 0;

  private:
    SimFileSystem& files_;
};

struct BusyCase {
    const char* name;
    const char16_t* path;
    uint32_t (TMainForm::*step)();
    int busyWrites;
    uint32_t expected;
};

TEST(SetupBusyFiles, ProgramFilesAreTriedAgainForABoundedWhile) {
    constexpr char16_t kPanel[] = u"C:\\Program Files\\Tonedeck\\Tonedeck.exe";
    constexpr char16_t kService[] = u"C:\\Windows\\system32\\Tonewarden.exe";
    const BusyCase cases[] = {
        {"panel freed on the last try", kPanel, &TMainForm::Install_Application, kWriteAttempts - 1,
         kStepDone},
        {"panel never freed", kPanel, &TMainForm::Install_Application, -1, kAppNotWritten},
        {"service freed on the last try", kService, &TMainForm::Install_Service, kWriteAttempts - 1,
         kStepDone},
        {"service never freed", kService, &TMainForm::Install_Service, -1, kServiceNotWritten},
    };
    for (const BusyCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetupWorld world;
        BusyFiles files(world.files);
        files.busyPath = c.path;
        files.busyWrites = c.busyWrites;
        TMainForm form(
            SetupPorts{files, world.fileOps, world.profiles, world.system, world.registry,
                       world.services, world.processes, world.payloads, world.shell,
                       world.devices.deviceTree(), world.devices.ioControl(), world.clock},
            world.view, world.reporter, world.launcher, kSetupProgram, false);
        form.FormShow(800, 600);

        EXPECT_EQ((form.*c.step)(), c.expected);
        EXPECT_EQ(files.refused, kWriteAttempts - (c.expected == kStepDone ? 1 : 0));
        const auto& sleeps = world.clock.sleeps();
        EXPECT_EQ(std::count(sleeps.begin(), sleeps.end(), kWriteRetryMs), kWriteAttempts - 1);
        EXPECT_EQ(world.files.FileExists(c.path), c.expected == kStepDone);
    }
}

}  // namespace
}  // namespace tonedeck::setup_test
