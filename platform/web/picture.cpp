// The picture box as a canvas: the canvas keeps what is drawn on it, at the
// screen's density times the form's scale, and is made again from what was
// drawn when either changes.
#include <emscripten.h>

#include "platform/events.h"
#include "platform/native.h"
#include "platform/web/web.h"

namespace platform::native {

Element* MakePicture(Form&, PictureBox& owner) { return new Element(Element::Kind::Picture, &owner); }

void Resize(Element& p, int width, int height) { lg_canvas_size(p.id, width, height); }
void Clear(Element& p, Color back) { lg_clear(p.id, back); }
// The standard colour of a button's text: black.
Color ButtonTextColor() { return RGB(0, 0, 0); }

void Fill(Element& p, int left, int top, int right, int bottom, Color c) { lg_fill(p.id, left, top, right, bottom, c); }

void Stroke(Element& p, double x1, double y1, double x2, double y2, int width, Color c, bool roundEnds)
{
    lg_stroke(p.id, x1, y1, x2, y2, width, c, roundEnds);
}

void Dot(Element& p, double cx, double cy, double radius, Color c) { lg_dot(p.id, cx, cy, radius, c); }

void Ring(Element& p, double cx, double cy, double radius, int width, Color c)
{
    lg_ring(p.id, cx, cy, radius, width, c);
}

double Text(Element& p, float x, float y, const std::string& text, const Font& font, int pixels, Color c)
{
    return lg_text(p.id, x, y, text.c_str(), c, pixels, font.bold, font.italic);
}

// The canvas shows what is drawn at once.
void ShowDrawing(Element&) {}

// The page answers (0 done, 1 refused, 2 later: lg_image_handed).
Handing CopyImage(Element& p, double ratio) { return Handing(lg_copy_image(p.id, ratio)); }

Handing SaveImage(Element& p, double ratio, const std::string& name)
{
    return Handing(lg_save_image(p.id, ratio, name.c_str()));
}

}  // namespace platform::native

using platform::Events;
using platform::native::Element;

extern "C" {

EMSCRIPTEN_KEEPALIVE void lg_mouse(int id, int what, int button, int shift, double x, double y)
{
    Element* e = Element::Find(id);
    if (!e || e->kind != Element::Kind::Picture) return;
    auto& picture = *static_cast<platform::PictureBox*>(e->owner);
    const auto b = static_cast<std::int16_t>(button), s = static_cast<std::int16_t>(shift);
    if (what == 0) Events::MouseDown(picture, b, s, float(x), float(y));
    else if (what == 1) Events::MouseMove(picture, b, s, float(x), float(y));
    else Events::MouseUp(picture, b, s, float(x), float(y));
}

EMSCRIPTEN_KEEPALIVE int lg_key_down(int id, int code, int shift)
{
    Element* e = Element::Find(id);
    if (!e || e->kind != Element::Kind::Picture) return 0;
    return Events::KeyDown(*static_cast<platform::PictureBox*>(e->owner), static_cast<std::int16_t>(code),
                           static_cast<std::int16_t>(shift))
               ? 1
               : 0;
}

EMSCRIPTEN_KEEPALIVE void lg_image_handed(int id, int taken)
{
    if (Element* e = Element::Find(id); e && e->kind == Element::Kind::Picture)
        Events::Handed(*static_cast<platform::PictureBox*>(e->owner), taken != 0);
}

EMSCRIPTEN_KEEPALIVE void lg_redraw(int id)
{
    if (Element* e = Element::Find(id); e && e->kind == Element::Kind::Picture)
        Events::Redraw(*static_cast<platform::PictureBox*>(e->owner));
}

}  // extern "C"
