#include <gtest/gtest.h>

#include "common/audio_config.h"
#include "platform/sim/emulated_profile_store.h"
#include "platform/sim/sim_file_system.h"
#include "platform/sim/sim_system_info.h"

namespace tonedeck {
namespace {

constexpr char kFullConfig[] =
    "[Language]\r\nLanguageFolderName=Language\r\n"
    "[Skin]\r\nSkinFolderName = Skin\r\n"
    "[Install]\r\nInstallAppTitle=Tonedeck\r\nInstallIconFileName=Tonedeck.ico\r\n"
    "InstallFolderName=Tonedeck Audio\r\nShortcutFolderName=Tonedeck\r\n"
    "AppShortcutName=Tonedeck Control Panel\r\nAPPFileName=Tonedeck\r\n"
    "UserManualShortcutName=Manual\r\n"
    "[Uninstall]\r\nUninstallShortcutName=Uninstall\r\nPublisher=Tonedeck Audio\r\n"
    "UninstallDisplayName=Tonedeck Audio Driver\r\nUninstallFileName=TonedeckUninstall\r\n";

class AudioConfigTest : public ::testing::Test {
protected:
    AudioConfig Load(const std::u16string& programPath, ConfigReader reader) {
        AudioConfig config;
        LoadAudioConfig(kAudioConfigFileName, programPath, reader, profiles, system, config);
        return config;
    }

