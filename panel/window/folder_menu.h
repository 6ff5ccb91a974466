#pragma once
// The folder lists behind the Language and Skin menus.

#include <string>
#include <string_view>
#include <vector>

#include "platform/ports/file_system.h"

namespace tonedeck {

struct MenuItem {
    std::u16string caption;
    bool checked = false;
};

// Ordering without regard to case (letters of the 8-bit code page folded too).
bool LessIgnoringCase(std::u16string_view a, std::u16string_view b);

// The direct sub-folders of `folder`, hidden and system ones left out, sorted without regard to
// case. Empty when the folder is missing.
std::vector<std::u16string> ListMenuFolders(FileSystem& files, const std::u16string& folder);

// Drops each accelerator marker "&" and keeps the character after it ("&&" gives "&").
std::u16string RemoveAccelerators(std::u16string_view caption);

}  // namespace tonedeck
