// The window system as the handlers see it: a window, its controls with their
// properties, control arrays, and the delivery of events to handlers.
//
// A property is read by calling it with no argument and set by calling it
// with the new value: Caption(), Caption("中"). Texts are UTF-8. Each control
// keeps its properties here, in the window's own pixels, and stands on an
// element of the window system (platform/native.h), which each window system
// defines for itself; the handlers never see it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/color.h"
#include "platform/runtime.h"
#include "platform/variant.h"

namespace platform {

namespace native {
class Element;
}  // namespace native

// The face that the layout asks for; each window system has a stand-in for it.
inline constexpr char kLayoutFace[] = "ＭＳ Ｐゴシック";

// Pixels of a font of the given points at the standard 96 dots per inch.
int PixelsOfPoints(float points);

// How many characters a text holds.
int Characters(const std::string& text);
// Positions in a text: how many UTF-16 code units its first characters take,
// and how many characters its first UTF-16 units hold (both window systems
// count units; the program counts characters).
int UnitsOf(const std::string& text, int characters);
int CharactersOf(const std::string& text, int units);
// The longest start of a text that is at most `units` UTF-16 code units long,
// never cutting a character in two.
std::string CutToUnits(const std::string& text, int units);

struct Font {
    std::string face;
    float points = 9.0f;
    bool bold = false;
    bool italic = false;
    friend bool operator==(const Font&, const Font&) = default;
};

// A rectangle in window pixels.
struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

class Form;

// Place, font, visibility, enabled state, focus and accessible name, shared
// by every control that has them.
class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    float FontSize() const { return font_.points; }
    void FontSize(float points);
    bool FontBold() const { return font_.bold; }
    void FontBold(bool bold);
    bool FontItalic() const { return font_.italic; }
    void FontItalic(bool italic);
    const std::string& FontName() const { return font_.face; }
    void FontName(const std::string& face);
    const Font& CurrentFont() const { return font_; }

    bool Visible() const { return visible_; }
    void Visible(bool visible);
    bool Enabled() const { return enabled_; }
    void Enabled(bool enabled);

    float Left() const { return static_cast<float>(place_.left); }
    void Left(const Variant& x);
    float Top() const { return static_cast<float>(place_.top); }
    void Top(const Variant& y);
    float Width() const { return static_cast<float>(place_.width); }
    float Height() const { return static_cast<float>(place_.height); }
    const Rect& Place() const { return place_; }
    // Place and size in window pixels, as the layout gives them.
    void Place(int left, int top, int width, int height);

    // Moves the keyboard focus here; clicks nothing. During an event the
    // focus moves when the event is over, to where it was sent last.
    void SetFocus();
    bool HasFocus() const;

    // What assistive technology (a screen reader) says of the control.
    const std::string& AccessibleName() const { return name_; }
    void AccessibleName(const std::string& name);
    const std::string& AccessibleDescription() const { return description_; }
    void AccessibleDescription(const std::string& text);

    // The control's name in the layout ("Command4(0)"), by which the window
    // system's own tools find it.
    const std::string& Name() const { return layoutName_; }
    void Name(const std::string& name);

    // How the control is shown: its place and its font's size in pixels, as
    // the layout gives them unless a text does not fit (see Label, TextBox).
    const Rect& ShownPlace() const { return shownPlace_; }
    int ShownPixels() const { return shownPixels_; }

    enum class Kind { Button, Box, Label, Picture };
    Kind ControlKind() const { return kind_; }

protected:
    friend class Events;
    friend class Form;
    Control(Form& form, Kind kind);
    virtual ~Control();
    // The control was placed anew (a control that keeps something of its
    // size, such as the picture's drawing, makes it again).
    virtual void Placed() {}
    // Shows the place and font as they are to be shown now.
    void Show(const Rect& place, int pixels);
    // A property that decides how a text is shown changed.
    void Changed();

    Form& form_;
    Kind kind_;
    native::Element* native_ = nullptr;  // owned; made by the control's own constructor
    Font font_;
    Rect place_, shownPlace_;
    int shownPixels_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    std::string name_, description_, layoutName_;
};

class CommandButton : public Control {
public:
    explicit CommandButton(Form& form);
    const std::string& Caption() const { return caption_; }
    void Caption(const std::string& caption);
    // The handler of a click.
    void OnClick(std::function<void()> handler) { click_ = std::move(handler); }
    // For assistive technology: the button is one of a choice, chosen or not.
    void AccessibleChecked(bool checked);
    bool AccessibleChecked() const { return checked_ == 1; }

private:
    friend class Events;
    // The button was pressed. A disabled button delivers no click.
    void Clicked();

