#pragma once
// Read-only INI document model used for the device-ID group sections.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/ports/file_system.h"

namespace tonedeck {

enum IniEncoding : int32_t {
    kIniEncodingNone = 0,
    kIniEncodingUtf8 = 1,
    kIniEncodingUtf16Le = 2,
    kIniEncodingUtf16Be = 3,
    kIniEncodingUtf32Le = 4,
    kIniEncodingUtf32Be = 5,
};

// LoadFile result codes.
enum IniLoadResult : int {
    kIniLoaded = 0,
    kIniOpenFailed = 1,
    kIniLengthUnknown = 2,
    kIniNoMemoryForBytes = 3,
    kIniReadFailed = 4,
    kIniDecodeFailed = 5,
    kIniNoMemoryForSection = 6,
};

class CIniSection {
public:
    std::u16string name;
    std::vector<std::pair<std::u16string, std::u16string>> pairs;
};

class CIniSectionDefine {
public:
    std::u16string name;
    CIniSection section;
    std::vector<std::u16string> lines;
};

class CIniMgr {
public:
    explicit CIniMgr(FileSystem& files);
    ~CIniMgr();
    CIniMgr(const CIniMgr&) = delete;
    CIniMgr& operator=(const CIniMgr&) = delete;

    int LoadFile(const std::u16string& path);
    void Clear();
    bool HasSection(const std::u16string& name) const;
    void GetKeyNames(const std::u16string& section, std::vector<std::u16string>& keys) const;
    std::u16string GetValue(const std::u16string& section, const std::u16string& key) const;

    int32_t encoding() const { return encoding_; }
    const std::u16string& filePath() const { return filePath_; }
    const std::vector<std::u16string>& lines() const { return lines_; }
    const std::vector<std::unique_ptr<CIniSectionDefine>>& sections() const { return sections_; }

private:
    FileSystem& files_;
    int32_t encoding_ = kIniEncodingNone;
    std::u16string filePath_;
    std::vector<std::u16string> lines_;
    std::vector<std::unique_ptr<CIniSectionDefine>> sections_;
};

}  // namespace tonedeck
