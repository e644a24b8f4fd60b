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

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QStaticText>

#include <functional>
#include <memory>
#include <vector>

#include "platform/controls.h"

namespace platform {

class PictureBox : public Control<QWidget> {
public:
    explicit PictureBox(QWidget* parent);
    ~PictureBox() override;

    void Place(int left, int top, int width, int height);
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
    float CurrentX() const { return currentX_; }
    void CurrentX(const Variant& x) { currentX_ = CSng(x); }
    float CurrentY() const { return currentY_; }
    void CurrentY(const Variant& y) { currentY_ = CSng(y); }
    // One text with its top-left corner at (CurrentX, CurrentY); then, as a
    // printed line does, CurrentX goes to 0 and CurrentY to the next line.
    void Print(const QString& text);
    // Shows the image at once.
    void Refresh();

    // The retained image (drawing so far included).
    const QImage& Image();

    // Draws every primitive the plain way (one QPainter call each) instead of
    // the fast ways (pixels set for axis lines, dots stamped from a drawn one,
    // texts laid out once); both give the same pixels, which the tests hold
    // them to.
    void PlainDrawing(bool plain) { plain_ = plain; }

    // Dots drawn since the last Cls that can be seen on the picture.
    int DotsShown() const { return dotsShown_; }

    using MouseHandler = std::function<void(std::int16_t button, std::int16_t shift, float x, float y)>;
    // A key pressed while the picture has the focus: the key's code (37 to 40
    // for the arrows left, up, right, down) and the shift state.
    using KeyHandler = std::function<void(std::int16_t& keyCode, std::int16_t shift)>;
    void OnKeyDown(KeyHandler h) { keyDown_ = std::move(h); }
    void OnMouseDown(MouseHandler h) { down_ = std::move(h); }
    void OnMouseMove(MouseHandler h) { move_ = std::move(h); }
    void OnMouseUp(MouseHandler h) { up_ = std::move(h); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPainter& painter();
    void endPainting();
    void axisLine(double x1, double y1, double x2, double y2, Color color);
    void deliverMouse(const MouseHandler& handler, QMouseEvent* event, std::int16_t button);
    const QImage& dotStamp(double radius, double fx, double fy);

    // A dot drawn once into a small image, stamped wherever it is wanted.
    struct Stamp {
        double radius, fx, fy;
        Color color;
        QImage image;
    };
    std::vector<Stamp> stamps_;
    // Texts laid out once, with their font's ascent and line height.
    struct Text {
        QStaticText text;
        double ascent, height;
        QRectF ink;  // where its glyphs can reach, from its top-left corner
    };
    QHash<QString, Text> texts_;
    bool plain_ = false;
    bool updatePending_ = false;
    bool painterFont_ = false;  // the painter has the picture's font
    QRgb painterPen_ = 0;       // the painter's pen colour, when set for text

    void allocate();

    QImage image_;
    int w_ = 1, h_ = 1;  // size in the window's pixels
    qreal ratio_ = 1;    // image pixels to a window pixel
    std::unique_ptr<QPainter> painter_;
    Color back_ = RGB(255, 255, 255);
    Color fore_ = RGB(0, 0, 0);
    std::int16_t drawWidth_ = 1;
    float currentX_ = 0, currentY_ = 0;
    MouseHandler down_, move_, up_;
    KeyHandler keyDown_;
    int dotsShown_ = 0;
    bool keyboardFocus_ = false;  // focus came by the keyboard: show where it is
};

}  // namespace platform
