#include "panel/window/skin_settings.h"

#include <stdexcept>

#include "common/profile_io.h"
#include "common/text.h"
#include "panel/window/value_rules.h"

namespace tonedeck {

SkinImageEntry& SkinSettings::Entry(std::u16string_view section, std::u16string_view key) {
    auto slot = SkinImageSlot(section, key);
    if (!slot) throw std::logic_error("not a skin image key: " + U16ToUtf8(key));
    return entries[*slot];
}

const SkinImageEntry& SkinSettings::Entry(std::u16string_view section,
                                          std::u16string_view key) const {
    return const_cast<SkinSettings*>(this)->Entry(section, key);
}

SkinImageEntry ParseSkinImageValue(const std::u16string& value) {
    SkinImageEntry entry;
    auto fields = SplitFields(value);
    if (fields.empty()) return entry;
    entry.fileName = fields[0].substr(0, kSkinFileNameChars);
    struct Slot {
        int32_t* value;
        bool* given;
    };
    const Slot slots[] = {{&entry.left, &entry.leftGiven},
                          {&entry.top, &entry.topGiven},
                          {&entry.width, &entry.widthGiven},
                          {&entry.height, &entry.heightGiven}};
    for (std::size_t i = 0; i < 4; ++i) {
        if (!FieldGiven(fields, i + 1)) continue;
        *slots[i].value = ParseInteger(fields[i + 1]);
        *slots[i].given = true;
    }
    return entry;
}

namespace {

// Field `index` of a layout key: present and an integer, or a number error.
int32_t LayoutField(const std::vector<std::u16string>& fields, std::size_t index) {
    return ParseInteger(FieldOrEmpty(fields, index));
}

}  // namespace

void LoadSkinSettings(ProfileStore& profiles, const std::string& settingsFile,
                      SkinSettings& settings, ControlModel& controls) {
    settings.entries.fill(SkinImageEntry{});
    std::size_t slot = 0;
    for (const SkinKey& key : SkinKeys()) {
        std::u16string value;
        ReadProfileStringToBuffer(profiles, settingsFile, std::u16string(key.section),
                                  std::u16string(key.key), value);
        if (key.kind == SkinKeyKind::Image) {
            settings.entries[slot++] = ParseSkinImageValue(value);
            continue;
        }
        auto fields = SplitFields(value);
        SkinLayout& layout = settings.layout;
        switch (key.kind) {
            case SkinKeyKind::BackNotebook: {
                int32_t left = LayoutField(fields, 0);
                int32_t top = LayoutField(fields, 1);
                int32_t width = LayoutField(fields, 2);
                int32_t height = LayoutField(fields, 3);
                Control& book = controls[controls.Get(key.control)];
                book.left = left;
                book.top = top;
                book.width = width;
                book.height = height;
                // The pages fill the notebook.
                for (ControlId page : controls.Children(controls.Get(key.control))) {
                    controls[page].width = width;
                    controls[page].height = height;
                }
                break;
            }
            case SkinKeyKind::PanelSize: {
                int32_t width = LayoutField(fields, 0);
                int32_t height = LayoutField(fields, 1);
                Control& panel = controls[controls.Get(key.control)];
                panel.width = width;
                panel.height = height;
                break;
            }
            case SkinKeyKind::EqSlider: {
                int32_t top = LayoutField(fields, 0);
                int32_t range = LayoutField(fields, 1);
                layout.EqSliderTop = top;
                layout.SliderRange = range;
                break;
            }
            case SkinKeyKind::MicSlider: {
                int32_t top = LayoutField(fields, 0);
                int32_t range = LayoutField(fields, 1);
                layout.MicSliderTop = top;
                layout.SliderRange = range;
                break;
            }
            case SkinKeyKind::MicProgressLength:
                layout.MicMeterLength = LayoutField(fields, 0);
                break;
            case SkinKeyKind::VirtualCenter: {
                layout.PreviousSpeakerRadius = layout.SpeakerRadius;
                int32_t x = LayoutField(fields, 0);
                int32_t y = LayoutField(fields, 1);
                int32_t radius = LayoutField(fields, 2);
                layout.SpeakerCenterX = x;
                layout.SpeakerCenterY = y;
                layout.SpeakerRadius = radius;
                break;
            }
            case SkinKeyKind::Image:
                break;
        }
    }
}

void ApplySkinImage(const SkinImageEntry& entry, Control& control,
                    const std::u16string& picturePath, PictureSource& pictures) {
    if (entry.fileName.empty()) {
        control.visible = false;
    } else {
        PictureSize size = pictures.Load(picturePath);
        control.visible = true;
        control.picture = picturePath;
        control.pictureWidth = size.width;
        control.pictureHeight = size.height;
    }
    if (entry.leftGiven) control.left = entry.left;
    if (entry.topGiven) control.top = entry.top;
    control.autoSize = false;
    if (entry.widthGiven) control.width = entry.width;
    if (entry.heightGiven) control.height = entry.height;
    if (!entry.widthGiven && !entry.heightGiven) {
        control.autoSize = true;
        if (control.pictureWidth > 0 || control.pictureHeight > 0) {
            control.width = control.pictureWidth;
            control.height = control.pictureHeight;
        }
    }
}

}  // namespace tonedeck