    std::string caption_;
    std::function<void()> click_;
    int checked_ = -1;  // -1: not one of a choice
};

// A single line of text. A text wider than the box is shown in a smaller size
// of the same face, just small enough to fit, down to a least size; past it
// the box scrolls.
class TextBox : public Control {
public:
    // The most a box holds, in UTF-16 code units as both window systems
    // count them: a longer text, pasted or set, is cut there.
    static constexpr int kMaxLength = 32767;

    explicit TextBox(Form& form);
    const std::string& Text() const { return text_; }
    // Sets the text as a paste into the empty box would: cut to what it holds.
    void Text(const std::string& text);
    // Selection, in characters from the start (the window system counts
    // UTF-16 units; the box's own text tells how they match).
    int SelStart() const;
    void SelStart(int start);
    int SelLength() const;
    void SelLength(int length);
    enum class Align { Left, Center };
    void Alignment(Align a);
    Align Alignment() const { return align_; }
    // Called for every key that types a character (13 for Enter, 8 for
    // Backspace), before the box takes it. A handler that sets the code to 0
    // swallows the key.
    void OnKeyPress(std::function<void(std::int16_t& keyCode)> handler) { keyPress_ = std::move(handler); }

private:
    friend class Events;
    friend class Control;
    // Works out the size of the text's font.
    void Fit();
    // A key that types the character of this code is pressed; false when
    // the handler swallowed it.
    bool KeyPressed(std::int16_t& keyCode);
    // The text was changed by the user.
    void Edited(std::string text);

    std::string text_;
    Align align_ = Align::Left;
    std::function<void(std::int16_t&)> keyPress_;
};

// Text on the window. A label lower than a line and a half shows one line: a
// number wider than it is shown in a smaller size of the same face, just
// small enough to fit; past a least size the label grows to the left or right
// over empty space, not over its neighbours, and only then shrinks further,
// so that a number is never cut. A higher label wraps its caption.
class Label : public Control {
public:
    explicit Label(Form& form);
    const std::string& Caption() const { return caption_; }
    void Caption(const std::string& caption);
    // For assistive technology: the label is named by its caption, or, when
    // it has a name of its own (a slot of the equation), by that name.
    void FallbackName(const std::string& name);
    Color BackColor() const { return back_; }
    void BackColor(Color c);
    Color ForeColor() const { return fore_; }
    void ForeColor(Color c);
    enum class Align { Left, Center };
    void Alignment(Align a);
    Align Alignment() const { return align_; }

private:
    friend class Events;
    friend class Form;
    // Works out how the caption is shown, among the controls shown now.
    void Fit();
    // Whether the label shows its caption on one line, never wrapped: a label
    // lower than a line and a half of its font, as the layout gives them.
    bool OneLine() const;

    std::string caption_, fallback_;
    std::string shownCaption_;  // as the window system shows it: broken into its lines
    Color back_ = RGB(0, 0, 0), fore_ = RGB(0, 0, 0);
    Align align_ = Align::Left;
    int oneLine_ = -1;  // as the window system was last told: -1 not yet
    // What the last fitting started from and came to, kept so that fitting
    // again among the same neighbours measures nothing.
    struct Fitting {
        std::string caption;
        Font font;
        Rect place;
        int from = 0, to = 0, leftmost = 0, rightmost = 0;
        bool centred = false;
        Rect shown;
        int pixels = 0;
        bool operator==(const Fitting& o) const
        {
            return caption == o.caption && font == o.font && place == o.place && from == o.from && to == o.to &&
                   leftmost == o.leftmost && rightmost == o.rightmost && centred == o.centred;
        }
    };
    Fitting fitted_;
};

// A straight line drawn on the window; hidden or shown, never focused.
class LineControl {
public:
    explicit LineControl(Form& form);
    ~LineControl();
    LineControl(const LineControl&) = delete;
    LineControl& operator=(const LineControl&) = delete;

