#include "platform/controls.h"

#include <QKeyEvent>
#include <QPainter>

#include <cmath>

namespace platform {

Color QBColor(std::int16_t index)
{
    static constexpr Color palette[16] = {
        RGB(0, 0, 0),       RGB(0, 0, 128),     RGB(0, 128, 0),   RGB(0, 128, 128),
        RGB(128, 0, 0),     RGB(128, 0, 128),   RGB(128, 128, 0), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(0, 0, 255),     RGB(0, 255, 0),   RGB(0, 255, 255),
        RGB(255, 0, 0),     RGB(255, 0, 255),   RGB(255, 255, 0), RGB(255, 255, 255),
    };
    if (index < 0 || index > 15) throw RuntimeError(RuntimeError::InvalidProcedureCall);
    return palette[index];
}

int PixelsOfPoints(float points)
{
    return std::max(1, static_cast<int>(std::lround(static_cast<double>(points) * 96.0 / 72.0)));
}

namespace {

QColor qcolor(Color c) { return QColor::fromRgb(static_cast<QRgb>(c | 0xFF000000u)); }

}  // namespace

CommandButton::CommandButton(QWidget* parent) : Control<QPushButton>(parent)
{
    // A focused button is pressed by Enter as well as by Space; no button of
    // the window becomes its default button.
    setAutoDefault(true);
    setFocusPolicy(Qt::StrongFocus);
}

void CommandButton::OnClick(std::function<void()> handler)
{
    QObject::connect(this, &QPushButton::clicked, this, [h = std::move(handler)] { Deliver(h); });
}

TextBox::TextBox(QWidget* parent) : Control<QLineEdit>(parent) {}

int TextBox::SelStart() const
{
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

void TextBox::SelStart(int start)
{
    setCursorPosition(std::clamp(start, 0, static_cast<int>(text().size())));
}

void TextBox::SelLength(int length)
{
    const int start = SelStart();
    setSelection(start, std::clamp(length, 0, static_cast<int>(text().size()) - start));
}

void TextBox::Alignment(Align a)
{
    setAlignment((a == Align::Center ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
}

void TextBox::OnKeyPress(std::function<void(std::int16_t&)> handler) { keyPress_ = std::move(handler); }

void TextBox::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    if (keyPress_ && !typed.isEmpty()) {
        // Enter types a carriage return; every other key the character it makes.
        std::int16_t code = static_cast<std::int16_t>(typed.at(0).unicode());
        Deliver([&] { keyPress_(code); });
        if (code == 0) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

Label::Label(QWidget* parent) : Control<QLabel>(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAutoFillBackground(true);
    setMargin(0);
    setIndent(0);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::NoFocus);
}

void Label::Caption(const QString& caption)
{
    setText(caption);
    setAccessibleName(caption.isEmpty() ? fallback_ : caption);
}

void Label::FallbackName(const QString& name)
{
    fallback_ = name;
    setAccessibleName(text().isEmpty() ? fallback_ : text());
}

void Label::BackColor(Color c)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, qcolor(c));
    setPalette(p);
}

void Label::ForeColor(Color c)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, qcolor(c));
    setPalette(p);
}

void Label::Alignment(Align a)
{
    setAlignment((a == Align::Center ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
}

LineControl::LineControl(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void LineControl::Place(int x1, int y1, int x2, int y2, int borderWidth, Color c)
{
    ends_ = QLine(x1, y1, x2, y2);
    width_ = std::max(1, borderWidth);
    color_ = c;
    const int half = width_ / 2;
    setGeometry(QRect(QPoint(std::min(x1, x2) - half, std::min(y1, y2) - half),
                      QPoint(std::max(x1, x2) + width_ - 1 - half, std::max(y1, y2) + width_ - 1 - half)));
    update();
}

void LineControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPoint shift = -geometry().topLeft();
    const int half = width_ / 2;
    const QLine e = ends_.translated(shift);
    if (e.y1() == e.y2()) {
        p.fillRect(QRect(QPoint(std::min(e.x1(), e.x2()), e.y1() - half),
                         QSize(std::abs(e.x2() - e.x1()) + 1, width_)), qcolor(color_));
    } else if (e.x1() == e.x2()) {
        p.fillRect(QRect(QPoint(e.x1() - half, std::min(e.y1(), e.y2())),
                         QSize(width_, std::abs(e.y2() - e.y1()) + 1)), qcolor(color_));
    } else {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(qcolor(color_), width_, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QLineF(e).translated(half + 0.5, half + 0.5));
    }
}

Form::Form() : QWidget(nullptr) { setAttribute(Qt::WA_DeleteOnClose, false); }

void Form::BackColor(Color c)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, qcolor(c));
    setPalette(p);
    setAutoFillBackground(true);
}

void Form::TabOrder(std::initializer_list<QWidget*> chain)
{
    QWidget* previous = nullptr;
    for (QWidget* w : chain) {
        if (!first_) first_ = w;
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

void Form::StackLightControls()
{
    // Lowering in reverse creation order keeps their order among themselves.
    const QObjectList kids = children();
    for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
        if (auto* w = qobject_cast<QWidget*>(*it)) {
            if (dynamic_cast<Label*>(w) || dynamic_cast<LineControl*>(w)) w->lower();
        }
    }
}

void Form::Show()
{
    show();
    raise();
    activateWindow();
    if (first_) first_->setFocus(Qt::OtherFocusReason);
}

}  // namespace platform
