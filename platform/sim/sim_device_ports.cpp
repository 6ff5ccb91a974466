#include "platform/sim/sim_device_ports.h"

#include <algorithm>

#include "common/text.h"
#include "platform/sim/sim_device_world.h"

namespace tonedeck {

namespace {

// A list of strings as the registry stores it: UTF-16LE, each string ended, an empty one last.
std::vector<uint8_t> MultiStringBytes(const std::vector<std::u16string>& strings) {
    std::vector<uint8_t> bytes;
    auto put = [&bytes](char16_t c) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    };
    for (const std::u16string& text : strings) {
        for (char16_t c : text) put(c);
        put(0);
    }
    put(0);
    return bytes;
}

}  // namespace

// --- HID -------------------------------------------------------------------------------------

std::optional<std::vector<std::u16string>> SimHidBus::ListInterfacePaths() {
    if (world_.failHidListing_) return std::nullopt;
    std::vector<std::u16string> paths;
    for (const auto& unit : world_.units_) {
        if (unit->hid.present) paths.push_back(unit->hid.path);
    }
    return paths;
}

DeviceHandle SimHidBus::Open(const std::u16string& path) {
    const std::u16string wanted = AsciiUpper(path);
    for (std::size_t i = 0; i < world_.units_.size(); ++i) {
        auto& unit = *world_.units_[i];
        if (!unit.hid.present || AsciiUpper(unit.hid.path) != wanted) continue;
        if (unit.hid.vanishesOnOpen) {
            unit.hid.vanishesOnOpen = false;
            world_.Unplug(static_cast<int>(i));
            return {};
        }
        if (!unit.hid.opens) return {};
        SimDeviceWorld::OpenHandle handle;
        handle.kind = SimDeviceWorld::HandleKind::kHid;
        handle.unit = static_cast<int>(i);
        handle.generation = unit.generation;
        handle.path = path;
        return DeviceHandle(world_.Issue(std::move(handle)));
    }
    return {};
}

void SimHidBus::Close(DeviceHandle handle) {
    world_.Release(handle.value(), SimDeviceWorld::HandleKind::kHid);
}

std::optional<HidAttributes> SimHidBus::GetAttributes(DeviceHandle handle) {
    const auto* unit = world_.Live(handle.value(), SimDeviceWorld::HandleKind::kHid);
    if (!unit || unit->hid.attributesFail) return std::nullopt;
    return HidAttributes{unit->hid.vendorId, unit->hid.productId, unit->hid.versionNumber};
}

std::optional<HidCaps> SimHidBus::GetCaps(DeviceHandle handle) {
    const auto* unit = world_.Live(handle.value(), SimDeviceWorld::HandleKind::kHid);
    if (!unit || unit->hid.capsFail) return std::nullopt;
    if (unit->firmware) {
        return HidCaps{unit->firmware->inputReportLength(), unit->firmware->outputReportLength()};
    }
    return HidCaps{unit->hid.inputReportLength, unit->hid.outputReportLength};
}

bool SimHidBus::SetOutputReport(DeviceHandle handle, std::span<const uint8_t> report) {
    auto* unit = world_.Live(handle.value(), SimDeviceWorld::HandleKind::kHid);
    if (!unit || !unit->firmware || world_.PulledBeforeReport(*unit)) return false;
    return unit->firmware->HandleOutputReport(report);
}

bool SimHidBus::GetInputReport(DeviceHandle handle, std::span<uint8_t> report) {
    auto* unit = world_.Live(handle.value(), SimDeviceWorld::HandleKind::kHid);
    if (!unit || !unit->firmware || world_.PulledBeforeReport(*unit)) return false;
    return unit->firmware->ProduceInputReport(report);
}

// --- Device tree -----------------------------------------------------------------------------

DeviceList SimDeviceTree::OpenPresentInterfaceList(const Guid& interfaceClass) {
    if (world_.failLists_) return {};
    SimDeviceWorld::OpenHandle list;
    list.kind = SimDeviceWorld::HandleKind::kList;
    for (std::size_t u = 0; u < world_.units_.size(); ++u) {
        const auto& unit = *world_.units_[u];
        for (std::size_t n = 0; n < unit.nodes.size(); ++n) {
            const SimDeviceNode& node = unit.nodes[n];
            if (!node.present) continue;
            const bool exposes =
                std::find(node.interfaceClasses.begin(), node.interfaceClasses.end(),
                          interfaceClass) != node.interfaceClasses.end();
            const bool hiddenExtension = unit.firmware && n == 1 && !unit.extensionListedAsAudio;
            if (exposes && !hiddenExtension) list.listed.emplace_back(static_cast<int>(u), n);
        }
    }
    return DeviceList(world_.Issue(std::move(list)));
}

void SimDeviceTree::CloseList(DeviceList list) {
    world_.Release(list.value(), SimDeviceWorld::HandleKind::kList);
}

bool SimDeviceTree::EnumDevice(DeviceList list, uint32_t index) {
    const auto it = world_.handles_.find(list.value());
    if (it == world_.handles_.end() || it->second.kind != SimDeviceWorld::HandleKind::kList) {
        return false;
    }
    return index < it->second.listed.size();
}

