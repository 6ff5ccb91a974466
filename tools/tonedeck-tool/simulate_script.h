#pragma once
// The simulate command's script: one command a line, "#" comment lines and blank lines allowed.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tonedeck::tool {

enum class ScriptVerb {
    kDevice,
    kProfile,
    kStart,
    kPlug,
    kUnplug,
    kTick,
    kPress,
    kRelease,
    kDrag,
    kPage,
    kSave,
    kLoad,
    kExit
};

struct ScriptCommand {
    int line = 0;
    ScriptVerb verb = ScriptVerb::kStart;
    std::string text;     // the line as written, trimmed
    std::string word;     // `device`: "present" or "absent"; `profile`, `save`, `load`: the file
    uint32_t number = 0;  // `tick`: milliseconds; `press`, `release`, `drag`: the tag; `page`
    int32_t dx = 0;       // `drag`: the pointer's movement
    int32_t dy = 0;
};

// A script that cannot run, with the line it stops at (0: the script as a whole).
class ScriptError : public std::runtime_error {
  public:
    ScriptError(int line, const std::string& message) : std::runtime_error(message), line_(line) {}
    int line() const { return line_; }

  private:
    int line_;
};

inline constexpr uint32_t kMaxTickMs = 24u * 60 * 60 * 1000;  // one virtual day per command
inline constexpr uint32_t kMaxTag = 255;
inline constexpr uint32_t kMaxPage = 4;
inline constexpr int32_t kMaxDragPixels = 10000;

// UTF-8 text, LF or CR LF line ends. Checks every line before anything runs: the words, their
// arguments and the order (setup before `start`, the rest after it, nothing after `exit`).
std::vector<ScriptCommand> ParseScript(std::string_view text);

}  // namespace tonedeck::tool
