#pragma once
// Putting a language entry onto a label: caption, colours, font, scaled size and place.

#include "panel/window/control_model.h"
#include "panel/window/language_table.h"
#include "panel/window/window_host.h"

namespace tonedeck {

// By the screen's pixels per inch and the Windows-version class.
double FontScaleFactor(int pixelsPerInch, int osClass);

// Nearest integer, halves to the even neighbour.
int RoundHalfEven(double value);

// `entry` may take the global colours as its effective ones. `measure` sizes labels that size
// themselves (may be null where nothing measures).
void ApplyLabelStyle(LabelStyleEntry& entry, const GlobalLabelStyle& global, Control& label,
                     bool selected, double fontScale, WindowHost* measure);

}  // namespace tonedeck
