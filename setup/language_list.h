#pragma once
// The languages the wizard offers: the language folders that have a display name.

#include <string>
#include <vector>

#include "platform/ports/file_system.h"
#include "platform/ports/profile_store.h"

namespace tonedeck {

struct LanguageList {
    std::vector<std::u16string> displayNames;  // what the list shows
    std::vector<std::u16string> folderNames;   // parallel: the language folder names
    int selected = -1;
};

// A folder-list box pointed at `folder`: the folders from the drive root down to it, then its
// subfolders in case-insensitive order without hidden and system ones. Full paths.
std::vector<std::u16string> FolderListItems(FileSystem& files, const std::u16string& folder);

// Every listed folder below setup folder + `languageFolderName` + "\" whose name has a value in
// section "MultiLanguageFolderMap"; `current` is selected when offered, else the first.
LanguageList BuildLanguageList(FileSystem& files, ProfileStore& profiles,
                               const std::u16string& setupDir,
                               const std::u16string& languageFolderName,
                               const std::u16string& current);

}  // namespace tonedeck
