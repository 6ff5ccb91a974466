// Stale filter entries, device restarts and service control on the simulated world.

#include <gtest/gtest.h>

#include "setup/device_setup.h"
#include "setup/service_control.h"
#include "tests/unit/setup_world.h"

namespace tonedeck::setup_test {
namespace {

class DeviceSetupTest : public ::testing::Test {
  protected:
    DeviceSetupTest() : matcher(world.files) {
        EXPECT_EQ(matcher.LoadGroup(u"D:\\Setup\\AudioConfig.cfg", kUsbGroupSection), kGroupLoaded);
    }
    DeviceSelection Selection() const {
        return DeviceSelection{kMediaClassGuid, kExtensionHardwareIdPattern, matcher};
    }

    SetupWorld world;
    CDeviceIdMgr matcher;
};

TEST_F(DeviceSetupTest, OnlyAFirstLowerFilterNamingTheDriverRemovesTheWholeList) {
    struct Case {
        const char* name;
        std::vector<std::u16string> filters;
        uint32_t type;
        bool removed;
    };
    const Case cases[] = {
        {"driver second", {u"other", u"Tonegate"}, 7, false},
        {"driver first, other case", {u"TONEGATE", u"other"}, 7, true},
        {"driver alone", {u"Tonegate"}, 7, true},
        {"not a list", {u"Tonegate"}, 1, false},
        {"a longer name", {u"TonegateX"}, 7, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetupWorld w;
        CDeviceIdMgr usb(w.files);
        usb.LoadGroup(u"D:\\Setup\\AudioConfig.cfg", kUsbGroupSection);
        const int unit = w.devices.AddSoundDevice();
        w.devices.ExtensionNode(unit).lowerFilters = c.filters;
        w.devices.ExtensionNode(unit).lowerFiltersType = c.type;
        EXPECT_EQ(RemoveFilterFromDevices(w.devices.deviceTree(),
                                          {kMediaClassGuid, kExtensionHardwareIdPattern, usb},
                                          kFilterDriverName),
                  0);
        EXPECT_EQ(!w.devices.ExtensionNode(unit).lowerFilters.has_value(), c.removed);
        EXPECT_EQ(w.devices.OpenListCount(), 0u);
    }
}

TEST_F(DeviceSetupTest, RemovalReachesDisconnectedDevicesButRestartsOnlyPresentOnes) {
    SimDeviceNode gone;
    gone.instanceId = u"USB\\VID_0C76&PID_1619&MI_03\\7&99&0&0003";
    gone.hardwareIds = {u"USB\\VID_0C76&PID_1619&REV_0100&MI_03"};
    gone.lowerFilters = std::vector<std::u16string>{u"Tonegate"};
    gone.present = false;
    const int offline = world.devices.AddDeviceNode(gone);
    const int online = world.devices.AddSoundDevice();

    ResetDevicesForInstall(world.devices.deviceTree(), Selection(), kFilterDriverName);

    EXPECT_FALSE(world.devices.Node(offline, 0).lowerFilters.has_value());
    EXPECT_TRUE(world.devices.Node(offline, 0).stateChanges.empty());
    EXPECT_FALSE(world.devices.ExtensionNode(online).lowerFilters.has_value());
    EXPECT_EQ(
        world.devices.ExtensionNode(online).stateChanges,
        (std::vector<DeviceStateChange>{DeviceStateChange::kDisable, DeviceStateChange::kEnable}));
    // The audio interface does not match the group and is left alone.
    EXPECT_TRUE(world.devices.AudioNode(online).stateChanges.empty());
}

TEST_F(DeviceSetupTest, HardwareIdOfAnotherLengthIsNeverTouched) {
    SimDeviceNode odd;
    odd.hardwareIds = {u"USB\\VID_0C76&PID_1619&REV_0100&MI_031"};  // 37 characters
    odd.lowerFilters = std::vector<std::u16string>{u"Tonegate"};
    odd.present = true;
    const int unit = world.devices.AddDeviceNode(odd);
    ResetDevicesForInstall(world.devices.deviceTree(), Selection(), kFilterDriverName);
    EXPECT_TRUE(world.devices.Node(unit, 0).lowerFilters.has_value());
    EXPECT_TRUE(world.devices.Node(unit, 0).stateChanges.empty());
    EXPECT_EQ(FindMatchingDevice(world.devices.deviceTree(), Selection()), 0);
}

TEST_F(DeviceSetupTest, FindMatchingDeviceReportsTheFirstPresentOneOrAFailedList) {
    EXPECT_EQ(FindMatchingDevice(world.devices.deviceTree(), Selection()), 0);
    world.devices.AddSoundDevice();
    std::u16string id;
    EXPECT_EQ(FindMatchingDevice(world.devices.deviceTree(), Selection(), &id), 1);
    EXPECT_EQ(id, u"USB\\VID_0C76&PID_161B&REV_0100&MI_03");
    world.devices.FailDeviceLists(true);
    EXPECT_EQ(FindMatchingDevice(world.devices.deviceTree(), Selection()), 1);
    EXPECT_EQ(RemoveFilterFromDevices(world.devices.deviceTree(), Selection(), kFilterDriverName),
              1);
}

TEST_F(DeviceSetupTest, RestartReportsFailuresAndReboots) {
    struct Case {
        const char* name;
        std::function<void(SimDeviceNode&)> setUp;
        bool result;
    };
    const Case cases[] = {
        {"clean", [](SimDeviceNode&) {}, true},
        {"needs reboot", [](SimDeviceNode& n) { n.needsRebootAfterChange = true; }, false},
        {"state change fails", [](SimDeviceNode& n) { n.stateChangeFails = true; }, false},
        {"parameters unreadable", [](SimDeviceNode& n) { n.installParamsFail = true; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetupWorld w;
        SimDeviceNode node;
        node.hardwareIds = {u"X"};
        node.present = true;
        c.setUp(node);
        w.devices.AddDeviceNode(node);
        DeviceTree& tree = w.devices.deviceTree();
        const DeviceList list = tree.OpenAllClassesList(kMediaClassGuid, true);
        EXPECT_EQ(RestartDevice(tree, list, 0), c.result);
        tree.CloseList(list);
    }
}

TEST_F(DeviceSetupTest, ServiceControlResults) {
    struct Case {
        const char* name;
        std::function<void(SetupWorld&)> setUp;
        uint32_t control;
        ServiceControlResult result;
        uint32_t waitedMs;
    };
    auto service = [](SimService s) {
        return [s](SetupWorld& w) { w.services.Install(u"Tonewarden", s); };
    };
    SimService running;
    running.state = kServiceRunning;
    SimService ignoresStop = running;
    ignoresStop.ignoresStop = true;
    SimService refusesStop = running;
    refusesStop.refusesStop = true;
    SimService slowStop = running;
    slowStop.queriesToSettle = 4;
    SimService refusesStart;
    refusesStart.refusesStart = true;
    SimService ignoresStart;
    ignoresStart.ignoresStart = true;
    SimService unreadable = running;
    unreadable.queryFails = true;
    const Case cases[] = {
        {"no manager", [](SetupWorld& w) { w.services.managerFails = true; }, 1,
         kServiceManagerNotOpened, 0},
        {"not installed", [](SetupWorld&) {}, 1, kServiceNotOpened, 0},
        {"status unreadable", service(unreadable), 1, kServiceStatusUnreadable, 0},
        {"already stopped", service(SimService{}), 1, kServiceDone, 0},
        {"stops after a while", service(slowStop), 1, kServiceDone, 900},
        {"ignores stop", service(ignoresStop), 1, kServiceNotStopped, 9000},
        {"refuses stop", service(refusesStop), 1, kServiceStopRefused, 0},
        {"already running", service(running), 0, kServiceDone, 0},
        {"starts", service(SimService{}), 0, kServiceDone, 0},
        {"refuses start", service(refusesStart), 0, kServiceStartRefused, 0},
        {"never runs", service(ignoresStart), 0, kServiceNotRunning, 9000},
        {"user control", service(running), 128, kServiceDone, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetupWorld w;
        c.setUp(w);
        EXPECT_EQ(ControlDeviceService(w.services, w.clock, u"Tonewarden", c.control), c.result);
        EXPECT_EQ(w.clock.TickCount(), c.waitedMs);
        EXPECT_EQ(w.services.OpenHandleCount(), 0u);
        EXPECT_EQ(w.services.BadCloseCount(), 0u);
    }
}

TEST_F(DeviceSetupTest, IgnoredStopIsPolledThirtyTimesThreeHundredMillisecondsApart) {
    SimService stubborn;
    stubborn.state = kServiceRunning;
    stubborn.ignoresStop = true;
    world.services.Install(u"Tonewarden", stubborn);
    EXPECT_EQ(ControlDeviceService(world.services, world.clock, u"Tonewarden", 1),
              kServiceNotStopped);
    EXPECT_EQ(world.clock.sleeps(), std::vector<uint32_t>(30, 300));
}

}  // namespace
}  // namespace tonedeck::setup_test
