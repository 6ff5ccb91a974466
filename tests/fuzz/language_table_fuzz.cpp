// LoadLanguageTable and LoadSkinLabelStyles on any Language.ini / SkinSetting.ini, through the
// emulated private-profile functions; every entry then styles its label of the shipped windows.

#include "fuzz_check.h"
#include "panel/window/label_style.h"
#include "panel/window/language_table.h"
#include "panel/window/window_definition.h"
#include "panel/window/window_errors.h"
#include "platform/sim/emulated_profile_store.h"
#include "platform/sim/sim_file_system.h"

using namespace tonedeck;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ControlModel kMain = MainWindowDefinition();
    static const ControlModel kAbout = AboutWindowDefinition();
    SimFileSystem files;
    files.PutFile(u"C:\\Program Files\\Tonedeck\\Language\\Fuzz\\Language.ini",
                  fuzz::Bytes(data, size));
    EmulatedProfileStore profiles(files);

    LanguageTable table;
    try {
        LoadLanguageTable(profiles, "C:\\Program Files\\Tonedeck\\Language\\Fuzz\\Language.ini",
                          table);
        // The same bytes as a skin's settings restyle the seven skin keys.
        LoadSkinLabelStyles(profiles,
                            "C:\\Program Files\\Tonedeck\\Language\\Fuzz\\Language.ini", table);
    } catch (const InvalidIntegerError&) {
        return 0;
    }
    FUZZ_CHECK(table.global.fontName.size() <= kFontNameChars);
    ControlModel main = kMain;
    ControlModel about = kAbout;
    const double scales[] = {FontScaleFactor(96, 6), FontScaleFactor(144, 5)};
    for (const LabelKey& key : LabelKeys()) {
        LabelStyleEntry& entry = table.Entry(key.key);
        FUZZ_CHECK(entry.caption.size() <= kCaptionChars);
        FUZZ_CHECK(entry.fontName.size() <= kFontNameChars);
        if (key.label.empty()) continue;
        ControlModel& controls = main.Find(key.label) ? main : about;
        for (double scale : scales) {
            ApplyLabelStyle(entry, table.global, controls[controls.Get(key.label)],
                            size % 2 == 0, scale, nullptr);
        }
    }
    return 0;
}
