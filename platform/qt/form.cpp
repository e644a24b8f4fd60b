// The window: its title, colour and tab order, and the form shown at a
// uniform scale that fits the window (maximised, full screen with F11, or a
// screen smaller than the form), centred on the form's own colour.
#include <QApplication>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>

#include <algorithm>
#include <cmath>

#include "platform/events.h"
#include "platform/native.h"
#include "platform/qt/widgets.h"

namespace platform::native {

FormWidget::FormWidget(const Form& o) : QWidget(nullptr), owner(o)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    // F11 puts the window in full screen and back; Esc leaves full screen
    // (and only then takes the key from the controls).
    auto* toggle = new QShortcut(QKeySequence(Qt::Key_F11), this);
    QObject::connect(toggle, &QShortcut::activated, this,
                     [this] { setWindowState(windowState() ^ Qt::WindowFullScreen); });
    auto* leave = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    leave->setEnabled(false);
    QObject::connect(leave, &QShortcut::activated, this,
                     [this] { setWindowState(windowState() & ~Qt::WindowFullScreen); });
    leave->setObjectName(QStringLiteral("leaveFullScreen"));
}

QRect FormWidget::scaled(const Rect& r) const
{
    return QRect(int(std::lround(offset.x() + r.left * scale)), int(std::lround(offset.y() + r.top * scale)),
                 int(std::lround(r.width * scale)), int(std::lround(r.height * scale)));
}

void FormWidget::rescale()
{
    const Form::Fitted fitted = Events::Fit(owner, width(), height());
    const QPointF o(fitted.left, fitted.top);
    if (fitted.scale == scale && o == offset) return;
    scale = fitted.scale;
    offset = o;
    for (Element* e : elements) e->apply();
    update();
}

void FormWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    rescale();
}

void FormWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange) {
        if (auto* leave = findChild<QShortcut*>(QStringLiteral("leaveFullScreen")))
            leave->setEnabled(windowState() & Qt::WindowFullScreen);
    }
    QWidget::changeEvent(event);
}

Element* MakeForm(Form& form)
{
    auto* w = new FormWidget(form);
    return new Element(Element::Kind::Form, w, w);
}

void SetTitle(Element& form, const std::string& title) { form.widget->setWindowTitle(qt::ToQString(title)); }

void SetClientSize(Element& form, int width, int height)
{
    auto& f = static_cast<FormWidget&>(*form.widget);
    f.client = QSize(std::max(1, width), std::max(1, height));
    f.setMinimumSize(f.client / 4);
    // The form's own size, or smaller to fit the screen it opens on.
    QSize size = f.client;
    if (const QScreen* screen = f.screen()) {
        const QSize room = screen->availableGeometry().size() - QSize(16, 48);  // room for the frame
        if (room.width() > 0 && room.height() > 0 && (room.width() < size.width() || room.height() < size.height()))
            size = f.client.scaled(room, Qt::KeepAspectRatio);
    }
    f.resize(size);
    f.rescale();
}

void SetFormColor(Element& form, Color c)
{
    QPalette p = form.widget->palette();
    p.setColor(QPalette::Window, qt::ToQColor(c));
    form.widget->setPalette(p);
    form.widget->setAutoFillBackground(true);
}

void TabStop(Element& form, Element& control)
{
    auto& f = static_cast<FormWidget&>(*form.widget);
    if (f.lastTabStop) QWidget::setTabOrder(f.lastTabStop, control.widget);
    f.lastTabStop = control.widget;
}

void StackLightControls(Element& form)
{
    // Lowering in reverse creation order keeps their order among themselves.
    const auto& elements = static_cast<FormWidget&>(*form.widget).elements;
    for (auto it = elements.rbegin(); it != elements.rend(); ++it)
        if ((*it)->kind == Element::Kind::Label || (*it)->kind == Element::Kind::Line) (*it)->widget->lower();
}

void ShowForm(Element& form)
{
    auto& f = static_cast<FormWidget&>(*form.widget);
    f.show();
    f.raise();
    f.activateWindow();
}

}  // namespace platform::native
