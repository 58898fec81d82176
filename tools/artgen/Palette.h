// The shipped palette (ARGB), one name per role; everything drawn picks from it.
#pragma once

#include "tools/contentkit/Image.h"

namespace art {

using content::FromArgb;
using content::Rgba;

namespace pal {
constexpr uint32_t kNight0 = 0xFF12141F, kNight1 = 0xFF1A1D2B, kNight2 = 0xFF23273A,
                   kNight3 = 0xFF2E3349;
constexpr uint32_t kMoss0 = 0xFF1F3328, kMoss1 = 0xFF2B4A35, kMoss2 = 0xFF3F6B47,
                   kMoss3 = 0xFF5E8F5A;
constexpr uint32_t kStone0 = 0xFF3A3A45, kStone1 = 0xFF55566A, kStone2 = 0xFF7A7C92,
                   kStone3 = 0xFFA5A8BF;
constexpr uint32_t kWood0 = 0xFF3B2A22, kWood1 = 0xFF5C4030, kWood2 = 0xFF8A6A4A,
                   kBone = 0xFFD8CBB0;
constexpr uint32_t kFire0 = 0xFFFF0A00, kFire1 = 0xFFFF781E, kFire2 = 0xFFFFB347,
                   kFire3 = 0xFFFFF1A8;
constexpr uint32_t kIce0 = 0xFF0000FF, kIce1 = 0xFF4F8CFF, kIce2 = 0xFF9CC8FF, kIce3 = 0xFFC8C8FF;
constexpr uint32_t kEarth0 = 0xFF00FF00, kEarth1 = 0xFF6BD26B, kEarth2 = 0xFFB6E38C,
                   kEarth3 = 0xFFC8FFC8;
constexpr uint32_t kWind0 = 0xFFFFFFFF, kWind1 = 0xFFDDE6F0, kWind2 = 0xFFB8C4D6;
constexpr uint32_t kViolet0 = 0xFF5A2D82, kViolet1 = 0xFF8A4FD0, kViolet2 = 0xFFC79BFF;
constexpr uint32_t kInk = 0xFF15110D, kParchment = 0xFFE9DDBF, kParchmentDark = 0xFFCDBB8E;
} // namespace pal

// The darker rim drawn around characters and items.
inline Rgba OutlineOf(uint32_t argb) {
    return content::Scale(FromArgb(argb), 0.28f);
}

} // namespace art
