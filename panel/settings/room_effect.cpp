// The Effect page: the choice and its driver request.

#include "panel/settings/room_effect.h"

#include "panel/settings/settings_controller.h"

namespace tonedeck {

int EffectForTag(int tag) {
    const int effect = tag - kFirstEffectTag + 1;
    return ValidEffect(effect) ? effect : 0;
}

bool ValidEffect(int effect) { return effect >= 1 && effect <= kEffectCount; }

uint32_t DriverEffectNumber(int effect) { return static_cast<uint32_t>(effect - 1); }

void SettingsController::SelectEffect(int effect) {
    if (!ValidEffect(effect)) return;
    settings_.currentEffect = effect;
    ports_.view.ShowEffect();
    ports_.driver.SendRoomEffect(DriverEffectNumber(effect));
}

}  // namespace tonedeck
