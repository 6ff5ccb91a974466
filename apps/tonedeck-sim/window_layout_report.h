#pragma once
// The main window's controls as an INI text for tests that click them: one line per named
// control, "Name=left,top,width,height,showing,enabled" with the place in client coordinates.

#include <string>

#include "panel/window/control_model.h"

namespace tonedeck {

std::string DescribeWindowLayout(const ControlModel& window);

}  // namespace tonedeck
