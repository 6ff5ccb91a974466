#include "panel/settings/lock_out.h"

namespace tonedeck {

namespace {

bool InRange(int tag, int first, int last) { return tag >= first && tag <= last; }

}  // namespace

bool IsButtonLockedWithoutDevice(int tag) {
    return tag == 2 || tag == 3 || InRange(tag, 5, 13) || InRange(tag, 16, 22) || tag == 47 ||
           tag == 48 || tag == 51;
}

bool IsPageTab(int tag) { return InRange(tag, 23, 27); }

bool IsDragControl(int tag) {
    return InRange(tag, 29, 38) || InRange(tag, 39, 46) || InRange(tag, 129, 133) || tag == 138;
}

bool PressLockedOut(int tag, bool devicePresent) {
    if (devicePresent) return false;
    return IsButtonLockedWithoutDevice(tag) || IsPageTab(tag) || IsDragControl(tag);
}

}  // namespace tonedeck
