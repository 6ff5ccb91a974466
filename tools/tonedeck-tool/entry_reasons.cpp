#include "tools/tonedeck-tool/entry_reasons.h"

#include "tools/tonedeck-tool/tool_text.h"

namespace tonedeck::tool {

std::string DescribeVerdict(const EntryCheck& check) {
    switch (check.verdict) {
        case EntryVerdict::kAccepted:
            return "accepted";
        case EntryVerdict::kNoComma:
            return "no comma between pattern and code";
        case EntryVerdict::kEmptyPattern:
            return "empty pattern (stops the authentication of the group)";
        case EntryVerdict::kEmptyCode:
            return "empty code (stops the authentication of the group)";
        case EntryVerdict::kBadBase64:
            return "the code is not valid Base64";
        case EntryVerdict::kDesFailed:
            return "the code does not decrypt (DES failure)";
        case EntryVerdict::kOtherPattern:
            return "the code was made for another pattern: " + Quoted(check.decoded);
        case EntryVerdict::kDuplicate:
            return "duplicate of a pattern accepted before (the first one is kept)";
    }
    return "unknown";
}

std::string DescribeLoadGroup(int code) {
    switch (code) {
        case kGroupLoaded:
            return "loaded";
        case kGroupFileFailed:
            return "the file failed to load";
        case kGroupNoSection:
            return "the file has no such section";
        case kGroupNoKeys:
            return "the section has no keys";
        case kGroupEmptyPart:
            return "an entry with an empty pattern or code stopped the authentication";
    }
    return "unknown result";
}

}  // namespace tonedeck::tool