PropertyRead SimDeviceTree::GetDeviceProperty(DeviceList list, uint32_t index,
                                              DeviceProperty property, std::span<uint8_t> buffer) {
    if (!EnumDevice(list, index)) return {false, kErrorNoMoreItems, 0};
    const auto [unit, node] = world_.handles_.at(list.value()).listed[index];
    const SimDeviceNode& device = world_.At(unit).nodes[node];
    if (property == DeviceProperty::kLowerFilters) {
        if (!device.lowerFilters) return {false, kErrorInvalidData, 0};
        const std::vector<uint8_t> bytes = MultiStringBytes(*device.lowerFilters);
        const auto size = static_cast<uint32_t>(bytes.size());
        if (buffer.size() < bytes.size()) return {false, kErrorInsufficientBuffer, size};
        std::copy(bytes.begin(), bytes.end(), buffer.begin());
        return {true, 0, size, device.lowerFiltersType};
    }

    switch (device.hardwareIdFault) {
        case HardwareIdFault::kMissing:
            return {false, kErrorInvalidData, 0};
        case HardwareIdFault::kZeroSize:
            return {false, kErrorInsufficientBuffer, 0};
        default:
            break;
    }
    if (device.hardwareIds.empty()) return {false, kErrorInvalidData, 0};
    const std::vector<uint8_t> bytes = MultiStringBytes(device.hardwareIds);
    const auto size = static_cast<uint32_t>(bytes.size());
    if (buffer.size() < bytes.size()) return {false, kErrorInsufficientBuffer, size};
    if (device.hardwareIdFault == HardwareIdFault::kReadFails) {
        return {false, kErrorInvalidData, 0};
    }
    std::copy(bytes.begin(), bytes.end(), buffer.begin());
    return {true, 0, size, 7};
}

DeviceList SimDeviceTree::OpenAllClassesList(const Guid& /*classGuid*/, bool presentOnly) {
    if (world_.failLists_) return {};
    SimDeviceWorld::OpenHandle list;
    list.kind = SimDeviceWorld::HandleKind::kList;
    for (std::size_t u = 0; u < world_.units_.size(); ++u) {
        const auto& nodes = world_.units_[u]->nodes;
        for (std::size_t n = 0; n < nodes.size(); ++n) {
            if (nodes[n].present || !presentOnly) list.listed.emplace_back(static_cast<int>(u), n);
        }
    }
    return DeviceList(world_.Issue(std::move(list)));
}

SimDeviceNode* SimDeviceTree::Listed(DeviceList list, uint32_t index) {
    if (!EnumDevice(list, index)) return nullptr;
    const auto [unit, node] = world_.handles_.at(list.value()).listed[index];
    return &world_.At(unit).nodes[node];
}

bool SimDeviceTree::RemoveDeviceProperty(DeviceList list, uint32_t index,
                                         DeviceProperty property) {
    SimDeviceNode* device = Listed(list, index);
    if (!device || property != DeviceProperty::kLowerFilters) return false;
    device->lowerFilters.reset();
    return true;
}

bool SimDeviceTree::ChangeDeviceState(DeviceList list, uint32_t index, DeviceStateChange change) {
    SimDeviceNode* device = Listed(list, index);
    if (!device || device->stateChangeFails || !device->present) return false;
    const auto [unit, node] = world_.handles_.at(list.value()).listed[index];
    world_.ChangeState(unit, node, change);
    return true;
}

std::optional<bool> SimDeviceTree::NeedsReboot(DeviceList list, uint32_t index) {
    SimDeviceNode* device = Listed(list, index);
    if (!device || device->installParamsFail) return std::nullopt;
    return device->needsRebootAfterChange && !device->stateChanges.empty();
}

// --- I/O control -----------------------------------------------------------------------------

DeviceHandle SimIoControl::Open(const std::u16string& path) {
    const std::u16string wanted = AsciiUpper(path);
    const bool control = wanted == AsciiUpper(SimFilterDriver::ControlDevicePath());
    for (std::size_t i = 0; i < world_.units_.size(); ++i) {
        const auto& unit = *world_.units_[i];
        if (!unit.DriverRuns()) continue;
        if (!control && wanted != AsciiUpper(SimFilterDriver::DevicePath(unit.hid.vendorId,
                                                                         unit.hid.productId))) {
            continue;
        }
        SimDeviceWorld::OpenHandle handle;
        handle.kind = SimDeviceWorld::HandleKind::kDriver;
        handle.unit = static_cast<int>(i);
        handle.generation = unit.generation;
        handle.path = path;
        return DeviceHandle(world_.Issue(std::move(handle)));
    }
    return {};
}

void SimIoControl::Close(DeviceHandle handle) {
    world_.Release(handle.value(), SimDeviceWorld::HandleKind::kDriver);
}

bool SimIoControl::Control(DeviceHandle handle, uint32_t code, std::span<const uint8_t> input,
                           std::span<uint8_t> output, uint32_t& bytesReturned) {
    bytesReturned = 0;
    if (!world_.Live(handle.value(), SimDeviceWorld::HandleKind::kDriver)) return false;
    const std::u16string& path = world_.handles_.at(handle.value()).path;
    return world_.driver_.Handle(path, code, input, output, bytesReturned);
}

}  // namespace tonedeck
