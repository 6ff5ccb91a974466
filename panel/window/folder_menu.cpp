#include "panel/window/folder_menu.h"

#include <algorithm>

namespace tonedeck {

namespace {

char16_t Fold(char16_t c) {
    if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
    return c;
}

}  // namespace

bool LessIgnoringCase(std::u16string_view a, std::u16string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char16_t x, char16_t y) { return Fold(x) < Fold(y); });
}

std::vector<std::u16string> ListMenuFolders(FileSystem& files, const std::u16string& folder) {
    std::vector<std::u16string> names;
    for (const FolderEntry& entry : files.ListFolder(folder)) {
        if (!entry.isDirectory || entry.hidden || entry.system) continue;
        if (entry.name == u"." || entry.name == u"..") continue;
        names.push_back(entry.name);
    }
    std::stable_sort(names.begin(), names.end(), LessIgnoringCase);
    return names;
}

std::u16string RemoveAccelerators(std::u16string_view caption) {
    std::u16string name;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (++i >= caption.size()) break;
        }
        name += caption[i];
    }
    return name;
}

}  // namespace tonedeck