    SimFileSystem files;
    EmulatedProfileStore profiles{files};
    SimSystemInfo system;
};

TEST_F(AudioConfigTest, ReadsEveryKeyOfTheProgramFolderCopy) {
    files.PutFile(u"C:\\Setup\\AudioConfig.cfg", kFullConfig);
    AudioConfig config = Load(u"C:\\Setup\\TonedeckSetup.exe", ConfigReader::Installer);

    EXPECT_EQ(config.LanguageFolderName, u"Language");
    EXPECT_EQ(config.SkinFolderName, u"Skin");  // blanks around "=" are harmless
    EXPECT_EQ(config.InstallAppTitle, u"Tonedeck");
    EXPECT_EQ(config.InstallIconFileName, u"Tonedeck.ico");
    EXPECT_EQ(config.InstallFolderName, u"Tonedeck Audio");
    EXPECT_EQ(config.ShortcutFolderName, u"Tonedeck");
    EXPECT_EQ(config.AppShortcutName, u"Tonedeck Control Panel");
    EXPECT_EQ(config.UninstallShortcutName, u"Uninstall");
    EXPECT_EQ(config.Publisher, u"Tonedeck Audio");
    EXPECT_EQ(config.UninstallDisplayName, u"Tonedeck Audio Driver");
    EXPECT_EQ(config.APPFileName, u"Tonedeck");
    EXPECT_EQ(config.UserManualShortcutName, u"Manual");
    EXPECT_EQ(config.UninstallFileName, u"TonedeckUninstall");
    EXPECT_EQ(config.AppFileName, u"TonedeckSetup.exe");
    EXPECT_EQ(config.AppDir, u"C:\\Setup\\");
    EXPECT_EQ(config.ProgramFilesPath, u"C:\\Program Files\\");
    EXPECT_EQ(config.InstallFolderPath, u"C:\\Program Files\\Tonedeck Audio\\");
}

TEST_F(AudioConfigTest, OnlyTheInstallerReadsTheManualShortcutAndTraces) {
    files.PutFile(u"C:\\Setup\\AudioConfig.cfg", kFullConfig);
    AudioConfig panel = Load(u"C:\\Setup\\Tonedeck.exe", ConfigReader::ControlPanel);
    EXPECT_EQ(panel.UserManualShortcutName, u"");
    EXPECT_TRUE(system.traceLines.empty());

    Load(u"C:\\Setup\\TonedeckSetup.exe", ConfigReader::Installer);
    ASSERT_EQ(system.traceLines.size(), 2u);
    EXPECT_EQ(system.traceLines[0], u"##### SourceAppFileName = TonedeckSetup.exe\n");
    EXPECT_EQ(system.traceLines[1], u"##### SourceFolderFullPath = C:\\Setup\\\n");
}

TEST_F(AudioConfigTest, TraceLinesAreCutToTheirBuffer) {
    std::u16string longFolder = u"C:\\" + std::u16string(300, u'a') + u"\\";
    Load(longFolder + u"TonedeckSetup.exe", ConfigReader::Installer);
    ASSERT_EQ(system.traceLines.size(), 2u);
    EXPECT_EQ(system.traceLines[1].size(), 255u);
}

TEST_F(AudioConfigTest, MissingFileLeavesEveryFieldEmptyButDerivesPaths) {
    AudioConfig config = Load(u"C:\\Nowhere\\Tonedeck.exe", ConfigReader::ControlPanel);
    EXPECT_EQ(config.InstallAppTitle, u"");
    EXPECT_EQ(config.InstallFolderName, u"");
    EXPECT_EQ(config.InstallFolderPath, u"C:\\Program Files\\\\");
}

TEST_F(AudioConfigTest, MissingOrEmptyKeysKeepTheFieldsPreviousValue) {
    files.PutFile(u"C:\\Setup\\AudioConfig.cfg", "[Install]\r\nInstallAppTitle=\r\n");
    AudioConfig config;
    config.InstallAppTitle = u"before";
    config.Publisher = u"kept";
    LoadAudioConfig(kAudioConfigFileName, u"C:\\Setup\\Tonedeck.exe", ConfigReader::ControlPanel,
                    profiles, system, config);
    EXPECT_EQ(config.InstallAppTitle, u"before");
    EXPECT_EQ(config.Publisher, u"kept");
}

struct SplitCase {
    std::u16string path, fileName, dir;
};

TEST(SplitProgramPathTest, SplitsAtTheLastBackslash) {
    const SplitCase cases[] = {
        {u"C:\\Program Files\\Tonedeck\\Tonedeck.exe", u"Tonedeck.exe", u"C:\\Program Files\\Tonedeck\\"},
        {u"Tonedeck.exe", u"Tonedeck.exe", u""},
        {u"C:\\", u"", u"C:\\"},
    };
    for (const auto& c : cases) {
        auto [fileName, dir] = SplitProgramPath(c.path);
        EXPECT_EQ(fileName, c.fileName);
        EXPECT_EQ(dir, c.dir);
    }
}

TEST_F(AudioConfigTest, ProgramFilesThatEndsInABackslashGetsNoSecondOne) {
    system.folders[KnownFolder::ProgramFiles] = u"D:\\Apps\\";
    AudioConfig config = Load(u"C:\\Setup\\Tonedeck.exe", ConfigReader::ControlPanel);
    EXPECT_EQ(config.ProgramFilesPath, u"D:\\Apps\\");
}

TEST_F(AudioConfigTest, SystemFoldersOn32And64BitWindows) {
    AudioConfig native32 = Load(u"C:\\Setup\\Tonedeck.exe", ConfigReader::ControlPanel);
    EXPECT_EQ(native32.System32BitPath, u"C:\\Windows\\system32\\");
    EXPECT_EQ(native32.SystemNativePath, native32.System32BitPath);
    EXPECT_EQ(system.disableCalls, 0);

    system.wow64 = true;
    system.systemDirectory = u"C:\\Windows\\SysWOW64";  // what a redirected 32-bit program sees
    system.systemDirectoryUnredirected = u"C:\\Windows\\system32";
    AudioConfig onWow64 = Load(u"C:\\Setup\\Tonedeck.exe", ConfigReader::ControlPanel);
    EXPECT_EQ(onWow64.System32BitPath, u"C:\\Windows\\SysWOW64\\");
    EXPECT_EQ(onWow64.SystemNativePath, u"C:\\Windows\\system32\\");
    EXPECT_EQ(system.disableCalls, 1);
    EXPECT_EQ(system.revertCalls, 1);
    EXPECT_FALSE(system.redirectionDisabled());
    EXPECT_EQ(system.createdFolders.back(), KnownFolder::SystemX86);
}

TEST_F(AudioConfigTest, MissingIsWow64FunctionMeansNotWow64) {
    system.wow64 = std::nullopt;
    AudioConfig config = Load(u"C:\\Setup\\Tonedeck.exe", ConfigReader::ControlPanel);
    EXPECT_EQ(config.System32BitPath, u"C:\\Windows\\system32\\");
    EXPECT_EQ(system.disableCalls, 0);
}

}  // namespace
}  // namespace tonedeck
