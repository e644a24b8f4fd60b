// The controls as Qt widgets.
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>
#include <cmath>

#include "platform/native.h"
#include "platform/qt/widgets.h"

namespace platform {

namespace qt {

QColor ToQColor(Color c) { return QColor::fromRgb(static_cast<QRgb>(c | 0xFF000000u)); }

QString ToQString(const std::string& utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }

std::string ToUtf8(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

}  // namespace qt

namespace {

using qt::ToQColor;
using qt::ToQString;

// The widget's font with the control's face, size and style; set only when
// something changed, since every change lays the widget out anew.
void applyFont(QWidget& w, const Font& spec)
{
    QFont f = w.font();
    if (!spec.face.empty()) f.setFamily(ToQString(spec.face));
    f.setPixelSize(PixelsOfPoints(spec.points));
    f.setBold(spec.bold);
    f.setItalic(spec.italic);
    if (f == w.font() && f.pixelSize() == w.font().pixelSize()) return;
    w.setFont(f);
}

// Positions in a text: UTF-16 code units (Qt's) and characters (the program's).
int unitsOf(const QString& s, int characters)
{
    int units = 0;
    for (int c = 0; c < characters && units < s.size(); ++c) units += s.at(units).isHighSurrogate() ? 2 : 1;
    return std::min<int>(units, int(s.size()));
}

// Where the handlers sent the keyboard focus while an event is handled: the
// focus moves once, when the event is over, so that a focus that ends where
// it started (a replay moves it on, an arrow key brings it back) moves and
// repaints nothing.
QPointer<QWidget>& pendingFocus()
{
    static QPointer<QWidget> widget;
    return widget;
}

int charactersOf(const QString& s, int units)
{
    int characters = 0;
    for (int u = 0; u < units && u < s.size(); ++u)
        if (!s.at(u).isLowSurrogate()) ++characters;
    return characters;
}

}  // namespace

// Every control.

template <class N>
Control<N>::~Control()
{
    delete native_;
}

template <class N>
void Control<N>::FontSize(float points)
{
    font_.points = points;
    applyFont(*native_, font_);
}

template <class N>
void Control<N>::FontBold(bool bold)
{
    font_.bold = bold;
    applyFont(*native_, font_);
}

template <class N>
void Control<N>::FontItalic(bool italic)
{
    font_.italic = italic;
    applyFont(*native_, font_);
}

template <class N>
void Control<N>::FontName(const std::string& face)
{
    font_.face = face;
    applyFont(*native_, font_);
}

template <class N>
void Control<N>::Visible(bool visible)
{
    visible_ = visible;
    native_->setVisible(visible);
}

template <class N>
void Control<N>::Enabled(bool enabled)
{
    enabled_ = enabled;
    native_->setEnabled(enabled);
}

template <class N>
void Control<N>::Left(const Variant& x)
{
    place_.left = CInt(x);
    native_->move(place_.left, place_.top);
}

template <class N>
void Control<N>::Top(const Variant& y)
{
    place_.top = CInt(y);
    native_->move(place_.left, place_.top);
}

template <class N>
void Control<N>::Place(int left, int top, int width, int height)
{
    place_ = {left, top, width, height};
    native_->setGeometry(left, top, width, height);
}

template <class N>
void Control<N>::SetFocus()
{
    if (InEvent()) pendingFocus() = native_;
    else native_->setFocus(Qt::OtherFocusReason);
}

template <class N>
bool Control<N>::HasFocus() const
{
    if (pendingFocus()) return pendingFocus() == native_;
    return native_->hasFocus();
}

template <class N>
void Control<N>::AccessibleName(const std::string& name)
{
    name_ = name;
    native_->setAccessibleName(ToQString(name));
}

template <class N>
void Control<N>::AccessibleDescription(const std::string& text)
{
    description_ = text;
    native_->setAccessibleDescription(ToQString(text));
}

template class Control<native::Button>;
template class Control<native::TextBox>;
template class Control<native::Label>;
template class Control<native::Picture>;

void native::EventEnded()
{
    if (QWidget* w = pendingFocus()) {
        pendingFocus() = nullptr;
        w->setFocus(Qt::OtherFocusReason);
    }
}

// Buttons.

native::Button::Button(Form& form, CommandButton& owner) : QPushButton(&form), owner_(owner)
{
    // A focused button is pressed by Enter as well as by Space; no button of
    // the window becomes its default button.
    setAutoDefault(true);
    setFocusPolicy(Qt::StrongFocus);
    QObject::connect(this, &QPushButton::clicked, this, [this] { owner_.Clicked(); });
}

void native::Button::keyPressEvent(QKeyEvent* event)
{
    // A button is pressed once per key press: a held Enter repeats, and its
    // repeats press nothing (Space already waits for its release).
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->isAutoRepeat()) {
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

CommandButton::CommandButton(Form& form) { native_ = new native::Button(form.Native(), *this); }

void CommandButton::Caption(const std::string& caption)
{
    caption_ = caption;
    native_->setText(ToQString(caption));
}

// Text boxes.

native::TextBox::TextBox(Form& form, platform::TextBox& owner) : QLineEdit(&form), owner_(owner)
{
    QObject::connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        std::string now = qt::ToUtf8(text);
        if (now != owner_.Text()) owner_.Edited(std::move(now));
    });
}

void native::TextBox::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    if (!typed.isEmpty()) {
        // Enter types a carriage return; every other key the character it makes.
        std::int16_t code = static_cast<std::int16_t>(typed.at(0).unicode());
        if (!owner_.KeyPressed(code)) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

TextBox::TextBox(Form& form) { native_ = new native::TextBox(form.Native(), *this); }

void TextBox::Text(const std::string& text)
{
    text_ = text;
    native_->setText(ToQString(text));
}

int TextBox::SelStart() const
{
    const int units = native_->hasSelectedText() ? native_->selectionStart() : native_->cursorPosition();
    return charactersOf(native_->text(), units);
}

void TextBox::SelStart(int start)
{
    const QString s = native_->text();
    native_->setCursorPosition(unitsOf(s, std::max(0, start)));
}

int TextBox::SelLength() const
{
    const QString s = native_->text();
    if (!native_->hasSelectedText()) return 0;
    const int from = native_->selectionStart();
    return charactersOf(s, from + int(native_->selectedText().size())) - charactersOf(s, from);
}

void TextBox::SelLength(int length)
{
    const QString s = native_->text();
    const int start = native_->hasSelectedText() ? native_->selectionStart() : native_->cursorPosition();
    const int end = unitsOf(s, charactersOf(s, start) + std::max(0, length));
    native_->setSelection(start, end - start);
}

void TextBox::Alignment(Align a)
{
    align_ = a;
    native_->setAlignment((a == Align::Center ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
}

// Labels.

native::Label::Label(Form& form) : QLabel(&form)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAutoFillBackground(true);
    setMargin(0);
    setIndent(0);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::NoFocus);
}

Label::Label(Form& form) { native_ = new native::Label(form.Native()); }

void Label::Caption(const std::string& caption)
{
    caption_ = caption;
    native_->setText(ToQString(caption));
    AccessibleName(caption.empty() ? fallback_ : caption);
}

void Label::FallbackName(const std::string& name)
{
    fallback_ = name;
    AccessibleName(caption_.empty() ? fallback_ : caption_);
}

void Label::BackColor(Color c)
{
    back_ = c;
    QPalette p = native_->palette();
    p.setColor(QPalette::Window, ToQColor(c));
    native_->setPalette(p);
}

void Label::ForeColor(Color c)
{
    fore_ = c;
    QPalette p = native_->palette();
    p.setColor(QPalette::WindowText, ToQColor(c));
    native_->setPalette(p);
}

void Label::Alignment(Align a)
{
    align_ = a;
    native_->setAlignment((a == Align::Center ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
}

// Lines.

native::Line::Line(Form& form, LineControl& owner) : QWidget(&form), owner_(owner)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void native::Line::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const LineControl::Ends& e = owner_.Place();
    const int width = owner_.BorderWidth();
    const QColor colour = ToQColor(owner_.BorderColor());
    const QLine ends = QLine(e.x1, e.y1, e.x2, e.y2).translated(-geometry().topLeft());
    const int half = width / 2;
    if (ends.y1() == ends.y2()) {
        p.fillRect(QRect(QPoint(std::min(ends.x1(), ends.x2()), ends.y1() - half),
                         QSize(std::abs(ends.x2() - ends.x1()) + 1, width)), colour);
    } else if (ends.x1() == ends.x2()) {
        p.fillRect(QRect(QPoint(ends.x1() - half, std::min(ends.y1(), ends.y2())),
                         QSize(width, std::abs(ends.y2() - ends.y1()) + 1)), colour);
    } else {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QLineF(ends).translated(half + 0.5, half + 0.5));
    }
}

LineControl::LineControl(Form& form) : native_(new native::Line(form.Native(), *this)) {}

LineControl::~LineControl() { delete native_; }

void LineControl::Place(int x1, int y1, int x2, int y2, int borderWidth, Color c)
{
    ends_ = {x1, y1, x2, y2};
    width_ = std::max(1, borderWidth);
    color_ = c;
    const int half = width_ / 2;
    native_->setGeometry(QRect(QPoint(std::min(x1, x2) - half, std::min(y1, y2) - half),
                               QPoint(std::max(x1, x2) + width_ - 1 - half, std::max(y1, y2) + width_ - 1 - half)));
    native_->update();
}

void LineControl::Visible(bool visible)
{
    visible_ = visible;
    native_->setVisible(visible);
}

void LineControl::AccessibleName(const std::string& name)
{
    name_ = name;
    native_->setAccessibleName(ToQString(name));
}

// The window.

native::Form::Form() : QWidget(nullptr) { setAttribute(Qt::WA_DeleteOnClose, false); }

Form::Form() : native_(new native::Form) {}

Form::~Form() { delete native_; }

void Form::Caption(const std::string& title)
{
    caption_ = title;
    native_->setWindowTitle(ToQString(title));
}

void Form::ClientSize(int width, int height)
{
    width_ = width;
    height_ = height;
    native_->setFixedSize(width, height);
}

void Form::BackColor(Color c)
{
    back_ = c;
    QPalette p = native_->palette();
    p.setColor(QPalette::Window, ToQColor(c));
    native_->setPalette(p);
    native_->setAutoFillBackground(true);
}

namespace {

void tabStop(native::Form& form, QWidget* w)
{
    if (form.lastTabStop) QWidget::setTabOrder(form.lastTabStop, w);
    else form.firstTabStop = w;
    form.lastTabStop = w;
}

}  // namespace

void Form::TabStop(native::Button& n) { tabStop(*native_, &n); }
void Form::TabStop(native::TextBox& n) { tabStop(*native_, &n); }
void Form::TabStop(native::Picture& n) { tabStop(*native_, &n); }

void Form::StackLightControls()
{
    // Lowering in reverse creation order keeps their order among themselves.
    const QObjectList kids = native_->children();
    for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
        if (auto* w = qobject_cast<QWidget*>(*it)) {
            if (dynamic_cast<native::Label*>(w) || dynamic_cast<native::Line*>(w)) w->lower();
        }
    }
}

void Form::Show()
{
    native_->show();
    native_->raise();
    native_->activateWindow();
    if (native_->firstTabStop) native_->firstTabStop->setFocus(Qt::OtherFocusReason);
}

}  // namespace platform
