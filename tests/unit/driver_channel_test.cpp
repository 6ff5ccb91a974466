#include "panel/device/driver_channel.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/sim/sim_device_world.h"

namespace tonedeck {
namespace {

using Bytes = std::vector<uint8_t>;

template <std::size_t N>
Bytes ToBytes(const std::array<uint8_t, N>& record) {
    return Bytes(record.begin(), record.end());
}

TEST(DriverRecords, RequestCodesFollowTheControlCodeLayout) {
    EXPECT_EQ(kIoctlExchangeDriverParameter, 0x223028u);
    EXPECT_EQ(kIoctlSendRoomEffect, 0x2230F0u);
    EXPECT_EQ(kIoctlSendSpeakerMap, 0x223140u);
    EXPECT_EQ(kIoctlQueryDriverStatus, 0x223190u);
}

TEST(DriverRecords, PathsCarryFourUpperCaseHexDigitsEach) {
    struct Case {
        uint16_t vendor, product;
        std::u16string path;
    };
    const Case cases[] = {
        {0x0C76, 0x161B, u"\\\\.\\Class#TonedeckExtension&0C76&161B"},
        {0x0C76, 0x001B, u"\\\\.\\Class#TonedeckExtension&0C76&001B"},
        {0x0000, 0xFFFF, u"\\\\.\\Class#TonedeckExtension&0000&FFFF"},
        {0xabcd, 0x00ef, u"\\\\.\\Class#TonedeckExtension&ABCD&00EF"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatDriverDevicePath(c.vendor, c.product), c.path);
}

TEST(DriverRecords, RecordsAreLittleEndianWithoutGaps) {
    EXPECT_EQ(ToBytes(BuildParameterRecord(0x0203, 0x0A0B0C0D)),
              (Bytes{0x01, 0x00, 0x03, 0x02, 0x0D, 0x0C, 0x0B, 0x0A}));
    EXPECT_EQ(ToBytes(BuildRoomEffectRecord(4)), (Bytes{0, 0, 0, 0, 4, 0, 0, 0}));
    EXPECT_EQ(ToBytes(BuildStatusRecord()), (Bytes{1, 0, 0, 0, 0, 0, 0, 0}));

    SpeakerMapValues values{};
    values[0] = 1.0f;   // gain L: 0x3F800000
    values[7] = -2.0f;  // gain RB: 0xC0000000
    values[15] = 0.5f;  // angle RB: 0x3F000000
    const SpeakerMapRecord map = BuildSpeakerMapRecord(1, values);
    ASSERT_EQ(map.size(), 72u);
    EXPECT_EQ(Bytes(map.begin(), map.begin() + 12),
              (Bytes{0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0x80, 0x3F}));
    EXPECT_EQ(Bytes(map.begin() + 36, map.begin() + 40), (Bytes{0, 0, 0, 0xC0}));
    EXPECT_EQ(Bytes(map.begin() + 68, map.end()), (Bytes{0, 0, 0, 0x3F}));
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(ReadF32(map, 8 + 4 * i), values[i]) << "value " << i;
    }
}

class DriverChannelTest : public ::testing::Test {
  protected:
    DriverChannelTest() : channel(world.ioControl()) {}

    void TearDown() override {
        EXPECT_EQ(world.OpenHandleCount(), 0u);
        EXPECT_EQ(world.BadCloseCount(), 0u);
    }

