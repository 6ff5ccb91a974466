// Tonewarden: the device service stand-in. Run with "/Service" it registers itself as the
// auto-start service "Tonewarden" and ends; started by the service control manager it runs
// until it is asked to stop. Control code 128 is accepted and traced. It needs nothing but
// Windows itself, so it builds for either processor on its own.

// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <string>

namespace {

constexpr wchar_t kServiceName[] = L"Tonewarden";
constexpr DWORD kUserControl = 128;

SERVICE_STATUS_HANDLE statusHandle = nullptr;
SERVICE_STATUS status{};
HANDLE stopEvent = nullptr;

void Report(DWORD state) {
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
    status.dwWin32ExitCode = NO_ERROR;
    status.dwWaitHint = state == SERVICE_RUNNING || state == SERVICE_STOPPED ? 0 : 3000;
    SetServiceStatus(statusHandle, &status);
}

DWORD WINAPI Handler(DWORD control, DWORD, void*, void*) {
    switch (control) {
        case SERVICE_CONTROL_STOP:
        case SERVICE_CONTROL_SHUTDOWN:
            Report(SERVICE_STOP_PENDING);
            SetEvent(stopEvent);
            return NO_ERROR;
        case SERVICE_CONTROL_INTERROGATE:
            return NO_ERROR;
        case kUserControl:
            OutputDebugStringW(L"##### Tonewarden: control 128 #####\n");
            return NO_ERROR;
    }
    return ERROR_CALL_NOT_IMPLEMENTED;
}

void WINAPI ServiceMain(DWORD, wchar_t**) {
    statusHandle = RegisterServiceCtrlHandlerExW(kServiceName, &Handler, nullptr);
    if (!statusHandle) return;
    stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!stopEvent) {
        Report(SERVICE_STOPPED);
        return;
    }
    Report(SERVICE_RUNNING);
    WaitForSingleObject(stopEvent, INFINITE);
    CloseHandle(stopEvent);
    Report(SERVICE_STOPPED);
}

std::wstring OwnPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// Creates the service, or points an existing one at this program again.
int Register() {
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CREATE_SERVICE);
    if (!manager) return 1;
    const std::wstring command = L"\"" + OwnPath() + L"\"";
    SC_HANDLE service =
        CreateServiceW(manager, kServiceName, kServiceName, SERVICE_ALL_ACCESS,
                       SERVICE_WIN32_OWN_PROCESS, SERVICE_AUTO_START, SERVICE_ERROR_NORMAL,
                       command.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr);
    if (!service && GetLastError() == ERROR_SERVICE_EXISTS) {
        service = OpenServiceW(manager, kServiceName, SERVICE_CHANGE_CONFIG);
        if (service && !ChangeServiceConfigW(service, SERVICE_WIN32_OWN_PROCESS, SERVICE_AUTO_START,
                                             SERVICE_ERROR_NORMAL, command.c_str(), nullptr,
                                             nullptr, nullptr, nullptr, nullptr, nullptr)) {
            CloseServiceHandle(service);
            service = nullptr;
        }
    }
    const int result = service ? 0 : 2;
    if (service) CloseServiceHandle(service);
    CloseServiceHandle(manager);
    return result;
}

bool HasServiceSwitch() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    bool found = false;
    for (int i = 1; arguments && i < count; ++i) {
        found = found || lstrcmpiW(arguments[i], L"/Service") == 0;
    }
    LocalFree(arguments);
    return found;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (HasServiceSwitch()) return Register();
    wchar_t name[] = L"Tonewarden";
    SERVICE_TABLE_ENTRYW table[] = {{name, &ServiceMain}, {nullptr, nullptr}};
    return StartServiceCtrlDispatcherW(table) ? 0 : 1;
}
