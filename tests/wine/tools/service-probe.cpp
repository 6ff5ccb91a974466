// service-probe: asks the service control manager about one service.
//   service-probe state NAME   prints "stopped", "start-pending", "stop-pending", "running",
//                              another state's number, or "missing" (exit code 1)
//   service-probe start NAME   starts it and waits up to 10 s for "running"
// Failures print the call and GetLastError(); exit code 2 on bad usage.

#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

const char* StateName(DWORD state) {
    switch (state) {
        case SERVICE_STOPPED:
            return "stopped";
        case SERVICE_START_PENDING:
            return "start-pending";
        case SERVICE_STOP_PENDING:
            return "stop-pending";
        case SERVICE_RUNNING:
            return "running";
    }
    return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: service-probe state|start NAME\n");
        return 2;
    }
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (!manager) {
        std::printf("OpenSCManagerW failed: %lu\n", GetLastError());
        return 1;
    }
    SC_HANDLE service = OpenServiceW(manager, argv[2], SERVICE_QUERY_STATUS | SERVICE_START);
    if (!service) {
        if (GetLastError() == ERROR_SERVICE_DOES_NOT_EXIST) {
            std::printf("missing\n");
        } else {
            std::printf("OpenServiceW failed: %lu\n", GetLastError());
        }
        CloseServiceHandle(manager);
        return 1;
    }
    int result = 0;
    if (std::wcscmp(argv[1], L"start") == 0 && !StartServiceW(service, 0, nullptr)) {
        std::printf("StartServiceW failed: %lu\n", GetLastError());
        result = 1;
    }
    SERVICE_STATUS status{};
    for (int poll = 0; poll < 50; ++poll) {
        if (!QueryServiceStatus(service, &status)) {
            std::printf("QueryServiceStatus failed: %lu\n", GetLastError());
            result = 1;
            break;
        }
        if (std::wcscmp(argv[1], L"start") != 0 || status.dwCurrentState == SERVICE_RUNNING) break;
        Sleep(200);
    }
    if (result == 0) {
        const char* name = StateName(status.dwCurrentState);
        if (name) {
            std::printf("%s\n", name);
        } else {
            std::printf("%lu\n", status.dwCurrentState);
        }
    }
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
    return result;
}
