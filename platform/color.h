// Colours as the handlers name them.
#pragma once

#include <cstdint>

namespace platform {

// An RGB colour, 0x00RRGGBB.
using Color = std::uint32_t;
constexpr Color RGB(int r, int g, int b)
{
    return (static_cast<Color>(r & 0xFF) << 16) | (static_cast<Color>(g & 0xFF) << 8) | static_cast<Color>(b & 0xFF);
}
// The 16-colour palette: 0 black … 7 white-grey, 8 grey … 15 white; 12 is bright red.
Color QBColor(std::int16_t index);

}  // namespace platform
