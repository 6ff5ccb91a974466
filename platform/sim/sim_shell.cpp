#include "platform/sim/sim_shell.h"

#include "common/text.h"

namespace tonedeck {

namespace {
constexpr char kLinkMark[] = "LNK:";
}

bool SimShell::CreateShortcut(const std::u16string& linkPath, const std::u16string& target) {
    if (linksFail) return false;
    const std::string text = kLinkMark + U16ToUtf8(target);
    if (!files_.WriteWholeFile(linkPath, std::vector<uint8_t>(text.begin(), text.end()))) {
        return false;
    }
    ++linksSaved;
    return true;
}

std::u16string SimShell::LinkTarget(const std::u16string& linkPath) const {
    std::vector<uint8_t> bytes;
    if (const_cast<FileSystem&>(files_).ReadWholeFile(linkPath, bytes) != FileReadStatus::Ok) {
        return {};
    }
    const std::string text(bytes.begin(), bytes.end());
    if (text.rfind(kLinkMark, 0) != 0) return {};
    return Utf8ToU16(text.substr(sizeof(kLinkMark) - 1));
}

}  // namespace tonedeck
