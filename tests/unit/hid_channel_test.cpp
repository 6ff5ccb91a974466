#include "panel/device/hid_channel.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/sim/sim_device_world.h"

namespace tonedeck {
namespace {

using Bytes = std::vector<uint8_t>;

struct ReportCase {
    const char* name;
    std::function<Bytes()> build;
    Bytes expected;
};

TEST(HidReports, BuildsEachReportByteExact) {
    GpioLines lines89{};
    lines89[8] = lines89[9] = 1;
    GpioLines lines07{};
    lines07[0] = lines07[7] = 1;
    const std::vector<ReportCase> cases = {
        {"set-address 297",
         [] { return BuildSetAddressReport(297, 5); },
         {0x00, 0x60, 0x29, 0x01, 0x10}},
        {"set-address 394",
         [] { return BuildSetAddressReport(394, 5); },
         {0x00, 0x60, 0x8A, 0x01, 0x10}},
        {"set-address high byte",
         [] { return BuildSetAddressReport(0xABCD, 5); },
         {0x00, 0x60, 0xCD, 0xAB, 0x10}},
        {"write-data 0x34",
         [] { return BuildWriteDataReport(0x34, 5); },
         {0x00, 0x60, 0x34, 0x01, 0x20}},
        {"gpio-read", [] { return BuildGpioReadReport(5); }, {0x00, 0x60, 0x00, 0x00, 0x30}},
        {"gpio-write all low",
         [] { return BuildGpioWriteReport(GpioLines{}, 5); },
         {0x00, 0x60, 0x00, 0xFF, 0x3C}},
        {"gpio-write lines 8 and 9",
         [&] { return BuildGpioWriteReport(lines89, 5); },
         {0x00, 0x60, 0x00, 0xFF, 0x3F}},
        {"gpio-write lines 0 and 7",
         [&] { return BuildGpioWriteReport(lines07, 5); },
         {0x00, 0x60, 0x81, 0xFF, 0x3C}},
        {"idle", [] { return BuildIdleReport(5); }, {0x00, 0x00, 0x00, 0x00, 0x00}},
        {"padded to the report length",
         [] { return BuildWriteDataReport(0xFF, 8); },
         {0x00, 0x60, 0xFF, 0x01, 0x20, 0x00, 0x00, 0x00}},
        {"cut to a short report length",
         [] { return BuildSetAddressReport(297, 3); },
         {0x00, 0x60, 0x29}},
        {"length 0", [] { return BuildGpioReadReport(0); }, {}},
    };
    for (const ReportCase& c : cases) EXPECT_EQ(c.build(), c.expected) << c.name;
}

TEST(HidReports, UnpacksGpioLinesFromBytesTwoAndThree) {
    EXPECT_EQ(UnpackGpioInput(Bytes{0x00, 0x00, 0x81, 0x02, 0x00}),
              (GpioLines{1, 0, 0, 0, 0, 0, 0, 1, 0, 1}));
    EXPECT_EQ(UnpackGpioInput(Bytes{0x00, 0x00, 0x00, 0xFD, 0x00}),
              (GpioLines{0, 0, 0, 0, 0, 0, 0, 0, 1, 0}));
    EXPECT_EQ(UnpackGpioInput(Bytes{0x00, 0x00}), GpioLines{});
}

class HidChannelTest : public ::testing::Test {
  protected:
    HidChannelTest() : channel(world.hidBus()) {}

    void TearDown() override {
        EXPECT_EQ(world.OpenHandleCount(), 0u) << "a handle was left open";
        EXPECT_EQ(world.BadCloseCount(), 0u);
    }

