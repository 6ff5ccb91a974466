#include "panel/settings/settings_device.h"

#include "panel/device/device_presence.h"
#include "panel/settings/register_map.h"

namespace tonedeck {

DeviceHandle SettingsDevice::Open() {
    return hid_.OpenHidDevice(presence_.vendorId(), presence_.productId());
}

bool SettingsDevice::PresenceHandleOpen() const { return presence_.presenceHandle().valid(); }

int SettingsDevice::Finish(DeviceHandle handle, int result) {
    if (result == kSettingsWriteOk && hid_.SendIdleReport(handle) != 0) {
        result = kSettingsIdleFailed;
    }
    Close(handle);
    return result;
}

int SettingsDevice::WriteRegister(DeviceHandle handle, uint16_t address, uint8_t value) {
    return hid_.WriteRegister(handle, address, value) == 0 ? kSettingsWriteOk
                                                           : kSettingsWriteFailed;
}

int SettingsDevice::ReadModifyWrite(DeviceHandle handle, uint16_t address, uint8_t mask, bool set) {
    uint8_t value = 0;
    if (hid_.ReadRegister(handle, address, value) != 0) return kSettingsReadFailed;
    return WriteRegister(handle, address, WithBits(value, mask, set));
}

int SettingsDevice::WriteEqBlock(DeviceHandle handle) {
    for (const RegisterWrite& write : EqBlockWrites(settings_.eqBlock)) {
        if (const int result = WriteRegister(handle, write.address, write.value)) return result;
    }
    return kSettingsWriteOk;
}

int SettingsDevice::Write3DBlock(DeviceHandle handle) {
    const D3Block& d3 = settings_.d3;
    if (const int result = ReadModifyWrite(handle, kReg3DControl, kFbmBit, d3.fbm)) return result;
    const auto left = ComposeNibblePair(d3.leftAlpha, d3.leftBeta);
    if (!left) return kSettingsNibbleTooLarge;
    if (const int result = WriteRegister(handle, kReg3DLeft, *left)) return result;
    const auto right = ComposeNibblePair(d3.rightAlpha, d3.rightBeta);
    if (!right) return kSettingsNibbleTooLarge;
    return WriteRegister(handle, kReg3DRight, *right);
}

int SettingsDevice::ApplyDspEnable(bool flag) {
    const DeviceHandle handle = Open();
    if (!handle) return kSettingsNoDevice;
    int result = kSettingsWriteOk;
    if (flag) {
        result = ReadModifyWrite(handle, kRegDspControl, kDspEnableBit, true);
        if (result == kSettingsWriteOk) result = WriteEqBlock(handle);
    } else if (PresenceHandleOpen()) {
        result = ReadModifyWrite(handle, kRegDspControl, kDspEnableBit, false);
    }
    return Finish(handle, result);
}

int SettingsDevice::ApplyEqBypass(bool eqEnable) {
    settings_.eqBlock.bypass = !eqEnable;
    const DeviceHandle handle = Open();
    if (!handle) return kSettingsNoDevice;
    int result = kSettingsWriteOk;
    if (settings_.syncToDevice) {
        result = ReadModifyWrite(handle, kRegEqFlags, kEqBypassBit, settings_.eqBlock.bypass);
    }
    return Finish(handle, result);
}

int SettingsDevice::Apply3DFlag(bool d3Enable) {
    settings_.eqBlock.d3Flag = d3Enable;
    const DeviceHandle handle = Open();
    if (!handle) return kSettingsNoDevice;
    int result = kSettingsWriteOk;
    if (settings_.syncToDevice) {
        result = ReadModifyWrite(handle, kRegEqFlags, kEq3DFlagBit, d3Enable);
    }
    return Finish(handle, result);
}

int SettingsDevice::Apply3DEnable(bool flag) {
    const DeviceHandle handle = Open();
    if (!handle) return kSettingsNoDevice;
    int result = kSettingsWriteOk;
    if (flag) {
        result = ReadModifyWrite(handle, kReg3DControl, k3DEnableBit, true);
        if (result == kSettingsWriteOk) result = Write3DBlock(handle);
    } else if (PresenceHandleOpen()) {
        result = ReadModifyWrite(handle, kReg3DControl, k3DEnableBit, false);
    }
    return Finish(handle, result);
}

int SettingsDevice::ApplyFbm(bool value) {
    settings_.d3.fbm = value;
    const DeviceHandle handle = Open();
    if (!handle) return kSettingsNoDevice;
    return Finish(handle, ReadModifyWrite(handle, kReg3DControl, kFbmBit, value));
}

int SettingsDevice::ApplyLed(bool ledOn) {
    return hid_.ApplyLed(presence_.vendorId(), presence_.productId(), ledOn);
}

int SettingsDevice::WriteEqBand(int band, uint16_t code) {
    if (band < 0 || band >= kBandCount) return kSettingsWriteFailed;
    code &= kBandMaxCode;
    settings_.eqBlock.bands[static_cast<std::size_t>(band)] = code;
    const DeviceHandle handle = Open();
    if (!handle) return kSettingsNoDevice;
    int result = kSettingsWriteOk;
    if (settings_.syncToDevice) {
        result = ApplyEqBypass(settings_.eqEnable);
        if (result == kSettingsWriteOk) {
            result =
                WriteRegister(handle, BandLowRegister(band), static_cast<uint8_t>(code & 0xFF));
        }
        if (result == kSettingsWriteOk && band < kBandCount - 1) {
            result = WriteRegister(handle, BandHighRegister(band),
                                   static_cast<uint8_t>((code >> 8) & 0x0F));
        } else if (result == kSettingsWriteOk) {
            uint8_t flags = 0;
            result = hid_.ReadRegister(handle, kRegEqFlags, flags) == 0 ? kSettingsWriteOk
                                                                        : kSettingsReadFailed;
            if (result == kSettingsWriteOk) {
                result = WriteRegister(handle, kRegEqFlags, MergeBand5High(flags, code));
            }
        }
    }
    return Finish(handle, result);
}

}  // namespace tonedeck
