#include <gtest/gtest.h>

#include "common/system_helpers.h"
#include "platform/sim/sim_system_info.h"

namespace tonedeck {
namespace {

struct VersionCase {
    uint32_t platformId, major, minor;
    OsClass expected;
    const char* what;
};

TEST(OsClassTest, ClassifiesEveryKnownVersion) {
    const VersionCase cases[] = {
        {1, 4, 10, 1, "Windows 98"},      {2, 5, 0, 2, "Windows 2000"},
        {1, 4, 90, 3, "Windows ME"},      {2, 5, 1, 4, "Windows XP"},
        {2, 6, 0, 6, "Vista"},            {2, 6, 1, 6, "Windows 7"},
        {2, 10, 0, 6, "Windows 10"},      {2, 5, 2, 0, "Server 2003"},
        {2, 4, 0, 0, "NT 4.0"},           {1, 4, 0, 0, "Windows 95"},
        {0, 6, 1, 0, "Win32s family"},    {3, 10, 0, 0, "unknown family"},
    };
    for (const auto& c : cases) {
        SimSystemInfo system;
        system.SetVersion(c.platformId, c.major, c.minor);
        EXPECT_EQ(GetOsClass(system), c.expected) << c.what;
    }
}

TEST(OsClassTest, FallsBackToTheBasicRecordAndGivesZeroWhenBothFail) {
    SimSystemInfo system;
    system.versionAnswers = {{kVersionRecordBasic, OsVersionRecord{2, 5, 1, 2600, 0}}};
    EXPECT_EQ(GetOsClass(system), 4);

    system.versionAnswers.clear();
    EXPECT_EQ(GetOsClass(system), 0);
}

TEST(FsRedirectionTest, MissingFunctionsGiveZeroAndChangeNothing) {
    SimSystemInfo system;
    system.wow64 = true;
    system.hasRedirectionFunctions = false;
    void* state = nullptr;
    EXPECT_EQ(DisableFsRedirection(system, &state), 0);
    EXPECT_EQ(RevertFsRedirection(system, state), 0);
    EXPECT_FALSE(system.redirectionDisabled());
}

TEST(FsRedirectionTest, PairSwitchesOffAndBackOn) {
    SimSystemInfo system;
    system.wow64 = true;
    void* state = nullptr;
    ASSERT_NE(DisableFsRedirection(system, &state), 0);
    EXPECT_TRUE(system.redirectionDisabled());
    ASSERT_NE(RevertFsRedirection(system, state), 0);
    EXPECT_FALSE(system.redirectionDisabled());
}

}  // namespace
}  // namespace tonedeck
