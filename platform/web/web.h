// The browser's window system: the element behind each control is an
// element of the page, known to both sides by a number (dom.js holds the
// page's side).
#pragma once

#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/picture.h"

namespace platform::native {

class Element {
public:
    enum class Kind { Form = 0, Button = 1, Box = 2, Label = 3, Line = 4, Picture = 5, Text = 6 };
    Element(Kind kind, void* owner);
    ~Element();
    Element(const Element&) = delete;
    Element& operator=(const Element&) = delete;

    const Kind kind;
    const int id;
    void* const owner;  // the control (or form) behind it, of the kind's type

    // The element of this number, or null.
    static Element* Find(int id);
};

}  // namespace platform::native

// The page's side (dom.js).
extern "C" {
void lg_make(int kind, int id);
void lg_destroy(int id);
void lg_place(int id, int left, int top, int width, int height);
void lg_font(int id, int pixels, int bold, int italic);
void lg_visible(int id, int visible);
void lg_enabled(int id, int enabled);
void lg_focus(int id);
int lg_has_focus(int id);
void lg_accessible_name(int id, const char* name);
void lg_description(int id, const char* text);
void lg_name(int id, const char* name);
void lg_caption(int id, const char* text);
void lg_checked(int id, int checked);
void lg_align(int id, int centred);
void lg_label_colors(int id, unsigned back, unsigned fore);
void lg_one_line(int id, int oneLine);
void lg_set_text(int id, const char* text);
void lg_max_length(int id, int units);
double lg_text_room(int id);
int lg_sel_start(int id);
int lg_sel_length(int id);
void lg_select(int id, int from, int to);
void lg_line(int id, int along, int left, int top, int width, int height, int x1, int y1, int x2, int y2, int thickness,
             unsigned colour);
void lg_accessible_text(int id, const char* text);
void lg_measure(int pixels, int bold, int italic, const char* text, double* out);
void lg_title(const char* text);
void lg_client_size(int width, int height);
void lg_form_color(unsigned colour);
void lg_tab_stop(int id);
void lg_show_form();
void lg_report(int error, const char* text);
void lg_quit();
void lg_unread(int id, int hidden);
void lg_open(const char* address);
void lg_canvas_size(int id, int width, int height);
void lg_clear(int id, unsigned colour);
void lg_fill(int id, int left, int top, int right, int bottom, unsigned colour);
void lg_stroke(int id, double x1, double y1, double x2, double y2, int width, unsigned colour, int round);
void lg_dot(int id, double cx, double cy, double radius, unsigned colour);
void lg_ring(int id, double cx, double cy, double radius, int width, unsigned colour);
double lg_text(int id, double x, double y, const char* text, unsigned colour, int pixels, int bold, int italic);
int lg_copy_image(int id, double ratio);
int lg_save_image(int id, double ratio, const char* name);
}
