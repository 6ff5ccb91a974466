#include "panel/device/device_presence.h"

#include <vector>

#include "common/device_id_mgr.h"

namespace tonedeck {

namespace {

// The first string of a list of strings; unterminated data ends at the buffer's end.
std::u16string FirstString(std::span<const uint8_t> bytes) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t c = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
        if (c == 0) break;
        text += c;
    }
    return text;
}

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

// Up to four hexadecimal digits after the first marker found; nullopt without a marker.
std::optional<uint16_t> HexAfter(std::u16string_view text, std::u16string_view marker,
                                 std::u16string_view fallback) {
    std::size_t at = text.find(marker);
    if (at == std::u16string_view::npos) at = text.find(fallback);
    if (at == std::u16string_view::npos) return std::nullopt;
    const std::u16string_view digits = text.substr(at + marker.size(), 4);
    uint16_t value = 0;
    for (char16_t c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0) break;
        value = static_cast<uint16_t>(value * 16 + digit);
    }
    return value;
}

}  // namespace

std::optional<std::u16string> ReadHardwareId(DeviceTree& tree, DeviceList list, uint32_t index) {
    const PropertyRead probe = tree.GetDeviceProperty(list, index, DeviceProperty::kHardwareId, {});
    if (probe.ok || probe.lastError != DeviceTree::kErrorInsufficientBuffer ||
        probe.requiredSize == 0) {
        return std::nullopt;
    }
    std::vector<uint8_t> buffer(probe.requiredSize, 0);
    const PropertyRead read =
        tree.GetDeviceProperty(list, index, DeviceProperty::kHardwareId, buffer);
    if (!read.ok) return std::nullopt;
    return FirstString(buffer);
}

AudioDeviceSearch FindAudioDevice(DeviceTree& tree, const CDeviceIdMgr& group) {
    const DeviceList list = tree.OpenPresentInterfaceList(kKsCategoryAudio);
    if (!list) return {true, {}};
    AudioDeviceSearch search;
    for (uint32_t index = 0; tree.EnumDevice(list, index); ++index) {
        const auto hardwareId = ReadHardwareId(tree, list, index);
        if (!hardwareId || hardwareId->size() != kHardwareIdLength) continue;
        if (group.Matches(*hardwareId)) {
            search = {true, *hardwareId};
            break;
        }
    }
    tree.CloseList(list);
    return search;
}

VidPid ParseVidPid(std::u16string_view text) {
    VidPid ids;
    const auto vendor = HexAfter(text, u"VID_", u"Vid_");
    if (!vendor) return ids;
    ids.vendorId = *vendor;
    const auto product = HexAfter(text, u"PID_", u"Pid_");
    if (!product) return ids;
    ids.productId = *product;
    return ids;
}

DevicePresence::DevicePresence(Ports ports, std::u16string appDir)
    : ports_(ports), appDir_(std::move(appDir)) {}

DevicePresence::~DevicePresence() { ClosePresenceHandle(); }

void DevicePresence::DetectDevice(DetectMode mode) {
    const bool reconnecting = mode == DetectMode::kReconnection;
    CDeviceIdMgr group(ports_.files);
    group.LoadGroup(appDir_ + u"AudioConfig.cfg",
                    kUsbGroupSection);  // a failed load matches nothing

    const AudioDeviceSearch search = FindAudioDevice(ports_.tree, group);
    if (reconnecting && !search.found) return;

    ids_ = ParseVidPid(search.hardwareId);
    // Without a hardware ID there are no IDs to confirm: an HID device that happens to carry
    // vendor 0 and product 0 must not pass for the sound device.
    const DeviceHandle handle = search.hardwareId.empty()
                                    ? DeviceHandle{}
                                    : ports_.hid.OpenHidDevice(ids_.vendorId, ids_.productId);
    // A detection while the marker is still held replaces it instead of leaking it.
    ClosePresenceHandle();
    presenceHandle_ = handle;

    if (handle) {
        ports_.timer.Stop();
        ports_.listener.ShowDeviceLabel(true);
        devicePresent_ = true;
        ports_.listener.SetDevicePresent(true);
        if (reconnecting) ports_.listener.ApplyLedOnArrival();
        ports_.driver.SetDriverDevice(ids_.vendorId, ids_.productId);
    } else {
        ports_.timer.Start();
        ports_.listener.ShowDeviceLabel(false);
        devicePresent_ = false;
        ports_.listener.SetDevicePresent(false);
    }
    if (reconnecting && devicePresent_) ports_.listener.ReapplyAfterArrival();
}

void DevicePresence::OnDeviceChange(const DeviceChange& change) {
    if (!change.hasRecord || change.deviceType != kDbtDevTypDeviceInterface) return;
    if (change.event == kDbtDeviceArrival) {
        if (presenceHandle_) return;
        if (change.interfaceClass != kGuidDevInterfaceHid) return;
        DetectDevice(DetectMode::kReconnection);
    } else if (change.event == kDbtDeviceRemoveComplete) {
        if (change.interfaceClass != kGuidDevInterfaceHid) return;
        if (ParseVidPid(change.path) != ids_) return;
        MarkAbsent();
    }
}

void DevicePresence::MarkAbsent() {
    ports_.listener.ShowDeviceLabel(false);
    devicePresent_ = false;
    ports_.listener.SetDevicePresent(false);
    if (presenceHandle_) {
        ClosePresenceHandle();
        ports_.listener.ForgetEndpointAndCapture();
    }
}

void DevicePresence::ClosePresenceHandle() {
    if (!presenceHandle_) return;
    ports_.hid.CloseHidDevice(presenceHandle_);
    presenceHandle_ = {};
}

}  // namespace tonedeck
