// The window system's side of the controls: the element behind each, and the
// events the window system delivers to them. Only the window systems'
// implementations (and their tests) include this; to the handlers these are
// private to the controls.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "platform/controls.h"
#include "platform/delivery.h"
#include "platform/picture.h"

namespace platform {

class Events {
public:
    static native::Element& Of(const Control& c) { return *c.native_; }
    static native::Element& Of(const LineControl& l) { return *l.native_; }
    static native::Element& Of(const AccessibleText& t) { return *t.native_; }
    static native::Element& Of(const Form& f) { return *f.native_; }

    static void Clicked(CommandButton& b) { b.Clicked(); }
    static bool KeyPressed(TextBox& box, std::int16_t& keyCode) { return box.KeyPressed(keyCode); }
    static void Edited(TextBox& box, std::string text) { box.Edited(std::move(text)); }

    static void MouseDown(PictureBox& p, std::int16_t button, std::int16_t shift, float x, float y)
    {
        p.MouseDown(button, shift, x, y);
    }
    static void MouseMove(PictureBox& p, std::int16_t button, std::int16_t shift, float x, float y)
    {
        p.MouseMove(button, shift, x, y);
    }
    static void MouseUp(PictureBox& p, std::int16_t button, std::int16_t shift, float x, float y)
    {
        p.MouseUp(button, shift, x, y);
    }
    static bool KeyDown(PictureBox& p, std::int16_t keyCode, std::int16_t shift) { return p.KeyDown(keyCode, shift); }
    static void Redraw(PictureBox& p) { p.Redraw(); }
    static void Handed(PictureBox& p, bool taken) { p.Handed(taken); }

    // The form is shown in a window of this size now: its scale and place.
    static Form::Fitted Fit(const Form& f, double width, double height) { return f.FitInto(width, height); }
    // A message that stayed open after its event was closed.
    static void MessageClosed() { focus::MessageClosed(); }
};

}  // namespace platform
