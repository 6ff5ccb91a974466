#include "tools/tonedeck-tool/simulate_script.h"

#include <map>

namespace tonedeck::tool {

namespace {

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto start = text.find_first_not_of(" \t", at);
        if (start == std::string_view::npos) break;
        auto end = text.find_first_of(" \t", start);
        if (end == std::string_view::npos) end = text.size();
        words.emplace_back(text.substr(start, end - start));
        at = end;
    }
    return words;
}

// Decimal digits only, within `limit`.
bool ParseNumber(const std::string& word, uint32_t limit, uint32_t& value) {
    if (word.empty() || word.size() > 10) return false;
    uint64_t number = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + static_cast<uint64_t>(c - '0');
    }
    if (number > limit) return false;
    value = static_cast<uint32_t>(number);
    return true;
}

// An optional sign, then decimal digits, within +-`limit`.
bool ParseSigned(const std::string& word, int32_t limit, int32_t& value) {
    const bool negative = !word.empty() && word[0] == '-';
    const bool sign = !word.empty() && (word[0] == '-' || word[0] == '+');
    uint32_t magnitude = 0;
    if (!ParseNumber(word.substr(sign ? 1 : 0), static_cast<uint32_t>(limit), magnitude)) {
        return false;
    }
    value = negative ? -static_cast<int32_t>(magnitude) : static_cast<int32_t>(magnitude);
    return true;
}

struct VerbInfo {
    ScriptVerb verb;
    const char* argument;  // nullptr: takes none
};

const std::map<std::string, VerbInfo>& Verbs() {
    static const std::map<std::string, VerbInfo> verbs = {
        {"device", {ScriptVerb::kDevice, "present or absent"}},
        {"profile", {ScriptVerb::kProfile, "a file"}},
        {"start", {ScriptVerb::kStart, nullptr}},
        {"plug", {ScriptVerb::kPlug, nullptr}},
        {"unplug", {ScriptVerb::kUnplug, nullptr}},
        {"tick", {ScriptVerb::kTick, "milliseconds"}},
        {"press", {ScriptVerb::kPress, "a tag number"}},
        {"release", {ScriptVerb::kRelease, "a tag number"}},
        {"drag", {ScriptVerb::kDrag, "a tag number and the movement: DY, or DX DY"}},
        {"page", {ScriptVerb::kPage, "a page number"}},
        {"save", {ScriptVerb::kSave, "a file"}},
        {"load", {ScriptVerb::kLoad, "a file"}},
        {"exit", {ScriptVerb::kExit, nullptr}},
    };
    return verbs;
}

// drag TAG DY, or drag TAG DX DY.
ScriptCommand ParseDrag(int line, std::string_view text, const std::vector<std::string>& words) {
    ScriptCommand command{line, ScriptVerb::kDrag, std::string(text), {}, 0, 0, 0};
    if (words.size() < 3 || words.size() > 4) {
        throw ScriptError(line, "drag needs a tag number and the movement: DY, or DX DY");
    }
    if (!ParseNumber(words[1], kMaxTag, command.number)) {
        throw ScriptError(line, "drag needs a tag number from 0 to " + std::to_string(kMaxTag) +
                                    ", not \"" + words[1] + "\"");
    }
    for (std::size_t i = 2; i < words.size(); ++i) {
        int32_t& target = (words.size() == 4 && i == 2) ? command.dx : command.dy;
        if (!ParseSigned(words[i], kMaxDragPixels, target)) {
            throw ScriptError(line, "drag needs pixels from -" + std::to_string(kMaxDragPixels) +
                                        " to " + std::to_string(kMaxDragPixels) + ", not \"" +
                                        words[i] + "\"");
        }
    }
    return command;
}

ScriptCommand ParseLine(int line, std::string_view text) {
    const std::vector<std::string> words = Words(text);
    const auto found = Verbs().find(words[0]);
    if (found == Verbs().end()) throw ScriptError(line, "unknown command \"" + words[0] + "\"");
    const VerbInfo& info = found->second;
    ScriptCommand command{line, info.verb, std::string(text), {}, 0, 0, 0};
    if (info.verb == ScriptVerb::kDrag) return ParseDrag(line, text, words);
    const std::size_t wanted = info.argument ? 2 : 1;
    if (words.size() < wanted) {
        throw ScriptError(line, words[0] + " needs an argument: " + info.argument);
    }
    if (words.size() > wanted) {
        throw ScriptError(line, words[0] + " takes " +
                                    (info.argument ? std::string("one argument: ") + info.argument
                                                   : std::string("no argument")) +
                                    ", not \"" + words[wanted] + "\"");
    }
    switch (info.verb) {
        case ScriptVerb::kDevice:
            if (words[1] != "present" && words[1] != "absent") {
                throw ScriptError(
                    line, "device must be \"present\" or \"absent\", not \"" + words[1] + "\"");
            }
            command.word = words[1];
            break;
        case ScriptVerb::kProfile:
        case ScriptVerb::kSave:
        case ScriptVerb::kLoad:
            command.word = words[1];
            break;
        case ScriptVerb::kPage:
            if (!ParseNumber(words[1], kMaxPage, command.number)) {
                throw ScriptError(line, "page needs a page number from 0 to " +
                                            std::to_string(kMaxPage) + ", not \"" + words[1] +
                                            "\"");
            }
            break;
        case ScriptVerb::kTick:
            if (!ParseNumber(words[1], kMaxTickMs, command.number)) {
                throw ScriptError(line, "tick needs milliseconds from 0 to " +
                                            std::to_string(kMaxTickMs) + ", not \"" + words[1] +
                                            "\"");
            }
            break;
        case ScriptVerb::kPress:
        case ScriptVerb::kRelease:
            if (!ParseNumber(words[1], kMaxTag, command.number)) {
                throw ScriptError(line, words[0] + " needs a tag number from 0 to " +
                                            std::to_string(kMaxTag) + ", not \"" + words[1] + "\"");
            }
            break;
        default:
            break;
    }
    return command;
}

bool IsSetup(ScriptVerb verb) {
    return verb == ScriptVerb::kDevice || verb == ScriptVerb::kProfile;
}

}  // namespace

std::vector<ScriptCommand> ParseScript(std::string_view text) {
    std::vector<ScriptCommand> commands;
    bool started = false;
    bool ended = false;
    bool deviceGiven = false;
    int line = 0;
    std::size_t at = 0;
    while (at <= text.size()) {
        auto end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view body = Trim(text.substr(at, end - at));
        at = end + 1;
        ++line;
        if (body.empty() || body.front() == '#') continue;

        ScriptCommand command = ParseLine(line, body);
        const std::string verb = Words(body)[0];
        if (ended) throw ScriptError(line, verb + " after exit: the panel has ended");
        if (IsSetup(command.verb) && started) {
            throw ScriptError(line, verb + " must come before start");
        }
        if (!IsSetup(command.verb) && command.verb != ScriptVerb::kStart && !started) {
            throw ScriptError(line, verb + " before start: the panel is not running yet");
        }
        if (command.verb == ScriptVerb::kDevice) {
            if (deviceGiven) throw ScriptError(line, "device given a second time");
            deviceGiven = true;
        }
        if (command.verb == ScriptVerb::kStart) {
            if (started) throw ScriptError(line, "start a second time: the panel already runs");
            started = true;
        }
        if (command.verb == ScriptVerb::kExit) ended = true;
        commands.push_back(std::move(command));
    }
    if (!started) throw ScriptError(0, "the script never starts the panel (no start command)");
    return commands;
}

}  // namespace tonedeck::tool
