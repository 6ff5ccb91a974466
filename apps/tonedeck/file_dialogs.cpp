#include "apps/tonedeck/file_dialogs.h"

#include <commdlg.h>

#include <vector>

#include "platform/win32/wide.h"

namespace tonedeck {

namespace {

// "INI (*.ini)|*.ini" in the dialogs' own form: pairs ended by zeros.
constexpr wchar_t kIniFilter[] = L"INI (*.ini)\0*.ini\0";
// Room for a long path; the dialogs cut nothing shorter than this.
constexpr std::size_t kPathChars = 32768;

std::optional<std::u16string> Run(HWND owner, const std::u16string& initialFolder, bool save) {
    std::vector<wchar_t> file(kPathChars, L'\0');
    const std::wstring folder = ToWide(initialFolder);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kIniFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen) return std::nullopt;
    return FromWide(file.data());
}

}  // namespace

std::optional<std::u16string> ProfileFileDialogs::RunSaveDialog(
    const std::u16string& initialFolder) {
    return Run(owner_, initialFolder, true);
}

std::optional<std::u16string> ProfileFileDialogs::RunOpenDialog(
    const std::u16string& initialFolder) {
    return Run(owner_, initialFolder, false);
}

}  // namespace tonedeck
