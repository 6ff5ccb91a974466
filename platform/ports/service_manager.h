#pragma once
// The service control manager: open, query, control and start services.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/ports/device_handle.h"

namespace tonedeck {

using ServiceHandle = OpaqueHandle<struct ServiceHandleTag>;

inline constexpr uint32_t kScManagerAllAccess = 0xF003F;
inline constexpr uint32_t kServiceAllAccess = 0xF01FF;

inline constexpr uint32_t kServiceControlStop = 1;

enum ServiceState : uint32_t {
    kServiceStopped = 1,
    kServiceStartPending = 2,
    kServiceStopPending = 3,
    kServiceRunning = 4,
};

class ServiceManager {
  public:
    virtual ~ServiceManager() = default;
    // OpenSCManagerW on the local machine. None on failure.
    virtual ServiceHandle OpenManager(uint32_t access) = 0;
    // OpenServiceW. None when the service is missing or access is refused.
    virtual ServiceHandle OpenService(ServiceHandle manager, const std::u16string& name,
                                      uint32_t access) = 0;
    // CloseServiceHandle, for manager and service handles alike.
    virtual void Close(ServiceHandle handle) = 0;
    // QueryServiceStatus's current state; nullopt on failure.
    virtual std::optional<uint32_t> QueryState(ServiceHandle service) = 0;
    // ControlService; false when the service refuses the request.
    virtual bool Control(ServiceHandle service, uint32_t control) = 0;
    // StartServiceW without arguments; false when refused.
    virtual bool Start(ServiceHandle service) = 0;
    // DeleteService: marks the service for removal once its last handle closes.
    virtual bool Delete(ServiceHandle service) = 0;
};

}  // namespace tonedeck
