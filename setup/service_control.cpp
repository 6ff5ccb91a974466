#include "setup/service_control.h"

namespace tonedeck {

namespace {

bool WaitForState(ServiceManager& services, Clock& clock, ServiceHandle service, uint32_t wanted) {
    for (int poll = 0; poll < kServicePolls; ++poll) {
        const auto state = services.QueryState(service);
        if (state && *state == wanted) return true;
        clock.Sleep(kServicePollMs);
    }
    return false;
}

ServiceControlResult Request(ServiceManager& services, Clock& clock, ServiceHandle service,
                             uint32_t control) {
    const auto state = services.QueryState(service);
    if (!state) return kServiceStatusUnreadable;
    if (control == kServiceStopRequest) {
        if (*state == kServiceStopped) return kServiceDone;
        if (!services.Control(service, kServiceControlStop)) return kServiceStopRefused;
        return WaitForState(services, clock, service, kServiceStopped) ? kServiceDone
                                                                       : kServiceNotStopped;
    }
    if (control == kServiceStartRequest) {
        if (*state == kServiceRunning) return kServiceDone;
        if (!services.Start(service)) return kServiceStartRefused;
        return WaitForState(services, clock, service, kServiceRunning) ? kServiceDone
                                                                       : kServiceNotRunning;
    }
    services.Control(service, control);
    return kServiceDone;
}

}  // namespace

ServiceControlResult ControlDeviceService(ServiceManager& services, Clock& clock,
                                          const std::u16string& name, uint32_t control) {
    const ServiceHandle manager = services.OpenManager(kScManagerAllAccess);
    if (!manager) return kServiceManagerNotOpened;
    const ServiceHandle service = services.OpenService(manager, name, kServiceAllAccess);
    if (!service) {
        services.Close(manager);
        return kServiceNotOpened;
    }
    const ServiceControlResult result = Request(services, clock, service, control);
    services.Close(service);
    services.Close(manager);
    return result;
}

}  // namespace tonedeck
