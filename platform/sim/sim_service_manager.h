#pragma once
// Scriptable services: each settles into the state a request asks for after a number of status
// queries, or never (ignoring the request), or refuses the request outright.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/ports/service_manager.h"

namespace tonedeck {

struct SimService {
    uint32_t state = kServiceStopped;
    // Status queries a pending start or stop takes before it settles.
    int queriesToSettle = 1;
    bool ignoresStop = false;   // stays stop-pending for ever
    bool ignoresStart = false;  // stays start-pending for ever
    bool refusesStop = false;
    bool refusesStart = false;
    bool queryFails = false;
    bool openFails = false;  // access denied
    // Every request received: "start", or the control code in decimal.
    std::vector<std::u16string> requests;

    int pendingQueries = 0;  // internal: queries left before a pending state settles
};

class SimServiceManager : public ServiceManager {
  public:
    ServiceHandle OpenManager(uint32_t access) override;
    ServiceHandle OpenService(ServiceHandle manager, const std::u16string& name,
                              uint32_t access) override;
    void Close(ServiceHandle handle) override;
    std::optional<uint32_t> QueryState(ServiceHandle service) override;
    bool Control(ServiceHandle service, uint32_t control) override;
    bool Start(ServiceHandle service) override;
    // The service goes at once; handles to it stop working.
    bool Delete(ServiceHandle service) override;

    // Installs (or replaces) a service; names compare without regard to case.
    SimService& Install(const std::u16string& name, SimService service = {});
    bool Exists(const std::u16string& name) const;
    SimService& At(const std::u16string& name);

    bool managerFails = false;
    std::size_t OpenHandleCount() const { return handles_.size(); }
    std::size_t BadCloseCount() const { return badCloses_; }

  private:
    struct Handle {
        bool manager = false;
        std::u16string service;  // upper case
    };
    SimService* ServiceOf(ServiceHandle handle);

    std::map<std::u16string, SimService> services_;
    std::map<uint64_t, Handle> handles_;
    uint64_t nextHandle_ = 0x5C000;
    std::size_t badCloses_ = 0;
};

}  // namespace tonedeck
