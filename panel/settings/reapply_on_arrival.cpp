// What the device gets when it comes back: presence has already set the flags, sent the LED
// state and named the driver path; the rest depends on the page that is showing.

#include "panel/settings/settings_controller.h"

namespace tonedeck {

void SettingsController::ReapplyAfterArrival() {
    ports_.clock.Sleep(kArrivalSettleMs);
    ReadBackMicrophone();

    const SettingsPage page = ports_.view.ShowingPage();
    switch (page) {
        case SettingsPage::kEq:
            device_.ApplyDspEnable(settings_.eqEnable);
            break;
        case SettingsPage::k3D:
            device_.ApplyDspEnable(settings_.eqEnable);
            device_.Apply3DEnable(settings_.d3Enable);
            break;
        case SettingsPage::kMic:
            // The page is showing, so the capture keeps running for its level bar.
            if (MicrophoneReachable()) {
                ports_.mic.ReadBackMic(settings_);
                ports_.mic.StartLevelCapture();
            }
            break;
        case SettingsPage::kEffect:
        case SettingsPage::kVirtual71:
            break;
    }

    SendStartRequests(SpeakerMapValues{});

    if (page == SettingsPage::kEffect) {
        ports_.driver.SendRoomEffect(static_cast<uint32_t>(settings_.currentEffect - 1));
    } else if (page == SettingsPage::kVirtual71) {
        ports_.driver.SendSpeakerMap(settings_.virtualEnable ? 1 : 0, RecomputeSpeakerMap());
    }
}

}  // namespace tonedeck
