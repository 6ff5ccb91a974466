#pragma once
// The virtual 7.1 field: the reset layout of the eight speakers and the speaker map that the
// filter driver gets from their places.

#include <array>
#include <cstdint>
#include <optional>

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
    // Radians, counter-clockwise from straight right. Double: the rotation adds a degree every
    // 20 ms for as long as the panel runs, and in single precision the turn slows within hours
    // and stops after about a week.
    double angle = 0.0;
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

// One step of the rotation, in radians.
inline constexpr double kOneDegree = 0.017453277777777776;
// A thousand turns: further out the step would start to lose digits to the angle's size.
inline constexpr double kAngleFoldLimit = 6283.185307179586;

// The `VirtualPicImage` rectangle in page coordinates.
struct PictureRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

SpeakerPlaces ResetSpeakerLayout(const SpeakerField& field);

// `PlaceSpeaker`: the image place of a speaker at its stored angle and distance `d`; afterwards
// the stored angle moves one degree for `step` +1, back one for -1, and stays for 0. Angles are
// carried on past 2 pi and below 0; only beyond `kAngleFoldLimit` are whole turns taken off.
SpeakerPoint PlaceSpeaker(SpeakerRecord& record, const SpeakerField& field, double d, int step);

// Where a drag step puts a speaker image of `width` x `height`: nullopt when `proposed` lies
// outside the field's circle; otherwise each axis takes its proposed value only while the image
// stays inside the picture's margins, and keeps `current` otherwise.
std::optional<SpeakerPoint> DraggedSpeakerPlace(SpeakerPoint current, SpeakerPoint proposed,
                                                int width, int height, const SpeakerField& field,
                                                const PictureRect& picture);

// Gains, then angles, from the places. A speaker at the historical centre point 168,147 is first
// nudged to 169,148 in `places`. `records`, when given, receive each speaker's angle and distance.
SpeakerMapValues ComputeSpeakerMap(SpeakerPlaces& places, const SpeakerField& field,
                                   SpeakerRecords* records);

}  // namespace tonedeck
