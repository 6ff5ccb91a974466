// tonedeck-tool on Linux: host files, read with the emulated private-profile rules.

#include <exception>
#include <filesystem>
#include <iostream>

#include "common/text.h"
#include "platform/host/host_file_system.h"
#include "platform/sim/emulated_profile_store.h"
#include "tools/tonedeck-tool/tool.h"

namespace {

std::u16string HostFullPath(const std::u16string& path) {
    std::error_code error;
    auto full = std::filesystem::absolute(std::filesystem::path(tonedeck::U16ToUtf8(path)), error);
    return error ? path : tonedeck::Utf8ToU16(full.string());
}

}  // namespace

int main(int argc, char** argv) {
    try {
        std::vector<std::u16string> args;
        for (int i = 1; i < argc; ++i) args.push_back(tonedeck::Utf8ToU16(argv[i]));
        tonedeck::HostFileSystem files;
        tonedeck::EmulatedProfileStore profiles(files);
        tonedeck::tool::ToolContext context{files, profiles, std::cout, std::cerr, HostFullPath};
        int result = tonedeck::tool::RunTool(args, context);
        std::cout.flush();
        return result;
    } catch (const std::exception& error) {
        std::cerr << "tonedeck-tool: " << error.what() << "\n";
        return tonedeck::tool::kExitProblems;
    }
}
