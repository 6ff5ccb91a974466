#include "platform/win32/win32_shell.h"

// clang-format off
#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
// clang-format on

#include "platform/win32/wide.h"

namespace tonedeck {

namespace {

// COM for the calling thread while it lives; uninitialised only when it was initialised here.
class ComScope {
  public:
    ComScope() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComScope() {
        if (initialised_) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

  private:
    bool initialised_;
};

template <typename Interface>
void Release(Interface*& object) {
    if (object) object->Release();
    object = nullptr;
}

}  // namespace

std::u16string Win32Shell::CommonProgramsFolder() {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(
            SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, path))) {
        return {};
    }
    return FromWide(path);
}

bool Win32Shell::CreateShortcut(const std::u16string& linkPath, const std::u16string& target) {
    ComScope com;
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    bool saved = false;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(link->SetPath(ToWide(target).c_str()))) {
        saved = SUCCEEDED(file->Save(ToWide(linkPath).c_str(), TRUE));
    }
    Release(file);
    Release(link);
    return saved;
}

}  // namespace tonedeck
