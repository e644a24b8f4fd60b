// The painter of the retained image: one for as long as drawing goes on (a
// painter begun for every primitive would cost more than most primitives),
// keeping its pen and font between texts. It ends before the image is shown
// or handed out.
#include <QApplication>

#include <cmath>

#include "platform/native.h"
#include "platform/qt/widgets.h"

namespace platform::native {

QPainter& PictureWidget::painter()
{
    markForShowing();
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&retained);
        painter_->setRenderHint(QPainter::TextAntialiasing);
        // Qt scales a painter by an image's pixel ratio only when it is 1 or
        // more; a form shown below its size needs the rest.
        const qreal applied = painter_->deviceTransform().m11();
        if (applied != ratio) painter_->scale(ratio / applied, ratio / applied);
        painterFont_ = false;
        painterPen_ = 0;
    }
    return *painter_;
}

void PictureWidget::endPainting()
{
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

void PictureWidget::textPen(Color c)
{
    const QRgb wanted = c | 0xFF000000u;
    if (painterPen_ == wanted) return;
    painter_->setPen(qt::ToQColor(c));
    painterPen_ = wanted;
}

void PictureWidget::forgetPen() { painterPen_ = 0; }

void PictureWidget::textFont()
{
    if (painterFont_) return;
    painter_->setFont(font_);
    painterFont_ = true;
}

void PictureWidget::drawingFont(const Font& f, int pixels)
{
    if (f == drawingFont_ && pixels == drawingPixels_) return;
    drawingFont_ = f;
    drawingPixels_ = pixels;
    const QFont q = qt::ToQFont(f, pixels, QApplication::font());
    if (q == font_ && q.pixelSize() == font_.pixelSize()) return;
    font_ = q;
    setFont(q);
    // Texts laid out in another font are of no more use.
    texts_.clear();
    painterFont_ = false;
}

}  // namespace platform::native

namespace platform::native {

void Fill(Element& e, int left, int top, int right, int bottom, Color c)
{
    auto& p = static_cast<PictureWidget&>(*e.widget);
    if (p.plain()) {
        p.painter().fillRect(QRect(left, top, right - left + 1, bottom - top + 1), qt::ToQColor(c));
        return;
    }
    p.fillPixels(left, top, right, bottom, c);
}

void Stroke(Element& e, double x1, double y1, double x2, double y2, int width, Color c, bool roundEnds)
{
    auto& p = static_cast<PictureWidget&>(*e.widget);
    QPainter& painter = p.painter();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(qt::ToQColor(c), width, Qt::SolidLine, roundEnds ? Qt::RoundCap : Qt::FlatCap, Qt::RoundJoin));
    // A pixel's centre lies half a pixel into it.
    painter.drawLine(QLineF(x1 + 0.5, y1 + 0.5, x2 + 0.5, y2 + 0.5));
    painter.setRenderHint(QPainter::Antialiasing, false);
    p.forgetPen();
}

void Dot(Element& e, double cx, double cy, double radius, Color c)
{
    auto& p = static_cast<PictureWidget&>(*e.widget);
    // Stamps are placed in whole image pixels: true to the drawn dot only
    // when a form pixel is a whole number of them.
    if (!p.plain() && p.ratio == std::floor(p.ratio)) {
        p.stampDot(cx, cy, radius, c);
        return;
    }
    QPainter& painter = p.painter();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(qt::ToQColor(c));
    painter.drawEllipse(QPointF(cx + 0.5, cy + 0.5), radius, radius);
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, false);
    p.forgetPen();
}

void Ring(Element& e, double cx, double cy, double radius, int width, Color c)
{
    auto& p = static_cast<PictureWidget&>(*e.widget);
    QPainter& painter = p.painter();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(qt::ToQColor(c), width));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(cx + 0.5, cy + 0.5), radius, radius);
    painter.setRenderHint(QPainter::Antialiasing, false);
    p.forgetPen();
}

double Text(Element& e, float x, float y, const std::string& text, const Font& font, int pixels, Color c)
{
    auto& p = static_cast<PictureWidget&>(*e.widget);
    p.drawingFont(font, pixels);
    const PictureWidget::LaidOut& laid = p.laidOut(text);
    // Far beyond any picture; keeps the rasteriser sane.
    constexpr float kFar = 1.0e6f;
    // A text that falls wholly outside the picture leaves no pixel in it.
    const bool seen = p.plain() || laid.ink.translated(x, y).intersects(QRectF(0, 0, p.w, p.h));
    if (seen && x < kFar && y < kFar && x > -kFar && y > -kFar) {
        QPainter& painter = p.painter();
        p.textFont();
        p.textPen(c);
        // A text laid out once lands where drawText puts it only when a form
        // pixel is a whole number of image pixels; elsewhere it is drawn.
        if (p.plain() || p.ratio != std::floor(p.ratio))
            painter.drawText(QPointF(x, y + laid.ascent), qt::ToQString(text));
        else
            painter.drawStaticText(QPointF(x, y), laid.text);
    }
    return laid.height;
}

}  // namespace platform::native
