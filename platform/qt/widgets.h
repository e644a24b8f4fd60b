// The Qt widgets behind the controls, for the Qt implementation and its
// tests; the handlers never include this.
#pragma once

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStaticText>
#include <QWidget>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/controls.h"
#include "platform/events.h"
#include "platform/picture.h"

namespace platform {

namespace qt {

QColor ToQColor(Color c);
QString ToQString(const std::string& utf8);
std::string ToUtf8(const QString& text);
// The font of the control at a size in pixels (in the window's own pixels
// times the scale it is shown at).
QFont ToQFont(const Font& f, int pixels, const QFont& base);

}  // namespace qt

namespace native {

class FormWidget;

// Behind every control and the window: the Qt widget, and where and how large
// it is in the form's own pixels, so that it can be shown at any scale.
class Element {
public:
    enum class Kind { Form, Button, Box, Label, Line, Picture, Text };
    Element(Kind kind, FormWidget* form, QWidget* widget);
    ~Element();
    Element(const Element&) = delete;
    Element& operator=(const Element&) = delete;

    // Shows the widget at the form's scale: its place, its font, both.
    void applyPlace();
    void applyFont();
    void apply();

    const Kind kind;
    FormWidget* const form;  // the window's widget (itself, for the window)
    QWidget* const widget;   // owned
    Rect place;              // in the form's pixels
    Font font;
    int pixels = 0;  // the font's size in the form's pixels; 0 while none is set

private:
    // The font the widget was last given, at the form's scale.
    Font appliedFont;
    int appliedPixels = 0;
};

// An element of the form for this widget, which it then owns.
Element* Made(Element::Kind kind, Form& form, QWidget* widget);
// The window's widget, which the controls' widgets stand on.
QWidget* FormOf(Form& form);

// The window: the form at a uniform scale, centred on its own green.
class FormWidget : public QWidget {
public:
    explicit FormWidget(const Form& owner);
    const Form& owner;
    // Where the form's pixel (x, y) lies in the window, and how large a form pixel is.
    double scale = 1.0;
    QPointF offset;
    QSize client{1, 1};
    std::vector<Element*> elements;
    QWidget* lastTabStop = nullptr;

    // The form's scale for the window's present size; every control shown anew.
    void rescale();
    QRect scaled(const Rect& r) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
};

class ButtonWidget : public QPushButton {
public:
    ButtonWidget(QWidget* parent, CommandButton& owner);
    CommandButton& owner;
    int checked = -1;  // for assistive technology: -1 not one of a choice

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

class BoxWidget : public QLineEdit {
public:
    BoxWidget(QWidget* parent, TextBox& owner);
    // The width the box has for its text, in its own pixels.
    int textRoom() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TextBox& owner_;
};

class LineWidget : public QWidget {
public:
    LineWidget(QWidget* parent, FormWidget& form);
    LineControl::Ends ends;
    int width = 1;
    Color color = 0;
    Rect covered;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    FormWidget& form_;
};

// The picture box's widget: the retained image at the screen's pixel
// density times the form's scale, the painter that draws into it, the quick
// ways of drawing, and the mouse and keys that reach the handlers.
class PictureWidget : public QWidget {
public:
    PictureWidget(QWidget* parent, PictureBox& owner);
    ~PictureWidget() override;

    // The retained image (drawing so far included).
    const QImage& image();
    // Draws every primitive the plain way (one QPainter call each) instead of
    // the quick ways (pixels set for axis lines, dots stamped from a drawn
    // one, texts laid out once); both give the same pixels, which the tests
    // hold them to.
    void plainDrawing(bool plain) { plain_ = plain; }
    bool plain() const { return plain_; }

    // The retained image and its density (picture_image.cpp).
    void resizeImage(int width, int height);
    // What was drawn, made again into an image of its own at `ratio` image
    // pixels to a form pixel; the retained image stays as it is.
    QImage madeAgain(double ratio);
    int imageWidth() const;  // the retained image's width for the present scale
    void clear(Color back);
    void markForShowing();
    int w = 1, h = 1;  // size in the form's pixels
    qreal ratio = 1;   // image pixels to a form pixel
    QImage retained;
    Color back = RGB(255, 255, 255);

    // The painter (picture_painter.cpp): one for as long as drawing goes on,
    // keeping its pen and font between texts.
    QPainter& painter();
    void endPainting();
    void textPen(Color c);
    void forgetPen();  // the pen was set for something else than text
    // The font texts are drawn in from now on, and the painter's.
    void drawingFont(const Font& f, int pixels);
    void textFont();

    // The quick ways (picture_quick.cpp).
    void fillPixels(int left, int top, int right, int bottom, Color c);
    void stampDot(double cx, double cy, double radius, Color c);
    struct LaidOut {
        QStaticText text;
        double ascent, height;
        QRectF ink;  // where its glyphs can reach, from its top-left corner
    };
    const LaidOut& laidOut(const std::string& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPointF formPoint(const QPointF& at) const;

    PictureBox& owner_;
    bool plain_ = false;
    bool updatePending_ = false;
    std::unique_ptr<QPainter> painter_;
    Font drawingFont_;          // the font texts are drawn in, in form pixels,
    int drawingPixels_ = 0;     // as the program gave it
    QFont font_;                // and as Qt's
    bool painterFont_ = false;  // the painter has that font
    QRgb painterPen_ = 0;       // the painter's pen colour, when set for text
    bool keyboardFocus_ = false;  // focus came by the keyboard: show where it is
    double madeAt_ = 0;           // while made again for another use: its ratio

    // A dot drawn once into a small image, stamped wherever it is wanted.
    struct Stamp {
        double radius, fx, fy;
        Color color;
        QImage image;
    };
    std::vector<Stamp> stamps_;
    std::unordered_map<std::string, LaidOut> texts_;
    std::vector<QRgb> solid_;  // a row of one colour, to copy long runs from
    QRgb solidPixel_ = 0;
};

// Our own answers to assistive technology's questions (buttons of a choice,
// texts read as one); installed before the first widget is made.
void InstallAccessibility();
// Drops what Qt made for a widget before it was complete.
void ForgetAccessibleInterface(QWidget* w);
// The widget's property that marks a label or a line assistive technology leaves out.
inline constexpr char kUnread[] = "lgUnread";

// A text for assistive technology over a part of the window; it draws nothing.
class TextWidget : public QWidget {
public:
    explicit TextWidget(QWidget* parent);
    QString text;
    int announced = 0;  // changes told to assistive technology
};

}  // namespace native

namespace qt {

// The Qt widget behind each control.
inline QPushButton* Widget(CommandButton& c) { return static_cast<QPushButton*>(Events::Of(c).widget); }
inline QLineEdit* Widget(TextBox& c) { return static_cast<QLineEdit*>(Events::Of(c).widget); }
inline QLabel* Widget(Label& c) { return static_cast<QLabel*>(Events::Of(c).widget); }
inline QWidget* Widget(LineControl& c) { return Events::Of(c).widget; }
inline native::PictureWidget* Widget(PictureBox& c) { return static_cast<native::PictureWidget*>(Events::Of(c).widget); }
inline QWidget* Widget(AccessibleText& t) { return Events::Of(t).widget; }
inline native::FormWidget* Widget(platform::Form& f) { return static_cast<native::FormWidget*>(Events::Of(f).widget); }

// The picture's retained image.
inline const QImage& Image(PictureBox& p) { return Widget(p)->image(); }

}  // namespace qt

}  // namespace platform
