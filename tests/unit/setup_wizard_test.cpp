// The wizard up to Next: construction, FormShow, the language page and the background window.

#include <gtest/gtest.h>

#include "setup/background_form.h"
#include "tests/unit/setup_world.h"

namespace tonedeck::setup_test {
namespace {

TEST(SetupWizard, ConstructionTracesLoadsTheConfigurationAndSetsTheIcon) {
    SetupWorld w;
    w.payloads.version = std::array<uint16_t, 4>{2, 1, 0, 17};
    auto form = w.MakeForm();
    EXPECT_EQ(w.system.traceLines,
              (std::vector<std::u16string>{u"\n", u"==> TMainForm::TMainForm\n",
                                           u"##### SourceAppFileName = TonedeckSetup.exe\n",
                                           u"##### SourceFolderFullPath = D:\\Setup\\\n"}));
    EXPECT_EQ(form->facts().setupVersion, u"2.1.0.17");
    EXPECT_EQ(form->config().InstallFolderPath, u"C:\\Program Files\\Tonedeck\\");
    EXPECT_EQ(w.view.icon, u"D:\\Setup\\Setup.ico");
    EXPECT_EQ(w.view.appTitle, u"Tonedeck Setup");
    EXPECT_EQ(form->uninstallData().uninstallString,
              u"\"C:\\Program Files\\Tonedeck\\Uninstall.exe\"");
    EXPECT_EQ(form->InstallSucceeded(), 0);
}

TEST(SetupWizard, FailedVersionQueryIsTracedAndCountsAsNotWindows7) {
    SetupWorld w;
    w.system.versionAnswers.clear();
    w.payloads.version.reset();
    auto form = w.MakeForm();
    EXPECT_EQ(w.system.traceLines[2], u"***** Get Windows Version FAIL! *****\n");
    EXPECT_FALSE(form->facts().isWindows7);
    EXPECT_EQ(form->facts().setupVersion, u"");
}

TEST(SetupWizard, MissingIconEndsConstruction) {
    SetupWorld w;
    w.view.iconFails = true;
    EXPECT_THROW(w.MakeForm(), SetupError);
}

TEST(SetupWizard, FormShowPublishesGroupsMakesThePerUserCopyAndShowsTheLanguagePage) {
    SetupWorld w;
    auto form = w.ShowForm();
    EXPECT_EQ(w.view.background, (std::vector<int>{0, 0, 800, 600}));
    EXPECT_TRUE(w.MachineText(u"SOFTWARE\\HVN USB DeviceId Group", u"1").has_value());
    EXPECT_TRUE(w.MachineText(u"SOFTWARE\\HVN HID DeviceId Group", u"1").has_value());
    EXPECT_EQ(w.files.FileBytes(kPerUserConfig), w.files.FileBytes(u"D:\\Setup\\AudioConfig.cfg"));
    EXPECT_EQ(w.view.pages, (std::vector<WizardPage>{WizardPage::kLanguage}));
    EXPECT_EQ(w.view.focusNext, 1);
    // Klingon has no display name; the list is ordered by folder name.
    EXPECT_EQ(w.view.languageItems, (std::vector<std::u16string>{u"Deutsch (DE)", u"English"}));
    EXPECT_EQ(form->languageFolders(), (std::vector<std::u16string>{u"Deutsch", u"English"}));
    EXPECT_EQ(w.view.selectedLanguage, 0);
    EXPECT_TRUE(w.view.errors.empty());
}

TEST(SetupWizard, AGroupThatDoesNotLoadEndsTheProgramSilently) {
    SetupWorld w;
    std::string config = w.FileText(u"D:\\Setup\\AudioConfig.cfg");
    config.replace(config.find("[HID_VID_PID]"), 13, "[HID_VID_PIX]");
    w.files.PutFile(u"D:\\Setup\\AudioConfig.cfg", config);
    auto form = w.ShowForm();
    EXPECT_EQ(w.view.quits, 1);
    EXPECT_TRUE(w.view.errors.empty());
    EXPECT_TRUE(w.view.pages.empty());
    EXPECT_FALSE(w.files.FileExists(kPerUserConfig));
    // The USB group was published before the HID group failed.
    EXPECT_TRUE(w.MachineText(u"SOFTWARE\\HVN USB DeviceId Group", u"1").has_value());
    EXPECT_FALSE(w.registry.KeyExists(RegistryRoot::kLocalMachine, SimRegistryView::kNative,
                                      u"SOFTWARE\\HVN HID DeviceId Group"));
}

TEST(SetupWizard, UserChoicesInAnExistingPerUserCopySurvive) {
    SetupWorld w;
    w.files.PutFile(u"C:\\Users\\user\\AppData\\Roaming\\Tonedeck\\123.ini", "profile");
    w.files.PutFile(kPerUserConfig, "[Language]\r\nDefaultLanguage=English\r\n");
    auto form = w.ShowForm();
    EXPECT_EQ(w.FileText(kPerUserConfig), "[Language]\r\nDefaultLanguage=English\r\n");
    EXPECT_EQ(w.view.selectedLanguage, 1);
    EXPECT_EQ(w.view.captions.at(WizardControl::kNextBitBtn), u"Next >");
}

TEST(SetupWizard, LabelsFollowTheirEntries) {
    SetupWorld w;
    w.files.PutFile(kPerUserConfig, "[Language]\r\nDefaultLanguage=English\r\n");
    auto form = w.ShowForm();
    EXPECT_EQ(w.view.title, u"Tonedeck Setup (V1.0.0.0)");
    EXPECT_EQ(w.view.captions.at(WizardControl::kRebootRadioButton), u"Yes");
    // "(null)" hides a label; a comma ends the caption and starts the colour field.
    EXPECT_FALSE(w.view.visible.at(WizardControl::kVersionLabel));
    EXPECT_TRUE(w.view.visible.at(WizardControl::kAudioExtLabel));
    EXPECT_EQ(w.view.captions.at(WizardControl::kAudioExtLabel), u"Audio");
    EXPECT_EQ(w.view.looks.at(WizardControl::kAudioExtLabel).fontColor, 255);
    const LabelLook& install = w.view.looks.at(WizardControl::kInstallLabel);
    EXPECT_EQ(install.fontColor, 0xFF);
    EXPECT_EQ(install.fontName, u"Arial");
    EXPECT_EQ(install.fontSize, 12);
    EXPECT_FALSE(install.left.has_value());
    EXPECT_EQ(form->labels()[static_cast<std::size_t>(SetupLabel::kWarning2)].caption,
              u"Installation failed.");
}

TEST(SetupWizard, LanguageChangeRetranslatesKeepsEarlierFieldsAndRecordsTheChoice) {
    SetupWorld w;
    w.files.PutFile(kPerUserConfig, "[Language]\r\nDefaultLanguage=English\r\n");
    auto form = w.ShowForm();
    form->ComboBoxChange(0);  // Deutsch
    EXPECT_EQ(w.view.captions.at(WizardControl::kNextBitBtn), u"Weiter >");
    EXPECT_EQ(w.view.captions.at(WizardControl::kBackBitBtn), u"");  // missing key: empty
    EXPECT_FALSE(w.view.visible.at(WizardControl::kSelectLangLabel));
    EXPECT_EQ(w.view.captions.at(WizardControl::kInstallLabel), u"Installiere...");
    EXPECT_EQ(w.view.looks.at(WizardControl::kInstallLabel).fontSize, 12);  // kept from English
    EXPECT_EQ(w.view.title, u"Tonedeck Installation (V1.0.0.0)");
    EXPECT_EQ(w.profiles.GetString(kPerUserConfig, u"Language", u"DefaultLanguage", u"", 256),
              u"Deutsch");
}

TEST(SetupWizard, NumberErrorIsShownAndSkipsTheRest) {
    SetupWorld w;
    w.files.PutFile(u"D:\\Setup\\Language\\Deutsch\\Language.ini",
                    "[Setup]\r\nLabelBackBtn=Zurueck\r\nLabelSelectLang=Sprache,red\r\n");
    w.files.PutFile(kPerUserConfig, "[Language]\r\nDefaultLanguage=Deutsch\r\n");
    auto form = w.ShowForm();
    EXPECT_EQ(w.view.errors, (std::vector<std::u16string>{u"'red' is not a valid integer value"}));
    EXPECT_TRUE(w.view.captions.empty());  // design texts stay

    w.view.errors.clear();
    form->ComboBoxChange(1);  // English: fine
    EXPECT_TRUE(w.view.errors.empty());
    form->ComboBoxChange(0);  // Deutsch again: fails, the choice is not saved
    EXPECT_EQ(w.view.errors.size(), 1u);
    EXPECT_EQ(w.profiles.GetString(kPerUserConfig, u"Language", u"DefaultLanguage", u"", 256),
              u"English");
}

TEST(SetupWizard, IntegerFields) {
    struct Case {
        std::u16string text;
        int32_t value;
    };
    const Case good[] = {{u"12", 12},
                         {u"  -7", -7},
                         {u"+3", 3},
                         {u"$ff", 255},
                         {u"0x10", 16},
                         {u"X1F", 31},
                         {u"0xFF00000F", -16777201},
                         {u"-2147483648", INT32_MIN}};
    for (const Case& c : good) EXPECT_EQ(ParseSetupInteger(c.text), c.value);
    for (const std::u16string bad : {u"", u"12 ", u"1.5", u"0x", u"2147483648", u"$123456789"}) {
        EXPECT_THROW(ParseSetupInteger(bad), SetupError);
    }
}

TEST(SetupWizard, BackgroundSizeFromTheConfiguration) {
    struct Case {
        const char* lines;
        BackgroundPlacement placement;
    };
    const Case cases[] = {
        {"", {0, 0, 1920, 1080, true}},
        {"BackgroundWidth=800\r\nBackgroundHeight=600\r\n", {0, 0, 800, 600, false}},
        {"BackgroundWidth=w800\r\nBackgroundHeight=600\r\n", {0, 0, 1920, 1080, true}},
        {"BackgroundWidth= 640px\r\nBackgroundHeight=480\r\n", {0, 0, 640, 480, false}},
        {"BackgroundWidth=-800\r\nBackgroundHeight=600\r\n", {0, 0, 1920, 1080, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        SetupWorld w;
        w.files.PutFile(u"D:\\Setup\\AudioConfig.cfg", std::string("[Install]\r\n") + c.lines);
        TBackgroundForm background(w.profiles, w.system, kSetupProgram, 1920, 1080);
        EXPECT_EQ(background.placement().width, c.placement.width);
        EXPECT_EQ(background.placement().height, c.placement.height);
        EXPECT_EQ(background.placement().fullScreen, c.placement.fullScreen);
        EXPECT_EQ(background.placement().left, 0);
    }
}

class RecordingBackground : public BackgroundView {
  public:
    void LoadImage(const std::u16string& path) override {
        if (fails) throw SetupError(u"Cannot open " + path);
        image = path;
    }
    void ShowWizard() override { ++wizardShown; }
    void ShowError(const std::u16string& text) override { errors.push_back(text); }
    bool fails = false;
    std::u16string image;
    int wizardShown = 0;
    std::vector<std::u16string> errors;
};

TEST(SetupWizard, BackgroundShowsItsPictureThenTheWizardEvenWhenThePictureFails) {
    SetupWorld w;
    TBackgroundForm background(w.profiles, w.system, kSetupProgram, 1920, 1080);
    RecordingBackground view;
    background.FormShow(view);
    EXPECT_EQ(view.image, u"D:\\Setup\\Background.bmp");
    EXPECT_EQ(view.wizardShown, 1);
    view.fails = true;
    background.FormShow(view);
    EXPECT_EQ(view.errors, (std::vector<std::u16string>{u"Cannot open D:\\Setup\\Background.bmp"}));
    EXPECT_EQ(view.wizardShown, 2);
    EXPECT_EQ(w.system.traceLines,
              (std::vector<std::u16string>{u"\n", u"==> TBackgroundForm::TBackgroundForm\n",
                                           u"==> TBackgroundForm::FormShow\n",
                                           u"==> TBackgroundForm::FormShow\n"}));
}

}  // namespace
}  // namespace tonedeck::setup_test
