// What the controls do the same on every window system: they keep their
// properties and tell the window system's elements what to show.
#include "platform/controls.h"
#include "platform/delivery.h"

#include <algorithm>
#include <cmath>

#include "platform/events.h"
#include "platform/native.h"

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

namespace {

// Each character of a UTF-8 text with the UTF-16 units it takes: two for one
// of four bytes, one for any other (a stray byte included).
template <class Visit>
void eachCharacter(const std::string& text, Visit visit)
{
    std::size_t at = 0;
    while (at < text.size()) {
        const auto lead = static_cast<unsigned char>(text[at]);
        std::size_t end = at + 1;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
        if (!visit(end, lead >= 0xF0 ? 2 : 1)) return;
        at = end;
    }
}

}  // namespace

int UnitsOf(const std::string& text, int characters)
{
    int units = 0, counted = 0;
    eachCharacter(text, [&](std::size_t, int width) {
        if (counted == characters) return false;
        ++counted;
        units += width;
        return true;
    });
    return units;
}

int CharactersOf(const std::string& text, int units)
{
    // A position inside a character of two units counts that character.
    int used = 0, characters = 0;
    eachCharacter(text, [&](std::size_t, int width) {
        if (used >= units) return false;
        used += width;
        ++characters;
        return true;
    });
    return characters;
}

std::string CutToUnits(const std::string& text, int units)
{
    int used = 0;
    std::size_t kept = 0;
    eachCharacter(text, [&](std::size_t end, int width) {
        if (used + width > units) return false;
        used += width;
        kept = end;
        return true;
    });
    return text.substr(0, kept);
}

// Every control.

Control::Control(Form& form, Kind kind) : form_(form), kind_(kind)
{
    shownPixels_ = PixelsOfPoints(font_.points);
    form_.Occupy(this);
}

Control::~Control()
{
    focus::Forget(*this);
    form_.Vacate(this);
    native::Destroy(native_);
}

void Control::Show(const Rect& place, int pixels)
{
    if (place != shownPlace_) {
        shownPlace_ = place;
        native::SetPlace(*native_, place);
    }
    if (pixels != shownPixels_) {
        shownPixels_ = pixels;
        native::SetFont(*native_, font_, pixels);
    }
}

void Control::Changed()
{
    if (kind_ == Kind::Box) static_cast<TextBox*>(this)->Fit();
    // Labels are fitted among the controls shown, which this one may be.
    form_.LabelsChanged();
}

void Control::FontSize(float points)
{
    if (points == font_.points) return;
    font_.points = points;
    shownPixels_ = PixelsOfPoints(points);
    native::SetFont(*native_, font_, shownPixels_);
    Changed();
}

void Control::FontBold(bool bold)
{
    if (bold == font_.bold) return;
    font_.bold = bold;
    native::SetFont(*native_, font_, shownPixels_);
    Changed();
}

void Control::FontItalic(bool italic)
{
    if (italic == font_.italic) return;
    font_.italic = italic;
    native::SetFont(*native_, font_, shownPixels_);
    Changed();
}

void Control::FontName(const std::string& face)
{
    if (face == font_.face) return;
    font_.face = face;
    native::SetFont(*native_, font_, shownPixels_);
    Changed();
}

void Control::Visible(bool visible)
{
    if (visible == visible_) return;
    visible_ = visible;
    native::SetVisible(*native_, visible);
    form_.LabelsChanged();
}

void Control::Enabled(bool enabled)
{
    // (The replays of a drag enable the lesson's buttons at every step.)
    if (enabled == enabled_) return;
    // A control greyed while it has the focus hands it on to the next one of
    // the tab order that can take it, on every window system, unless the
    // event has sent the focus elsewhere already.
    const bool focused = !enabled && !focus::Sent() && native::HasFocus(*native_);
    enabled_ = enabled;
    native::SetEnabled(*native_, enabled);
    if (focused)
        if (Control* next = form_.NextInTabOrder(*this)) next->SetFocus();
}

void Control::Left(const Variant& x) { Place(CInt(x), place_.top, place_.width, place_.height); }

void Control::Top(const Variant& y) { Place(place_.left, CInt(y), place_.width, place_.height); }

void Control::Place(int left, int top, int width, int height)
{
    const Rect moved{left, top, width, height};
    if (moved == place_) return;
    // Shown as placed until the fitting says otherwise.
    place_ = moved;
    shownPlace_ = moved;
    native::SetPlace(*native_, moved);
    Placed();
    Changed();
}

void Control::SetFocus() { focus::Send(*this); }

bool Control::HasFocus() const
{
    if (const Control* sent = focus::Sent()) return sent == this;
    return native::HasFocus(*native_);
}

void Control::AccessibleName(const std::string& name)
{
    if (name == name_) return;
    name_ = name;
    native::SetAccessibleName(*native_, name);
}

void Control::AccessibleDescription(const std::string& text)
{
    if (text == description_) return;
    description_ = text;
    native::SetAccessibleDescription(*native_, text);
}

void Control::Name(const std::string& name)
{
    layoutName_ = name;
    native::SetName(*native_, name);
}

// Buttons.

