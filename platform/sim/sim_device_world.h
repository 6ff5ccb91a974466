#pragma once
// Simulated USB devices: the sound device (audio, audio-extension and HID interfaces, firmware,
// filter driver), other HID devices, plugging with device-change notices, and the handles
// handed out on them.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ports/device_change.h"
#include "platform/ports/device_handle.h"
#include "platform/ports/guid.h"
#include "platform/sim/sim_device_ports.h"
#include "platform/sim/sim_filter_driver.h"
#include "platform/sim/sim_sound_firmware.h"

namespace tonedeck {

enum class HardwareIdFault {
    kNone,
    kMissing,    // the property read fails with ERROR_INVALID_DATA
    kZeroSize,   // the size query fails with ERROR_INSUFFICIENT_BUFFER and size 0
    kReadFails,  // the size query works, the read itself fails
};

struct SoundDeviceOptions {
    uint16_t vendorId = 0x0C76;
    uint16_t productId = 0x161B;
    // Empty: "USB\VID_vvvv&PID_pppp&REV_0100&MI_00" from the IDs.
    std::u16string audioHardwareId;
    // Distinguishes two devices with equal IDs in instance IDs and paths.
    std::u16string instance = u"1A2B3C4D";
    bool hidOpens = true;
    bool filterRunning = true;
    // Whether the audio-extension interface also shows in the audio-category listing.
    bool extensionListedAsAudio = false;
};

struct HidDeviceOptions {
    uint16_t vendorId = 0x046D;
    uint16_t productId = 0xC077;
    std::u16string instance = u"5E6F7081";
    bool opens = true;
    uint16_t outputReportLength = 0;
    uint16_t inputReportLength = 5;
};

struct SimDeviceNode {
    std::u16string instanceId;
    std::vector<std::u16string> hardwareIds;
    HardwareIdFault hardwareIdFault = HardwareIdFault::kNone;
    std::vector<Guid> interfaceClasses;
    std::u16string interfacePath;  // of its first interface, as listed
    bool present = false;
    // The lower-filter property: absent, or a list stored with `lowerFiltersType` (REG_MULTI_SZ
    // unless a test stores something else).
    std::optional<std::vector<std::u16string>> lowerFilters;
    uint32_t lowerFiltersType = 7;
    // Class-installer state changes: what was asked, and how it goes.
    std::vector<DeviceStateChange> stateChanges;
    bool stateChangeFails = false;
    bool needsRebootAfterChange = false;
    bool installParamsFail = false;
};

struct SimHidInterface {
    std::u16string path;        // as the interface listing gives it (lower case)
    std::u16string noticePath;  // as device-change notices carry it (upper case)
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t versionNumber = 0x0100;
    uint16_t outputReportLength = 0;  // devices without firmware
    uint16_t inputReportLength = 0;
    bool opens = true;
    // The next open finds the device gone, as if it had been pulled between the listing and the
    // open: it is unplugged then, with its removal notices, and the open fails.
    bool vanishesOnOpen = false;
    // This many more reports (out or in) reach the device; then it is pulled out mid-operation,
    // with its removal notices, and that report fails.
    std::optional<std::size_t> vanishAfterReports;
    bool attributesFail = false;
    bool capsFail = false;
    bool present = false;
};

class SimDeviceWorld {
  public:
    SimDeviceWorld();

    HidBus& hidBus() { return hidBus_; }
    DeviceTree& deviceTree() { return deviceTree_; }
    IoControl& ioControl() { return ioControl_; }
    SimFilterDriver& filterDriver() { return driver_; }

    // Present from the start, no notices. Units are listed in the order they were added.
    int AddSoundDevice(const SoundDeviceOptions& options = {});
    int AddHidDevice(const HidDeviceOptions& options = {});
    // A device with one node and nothing behind it (any class, present or not).
    int AddDeviceNode(const SimDeviceNode& node);
    SimDeviceNode& Node(int unit, std::size_t index);

    // The filter driver's service name: a sound device's filter runs after a restart of its
    // audio-extension node when that node's lower filters name it.
    std::u16string filterServiceName = u"Tonegate";

    // Notices for every interface that leaves or comes, audio before HID.
    void Unplug(int unit);
    void Plug(int unit);
    // Only the HID interface comes; the rest follows with Plug.
    void PlugHidOnly(int unit);
    std::vector<DeviceChange> TakeNotices();

    SimSoundFirmware& Firmware(int unit);  // sound devices only
    SimHidInterface& Hid(int unit);
    SimDeviceNode& AudioNode(int unit);      // sound devices only
    SimDeviceNode& ExtensionNode(int unit);  // sound devices only
    void SetFilterRunning(int unit, bool running);

    void FailDeviceLists(bool failing) { failLists_ = failing; }
    void FailHidListing(bool failing) { failHidListing_ = failing; }

    // Device handles (HID and driver paths) and device lists still open.
    std::size_t OpenHandleCount() const;
    std::size_t OpenListCount() const;
    // Closes of handles that were not open (double closes, made-up values).
    std::size_t BadCloseCount() const { return badCloses_; }
    // Handles ever handed out, HID and driver paths.
    std::size_t OpenedHandleTotal() const { return openedTotal_; }

  private:
    friend class SimHidBus;
    friend class SimDeviceTree;
    friend class SimIoControl;

    struct Unit {
        std::vector<SimDeviceNode> nodes;  // sound devices: audio, extension, HID
        SimHidInterface hid;
        std::unique_ptr<SimSoundFirmware> firmware;
        bool filterRunning = false;
        bool extensionListedAsAudio = false;
        uint32_t generation = 0;  // a replug makes older handles dead

        // The filter sits on the audio-extension interface.
        bool DriverRuns() const { return firmware && filterRunning && nodes[1].present; }
    };
    enum class HandleKind { kHid, kDriver, kList };
    struct OpenHandle {
        HandleKind kind = HandleKind::kHid;
        int unit = -1;
        uint32_t generation = 0;
        std::u16string path;
        std::vector<std::pair<int, std::size_t>> listed;  // lists: (unit, node)
    };

    Unit& At(int unit);
    // Counts a report down toward `vanishAfterReports`; true when the device is pulled now.
    bool PulledBeforeReport(const Unit& unit);
    uint64_t Issue(OpenHandle handle);
    bool Release(uint64_t value, HandleKind kind);
    // The live HID or driver handle's unit, or null when closed or the device left since.
    Unit* Live(uint64_t value, HandleKind kind);
    void Notice(uint32_t event, const Guid& interfaceClass, const std::u16string& path);
    void ChangeState(int unit, std::size_t node, DeviceStateChange change);

    SimHidBus hidBus_;
    SimDeviceTree deviceTree_;
    SimIoControl ioControl_;
    SimFilterDriver driver_;
    std::vector<std::unique_ptr<Unit>> units_;
    std::map<uint64_t, OpenHandle> handles_;
    uint64_t nextHandle_ = 0x100;
    std::vector<DeviceChange> notices_;
    bool failLists_ = false;
    bool failHidListing_ = false;
    std::size_t badCloses_ = 0;
    std::size_t openedTotal_ = 0;
};

}  // namespace tonedeck
