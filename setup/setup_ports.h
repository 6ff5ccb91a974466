#pragma once
// Everything the installer asks of Windows, handed in as one bundle.

#include "platform/ports/clock.h"
#include "platform/ports/device_tree.h"
#include "platform/ports/file_operations.h"
#include "platform/ports/file_system.h"
#include "platform/ports/io_control.h"
#include "platform/ports/payloads.h"
#include "platform/ports/processes.h"
#include "platform/ports/profile_store.h"
#include "platform/ports/registry.h"
#include "platform/ports/service_manager.h"
#include "platform/ports/shell.h"
#include "platform/ports/system_info.h"

namespace tonedeck {

struct SetupPorts {
    FileSystem& files;
    FileOperations& fileOps;
    ProfileStore& profiles;
    SystemInfo& system;
    Registry& registry;
    ServiceManager& services;
    Processes& processes;
    Payloads& payloads;
    Shell& shell;
    DeviceTree& devices;
    IoControl& io;
    Clock& clock;
};

}  // namespace tonedeck