    SimDeviceWorld world;
    SimFilterDriver& driver = world.filterDriver();
    DriverChannel channel;
};

TEST_F(DriverChannelTest, WithoutADevicePathEveryRequestFailsUntouched) {
    world.AddSoundDevice();
    uint32_t value = 77;
    uint32_t status = 55;
    EXPECT_EQ(channel.ExchangeDriverParameter(0, value), kDriverOpenFailed);
    EXPECT_EQ(channel.SendRoomEffect(1), kDriverOpenFailed);
    EXPECT_EQ(channel.SendSpeakerMap(1, {}), kDriverOpenFailed);
    EXPECT_EQ(channel.QueryDriverStatus(status), kDriverOpenFailed);
    EXPECT_EQ(value, 77u);
    EXPECT_EQ(status, 55u);
    EXPECT_EQ(world.OpenedHandleTotal(), 0u) << "the system was touched";
    EXPECT_TRUE(driver.requests().empty());
}

TEST_F(DriverChannelTest, RequestsCarryTheirRecordsToTheDevicePath) {
    world.AddSoundDevice();
    channel.SetDriverDevice(0x0C76, 0x161B);
    driver.SetParameterValue(0, 0x12345678);
    driver.SetStatus(0x42);

    uint32_t status = 0;
    EXPECT_EQ(channel.QueryDriverStatus(status), kDriverOk);
    EXPECT_EQ(status, 0x42u);
    uint32_t value = 0;
    EXPECT_EQ(channel.ExchangeDriverParameter(0, value), kDriverOk);
    EXPECT_EQ(value, 0x12345678u);
    EXPECT_EQ(channel.SendRoomEffect(4), kDriverOk);
    SpeakerMapValues values{};
    values[3] = 0.25f;
    EXPECT_EQ(channel.SendSpeakerMap(1, values), kDriverOk);

    const auto& requests = driver.requests();
    ASSERT_EQ(requests.size(), 4u);
    for (const auto& request : requests) {
        EXPECT_EQ(request.path, u"\\\\.\\Class#TonedeckExtension&0C76&161B");
    }
    EXPECT_EQ(driver.RequestCodes(),
              (std::vector<uint32_t>{0x223190, 0x223028, 0x2230F0, 0x223140}));
    EXPECT_EQ(requests[0].input, (Bytes{1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(requests[0].outputSize, 8u);
    EXPECT_EQ(requests[1].input, (Bytes{1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(requests[2].input, (Bytes{0, 0, 0, 0, 4, 0, 0, 0}));
    EXPECT_EQ(requests[3].input.size(), 72u);
    EXPECT_EQ(requests[3].outputSize, 0u) << "the speaker map has no output buffer";
    EXPECT_EQ(driver.roomEffect(), 4u);
    EXPECT_EQ(driver.speakerEnable(), 1u);
    EXPECT_EQ(driver.speakerValues()[3], 0.25f);
}

TEST_F(DriverChannelTest, ExchangeWithNoDataLeavesTheValueAndSaysSo) {
    world.AddSoundDevice();
    channel.SetDriverDevice(0x0C76, 0x161B);
    driver.SetExchangeReturnsNoData(true);
    uint32_t value = 0xDEADBEEF;
    EXPECT_EQ(channel.ExchangeDriverParameter(0, value), kDriverNoData);
    EXPECT_EQ(value, 0xDEADBEEFu);
    ASSERT_EQ(driver.requests().size(), 1u);
    EXPECT_TRUE(driver.requests()[0].succeeded);
}

TEST_F(DriverChannelTest, RejectedRequestsReturnTwoAndKeepValues) {
    world.AddSoundDevice();
    channel.SetDriverDevice(0x0C76, 0x161B);
    for (uint32_t code : {0x223028u, 0x2230F0u, 0x223140u, 0x223190u}) driver.SetFault(code, true);
    uint32_t value = 9;
    uint32_t status = 8;
    EXPECT_EQ(channel.ExchangeDriverParameter(0, value), kDriverRequestFailed);
    EXPECT_EQ(channel.SendRoomEffect(0), kDriverRequestFailed);
    EXPECT_EQ(channel.SendSpeakerMap(0, {}), kDriverRequestFailed);
    EXPECT_EQ(channel.QueryDriverStatus(status), kDriverRequestFailed);
    EXPECT_EQ(value, 9u);
    EXPECT_EQ(status, 8u);
    EXPECT_EQ(world.OpenedHandleTotal(), 4u) << "one open per request";
}

TEST_F(DriverChannelTest, PathOutlivesTheDeviceAndWorksAgainOnReturn) {
    const int device = world.AddSoundDevice();
    channel.SetDriverDevice(0x0C76, 0x161B);
    EXPECT_EQ(channel.SendRoomEffect(2), kDriverOk);
    world.Unplug(device);
    EXPECT_EQ(channel.devicePath(), u"\\\\.\\Class#TonedeckExtension&0C76&161B");
    EXPECT_EQ(channel.SendRoomEffect(3), kDriverOpenFailed);
    world.Plug(device);
    EXPECT_EQ(channel.SendRoomEffect(3), kDriverOk);
    EXPECT_EQ(driver.roomEffect(), 3u);
}

TEST_F(DriverChannelTest, DriverNotRunningOrOtherDeviceFailsTheOpen) {
    const int device = world.AddSoundDevice({.filterRunning = false});
    channel.SetDriverDevice(0x0C76, 0x161B);
    EXPECT_EQ(channel.SendRoomEffect(1), kDriverOpenFailed);
    world.SetFilterRunning(device, true);
    channel.SetDriverDevice(0x0C76, 0x001B);
    EXPECT_EQ(channel.devicePath(), u"\\\\.\\Class#TonedeckExtension&0C76&001B");
    EXPECT_EQ(channel.SendRoomEffect(1), kDriverOpenFailed);
    EXPECT_TRUE(driver.requests().empty());
}

TEST_F(DriverChannelTest, ControlDeviceExistsWhileTheDriverRunsSomewhere) {
    IoControl& io = world.ioControl();
    EXPECT_FALSE(io.Open(kDriverControlDevicePath));
    const int device = world.AddSoundDevice({.productId = 0x1620});
    const DeviceHandle handle = io.Open(kDriverControlDevicePath);
    EXPECT_TRUE(handle);
    io.Close(handle);
    world.Unplug(device);
    EXPECT_FALSE(io.Open(kDriverControlDevicePath));
}

}  // namespace
}  // namespace tonedeck
