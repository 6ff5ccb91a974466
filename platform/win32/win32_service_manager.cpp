#include "platform/win32/win32_service_manager.h"

#include <windows.h>

#include "platform/win32/wide.h"

// The port's method, not the header's macro of the same name.
#undef OpenService

namespace tonedeck {

namespace {

SC_HANDLE ToSystem(ServiceHandle handle) {
    return reinterpret_cast<SC_HANDLE>(static_cast<uintptr_t>(handle.value()));
}

ServiceHandle ToPort(SC_HANDLE handle) {
    return ServiceHandle(static_cast<uint64_t>(reinterpret_cast<uintptr_t>(handle)));
}

}  // namespace

ServiceHandle Win32ServiceManager::OpenManager(uint32_t access) {
    return ToPort(OpenSCManagerW(nullptr, nullptr, access));
}

ServiceHandle Win32ServiceManager::OpenService(ServiceHandle manager, const std::u16string& name,
                                               uint32_t access) {
    return ToPort(::OpenServiceW(ToSystem(manager), ToWide(name).c_str(), access));
}

void Win32ServiceManager::Close(ServiceHandle handle) {
    if (handle) CloseServiceHandle(ToSystem(handle));
}

std::optional<uint32_t> Win32ServiceManager::QueryState(ServiceHandle service) {
    SERVICE_STATUS status{};
    if (!QueryServiceStatus(ToSystem(service), &status)) return std::nullopt;
    return status.dwCurrentState;
}

bool Win32ServiceManager::Control(ServiceHandle service, uint32_t control) {
    SERVICE_STATUS status{};
    return ControlService(ToSystem(service), control, &status) != FALSE;
}

bool Win32ServiceManager::Start(ServiceHandle service) {
    return StartServiceW(ToSystem(service), 0, nullptr) != FALSE;
}

bool Win32ServiceManager::Delete(ServiceHandle service) {
    return DeleteService(ToSystem(service)) != FALSE;
}

}  // namespace tonedeck
