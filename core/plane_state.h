// What every lesson keeps of its plane.
#pragma once

#include <cstdint>

#include "platform/variant.h"

namespace lessons {

using platform::Variant;

// What the plane keeps, under the first lesson's names.
struct PlaneState {
    Variant originX;             // x pixel of the plane's origin in Picture1
    Variant originY;             // y pixel of the origin
    std::int16_t unitSize = 0;   // pixels per plane unit: 40, 22 or 14
    Variant dragLastX;           // pointer x at the press or the last handled move
    float dragLastY = 0;         // pointer y at the press or the last handled move
    Variant dragging;            // 1 while a button is held on Picture1
};

}  // namespace lessons
