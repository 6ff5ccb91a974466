// simulate: runs a script of device events and presses against the simulated sound device and
// prints the device traffic it causes.

#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "common/text.h"
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

bool IsAbsolute(const std::u16string& path) {
    return (!path.empty() && (path[0] == u'/' || path[0] == u'\\')) ||
           (path.size() > 1 && path[1] == u':');
}

// The files a script names lie beside the script unless the name is absolute.
class ScriptFiles {
  public:
    ScriptFiles(FileSystem& files, const std::u16string& scriptPath) : files_(files) {
        const std::size_t slash = scriptPath.find_last_of(u"/\\");
        if (slash != std::u16string::npos) folder_ = scriptPath.substr(0, slash + 1);
    }
    std::vector<uint8_t> Read(const std::string& name) {
        const std::u16string given = Utf8ToU16(name);
        const std::u16string path = IsAbsolute(given) ? given : folder_ + given;
        std::vector<uint8_t> bytes;
        if (!files_.FileExists(path) || files_.ReadWholeFile(path, bytes) != FileReadStatus::Ok) {
            throw std::runtime_error("cannot read \"" + U16ToUtf8(path) + "\"");
        }
        return bytes;
    }

  private:
    FileSystem& files_;
    std::u16string folder_;
};

// Every file below `folder`, by its path relative to it with backslashes.
void ReadDataFolder(FileSystem& files, const std::u16string& folder, const std::u16string& prefix,
                    std::map<std::u16string, std::vector<uint8_t>>& out) {
    for (const FolderEntry& entry : files.ListFolder(folder)) {
        const std::u16string path = folder + u"/" + entry.name;
        if (entry.isDirectory) {
            ReadDataFolder(files, path, prefix + entry.name + u"\\", out);
            continue;
        }
        std::vector<uint8_t> bytes;
        if (files.ReadWholeFile(path, bytes) == FileReadStatus::Ok) {
            out[prefix + entry.name] = std::move(bytes);
        }
    }
}

void Run(SimulatedPanel& panel, ScriptFiles& files, const ScriptCommand& command) {
    switch (command.verb) {
        case ScriptVerb::kDevice:
            return;  // already in the world the panel starts with
        case ScriptVerb::kProfile:
            return panel.SetLastProfile(files.Read(command.word));
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
        case ScriptVerb::kDrag:
            return panel.Drag(static_cast<int>(command.number), command.dx, command.dy);
        case ScriptVerb::kPage:
            return panel.ShowPage(static_cast<int>(command.number));
        case ScriptVerb::kSave:
            return panel.Save(Utf8ToU16(command.word));
        case ScriptVerb::kLoad: {
            // A profile saved earlier in the run is loaded as it was saved.
            const std::u16string given = Utf8ToU16(command.word);
            const std::u16string name = given.substr(given.find_last_of(u"/\\") + 1);
            if (name == given && panel.HasProfile(name)) return panel.Load(name, {});
            return panel.Load(name, files.Read(command.word));
        }
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

    std::map<std::u16string, std::vector<uint8_t>> data;
    ReadDataFolder(context.files, Utf8ToU16(TONEDECK_DATA_DIR), u"", data);
    if (!data.count(u"AudioConfig.cfg")) {
        return ScriptFailed(
            context, file, 0,
            std::string("the data folder ") + TONEDECK_DATA_DIR + " cannot be read");
    }

    const bool present = DevicePresentAtStart(commands);
    context.out << "simulation: sound device 0C76:161B " << (present ? "present" : "absent")
                << " at start, the shipped data folder installed, Windows 7, no capture "
                   "endpoint\n";
    ScriptFiles files(context.files, path);
    std::unique_ptr<SimulatedPanel> panel;
    try {
        panel = std::make_unique<SimulatedPanel>(context.out, present, data);
    } catch (const std::exception& error) {
        return ScriptFailed(context, file, 0, error.what());
    }
    for (const ScriptCommand& command : commands) {
        context.out << "[" << command.line << "] " << command.text << "  (at " << panel->now()
                    << " ms)\n";
        try {
            Run(*panel, files, command);
            if (command.verb == ScriptVerb::kStart) {
                const SpeakerField field = panel->Field();
                context.out << "  panel    skin " << panel->SkinName() << ", language "
                            << panel->LanguageName() << ", speaker field centre " << field.centerX
                            << "," << field.centerY << " radius " << field.radius << "\n";
            }
            panel->PrintChanges();
        } catch (const std::exception& error) {
            context.out.flush();
            return ScriptFailed(context, file, command.line, error.what());
        }
    }
    context.out << "end of script at " << panel->now() << " ms\n";
    return kExitOk;
}

}  // namespace tonedeck::tool
