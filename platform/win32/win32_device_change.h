#pragma once
// WM_DEVICECHANGE parameters as the device logic reads them.

#include <windows.h>

#include "platform/ports/device_change.h"

namespace tonedeck {

DeviceChange DeviceChangeFromMessage(WPARAM wParam, LPARAM lParam);

}  // namespace tonedeck
