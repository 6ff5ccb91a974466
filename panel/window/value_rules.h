#pragma once
// How a value of Language.ini, SkinSetting.ini or AudioConfig.cfg splits into fields and numbers.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "panel/window/window_errors.h"

namespace tonedeck {

// Fields at every comma, blanks kept; a field opening with a double quote runs to its closing
// quote and may hold commas ("" inside stands for one quote). An empty value has no fields.
std::vector<std::u16string> SplitFields(std::u16string_view value);

// Optional spaces, optional sign, then decimal digits (signed 32-bit) or up to 8 hexadecimal
// digits after "$", "x", "X", "0x" or "0X" (a 32-bit pattern). Throws InvalidIntegerError.
int32_t ParseInteger(std::u16string_view field);

// True when field `index` (0-based) exists and is not empty.
bool FieldGiven(const std::vector<std::u16string>& fields, std::size_t index);

// Field `index`, or empty text when the value has fewer fields.
std::u16string FieldOrEmpty(const std::vector<std::u16string>& fields, std::size_t index);

}  // namespace tonedeck
