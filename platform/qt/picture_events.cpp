// The mouse and the keys on the picture, as the handlers take them: buttons
// and shift state as the runtime numbers them, positions in the picture's
// pixels, the arrow keys as their key codes.
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/qt/widgets.h"

namespace platform::native {

namespace {

std::int16_t buttonsOf(Qt::MouseButtons b)
{
    std::int16_t r = 0;
    if (b & Qt::LeftButton) r |= 1;
    if (b & Qt::RightButton) r |= 2;
    if (b & Qt::MiddleButton) r |= 4;
    return r;
}

std::int16_t shiftOf(Qt::KeyboardModifiers m)
{
    std::int16_t r = 0;
    if (m & Qt::ShiftModifier) r |= 1;
    if (m & Qt::ControlModifier) r |= 2;
    if (m & Qt::AltModifier) r |= 4;
    return r;
}

}  // namespace

void PictureWidget::keyPressEvent(QKeyEvent* event)
{
    std::int16_t code = 0, shift = shiftOf(event->modifiers());
    switch (event->key()) {
    case Qt::Key_Left: code = 37; break;
    case Qt::Key_Up: code = 38; break;
    case Qt::Key_Right: code = 39; break;
    case Qt::Key_Down: code = 40; break;
    default: break;
    }
    // Copy and save, by the desktop's own keys for them, as Ctrl+C and Ctrl+S.
    if (event->matches(QKeySequence::Copy)) code = 67, shift = 2;
    if (event->matches(QKeySequence::Save)) code = 83, shift = 2;
    if (code == 0 || !Events::KeyDown(owner_, code, shift)) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void PictureWidget::focusInEvent(QFocusEvent* event)
{
    keyboardFocus_ = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    update();
    QWidget::focusInEvent(event);
}

void PictureWidget::focusOutEvent(QFocusEvent* event)
{
    keyboardFocus_ = false;
    update();
    QWidget::focusOutEvent(event);
}

// A position on the widget in the form's pixels.
QPointF PictureWidget::formPoint(const QPointF& at) const
{
    if (width() == w) return at;
    return at * (double(w) / width());
}

void PictureWidget::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    const QPointF at = formPoint(event->position());
    Events::MouseDown(owner_, buttonsOf(event->button()), shiftOf(event->modifiers()), float(at.x()), float(at.y()));
}

void PictureWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = formPoint(event->position());
    Events::MouseMove(owner_, buttonsOf(event->buttons()), shiftOf(event->modifiers()), float(at.x()), float(at.y()));
}

void PictureWidget::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF at = formPoint(event->position());
    Events::MouseUp(owner_, buttonsOf(event->button()), shiftOf(event->modifiers()), float(at.x()), float(at.y()));
}

}  // namespace platform::native
