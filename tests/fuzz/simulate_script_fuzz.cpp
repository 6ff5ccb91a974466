// ParseScript on any text: a refusal names a line of the script; an accepted script keeps the
// order and the limits it promises.

#include <algorithm>

#include "fuzz_check.h"
#include "tools/tonedeck-tool/simulate_script.h"

using namespace tonedeck::tool;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = tonedeck::fuzz::Text(data, size);
    const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    std::vector<ScriptCommand> commands;
    try {
        commands = ParseScript(text);
    } catch (const ScriptError& error) {
        FUZZ_CHECK(error.line() >= 0 && error.line() <= lines);
        return 0;
    }
    int previousLine = 0;
    int starts = 0;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        const ScriptCommand& command = commands[i];
        FUZZ_CHECK(command.line > previousLine && command.line <= lines);
        previousLine = command.line;
        FUZZ_CHECK(!command.text.empty() && command.text.front() != '#');
        starts += command.verb == ScriptVerb::kStart;
        if (command.verb == ScriptVerb::kExit) FUZZ_CHECK(i + 1 == commands.size());
        switch (command.verb) {
            case ScriptVerb::kTick:
                FUZZ_CHECK(command.number <= kMaxTickMs);
                break;
            case ScriptVerb::kPage:
                FUZZ_CHECK(command.number <= kMaxPage);
                break;
            case ScriptVerb::kPress:
            case ScriptVerb::kRelease:
                FUZZ_CHECK(command.number <= kMaxTag);
                break;
            case ScriptVerb::kDrag:
                FUZZ_CHECK(command.number <= kMaxTag);
                FUZZ_CHECK(command.dx >= -kMaxDragPixels && command.dx <= kMaxDragPixels);
                FUZZ_CHECK(command.dy >= -kMaxDragPixels && command.dy <= kMaxDragPixels);
                break;
            case ScriptVerb::kDevice:
                FUZZ_CHECK(command.word == "present" || command.word == "absent");
                break;
            default:
                break;
        }
    }
    FUZZ_CHECK(starts == 1);
    return 0;
}
