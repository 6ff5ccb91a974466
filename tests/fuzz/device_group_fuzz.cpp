// CDeviceIdMgr::LoadGroup on any AudioConfig.cfg: both groups, and what authentication accepts.

#include <array>

#include "common/des.h"
#include "common/device_id_mgr.h"
#include "common/text.h"
#include "fuzz_check.h"
#include "platform/sim/sim_file_system.h"

using namespace tonedeck;

namespace {

void CheckGroup(CDeviceIdMgr& group, const std::u16string& path, const std::u16string& section) {
    const int result = group.LoadGroup(path, section);
    FUZZ_CHECK(result >= kGroupLoaded && result <= kGroupEmptyPart);
    FUZZ_CHECK(group.checks().size() <= group.entries().size());
    for (const auto& [pattern, code] : group.accepted()) {
        // Only a code that decodes to its own pattern is accepted, and the pattern matches
        // the device ID it spells.
        const std::string narrow = U16ToAnsi(code);
        std::array<uint8_t, kEntryPlainCapacity> plain{};
        std::size_t length = plain.size();
        FUZZ_CHECK(DecodeEntryCode(narrow.data(), narrow.size(), plain.data(), length) ==
                   kEntryOk);
        FUZZ_CHECK(!pattern.empty() && group.Matches(pattern));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::u16string path = u"C:\\Program Files\\Tonedeck\\AudioConfig.cfg";
    SimFileSystem files;
    files.PutFile(path, fuzz::Bytes(data, size));
    CDeviceIdMgr group(files);
    CheckGroup(group, path, kUsbGroupSection);
    CheckGroup(group, path, kHidGroupSection);
    return 0;
}
