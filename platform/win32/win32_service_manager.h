#pragma once
// ServiceManager on the service control manager.

#include "platform/ports/service_manager.h"

namespace tonedeck {

class Win32ServiceManager : public ServiceManager {
  public:
    ServiceHandle OpenManager(uint32_t access) override;
    ServiceHandle OpenService(ServiceHandle manager, const std::u16string& name,
                              uint32_t access) override;
    void Close(ServiceHandle handle) override;
    std::optional<uint32_t> QueryState(ServiceHandle service) override;
    bool Control(ServiceHandle service, uint32_t control) override;
    bool Start(ServiceHandle service) override;
    bool Delete(ServiceHandle service) override;
};

}  // namespace tonedeck
