#include "platform/sim/sim_device_state.h"

#include <cstdio>

namespace tonedeck {

namespace {

std::string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

std::string Number(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", static_cast<double>(value));
    return text;
}

}  // namespace

std::string SimDeviceStateReport::Describe(SimDeviceWorld& world, int soundUnit) {
    std::string text = "[Device]\r\nPresent=";
    text += world.Hid(soundUnit).present ? "1" : "0";
    text += "\r\n\r\n[Registers]\r\n";
    SimSoundFirmware& firmware = world.Firmware(soundUnit);
    firmware.ClearLog();
    for (const auto& [address, value] : firmware.registers()) {
        text += std::to_string(address) + "=" + Hex(value, 2) + "\r\n";
    }
    text += "\r\n[Gpio]\r\nLines=";
    for (std::size_t line = 0; line < firmware.gpio().size(); ++line) {
        text += (line ? "," : "") + std::to_string(firmware.gpio()[line]);
    }
    SimFilterDriver& driver = world.filterDriver();
    text += "\r\n\r\n[Driver]\r\nRoomEffect=" + std::to_string(driver.roomEffect());
    text += "\r\nSpeakerEnable=" + std::to_string(driver.speakerEnable());
    text += "\r\nSpeakerMap=";
    for (std::size_t i = 0; i < driver.speakerValues().size(); ++i) {
        text += (i ? "," : "") + Number(driver.speakerValues()[i]);
    }
    for (const SimDriverRequest& request : driver.requests()) ++requestCounts_[request.code];
    requestTotal_ += driver.requests().size();
    driver.ClearRequests();
    text += "\r\nRequests=" + std::to_string(requestTotal_) + "\r\n";
    for (const auto& [code, count] : requestCounts_) {
        text += "Requests" + Hex(code, 6) + "=" + std::to_string(count) + "\r\n";
    }
    return text;
}

}  // namespace tonedeck
