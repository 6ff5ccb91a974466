#include "panel/settings/speaker_field.h"

#include <cmath>
#include <cstdint>

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

// Toward zero; places from a profile may lie far outside any screen.
int Trunc(double value) {
    if (!(value > -2147483648.0)) return INT32_MIN;
    if (!(value < 2147483648.0)) return INT32_MAX;
    return static_cast<int>(value);
}

SpeakerPoint OnCircle(const SpeakerField& field, double angle, double radius) {
    return {Trunc(field.centerX + std::cos(angle) * radius),
            Trunc(field.centerY - std::sin(angle) * radius)};
}

// Counter-clockwise from straight right, up positive, in 0 to 2 pi.
double SpeakerAngle(double dx, double dy) {
    if (dy > 0) {
        return dx < 0 ? std::atan2(dy, -dx) + kPi : kTwoPi - std::atan2(dy, dx);
    }
    // The sum keeps a level speaker at +0, never -0.
    const double up = 0.0 - dy;
    return dx < 0 ? kPi - std::atan2(up, -dx) : std::atan2(up, dx);
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
        // In double: profile places can be any 32-bit numbers.
        const double dx = static_cast<double>(place.left) - field.centerX;
        const double dy = static_cast<double>(place.top) - field.centerY;
        const double angle = SpeakerAngle(dx, dy);
        const double distance = std::sqrt(dx * dx + dy * dy);
        const float g = static_cast<float>(4.0 - distance * kDbPerPixel);
        map[i] = static_cast<float>(std::pow(10.0, g * 0.05));
        map[kSpeakerCount + i] = static_cast<float>(angle);
        // The map carries the angle in single precision; the record keeps what the map sent.
        if (records) (*records)[i] = {static_cast<float>(angle), distance};
    }
    return map;
}

SpeakerPoint PlaceSpeaker(SpeakerRecord& record, const SpeakerField& field, double d, int step) {
    const SpeakerPoint place = OnCircle(field, record.angle, d);
    if (step > 0) record.angle += kOneDegree;
    if (step < 0) record.angle -= kOneDegree;
    // Whole true turns: cos and sin cannot tell, and fmod is exact.
    if (std::fabs(record.angle) > kAngleFoldLimit) {
        record.angle = std::fmod(record.angle, 2.0 * 3.14159265358979323846);
    }
    return place;
}

std::optional<SpeakerPoint> DraggedSpeakerPlace(SpeakerPoint current, SpeakerPoint proposed,
                                                int width, int height, const SpeakerField& field,
                                                const PictureRect& picture) {
    const int64_t dx = int64_t{proposed.left} - field.centerX;
    const int64_t dy = int64_t{proposed.top} - field.centerY;
    const int64_t radius = field.radius;
    if (dx * dx + dy * dy > radius * radius) return std::nullopt;
    SpeakerPoint place = current;
    const int64_t x = proposed.left;
    const int64_t y = proposed.top;
    if (int64_t{picture.left} + 10 < x && x + width <= int64_t{picture.left} + picture.width - 10) {
        place.left = proposed.left;
    }
    if (int64_t{picture.top} + 10 <= y &&
        y + height <= int64_t{picture.top} + picture.height - 10) {
        place.top = proposed.top;
    }
    return place;
}

}  // namespace tonedeck
