// Payload writing, tree copies and the registry pieces of the installer.

#include <gtest/gtest.h>

#include "setup/payload_files.h"
#include "setup/registration.h"
#include "setup/update_package.h"
#include "tests/unit/setup_world.h"

namespace tonedeck::setup_test {
namespace {

TEST(SetupFiles, CopyFolderTreeDestinationFollowsTheLastNames) {
    struct Case {
        const char* name;
        std::u16string source;
        std::u16string target;
        int result;
        std::u16string copied;  // where Skin\a.txt arrives; empty: nowhere
    };
    const Case cases[] = {
        {"names differ", u"D:\\Setup\\Skin\\", u"C:\\App\\", 1, u"C:\\App\\Skin\\a.txt"},
        {"target without final backslash", u"D:\\Setup\\Skin\\", u"C:\\App", 1,
         u"C:\\App\\Skin\\a.txt"},
        {"same last name", u"D:\\Setup\\Skin\\", u"C:\\Skin\\", 1, u"C:\\Skin\\a.txt"},
        {"source without a usable backslash", u"Skin\\", u"C:\\App\\", 0, u""},
        {"target without a backslash", u"D:\\Setup\\Skin\\", u"App", 0, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetupWorld w;
        w.files.PutFile(u"D:\\Setup\\Skin\\a.txt", "a");
        w.files.CreateFolder(u"C:\\App");
        w.files.CreateFolder(u"C:\\Skin");
        w.files.PutFile(u"Skin\\a.txt", "a");
        EXPECT_EQ(CopyFolderTree(w.files, w.fileOps, w.system, c.source, c.target), c.result);
        if (!c.copied.empty()) EXPECT_EQ(w.FileText(c.copied), "a");
        if (c.result == 0) EXPECT_TRUE(w.system.traceLines.empty());
    }
}

TEST(SetupFiles, CopyFolderTreeTracesEveryFolderAndFailsOnExistingOnes) {
    SetupWorld w;
    w.files.PutFile(u"D:\\Setup\\Skin\\Blue\\b.png", "b");
    w.files.CreateFolder(u"C:\\App");
    ASSERT_EQ(CopyFolderTree(w.files, w.fileOps, w.system, u"D:\\Setup\\Skin\\", u"C:\\App\\"), 1);
    EXPECT_EQ(w.system.traceLines, (std::vector<std::u16string>{
                                       u"##### Create Directory = C:\\App\\Skin\n",
                                       u"##### Create Directory = C:\\App\\Skin\\Blue\n",
                                       u"##### Create Directory = C:\\App\\Skin\\Blue\n",
                                       u"***** Create Directory FAIL! *****\n",
                                       u"##### Create Directory = C:\\App\\Skin\\Blue\\Pictures\n",
                                       u"##### Create Directory = C:\\App\\Skin\\Blue\\Pictures\n",
                                       u"***** Create Directory FAIL! *****\n",
                                   }));
    EXPECT_EQ(w.FileText(u"C:\\App\\Skin\\Blue\\b.png"), "b");
    EXPECT_NE(std::find(w.fileOps.normalized.begin(), w.fileOps.normalized.end(),
                        u"C:\\App\\Skin\\Blue\\b.png"),
              w.fileOps.normalized.end());
}

TEST(SetupFiles, PathsBeyondTheOldBufferSizeAreCopiedWhole) {
    SetupWorld w;
    const std::u16string deep(200, u'd');
    w.files.PutFile(u"D:\\Setup\\Skin\\" + deep + u"\\" + deep + u"\\x.bin", "x");
    w.files.CreateFolder(u"C:\\App");
    CopyFolderTree(w.files, w.fileOps, w.system, u"D:\\Setup\\Skin\\", u"C:\\App\\");
    EXPECT_EQ(w.FileText(u"C:\\App\\Skin\\" + deep + u"\\" + deep + u"\\x.bin"), "x");
}

TEST(SetupFiles, FindFirstPlainFileSkipsFoldersAndDotNames) {
    SetupWorld w;
    std::u16string name = u"untouched";
    w.files.PutFile(u"C:\\M\\Sub\\inner.pdf", "x");
    w.files.PutFile(u"C:\\M\\.hidden", "x");
    EXPECT_EQ(FindFirstPlainFile(w.files, u"C:\\M\\", name), 0);
    EXPECT_EQ(name, u"untouched");
    w.files.PutFile(u"C:\\M\\Guide.pdf", "x");
    EXPECT_EQ(FindFirstPlainFile(w.files, u"C:\\M\\", name), 1);
    EXPECT_EQ(name, u"Guide.pdf");
    EXPECT_EQ(FindFirstPlainFile(w.files, u"C:\\Missing\\", name), 0);
}

TEST(SetupFiles, ManualFolderWithoutPlainFileIsNotCopied) {
    SetupWorld w;
    w.files.RemoveFile(u"D:\\Setup\\Manual\\English\\Manual.pdf");
    w.files.PutFile(u"D:\\Setup\\Manual\\English\\Images\\p1.png", "x");
    w.profiles.WriteString(kPerUserConfig, u"Language", u"DefaultLanguage", u"English");
    auto form = w.MakeForm();
    EXPECT_EQ(form->Copy_UserManual(), kStepDone);
    EXPECT_FALSE(w.files.DirectoryExists(u"C:\\Program Files\\Tonedeck\\Manual"));
    EXPECT_EQ(w.shell.linksSaved, 0);
}

TEST(SetupFiles, TwoLevelInstallFolderWithoutItsParentFailsStepThree) {
    SetupWorld w;
    std::string config = w.FileText(u"D:\\Setup\\AudioConfig.cfg");
    config.replace(config.find("InstallFolderName=Tonedeck"), 26, "InstallFolderName=A\\B");
    w.files.PutFile(u"D:\\Setup\\AudioConfig.cfg", config);
    auto form = w.MakeForm();
    EXPECT_EQ(form->Install_Application(), kAppNotWritten);
}

TEST(SetupFiles, EmptyPayloadCountsAsMissing) {
    SetupWorld w;
    w.payloads.Put(u"APP", 107, {});
    EXPECT_FALSE(LockPayload(w.payloads, u"APP", 107).has_value());
    EXPECT_FALSE(LockPayload(w.payloads, u"APP", 999).has_value());
    // Type names compare without regard to case.
    EXPECT_TRUE(LockPayload(w.payloads, u"WindowPatch", 110).has_value());
    auto form = w.MakeForm();
    EXPECT_EQ(form->Install_Application(), kAppPayloadMissing);
}

TEST(SetupRegistry, UpdatePackagePrefixIsCaseSensitiveAndReadInTheSixtyFourBitView) {
    struct Case {
        const char* name;
        std::u16string subkey;
        SimRegistryView view;
        bool installed;
    };
    const Case cases[] = {
        {"exact prefix", u"Package_for_KB3033929~31bf3856ad364e35~amd64~~6.1.1.1",
         SimRegistryView::kNative, true},
        {"letter case differs", u"package_for_kb3033929~31bf3856ad364e35~amd64~~6.1.1.1",
         SimRegistryView::kNative, false},
        {"no tilde", u"Package_for_KB30339290", SimRegistryView::kNative, false},
        {"other update", u"Package_for_KB2533623~31bf", SimRegistryView::kNative, false},
        {"only in the 32-bit view", u"Package_for_KB3033929~31bf", SimRegistryView::kWow32, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimRegistry registry;
        registry.windows64 = true;
        registry.PutKey(RegistryRoot::kLocalMachine, SimRegistryView::kNative, kPackagesKey);
        registry.PutKey(RegistryRoot::kLocalMachine, c.view,
                        std::u16string(kPackagesKey) + u"\\" + c.subkey);
        EXPECT_EQ(IsUpdatePackageInstalled(registry, kUpdateName), c.installed);
        EXPECT_EQ(registry.OpenKeyCount(), 0u);
    }
    SimRegistry empty;
    EXPECT_FALSE(IsUpdatePackageInstalled(empty, kUpdateName));
}

TEST(SetupRegistry, ExportedGroupListsPatternAndCodeByPosition) {
    SetupWorld w;
    const std::string a = "USB\\VID_0C76&PID_16XX&REV_0100&MI_03";
    const std::string b = "USB\\VID_0C76&PID_17XX&REV_0100&MI_03";
    w.files.PutFile(u"C:\\g.cfg", "[USB_VID_PID]\r\nk2=" + b + "," + MakeEntryCode(b) +
                                      "\r\nk1=" + a + "," + MakeEntryCode(a) + "\r\n");
    CDeviceIdMgr group(w.files);
    ASSERT_EQ(group.LoadGroup(u"C:\\g.cfg", kUsbGroupSection), kGroupLoaded);
    w.registry.PutValue(RegistryRoot::kLocalMachine, SimRegistryView::kNative,
                        u"SOFTWARE\\HVN USB DeviceId Group", u"3", RegistryType::kSz,
                        RegistryStringBytes(u"stale"));
    EXPECT_EQ(ExportDeviceIdGroup(w.registry, group, kUsbGroupName), 0);
    const std::u16string key = u"SOFTWARE\\HVN USB DeviceId Group";
    EXPECT_EQ(w.MachineText(key, u"1"), U(a + "," + MakeEntryCode(a)));
    EXPECT_EQ(w.MachineText(key, u"2"), U(b + "," + MakeEntryCode(b)));
    EXPECT_EQ(w.MachineText(key, u"3"), u"stale");  // an earlier, longer group is not cleaned
    const auto raw =
        w.registry.Value(RegistryRoot::kLocalMachine, SimRegistryView::kNative, key, u"1");
    EXPECT_EQ(raw->data.size(), (a.size() + 1 + MakeEntryCode(a).size() + 1) * 2);

    w.registry.DenyKey(u"SOFTWARE\\HVN HID DeviceId Group");
    EXPECT_EQ(ExportDeviceIdGroup(w.registry, group, kHidGroupName), 0);
}

TEST(SetupRegistry, RunValueAndUninstallEntryFailOnlyWhenTheKeyCannotBeMade) {
    SimRegistry registry;
    EXPECT_EQ(SetRunAtLogon(registry, u"Tonedeck", u"\"C:\\x.exe\" -start"), 0);
    registry.DenyKey(kRunKey);
    EXPECT_EQ(SetRunAtLogon(registry, u"Tonedeck", u"x"), 1);
    EXPECT_TRUE(WriteUninstallEntry(registry, UninstallData{}));
    registry.DenyKey(kUninstallKey);
    EXPECT_FALSE(WriteUninstallEntry(registry, UninstallData{}));
}

TEST(SetupRegistry, ShortcutsWithoutFolderNameLandInTheProgramsFolder) {
    SetupWorld w;
    CreateShortcut(w.shell, w.files, w.system, u"", u"C:\\x.exe", u"X");
    EXPECT_EQ(w.shell.LinkTarget(std::u16string(kPrograms) + u"\\X.lnk"), u"C:\\x.exe");
}

}  // namespace
}  // namespace tonedeck::setup_test
