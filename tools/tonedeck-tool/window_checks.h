#pragma once
// check-skin and check-language: the control panel's data files, read by the control panel's
// own rules, with every problem listed.

#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

#include "tools/tonedeck-tool/check_report.h"
#include "tools/tonedeck-tool/tool.h"

namespace tonedeck::tool {

int RunCheckSkin(const std::u16string& folder, ToolContext& context);
int RunCheckLanguage(const std::u16string& file, ToolContext& context);

// A path inside `folder`, with the separator the folder's path uses; "\" inside `relative`
// (sub-folders of a skin's file names) becomes that separator too.
std::u16string JoinPath(const std::u16string& folder, const std::u16string& relative);

// Reads one value as the control panel does (255 characters at most).
std::u16string ReadValue(ToolContext& context, const std::u16string& file,
                         std::u16string_view section, std::u16string_view key);

// Reports each listed field (0-based) that is present and not empty but no integer.
void CheckIntegerFields(const std::vector<std::u16string>& fields,
                        std::initializer_list<std::size_t> indexes, const std::string& where,
                        CheckReport& report);

// "Result: OK" or the count; the exit code to match.
int Finish(CheckReport& report);

}  // namespace tonedeck::tool
