#pragma once
// Whether the device is plugged in: detection at start-up, by the 3-second poll and on
// device-interface notifications.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "panel/device/driver_channel.h"
#include "panel/device/hid_channel.h"
#include "platform/ports/device_change.h"
#include "platform/ports/device_tree.h"
#include "platform/ports/file_system.h"

namespace tonedeck {

class CDeviceIdMgr;

// Only its length is used: hardware IDs of any other length never match.
inline constexpr char16_t kReferenceHardwareId[] = u"USB\\VID_0C76&PID_16XX&REV_0100&MI_00";
inline constexpr std::size_t kHardwareIdLength =
    std::char_traits<char16_t>::length(kReferenceHardwareId);
inline constexpr uint32_t kPresencePollMs = 3000;

struct VidPid {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    friend bool operator==(const VidPid&, const VidPid&) = default;
};

struct AudioDeviceSearch {
    bool found = false;
    std::u16string hardwareId;  // empty when nothing was found
};

enum class DetectMode { kStartUp, kReconnection };

// `Timer1`, the 3000 ms presence poll.
class PresenceTimer {
  public:
    virtual ~PresenceTimer() = default;
    virtual void Start() = 0;
    virtual void Stop() = 0;
};

// What presence changes outside itself: the window's label and the settings model.
class PresenceListener {
  public:
    virtual ~PresenceListener() = default;
    // `LabelActive` or `LabelUnactive` on `DeviceActiveLabel`, normal state.
    virtual void ShowDeviceLabel(bool active) = 0;
    // `DevicePresent` and `SyncToDevice`, always together.
    virtual void SetDevicePresent(bool present) = 0;
    // `ApplyLed`(`LedOn`) when the device comes back.
    virtual void ApplyLedOnArrival() = 0;
    // The rest of `ReapplyOnArrival`, from its 100 ms wait on.
    virtual void ReapplyAfterArrival() = 0;
    // The device left: drop the audio endpoint reference and the level-capture handle.
    virtual void ForgetEndpointAndCapture() = 0;
};

// The first string of the device's hardware-ID property; nullopt when there is none.
std::optional<std::u16string> ReadHardwareId(DeviceTree& tree, DeviceList list, uint32_t index);
AudioDeviceSearch FindAudioDevice(DeviceTree& tree, const CDeviceIdMgr& group);
VidPid ParseVidPid(std::u16string_view text);

class DevicePresence {
  public:
    struct Ports {
        FileSystem& files;
        DeviceTree& tree;
        HidChannel& hid;
        DriverChannel& driver;
        PresenceTimer& timer;
        PresenceListener& listener;
    };
    // `appDir` ends with a backslash; the group comes from its AudioConfig.cfg.
    DevicePresence(Ports ports, std::u16string appDir);
    ~DevicePresence();
    DevicePresence(const DevicePresence&) = delete;
    DevicePresence& operator=(const DevicePresence&) = delete;

    void DetectDevice(DetectMode mode);
    // `Timer1Timer`.
    void OnPollTimer() { DetectDevice(DetectMode::kReconnection); }
    // The caller processes pending messages afterwards and lets the message run its course.
    void OnDeviceChange(const DeviceChange& change);
    // At exit, after the device has been put back into its neutral state.
    void ClosePresenceHandle();

    bool devicePresent() const { return devicePresent_; }
    DeviceHandle presenceHandle() const { return presenceHandle_; }
    uint16_t vendorId() const { return ids_.vendorId; }
    uint16_t productId() const { return ids_.productId; }

  private:
    void MarkAbsent();

    Ports ports_;
    std::u16string appDir_;
    bool devicePresent_ = false;
    DeviceHandle presenceHandle_;
    VidPid ids_;
};

}  // namespace tonedeck
