#include "panel/device/device_presence.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/des.h"
#include "common/device_id_mgr.h"
#include "common/text.h"
#include "platform/sim/sim_device_world.h"
#include "platform/sim/sim_file_system.h"

namespace tonedeck {
namespace {

constexpr char16_t kAppDir[] = u"C:\\Program Files\\Tonedeck\\";
constexpr char16_t kConfigPath[] = u"C:\\Program Files\\Tonedeck\\AudioConfig.cfg";
const std::string kPattern = "USB\\VID_0C76&PID_16XX&REV_0100&MI_00";

std::string GroupFile(const std::vector<std::string>& entries) {
    std::string text = "[USB_VID_PID]\r\n";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        text += "ID" + std::to_string(i + 1) + "=" + entries[i] + "\r\n";
    }
    return text;
}

std::string Entry(const std::string& pattern) { return pattern + "," + MakeEntryCode(pattern); }

class FakeTimer : public PresenceTimer {
  public:
    void Start() override {
        running = true;
        ++starts;
    }
    void Stop() override { running = false; }
    bool running = false;
    int starts = 0;
};

class RecordingListener : public PresenceListener {
  public:
    void ShowDeviceLabel(bool active) override {
        events.push_back(active ? "LabelActive" : "LabelUnactive");
    }
    void SetDevicePresent(bool present) override {
        events.push_back(present ? "present" : "absent");
    }
    void ApplyLedOnArrival() override { events.push_back("led"); }
    void ReapplyAfterArrival() override { events.push_back("reapply"); }
    void ForgetEndpointAndCapture() override { events.push_back("forget"); }
    std::vector<std::string> Take() {
        std::vector<std::string> taken;
        taken.swap(events);
        return taken;
    }
    std::vector<std::string> events;
};

// The presence logic on a simulated world, with a group that accepts the sound device.
struct PresenceRig {
    PresenceRig()
        : hid(world.hidBus()),
          driver(world.ioControl()),
          presence({files, world.deviceTree(), hid, driver, timer, listener}, kAppDir) {
        files.PutFile(kConfigPath, GroupFile({Entry(kPattern)}));
    }

    void ExpectNoLeaks(const char* name) {
        presence.ClosePresenceHandle();
        EXPECT_EQ(world.OpenHandleCount(), 0u) << name;
        EXPECT_EQ(world.OpenListCount(), 0u) << name;
        EXPECT_EQ(world.BadCloseCount(), 0u) << name;
    }

    void Deliver() {
        for (const DeviceChange& change : world.TakeNotices()) presence.OnDeviceChange(change);
    }

    // Open handles besides the presence marker.
    std::size_t OtherHandles() const {
        return world.OpenHandleCount() - (presence.presenceHandle() ? 1 : 0);
    }

