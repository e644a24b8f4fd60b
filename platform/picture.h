// The picture box: a drawing surface with a retained image.
//
// Everything drawn goes into an image of the picture's size, which stays until
// Cls and is shown on every repaint (also when drawn before the window is
// first shown). Coordinates are pixels from the top-left corner, y downward,
// as 32-bit floats; what falls outside is clipped.
//
// Lines along an axis are drawn without smoothing, so that a line of width w
// is exactly w pixels wide: a horizontal line at y covers the w rows around
// the row of y (rows r - w/2 … r - w/2 + w - 1, r = y rounded), a vertical
// one likewise the columns. Slanted lines, circles and text are smoothed.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/controls.h"

namespace platform {

// A straight piece of a line, in the picture's pixels.
struct Segment {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

class PictureBox : public Control {
public:
    explicit PictureBox(Form& form);

    void BackColor(Color c);
    Color BackColor() const { return back_; }
    void ForeColor(Color c) { fore_ = c; }
    Color ForeColor() const { return fore_; }

    // Everything back to the background colour.
    void Cls();
    std::int16_t DrawWidth() const { return drawWidth_; }
    void DrawWidth(std::int16_t width);
    // A line in the foreground colour, or in the colour given.
    void Line(const Variant& x1, const Variant& y1, const Variant& x2, const Variant& y2);
    void Line(const Variant& x1, const Variant& y1, const Variant& x2, const Variant& y2, Color color);
    // A circle around (x, y): outline in the foreground colour and the current
    // width, filled with the foreground colour, so that it reads as a dot.
    void Circle(const Variant& x, const Variant& y, const Variant& radius);
    // The same dot in the colour given.
    void Circle(const Variant& x, const Variant& y, const Variant& radius, Color color);
    // A square `side` pixels across, filled with the colour given, centred on
    // the pixel of (x, y); sharp, as lines along an axis are. Counted as a dot.
    void Square(const Variant& x, const Variant& y, std::int16_t side, Color color);
    // A circle's outline around (x, y), DrawWidth wide, not filled, in the colour given.
    void Ring(const Variant& x, const Variant& y, const Variant& radius, Color color);
    float CurrentX() const { return currentX_; }
    void CurrentX(const Variant& x) { currentX_ = CSng(x); }
    float CurrentY() const { return currentY_; }
    void CurrentY(const Variant& y) { currentY_ = CSng(y); }
    // One text with its top-left corner at (CurrentX, CurrentY); then, as a
    // printed line does, CurrentX goes to 0 and CurrentY to the next line.
    void Print(const std::string& text);
    // Shows the image at once.
    void Refresh();

    // The box the glyphs of a text cover when it is printed with its top-left
    // corner at (0, 0), in the picture's font now, in its pixels.
    struct Ink {
        double left = 0, top = 0, right = 0, bottom = 0;
    };
    Ink TextInk(const std::string& text) const;
    // The texts printed since the last Cls, each with the corner it was printed at.
    struct Printed {
        std::string text;
        float x, y;
    };
    std::vector<Printed> PrintedTexts() const;

    // Dots drawn since the last Cls that can be seen on the picture.
    int DotsShown() const { return dotsShown_; }

    // The picture as drawn, at `ratio` image pixels to each of its pixels,
    // as a PNG image: copied to the clipboard, or saved to a file that the
    // user names, starting from `name`. `done` learns whether the window
    // system took it (a save the user cancels is not refused), at once or,
    // where the window system answers later, as an event of its own.
    using Done = std::function<void(bool taken)>;
    void CopyImage(double ratio, Done done);
    void SaveImage(double ratio, const std::string& name, Done done);

    using MouseHandler = std::function<void(std::int16_t button, std::int16_t shift, float x, float y)>;
    // A key pressed while the picture has the focus: the key's code (37 to 40
    // for the arrows left, up, right, down) and the shift state.
    using KeyHandler = std::function<void(std::int16_t& keyCode, std::int16_t shift)>;
    void OnKeyDown(KeyHandler h) { keyDown_ = std::move(h); }
    void OnMouseDown(MouseHandler h) { down_ = std::move(h); }
    void OnMouseMove(MouseHandler h) { move_ = std::move(h); }
    void OnMouseUp(MouseHandler h) { up_ = std::move(h); }

protected:
    // Given a new size, the picture starts blank: nothing of the old drawing
    // is drawn again at the new size.
    void Placed() override;

private:
    friend class Events;
    // A mouse button went down, the mouse moved, a button went up (buttons 1
    // left, 2 right, 4 middle; shift 1, ctrl 2, alt 4; x and y in the
    // picture's pixels). A key went down: true when a handler took it.
    void MouseDown(std::int16_t button, std::int16_t shift, float x, float y);
    void MouseMove(std::int16_t button, std::int16_t shift, float x, float y);
    void MouseUp(std::int16_t button, std::int16_t shift, float x, float y);
    bool KeyDown(std::int16_t keyCode, std::int16_t shift);
    // The picture's pixels are to be made again, from what was drawn since
    // the last Cls (its resolution changed, or an image of it is wanted).
    void Redraw();
    // An image handed on earlier was taken, or refused.
    void Handed(bool taken);

    void axisLine(double x1, double y1, double x2, double y2, Color color);

    // What was drawn since the last Cls, as the window system was asked to
    // draw it, so that the picture can be made again at any resolution.
    struct Drawn {
        enum Kind : std::uint8_t { Fill, Stroke, Dot, Ring, Text } kind;
        bool round;
        int width;
        Color color;
        double a, b, c, d;
        std::string text;
        Font font;
    };
    std::vector<Drawn> drawn_;
    mutable std::unordered_map<std::string, Ink> inks_;  // TextInk's measures

    int w_ = 1, h_ = 1;  // size in the window's pixels
    Color back_ = RGB(255, 255, 255);
    Color fore_ = RGB(0, 0, 0);
    std::int16_t drawWidth_ = 1;
    float currentX_ = 0, currentY_ = 0;
    int dotsShown_ = 0;
    MouseHandler down_, move_, up_;
    KeyHandler keyDown_;
    Done handing_;  // an image handed on, until the window system answers
};

}  // namespace platform