    struct Ends {
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        friend bool operator==(const Ends&, const Ends&) = default;
    };
    void Place(int x1, int y1, int x2, int y2, int borderWidth, Color c);
    // Ends of the line in window pixels, as placed.
    const Ends& Place() const { return ends_; }
    Color BorderColor() const { return color_; }
    int BorderWidth() const { return width_; }
    bool Visible() const { return visible_; }
    void Visible(bool visible);
    const std::string& AccessibleName() const { return name_; }
    void AccessibleName(const std::string& name);
    void Name(const std::string& name);
    // The pixels the line covers: a line across or down the form is
    // `BorderWidth` pixels thick around its ends' row or column, from end to
    // end; a slanted one is that thick around the segment, with round ends.
    Rect Covered() const;
    bool AlongAnAxis() const { return ends_.x1 == ends_.x2 || ends_.y1 == ends_.y2; }

private:
    friend class Events;
    friend class Form;
    Form& form_;
    native::Element* native_;  // owned
    Ends ends_;
    int width_ = 1;
    Color color_ = 0;
    bool visible_ = true;
    std::string name_;
};

// A part of the window that assistive technology reads as one text, such as
// an equation built from several labels; it shows no pixels of its own. A
// change of the text is announced.
class AccessibleText {
public:
    explicit AccessibleText(Form& form);
    ~AccessibleText();
    AccessibleText(const AccessibleText&) = delete;
    AccessibleText& operator=(const AccessibleText&) = delete;

    void Place(int left, int top, int width, int height);
    const std::string& Text() const { return text_; }
    void Text(const std::string& text);

private:
    friend class Events;
    friend class Form;
    Form& form_;
    native::Element* native_;  // owned
    Rect place_;
    std::string text_;
};

// Items of one name told apart by a 16-bit index from 0.
template <class T, std::size_t N>
class ControlArray {
public:
    explicit ControlArray(Form& form)
    {
        for (auto& item : items_) item = std::make_unique<T>(form);
    }
    T& operator()(std::int16_t index) { return *items_[checked(index)]; }
    const T& operator()(std::int16_t index) const { return *items_[checked(index)]; }
    static constexpr std::int16_t Count() { return static_cast<std::int16_t>(N); }

private:
    static std::size_t checked(std::int16_t index)
    {
        if (index < 0 || static_cast<std::size_t>(index) >= N) throw RuntimeError(RuntimeError::SubscriptOutOfRange);
        return static_cast<std::size_t>(index);
    }
    std::array<std::unique_ptr<T>, N> items_;
};

// The window. Its client area has a fixed size in window pixels, which the
// window system may show larger or smaller (a maximised or full-screen
// window, a small screen): the whole form scales uniformly, and the handlers
// keep working in the form's own pixels.
class Form {
public:
    Form();
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& Caption() const { return caption_; }
    void Caption(const std::string& title);
    void ClientSize(int width, int height);
    int ClientWidth() const { return width_; }
    int ClientHeight() const { return height_; }
    void BackColor(Color c);
    Color BackColor() const { return back_; }
    // The tab order, first to last; the first takes the focus when the window opens.
    template <class... C>
    void TabOrder(C&... controls)
    {
        (TabStop(controls), ...);
    }
    // Labels and lines lie under the boxes and the picture, as on a form.
    void StackLightControls();
    // Shows the window with the focus on the first control of the tab order.
    void Show();

    // The form's scale and place in a window: as large as fits, the same
    // across and down, centred on the form's own colour.
    struct Fitted {
        double scale = 1, left = 0, top = 0;
        friend bool operator==(const Fitted&, const Fitted&) = default;
    };

private:
    Fitted FitInto(double windowWidth, double windowHeight) const;
    friend class Events;
    friend class Control;
    friend class Label;
    friend class LineControl;
    friend class AccessibleText;
    void TabStop(Control& c);
    void FitLabels();
    // The controls on the form, among which the labels are fitted.
    void Occupy(Control* c) { controls_.push_back(c); }
    void Occupy(LineControl* l) { lines_.push_back(l); }
    void Occupy(AccessibleText* t) { texts_.push_back(t); }
    // The next control of the tab order after this one that can take the
    // focus (enabled and shown), round to the first; null when none.
    Control* NextInTabOrder(const Control& from) const;
    void Vacate(const void* control);
    // The pixels the controls shown now take, but the one given, that lie
    // beside it (overlapping it vertically).
    std::vector<Rect> Neighbours(const Control& of) const;
    // A label's caption or a control's place or visibility changed: the
    // labels are fitted again once the event is over.
    void LabelsChanged();

    native::Element* native_;  // owned
    std::string caption_;
    int width_ = 0, height_ = 0;
    Color back_ = RGB(255, 255, 255);
    std::vector<Control*> controls_;
    std::vector<LineControl*> lines_;
    std::vector<AccessibleText*> texts_;
    std::vector<Control*> tabOrder_;
    bool labelsChanged_ = false;
    bool shown_ = false;
    int fitter_ = 0;  // the work that fits the labels after an event
};


}  // namespace platform