    SimDeviceWorld world;
    HidChannel channel;
};

TEST_F(HidChannelTest, WriteRegisterSendsAddressThenData) {
    world.AddHidDevice();
    const int device = world.AddSoundDevice();
    world.Firmware(device).SetReportLengths(5, 5);
    const DeviceHandle handle = channel.OpenHidDevice(0x0C76, 0x161B);
    ASSERT_TRUE(handle);
    EXPECT_EQ(channel.WriteRegister(handle, 297, 0x34), 0);
    channel.CloseHidDevice(handle);
    EXPECT_EQ(world.Firmware(device).SentReports(),
              (std::vector<Bytes>{{0x00, 0x60, 0x29, 0x01, 0x10}, {0x00, 0x60, 0x34, 0x01, 0x20}}));
    EXPECT_EQ(world.Firmware(device).Register(297), 0x34);
}

TEST_F(HidChannelTest, ReadRegisterTakesByteTwoOfTheNextInputReport) {
    const int device = world.AddSoundDevice();
    world.Firmware(device).SetReportLengths(5, 9);
    world.Firmware(device).SetRegister(394, 0x5A);
    const DeviceHandle handle = channel.OpenHidDevice(0x0C76, 0x161B);
    uint8_t value = 0;
    EXPECT_EQ(channel.ReadRegister(handle, 394, value), 0);
    channel.CloseHidDevice(handle);
    EXPECT_EQ(value, 0x5A);
    const auto& log = world.Firmware(device).log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].bytes, (Bytes{0x00, 0x60, 0x8A, 0x01, 0x10}));
    EXPECT_EQ(log[1].kind, SimHidReport::kInput);
    EXPECT_EQ(log[1].bytes.size(), 9u);
}

TEST_F(HidChannelTest, LedSequencesEndWithTheIdleReport) {
    const int device = world.AddSoundDevice();
    world.Firmware(device).SetReportLengths(5, 5);
    SimSoundFirmware& firmware = world.Firmware(device);

    EXPECT_EQ(channel.ApplyLed(0x0C76, 0x161B, false), 0);
    EXPECT_EQ(firmware.SentReports(),
              (std::vector<Bytes>{{0x00, 0x60, 0x00, 0xFF, 0x3C}, {0x00, 0x00, 0x00, 0x00, 0x00}}));
    EXPECT_EQ(firmware.gpio(), SimSoundFirmware::Lines{});

    firmware.ClearLog();
    firmware.SetGpio({1, 0, 1, 0, 0, 0, 0, 0, 0, 1});
    EXPECT_EQ(channel.ApplyLed(0x0C76, 0x161B, true), 0);
    EXPECT_EQ(firmware.LoggedKinds(),
              (std::vector<SimHidReport>{SimHidReport::kGpioRead, SimHidReport::kInput,
                                         SimHidReport::kIdle}));
    EXPECT_EQ(firmware.SentReports(),
              (std::vector<Bytes>{{0x00, 0x60, 0x00, 0x00, 0x30}, {0x00, 0x00, 0x00, 0x00, 0x00}}));
    // LED on only reads the lines back.
    EXPECT_EQ(firmware.gpio(), (SimSoundFirmware::Lines{1, 0, 1, 0, 0, 0, 0, 0, 0, 1}));
}

TEST_F(HidChannelTest, GpioRoundTripsAllTenLines) {
    const int device = world.AddSoundDevice();
    const DeviceHandle handle = channel.OpenHidDevice(0x0C76, 0x161B);
    const GpioLines written{1, 1, 0, 0, 1, 0, 1, 0, 0, 1};
    EXPECT_EQ(channel.WriteGpio(handle, written), 0);
    GpioLines read{};
    EXPECT_EQ(channel.ReadGpio(handle, read), 0);
    channel.CloseHidDevice(handle);
    EXPECT_EQ(read, written);
    EXPECT_EQ(world.Firmware(device).gpio(), written);
}

