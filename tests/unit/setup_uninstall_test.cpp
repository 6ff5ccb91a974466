// The uninstaller on the simulated world, after a real install there: what goes, what stays,
// files in use, and configurations it must not trust.

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/sim/sim_file_removal.h"
#include "setup/uninstall.h"
#include "tests/unit/setup_world.h"

namespace tonedeck::setup_test {
namespace {

constexpr char16_t kUninstaller[] = u"C:\\Program Files\\Tonedeck\\Uninstall.exe";
constexpr char16_t kRunKeyPath[] = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char16_t kLinks[] =
    u"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Tonedeck";

class UninstallTest : public ::testing::Test {
  protected:
    void Install() {
        auto form = world.ShowFormInEnglish();
        world.RunInstall(*form);
        ASSERT_EQ(form->InstallSucceeded(), 1);
    }

    UninstallOutcome Uninstall(const std::u16string& program = kUninstaller) {
        const UninstallPorts ports{world.files,     removal,        world.profiles,
                                   world.system,    world.registry, world.services,
                                   world.processes, world.shell,    world.clock};
        return RunUninstall(ports, program, false);
    }

    bool MachineKey(const std::u16string& path) {
        return world.registry.KeyExists(RegistryRoot::kLocalMachine, SimRegistryView::kNative,
                                        path);
    }

