#pragma once
// How the tool shows text from data files: readable, one line, nothing hidden.

#include <string>
#include <string_view>

namespace tonedeck::tool {

// UTF-8, with control characters shown as \xNN so a value never breaks or hides in a line.
std::string Shown(std::u16string_view text);

// Shown(text) in double quotes.
std::string Quoted(std::u16string_view text);

}  // namespace tonedeck::tool