TEST_F(HidChannelTest, RegisterPairComposesNibblesAndRefusesLargeOnes) {
    const int device = world.AddSoundDevice();
    const DeviceHandle handle = channel.OpenHidDevice(0x0C76, 0x161B);
    EXPECT_EQ(channel.WriteRegisterPair(handle, 395, 16, 3), kPairNibbleTooLarge);
    EXPECT_EQ(channel.WriteRegisterPair(handle, 395, 3, 16), kPairNibbleTooLarge);
    EXPECT_TRUE(world.Firmware(device).log().empty());
    EXPECT_EQ(channel.WriteRegisterPair(handle, 396, 12, 5), 0);
    EXPECT_EQ(channel.WriteRegisterPair(handle, 395, 15, 15), 0);
    channel.CloseHidDevice(handle);
    EXPECT_EQ(world.Firmware(device).Register(396), 0xC5);
    EXPECT_EQ(world.Firmware(device).Register(395), 0xFF);
}

TEST_F(HidChannelTest, OpenTakesTheFirstMatchingInterfaceInListingOrder) {
    world.AddHidDevice({.vendorId = 0x0C76, .productId = 0x1610});  // same vendor, other product
    world.AddHidDevice({.vendorId = 0x1234, .productId = 0x161B});  // other vendor, same product
    const int first = world.AddSoundDevice({.instance = u"11111111"});
    const int second = world.AddSoundDevice({.instance = u"22222222"});
    const DeviceHandle handle = channel.OpenHidDevice(0x0C76, 0x161B);
    ASSERT_TRUE(handle);
    EXPECT_EQ(channel.WriteRegister(handle, 256, 0x07), 0);
    channel.CloseHidDevice(handle);
    EXPECT_EQ(world.Firmware(first).Register(256), 0x07);
    EXPECT_TRUE(world.Firmware(second).log().empty());
    // Every interface opened on the way was closed again.
    EXPECT_EQ(world.OpenedHandleTotal(), 3u);
}

TEST_F(HidChannelTest, OpenSkipsInterfacesThatDoNotOpenOrAnswer) {
    const int locked = world.AddSoundDevice({.instance = u"11111111", .hidOpens = false});
    const int mute = world.AddSoundDevice({.instance = u"22222222"});
    world.Hid(mute).attributesFail = true;
    const int good = world.AddSoundDevice({.instance = u"33333333"});
    const DeviceHandle handle = channel.OpenHidDevice(0x0C76, 0x161B);
    ASSERT_TRUE(handle);
    EXPECT_EQ(channel.SendIdleReport(handle), 0);
    channel.CloseHidDevice(handle);
    EXPECT_EQ(world.Firmware(good).log().size(), 1u);
    EXPECT_TRUE(world.Firmware(locked).log().empty());
    EXPECT_TRUE(world.Firmware(mute).log().empty());
}

TEST_F(HidChannelTest, OpenFindsNothing) {
    world.AddHidDevice();
    EXPECT_FALSE(channel.OpenHidDevice(0x0C76, 0x161B)) << "no such device";
    world.AddSoundDevice({.hidOpens = false});
    EXPECT_FALSE(channel.OpenHidDevice(0x0C76, 0x161B)) << "its interface does not open";
    world.FailHidListing(true);
    world.Hid(1).opens = true;
    EXPECT_FALSE(channel.OpenHidDevice(0x0C76, 0x161B)) << "no list";
}

TEST_F(HidChannelTest, HandleOfAnUnpluggedDeviceFailsEveryReport) {
    const int device = world.AddSoundDevice();
    const DeviceHandle handle = channel.OpenHidDevice(0x0C76, 0x161B);
    world.Unplug(device);
    EXPECT_EQ(channel.WriteRegister(handle, 256, 0), kWriteRegNoOutput);
    world.Plug(device);
    EXPECT_EQ(channel.SendIdleReport(handle), kIdleNoOutput) << "a replug does not revive it";
    channel.CloseHidDevice(handle);
}

// One operation of the channel on an open device, its code, and whether its value came back.
struct ResultCase {
    const char* name;
    std::function<void(SimDeviceWorld&, int)> arrange;
    std::function<int(HidChannel&, DeviceHandle)> run;
    int expected;
};

