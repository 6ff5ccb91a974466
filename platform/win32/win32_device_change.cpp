#include "platform/win32/win32_device_change.h"

// clang-format off
#include <windows.h>
#include <dbt.h>
// clang-format on

#include <cstddef>
#include <cwchar>

#include "platform/win32/wide.h"
#include "platform/win32/win32_device_handles.h"

namespace tonedeck {

DeviceChange DeviceChangeFromMessage(WPARAM wParam, LPARAM lParam) {
    DeviceChange change;
    change.event = static_cast<uint32_t>(wParam);
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
    // Only the arrival and removal events carry a broadcast record.
    if (!header || (wParam != DBT_DEVICEARRIVAL && wParam != DBT_DEVICEREMOVECOMPLETE)) {
        return change;
    }
    change.hasRecord = true;
    change.deviceType = header->dbch_devicetype;
    if (header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE) {
        const auto* record = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header);
        change.interfaceClass = FromSystemGuid(record->dbcc_classguid);
        // The name ends with the record; a missing terminator must not run past it.
        const std::size_t nameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
        const std::size_t room =
            record->dbcc_size > nameOffset ? (record->dbcc_size - nameOffset) / sizeof(wchar_t) : 0;
        change.path =
            FromWide(std::wstring_view(record->dbcc_name, wcsnlen(record->dbcc_name, room)));
    }
    return change;
}

}  // namespace tonedeck