    SetupWorld world;
    SimFileRemoval removal{world.files};
};

TEST_F(UninstallTest, EverythingTheInstallerPlacedGoesButTheUsersFolderStays) {
    Install();
    ASSERT_TRUE(world.services.Exists(u"Tonewarden"));
    world.files.PutFile(u"C:\\Users\\user\\AppData\\Roaming\\Tonedeck\\Rock.ini", "profile");

    const UninstallOutcome outcome = Uninstall();

    EXPECT_EQ(outcome.result, UninstallResult::kRemoved);
    EXPECT_FALSE(world.services.Exists(u"Tonewarden"));
    ASSERT_FALSE(world.processes.broadcasts.empty());
    EXPECT_EQ(world.processes.broadcasts.back().first, u"WM_HVN16xxAPP_EXIT");
    for (const char16_t* key :
         {u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\HVN16xxAudioExt",
          u"SYSTEM\\CurrentControlSet\\Services\\Tonegate", u"SOFTWARE\\HVN USB DeviceId Group",
          u"SOFTWARE\\HVN HID DeviceId Group"}) {
        EXPECT_FALSE(MachineKey(key)) << U16ToUtf8(key);
    }
    EXPECT_FALSE(world.MachineText(kRunKeyPath, u"Tonedeck"));
    EXPECT_TRUE(MachineKey(kRunKeyPath)) << "the Run key itself belongs to Windows";
    for (const char16_t* gone :
         {u"C:\\Windows\\system32\\Tonewarden.exe", u"C:\\Windows\\system32\\drivers\\Tonegate.sys",
          u"C:\\Windows\\system32\\Windows6.1-KB3033929-x64.msu"}) {
        EXPECT_FALSE(world.files.FileExists(gone)) << U16ToUtf8(gone);
    }
    EXPECT_FALSE(world.files.DirectoryExists(kInstallDir));
    EXPECT_FALSE(world.files.DirectoryExists(kLinks));
    EXPECT_TRUE(world.files.DirectoryExists(kPrograms));
    EXPECT_TRUE(world.files.FileExists(kPerUserConfig));
    EXPECT_TRUE(world.files.FileExists(u"C:\\Users\\user\\AppData\\Roaming\\Tonedeck\\Rock.ini"));
    EXPECT_TRUE(removal.atReboot.empty());
}

TEST_F(UninstallTest, WhatTheUserPutInTheInstallFolderStaysAndKeepsTheFolder) {
    Install();
    world.files.PutFile(std::u16string(kInstallDir) + u"Notes.txt", "mine");
    world.files.PutFile(std::u16string(kLinks) + u"\\My link.lnk", "mine");

    EXPECT_EQ(Uninstall().result, UninstallResult::kRemoved);

    EXPECT_TRUE(world.files.FileExists(std::u16string(kInstallDir) + u"Notes.txt"));
    EXPECT_FALSE(world.files.FileExists(std::u16string(kInstallDir) + u"Tonedeck.exe"));
    EXPECT_FALSE(world.files.DirectoryExists(std::u16string(kInstallDir) + u"Skin"));
    EXPECT_TRUE(world.files.FileExists(std::u16string(kLinks) + u"\\My link.lnk"));
    EXPECT_FALSE(world.files.FileExists(std::u16string(kLinks) + u"\\Tonedeck.lnk"));
}

TEST_F(UninstallTest, AFileStillInUseIsTriedForAWhileThenLeftToTheNextStart) {
    Install();
    const std::u16string panel = std::u16string(kInstallDir) + u"Tonedeck.exe";
    removal.HoldOpen(panel);
    const std::size_t sleepsBefore = world.clock.sleeps().size();

    const UninstallOutcome outcome = Uninstall();

    EXPECT_EQ(outcome.result, UninstallResult::kRemovedAtReboot);
    const std::vector<uint32_t> waits(world.clock.sleeps().begin() + sleepsBefore,
                                      world.clock.sleeps().end());
    EXPECT_EQ(std::count(waits.begin(), waits.end(), kRemoveRetryMs), kRemoveAttempts - 1);
    const std::vector<std::u16string> expected{panel, u"C:\\Program Files\\Tonedeck"};
    EXPECT_EQ(removal.atReboot, expected) << "the folder follows the file it still holds";
    EXPECT_FALSE(world.files.FileExists(std::u16string(kInstallDir) + u"AudioConfig.cfg"));
}

TEST_F(UninstallTest, AFileReleasedWhileWaitingIsNotLeftBehind) {
    Install();
    const std::u16string panel = std::u16string(kInstallDir) + u"Tonedeck.exe";
    removal.HoldOpen(panel, kRemoveAttempts - 1);

    EXPECT_EQ(Uninstall().result, UninstallResult::kRemoved);
    EXPECT_FALSE(world.files.FileExists(panel));
    EXPECT_FALSE(world.files.DirectoryExists(kInstallDir));
    EXPECT_TRUE(removal.atReboot.empty());
}

TEST_F(UninstallTest, TheRunValueGoesOnlyWhenItStillStartsThisInstallation) {
    Install();
    const RegistryKey run =
        world.registry.OpenKey(RegistryRoot::kLocalMachine, kRunKeyPath, kKeyAllAccess);
    world.registry.SetValue(run, u"Tonedeck", RegistryType::kSz,
                            RegistryStringBytes(u"\"D:\\Elsewhere\\Tonedeck.exe\" -start"));
    world.registry.CloseKey(run);

    Uninstall();

    EXPECT_EQ(world.MachineText(kRunKeyPath, u"Tonedeck"),
              u"\"D:\\Elsewhere\\Tonedeck.exe\" -start");
}

TEST_F(UninstallTest, WithoutItsConfigurationNothingIsTouched) {
    Install();
    world.files.RemoveFile(std::u16string(kInstallDir) + u"AudioConfig.cfg");

    EXPECT_EQ(Uninstall().result, UninstallResult::kNotInstalled);

    EXPECT_TRUE(world.services.Exists(u"Tonewarden"));
    EXPECT_TRUE(world.files.FileExists(std::u16string(kInstallDir) + u"Tonedeck.exe"));
    EXPECT_TRUE(world.MachineText(kRunKeyPath, u"Tonedeck"));
}

// A configuration beside a copied uninstaller must not steer it outside its own folder.
TEST_F(UninstallTest, InstallFolderNamesThatLeaveProgramFilesAreRefused) {
    world.files.PutFile(u"C:\\Windows\\explorer.exe", "system");
    world.files.PutFile(u"C:\\Program Files\\Other\\Other.exe", "other");
    for (const char* name :
         {"", "..\\Windows", "C:\\Windows", "\\Windows", "Tonedeck\\..\\Other", "."}) {
        SCOPED_TRACE(name);
        world.files.PutFile(u"D:\\Copy\\AudioConfig.cfg",
                            std::string("[Install]\r\nInstallFolderName=") + name +
                                "\r\nAPPFileName=explorer\r\n"
                                "[Uninstall]\r\nUninstallFileName=Other\r\n"
                                "[Skin]\r\nSkinFolderName=..\r\n");
        EXPECT_EQ(Uninstall(u"D:\\Copy\\Uninstall.exe").result, UninstallResult::kNotInstalled);
        EXPECT_TRUE(world.files.FileExists(u"C:\\Windows\\explorer.exe"));
        EXPECT_TRUE(world.files.FileExists(u"C:\\Program Files\\Other\\Other.exe"));
    }
}

}  // namespace
}  // namespace tonedeck::setup_test