int WriteReg(HidChannel& c, DeviceHandle h) { return c.WriteRegister(h, 297, 0x34); }
int ReadReg(HidChannel& c, DeviceHandle h) {
    uint8_t value = 0xEE;
    const int result = c.ReadRegister(h, 297, value);
    if (result != 0 && value != 0xEE) return -1;  // a failed read must not hand out a value
    return result;
}
int Idle(HidChannel& c, DeviceHandle h) { return c.SendIdleReport(h); }
int WriteGpioOp(HidChannel& c, DeviceHandle h) { return c.WriteGpio(h, GpioLines{}); }
int ReadGpioOp(HidChannel& c, DeviceHandle h) {
    GpioLines lines{9, 9, 9, 9, 9, 9, 9, 9, 9, 9};
    const int result = c.ReadGpio(h, lines);
    if (result != 0 && lines[0] != 9) return -1;
    return result;
}
int Pair(HidChannel& c, DeviceHandle h) { return c.WriteRegisterPair(h, 395, 10, 3); }

auto Lengths(uint16_t output, uint16_t input) {
    return [=](SimDeviceWorld& w, int d) { w.Firmware(d).SetReportLengths(output, input); };
}
auto Fault(SimHidReport kind) {
    return [=](SimDeviceWorld& w, int d) { w.Firmware(d).SetFault(kind, true); };
}
void CapsFail(SimDeviceWorld& w, int d) { w.Hid(d).capsFail = true; }
void Nothing(SimDeviceWorld&, int) {}

TEST_F(HidChannelTest, EveryResultCodeOfEveryOperation) {
    const std::vector<ResultCase> cases = {
        {"write: ok", Nothing, WriteReg, 0},
        {"write: no capabilities", CapsFail, WriteReg, 1},
        {"write: output length 0", Lengths(0, 9), WriteReg, 1},
        {"write: set-address fails", Fault(SimHidReport::kSetAddress), WriteReg, 2},
        {"write: write-data fails", Fault(SimHidReport::kWriteData), WriteReg, 3},
        {"read: ok", Nothing, ReadReg, 0},
        {"read: no capabilities", CapsFail, ReadReg, 1},
        {"read: output length 0", Lengths(0, 9), ReadReg, 1},
        {"read: set-address fails", Fault(SimHidReport::kSetAddress), ReadReg, 2},
        {"read: input length 0", Lengths(9, 0), ReadReg, 3},
        {"read: input too short for byte 2", Lengths(9, 2), ReadReg, 3},
        {"read: input length 3 is enough", Lengths(9, 3), ReadReg, 0},
        {"read: input report fails", Fault(SimHidReport::kInput), ReadReg, 4},
        {"idle: ok", Nothing, Idle, 0},
        {"idle: output length 0", Lengths(0, 9), Idle, 1},
        {"idle: rejected", Fault(SimHidReport::kIdle), Idle, 2},
        {"gpio write: ok", Nothing, WriteGpioOp, 0},
        {"gpio write: output length 0", Lengths(0, 9), WriteGpioOp, 1},
        {"gpio write: output length 4", Lengths(4, 9), WriteGpioOp, 2},
        {"gpio write: output length 1", Lengths(1, 9), WriteGpioOp, 2},
        {"gpio write: output length 5 is enough", Lengths(5, 9), WriteGpioOp, 0},
        {"gpio write: rejected", Fault(SimHidReport::kGpioWrite), WriteGpioOp, 3},
        {"gpio read: ok", Nothing, ReadGpioOp, 0},
        {"gpio read: output length 0", Lengths(0, 9), ReadGpioOp, 1},
        {"gpio read: output length 4", Lengths(4, 9), ReadGpioOp, 2},
        {"gpio read: request rejected", Fault(SimHidReport::kGpioRead), ReadGpioOp, 3},
        {"gpio read: input length 0", Lengths(9, 0), ReadGpioOp, 4},
        {"gpio read: input length 4", Lengths(9, 4), ReadGpioOp, 5},
        {"gpio read: input length 5 is enough", Lengths(9, 5), ReadGpioOp, 0},
        {"gpio read: input report fails", Fault(SimHidReport::kInput), ReadGpioOp, 6},
        {"pair: ok", Nothing, Pair, 0},
        {"pair: write fails", Fault(SimHidReport::kWriteData), Pair, 2},
        {"pair: no output", Lengths(0, 9), Pair, 2},
    };
    for (const ResultCase& c : cases) {
        SimDeviceWorld caseWorld;
        const int device = caseWorld.AddSoundDevice();
        c.arrange(caseWorld, device);
        HidChannel caseChannel(caseWorld.hidBus());
        const DeviceHandle handle = caseChannel.OpenHidDevice(0x0C76, 0x161B);
        ASSERT_TRUE(handle) << c.name;
        EXPECT_EQ(c.run(caseChannel, handle), c.expected) << c.name;
        caseChannel.CloseHidDevice(handle);
        EXPECT_EQ(caseWorld.OpenHandleCount(), 0u) << c.name;
    }
}

