#pragma once
// kernel32 functions that older Windows versions lack: looked up by name, null when missing.

#include <windows.h>

namespace tonedeck {

template <typename Function>
Function LookupKernel32(const char* name) {
    HMODULE kernel32 = GetModuleHandleW(L"kernel32");
    if (!kernel32) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(kernel32, name)));
}

}  // namespace tonedeck
