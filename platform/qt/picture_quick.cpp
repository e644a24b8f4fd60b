// The quick ways of drawing the plane, each giving exactly the pixels of the
// plain QPainter call it stands for (the tests hold them to it): lines along
// an axis as pixels set, dots stamped from one drawn dot, texts laid out once.
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/qt/widgets.h"

namespace platform::native {

// An opaque rectangle of whole pixels: its pixels are simply set.
//
// Writing the image's memory by hand while a painter is open on it is safe:
// Qt's raster painter draws straight into the image's own pixels, each call
// at once, and keeps no copy of them; and while it is open no other image
// shares those pixels (copying an image that is being painted makes a deep
// copy), so bits() hands out the very memory the painter draws into. The
// painter is opened first, so that its start cannot move the pixels away.
void PictureWidget::fillPixels(int left, int top, int right, int bottom, Color c)
{
    painter();
    // The same pixels in the image's own, possibly denser, grid.
    const auto device = [this](long v) { return int(std::lround(v * ratio)); };
    const QRect rect(QPoint(device(left), device(top)), QPoint(device(right + 1) - 1, device(bottom + 1) - 1));
    const QRgb pixel = qt::ToQColor(c).rgb();
    const qsizetype stride = retained.bytesPerLine() / qsizetype(sizeof(QRgb));
    QRgb* row = reinterpret_cast<QRgb*>(retained.bits()) + rect.top() * stride;
    if (rect.width() == 1) {
        for (int y = rect.top(); y <= rect.bottom(); ++y, row += stride) row[rect.left()] = pixel;
        return;
    }
    if (rect.width() < 16) {
        for (int y = rect.top(); y <= rect.bottom(); ++y, row += stride)
            std::fill(row + rect.left(), row + rect.right() + 1, pixel);
        return;
    }
    // A long run (a horizontal line) is copied from a row of its colour,
    // many pixels at a time.
    if (solidPixel_ != pixel || solid_.size() < std::size_t(retained.width())) {
        solid_.assign(std::size_t(retained.width()), pixel);
        solidPixel_ = pixel;
    }
    for (int y = rect.top(); y <= rect.bottom(); ++y, row += stride)
        std::memcpy(row + rect.left(), solid_.data(), std::size_t(rect.width()) * sizeof(QRgb));
}

// A dot is drawn once into a small image for its size, colour and phase
// within a pixel, and stamped wherever it is wanted.
void PictureWidget::stampDot(double cx, double cy, double radius, Color c)
{
    const double ix = std::floor(cx), iy = std::floor(cy);
    const double fx = cx - ix, fy = cy - iy;
    const int pad = static_cast<int>(std::ceil(radius)) + 2;
    const QImage* stamp = nullptr;
    for (const Stamp& s : stamps_)
        if (s.radius == radius && s.fx == fx && s.fy == fy && s.color == c) stamp = &s.image;
    if (!stamp) {
        // Dots come in few sizes and, with whole-pixel origins, one phase;
        // keep the cache small for the rest.
        if (stamps_.size() >= 64) stamps_.erase(stamps_.begin());
        const int side = int(std::lround((2 * pad + 1) * ratio));
        QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing, true);
            p.setPen(Qt::NoPen);
            p.setBrush(qt::ToQColor(c));
            p.drawEllipse(QPointF(pad + fx + 0.5, pad + fy + 0.5), radius, radius);
        }
        stamps_.push_back({radius, fx, fy, c, image});
        stamp = &stamps_.back().image;
    }
    painter().drawImage(QPointF(ix - pad, iy - pad), *stamp);
}

// A text is laid out once for the picture's font, with its ascent, its line
// height and the box its glyphs can reach.
const PictureWidget::LaidOut& PictureWidget::laidOut(const std::string& text)
{
    auto it = texts_.find(text);
    if (it != texts_.end()) return it->second;
    const QFont& f = font_;
    const QFontMetricsF metrics(f);
    const QString s = qt::ToQString(text);
    QStaticText laid(s);
    laid.setTextFormat(Qt::PlainText);
    laid.setPerformanceHint(QStaticText::AggressiveCaching);
    laid.prepare(QTransform(), f);
    // Generous bounds: the glyphs' own box, grown by a few pixels for smoothing.
    const QRectF ink = metrics.boundingRect(s).translated(0, metrics.ascent()).adjusted(-4, -4, 4, 4);
    return texts_.emplace(text, LaidOut{laid, metrics.ascent(), metrics.height(), ink}).first->second;
}

}  // namespace platform::native
