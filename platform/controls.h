// The window system as the handlers see it: a window, its controls with their
// properties, control arrays, and the delivery of events to handlers.
//
// Every control is a Qt widget underneath; the handlers use only the
// properties and methods declared here. A property is read by calling it with
// no argument and set by calling it with the new value: Caption(), Caption("中").
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/runtime.h"
#include "platform/variant.h"

namespace platform {

// An RGB colour, 0x00RRGGBB.
using Color = std::uint32_t;
constexpr Color RGB(int r, int g, int b)
{
    return (static_cast<Color>(r & 0xFF) << 16) | (static_cast<Color>(g & 0xFF) << 8) | static_cast<Color>(b & 0xFF);
}
// The 16-colour palette: 0 black … 7 white-grey, 8 grey … 15 white; 12 is bright red.
Color QBColor(std::int16_t index);

// Pixels of a font of the given points at the standard 96 dots per inch.
int PixelsOfPoints(float points);

// Font, visibility, enabled state and focus, shared by every control.
template <class Base>
class Control : public Base {
public:
    explicit Control(QWidget* parent) : Base(parent) {}

    float FontSize() const { return fontSize_; }
    void FontSize(float points)
    {
        fontSize_ = points;
        if (this->font().pixelSize() == PixelsOfPoints(points)) return;
        QFont f = this->font();
        f.setPixelSize(PixelsOfPoints(points));
        this->setFont(f);
    }
    bool FontBold() const { return this->font().bold(); }
    void FontBold(bool bold)
    {
        if (this->font().bold() == bold) return;
        QFont f = this->font();
        f.setBold(bold);
        this->setFont(f);
    }
    bool FontItalic() const { return this->font().italic(); }
    void FontItalic(bool italic)
    {
        QFont f = this->font();
        f.setItalic(italic);
        this->setFont(f);
    }
    void FontName(const QString& face)
    {
        QFont f = this->font();
        f.setFamily(face);
        this->setFont(f);
    }

    bool Visible() const { return !this->isHidden(); }
    void Visible(bool visible) { this->setVisible(visible); }
    bool Enabled() const { return this->isEnabled(); }
    void Enabled(bool enabled) { this->setEnabled(enabled); }

    float Left() const { return static_cast<float>(this->x()); }
    void Left(const Variant& x) { this->move(CInt(x), this->y()); }
    float Top() const { return static_cast<float>(this->y()); }
    void Top(const Variant& y) { this->move(this->x(), CInt(y)); }
    float Width() const { return static_cast<float>(this->width()); }
    float Height() const { return static_cast<float>(this->height()); }
    // Place and size in window pixels, as the layout gives them.
    void Place(int left, int top, int width, int height) { this->setGeometry(left, top, width, height); }

    // Moves the keyboard focus here; clicks nothing.
    void SetFocus() { this->setFocus(Qt::OtherFocusReason); }

    // What assistive technology (a screen reader) says of the control.
    QString AccessibleName() const { return this->accessibleName(); }
    void AccessibleName(const QString& name) { this->setAccessibleName(name); }
    QString AccessibleDescription() const { return this->accessibleDescription(); }
    void AccessibleDescription(const QString& text) { this->setAccessibleDescription(text); }

    std::int16_t Index() const { return index_; }
    void Index(std::int16_t i) { index_ = i; }

private:
    float fontSize_ = 9.0f;
    std::int16_t index_ = -1;
};

class CommandButton : public Control<QPushButton> {
public:
    explicit CommandButton(QWidget* parent);
    QString Caption() const { return text(); }
    void Caption(const QString& caption) { setText(caption); }
    // The handler of a click; runs through Deliver.
    void OnClick(std::function<void()> handler);
};

class TextBox : public Control<QLineEdit> {
public:
    explicit TextBox(QWidget* parent);
    QString Text() const { return text(); }
    void Text(const QString& text) { setText(text); }
    // Selection, in characters from the start.
    int SelStart() const;
    void SelStart(int start);
    int SelLength() const { return selectedText().size(); }
    void SelLength(int length);
    enum class Align { Left, Center };
    void Alignment(Align a);
    // Called for every key that types a character (13 for Enter, 8 for
    // Backspace), before the box takes it. A handler that sets the code to 0
    // swallows the key.
    void OnKeyPress(std::function<void(std::int16_t& keyCode)> handler);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<void(std::int16_t&)> keyPress_;
};

class Label : public Control<QLabel> {
public:
    explicit Label(QWidget* parent);
    QString Caption() const { return text(); }
    // A label is named by its caption, or by its fallback name while empty.
    void Caption(const QString& caption);
    void FallbackName(const QString& name);
    void BackColor(Color c);
    void ForeColor(Color c);
    enum class Align { Left, Center };
    void Alignment(Align a);

private:
    QString fallback_;
};

// A straight line drawn on the window; hidden or shown, never focused.
class LineControl : public QWidget {
public:
    explicit LineControl(QWidget* parent);
    void Place(int x1, int y1, int x2, int y2, int borderWidth, Color c);
    bool Visible() const { return !isHidden(); }
    void Visible(bool visible) { setVisible(visible); }
    std::int16_t Index() const { return index_; }
    void Index(std::int16_t i) { index_ = i; }
    // Ends of the line in window pixels, as placed.
    QLine Ends() const { return ends_; }
    Color BorderColor() const { return color_; }
    int BorderWidth() const { return width_; }
    void AccessibleName(const QString& name) { setAccessibleName(name); }
    QString AccessibleName() const { return accessibleName(); }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QLine ends_;
    int width_ = 1;
    Color color_ = 0;
    std::int16_t index_ = -1;
};

// Items of one name told apart by a 16-bit index from 0.
template <class T, std::size_t N>
class ControlArray {
public:
    explicit ControlArray(QWidget* parent)
    {
        for (std::size_t i = 0; i < N; ++i) {
            items_[i] = std::make_unique<T>(parent);
            items_[i]->Index(static_cast<std::int16_t>(i));
        }
    }
    T& operator()(std::int16_t index) const
    {
        if (index < 0 || static_cast<std::size_t>(index) >= N) throw RuntimeError(RuntimeError::SubscriptOutOfRange);
        return *items_[static_cast<std::size_t>(index)];
    }
    static constexpr std::int16_t Count() { return static_cast<std::int16_t>(N); }

private:
    std::array<std::unique_ptr<T>, N> items_;
};

// The window. Its client area has a fixed size: nothing in the program reacts
// to a resize.
class Form : public QWidget {
public:
    Form();
    QString Caption() const { return windowTitle(); }
    void Caption(const QString& title) { setWindowTitle(title); }
    void ClientSize(int width, int height) { setFixedSize(width, height); }
    void BackColor(Color c);
    // The tab order, first to last; the first takes the focus when the window opens.
    void TabOrder(std::initializer_list<QWidget*> chain);
    // Labels and lines lie under the boxes and the picture, as on a form.
    void StackLightControls();
    // Shows the window with the focus on the first control of the tab order.
    void Show();

private:
    QWidget* first_ = nullptr;
};

}  // namespace platform
