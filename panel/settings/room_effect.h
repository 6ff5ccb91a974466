#pragma once
// The Effect page's five buttons. Their meaning follows their position from left to right: the
// third and fifth components are named after each other's effect, and the tag, not the name,
// decides.

#include <cstdint>

namespace tonedeck {

inline constexpr int kEffectCount = 5;
inline constexpr int kFirstEffectTag = 16;

// `CurrentEffect` (1 none, 2 theater, 3 bathroom, 4 living room, 5 stone gallery) of the button
// with `tag`; 0 for tags that are no effect button.
int EffectForTag(int tag);
bool ValidEffect(int effect);
// The effect number the filter driver takes.
uint32_t DriverEffectNumber(int effect);

}  // namespace tonedeck
