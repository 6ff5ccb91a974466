// The Virtual 7.1 page: the enable switch, speaker drags, the rotation step and the rescale after
// a skin switch. Drags write the stored speaker records; the enable switch and the rotation
// compute on a scratch copy so that the stored angles keep turning on their own.

#include "panel/settings/settings_controller.h"

namespace tonedeck {

namespace {

uint32_t EnableFlag(bool on) { return on ? 1 : 0; }

}  // namespace

void SettingsController::ToggleVirtualEnable() {
    settings_.virtualEnable = !settings_.virtualEnable;
    SpeakerRecords scratch = settings_.speakerRecords;
    const SpeakerMapValues map =
        ComputeSpeakerMap(settings_.speakerPlaces, ports_.view.SpeakerFieldLayout(), &scratch);
    ports_.view.ShowSpeakers();
    ports_.driver.SendSpeakerMap(EnableFlag(settings_.virtualEnable), map);
}

bool SettingsController::DragSpeaker(int index, SpeakerPoint proposed, int width, int height,
                                     const PictureRect& picture) {
    if (index < 0 || index >= static_cast<int>(kSpeakerCount)) return false;
    SpeakerPoint& place = settings_.speakerPlaces[static_cast<std::size_t>(index)];
    const auto moved = DraggedSpeakerPlace(place, proposed, width, height,
                                           ports_.view.SpeakerFieldLayout(), picture);
    if (!moved) return false;
    place = *moved;
    const SpeakerMapValues map = RecomputeSpeakerMap();
    ports_.view.ShowSpeakers();
    ports_.driver.SendSpeakerMap(EnableFlag(settings_.virtualEnable), map);
    return true;
}

void SettingsController::RotationTick() {
    if (!settings_.devicePresent) return;
    int step = 0;
    if (settings_.rotateClockwise) {
        step = 1;
    } else if (settings_.rotateCounterclockwise) {
        step = -1;
    } else {
        return;
    }
    const SpeakerField field = ports_.view.SpeakerFieldLayout();
    for (std::size_t i = 0; i < kSpeakerCount; ++i) {
        SpeakerRecord& record = settings_.speakerRecords[i];
        settings_.speakerPlaces[i] = PlaceSpeaker(record, field, record.distance, step);
    }
    SpeakerRecords scratch = settings_.speakerRecords;
    const SpeakerMapValues map = ComputeSpeakerMap(settings_.speakerPlaces, field, &scratch);
    ports_.view.ShowSpeakers();
    ports_.driver.SendSpeakerMap(EnableFlag(settings_.virtualEnable), map);
}

void SettingsController::RescaleSpeakers(double factor) {
    const SpeakerField field = ports_.view.SpeakerFieldLayout();
    for (std::size_t i = 0; i < kSpeakerCount; ++i) {
        SpeakerRecord& record = settings_.speakerRecords[i];
        settings_.speakerPlaces[i] = PlaceSpeaker(record, field, record.distance * factor, 0);
    }
    ports_.view.ShowSpeakers();
}

}  // namespace tonedeck
