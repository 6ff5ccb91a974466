#pragma once
// Runs the built tonedeck-tool on host files and captures what it says.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace tonedeck::testing_window {

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

inline std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline ToolRun RunToolOn(const std::filesystem::path& work, const std::string& arguments) {
    const auto out = work / "tool.out";
    const auto err = work / "tool.err";
    std::string command = ShellQuote(TONEDECK_TOOL) + " " + arguments + " >" +
                          ShellQuote(out.string()) + " 2>" + ShellQuote(err.string());
    int status = std::system(command.c_str());
    ToolRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadText(out);
    run.err = ReadText(err);
    return run;
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
    WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

// A fresh folder under the test temporary directory.
inline std::filesystem::path FreshFolder(const std::string& name) {
    auto folder = std::filesystem::temp_directory_path() /
                  ("tonedeck-window-" + name + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

}  // namespace tonedeck::testing_window
