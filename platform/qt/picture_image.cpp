// The picture's retained image: one pixel of the screen for every pixel it
// shows, so that on a high-density screen lines stay sharp and text is drawn
// at full resolution; cleared, shown, and kept while the window is covered.
#include <QPaintEvent>

#include <cmath>

#include "platform/native.h"
#include "platform/qt/widgets.h"

namespace platform::native {

Picture::Picture(Form& form, PictureBox& owner) : QWidget(&form), owner_(owner)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);  // moves reach the handler with no button held too
    retained = QImage(1, 1, QImage::Format_RGB32);
    retained.fill(Qt::white);
}

Picture::~Picture() { endPainting(); }

void Picture::resizeImage(int width, int height)
{
    endPainting();
    w = width;
    h = height;
    ratio = devicePixelRatioF();
    QImage grown(std::max(1, int(std::lround(w * ratio))), std::max(1, int(std::lround(h * ratio))),
                 QImage::Format_RGB32);
    grown.setDevicePixelRatio(ratio);
    grown.fill(retained.pixelColor(0, 0));
    {
        QPainter p(&grown);
        p.drawImage(QPointF(0, 0), retained);
    }
    retained = grown;
    stamps_.clear();
}

void Picture::clear(Color back)
{
    // The screen's density may have changed since the image was made (the
    // window moved to another screen).
    if (devicePixelRatioF() != ratio) resizeImage(w, h);
    endPainting();
    retained.fill(qt::ToQColor(back));
    update();
}

void Picture::markForShowing()
{
    // What is drawn shows when the handler is done, as after Refresh.
    if (!updatePending_) {
        updatePending_ = true;
        update();
    }
}

const QImage& Picture::image()
{
    endPainting();
    return retained;
}

void Picture::paintEvent(QPaintEvent*)
{
    updatePending_ = false;
    endPainting();
    QPainter p(this);
    p.drawImage(QPointF(0, 0), retained);
    if (keyboardFocus_ && hasFocus()) {
        // Where the keyboard is, over the picture only, never in its image.
        p.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DashLine));
        p.drawRect(QRectF(1, 1, w - 2, h - 2));
    }
}

}  // namespace platform::native

namespace platform {

// The picture box's own constructor stands here, beside the widget it makes.
PictureBox::PictureBox(Form& form)
{
    native_ = new native::Picture(form.Native(), *this);
    fore_ = native::ButtonTextColor();
}

}  // namespace platform
