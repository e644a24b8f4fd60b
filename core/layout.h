// How the lessons lay out their controls: the green form's colours, the
// layout's face, and a control of each kind placed with its caption and font.
#pragma once

#include <cstdint>
#include <string>

#include "platform/controls.h"

namespace layout {

inline const platform::Color kGreen = platform::RGB(0, 128, 0);
inline const platform::Color kWhite = platform::RGB(255, 255, 255);
inline const platform::Color kYellow = platform::RGB(255, 255, 0);
inline const platform::Color kPaleYellow = platform::RGB(255, 255, 192);

struct FontSpec {
    float points;
    bool bold;
    bool italic = false;
};

template <class C>
void font(C& control, FontSpec f)
{
    control.FontName(platform::kLayoutFace);
    control.FontSize(f.points);
    control.FontBold(f.bold);
    control.FontItalic(f.italic);
}

inline void button(platform::CommandButton& b, const char* caption, int left, int top, int width, int height,
                   FontSpec f)
{
    b.Caption(caption);
    b.Place(left, top, width, height);
    font(b, f);
}

// White on the green unless told otherwise.
inline void label(platform::Label& l, const char* caption, int left, int top, int width, int height, FontSpec f,
                  platform::Label::Align align = platform::Label::Align::Left, platform::Color fore = kWhite)
{
    l.Caption(caption);
    l.Place(left, top, width, height);
    font(l, f);
    l.BackColor(kGreen);
    l.ForeColor(fore);
    l.Alignment(align);
}

// A coefficient's box: 24 points, its text centred.
inline void box(platform::TextBox& t, int left, int top, int width, int height)
{
    t.Place(left, top, width, height);
    font(t, {24.0f, false});
    t.Alignment(platform::TextBox::Align::Center);
}

// Each control's name in the layout ("Command4(0)"), for the window system's tools.
template <class C>
void named(C& control, const char* name, int index = -1)
{
    control.Name(index < 0 ? std::string(name) : std::string(name) + "(" + std::to_string(index) + ")");
}

}  // namespace layout