    SimFileSystem files;
    SimDeviceWorld world;
    HidChannel hid;
    DriverChannel driver;
    FakeTimer timer;
    RecordingListener listener;
    DevicePresence presence;
};

class PresenceTest : public ::testing::Test, public PresenceRig {
  protected:
    void TearDown() override { ExpectNoLeaks("after the test"); }
};

using Events = std::vector<std::string>;

struct State {
    bool present;
    bool handleOpen;
    bool timerRunning;
};

struct TransitionRow {
    const char* name;
    // Brings the world and the presence into the row's "from" state.
    std::function<void(PresenceRig&)> from;
    std::function<void(PresenceRig&)> event;
    State to;
    Events events;
};

// The device, added present; in "absent" rows it is added unplugged.
void StartPresent(PresenceRig& t) {
    t.world.AddSoundDevice();
    t.presence.DetectDevice(DetectMode::kStartUp);
}
void StartAbsent(PresenceRig& t) {
    t.world.Unplug(t.world.AddSoundDevice());
    t.world.TakeNotices();
    t.presence.DetectDevice(DetectMode::kStartUp);
}
void StartRemoved(PresenceRig& t) {
    StartPresent(t);
    t.world.Unplug(0);
    t.Deliver();
}

TEST(PresenceTransitions, EveryRowOfTheTransitionTable) {
    const Events arrived = {"LabelActive", "present", "led", "reapply"};
    const std::vector<TransitionRow> rows = {
        {"start: detection confirms",
         [](PresenceRig&) {},
         [](PresenceRig& t) { StartPresent(t); },
         {true, true, false},
         {"LabelActive", "present"}},
        {"start: nothing confirmed",
         [](PresenceRig&) {},
         [](PresenceRig& t) { StartAbsent(t); },
         {false, false, true},
         {"LabelUnactive", "absent"}},
        {"absent: a tick confirms",
         StartAbsent,
         [](PresenceRig& t) {
             t.world.Plug(0);
             t.world.TakeNotices();
             t.presence.OnPollTimer();
         },
         {true, true, false},
         arrived},
        {"absent: an HID arrival confirms",
         StartAbsent,
         [](PresenceRig& t) {
             t.world.Plug(0);
             t.Deliver();
         },
         {true, true, false},
         arrived},
        {"absent: a tick finds the audio device, its HID does not open",
         StartAbsent,
         [](PresenceRig& t) {
             t.world.Hid(0).opens = false;
             t.world.Plug(0);
             t.world.TakeNotices();
             t.presence.OnPollTimer();
         },
         {false, false, true},
         {"LabelUnactive", "absent"}},
        {"present: removal with the current IDs",
         StartPresent,
         [](PresenceRig& t) {
             t.world.Unplug(0);
             t.Deliver();
         },
         {false, false, false},
         {"LabelUnactive", "absent", "forget"}},
        {"present: HID arrival is ignored",
         StartPresent,
         [](PresenceRig& t) {
             t.world.Unplug(t.world.AddHidDevice());
             t.world.Plug(1);
             t.Deliver();
         },
         {true, true, false},
         {}},
        {"removed: HID arrival confirms",
         StartRemoved,
         [](PresenceRig& t) {
             t.world.Plug(0);
             t.Deliver();
         },
         {true, true, false},
         arrived},
        {"removed: arrival finds the audio device, its HID does not open",
         StartRemoved,
         [](PresenceRig& t) {
             t.world.Hid(0).opens = false;
             t.world.Plug(0);
             t.Deliver();
         },
         {false, false, true},
         {"LabelUnactive", "absent"}},
        {"removed: arrival before the audio interface finds nothing",
         StartRemoved,
         [](PresenceRig& t) {
             t.world.PlugHidOnly(0);
             t.Deliver();
         },
         {false, false, false},
         {}},
    };
    for (const TransitionRow& row : rows) {
        PresenceRig t;
        row.from(t);
        t.listener.Take();
        row.event(t);
        EXPECT_EQ(t.presence.devicePresent(), row.to.present) << row.name;
        EXPECT_EQ(static_cast<bool>(t.presence.presenceHandle()), row.to.handleOpen) << row.name;
        EXPECT_EQ(t.timer.running, row.to.timerRunning) << row.name;
        EXPECT_EQ(t.listener.Take(), row.events) << row.name;
        EXPECT_EQ(t.OtherHandles(), 0u) << row.name;
        t.ExpectNoLeaks(row.name);
    }
}

TEST_F(PresenceTest, ConfirmationSetsTheIdsAndTheDriverPath) {
    world.AddHidDevice();
    world.AddSoundDevice({.productId = 0x1620});
    presence.DetectDevice(DetectMode::kStartUp);
    EXPECT_TRUE(presence.devicePresent());
    EXPECT_EQ(presence.vendorId(), 0x0C76);
    EXPECT_EQ(presence.productId(), 0x1620);
    EXPECT_EQ(driver.devicePath(), u"\\\\.\\Class#TonedeckExtension&0C76&1620");
}

TEST_F(PresenceTest, TheRemovedStateWaitsForTheNextArrivalAfterAnEarlyOne) {
    StartRemoved(*this);
    world.PlugHidOnly(0);
    Deliver();
    EXPECT_FALSE(presence.devicePresent());
    world.Plug(0);  // the audio interface follows; its arrival is not an HID one
    Deliver();
    EXPECT_FALSE(presence.devicePresent());
    EXPECT_FALSE(timer.running);
    world.Unplug(0);
    world.Plug(0);
    Deliver();
    EXPECT_TRUE(presence.devicePresent());
}

TEST_F(PresenceTest, HardwareIdsOfAnyOtherLengthNeverMatch) {
    const std::string shortPattern = "USB\\VID_0C76&PID_16XX&REV_0100&MI_0";
    const std::string longPattern = "USB\\VID_0C76&PID_16XX&REV_0100&MI_000";
    files.PutFile(kConfigPath, GroupFile({Entry(shortPattern), Entry(longPattern)}));
    world.AddSoundDevice({.audioHardwareId = u"USB\\VID_0C76&PID_161B&REV_0100&MI_0"});
    world.AddSoundDevice(
        {.audioHardwareId = u"USB\\VID_0C76&PID_161B&REV_0100&MI_000", .instance = u"2"});
    CDeviceIdMgr group(files);
    ASSERT_EQ(group.LoadGroup(kConfigPath, kUsbGroupSection), kGroupLoaded);
    ASSERT_TRUE(group.Matches(u"USB\\VID_0C76&PID_161B&REV_0100&MI_0")) << "the group would";
    const AudioDeviceSearch search = FindAudioDevice(world.deviceTree(), group);
    EXPECT_FALSE(search.found);
    EXPECT_TRUE(search.hardwareId.empty());
    presence.DetectDevice(DetectMode::kStartUp);
    EXPECT_FALSE(presence.devicePresent());
}

TEST_F(PresenceTest, RemovalsThatDoNotNameTheDeviceChangeNothing) {
    StartPresent(*this);
    listener.Take();
    const DeviceChange base{kDbtDeviceRemoveComplete, true, kDbtDevTypDeviceInterface,
                            kGuidDevInterfaceHid, u""};
    struct Case {
        const char* name;
        DeviceChange change;
    };
    auto with = [&](auto edit) {
        DeviceChange change = base;
        edit(change);
        return change;
    };
    const std::string guid = "#{4d1e55b2-f16f-11cf-88cb-001111000030}";
    const Case cases[] = {
        {"lower-case markers only", with([](DeviceChange& c) {
             c.path =
                 u"\\\\?\\hid#vid_0c76&pid_161b&mi_02#7&1a2b3c4d&0&0000#{4d1e55b2-f16f-11cf-88cb-"
                 u"001111000030}";
         })},
        {"other product",
         with([](DeviceChange& c) { c.path = u"\\\\?\\HID#VID_0C76&PID_1620&MI_02#7&1"; })},
        {"other vendor",
         with([](DeviceChange& c) { c.path = u"\\\\?\\HID#VID_0C77&PID_161B&MI_02#7&1"; })},
        {"not an HID interface", with([](DeviceChange& c) {
             c.interfaceClass = kKsCategoryAudio;
             c.path = u"\\\\?\\HID#VID_0C76&PID_161B&MI_02#7&1";
         })},
        {"not an interface record", with([](DeviceChange& c) {
             c.deviceType = 2;
             c.path = u"\\\\?\\HID#VID_0C76&PID_161B&MI_02#7&1";
         })},
        {"no record", DeviceChange{kDbtDeviceRemoveComplete, false, 0, {}, u""}},
        {"another event", with([](DeviceChange& c) {
             c.event = 0x8003;
             c.path = u"\\\\?\\HID#VID_0C76&PID_161B&MI_02#7&1";
         })},
    };
    for (const Case& c : cases) {
        presence.OnDeviceChange(c.change);
        EXPECT_TRUE(presence.devicePresent()) << c.name;
        EXPECT_TRUE(presence.presenceHandle()) << c.name;
        EXPECT_TRUE(listener.Take().empty()) << c.name;
    }
    // Mixed-case markers ("Vid_", "Pid_") do name it.
    presence.OnDeviceChange(
        with([](DeviceChange& c) { c.path = u"\\\\?\\Hid#Vid_0c76&Pid_161b&Mi_02#7&1"; }));
    EXPECT_FALSE(presence.devicePresent());
}

TEST_F(PresenceTest, GroupsThatAuthenticateNothingNeverConfirm) {
    world.AddSoundDevice();
    const std::string other = MakeEntryCode("USB\\VID_0C76&PID_16XX&REV_0100&MI_01");
    const std::vector<std::pair<const char*, std::string>> files_ = {
        {"empty section", "[USB_VID_PID]\r\n"},
        {"no section", "[HID_VID_PID]\r\n" + Entry(kPattern).insert(0, "ID1=") + "\r\n"},
        {"code of another pattern", GroupFile({kPattern + "," + other})},
        {"code not Base64", GroupFile({kPattern + ",@@@@"})},
        {"empty code", GroupFile({kPattern + ","})},
    };
    for (const auto& [name, text] : files_) {
        files.PutFile(kConfigPath, text);
        presence.DetectDevice(DetectMode::kStartUp);
        EXPECT_FALSE(presence.devicePresent()) << name;
        EXPECT_TRUE(timer.running) << name;
    }
    files.RemoveFile(kConfigPath);
    presence.DetectDevice(DetectMode::kStartUp);
    EXPECT_FALSE(presence.devicePresent()) << "no file";
    files.PutFile(kConfigPath, GroupFile({Entry(kPattern)}));
    presence.DetectDevice(DetectMode::kStartUp);
    EXPECT_TRUE(presence.devicePresent()) << "the same world with an authentic group";
}

TEST_F(PresenceTest, AListThatCannotBeMadeConfirmsNothingEvenForZeroIds) {
    world.AddHidDevice({.vendorId = 0, .productId = 0});
    world.AddSoundDevice();
    world.FailDeviceLists(true);
    const CDeviceIdMgr empty(files);
    const AudioDeviceSearch search = FindAudioDevice(world.deviceTree(), empty);
    EXPECT_TRUE(search.found);
    EXPECT_TRUE(search.hardwareId.empty());
    presence.DetectDevice(DetectMode::kStartUp);
    EXPECT_FALSE(presence.devicePresent());
    EXPECT_EQ(world.OpenedHandleTotal(), 0u) << "nothing to confirm, nothing opened";
    EXPECT_TRUE(timer.running);
}

TEST_F(PresenceTest, UnreadableHardwareIdsAreSkipped) {
    for (HardwareIdFault fault :
         {HardwareIdFault::kMissing, HardwareIdFault::kZeroSize, HardwareIdFault::kReadFails}) {
        SimDeviceWorld caseWorld;
        const int broken = caseWorld.AddSoundDevice({.productId = 0x1610});
        caseWorld.AudioNode(broken).hardwareIdFault = fault;
        caseWorld.AddSoundDevice({.productId = 0x1620, .instance = u"2"});
        CDeviceIdMgr group(files);
        group.LoadGroup(kConfigPath, kUsbGroupSection);
        const AudioDeviceSearch search = FindAudioDevice(caseWorld.deviceTree(), group);
        EXPECT_TRUE(search.found);
        EXPECT_EQ(search.hardwareId, u"USB\\VID_0C76&PID_1620&REV_0100&MI_00");
        EXPECT_EQ(caseWorld.OpenListCount(), 0u);
    }
}

TEST_F(PresenceTest, ReadHardwareIdTakesTheFirstStringOfTheList) {
    const int device = world.AddSoundDevice();
    world.AudioNode(device).hardwareIds = {u"FIRST", u"SECOND"};
    DeviceTree& tree = world.deviceTree();
    const DeviceList list = tree.OpenPresentInterfaceList(kKsCategoryAudio);
    ASSERT_TRUE(list);
    EXPECT_EQ(ReadHardwareId(tree, list, 0), std::optional<std::u16string>(u"FIRST"));
    EXPECT_EQ(ReadHardwareId(tree, list, 1), std::nullopt) << "past the end";
    tree.CloseList(list);
}

TEST_F(PresenceTest, AReconnectionThatFindsNothingChangesNothing) {
    StartRemoved(*this);
    listener.Take();
    const int starts = timer.starts;
    presence.OnPollTimer();
    EXPECT_TRUE(listener.Take().empty());
    EXPECT_EQ(timer.starts, starts);
    EXPECT_EQ(presence.vendorId(), 0x0C76) << "the IDs stay";
    EXPECT_EQ(presence.productId(), 0x161B);
    StartAbsent(*this);  // a start-up detection that finds nothing clears them
    EXPECT_EQ(presence.vendorId(), 0);
    EXPECT_EQ(presence.productId(), 0);
}

TEST_F(PresenceTest, ADetectionWhilePresentReplacesTheMarker) {
    StartPresent(*this);
    const DeviceHandle first = presence.presenceHandle();
    presence.OnPollTimer();
    EXPECT_TRUE(presence.presenceHandle());
    EXPECT_NE(presence.presenceHandle(), first);
    EXPECT_EQ(world.OpenHandleCount(), 1u);
}

TEST(PresenceParseVidPid, ReadsUpToFourHexDigitsAfterEachMarker) {
    struct Case {
        std::u16string text;
        VidPid ids;
    };
    const Case cases[] = {
        {u"USB\\VID_0C76&PID_161B&REV_0100&MI_00", {0x0C76, 0x161B}},
        {u"\\\\?\\HID#Vid_0c76&Pid_161b&Mi_02#7", {0x0C76, 0x161B}},
        {u"\\\\?\\hid#vid_0c76&pid_161b&mi_02#7", {0, 0}},
        {u"USB\\VID_0C76", {0x0C76, 0}},
        {u"USB\\PID_161B", {0, 0}},
        {u"VID_0C7G&PID_1", {0x0C7, 0x1}},
        {u"VID_&PID_", {0, 0}},
        {u"VID_12345&PID_ABCDE", {0x1234, 0xABCD}},
        {u"VID_0C76&Pid_0001&PID_0002", {0x0C76, 0x0002}},
        {u"", {0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseVidPid(c.text), c.ids) << U16ToUtf8(c.text);
    }
}

}  // namespace
}  // namespace tonedeck
