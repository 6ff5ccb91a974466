// LoadSkinSettings on any SkinSetting.ini, through the emulated private-profile functions, into
// the shipped window model; each picture entry then goes onto its control.

#include "fuzz_check.h"
#include "panel/window/skin_settings.h"
#include "panel/window/window_definition.h"
#include "panel/window/window_errors.h"
#include "platform/sim/emulated_profile_store.h"
#include "platform/sim/sim_file_system.h"

using namespace tonedeck;

namespace {

// Every picture is there and 40 by 30 pixels: the fuzzed part is the settings file.
class AnyPicture : public PictureSource {
  public:
    PictureSize Load(const std::u16string&) override { return {40, 30}; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ControlModel kWindow = MainWindowDefinition();
    const std::u16string folder = u"C:\\Program Files\\Tonedeck\\Skin\\Fuzz\\";
    SimFileSystem files;
    files.PutFile(folder + u"SkinSetting.ini", fuzz::Bytes(data, size));
    EmulatedProfileStore profiles(files);

    SkinSettings settings;
    ControlModel controls = kWindow;
    try {
        LoadSkinSettings(profiles, "C:\\Program Files\\Tonedeck\\Skin\\Fuzz\\SkinSetting.ini",
                         settings, controls);
    } catch (const InvalidIntegerError&) {
        return 0;
    }
    AnyPicture pictures;
    for (const SkinPicture& picture : SkinPictures()) {
        const SkinImageEntry& entry = settings.Entry(picture.section, picture.keys.front());
        FUZZ_CHECK(entry.fileName.size() <= kSkinFileNameChars);
        ApplySkinImage(entry, controls[controls.Get(picture.control)], folder + entry.fileName,
                       pictures);
    }
    return 0;
}