CommandButton::CommandButton(Form& form) : Control(form, Kind::Button) { native_ = native::MakeButton(form, *this); }

void CommandButton::Caption(const std::string& caption)
{
    caption_ = caption;
    native::SetCaption(*native_, caption);
}

void CommandButton::AccessibleChecked(bool checked)
{
    if (checked_ == int(checked)) return;
    checked_ = checked ? 1 : 0;
    native::SetChecked(*native_, checked);
}

void CommandButton::Clicked()
{
    if (!enabled_ || !click_) return;
    Deliver(click_);
}

// Text boxes.

TextBox::TextBox(Form& form) : Control(form, Kind::Box)
{
    native_ = native::MakeTextBox(form, *this);
    native::SetMaxLength(*native_, kMaxLength);
}

void TextBox::Text(const std::string& text)
{
    text_ = CutToUnits(text, kMaxLength);
    native::SetText(*native_, text_);
    Fit();
}

void TextBox::Edited(std::string text)
{
    text_ = std::move(text);
    Fit();
}

int TextBox::SelStart() const { return CharactersOf(text_, native::SelStart(*native_)); }

void TextBox::SelStart(int start)
{
    const int from = UnitsOf(text_, std::max(0, start));
    native::Select(*native_, from, from);
}

int TextBox::SelLength() const
{
    const int from = native::SelStart(*native_);
    return CharactersOf(text_, from + native::SelLength(*native_)) - CharactersOf(text_, from);
}

void TextBox::SelLength(int length)
{
    const int start = SelStart();
    native::Select(*native_, UnitsOf(text_, start), UnitsOf(text_, start + std::max(0, length)));
}

void TextBox::Alignment(Align a)
{
    align_ = a;
    native::SetAlignment(*native_, a == Align::Center);
}

bool TextBox::KeyPressed(std::int16_t& keyCode)
{
    // The keys a handler is offered, the same on every window system: Enter,
    // Backspace, Escape and the characters typed; not Tab, Delete or the
    // control characters of shortcuts, which the box and the window take.
    const bool offered = keyCode == 8 || keyCode == 13 || keyCode == 27 || (keyCode >= 32 && keyCode != 127);
    if (!offered || !keyPress_) return true;
    Deliver([&] { keyPress_(keyCode); });
    return keyCode != 0;
}

// Labels.

Label::Label(Form& form) : Control(form, Kind::Label) { native_ = native::MakeLabel(form, *this); }

void Label::Caption(const std::string& caption)
{
    if (caption == caption_) return;
    caption_ = caption;
    shownCaption_ = caption;
    native::SetCaption(*native_, caption);
    AccessibleName(fallback_.empty() ? caption : fallback_);
    form_.LabelsChanged();
}

void Label::FallbackName(const std::string& name)
{
    fallback_ = name;
    AccessibleName(fallback_.empty() ? caption_ : fallback_);
}

void Label::BackColor(Color c)
{
    back_ = c;
    native::SetLabelColors(*native_, back_, fore_);
}

void Label::ForeColor(Color c)
{
    fore_ = c;
    native::SetLabelColors(*native_, back_, fore_);
}

void Label::Alignment(Align a)
{
    align_ = a;
    native::SetAlignment(*native_, a == Align::Center);
    form_.LabelsChanged();
}

// Lines.

LineControl::LineControl(Form& form) : form_(form), native_(native::MakeLine(form, *this)) { form_.Occupy(this); }

LineControl::~LineControl()
{
    form_.Vacate(this);
    native::Destroy(native_);
}

void LineControl::Place(int x1, int y1, int x2, int y2, int borderWidth, Color c)
{
    ends_ = {x1, y1, x2, y2};
    width_ = std::max(1, borderWidth);
    color_ = c;
    native::PlaceLine(*native_, ends_, width_, color_, Covered());
    form_.LabelsChanged();
}

Rect LineControl::Covered() const
{
    const int half = width_ / 2;
    const int left = std::min(ends_.x1, ends_.x2), top = std::min(ends_.y1, ends_.y2);
    const int across = std::abs(ends_.x2 - ends_.x1), down = std::abs(ends_.y2 - ends_.y1);
    if (ends_.y1 == ends_.y2) return {left, ends_.y1 - half, across + 1, width_};
    if (ends_.x1 == ends_.x2) return {ends_.x1 - half, top, width_, down + 1};
    // Round ends reach half the width past each end's pixel, every way.
    return {left - half, top - half, across + width_, down + width_};
}

void LineControl::Visible(bool visible)
{
    if (visible == visible_) return;
    visible_ = visible;
    native::SetVisible(*native_, visible);
    form_.LabelsChanged();
}

void LineControl::AccessibleName(const std::string& name)
{
    name_ = name;
    native::SetAccessibleName(*native_, name);
}

void LineControl::Name(const std::string& name) { native::SetName(*native_, name); }

// Text for assistive technology.

AccessibleText::AccessibleText(Form& form) : form_(form), native_(native::MakeAccessibleText(form))
{
    form_.Occupy(this);
}

AccessibleText::~AccessibleText()
{
    form_.Vacate(this);
    native::Destroy(native_);
}

