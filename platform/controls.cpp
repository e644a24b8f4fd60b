// What the controls do the same on every window system.
#include "platform/controls.h"

#include <algorithm>
#include <cmath>

namespace platform {

int PixelsOfPoints(float points)
{
    return std::max(1, static_cast<int>(std::lround(static_cast<double>(points) * 96.0 / 72.0)));
}

int Characters(const std::string& text)
{
    // Every byte but the continuation bytes of UTF-8 starts a character.
    return static_cast<int>(std::count_if(text.begin(), text.end(),
                                          [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void CommandButton::Clicked()
{
    if (!enabled_ || !click_) return;
    Deliver(click_);
}

bool TextBox::KeyPressed(std::int16_t& keyCode)
{
    if (!keyPress_) return true;
    Deliver([&] { keyPress_(keyCode); });
    return keyCode != 0;
}

}  // namespace platform
