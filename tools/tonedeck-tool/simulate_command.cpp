// simulate: runs a script of device events and presses against the simulated sound device and
// prints the device traffic it causes.

#include <sstream>
#include <stdexcept>

#include "tools/tonedeck-tool/simulate_panel.h"
#include "tools/tonedeck-tool/simulate_script.h"
#include "tools/tonedeck-tool/tool.h"
#include "tools/tonedeck-tool/tool_text.h"

namespace tonedeck::tool {

namespace {

int ScriptFailed(ToolContext& context, const std::u16string& file, int line,
                 const std::string& message) {
    context.err << "tonedeck-tool: " << Shown(file);
    if (line > 0) context.err << ", line " << line;
    context.err << ": " << message << "\n";
    return kExitProblems;
}

bool DevicePresentAtStart(const std::vector<ScriptCommand>& commands) {
    for (const ScriptCommand& command : commands) {
        if (command.verb == ScriptVerb::kDevice) return command.word == "present";
    }
    return true;
}

void Run(SimulatedPanel& panel, const ScriptCommand& command) {
    switch (command.verb) {
        case ScriptVerb::kDevice:
            return;  // already in the world the panel starts with
        case ScriptVerb::kProfile:
            throw std::runtime_error(
                "profile: starting with a last profile is not available in the simulation yet");
        case ScriptVerb::kStart:
            return panel.Start();
        case ScriptVerb::kPlug:
            return panel.Plug();
        case ScriptVerb::kUnplug:
            return panel.Unplug();
        case ScriptVerb::kTick:
            return panel.Tick(command.number);
        case ScriptVerb::kPress:
            return panel.Press(static_cast<int>(command.number));
        case ScriptVerb::kRelease:
            return panel.Release(static_cast<int>(command.number));
        case ScriptVerb::kExit:
            return panel.Exit();
    }
}

}  // namespace

int RunSimulate(const std::u16string& file, ToolContext& context) {
    const std::u16string path = context.fullPath(file);
    std::vector<uint8_t> bytes;
    if (context.files.DirectoryExists(path)) {
        return ScriptFailed(context, file, 0, "it is a directory");
    }
    if (!context.files.FileExists(path) ||
        context.files.ReadWholeFile(path, bytes) != FileReadStatus::Ok) {
        return ScriptFailed(context, file, 0, "the script cannot be read");
    }

    std::vector<ScriptCommand> commands;
    try {
        commands = ParseScript(std::string(bytes.begin(), bytes.end()));
    } catch (const ScriptError& error) {
        return ScriptFailed(context, file, error.line(), error.what());
    }

    const bool present = DevicePresentAtStart(commands);
    context.out << "simulation: sound device 0C76:161B " << (present ? "present" : "absent")
                << " at start, EQ page showing, speaker field centre " << kSimulatedField.centerX
                << "," << kSimulatedField.centerY << " radius " << kSimulatedField.radius
                << ", Windows 7, no capture endpoint\n";
    SimulatedPanel panel(context.out, present);
    for (const ScriptCommand& command : commands) {
        context.out << "[" << command.line << "] " << command.text << "  (at " << panel.now()
                    << " ms)\n";
        try {
            Run(panel, command);
        } catch (const std::exception& error) {
            context.out.flush();
            return ScriptFailed(context, file, command.line, error.what());
        }
    }
    context.out << "end of script at " << panel.now() << " ms\n";
    return kExitOk;
}

}  // namespace tonedeck::tool
