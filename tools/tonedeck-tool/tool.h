#pragma once
// tonedeck-tool: support commands over the shipped data files.

#include <ostream>
#include <string>
#include <vector>

#include "platform/ports/file_system.h"
#include "platform/ports/profile_store.h"

namespace tonedeck::tool {

enum ExitCode : int {
    kExitOk = 0,
    kExitProblems = 1,  // the check found problems, or the input could not be used
    kExitUsage = 2,
};

// What a command may use of the machine it runs on.
struct ToolContext {
    FileSystem& files;
    ProfileStore& profiles;
    std::ostream& out;
    std::ostream& err;
    // Turns a path from the command line into the full path the file readers expect.
    std::u16string (*fullPath)(const std::u16string& path);
};

// `args` without the program name.
int RunTool(const std::vector<std::u16string>& args, ToolContext& context);

int RunEntryCode(const std::vector<std::u16string>& patterns, ToolContext& context);
int RunCheckConfig(const std::u16string& file, ToolContext& context);
int RunSimulate(const std::u16string& file, ToolContext& context);

}  // namespace tonedeck::tool
