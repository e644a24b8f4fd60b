// The controls as elements of the page.
#include <emscripten.h>

#include <algorithm>

#include "platform/events.h"
#include "platform/native.h"
#include "platform/web/web.h"

namespace platform::native {

namespace {

std::vector<Element*>& registry()
{
    static std::vector<Element*> elements;
    return elements;
}

int nextId()
{
    auto& r = registry();
    const auto free = std::find(r.begin(), r.end(), nullptr);
    if (free != r.end()) return int(free - r.begin());
    r.push_back(nullptr);
    return int(r.size()) - 1;
}

}  // namespace

Element::Element(Kind k, void* o) : kind(k), id(nextId()), owner(o)
{
    registry()[std::size_t(id)] = this;
    lg_make(int(kind), id);
}

Element::~Element()
{
    lg_destroy(id);
    registry()[std::size_t(id)] = nullptr;
}

Element* Element::Find(int id)
{
    const auto& r = registry();
    return id >= 0 && std::size_t(id) < r.size() ? r[std::size_t(id)] : nullptr;
}

void Destroy(Element* e) { delete e; }

// The window.

Element* MakeForm(Form& form) { return new Element(Element::Kind::Form, &form); }
void SetTitle(Element&, const std::string& title) { lg_title(title.c_str()); }
void SetClientSize(Element&, int width, int height) { lg_client_size(width, height); }
void SetFormColor(Element&, Color c) { lg_form_color(c); }

void TabStop(Element&, Element& control) { lg_tab_stop(control.id); }

// Labels and lines lie under the boxes and the picture by the page's own
// stacking (dom.js's style sheet).
void StackLightControls(Element&) {}

void ShowForm(Element&) { lg_show_form(); }

// Every control.

Element* MakeButton(Form&, CommandButton& owner) { return new Element(Element::Kind::Button, &owner); }
Element* MakeTextBox(Form&, TextBox& owner) { return new Element(Element::Kind::Box, &owner); }
Element* MakeLabel(Form&, Label& owner) { return new Element(Element::Kind::Label, &owner); }
Element* MakeLine(Form&, LineControl& owner) { return new Element(Element::Kind::Line, &owner); }
Element* MakeAccessibleText(Form&) { return new Element(Element::Kind::Text, nullptr); }

void SetPlace(Element& e, const Rect& r) { lg_place(e.id, r.left, r.top, r.width, r.height); }

void SetFont(Element& e, const Font& font, int pixels)
{
    // (The picture's texts come with their font.)
    if (e.kind != Element::Kind::Picture) lg_font(e.id, pixels, font.bold, font.italic);
}

void SetVisible(Element& e, bool visible) { lg_visible(e.id, visible); }
void SetEnabled(Element& e, bool enabled) { lg_enabled(e.id, enabled); }

void Focus(Element& e) { lg_focus(e.id); }

bool HasFocus(const Element& e) { return lg_has_focus(e.id) != 0; }

void SetAccessibleName(Element& e, const std::string& name) { lg_accessible_name(e.id, name.c_str()); }
void SetAccessibleDescription(Element& e, const std::string& text) { lg_description(e.id, text.c_str()); }
void SetName(Element& e, const std::string& name) { lg_name(e.id, name.c_str()); }
void SetAccessibleHidden(Element& e, bool hidden) { lg_unread(e.id, hidden); }

Extent MeasureText(const Font& font, int pixels, const std::string& text)
{
    double out[6] = {0, 0, 0, 0, 0, 0};
    lg_measure(pixels, font.bold, font.italic, text.c_str(), out);
    return {out[0], out[1], out[2], out[3], out[4], out[5]};
}

void SetCaption(Element& e, const std::string& caption) { lg_caption(e.id, caption.c_str()); }
void SetChecked(Element& button, bool checked) { lg_checked(button.id, checked); }
void SetAlignment(Element& e, bool centred) { lg_align(e.id, centred); }
void SetLabelColors(Element& label, Color back, Color fore) { lg_label_colors(label.id, back, fore); }
void SetOneLine(Element& label, bool oneLine) { lg_one_line(label.id, oneLine); }

void SetText(Element& box, const std::string& text) { lg_set_text(box.id, text.c_str()); }
void SetMaxLength(Element& box, int units) { lg_max_length(box.id, units); }
double TextRoom(const Element& box) { return lg_text_room(box.id); }
int SelStart(const Element& box) { return lg_sel_start(box.id); }
int SelLength(const Element& box) { return lg_sel_length(box.id); }
void Select(Element& box, int from, int to) { lg_select(box.id, from, to); }

void PlaceLine(Element& line, const LineControl::Ends& ends, int width, Color c, const Rect& covered)
{
    // Along an axis the page fills the pixels covered; a slanted line is
    // drawn from end to end.
    const bool along = ends.x1 == ends.x2 || ends.y1 == ends.y2;
    lg_line(line.id, along, covered.left, covered.top, covered.width, covered.height, ends.x1, ends.y1, ends.x2,
            ends.y2, width, c);
}

void SetAccessibleText(Element& e, const std::string& text) { lg_accessible_text(e.id, text.c_str()); }

}  // namespace platform::native

// The page's events, into the program.
using platform::native::Element;

extern "C" {

using platform::Events;

EMSCRIPTEN_KEEPALIVE void lg_clicked(int id)
{
    if (Element* e = Element::Find(id); e && e->kind == Element::Kind::Button)
        Events::Clicked(*static_cast<platform::CommandButton*>(e->owner));
}

EMSCRIPTEN_KEEPALIVE int lg_key_press(int id, int code)
{
    Element* e = Element::Find(id);
    if (!e || e->kind != Element::Kind::Box) return 1;
    std::int16_t keyCode = static_cast<std::int16_t>(code);
    return Events::KeyPressed(*static_cast<platform::TextBox*>(e->owner), keyCode) ? 1 : 0;
}

// (The text comes on the heap: a paste may be longer than the stack.)
EMSCRIPTEN_KEEPALIVE void lg_edited(int id, const char* text)
{
    if (Element* e = Element::Find(id); e && e->kind == Element::Kind::Box)
        Events::Edited(*static_cast<platform::TextBox*>(e->owner), text);
}

EMSCRIPTEN_KEEPALIVE void lg_message_closed() { Events::MessageClosed(); }

// The form's scale and place in a window of this size: three numbers.
EMSCRIPTEN_KEEPALIVE const double* lg_fit(int id, double width, double height)
{
    static double fitted[3];
    if (Element* e = Element::Find(id); e && e->kind == Element::Kind::Form) {
        const platform::Form::Fitted f = Events::Fit(*static_cast<platform::Form*>(e->owner), width, height);
        fitted[0] = f.scale;
        fitted[1] = f.left;
        fitted[2] = f.top;
    }
    return fitted;
}

#ifdef LG_INSPECTABLE
// What the program holds now, for the page's tests.
EMSCRIPTEN_KEEPALIVE const char* lg_inspect()
{
    static std::string state;
    state = platform::Inspect();
    return state.c_str();
}
#endif

}  // extern "C"
