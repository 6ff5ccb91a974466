#include "platform/sim/sim_file_system.h"

#include "common/text.h"

namespace tonedeck {

std::u16string SimFileSystem::Key(const std::u16string& path) {
    std::u16string key = AsciiUpper(path);
    for (auto& c : key) {
        if (c == u'/') c = u'\\';
    }
    while (key.size() > 3 && key.back() == u'\\') key.pop_back();
    return key;
}

std::u16string SimFileSystem::Parent(const std::u16string& key) {
    auto slash = key.rfind(u'\\');
    return slash == std::u16string::npos ? std::u16string() : key.substr(0, slash);
}

bool SimFileSystem::Below(const std::u16string& key, const std::u16string& folder) {
    return key.size() > folder.size() && key.compare(0, folder.size(), folder) == 0 &&
           key[folder.size()] == u'\\';
}

bool SimFileSystem::WritesBlocked(const std::u16string& key) const {
    for (const auto& folder : readOnly_) {
        if (Below(key, folder)) return true;
    }
    return false;
}

bool SimFileSystem::ExceedsLimit(const std::u16string& key, std::size_t newSize) const {
    for (const auto& [folder, capacity] : limits_) {
        if (!Below(key, folder)) continue;
        std::size_t others = 0;
        for (const auto& [file, bytes] : files_) {
            if (file != key && Below(file, folder)) others += bytes.size();
        }
        if (others + newSize > capacity) return true;
    }
    return false;
}

std::size_t SimFileSystem::BytesBelow(const std::u16string& folder) const {
    const auto key = Key(folder);
    std::size_t total = 0;
    for (const auto& [file, bytes] : files_) {
        if (Below(file, key)) total += bytes.size();
    }
    return total;
}

void SimFileSystem::LimitFolder(const std::u16string& folder, std::size_t capacity) {
    limits_[Key(folder)] = capacity;
}

FileReadStatus SimFileSystem::ReadWholeFile(const std::u16string& path,
                                            std::vector<uint8_t>& bytes) {
    auto key = Key(path);
    if (auto fault = readFaults_.find(key); fault != readFaults_.end()) return fault->second;
    auto found = files_.find(key);
    if (found == files_.end()) return FileReadStatus::OpenFailed;
    bytes = found->second;
    return FileReadStatus::Ok;
}

bool SimFileSystem::WriteWholeFile(const std::u16string& path, const std::vector<uint8_t>& bytes) {
    auto key = Key(path);
    if (WritesBlocked(key) || directories_.count(key)) return false;
    auto parent = Parent(key);
    if (!parent.empty() && parent.size() > 2 && !directories_.count(parent)) return false;
    if (ExceedsLimit(key, bytes.size())) return false;
    files_[key] = bytes;
    return true;
}

bool SimFileSystem::FileExists(const std::u16string& path) { return files_.count(Key(path)) > 0; }

bool SimFileSystem::DirectoryExists(const std::u16string& path) {
    auto key = Key(path);
    return directories_.count(key) > 0 || (key.size() == 2 && key[1] == u':');
}

bool SimFileSystem::CreateFolder(const std::u16string& path) {
    auto key = Key(path);
    if (directories_.count(key)) return true;
    if (files_.count(key) || WritesBlocked(key)) return false;
    auto parent = Parent(key);
    if (parent.size() > 2 && !directories_.count(parent)) return false;
    directories_.insert(key);
    RememberSpelling(path);
    return true;
}

void SimFileSystem::PutFile(const std::u16string& path, const std::vector<uint8_t>& bytes) {
    auto key = Key(path);
    for (auto parent = Parent(key); parent.size() > 2; parent = Parent(parent)) {
        directories_.insert(parent);
    }
    files_[key] = bytes;
    RememberSpelling(path);
}

void SimFileSystem::PutFile(const std::u16string& path, const std::string& bytes) {
    PutFile(path, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

void SimFileSystem::RemoveFile(const std::u16string& path) { files_.erase(Key(path)); }

bool SimFileSystem::RemoveEmptyFolder(const std::u16string& path) {
    const auto key = Key(path);
    if (!directories_.count(key) || WritesBlocked(key)) return false;
    const auto inside = [&key](const std::u16string& other) {
        return other.size() > key.size() && other.compare(0, key.size(), key) == 0 &&
               other[key.size()] == u'\\';
    };
    for (const auto& [file, bytes] : files_) {
        if (inside(file)) return false;
    }
    for (const auto& folder : directories_) {
        if (inside(folder)) return false;
    }
    directories_.erase(key);
    return true;
}

std::vector<uint8_t> SimFileSystem::FileBytes(const std::u16string& path) const {
    auto found = files_.find(Key(path));
    return found == files_.end() ? std::vector<uint8_t>() : found->second;
}

void SimFileSystem::FailReads(const std::u16string& path, FileReadStatus status) {
    readFaults_[Key(path)] = status;
}

void SimFileSystem::MakeReadOnly(const std::u16string& folder) { readOnly_.insert(Key(folder)); }

void SimFileSystem::RememberSpelling(const std::u16string& path) {
    std::u16string spelled = path;
    for (auto& c : spelled) {
        if (c == u'/') c = u'\\';
    }
    // A folder made as "X\" is listed as "X", as Windows lists it.
    while (spelled.size() > 3 && spelled.back() == u'\\') spelled.pop_back();
    while (!spelled.empty()) {
        auto key = Key(spelled);
        spelling_.try_emplace(key, spelled);
        auto slash = spelled.rfind(u'\\');
        if (slash == std::u16string::npos || slash <= 2) break;
        spelled.resize(slash);
    }
}

void SimFileSystem::SetFolderAttributes(const std::u16string& path, bool hidden, bool system) {
    folderAttributes_[Key(path)] = {hidden, system};
}

std::vector<FolderEntry> SimFileSystem::ListFolder(const std::u16string& folder) {
    std::vector<FolderEntry> entries;
    auto parent = Key(folder);
    if (!DirectoryExists(folder)) return entries;
    auto add = [&](const std::u16string& key, bool isDirectory) {
        if (Parent(key) != parent) return;
        auto spelled = spelling_.count(key) ? spelling_.at(key) : key;
        FolderEntry entry{spelled.substr(spelled.rfind(u'\\') + 1), isDirectory};
        if (auto found = folderAttributes_.find(key); found != folderAttributes_.end()) {
            entry.hidden = found->second.first;
            entry.system = found->second.second;
        }
        entries.push_back(entry);
    };
    for (const auto& key : directories_) add(key, true);
    for (const auto& file : files_) add(file.first, false);
    return entries;
}

void SimFileSystem::ClearFaults() {
    readFaults_.clear();
    readOnly_.clear();
    limits_.clear();
}

}  // namespace tonedeck
