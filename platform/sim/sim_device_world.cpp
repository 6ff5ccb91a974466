#include "platform/sim/sim_device_world.h"

#include <stdexcept>

#include "common/text.h"

namespace tonedeck {

namespace {

std::u16string Hex4(uint16_t value) {
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    std::u16string text;
    for (int shift = 12; shift >= 0; shift -= 4) text += kHex[(value >> shift) & 0xF];
    return text;
}

std::u16string AsciiLower(std::u16string text) {
    for (char16_t& c : text) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return text;
}

// "\\?\HID#VID_0C76&PID_161B&MI_02#7&1A2B3C4D&0&0000#{guid}": the listing spells the device
// part in lower case, the notices in upper case; the class GUID is lower case in both.
struct InterfacePaths {
    std::u16string listed;
    std::u16string notice;
};

InterfacePaths MakePaths(std::u16string_view bus, std::u16string_view device,
                         std::u16string_view instance, const Guid& interfaceClass,
                         std::u16string_view suffix) {
    const std::u16string middle = std::u16string(bus) + u"#" + std::u16string(device) + u"#7&" +
                                  std::u16string(instance) + u"&0&0000#";
    const std::u16string tail = AsciiLower(FormatGuid(interfaceClass)) + std::u16string(suffix);
    return {u"\\\\?\\" + AsciiLower(middle) + tail, u"\\\\?\\" + AsciiUpper(middle) + tail};
}

}  // namespace

SimDeviceWorld::SimDeviceWorld() : hidBus_(*this), deviceTree_(*this), ioControl_(*this) {}

int SimDeviceWorld::AddSoundDevice(const SoundDeviceOptions& options) {
    auto unit = std::make_unique<Unit>();
    const std::u16string ids =
        u"VID_" + Hex4(options.vendorId) + u"&PID_" + Hex4(options.productId);

    SimDeviceNode audio;
    audio.instanceId = u"USB\\" + ids + u"&MI_00\\7&" + options.instance + u"&0&0000";
    audio.hardwareIds = {options.audioHardwareId.empty() ? u"USB\\" + ids + u"&REV_0100&MI_00"
                                                         : options.audioHardwareId,
                         u"USB\\" + ids + u"&MI_00"};
    audio.interfaceClasses = {kKsCategoryAudio};
    audio.interfacePath =
        MakePaths(u"USB", ids + u"&MI_00", options.instance, kKsCategoryAudio, u"\\global").listed;
    audio.present = true;

    SimDeviceNode extension;
    extension.instanceId = u"USB\\" + ids + u"&MI_03\\7&" + options.instance + u"&0&0003";
    extension.hardwareIds = {u"USB\\" + ids + u"&REV_0100&MI_03", u"USB\\" + ids + u"&MI_03"};
    extension.interfaceClasses = {kKsCategoryAudio};
    extension.interfacePath =
        MakePaths(u"USB", ids + u"&MI_03", options.instance, kKsCategoryAudio, u"\\global").listed;
    extension.present = true;

    const InterfacePaths hidPaths =
        MakePaths(u"HID", ids + u"&MI_02", options.instance, kGuidDevInterfaceHid, u"");
    SimDeviceNode hidNode;
    hidNode.instanceId = u"HID\\" + ids + u"&MI_02\\8&" + options.instance + u"&0&0000";
    hidNode.hardwareIds = {u"HID\\" + ids + u"&REV_0100&MI_02", u"HID\\" + ids + u"&MI_02"};
    hidNode.interfaceClasses = {kGuidDevInterfaceHid};
    hidNode.interfacePath = hidPaths.listed;
    hidNode.present = true;

    unit->nodes = {audio, extension, hidNode};
    unit->hid.path = hidPaths.listed;
    unit->hid.noticePath = hidPaths.notice;
    unit->hid.vendorId = options.vendorId;
    unit->hid.productId = options.productId;
    unit->hid.opens = options.hidOpens;
    unit->hid.present = true;
    // A running filter was attached through the extension node's lower filters.
    if (options.filterRunning) unit->nodes[1].lowerFilters = std::vector{filterServiceName};
    unit->firmware = std::make_unique<SimSoundFirmware>();
    unit->filterRunning = options.filterRunning;
    unit->extensionListedAsAudio = options.extensionListedAsAudio;
    units_.push_back(std::move(unit));
    return static_cast<int>(units_.size() - 1);
}

int SimDeviceWorld::AddHidDevice(const HidDeviceOptions& options) {
    auto unit = std::make_unique<Unit>();
    const std::u16string ids =
        u"VID_" + Hex4(options.vendorId) + u"&PID_" + Hex4(options.productId);
    const InterfacePaths paths =
        MakePaths(u"HID", ids, options.instance, kGuidDevInterfaceHid, u"");
    SimDeviceNode node;
    node.instanceId = u"HID\\" + ids + u"\\7&" + options.instance + u"&0&0000";
    node.hardwareIds = {u"HID\\" + ids};
    node.interfaceClasses = {kGuidDevInterfaceHid};
    node.interfacePath = paths.listed;
    node.present = true;
    unit->nodes = {node};
    unit->hid.path = paths.listed;
    unit->hid.noticePath = paths.notice;
    unit->hid.vendorId = options.vendorId;
    unit->hid.productId = options.productId;
    unit->hid.opens = options.opens;
    unit->hid.outputReportLength = options.outputReportLength;
    unit->hid.inputReportLength = options.inputReportLength;
    unit->hid.present = true;
    units_.push_back(std::move(unit));
    return static_cast<int>(units_.size() - 1);
}

int SimDeviceWorld::AddDeviceNode(const SimDeviceNode& node) {
    auto unit = std::make_unique<Unit>();
    unit->nodes = {node};
    units_.push_back(std::move(unit));
    return static_cast<int>(units_.size() - 1);
}

SimDeviceNode& SimDeviceWorld::Node(int unit, std::size_t index) { return At(unit).nodes.at(index); }

void SimDeviceWorld::ChangeState(int unit, std::size_t node, DeviceStateChange change) {
    Unit& u = At(unit);
    SimDeviceNode& device = u.nodes.at(node);
    device.stateChanges.push_back(change);
    if (!u.firmware || node != 1) return;
    if (change == DeviceStateChange::kDisable) {
        u.filterRunning = false;
        return;
    }
    u.filterRunning = false;
    if (device.lowerFilters) {
        for (const std::u16string& filter : *device.lowerFilters) {
            if (EqualsIgnoreCase(filter, filterServiceName)) u.filterRunning = true;
        }
    }
}

SimDeviceWorld::Unit& SimDeviceWorld::At(int unit) {
    if (unit < 0 || static_cast<std::size_t>(unit) >= units_.size()) {
        throw std::out_of_range("no such simulated device");
    }
    return *units_[static_cast<std::size_t>(unit)];
}

void SimDeviceWorld::Notice(uint32_t event, const Guid& interfaceClass,
                            const std::u16string& path) {
    DeviceChange change;
    change.event = event;
    change.hasRecord = true;
    change.deviceType = kDbtDevTypDeviceInterface;
    change.interfaceClass = interfaceClass;
    change.path = path;
    notices_.push_back(change);
}

void SimDeviceWorld::Unplug(int unit) {
    Unit& u = At(unit);
    for (SimDeviceNode& node : u.nodes) {
        if (!node.present) continue;
        node.present = false;
        if (node.interfaceClasses.empty() || node.interfacePath == u.hid.path) continue;
        Notice(kDbtDeviceRemoveComplete, node.interfaceClasses.front(),
               AsciiUpper(node.interfacePath));
    }
    if (u.hid.present) {
        u.hid.present = false;
        Notice(kDbtDeviceRemoveComplete, kGuidDevInterfaceHid, u.hid.noticePath);
    }
}

void SimDeviceWorld::PlugHidOnly(int unit) {
    Unit& u = At(unit);
    if (u.hid.present) return;
    ++u.generation;
    if (u.firmware) u.firmware->PowerOn();
    u.hid.present = true;
    for (SimDeviceNode& node : u.nodes) {
        if (node.interfacePath == u.hid.path) node.present = true;
    }
    Notice(kDbtDeviceArrival, kGuidDevInterfaceHid, u.hid.noticePath);
}

void SimDeviceWorld::Plug(int unit) {
    Unit& u = At(unit);
    for (SimDeviceNode& node : u.nodes) {
        if (node.present || node.interfacePath == u.hid.path) continue;
        node.present = true;
        Notice(kDbtDeviceArrival, node.interfaceClasses.front(), AsciiUpper(node.interfacePath));
    }
    PlugHidOnly(unit);
}

std::vector<DeviceChange> SimDeviceWorld::TakeNotices() {
    std::vector<DeviceChange> taken;
    taken.swap(notices_);
    return taken;
}

SimSoundFirmware& SimDeviceWorld::Firmware(int unit) {
    Unit& u = At(unit);
    if (!u.firmware) throw std::logic_error("not a simulated sound device");
    return *u.firmware;
}

SimHidInterface& SimDeviceWorld::Hid(int unit) { return At(unit).hid; }

SimDeviceNode& SimDeviceWorld::AudioNode(int unit) {
    Unit& u = At(unit);
    if (!u.firmware) throw std::logic_error("not a simulated sound device");
    return u.nodes[0];
}

SimDeviceNode& SimDeviceWorld::ExtensionNode(int unit) {
    Unit& u = At(unit);
    if (!u.firmware) throw std::logic_error("not a simulated sound device");
    return u.nodes[1];
}

void SimDeviceWorld::SetFilterRunning(int unit, bool running) { At(unit).filterRunning = running; }

uint64_t SimDeviceWorld::Issue(OpenHandle handle) {
    const uint64_t value = nextHandle_;
    nextHandle_ += 4;  // like kernel handles: never 0, never reused while the world lives
    if (handle.kind != HandleKind::kList) ++openedTotal_;
    handles_.emplace(value, std::move(handle));
    return value;
}

bool SimDeviceWorld::Release(uint64_t value, HandleKind kind) {
    const auto it = handles_.find(value);
    if (it == handles_.end() || it->second.kind != kind) {
        ++badCloses_;
        return false;
    }
    handles_.erase(it);
    return true;
}

bool SimDeviceWorld::PulledBeforeReport(const Unit& unit) {
    for (std::size_t i = 0; i < units_.size(); ++i) {
        auto& countdown = units_[i]->hid.vanishAfterReports;
        if (units_[i].get() != &unit || !countdown) continue;
        if (*countdown > 0) {
            --*countdown;
            return false;
        }
        countdown.reset();
        Unplug(static_cast<int>(i));
        return true;
    }
    return false;
}

SimDeviceWorld::Unit* SimDeviceWorld::Live(uint64_t value, HandleKind kind) {
    const auto it = handles_.find(value);
    if (it == handles_.end() || it->second.kind != kind) return nullptr;
    Unit& unit = At(it->second.unit);
    if (unit.generation != it->second.generation) return nullptr;
    if (kind == HandleKind::kHid && !unit.hid.present) return nullptr;
    if (kind == HandleKind::kDriver && !unit.DriverRuns()) return nullptr;
    return &unit;
}

std::size_t SimDeviceWorld::OpenHandleCount() const {
    std::size_t count = 0;
    for (const auto& [value, handle] : handles_) count += handle.kind != HandleKind::kList;
    return count;
}

std::size_t SimDeviceWorld::OpenListCount() const { return handles_.size() - OpenHandleCount(); }

}  // namespace tonedeck
