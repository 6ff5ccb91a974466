#include "panel/window/button_tags.h"

#include <vector>

namespace tonedeck {

namespace {

using B = ButtonKind;

const std::vector<ButtonTag>& Table() {
    static const std::vector<ButtonTag> table = {
        {0, B::Push, u"Main", u"CloseImageUp", u"CloseImageDown", u""},
        {1, B::Push, u"Main", u"MinimizeImageUp", u"MinimizeImageDown", u""},
        {2, B::Push, u"Main", u"Menu1ImageUp", u"Menu1ImageDown", u"LabelMenu1"},
        {3, B::Push, u"Main", u"Menu2ImageUp", u"Menu2ImageDown", u"LabelMenu2"},
        {4, B::Push, u"Main", u"Menu3ImageUp", u"Menu3ImageDown", u"LabelMenu3"},
        {5, B::Push, u"EQ", u"EQResetImageUp", u"EQResetImageDown", u"LabelEQReset"},
        {6, B::Push, u"3D", u"D3ResetImageUp", u"D3ResetImageDown", u"Label3DReset"},
        {7, B::Switch, u"EQ", u"EQEQENImageUp", u"EQEQENImageDown", u"LabelEQEnable"},
        {8, B::Switch, u"EQ", u"EQ3DENImageUp", u"EQ3DENImageDown", u"LableEQ3DEnable"},
        {9, B::Radio, u"EQ", u"EQS1ImageUp", u"EQS1ImageDown", u"LabelEQS1"},
        {10, B::Radio, u"EQ", u"EQS2ImageUp", u"EQS2ImageDown", u"LabelEQS1"},
        {11, B::Radio, u"EQ", u"EQS3ImageUp", u"EQS3ImageDown", u"LabelEQS1"},
        {12, B::Radio, u"EQ", u"EQS4ImageUp", u"EQS4ImageDown", u"LabelEQS1"},
        {13, B::Switch, u"3D", u"D3FBMImageUp", u"D3FBMImageDown", u"Label3DFBM"},
        {14, B::Cycle, u"3D", u"D3AlphaIndepImage", u"", u""},
        {15, B::Cycle, u"3D", u"D3BetaIndepImage", u"", u""},
        // By tag, not by component name: tag 18 is the bathroom button, 20 the stone gallery.
        {16, B::Radio, u"Effect", u"EffectButtonNonImageUp", u"EffectButtonNonImageDown",
         u"LabelEffectNothing"},
        {17, B::Radio, u"Effect", u"EffectButtonTheaterImageUp", u"EffectButtonTheaterImageDown",
         u"LabelEffectNothing"},
        {18, B::Radio, u"Effect", u"EffectButtonBathroomImageUp", u"EffectButtonBathroomImageDown",
         u"LabelEffectNothing"},
        {19, B::Radio, u"Effect", u"EffectButtonLivingroomImageUp",
         u"EffectButtonLivingroomImageDown", u"LabelEffectNothing"},
        {20, B::Radio, u"Effect", u"EffectButtonStoneGalleryImageUp",
         u"EffectButtonStoneGalleryImageDown", u"LabelEffectNothing"},
        {21, B::Switch, u"Mic", u"MicBoostImageUp", u"MicBoostImageDown", u"LabelMicBoost"},
        {22, B::Switch, u"Mic", u"MicMuteImageUp", u"MicMuteImageDown", u"LabelMicMute"},
        {23, B::PageTab, u"", u"", u"", u"LabelPageEQ"},
        {24, B::PageTab, u"", u"", u"", u"LabelPageEQ"},
        {25, B::PageTab, u"", u"", u"", u"LabelPageEQ"},
        {26, B::PageTab, u"", u"", u"", u"LabelPageEQ"},
        {27, B::PageTab, u"", u"", u"", u"LabelPageEQ"},
        {28, B::SyncToggle, u"", u"", u"", u"LabelSync"},
        {47, B::Switch, u"Virtual7ch1", u"VirtualEnableImageUp", u"VirtualEnableImageDown",
         u"Label7ch1Enable"},
        {48, B::Push, u"Virtual7ch1", u"VirtualResetUpImage", u"VirtualResetDownImage",
         u"Label7ch1Reset"},
        {49, B::Switch, u"Virtual7ch1", u"VirtualClockwiseUpImage", u"VirtualClockwiseDownImage",
         u"LabelVirtualClockwise"},
        {50, B::Switch, u"Virtual7ch1", u"VirtualCounterclockwiseUpImage",
         u"VirtualCounterclockwiseDownImage", u"LabelVirtualCounterclockwise"},
        {51, B::Switch, u"Main", u"LedImageUp", u"LedImageDown", u""},
    };
    return table;
}

}  // namespace

const ButtonTag* ButtonForTag(int tag) {
    for (const ButtonTag& entry : Table()) {
        if (entry.tag == tag) return &entry;
    }
    return nullptr;
}

bool LockedWithoutDevice(int tag) {
    return tag == 2 || tag == 3 || (tag >= 5 && tag <= 13) || (tag >= 16 && tag <= 22) ||
           tag == 47 || tag == 48 || tag == 51;
}

}  // namespace tonedeck
