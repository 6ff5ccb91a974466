#include "panel/settings/speaker_field.h"

#include <cmath>

namespace tonedeck {

namespace {

// The constants as the field has always used them; the map values depend on these digits.
constexpr double kPi = 3.14159;
constexpr double kTwoPi = 6.28318;
constexpr double kAngleL = 2.3561925;
constexpr double kAngleLB = 3.9269875;
constexpr double kAngleRB = 5.4977825;
constexpr double kAngleR = 0.7853975;
constexpr double kDbPerPixel = 0.1111111111111111;

int Trunc(double value) { return static_cast<int>(value); }

SpeakerPoint OnCircle(const SpeakerField& field, double angle, double radius) {
    return {Trunc(field.centerX + std::cos(angle) * radius),
            Trunc(field.centerY - std::sin(angle) * radius)};
}

// Counter-clockwise from straight right, up positive, in 0 to 2 pi.
double SpeakerAngle(int dx, int dy) {
    if (dy > 0) {
        return dx < 0 ? std::atan2(dy, -dx) + kPi : kTwoPi - std::atan2(dy, dx);
    }
    return dx < 0 ? kPi - std::atan2(-dy, -dx) : std::atan2(-dy, dx);
}

}  // namespace

SpeakerPlaces ResetSpeakerLayout(const SpeakerField& field) {
    const int h = field.radius / 2;
    const double r = h * 1.6;
    SpeakerPlaces places{};
    places[kSpeakerC] = {field.centerX, Trunc(field.centerY - r)};
    places[kSpeakerLS] = {Trunc(field.centerX - r), field.centerY};
    places[kSpeakerRS] = {Trunc(field.centerX + r), field.centerY};
    places[kSpeakerL] = OnCircle(field, kAngleL, r);
    places[kSpeakerLB] = OnCircle(field, kAngleLB, r);
    places[kSpeakerRB] = OnCircle(field, kAngleRB, r);
    places[kSpeakerR] = OnCircle(field, kAngleR, r);
    places[kSpeakerSub] = {field.centerX, field.centerY - h};
    return places;
}

SpeakerMapValues ComputeSpeakerMap(SpeakerPlaces& places, const SpeakerField& field,
                                   SpeakerRecords* records) {
    SpeakerMapValues map{};
    for (std::size_t i = 0; i < kSpeakerCount; ++i) {
        SpeakerPoint& place = places[i];
        if (place.left == 168 && place.top == 147) place = {169, 148};
        const int dx = place.left - field.centerX;
        const int dy = place.top - field.centerY;
        const double angle = SpeakerAngle(dx, dy);
        const double distance =
            std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy);
        const float g = static_cast<float>(4.0 - distance * kDbPerPixel);
        map[i] = static_cast<float>(std::pow(10.0, g * 0.05));
        map[kSpeakerCount + i] = static_cast<float>(angle);
        if (records) (*records)[i] = {static_cast<float>(angle), distance};
    }
    return map;
}

}  // namespace tonedeck
