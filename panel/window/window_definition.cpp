#include "panel/window/window_definition.h"

#include <charconv>
#include <stdexcept>
#include <vector>

#include "common/text.h"

namespace tonedeck {

namespace {

constexpr char kShippedDefinitions[] =
#include "resources/window/window_definitions.def"
    ;

// Blank-separated tokens; a token may hold blanks inside double quotes (which are dropped).
std::vector<std::string> Tokens(std::string_view line) {
    std::vector<std::string> tokens;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
        if (at >= line.size()) break;
        std::string token;
        bool quoted = false;
        while (at < line.size() && (quoted || (line[at] != ' ' && line[at] != '\t'))) {
            if (line[at] == '"') {
                quoted = !quoted;
            } else {
                token += line[at];
            }
            ++at;
        }
        tokens.push_back(token);
    }
    return tokens;
}

int Number(const std::string& text, const std::string& line) {
    int value = 0;
    int base = 10;
    std::string_view digits = text;
    bool negative = !digits.empty() && digits[0] == '-';
    if (negative) digits.remove_prefix(1);
    if (digits.size() > 2 && digits[0] == '0' && digits[1] == 'x') {
        base = 16;
        digits.remove_prefix(2);
    }
    unsigned int parsed = 0;
    auto result = std::from_chars(digits.data(), digits.data() + digits.size(), parsed, base);
    if (digits.empty() || result.ec != std::errc() || result.ptr != digits.data() + digits.size()) {
        throw std::invalid_argument("window definition: bad number in: " + line);
    }
    value = static_cast<int>(parsed);
    return negative ? -value : value;
}

ControlKind Kind(const std::string& word, const std::string& line) {
    static const std::map<std::string, ControlKind> kinds = {
        {"Form", ControlKind::Form},   {"Image", ControlKind::Image},
        {"Label", ControlKind::Label}, {"Panel", ControlKind::Panel},
        {"Bevel", ControlKind::Bevel}, {"Notebook", ControlKind::Notebook},
        {"Page", ControlKind::Page}};
    auto found = kinds.find(word);
    if (found == kinds.end())
        throw std::invalid_argument("window definition: bad kind in: " + line);
    return found->second;
}

void ApplyOption(Control& control, const std::string& option, const std::string& line) {
    auto equals = option.find('=');
    std::string key = option.substr(0, equals);
    std::string value = equals == std::string::npos ? std::string() : option.substr(equals + 1);
    if (key == "hidden") {
        control.visible = false;
    } else if (key == "disabled") {
        control.enabled = false;
    } else if (key == "autosize") {
        control.autoSize = true;
    } else if (key == "stretch") {
        control.stretch = true;
    } else if (key == "wrap") {
        control.wordWrap = true;
    } else if (key == "bold") {
        control.font.bold = true;
    } else if (key == "caption") {
        control.caption = Utf8ToU16(value);
    } else if (key == "font") {
        control.font.name = Utf8ToU16(value);
    } else if (key == "size") {
        control.font.size = Number(value, line);
    } else if (key == "height") {
        control.font.pixelHeight = Number(value, line);
    } else if (key == "color") {
        control.font.color = Number(value, line);
    } else if (key == "picture") {
        auto x = value.find('x');
        if (x == std::string::npos) {
            throw std::invalid_argument("window definition: bad picture size in: " + line);
        }
        control.pictureWidth = Number(value.substr(0, x), line);
        control.pictureHeight = Number(value.substr(x + 1), line);
    } else {
        throw std::invalid_argument("window definition: unknown option in: " + line);
    }
}

}  // namespace

std::map<std::u16string, ControlModel> ParseWindowDefinitions(std::string_view text) {
    std::map<std::u16string, ControlModel> forms;
    ControlModel* current = nullptr;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string line(text.substr(start, end - start));
        start = end + 1;
        auto tokens = Tokens(line);
        if (tokens.empty() || tokens[0][0] == '#') continue;
        if (tokens.size() < 8)
            throw std::invalid_argument("window definition: short line: " + line);
        Control control;
        control.kind = Kind(tokens[0], line);
        control.name = Utf8ToU16(tokens[1]);
        if (control.kind == ControlKind::Form) {
            current = &forms[control.name];
        } else {
            if (!current) throw std::invalid_argument("window definition: no form before: " + line);
            auto parent = current->Find(Utf8ToU16(tokens[2]));
            if (!parent)
                throw std::invalid_argument("window definition: unknown parent in: " + line);
            if (current->Find(control.name)) {
                throw std::invalid_argument("window definition: name used twice: " + line);
            }
            control.parent = *parent;
        }
        control.tag = Number(tokens[3], line);
        control.left = Number(tokens[4], line);
        control.top = Number(tokens[5], line);
        control.width = Number(tokens[6], line);
        control.height = Number(tokens[7], line);
        for (std::size_t i = 8; i < tokens.size(); ++i) ApplyOption(control, tokens[i], line);
        current->Add(std::move(control));
    }
    return forms;
}

namespace {

ControlModel ShippedForm(std::u16string_view name) {
    auto forms = ParseWindowDefinitions(kShippedDefinitions);
    auto found = forms.find(std::u16string(name));
    if (found == forms.end()) throw std::logic_error("window definition lacks a form");
    return found->second;
}

}  // namespace

ControlModel MainWindowDefinition() { return ShippedForm(u"TAudioMainForm"); }

ControlModel AboutWindowDefinition() { return ShippedForm(u"TAboutForm"); }

}  // namespace tonedeck
