#include "panel/window/skin_keys.h"

namespace tonedeck {

namespace {

using K = SkinKeyKind;

std::vector<SkinKey> BuildKeys() {
    std::vector<SkinKey> keys;
    auto images = [&](std::u16string_view section,
                      std::initializer_list<std::u16string_view> names) {
        for (auto name : names) keys.push_back({section, name, K::Image, {}});
    };
    images(u"Main", {u"MainFormImage", u"CloseImageUp", u"CloseImageDown", u"MinimizeImageUp",
                     u"MinimizeImageDown", u"DeviceActiveImage", u"Menu1ImageUp", u"Menu1ImageDown",
                     u"Menu2ImageUp", u"Menu2ImageDown", u"Menu3ImageUp", u"Menu3ImageDown",
                     u"LogoImage", u"LedImageUp", u"LedImageDown"});
    keys.push_back({u"Main", u"BackNotebook", K::BackNotebook, u"BackNotebook"});
    images(u"EQ", {u"Back_EQImage",        u"EQEQENImageUp",       u"EQEQENImageDown",
                   u"EQ3DENImageUp",       u"EQ3DENImageDown",     u"EQResetImageUp",
                   u"EQResetImageDown",    u"EQS1ImageUp",         u"EQS1ImageDown",
                   u"EQS2ImageUp",         u"EQS2ImageDown",       u"EQS3ImageUp",
                   u"EQS3ImageDown",       u"EQS4ImageUp",         u"EQS4ImageDown",
                   u"EQButtonLineImage1",  u"EQButtonLineImage2",  u"EQButtonLineImage3",
                   u"EQButtonLineImage4",  u"EQButtonLineImage5",  u"EQGraduationImage",
                   u"EQ60HzBarImage",      u"EQ300HzBarImage",     u"EQ1200HzBarImage",
                   u"EQ3600HzBarImage",    u"EQ12000HzBarImage",   u"EQ60HzSliderImage",
                   u"EQ300HzSliderImage",  u"EQ1200HzSliderImage", u"EQ3600HzSliderImage",
                   u"EQ12000HzSliderImage"});
    keys.push_back({u"EQ", u"EQPanel", K::PanelSize, u"EQPanel"});
    keys.push_back({u"EQ", u"EQSlider", K::EqSlider, {}});
    images(u"3D", {u"Back_3DImage",
                   u"D33DENImageUp",
                   u"D33DENImageDown",
                   u"D3FBMImageUp",
                   u"D3FBMImageDown",
                   u"D3ResetImageUp",
                   u"D3ResetImageDown",
                   u"D3LChannelImage",
                   u"D3RChannelImage",
                   u"D3ConnectionImage",
                   u"D3AlphaIndepImage",
                   u"D3AlphaDepImage",
                   u"D3AlphaInvImage",
                   u"D3BetaIndepImage",
                   u"D3BetaDepImage",
                   u"D3BetaInvImage",
                   u"D3ButtonLineImage1",
                   u"D3ButtonLineImage2",
                   u"D3LAlphaGraduationImage",
                   u"D3LBetaGraduationImage",
                   u"D3RAlphaGraduationImage",
                   u"D3RBetaGraduationImage",
                   u"D3LAlphaBarImage",
                   u"D3LBetaBarImage",
                   u"D3RAlphaBarImage",
                   u"D3RBetaBarImage",
                   u"D3LAlphaSliderImage",
                   u"D3LBetaSliderImage",
                   u"D3RAlphaSliderImage",
                   u"D3RBetaSliderImage"});
    images(u"Effect", {u"Back_EffectImage",
                       u"EffectButtonNonImageUp",
                       u"EffectButtonNonImageDown",
                       u"EffectButtonTheaterImageUp",
                       u"EffectButtonTheaterImageDown",
                       u"EffectButtonBathroomImageUp",
                       u"EffectButtonBathroomImageDown",
                       u"EffectButtonLivingroomImageUp",
                       u"EffectButtonLivingroomImageDown",
                       u"EffectButtonStoneGalleryImageUp",
                       u"EffectButtonStoneGalleryImageDown",
                       u"EffectButtonLineImage1",
                       u"EffectButtonLineImage2",
                       u"EffectButtonLineImage3",
                       u"EffectButtonLineImage4",
                       u"EffectPicNonImage",
                       u"EffectPicTheaterImage",
                       u"EffectPicBathroomImage",
                       u"EffectPicLivingroomImage",
                       u"EffectPicStoneGalleryImage"});
    keys.push_back({u"Effect", u"EffectPanel", K::PanelSize, u"EffectPanel"});
    images(u"Mic", {u"Back_MicImage", u"MicBoostImageUp", u"MicBoostImageDown", u"MicMuteImageUp",
                    u"MicMuteImageDown", u"MicButtonLineImage", u"MicPicImage", u"MicProgressImage",
                    u"MicGainImage", u"MicGraduationImage", u"MicBarImage", u"MicSliderImage",
                    u"MicValueImage"});
    keys.push_back({u"Mic", u"MicPanel", K::PanelSize, u"MicPanel"});
    keys.push_back({u"Mic", u"MicSlider", K::MicSlider, {}});
    keys.push_back({u"Mic", u"MicProgressLength", K::MicProgressLength, {}});
    images(u"Virtual7ch1",
           {u"Back_Virtual7p1Image", u"VirtualEnableImageUp", u"VirtualEnableImageDown",
            u"VirtualClockwiseUpImage", u"VirtualClockwiseDownImage",
            u"VirtualCounterclockwiseUpImage", u"VirtualCounterclockwiseDownImage",
            u"VirtualResetUpImage", u"VirtualResetDownImage", u"VirtualPicImage", u"VirtualCImage",
            u"VirtualLImage", u"VirtualLSImage", u"VirtualLBImage", u"VirtualRBImage",
            u"VirtualRSImage", u"VirtualRImage", u"VirtualSUBImage"});
    keys.push_back({u"Virtual7ch1", u"VirtualPanel", K::PanelSize, u"Virtual7p1Panel"});
    keys.push_back({u"Virtual7ch1", u"VirtualCenter", K::VirtualCenter, {}});
    images(u"About", {u"LogoImage"});
    return keys;
}

using R = PictureRule;
using F = StateFlag;

std::vector<SkinPicture> BuildPictures() {
    std::vector<SkinPicture> p;
    auto same = [&](std::u16string_view section, std::initializer_list<std::u16string_view> names) {
        for (auto name : names) p.push_back({name, section, {name}});
    };
    auto up = [&](std::u16string_view control, std::u16string_view section,
                  std::u16string_view upKey, std::u16string_view downKey) {
        p.push_back({control, section, {upKey, downKey}});
    };
    auto onOff = [&](std::u16string_view control, std::u16string_view section,
                     std::u16string_view upKey, std::u16string_view downKey, StateFlag flag) {
        p.push_back({control, section, {upKey, downKey}, R::WhileOn, flag});
    };
    same(u"Main", {u"MainFormImage"});
    up(u"CloseImage", u"Main", u"CloseImageUp", u"CloseImageDown");
    up(u"MinimizeImage", u"Main", u"MinimizeImageUp", u"MinimizeImageDown");
    same(u"Main", {u"DeviceActiveImage"});
    up(u"Menu1Image", u"Main", u"Menu1ImageUp", u"Menu1ImageDown");
    up(u"Menu2Image", u"Main", u"Menu2ImageUp", u"Menu2ImageDown");
    up(u"Menu3Image", u"Main", u"Menu3ImageUp", u"Menu3ImageDown");
    onOff(u"LEDImage", u"Main", u"LedImageUp", u"LedImageDown", F::LedOn);
    same(u"Main", {u"LogoImage"});

    same(u"EQ", {u"Back_EQImage"});
    onOff(u"EQEQENImage", u"EQ", u"EQEQENImageUp", u"EQEQENImageDown", F::EqEnable);
    onOff(u"EQ3DENImage", u"EQ", u"EQ3DENImageUp", u"EQ3DENImageDown", F::D3Enable);
    up(u"EQResetImage", u"EQ", u"EQResetImageUp", u"EQResetImageDown");
    p.push_back({u"EQS1Image", u"EQ", {u"EQS1ImageUp", u"EQS1ImageDown"}, R::PresetIs, F::None, 1});
    p.push_back({u"EQS2Image", u"EQ", {u"EQS2ImageUp", u"EQS2ImageDown"}, R::PresetIs, F::None, 2});
    p.push_back({u"EQS3Image", u"EQ", {u"EQS3ImageUp", u"EQS3ImageDown"}, R::PresetIs, F::None, 3});
    p.push_back({u"EQS4Image", u"EQ", {u"EQS4ImageUp", u"EQS4ImageDown"}, R::PresetIs, F::None, 4});
    same(u"EQ", {u"EQButtonLineImage1", u"EQButtonLineImage2", u"EQButtonLineImage3",
                 u"EQButtonLineImage4", u"EQButtonLineImage5", u"EQGraduationImage",
                 u"EQ60HzBarImage", u"EQ300HzBarImage", u"EQ1200HzBarImage", u"EQ3600HzBarImage",
                 u"EQ12000HzBarImage", u"EQ60HzSliderImage", u"EQ300HzSliderImage",
                 u"EQ1200HzSliderImage", u"EQ3600HzSliderImage", u"EQ12000HzSliderImage"});

    same(u"3D", {u"Back_3DImage"});
    onOff(u"D33DENImage", u"3D", u"D33DENImageUp", u"D33DENImageDown", F::D3Enable);
    onOff(u"D3FBMImage", u"3D", u"D3FBMImageUp", u"D3FBMImageDown", F::Fbm);
    up(u"D3ResetImage", u"3D", u"D3ResetImageUp", u"D3ResetImageDown");
    same(u"3D", {u"D3LChannelImage", u"D3RChannelImage", u"D3ConnectionImage"});
    p.push_back({u"D3AlphaImage",
                 u"3D",
                 {u"D3AlphaIndepImage", u"D3AlphaDepImage", u"D3AlphaInvImage"},
                 R::LinkMode,
                 F::AlphaLinkMode});
    p.push_back({u"D3BetaImage",
                 u"3D",
                 {u"D3BetaIndepImage", u"D3BetaDepImage", u"D3BetaInvImage"},
                 R::LinkMode,
                 F::BetaLinkMode});
    same(u"3D", {u"D3ButtonLineImage1", u"D3ButtonLineImage2", u"D3LAlphaGraduationImage",
                 u"D3LBetaGraduationImage", u"D3RAlphaGraduationImage", u"D3RBetaGraduationImage",
                 u"D3LAlphaBarImage", u"D3LBetaBarImage", u"D3RAlphaBarImage", u"D3RBetaBarImage",
                 u"D3LAlphaSliderImage", u"D3LBetaSliderImage", u"D3RAlphaSliderImage",
                 u"D3RBetaSliderImage"});

    same(u"Effect", {u"Back_EffectImage"});
    // The buttons go by tag: the third one (tag 18) is named after the stone gallery but is the
    // bathroom button, and the fifth (tag 20) the other way round.
    p.push_back({u"EffectButtonNonImage",
                 u"Effect",
                 {u"EffectButtonNonImageUp", u"EffectButtonNonImageDown"},
                 R::EffectIs,
                 F::None,
                 1});
    p.push_back({u"EffectButtonTheaterImage",
                 u"Effect",
                 {u"EffectButtonTheaterImageUp", u"EffectButtonTheaterImageDown"},
                 R::EffectIs,
                 F::None,
                 2});
    p.push_back({u"EffectButtonStoneGalleryImage",
                 u"Effect",
                 {u"EffectButtonBathroomImageUp", u"EffectButtonBathroomImageDown"},
                 R::EffectIs,
                 F::None,
                 3});
    p.push_back({u"EffectButtonLivingroomImage",
                 u"Effect",
                 {u"EffectButtonLivingroomImageUp", u"EffectButtonLivingroomImageDown"},
                 R::EffectIs,
                 F::None,
                 4});
    p.push_back({u"EffectButtonBathroomImage",
                 u"Effect",
                 {u"EffectButtonStoneGalleryImageUp", u"EffectButtonStoneGalleryImageDown"},
                 R::EffectIs,
                 F::None,
                 5});
    same(u"Effect", {u"EffectButtonLineImage1", u"EffectButtonLineImage2",
                     u"EffectButtonLineImage3", u"EffectButtonLineImage4"});
    p.push_back({u"EffectPicImage",
                 u"Effect",
                 {u"EffectPicNonImage", u"EffectPicTheaterImage", u"EffectPicBathroomImage",
                  u"EffectPicLivingroomImage", u"EffectPicStoneGalleryImage"},
                 R::EffectPicture});

    same(u"Mic", {u"Back_MicImage"});
    onOff(u"MicBoostImage", u"Mic", u"MicBoostImageUp", u"MicBoostImageDown", F::MicBoost);
    onOff(u"MicMuteImage", u"Mic", u"MicMuteImageUp", u"MicMuteImageDown", F::MicMute);
    same(u"Mic", {u"MicButtonLineImage", u"MicPicImage"});
    p.push_back({u"MicProgressImage", u"Mic", {u"MicProgressImage"}, R::EmptyBar});
    same(u"Mic", {u"MicGainImage", u"MicGraduationImage", u"MicBarImage", u"MicSliderImage",
                  u"MicValueImage"});

    same(u"Virtual7ch1", {u"Back_Virtual7p1Image"});
    onOff(u"VirtualEnableImage", u"Virtual7ch1", u"VirtualEnableImageUp", u"VirtualEnableImageDown",
          F::VirtualEnable);
    onOff(u"VirtualClockwiseImage", u"Virtual7ch1", u"VirtualClockwiseUpImage",
          u"VirtualClockwiseDownImage", F::RotateClockwise);
    onOff(u"VirtualCounterclockwiseImage", u"Virtual7ch1", u"VirtualCounterclockwiseUpImage",
          u"VirtualCounterclockwiseDownImage", F::RotateCounterclockwise);
    up(u"VirtualResetImage", u"Virtual7ch1", u"VirtualResetUpImage", u"VirtualResetDownImage");
    same(u"Virtual7ch1", {u"VirtualPicImage", u"VirtualCImage", u"VirtualLImage", u"VirtualLSImage",
                          u"VirtualLBImage", u"VirtualRBImage", u"VirtualRSImage", u"VirtualRImage",
                          u"VirtualSUBImage"});
    return p;
}

}  // namespace

const std::vector<SkinKey>& SkinKeys() {
    static const std::vector<SkinKey> keys = BuildKeys();
    return keys;
}

std::optional<std::size_t> SkinImageSlot(std::u16string_view section, std::u16string_view key) {
    std::size_t slot = 0;
    for (const auto& entry : SkinKeys()) {
        if (entry.kind != SkinKeyKind::Image) continue;
        if (entry.section == section && entry.key == key) return slot;
        ++slot;
    }
    return std::nullopt;
}

const std::vector<SkinPicture>& SkinPictures() {
    static const std::vector<SkinPicture> pictures = BuildPictures();
    return pictures;
}

}  // namespace tonedeck
