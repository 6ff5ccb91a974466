#include "panel/window/language_table.h"

#include <stdexcept>

#include "common/profile_io.h"
#include "common/text.h"
#include "panel/window/value_rules.h"

namespace tonedeck {

namespace {

using S = SelectedWhen;

std::vector<LabelKey> BuildLabelKeys() {
    return {
        {u"Main", u"LabelMenu1", u"Menu1Label", S::Never},
        {u"Main", u"LabelMenu2", u"Menu2Label", S::Never},
        {u"Main", u"LabelMenu3", u"Menu3Label", S::Never},
        {u"Main", u"LabelPageEQ", u"PageEQLabel", S::Page0},
        {u"Main", u"LabelPage3D", u"Page3DLabel", S::Page1},
        {u"Main", u"LabelPageEffect", u"PageEffectLabel", S::Page2},
        {u"Main", u"LabelPageMic", u"PageMicLabel", S::Page3},
        {u"Main", u"LabelPageVirtual7ch1", u"PageVirtual7p1Label", S::Page4},
        {u"Main", u"LabelActive", u"DeviceActiveLabel", S::Never},
        {u"Main", u"LabelUnactive", u"DeviceActiveLabel", S::Never},
        {u"Main", u"LabelSync", u"SyncLabel", S::Never},
        {u"Main", u"LabelSetting", u"SettingLabel", S::Never},
        {u"Main", u"LabelSX", u"SXLabel", S::Never},
        {u"Main", u"LabelFeatures", u"FeaturesLabel", S::Never},
        {u"Main", u"LabelCompanyName", u"CompanyNameLabel", S::Never},
        {u"EQ", u"LabelEQEnable", u"EQEQENLabel", S::EqEnable},
        {u"EQ", u"LableEQ3DEnable", u"EQ3DENLabel", S::D3Enable},
        {u"EQ", u"LabelEQReset", u"EQResetLabel", S::Never},
        {u"EQ", u"LabelEQS1", u"EQS1Label", S::Preset1},
        {u"EQ", u"LabelEQS2", u"EQS2Label", S::Preset2},
        {u"EQ", u"LabelEQS3", u"EQS3Label", S::Preset3},
        {u"EQ", u"LabelEQS4", u"EQS4Label", S::Preset4},
        {u"EQ", u"LabelEQ60Hz", u"EQ60HzLabel", S::Never},
        {u"EQ", u"LabelEQ300Hz", u"EQ300HzLabel", S::Never},
        {u"EQ", u"LabelEQ1200Hz", u"EQ1200HzLabel", S::Never},
        {u"EQ", u"LabelEQ3600Hz", u"EQ3600HzLabel", S::Never},
        {u"EQ", u"LabelEQ12000Hz", u"EQ12000HzLabel", S::Never},
        {u"3D", u"Label3DEnable", u"D33DENLabel", S::D3Enable},
        {u"3D", u"Label3DFBM", u"D3FBMLabel", S::Fbm},
        {u"3D", u"Label3DReset", u"D3ResetLabel", S::Never},
        {u"3D", u"Label3DLeftChannel", u"D3LChannelLabel", S::Never},
        {u"3D", u"Label3DRightChannel", u"D3RChannelLabel", S::Never},
        {u"3D", u"Label3DConnection", u"D3ConnectLabel", S::Never},
        {u"Effect", u"LabelEffectNothing", u"EffectNonLabel", S::Effect1},
        {u"Effect", u"LabelEffectTheater", u"EffectTheaterLabel", S::Effect2},
        {u"Effect", u"LabelEffectBathroom", u"EffectBathroomLabel", S::Effect3},
        {u"Effect", u"LabelEffectLivingroom", u"EffectLivingroomLabel", S::Effect4},
        {u"Effect", u"LabelEffectStoneGallery", u"EffectStoneGalleryLabel", S::Effect5},
        {u"Mic", u"LabelMicBoost", u"MicBoostLabel", S::MicBoost},
        {u"Mic", u"LabelMicMute", u"MicMuteLabel", S::MicMute},
        {u"Mic", u"LabelMicGain", u"MicGainLabel", S::Never},
        {u"Mic", u"LabelMicValue", u"MicValueLabel", S::Never},
        {u"Virtual7ch1", u"Label7ch1Enable", u"VirtualENLabel", S::VirtualEnable},
        {u"Virtual7ch1", u"LabelVirtualClockwise", u"VirtualClockwiseLabel", S::RotateClockwise},
        {u"Virtual7ch1", u"LabelVirtualCounterclockwise", u"VirtualCounterclockwiseLabel",
         S::RotateCounterclockwise},
        {u"Virtual7ch1", u"Label7ch1Reset", u"VirtualResetLabel", S::Never},
        {u"About", u"LabelAbout", u"AboutLabel", S::Never},
        {u"Main", u"LabelWarning", u"", S::Never},
    };
}

// Field 1 of a GlobalFont key; -1 when the value or its first field is empty.
int32_t GlobalNumber(const std::u16string& value) {
    auto fields = SplitFields(value);
    return FieldGiven(fields, 0) ? ParseInteger(fields[0]) : -1;
}

}  // namespace

const std::vector<LabelKey>& LabelKeys() {
    static const std::vector<LabelKey> keys = BuildLabelKeys();
    return keys;
}

std::size_t LabelSlot(std::u16string_view key) {
    const auto& keys = LabelKeys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i].key == key) return i;
    }
    throw std::logic_error("not a label key: " + U16ToUtf8(key));
}

