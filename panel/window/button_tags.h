#pragma once
// What each tag of the main window is as a button: its kind, pictures and label entry.

#include <string_view>

namespace tonedeck {

enum class ButtonKind { Push, Switch, Radio, Cycle, PageTab, SyncToggle };

struct ButtonTag {
    int tag;
    ButtonKind kind;
    std::u16string_view section;   // skin section of the pictures
    std::u16string_view upKey;     // normal picture
    std::u16string_view downKey;   // pressed or selected picture
    std::u16string_view labelKey;  // language entry whose colours the label takes; may be empty
};

// nullptr for tags that are no button (sliders, bars, speakers, untagged controls).
const ButtonTag* ButtonForTag(int tag);

// Tags a press does nothing for but warn while no device is present.
bool LockedWithoutDevice(int tag);

}  // namespace tonedeck
