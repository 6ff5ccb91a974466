#include "panel/device/listen_to_device.h"

#include <cstdio>
#include <optional>
#include <string>

#include "common/text.h"

namespace tonedeck {
namespace {

constexpr char16_t kCaptureEndpoints[] =
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\MMDevices\\Audio\\Capture";
constexpr char16_t kDeviceTextName[] = u"{233164c8-1b2c-4c7d-bc68-b671687a2567},1";
constexpr char16_t kListenNames[2][42] = {u"{24dbb0fc-9311-4b3d-9cf0-18ff155639d4},1",
                                          u"{24dbb0fc-9311-4b3d-9cf0-18ff155639d4},4"};
constexpr uint32_t kKeyEnumerateSubKeys = 0x0008;
constexpr std::size_t kDeviceTextBytes = 260;
constexpr uint32_t kSubkeyNameChars = 260;

std::u16string Hex(uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%x", value);
    return Utf8ToU16(text);
}

bool HoldsAfterStart(const std::u16string& text, const std::u16string& part) {
    const std::size_t at = text.find(part);
    return at != std::u16string::npos && at > 0;
}

// The endpoint's device text, as far as a 260-byte buffer takes it.
std::optional<std::u16string> DeviceText(Registry& registry, const std::u16string& properties) {
    const RegistryKey key =
        registry.OpenKey(RegistryRoot::kLocalMachine, properties, kKeyRead | kKeyWow64_64);
    if (!key) return std::nullopt;
    const auto value = registry.QueryValue(key, kDeviceTextName);
    registry.CloseKey(key);
    if (!value || value->data.size() > kDeviceTextBytes) return std::nullopt;
    if (value->type != RegistryType::kSz && value->type != RegistryType::kExpandSz) {
        return std::nullopt;
    }
    return RegistryStringText(value->data);
}

}  // namespace

std::array<uint8_t, 16> ListenValue(bool on) {
    const uint8_t flag = on ? 0xFF : 0x00;
    return {0x0B, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, flag, flag, 0, 0, 0, 0, 0, 0};
}

void SetListenToDevice(Registry& registry, bool on, uint16_t vendorId, uint16_t productId) {
    const RegistryKey root = registry.OpenKey(RegistryRoot::kLocalMachine, kCaptureEndpoints,
                                              kKeyEnumerateSubKeys | kKeyWow64_64);
    if (!root) return;
    const std::u16string vendor = Hex(vendorId);
    const std::u16string product = Hex(productId);
    const auto value = ListenValue(on);
    for (uint32_t index = 0;; ++index) {
        const auto subkey = registry.SubkeyName(root, index, kSubkeyNameChars);
        if (!subkey) break;
        const std::u16string properties =
            std::u16string(kCaptureEndpoints) + u"\\" + *subkey + u"\\Properties";
        const auto text = DeviceText(registry, properties);
        if (!text || !HoldsAfterStart(*text, vendor) || !HoldsAfterStart(*text, product)) continue;
        const RegistryKey key = registry.OpenKey(RegistryRoot::kLocalMachine, properties,
                                                 kKeyRead | kKeySetValue | kKeyWow64_64);
        if (!key) continue;
        for (const char16_t* name : kListenNames) {
            registry.SetValue(key, name, RegistryType::kBinary, value);
        }
        registry.Flush(key);
        registry.CloseKey(key);
    }
    registry.CloseKey(root);
}

int RestartAudioService(ServiceManager& services, Clock& clock) {
    const ServiceHandle manager = services.OpenManager(kScManagerAllAccess);
    if (!manager) return kRestartStartFailed;
    const ServiceHandle service =
        services.OpenService(manager, kAudioServiceName, kServiceAllAccess);
    if (!service) {
        services.Close(manager);
        return kRestartStartFailed;
    }
    int result = kRestartDone;
    if (services.QueryState(service) == kServiceRunning) {
        if (!services.Control(service, kServiceControlStop)) {
            result = kRestartStopFailed;
        } else {
            result = kRestartStopTimedOut;
            for (int poll = 0; poll < kServicePollLimit; ++poll) {
                clock.Sleep(kServicePollMs);
                if (services.QueryState(service) == kServiceStopped) {
                    result = kRestartDone;
                    break;
                }
            }
        }
    }
    if (result == kRestartDone && !services.Start(service)) result = kRestartStartFailed;
    services.Close(service);
    services.Close(manager);
    return result;
}

void ListenToDeviceClicked(Registry& registry, ServiceManager& services, Clock& clock, bool checked,
                           uint16_t vendorId, uint16_t productId) {
    SetListenToDevice(registry, checked, vendorId, productId);
    RestartAudioService(services, clock);
    clock.Sleep(kListenSettleMs);
}

}  // namespace tonedeck
