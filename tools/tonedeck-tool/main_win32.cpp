// tonedeck-tool on Windows: the real files and private-profile functions.

#include <exception>
#include <filesystem>
#include <iostream>

#include "platform/win32/wide.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_profile_store.h"
#include "tools/tonedeck-tool/tool.h"

namespace {

// A bare file name would send the private-profile functions to the Windows folder.
std::u16string WindowsFullPath(const std::u16string& path) {
    std::error_code error;
    auto full = std::filesystem::absolute(std::filesystem::path(tonedeck::ToWide(path)), error);
    return error ? path : tonedeck::FromWide(full.wstring());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    try {
        std::vector<std::u16string> args;
        for (int i = 1; i < argc; ++i) args.push_back(tonedeck::FromWide(argv[i]));
        tonedeck::Win32FileSystem files;
        tonedeck::Win32ProfileStore profiles;
        tonedeck::tool::ToolContext context{files, profiles, std::cout, std::cerr, WindowsFullPath};
        int result = tonedeck::tool::RunTool(args, context);
        std::cout.flush();
        return result;
    } catch (const std::exception& error) {
        std::cerr << "tonedeck-tool: " << error.what() << "\n";
        return tonedeck::tool::kExitProblems;
    }
}
