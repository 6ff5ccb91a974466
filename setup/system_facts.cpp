#include "setup/system_facts.h"

#include "common/system_helpers.h"

namespace tonedeck {

bool Is64BitWindows(SystemInfo& system, bool programIs64Bit) {
    return programIs64Bit || system.IsWow64().value_or(false);
}

SystemFacts TakeSystemFacts(SystemInfo& system, Payloads& payloads, bool programIs64Bit) {
    SystemFacts facts;
    if (const auto version = payloads.OwnFileVersion()) {
        std::u16string text;
        for (std::size_t i = 0; i < version->size(); ++i) {
            if (i > 0) text += u'.';
            const std::string part = std::to_string((*version)[i]);
            text.append(part.begin(), part.end());
        }
        facts.setupVersion = text;
    }
    facts.is64BitWindows = Is64BitWindows(system, programIs64Bit);
    if (const auto record = system.QueryVersion(kVersionRecordExtended)) {
        facts.isWindows7 = record->majorVersion == 6 && record->minorVersion == 1;
        facts.servicePackMajor = record->servicePackMajor;
    } else {
        system.Trace(u"***** Get Windows Version FAIL! *****\n");
    }
    return facts;
}

}  // namespace tonedeck
