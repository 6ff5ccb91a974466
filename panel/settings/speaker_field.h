#pragma once
// The virtual 7.1 field: the reset layout of the eight speakers and the speaker map that the
// filter driver gets from their places.

#include <array>
#include <cstdint>

#include "panel/device/driver_records.h"

namespace tonedeck {

// Speaker order of the map and of every array here.
enum SpeakerIndex : int {
    kSpeakerL,
    kSpeakerR,
    kSpeakerC,
    kSpeakerSub,
    kSpeakerLS,
    kSpeakerRS,
    kSpeakerLB,
    kSpeakerRB
};

// A speaker image's `Left` and `Top` in page coordinates.
struct SpeakerPoint {
    int left = 0;
    int top = 0;
    friend bool operator==(const SpeakerPoint&, const SpeakerPoint&) = default;
};

struct SpeakerRecord {
    float angle = 0.0f;     // radians, counter-clockwise from straight right
    double distance = 0.0;  // pixels from the centre
};

using SpeakerPlaces = std::array<SpeakerPoint, kSpeakerCount>;
using SpeakerRecords = std::array<SpeakerRecord, kSpeakerCount>;

// `SpeakerCenterX`, `SpeakerCenterY` (the top-left place of an image in the middle) and
// `SpeakerRadius` of the current skin.
struct SpeakerField {
    int centerX = 0;
    int centerY = 0;
    int radius = 0;
};

SpeakerPlaces ResetSpeakerLayout(const SpeakerField& field);

// Gains, then angles, from the places. A speaker at the historical centre point 168,147 is first
// nudged to 169,148 in `places`. `records`, when given, receive each speaker's angle and distance.
SpeakerMapValues ComputeSpeakerMap(SpeakerPlaces& places, const SpeakerField& field,
                                   SpeakerRecords* records);

}  // namespace tonedeck
