#pragma once
// The control panel's program body, shared by the shipped program and the simulated-device
// build: they differ only in where the device-facing ports come from.

#include "apps/tonedeck/device_side.h"

namespace tonedeck {

int RunControlPanel(DeviceSide& devices);

}  // namespace tonedeck
