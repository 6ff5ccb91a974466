#include <gtest/gtest.h>

#include "panel/window/folder_menu.h"
#include "panel/window/window_definition.h"
#include "platform/sim/sim_file_system.h"
#include "window_test_fixture.h"

namespace tonedeck {
namespace {

TEST(WindowDefinition, RejectsBrokenLinesByName) {
    const char* bad[] = {
        "Form F - 0 0 0 10 10\nImage A Nowhere 0 0 0 1 1\n",
        "Image A F 0 0 0 1 1\n",
        "Form F - 0 0 0 10 10\nImage A F 0 0 0 1\n",
        "Form F - 0 0 0 10 10\nWidget A F 0 0 0 1 1\n",
        "Form F - 0 0 0 10 10\nImage A F 0 0 0 1 1\nImage A F 0 0 0 1 1\n",
        "Form F - 0 0 0 10 10\nImage A F x 0 0 1 1\n",
        "Form F - 0 0 0 10 10\nImage A F 0 0 0 1 1 shiny\n",
    };
    for (const char* text : bad)
        EXPECT_THROW(ParseWindowDefinitions(text), std::invalid_argument) << text;
}

TEST(WindowDefinition, ShippedMainWindowHasItsComponents) {
    ControlModel controls = MainWindowDefinition();
    const Control& form = controls[0];
    EXPECT_EQ(form.name, u"TAudioMainForm");
    EXPECT_EQ(form.width, 800);
    EXPECT_EQ(form.height, 500);
    EXPECT_EQ(controls.Children(controls.Get(u"BackNotebook")).size(), 5u);
    EXPECT_FALSE(controls[controls.Get(u"Page3DLabel")].enabled);
    EXPECT_FALSE(controls[controls.Get(u"SyncImage")].visible);
    EXPECT_EQ(controls[controls.Get(u"DeviceActiveLabel")].caption, u"Device Unactive");
    // The effect buttons go by tag, whatever their names say.
    EXPECT_EQ(controls[controls.Get(u"EffectButtonStoneGalleryImage")].tag, 18);
    EXPECT_EQ(controls[controls.Get(u"EffectButtonBathroomImage")].tag, 20);
    for (const auto& key : LabelKeys()) {
        if (key.label.empty() || key.key == u"LabelAbout") continue;
        EXPECT_TRUE(controls.Find(key.label)) << U16ToUtf8(key.label);
    }
    ControlModel about = AboutWindowDefinition();
    EXPECT_EQ(about[about.Get(u"AboutLabel")].left, 88);
    EXPECT_EQ(about[about.Get(u"LOGOQ7Image")].width, 57);
}

TEST(WindowDefinition, TagLookupTakesTheLastComponent) {
    auto forms = ParseWindowDefinitions(
        "Form F - 0 0 0 100 100\nImage First F 7 0 0 1 1\nLabel L F 7 0 0 1 1\n"
        "Image Second F 7 0 0 1 1\n");
    const ControlModel& model = forms.at(u"F");
    EXPECT_EQ(model[*model.LastImageWithTag(7)].name, u"Second");
    EXPECT_EQ(model[*model.LastLabelWithTag(7)].name, u"L");
    EXPECT_FALSE(model.LastImageWithTag(8));
}

TEST(HitTesting, FindsTheTopMostControlAtAnyDepthDisabledIncluded) {
    auto forms = ParseWindowDefinitions(
        "Form F - 0 0 0 300 300\n"
        "Notebook Book F 0 10 10 200 200\n"
        "Page P0 Book 0 0 0 200 200\n"
        "Panel Panel0 P0 0 0 0 200 200\n"
        "Image Back Panel0 0 0 0 200 200\n"
        "Panel Inner Panel0 0 50 50 100 100\n"
        "Image Deep Inner 5 10 10 20 20 disabled\n"
        "Image Hidden Inner 6 10 10 20 20 hidden\n"
        "Page P1 Book 0 0 0 200 200\n"
        "Panel Panel1 P1 0 0 0 200 200\n"
        "Image Other Panel1 9 0 0 200 200\n");
    ControlModel& model = forms.at(u"F");
    const ControlId panel = model.Get(u"Panel0");
    auto name = [&](std::optional<ControlId> id) {
        return id ? U16ToUtf8(model[*id].name) : std::string("none");
    };
    EXPECT_EQ(name(model.ControlAt(panel, {65, 65}, true)), "Deep");
    EXPECT_EQ(name(model.ControlAt(panel, {65, 65}, false)), "Inner");
    EXPECT_EQ(name(model.ControlAt(panel, {55, 55}, true)), "Inner");
    EXPECT_EQ(name(model.ControlAt(panel, {5, 5}, true)), "Back");
    EXPECT_EQ(name(model.ControlAt(panel, {250, 5}, true)), "none");
    // From the form the showing page decides.
    EXPECT_EQ(name(model.ControlAt(0, {20, 20}, true)), "Back");
    model[model.Get(u"Book")].pageIndex = 1;
    EXPECT_EQ(name(model.ControlAt(0, {20, 20}, true)), "Other");
    EXPECT_FALSE(model.Showing(model.Get(u"Deep")));
    EXPECT_EQ(model.ClientOrigin(model.Get(u"Deep")).x, 10 + 50 + 10);
}

TEST(FolderMenus, SortedWithoutRegardToCaseHiddenAndSystemLeftOut) {
    SimFileSystem files;
    for (auto name : {u"beta", u"Alpha", u"gamma", u"English", u"deutsch", u"Fran\u00e7ais",
                      u".svn", u"Secret", u"Sys"}) {
        files.CreateFolder(u"C:\\Root");
        files.CreateFolder(u"C:\\Root\\" + std::u16string(name));
    }
    files.PutFile(u"C:\\Root\\file.txt", "x");
    files.SetFolderAttributes(u"C:\\Root\\Secret", true, false);
    files.SetFolderAttributes(u"C:\\Root\\Sys", false, true);
    std::vector<std::u16string> expected = {u".svn",    u"Alpha",         u"beta", u"deutsch",
                                            u"English", u"Fran\u00e7ais", u"gamma"};
    EXPECT_EQ(ListMenuFolders(files, u"C:\\Root\\"), expected);
    EXPECT_TRUE(ListMenuFolders(files, u"C:\\Missing").empty());
}

TEST(FolderMenus, AcceleratorMarkersAreDropped) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"&Blue", u"Blue"}, {u"Bl&ue", u"Blue"}, {u"R&&B", u"R&B"},
        {u"&&&x", u"&x"},    {u"end&", u"end"},   {u"plain", u"plain"}};
    for (const auto& [caption, name] : cases) EXPECT_EQ(RemoveAccelerators(caption), name);
}

}  // namespace
}  // namespace tonedeck