const std::vector<std::u16string_view>& SkinLabelKeys() {
    static const std::vector<std::u16string_view> keys = {
        u"LabelMenu1",    u"LabelMenu2",   u"LabelMenu3", u"LabelActive",
        u"LabelUnactive", u"LabelSetting", u"LabelSX"};
    return keys;
}

void ParseLabelValue(const std::u16string& value, LabelStyleEntry& entry, bool withCaption) {
    auto fields = SplitFields(value);
    if (withCaption) entry.caption = FieldOrEmpty(fields, 0).substr(0, kCaptionChars);
    struct Number {
        std::size_t field;
        int32_t* value;
        bool* given;
    };
    const Number numbers[] = {
        {1, &entry.upColor, &entry.upColorGiven},   {2, &entry.downColor, &entry.downColorGiven},
        {4, &entry.fontSize, &entry.fontSizeGiven}, {5, &entry.left, &entry.leftGiven},
        {6, &entry.top, &entry.topGiven},           {7, &entry.width, &entry.widthGiven},
        {8, &entry.height, &entry.heightGiven}};
    for (const Number& number : numbers) {
        if (number.field == 4 && FieldGiven(fields, 3)) {
            entry.fontName = fields[3].substr(0, kFontNameChars);
            entry.fontNameGiven = true;
        }
        if (!FieldGiven(fields, number.field)) continue;
        *number.value = ParseInteger(fields[number.field]);
        *number.given = true;
    }
}

void LoadLanguageTable(ProfileStore& profiles, const std::string& languageFile,
                       LanguageTable& table) {
    table.entries.fill(LabelStyleEntry{});
    auto read = [&](std::u16string_view section, std::u16string_view key) {
        std::u16string value;
        ReadProfileStringToBuffer(profiles, languageFile, std::u16string(section),
                                  std::u16string(key), value);
        return value;
    };
    table.global = GlobalLabelStyle{};
    table.global.upColor = GlobalNumber(read(u"GlobalFont", u"ColorUp"));
    table.global.downColor = GlobalNumber(read(u"GlobalFont", u"ColorDown"));
    table.global.fontName = read(u"GlobalFont", u"Font").substr(0, kFontNameChars);
    table.global.fontSize = GlobalNumber(read(u"GlobalFont", u"FontSize"));
    const auto& keys = LabelKeys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        ParseLabelValue(read(keys[i].section, keys[i].key), table.entries[i], true);
    }
}

void LoadSkinLabelStyles(ProfileStore& profiles, const std::string& skinSettingsFile,
                         LanguageTable& table) {
    for (auto key : SkinLabelKeys()) {
        std::u16string value;
        ReadProfileStringToBuffer(profiles, skinSettingsFile, u"MainLable", std::u16string(key),
                                  value);
        ParseLabelValue(value, table.Entry(key), false);
    }
}

}  // namespace tonedeck