TEST_F(HidChannelTest, ShortOutputReportsNeverReachTheDeviceAsRegisterWrites) {
    const int device = world.AddSoundDevice();
    world.Firmware(device).SetReportLengths(4, 9);
    const DeviceHandle handle = channel.OpenHidDevice(0x0C76, 0x161B);
    EXPECT_EQ(channel.WriteRegister(handle, 297, 0x34), kWriteRegAddressFailed);
    channel.CloseHidDevice(handle);
    EXPECT_EQ(world.Firmware(device).SentReports(), (std::vector<Bytes>{{0x00, 0x60, 0x29, 0x01}}));
    EXPECT_EQ(world.Firmware(device).Register(297), 0xE4);
}

struct LedCase {
    const char* name;
    bool ledOn;
    std::function<void(SimDeviceWorld&, int)> arrange;
    int expected;
    std::vector<SimHidReport> kinds;
};

TEST_F(HidChannelTest, LedFailuresStopTheSequenceAndStillClose) {
    using K = SimHidReport;
    const std::vector<LedCase> cases = {
        {"off: gpio write rejected", false, Fault(K::kGpioWrite), kLedGpioFailed, {K::kGpioWrite}},
        {"off: short output", false, Lengths(4, 9), kLedGpioFailed, {}},
        {"off: idle rejected", false, Fault(K::kIdle), kLedIdleFailed, {K::kGpioWrite, K::kIdle}},
        {"on: gpio read rejected", true, Fault(K::kGpioRead), kLedGpioFailed, {K::kGpioRead}},
        {"on: input fails", true, Fault(K::kInput), kLedGpioFailed, {K::kGpioRead, K::kInput}},
        {"on: idle rejected",
         true,
         Fault(K::kIdle),
         kLedIdleFailed,
         {K::kGpioRead, K::kInput, K::kIdle}},
    };
    for (const LedCase& c : cases) {
        SimDeviceWorld caseWorld;
        const int device = caseWorld.AddSoundDevice();
        c.arrange(caseWorld, device);
        HidChannel caseChannel(caseWorld.hidBus());
        EXPECT_EQ(caseChannel.ApplyLed(0x0C76, 0x161B, c.ledOn), c.expected) << c.name;
        EXPECT_EQ(caseWorld.Firmware(device).LoggedKinds(), c.kinds) << c.name;
        EXPECT_EQ(caseWorld.OpenHandleCount(), 0u) << c.name;
    }
    EXPECT_EQ(channel.ApplyLed(0x0C76, 0x161B, true), kLedNoDevice);
}

}  // namespace
}  // namespace tonedeck
