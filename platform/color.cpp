#include "platform/color.h"

#include "platform/variant.h"

namespace platform {

Color QBColor(std::int16_t index)
{
    static constexpr Color palette[16] = {
        RGB(0, 0, 0),       RGB(0, 0, 128),     RGB(0, 128, 0),   RGB(0, 128, 128),
        RGB(128, 0, 0),     RGB(128, 0, 128),   RGB(128, 128, 0), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(0, 0, 255),     RGB(0, 255, 0),   RGB(0, 255, 255),
        RGB(255, 0, 0),     RGB(255, 0, 255),   RGB(255, 255, 0), RGB(255, 255, 255),
    };
    if (index < 0 || index > 15) throw RuntimeError(RuntimeError::InvalidProcedureCall);
    return palette[index];
}

}  // namespace platform
