// The state file of the simulated-device build: what a Wine test reads back after clicking.

#include <gtest/gtest.h>

#include <string>

#include "platform/sim/sim_device_state.h"
#include "platform/sim/sim_device_world.h"

namespace tonedeck {
namespace {

std::string Line(const std::string& text, const std::string& key) {
    const std::string start = "\r\n" + key + "=";
    const auto at = text.find(start);
    if (at == std::string::npos) return "<missing>";
    const auto from = at + start.size();
    return text.substr(from, text.find("\r\n", from) - from);
}

void Request(SimDeviceWorld& world, uint32_t code) {
    uint8_t output[64] = {};
    uint32_t returned = 0;
    world.filterDriver().Handle(SimFilterDriver::ControlDevicePath(), code, {}, output, returned);
}

TEST(SimDeviceState, ShowsRegistersInHexAndGpioLines) {
    SimDeviceWorld world;
    const int sound = world.AddSoundDevice();
    world.Firmware(sound).SetRegister(288, 0xFF);
    world.Firmware(sound).SetRegister(289, 0x0F);
    SimDeviceStateReport report;
    const std::string text = report.Describe(world, sound);
    EXPECT_EQ(Line(text, "Present"), "1");
    EXPECT_EQ(Line(text, "288"), "FF");
    EXPECT_EQ(Line(text, "289"), "0F");
    EXPECT_EQ(Line(text, "297"), "E4");
    EXPECT_EQ(Line(text, "Lines"), "0,0,1,0,0,0,0,0,0,1");
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1) << "lines end in CR LF";
}

TEST(SimDeviceState, CountsDriverRequestsAcrossReportsWithoutRecountingThem) {
    SimDeviceWorld world;
    const int sound = world.AddSoundDevice();
    SimDeviceStateReport report;
    Request(world, SimFilterDriver::kRoomEffect);
    Request(world, SimFilterDriver::kRoomEffect);
    std::string text = report.Describe(world, sound);
    EXPECT_EQ(Line(text, "Requests"), "2");
    EXPECT_EQ(Line(text, "Requests2230F0"), "2");

    Request(world, SimFilterDriver::kSpeakerMap);
    text = report.Describe(world, sound);
    EXPECT_EQ(Line(text, "Requests"), "3");
    EXPECT_EQ(Line(text, "Requests2230F0"), "2");
    EXPECT_EQ(Line(text, "Requests223140"), "1");
    // A report with nothing new in between is the same text: the writer skips it.
    EXPECT_EQ(report.Describe(world, sound), text);
}

TEST(SimDeviceState, UnpluggedDeviceIsNotPresent) {
    SimDeviceWorld world;
    const int sound = world.AddSoundDevice();
    world.Unplug(sound);
    SimDeviceStateReport report;
    EXPECT_EQ(Line(report.Describe(world, sound), "Present"), "0");
}

}  // namespace
}  // namespace tonedeck
