// The controls as Qt widgets.
#include <QAccessible>
#include <QApplication>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cmath>

#include "platform/events.h"
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

QFont ToQFont(const Font& font, int pixels, const QFont& base)
{
    QFont f = base;
    if (!font.face.empty()) f.setFamily(ToQString(font.face));
    f.setPixelSize(std::max(1, pixels));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    return f;
}

}  // namespace qt

namespace native {

QWidget* FormOf(Form& form) { return Events::Of(form).widget; }

Element* Made(Element::Kind kind, Form& form, QWidget* widget)
{
    auto* f = static_cast<FormWidget*>(FormOf(form));
    auto* e = new Element(kind, f, widget);
    f->elements.push_back(e);
    return e;
}

namespace {

using qt::ToQColor;
using qt::ToQString;

template <class W>
W& as(const Element& e)
{
    return *static_cast<W*>(e.widget);
}

}  // namespace

// Elements.

Element::Element(Kind k, FormWidget* f, QWidget* w) : kind(k), form(f), widget(w) {}

Element::~Element()
{
    if (kind != Kind::Form) std::erase(form->elements, this);
    delete widget;
}

void Element::apply()
{
    applyPlace();
    applyFont();
}

void Element::applyPlace()
{
    if (kind != Kind::Form) widget->setGeometry(form->scaled(place));
}

void Element::applyFont()
{
    if (kind == Kind::Form || kind == Kind::Picture || pixels <= 0) return;
    const int shown = static_cast<int>(std::lround(pixels * form->scale));
    if (shown == appliedPixels && font == appliedFont) return;
    appliedPixels = shown;
    appliedFont = font;
    const QFont f = qt::ToQFont(font, shown, widget->font());
    if (!(f == widget->font())) widget->setFont(f);
}

void Destroy(Element* e) { delete e; }

// Every control.

void SetPlace(Element& e, const Rect& place)
{
    e.place = place;
    e.applyPlace();
}

void SetFont(Element& e, const Font& font, int pixels)
{
    e.font = font;
    e.pixels = pixels;
    e.applyFont();
}

void SetVisible(Element& e, bool visible) { e.widget->setVisible(visible); }

void SetEnabled(Element& e, bool enabled) { e.widget->setEnabled(enabled); }

void Focus(Element& e) { e.widget->setFocus(Qt::OtherFocusReason); }

bool HasFocus(const Element& e) { return e.widget->hasFocus(); }

void SetAccessibleName(Element& e, const std::string& name) { e.widget->setAccessibleName(ToQString(name)); }

void SetName(Element& e, const std::string& name) { e.widget->setObjectName(ToQString(name)); }

void SetAccessibleDescription(Element& e, const std::string& text)
{
    e.widget->setAccessibleDescription(ToQString(text));
}

void SetAccessibleHidden(Element& e, bool hidden)
{
    e.widget->setProperty(kUnread, hidden);
    // Qt keeps the interface it made, whether or not assistive technology
    // listens yet: made again, it knows.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(e.widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

Extent MeasureText(const Font& font, int pixels, const std::string& text)
{
    const QFontMetricsF metrics(qt::ToQFont(font, pixels, QApplication::font()));
    const QString s = ToQString(text);
    // The ink of the text without its leading blanks (a number's caption
    // starts with one), after their advance.
    qsizetype lead = 0;
    while (lead < s.size() && s.at(lead).isSpace()) ++lead;
    const QRectF ink = metrics.tightBoundingRect(s.mid(lead));
    const double start = metrics.horizontalAdvance(s.left(lead));
    const double ascent = metrics.ascent();
    if (ink.isEmpty()) return {metrics.horizontalAdvance(s), start, start, ascent, ascent, ascent};
    return {metrics.horizontalAdvance(s), start + ink.left(), start + ink.right(), ascent, ascent + ink.top(),
            ascent + ink.bottom()};
}

void SetCaption(Element& e, const std::string& caption)
{
    if (e.kind == Element::Kind::Button) as<QPushButton>(e).setText(ToQString(caption));
    else as<QLabel>(e).setText(ToQString(caption));
}

void SetAlignment(Element& e, bool centred)
{
    const Qt::Alignment across = centred ? Qt::AlignHCenter : Qt::AlignLeft;
    if (e.kind == Element::Kind::Box) as<QLineEdit>(e).setAlignment(across | Qt::AlignVCenter);
    else as<QLabel>(e).setAlignment(across | Qt::AlignTop);
}

// Buttons.

ButtonWidget::ButtonWidget(QWidget* parent, CommandButton& o) : QPushButton(parent), owner(o)
{
    // A focused button is pressed by Enter as well as by Space; no button of
    // the window becomes its default button.
    setAutoDefault(true);
    setFocusPolicy(Qt::StrongFocus);
    QObject::connect(this, &QPushButton::clicked, this, [this] { Events::Clicked(owner); });
    ForgetAccessibleInterface(this);
}

void ButtonWidget::keyPressEvent(QKeyEvent* event)
{
    // A button is pressed once per key press: a held Enter repeats, and its
    // repeats press nothing (Space already waits for its release).
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->isAutoRepeat()) {
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

Element* MakeButton(Form& form, CommandButton& owner)
{
    InstallAccessibility();
    return Made(Element::Kind::Button, form, new ButtonWidget(FormOf(form), owner));
}

// Text boxes.

BoxWidget::BoxWidget(QWidget* parent, TextBox& owner) : QLineEdit(parent), owner_(owner)
{
    QObject::connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        std::string now = qt::ToUtf8(text);
        if (now != owner_.Text()) Events::Edited(owner_, std::move(now));
    });
}

int BoxWidget::textRoom() const
{
    // As the line edit lays its text out: inside its frame and text margins,
    // 2 pixels each side, and a pixel for the cursor.
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    return contents.marginsRemoved(textMargins()).width() - 2 * 2 - 1;
}

void BoxWidget::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    if (!typed.isEmpty()) {
        // Enter types a carriage return; every other key the character it makes.
        std::int16_t code = static_cast<std::int16_t>(typed.at(0).unicode());
        if (!Events::KeyPressed(owner_, code)) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

Element* MakeTextBox(Form& form, TextBox& owner)
{
    return Made(Element::Kind::Box, form, new BoxWidget(FormOf(form), owner));
}

void SetText(Element& box, const std::string& text) { as<QLineEdit>(box).setText(ToQString(text)); }

void SetMaxLength(Element& box, int units) { as<QLineEdit>(box).setMaxLength(units); }

double TextRoom(const Element& box) { return as<BoxWidget>(box).textRoom() / box.form->scale; }

int SelStart(const Element& box)
{
    const auto& edit = as<QLineEdit>(box);
    return edit.hasSelectedText() ? edit.selectionStart() : edit.cursorPosition();
}

int SelLength(const Element& box) { return int(as<QLineEdit>(box).selectionLength()); }

void Select(Element& box, int from, int to)
{
    auto& edit = as<QLineEdit>(box);
    if (to == from) edit.setCursorPosition(from);
    else edit.setSelection(from, to - from);
}

// Labels.

Element* MakeLabel(Form& form, Label&)
{
    auto* label = new QLabel(FormOf(form));
    label->setTextFormat(Qt::PlainText);
    // Never wrapped here: the program breaks a caption into its lines.
    label->setWordWrap(false);
    label->setAutoFillBackground(true);
    label->setMargin(0);
    label->setIndent(0);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFocusPolicy(Qt::NoFocus);
    return Made(Element::Kind::Label, form, label);
}

void SetOneLine(Element&, bool) {}

void SetLabelColors(Element& label, Color back, Color fore)
{
    QPalette p = label.widget->palette();
    p.setColor(QPalette::Window, ToQColor(back));
    p.setColor(QPalette::WindowText, ToQColor(fore));
    label.widget->setPalette(p);
}

// Lines.

LineWidget::LineWidget(QWidget* parent, FormWidget& form) : QWidget(parent), form_(form)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void LineWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // In the form's pixels, from the widget's corner.
    const double s = form_.scale;
    p.translate(-geometry().topLeft() + form_.offset);
    p.scale(s, s);
    const QColor colour = ToQColor(color);
    if (ends.y1 == ends.y2 || ends.x1 == ends.x2) {
        p.fillRect(QRectF(covered.left, covered.top, covered.width, covered.height), colour);
    } else {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QLineF(ends.x1 + 0.5, ends.y1 + 0.5, ends.x2 + 0.5, ends.y2 + 0.5));
    }
}

Element* MakeLine(Form& form, LineControl&)
{
    auto* f = static_cast<FormWidget*>(FormOf(form));
    return Made(Element::Kind::Line, form, new LineWidget(f, *f));
}

void PlaceLine(Element& e, const LineControl::Ends& ends, int width, Color c, const Rect& covered)
{
    auto& line = as<LineWidget>(e);
    line.ends = ends;
    line.width = width;
    line.color = c;
    line.covered = covered;
    e.place = covered;
    e.apply();
    line.update();
}

}  // namespace native

}  // namespace platform
