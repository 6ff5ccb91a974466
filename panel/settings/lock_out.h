#pragma once
// Which presses do nothing but show the no-device warning while `DevicePresent` is 0.

namespace tonedeck {

// Buttons and their labels: Save, Load, the EQ and 3D buttons, the effect and microphone
// buttons, virtual 7.1 enable and reset, and the LED. Close, minimise, About, the connection
// modes, the sync toggle and the rotation buttons stay free.
bool IsButtonLockedWithoutDevice(int tag);
// The five page tabs.
bool IsPageTab(int tag);
// Slider knobs (equalizer, 3D, microphone), their bars and the speaker images: presses that
// start a drag or a jump.
bool IsDragControl(int tag);

// Whether a press on a control with `tag` shows the warning instead of acting.
bool PressLockedOut(int tag, bool devicePresent);

}  // namespace tonedeck
