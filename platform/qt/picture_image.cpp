// The picture's retained image: one pixel of the screen for every pixel it
// shows, at the screen's density and the form's scale, so that lines stay
// sharp and text is drawn at full resolution; cleared, shown, kept while the
// window is covered, and made again from what was drawn when the scale or
// the density changes.
#include <QApplication>
#include <QPaintEvent>
#include <QResizeEvent>

#include <cmath>

#include "platform/native.h"
#include "platform/qt/widgets.h"

namespace platform::native {

PictureWidget::PictureWidget(QWidget* parent, PictureBox& owner) : QWidget(parent), owner_(owner)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);  // moves reach the handler with no button held too
    retained = QImage(1, 1, QImage::Format_RGB32);
    retained.fill(Qt::white);
}

PictureWidget::~PictureWidget() { endPainting(); }

int PictureWidget::imageWidth() const
{
    if (madeAt_ > 0) return std::max(1, int(std::lround(w * madeAt_)));
    // As many image pixels as the widget has screen pixels.
    const auto* form = static_cast<const FormWidget*>(parentWidget());
    return std::max(1, int(std::lround(std::lround(w * form->scale) * devicePixelRatioF())));
}

void PictureWidget::resizeImage(int width, int height)
{
    endPainting();
    w = std::max(1, width);
    h = std::max(1, height);
    const int across = imageWidth();
    ratio = double(across) / w;
    QImage grown(across, std::max(1, int(std::lround(h * ratio))), QImage::Format_RGB32);
    grown.setDevicePixelRatio(ratio);
    grown.fill(qt::ToQColor(back));
    retained = grown;
    stamps_.clear();
}

QImage PictureWidget::madeAgain(double r)
{
    // The picture is drawn again from what was drawn into an image of the
    // ratio asked for, then the shown image comes back untouched; nothing
    // is painted on the screen in between.
    endPainting();
    const QImage shown = retained;
    const qreal shownRatio = ratio;
    madeAt_ = r;
    resizeImage(w, h);
    Events::Redraw(owner_);
    QImage made = image();
    madeAt_ = 0;
    retained = shown;
    ratio = shownRatio;
    stamps_.clear();
    // Printed at its own density, it is as large as the form shows it.
    const int perMetre = int(std::lround(96.0 * r / 0.0254));
    made.setDotsPerMeterX(perMetre);
    made.setDotsPerMeterY(perMetre);
    made.setDevicePixelRatio(1);
    return made;
}

void PictureWidget::clear(Color background)
{
    back = background;
    // The screen's density may have changed since the image was made (the
    // window moved to another screen); a new image comes cleared.
    if (imageWidth() != retained.width()) {
        resizeImage(w, h);
    } else {
        endPainting();
        retained.fill(qt::ToQColor(back));
    }
    update();
}

void PictureWidget::markForShowing()
{
    // What is drawn shows when the handler is done, as after Refresh.
    if (!updatePending_) {
        updatePending_ = true;
        update();
    }
}

const QImage& PictureWidget::image()
{
    endPainting();
    return retained;
}

void PictureWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Shown at another scale: the image is made again at the new size.
    if (imageWidth() != retained.width()) {
        resizeImage(w, h);
        Events::Redraw(owner_);
    }
}

void PictureWidget::paintEvent(QPaintEvent*)
{
    updatePending_ = false;
    endPainting();
    QPainter p(this);
    p.drawImage(QRectF(0, 0, width(), height()), retained);
    if (keyboardFocus_ && hasFocus()) {
        // Where the keyboard is, over the picture only, never in its image.
        p.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DashLine));
        p.drawRect(QRectF(1, 1, width() - 2, height() - 2));
    }
}

Element* MakePicture(Form& form, PictureBox& owner)
{
    return Made(Element::Kind::Picture, form, new PictureWidget(FormOf(form), owner));
}

void Resize(Element& p, int width, int height) { static_cast<PictureWidget&>(*p.widget).resizeImage(width, height); }

void Clear(Element& p, Color back) { static_cast<PictureWidget&>(*p.widget).clear(back); }

void ShowDrawing(Element& p) { p.widget->update(); }

Color ButtonTextColor()
{
    return static_cast<Color>(QApplication::palette().color(QPalette::ButtonText).rgb() & 0xFFFFFFu);
}

}  // namespace platform::native
