#include "panel/settings/settings_controller.h"

namespace tonedeck {

SettingsController::SettingsController(SoundSettings& settings, Ports ports, OsClass osClass)
    : settings_(settings),
      ports_(ports),
      osClass_(osClass),
      device_(settings, ports.hid, ports.presence) {}

void SettingsController::SetDevicePresent(bool present) {
    settings_.devicePresent = present;
    settings_.syncToDevice = present;
}

bool SettingsController::MicrophoneReachable() {
    // Before version 6 the mixer line is used, which needs no endpoint.
    const bool found = ports_.mic.FindCaptureEndpoint();
    return found || osClass_ < 6;
}

void SettingsController::ReadBackMicrophone() {
    if (!MicrophoneReachable()) return;
    ports_.mic.StartLevelCapture();
    ports_.mic.ReadBackMic(settings_);
    ports_.mic.StopLevelCapture();
}

SpeakerMapValues SettingsController::RecomputeSpeakerMap() {
    return ComputeSpeakerMap(settings_.speakerPlaces, ports_.view.SpeakerFieldLayout(),
                             &settings_.speakerRecords);
}

void SettingsController::SendStartRequests(const SpeakerMapValues& map) {
    uint32_t status = 0;
    ports_.driver.QueryDriverStatus(status);
    ports_.driver.SendSpeakerMap(0, map);
    uint32_t value = 0;
    ports_.driver.ExchangeDriverParameter(0, value);
}

void SettingsController::ResetSpeakers() {
    settings_.speakerPlaces = ResetSpeakerLayout(ports_.view.SpeakerFieldLayout());
    const SpeakerMapValues map = RecomputeSpeakerMap();
    ports_.view.ShowSpeakers();
    ports_.driver.SendSpeakerMap(settings_.virtualEnable ? 1 : 0, map);
}

}  // namespace tonedeck
