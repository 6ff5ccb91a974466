#include "common/ini_mgr.h"

#include <new>

#include "common/ini_decode.h"
#include "common/text.h"

namespace tonedeck {

namespace {

bool IsHeader(std::u16string_view line) {
    return line.size() >= 2 && line.front() == u'[' && line.back() == u']';
}

bool IsSkipped(std::u16string_view line) { return line.empty() || line.front() == u';'; }

std::u16string_view Bracketed(std::u16string_view header) {
    return header.substr(1, header.size() - 2);
}

void SplitLines(const std::u16string& text, std::vector<std::u16string>& lines) {
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos) end = text.size();
        if (end > start) {
            std::u16string_view piece(text.data() + start, end - start);
            lines.emplace_back(TrimChar(TrimChar(piece, u' '), u'\r'));
        }
        start = end + 1;
    }
}

CIniSection ParseSection(const std::vector<std::u16string>& lines) {
    CIniSection section;
    for (const auto& raw : lines) {
        const std::u16string_view line = TrimChar(TrimChar(TrimChar(raw, u' '), u'\r'), u'\n');
        if (IsSkipped(line)) continue;
        if (IsHeader(line)) {
            section.name = Bracketed(line);
            continue;
        }
        const std::size_t equals = line.find(u'=');
        if (equals == std::u16string_view::npos || equals == 0) continue;
        section.pairs.emplace_back(line.substr(0, equals), line.substr(equals + 1));
    }
    return section;
}

FileReadStatus ReadBytes(FileSystem& files, const std::u16string& path, std::vector<uint8_t>& bytes,
                         bool& outOfMemory) {
    try {
        return files.ReadWholeFile(path, bytes);
    } catch (const std::bad_alloc&) {
        outOfMemory = true;
        return FileReadStatus::ReadFailed;
    }
}

}  // namespace

CIniMgr::CIniMgr(FileSystem& files) : files_(files) {}

CIniMgr::~CIniMgr() { Clear(); }

int CIniMgr::LoadFile(const std::u16string& path) {
    filePath_ = path;

    std::vector<uint8_t> bytes;
    bool outOfMemory = false;
    switch (ReadBytes(files_, path, bytes, outOfMemory)) {
        case FileReadStatus::Ok:
            break;
        case FileReadStatus::OpenFailed:
            return kIniOpenFailed;
        case FileReadStatus::LengthUnknown:
            return kIniLengthUnknown;
        case FileReadStatus::ReadFailed:
            return outOfMemory ? kIniNoMemoryForBytes : kIniReadFailed;
    }

    Clear();
    const DetectedEncoding detected = DetectIniEncoding(bytes);
    encoding_ = detected.encoding;

    try {
        std::u16string text;
        if (!DecodeIniText(bytes, detected, text)) return kIniDecodeFailed;
        SplitLines(text, lines_);
    } catch (const std::bad_alloc&) {
        // The text did not fit beside the bytes; the model stays empty.
        lines_.clear();
        return kIniNoMemoryForBytes;
    }

    try {
        CIniSectionDefine* current = nullptr;
        for (const auto& line : lines_) {
            if (IsSkipped(line)) continue;
            if (IsHeader(line)) {
                auto define = std::make_unique<CIniSectionDefine>();
                define->name = Bracketed(line);
                define->lines.push_back(line);
                current = define.get();
                sections_.push_back(std::move(define));
            } else if (current != nullptr) {
                current->lines.push_back(line);
            }
        }
        for (auto& define : sections_) define->section = ParseSection(define->lines);
    } catch (const std::bad_alloc&) {
        return kIniNoMemoryForSection;
    }
    return kIniLoaded;
}

void CIniMgr::Clear() {
    lines_.clear();
    sections_.clear();
}

bool CIniMgr::HasSection(const std::u16string& name) const {
    for (const auto& define : sections_) {
        if (define->name == name) return true;
    }
    return false;
}

void CIniMgr::GetKeyNames(const std::u16string& section, std::vector<std::u16string>& keys) const {
    for (const auto& define : sections_) {
        if (define->name != section) continue;
        keys.clear();
        for (const auto& pair : define->section.pairs) keys.push_back(pair.first);
        return;
    }
}

std::u16string CIniMgr::GetValue(const std::u16string& section, const std::u16string& key) const {
    if (key.empty()) return {};
    for (const auto& define : sections_) {
        if (define->name != section) continue;
        for (const auto& pair : define->section.pairs) {
            if (pair.first == key) return pair.second;
        }
        return {};
    }
    return {};
}

}  // namespace tonedeck
