#include <gtest/gtest.h>

#include "panel/window/single_instance.h"
#include "panel/window/tray_actions.h"
#include "panel/window/window_texts.h"
#include "platform/sim/emulated_profile_store.h"
#include "platform/sim/sim_file_system.h"

namespace tonedeck {
namespace {

TEST(WindowTextsTest, TitleAndFolderNameAreCutToTheirFields) {
    struct Case {
        std::size_t titleLength, folderLength;
        std::size_t expectedTitle, expectedFolder;
    };
    const Case cases[] = {
        {0, 0, 0, 0},
        {31, 127, 31, 127},
        {32, 128, 31, 127},
        {300, 1023, 31, 127},
    };
    for (const auto& c : cases) {
        AudioConfig config;
        config.InstallAppTitle = std::u16string(c.titleLength, u'T');
        config.InstallFolderName = std::u16string(c.folderLength, u'F');
        EXPECT_EQ(ApplicationTitle(config), std::u16string(c.expectedTitle, u'T'))
            << "title of " << c.titleLength;
        EXPECT_EQ(InstallFolderNameField(config), std::u16string(c.expectedFolder, u'F'))
            << "folder name of " << c.folderLength;
    }
}

TEST(WindowTextsTest, TitleKeepsItsFirstCharacters) {
    AudioConfig config;
    config.InstallAppTitle = u"Tonedeck Control Panel for the 7.1 Headset";
    EXPECT_EQ(ApplicationTitle(config), u"Tonedeck Control Panel for the ");
}

class TrayHintTest : public ::testing::Test {
  protected:
    TrayHintTest() { config.AppDir = u"C:\\Program Files\\Tonedeck\\"; }

    SimFileSystem files;
    EmulatedProfileStore profiles{files};
    AudioConfig config;
};

TEST_F(TrayHintTest, ReadsTheProgramFolderCopy) {
    files.PutFile(u"C:\\Program Files\\Tonedeck\\AudioConfig.cfg",
                  "[Install]\r\nHintName=wrong section\r\n"
                  "[TrayIconHint]\r\nHintName = Tonedeck 7.1 \r\n");
    files.PutFile(u"C:\\Users\\me\\AppData\\Roaming\\Tonedeck\\AudioConfig.cfg",
                  "[TrayIconHint]\r\nHintName=per-user copy\r\n");
    EXPECT_EQ(ReadTrayHint(profiles, config), u"Tonedeck 7.1");
}

TEST_F(TrayHintTest, EmptyWhenTheKeyOrTheFileIsMissing) {
    EXPECT_EQ(ReadTrayHint(profiles, config), u"");
    files.PutFile(u"C:\\Program Files\\Tonedeck\\AudioConfig.cfg", "[TrayIconHint]\r\nOther=x\r\n");
    EXPECT_EQ(ReadTrayHint(profiles, config), u"");
    files.PutFile(u"C:\\Program Files\\Tonedeck\\AudioConfig.cfg",
                  "[TrayIconHint]\r\nHintName=\r\n");
    EXPECT_EQ(ReadTrayHint(profiles, config), u"");
}

TEST_F(TrayHintTest, LongHintIsCutToItsField) {
    files.PutFile(u"C:\\Program Files\\Tonedeck\\AudioConfig.cfg",
                  "[TrayIconHint]\r\nHintName=" + std::string(40, 'h') + "\r\n");
    EXPECT_EQ(ReadTrayHint(profiles, config), std::u16string(31, u'h'));
}

TEST(TrayActionsTest, DoubleClickRestoresAndRightReleaseOpensTheMenu) {
    struct Case {
        TrayMouseEvent event;
        TrayAction expected;
        const char* what;
    };
    const Case cases[] = {
        {TrayMouseEvent::LeftDoubleClick, TrayAction::Restore, "left double-click"},
        {TrayMouseEvent::RightDoubleClick, TrayAction::Restore, "right double-click"},
        {TrayMouseEvent::MiddleDoubleClick, TrayAction::Restore, "middle double-click"},
        {TrayMouseEvent::RightUp, TrayAction::OpenMenu, "right release"},
        {TrayMouseEvent::RightDown, TrayAction::None, "right press"},
        {TrayMouseEvent::LeftDown, TrayAction::None, "left press"},
        {TrayMouseEvent::LeftUp, TrayAction::None, "left release"},
        {TrayMouseEvent::MiddleDown, TrayAction::None, "middle press"},
        {TrayMouseEvent::MiddleUp, TrayAction::None, "middle release"},
        {TrayMouseEvent::Move, TrayAction::None, "move"},
    };
    for (const auto& c : cases) EXPECT_EQ(TrayActionFor(c.event), c.expected) << c.what;
}

TEST(SingleInstanceTest, OnlyALockHeldElsewhereStopsTheStart) {
    EXPECT_FALSE(AnotherInstanceRuns(LockOutcome::Created));
    EXPECT_TRUE(AnotherInstanceRuns(LockOutcome::AlreadyExists));
    // A copy started with administrator rights holds a lock this one may not open.
    EXPECT_TRUE(AnotherInstanceRuns(LockOutcome::AccessDenied));
    // A title the system refuses as a lock name must not keep the program from starting.
    EXPECT_FALSE(AnotherInstanceRuns(LockOutcome::Failed));
}

}  // namespace
}  // namespace tonedeck
