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
#include "platform/picture.h"

namespace platform {

namespace qt {

QColor ToQColor(Color c);
QString ToQString(const std::string& utf8);
std::string ToUtf8(const QString& text);
QFont ToQFont(const Font& f);

}  // namespace qt

namespace native {

class Form : public QWidget {
public:
    Form();
    QWidget* firstTabStop = nullptr;
    QWidget* lastTabStop = nullptr;
};

class Button : public QPushButton {
public:
    Button(Form& form, CommandButton& owner);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    CommandButton& owner_;
};

class TextBox : public QLineEdit {
public:
    TextBox(Form& form, platform::TextBox& owner);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    platform::TextBox& owner_;
};

class Label : public QLabel {
public:
    explicit Label(Form& form);
};

class Line : public QWidget {
public:
    Line(Form& form, LineControl& owner);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    LineControl& owner_;
};

// The picture box's widget: the retained image at the screen's pixel
// density, the painter that draws into it, the quick ways of drawing, and the
// mouse and keys that reach the handlers.
class Picture : public QWidget {
public:
    Picture(Form& form, PictureBox& owner);
    ~Picture() override;

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
    void clear(Color back);
    void markForShowing();
    int w = 1, h = 1;  // size in the window's pixels
    qreal ratio = 1;   // image pixels to a window pixel
    QImage retained;

    // The painter (picture_painter.cpp): one for as long as drawing goes on,
    // keeping its pen and font between texts.
    QPainter& painter();
    void endPainting();
    void textPen(Color c);
    void forgetPen();  // the pen was set for something else than text
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
    void forgetLayouts();

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
    PictureBox& owner_;
    bool plain_ = false;
    bool updatePending_ = false;
    std::unique_ptr<QPainter> painter_;
    bool painterFont_ = false;  // the painter has the picture's font
    QRgb painterPen_ = 0;       // the painter's pen colour, when set for text
    bool keyboardFocus_ = false;  // focus came by the keyboard: show where it is

    // A dot drawn once into a small image, stamped wherever it is wanted.
    struct Stamp {
        double radius, fx, fy;
        Color color;
        QImage image;
    };
    std::vector<Stamp> stamps_;
    std::unordered_map<std::string, LaidOut> texts_;
};

class Application;

}  // namespace native

namespace qt {

// The Qt widget behind each control.
inline QPushButton* Widget(CommandButton& c) { return &c.Native(); }
inline QLineEdit* Widget(TextBox& c) { return &c.Native(); }
inline QLabel* Widget(Label& c) { return &c.Native(); }
inline QWidget* Widget(LineControl& c) { return &c.Native(); }
inline native::Picture* Widget(PictureBox& c) { return &c.Native(); }
inline QWidget* Widget(platform::Form& f) { return &f.Native(); }

// The picture's retained image.
inline const QImage& Image(PictureBox& p) { return p.Native().image(); }

}  // namespace qt

}  // namespace platform
