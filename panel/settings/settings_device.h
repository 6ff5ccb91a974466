#pragma once
// The HID register operations that carry `SoundSettings` to the device. Every Apply operation
// and `WriteEqBand` opens the device afresh, writes, sends the idle report and closes it; the
// model takes the new value whether or not the device answers. The first failing report ends the
// operation (no idle report then); results are 0 or a small code that callers may ignore.

#include <cstdint>

#include "panel/device/hid_channel.h"
#include "panel/settings/sound_settings.h"

namespace tonedeck {

class DevicePresence;

enum SettingsWriteResult : int {
    kSettingsWriteOk = 0,
    kSettingsNoDevice = 1,  // the device's HID interface did not open
    kSettingsReadFailed = 2,
    kSettingsWriteFailed = 3,
    kSettingsNibbleTooLarge = 4,
    kSettingsIdleFailed = 5,
};

class SettingsDevice {
  public:
    // `presence` gives the device's IDs and the presence handle.
    SettingsDevice(SoundSettings& settings, HidChannel& hid, const DevicePresence& presence)
        : settings_(settings), hid_(hid), presence_(presence) {}

    // On: sets register 256 bit 2, then writes the whole `EqBlock`. Off: clears the bit, only
    // while the presence handle is open.
    int ApplyDspEnable(bool flag);
    // `Bypass` = !eqEnable; register 297 bit 7 while `SyncToDevice` is 1.
    int ApplyEqBypass(bool eqEnable);
    // The `EqBlock` 3D flag; register 297 bit 4 while `SyncToDevice` is 1.
    int Apply3DFlag(bool d3Enable);
    // On: sets register 394 bit 6, then writes the `D3Block`. Off: clears the bit, only while
    // the presence handle is open.
    int Apply3DEnable(bool flag);
    // `Fbm` and register 394 bit 0, whatever `SyncToDevice` says.
    int ApplyFbm(bool value);
    // On: one GPIO read, answer dropped; off: all ten lines low.
    int ApplyLed(bool ledOn);
    // Stores `code` (low 12 bits) as band b (0 to 4) of `EqBlock`; while `SyncToDevice` is 1,
    // `ApplyEqBypass`(`EqEnable`) and the band's two registers.
    int WriteEqBand(int band, uint16_t code);

    // Write groups on a device already open, no idle report.
    // Registers 288 to 297 in ascending order.
    int WriteEqBlock(DeviceHandle handle);
    // Register 394 bit 0 from `Fbm`, then 395 and 396; a nibble above 15 stops before its
    // register.
    int Write3DBlock(DeviceHandle handle);
    // Reads the register, changes the bits of `mask`, writes it back; nothing is written when the
    // read fails.
    int ReadModifyWrite(DeviceHandle handle, uint16_t address, uint8_t mask, bool set);

    // The device's HID interface by the IDs presence found; none when it does not open.
    DeviceHandle Open();
    void Close(DeviceHandle handle) { hid_.CloseHidDevice(handle); }
    // Idle report on success, then close; returns `result`, or the idle failure.
    int Finish(DeviceHandle handle, int result);

    HidChannel& hid() { return hid_; }

  private:
    bool PresenceHandleOpen() const;
    int WriteRegister(DeviceHandle handle, uint16_t address, uint8_t value);

    SoundSettings& settings_;
    HidChannel& hid_;
    const DevicePresence& presence_;
};

}  // namespace tonedeck
