// CIniMgr::LoadFile on any bytes, then every query the device-ID groups make of the model.

#include "common/ini_mgr.h"
#include "fuzz_check.h"
#include "platform/sim/sim_file_system.h"

using namespace tonedeck;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::u16string path = u"C:\\Program Files\\Tonedeck\\AudioConfig.cfg";
    SimFileSystem files;
    files.PutFile(path, fuzz::Bytes(data, size));

    CIniMgr ini(files);
    const int result = ini.LoadFile(path);
    FUZZ_CHECK(result == kIniLoaded || result == kIniDecodeFailed);
    if (result != kIniLoaded) {
        FUZZ_CHECK(ini.sections().empty());
        return 0;
    }
    for (const auto& define : ini.sections()) {
        FUZZ_CHECK(ini.HasSection(define->name));
        std::vector<std::u16string> keys;
        ini.GetKeyNames(define->name, keys);
        for (const auto& key : keys) {
            // A key is the text before the first "=" of its line.
            FUZZ_CHECK(!key.empty() && key.find(u'=') == std::u16string::npos);
            (void)ini.GetValue(define->name, key);
        }
    }

    // A second load of the same file into the same model gives the same model.
    const std::vector<std::u16string> firstLines = ini.lines();
    const std::size_t firstSections = ini.sections().size();
    FUZZ_CHECK(ini.LoadFile(path) == kIniLoaded);
    FUZZ_CHECK(ini.lines() == firstLines);
    FUZZ_CHECK(ini.sections().size() == firstSections);
    return 0;
}
