#include "platform/sim/sim_service_manager.h"

#include <stdexcept>

#include "common/text.h"

namespace tonedeck {

ServiceHandle SimServiceManager::OpenManager(uint32_t /*access*/) {
    if (managerFails) return {};
    const uint64_t value = nextHandle_;
    nextHandle_ += 4;
    handles_[value] = Handle{true, {}};
    return ServiceHandle(value);
}

ServiceHandle SimServiceManager::OpenService(ServiceHandle manager, const std::u16string& name,
                                             uint32_t /*access*/) {
    const auto it = handles_.find(manager.value());
    if (it == handles_.end() || !it->second.manager) return {};
    const std::u16string key = AsciiUpper(name);
    const auto service = services_.find(key);
    if (service == services_.end() || service->second.openFails) return {};
    const uint64_t value = nextHandle_;
    nextHandle_ += 4;
    handles_[value] = Handle{false, key};
    return ServiceHandle(value);
}

void SimServiceManager::Close(ServiceHandle handle) {
    if (handles_.erase(handle.value()) == 0) ++badCloses_;
}

SimService* SimServiceManager::ServiceOf(ServiceHandle handle) {
    const auto it = handles_.find(handle.value());
    if (it == handles_.end() || it->second.manager) return nullptr;
    const auto service = services_.find(it->second.service);
    return service == services_.end() ? nullptr : &service->second;
}

std::optional<uint32_t> SimServiceManager::QueryState(ServiceHandle handle) {
    SimService* service = ServiceOf(handle);
    if (!service || service->queryFails) return std::nullopt;
    const bool stopping = service->state == kServiceStopPending && !service->ignoresStop;
    const bool starting = service->state == kServiceStartPending && !service->ignoresStart;
    if ((stopping || starting) && --service->pendingQueries <= 0) {
        service->state = stopping ? kServiceStopped : kServiceRunning;
    }
    return service->state;
}

bool SimServiceManager::Control(ServiceHandle handle, uint32_t control) {
    SimService* service = ServiceOf(handle);
    if (!service) return false;
    service->requests.push_back(DecimalText(control));
    if (service->state == kServiceStopped) return false;  // not active
    if (control != kServiceControlStop) return service->state == kServiceRunning;
    if (service->refusesStop) return false;
    service->state = kServiceStopPending;
    service->pendingQueries = service->queriesToSettle;
    return true;
}

bool SimServiceManager::Start(ServiceHandle handle) {
    SimService* service = ServiceOf(handle);
    if (!service) return false;
    service->requests.push_back(u"start");
    if (service->refusesStart || service->state != kServiceStopped) return false;
    service->state = kServiceStartPending;
    service->pendingQueries = service->queriesToSettle;
    return true;
}

bool SimServiceManager::Delete(ServiceHandle handle) {
    const auto it = handles_.find(handle.value());
    if (it == handles_.end() || it->second.manager) return false;
    return services_.erase(it->second.service) != 0;
}

SimService& SimServiceManager::Install(const std::u16string& name, SimService service) {
    return services_[AsciiUpper(name)] = std::move(service);
}

bool SimServiceManager::Exists(const std::u16string& name) const {
    return services_.count(AsciiUpper(name)) != 0;
}

SimService& SimServiceManager::At(const std::u16string& name) {
    const auto it = services_.find(AsciiUpper(name));
    if (it == services_.end()) throw std::out_of_range("no such simulated service");
    return it->second;
}

}  // namespace tonedeck
