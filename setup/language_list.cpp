#include "setup/language_list.h"

#include <algorithm>

#include "common/audio_config.h"
#include "common/profile_io.h"
#include "common/text.h"

namespace tonedeck {

namespace {
constexpr std::size_t kFolderNameChars = 255;
}

std::vector<std::u16string> FolderListItems(FileSystem& files, const std::u16string& folder) {
    std::u16string path = folder;
    while (path.size() > 3 && path.back() == u'\\') path.pop_back();

    std::vector<std::u16string> items;
    for (std::size_t slash = path.find(u'\\'); slash != std::u16string::npos;
         slash = path.find(u'\\', slash + 1)) {
        items.push_back(items.empty() ? path.substr(0, slash + 1) : path.substr(0, slash));
    }
    if (items.empty() || items.back() != path) items.push_back(path);

    std::vector<std::u16string> names;
    for (const FolderEntry& entry : files.ListFolder(path)) {
        if (entry.isDirectory && !entry.hidden && !entry.system) names.push_back(entry.name);
    }
    std::sort(names.begin(), names.end(), [](const std::u16string& a, const std::u16string& b) {
        return AsciiUpper(a) < AsciiUpper(b);
    });
    const std::u16string base = path.back() == u'\\' ? path : path + u"\\";
    for (const std::u16string& name : names) items.push_back(base + name);
    return items;
}

LanguageList BuildLanguageList(FileSystem& files, ProfileStore& profiles,
                               const std::u16string& setupDir,
                               const std::u16string& languageFolderName,
                               const std::u16string& current) {
    LanguageList list;
    const std::u16string marker = languageFolderName + u"\\";
    const std::string configFile = U16ToAnsi(setupDir + kAudioConfigFileName);
    for (const std::u16string& item : FolderListItems(files, setupDir + marker)) {
        const auto at = item.find(marker);
        if (at == std::u16string::npos) continue;
        std::u16string folder = AnsiToU16(U16ToAnsi(item.substr(at + marker.size())));
        if (folder.size() > kFolderNameChars) folder.resize(kFolderNameChars);
        std::u16string display;
        ReadProfileStringToBuffer(profiles, configFile, u"MultiLanguageFolderMap", folder, display);
        if (display.empty()) continue;
        list.folderNames.push_back(folder);
        list.displayNames.push_back(display);
        if (folder == current) list.selected = static_cast<int>(list.displayNames.size() - 1);
    }
    if (list.selected < 0 && !list.displayNames.empty()) list.selected = 0;
    return list;
}

}  // namespace tonedeck
