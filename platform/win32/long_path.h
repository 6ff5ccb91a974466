#pragma once
// A path in the form the wide file functions accept beyond MAX_PATH: drive paths and UNC
// paths of that length get the "\\?\" prefix; shorter ones stay as they are.

#include <string>

namespace tonedeck {

inline std::wstring LongPathForm(std::wstring path) {
    constexpr std::size_t kMaxPath = 260;
    if (path.size() < kMaxPath - 12 || path.starts_with(L"\\\\?\\")) return path;
    if (path.size() > 2 && path[1] == L':' && path[2] == L'\\') return L"\\\\?\\" + path;
    if (path.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + path.substr(2);
    return path;
}

}  // namespace tonedeck
