// What a window system provides beneath the interface the handlers see: an
// element of its own behind every control and the window (each window system
// defines native::Element as it likes), and these operations on them. One
// implementation is built with the program, chosen when building; the calls
// are plain function calls.
//
// Places and sizes are in the form's own pixels; the window system shows the
// form at whatever scale fits its window.
#pragma once

#include <string>

#include "platform/color.h"
#include "platform/controls.h"
#include "platform/runtime.h"

namespace platform {
class PictureBox;
}

namespace platform::native {

// The program.

// Shows a report to the user; true when it stays open after the handler
// goes on (the page's message), and the window system tells when it is
// closed (Events::MessageClosed); false when the handler waited for the user.
bool ShowReport(const Report& report);
// Ends the program at once.
void Quit();
// Another lesson of the program, opened beside this one (platform::OpenLesson).
void OpenLesson(const LessonOpening& lesson);

// The window.

Element* MakeForm(Form& form);
void Destroy(Element* e);  // any element
void SetTitle(Element& form, const std::string& title);
void SetClientSize(Element& form, int width, int height);
void SetFormColor(Element& form, Color c);
// The next control in the order of the Tab key.
void TabStop(Element& form, Element& control);
void StackLightControls(Element& form);
// Shows the window, at the scale that fits it (Events::Fit); the program then
// gives the focus to its first control.
void ShowForm(Element& form);

// Every control. (Each window system reaches the controls through Events.)

Element* MakeButton(Form& form, CommandButton& owner);
Element* MakeTextBox(Form& form, TextBox& owner);
Element* MakeLabel(Form& form, Label& owner);
Element* MakeLine(Form& form, LineControl& owner);
Element* MakePicture(Form& form, PictureBox& owner);
Element* MakeAccessibleText(Form& form);

void SetPlace(Element& e, const Rect& place);
void SetFont(Element& e, const Font& font, int pixels);
void SetVisible(Element& e, bool visible);
void SetEnabled(Element& e, bool enabled);
// Moves the keyboard focus there now.
void Focus(Element& e);
bool HasFocus(const Element& e);
void SetAccessibleName(Element& e, const std::string& name);
void SetName(Element& e, const std::string& name);
void SetAccessibleDescription(Element& e, const std::string& text);
// A label or a line that assistive technology leaves out: a text read as one
// over it says what it shows.
void SetAccessibleHidden(Element& e, bool hidden);

// A text on one line in a font of the given size: how far it advances,
// where its ink begins and ends from the point it starts at, how far its
// baseline lies below the top of its line, and where its ink begins and ends
// below the top of its line.
struct Extent {
    double advance = 0, inkLeft = 0, inkRight = 0, ascent = 0, inkTop = 0, inkBottom = 0;
};
Extent MeasureText(const Font& font, int pixels, const std::string& text);

// Buttons and labels.
void SetCaption(Element& e, const std::string& caption);
void SetChecked(Element& button, bool checked);
void SetAlignment(Element& e, bool centred);
void SetLabelColors(Element& label, Color back, Color fore);
// A label that shows its caption on one line; else its lines as the caption
// breaks them (the program breaks a caption that is too wide for its label:
// the window system never wraps one).
void SetOneLine(Element& label, bool oneLine);

// Text boxes.
void SetText(Element& box, const std::string& text);
// The most the box holds, in UTF-16 code units; typing and pasting stop there.
void SetMaxLength(Element& box, int units);
// The width the box has for its text.
double TextRoom(const Element& box);
// The selection (or the cursor: an empty one), in UTF-16 code units.
int SelStart(const Element& box);
int SelLength(const Element& box);
void Select(Element& box, int from, int to);

// Lines. `covered`: the pixels the line covers (LineControl::Covered); a
// line along an axis fills exactly them.
void PlaceLine(Element& line, const LineControl::Ends& ends, int width, Color c, const Rect& covered);

// Text read as one by assistive technology; a change is announced.
void SetAccessibleText(Element& e, const std::string& text);

// The picture box's drawing, in its pixels; the caller has already clipped
// whole-pixel rectangles and cut far segments back to the picture.
void Resize(Element& p, int width, int height);
void Clear(Element& p, Color back);
// The standard colour of text on a button, the picture's foreground.
Color ButtonTextColor();
// The whole pixels left … right, top … bottom (inclusive, inside the picture).
void Fill(Element& p, int left, int top, int right, int bottom, Color c);
// A smoothed line of the given width from centre to centre of the pixels;
// round ends, or flat ones where neither end can be seen.
void Stroke(Element& p, double x1, double y1, double x2, double y2, int width, Color c, bool roundEnds);
// A smoothed disk around the centre of pixel (cx, cy).
void Dot(Element& p, double cx, double cy, double radius, Color c);
// A smoothed circle's outline of the given width around the centre of pixel (cx, cy).
void Ring(Element& p, double cx, double cy, double radius, int width, Color c);
// One text with its top-left corner at (x, y) in this font, `pixels` high in
// the picture's pixels; returns the height of a line of that font.
double Text(Element& p, float x, float y, const std::string& text, const Font& font, int pixels, Color c);
// Shows what was drawn.
void ShowDrawing(Element& p);

// The picture as drawn, made again at `ratio` image pixels to each of its
// pixels, handed on as a PNG image: to the clipboard, or to a file the user
// names, starting from `name` (a user who cancels is not refused). Later:
// the window system tells the picture when it is done (PictureBox::Handed).
enum class Handing { Done, Refused, Later };
Handing CopyImage(Element& p, double ratio);
Handing SaveImage(Element& p, double ratio, const std::string& name);

}  // namespace platform::native