void AccessibleText::Place(int left, int top, int width, int height)
{
    place_ = {left, top, width, height};
    native::SetPlace(*native_, place_);
}

void AccessibleText::Text(const std::string& text)
{
    if (text == text_) return;
    text_ = text;
    native::SetAccessibleText(*native_, text);
}

// The window.

Form::Form() : native_(native::MakeForm(*this))
{
    fitter_ = AfterEachEvent([this] {
        if (labelsChanged_) FitLabels();
    });
}

Form::~Form()
{
    ForgetAfterEachEvent(fitter_);
    native::Destroy(native_);
}

void Form::Caption(const std::string& title)
{
    caption_ = title;
    native::SetTitle(*native_, title);
}

void Form::ClientSize(int width, int height)
{
    width_ = width;
    height_ = height;
    native::SetClientSize(*native_, width, height);
}

void Form::BackColor(Color c)
{
    back_ = c;
    native::SetFormColor(*native_, c);
}

void Form::TabStop(Control& c)
{
    tabOrder_.push_back(&c);
    native::TabStop(*native_, *c.native_);
}

void Form::StackLightControls() { native::StackLightControls(*native_); }

Control* Form::NextInTabOrder(const Control& from) const
{
    const auto at = std::find(tabOrder_.begin(), tabOrder_.end(), &from);
    if (at == tabOrder_.end()) return nullptr;
    for (std::size_t k = 1; k < tabOrder_.size(); ++k) {
        Control* c = tabOrder_[(std::size_t(at - tabOrder_.begin()) + k) % tabOrder_.size()];
        if (c->Enabled() && c->Visible()) return c;
    }
    return nullptr;
}

void Form::Show()
{
    // The labels and lines under a text read as one are left to it, on every
    // window system: a screen reader hears the equation once, as it is said,
    // not its parts besides.
    const auto under = [](const Rect& p, const Rect& r) {
        return p.left >= r.left && p.top >= r.top && p.right() <= r.right() && p.bottom() <= r.bottom();
    };
    for (const AccessibleText* t : texts_) {
        for (Control* c : controls_)
            if (c->ControlKind() == Control::Kind::Label && under(c->Place(), t->place_))
                native::SetAccessibleHidden(*c->native_, true);
        for (LineControl* l : lines_)
            if (under(l->Covered(), t->place_)) native::SetAccessibleHidden(*l->native_, true);
    }
    shown_ = true;
    if (labelsChanged_) FitLabels();
    native::ShowForm(*native_);
    if (!tabOrder_.empty()) tabOrder_.front()->SetFocus();
}

Form::Fitted Form::FitInto(double windowWidth, double windowHeight) const
{
    const double w = std::max(1, width_), h = std::max(1, height_);
    double scale = std::min(windowWidth / w, windowHeight / h);
    if (!(scale > 0)) scale = 1;
    return {scale, (windowWidth - w * scale) / 2, (windowHeight - h * scale) / 2};
}

void Form::Vacate(const void* control)
{
    std::erase_if(controls_, [&](const Control* c) { return c == control; });
    std::erase_if(lines_, [&](const LineControl* l) { return l == control; });
    std::erase_if(texts_, [&](const AccessibleText* t) { return t == control; });
}

void Form::LabelsChanged()
{
    labelsChanged_ = true;
    // Outside an event (a test calling a handler) at once; during one when it
    // is over, with everything in its place; while the window is being built,
    // once, when it is shown (each property set would fit every label again).
    if (!InEvent() && shown_) FitLabels();
}

void Form::FitLabels()
{
    labelsChanged_ = false;
    for (Control* c : controls_)
        if (c->ControlKind() == Control::Kind::Label) static_cast<Label*>(c)->Fit();
}

std::vector<Rect> Form::Neighbours(const Control& of) const
{
    const Rect& r = of.Place();
    std::vector<Rect> found;
    const auto beside = [&](const Rect& o) { return o.top < r.bottom() && r.top < o.bottom(); };
    for (const Control* c : controls_) {
        if (c == &of || !c->Visible()) continue;
        if (c->ControlKind() == Control::Kind::Label && static_cast<const Label*>(c)->Caption().empty()) continue;
        if (beside(c->Place())) found.push_back(c->Place());
    }
    for (const LineControl* l : lines_)
        if (l->Visible() && beside(l->Covered())) found.push_back(l->Covered());
    return found;
}

// The keyboard focus.

namespace focus {

namespace {

Control* sent = nullptr;
int messagesOpen = 0;

}  // namespace

void Send(Control& to)
{
    sent = &to;
    if (!InEvent()) Move();
}

Control* Sent() { return sent; }

void Move()
{
    if (!sent || messagesOpen > 0) return;
    Control& to = *sent;
    sent = nullptr;
    if (to.Enabled() && to.Visible()) native::Focus(Events::Of(to));
}

void MessageOpened() { ++messagesOpen; }

void Forget(const Control& c)
{
    if (sent == &c) sent = nullptr;
}

void MessageClosed()
{
    if (messagesOpen > 0) --messagesOpen;
    Move();
}

}  // namespace focus

}  // namespace platform
