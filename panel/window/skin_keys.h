#pragma once
// The keys of SkinSetting.ini in reading order, and which control each picture goes to.

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace tonedeck {

enum class SkinKeyKind {
    Image,
    BackNotebook,  // left, top, width, height of BackNotebook
    PanelSize,     // width, height of a page panel
    EqSlider,      // EqSliderTop, SliderRange
    MicSlider,     // MicSliderTop, SliderRange
    MicProgressLength,
    VirtualCenter,  // SpeakerCenterX, SpeakerCenterY, SpeakerRadius
};

struct SkinKey {
    std::u16string_view section;
    std::u16string_view key;
    SkinKeyKind kind;
    std::u16string_view control;  // layout keys that size a control; empty otherwise
};

inline constexpr std::size_t kSkinImageSlots = 128;

// Every key, section by section, in the order LoadSkinSettings reads them.
const std::vector<SkinKey>& SkinKeys();
// The fixed slot of an image key (0 to 127); nullopt for other names.
std::optional<std::size_t> SkinImageSlot(std::u16string_view section, std::u16string_view key);

// The state that picks between the pictures of one control.
enum class PictureRule {
    Always,         // the first key
    WhileOn,        // second key while the state flag is on
    PresetIs,       // second key while CurrentPreset equals `value`
    EffectIs,       // second key while CurrentEffect equals `value`
    LinkMode,       // first key for -1 and 0, second for 1, third for 2
    EffectPicture,  // key CurrentEffect - 1 for effects 1 to 5; left alone otherwise
    EmptyBar,       // first key with its width forced to 0
};

enum class StateFlag {
    None,
    LedOn,
    EqEnable,
    D3Enable,
    Fbm,
    MicBoost,
    MicMute,
    VirtualEnable,
    RotateClockwise,
    RotateCounterclockwise,
    AlphaLinkMode,
    BetaLinkMode,
};

struct SkinPicture {
    std::u16string_view control;
    std::u16string_view section;
    std::vector<std::u16string_view> keys;
    PictureRule rule = PictureRule::Always;
    StateFlag flag = StateFlag::None;
    int value = 0;
};

// Every picture of the main window in the order ApplySkin applies them.
const std::vector<SkinPicture>& SkinPictures();

}  // namespace tonedeck
