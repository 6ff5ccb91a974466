#pragma once
// The window definitions: every component of the main window and the About window, read from
// the data table in resources/window/ that is compiled into the program.

#include <map>
#include <string>
#include <string_view>

#include "panel/window/control_model.h"

namespace tonedeck {

// One model per form in the text. Throws std::invalid_argument naming the bad line.
std::map<std::u16string, ControlModel> ParseWindowDefinitions(std::string_view text);

// The shipped definitions, parsed once per call.
ControlModel MainWindowDefinition();   // TAudioMainForm
ControlModel AboutWindowDefinition();  // TAboutForm

}  // namespace tonedeck
