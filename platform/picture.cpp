#include "platform/picture.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

QColor qcolor(Color c) { return QColor::fromRgb(static_cast<QRgb>(c | 0xFF000000u)); }

// Far beyond any picture; keeps integer conversions and the rasteriser sane.
constexpr double kFar = 1.0e6;

double tame(double v) { return std::clamp(v, -kFar, kFar); }

// The pixel index of a coordinate: the nearest whole number, halves upward.
long pixelOf(double v) { return static_cast<long>(std::floor(tame(v) + 0.5)); }

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

PictureBox::PictureBox(QWidget* parent) : Control<QWidget>(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);  // moves reach the handler with no button held too
    fore_ = static_cast<Color>(QApplication::palette().color(QPalette::ButtonText).rgb() & 0xFFFFFFu);
    image_ = QImage(1, 1, QImage::Format_RGB32);
    image_.fill(qcolor(back_));
}

PictureBox::~PictureBox() { endPainting(); }

void PictureBox::Place(int left, int top, int width, int height)
{
    setGeometry(left, top, width, height);
    w_ = std::max(1, width);
    h_ = std::max(1, height);
    allocate();
}

// The image holds a pixel of the screen for every pixel it shows, so that on
// a high-density screen lines stay sharp and text is drawn at full resolution.
void PictureBox::allocate()
{
    endPainting();
    ratio_ = devicePixelRatioF();
    QImage grown(std::max(1, int(std::lround(w_ * ratio_))), std::max(1, int(std::lround(h_ * ratio_))),
                 QImage::Format_RGB32);
    grown.setDevicePixelRatio(ratio_);
    grown.fill(qcolor(back_));
    {
        QPainter p(&grown);
        p.drawImage(QPointF(0, 0), image_);
    }
    image_ = grown;
    stamps_.clear();
}

void PictureBox::BackColor(Color c)
{
    back_ = c;
    Cls();
}

QPainter& PictureBox::painter()
{
    // What is drawn shows when the handler is done, as after Refresh.
    if (!updatePending_) {
        updatePending_ = true;
        update();
    }
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::TextAntialiasing);
        painterFont_ = false;
        painterPen_ = 0;
    }
    return *painter_;
}

void PictureBox::endPainting()
{
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

void PictureBox::Cls()
{
    if (devicePixelRatioF() != ratio_) allocate();
    endPainting();
    image_.fill(qcolor(back_));
    currentX_ = currentY_ = 0;
    dotsShown_ = 0;
    update();
}

void PictureBox::DrawWidth(std::int16_t width)
{
    if (width < 1) throw RuntimeError(RuntimeError::InvalidProcedureCall);
    drawWidth_ = width;
}

void PictureBox::Line(const Variant& x1, const Variant& y1, const Variant& x2, const Variant& y2)
{
    Line(x1, y1, x2, y2, fore_);
}

void PictureBox::axisLine(double x1, double y1, double x2, double y2, Color color)
{
    const long w = drawWidth_;
    long left, top, right, bottom;
    if (y1 == y2) {
        left = pixelOf(std::min(x1, x2));
        right = pixelOf(std::max(x1, x2));
        top = pixelOf(y1) - w / 2;
        bottom = top + w - 1;
    } else {
        top = pixelOf(std::min(y1, y2));
        bottom = pixelOf(std::max(y1, y2));
        left = pixelOf(x1) - w / 2;
        right = left + w - 1;
    }
    left = std::max(left, 0L);
    top = std::max(top, 0L);
    right = std::min(right, static_cast<long>(w_) - 1);
    bottom = std::min(bottom, static_cast<long>(h_) - 1);
    if (left > right || top > bottom) return;
    const QRect logical(int(left), int(top), int(right - left + 1), int(bottom - top + 1));
    if (plain_) {
        painter().fillRect(logical, qcolor(color));
        return;
    }
    // The same pixels in the image's own, possibly denser, grid.
    const auto device = [this](long v) { return int(std::lround(v * ratio_)); };
    const QRect rect(QPoint(device(left), device(top)), QPoint(device(right + 1) - 1, device(bottom + 1) - 1));
    // An opaque rectangle of whole pixels: its pixels are simply set.
    const QRgb pixel = qcolor(color).rgb();
    const qsizetype stride = image_.bytesPerLine() / qsizetype(sizeof(QRgb));
    QRgb* row = reinterpret_cast<QRgb*>(image_.bits()) + rect.top() * stride;
    painter();  // marks the picture for showing
    if (rect.width() == 1) {
        for (int y = rect.top(); y <= rect.bottom(); ++y, row += stride) row[rect.left()] = pixel;
        return;
    }
    for (int y = rect.top(); y <= rect.bottom(); ++y, row += stride)
        std::fill(row + rect.left(), row + rect.right() + 1, pixel);
}

// A coordinate as a 64-bit float; a value beyond every float is the runtime's Overflow.
static double coordinate(const Variant& v)
{
    const double d = CDbl(v);
    if (!std::isfinite(d)) throw RuntimeError(RuntimeError::Overflow);
    return d;
}

// Cuts the segment to the box [lo, hiX] × [lo, hiY]; false when nothing of it
// is inside. The line is first cut along the axis on which it runs furthest,
// evaluating it there as a function of that axis, so that a segment whose ends
// lie very far away keeps its place near the picture.
static bool clipSegment(double& x1, double& y1, double& x2, double& y2, double lo, double hiX, double hiY)
{
    const bool alongX = std::fabs(x2 - x1) >= std::fabs(y2 - y1);
    double& u1 = alongX ? x1 : y1;
    double& v1 = alongX ? y1 : x1;
    double& u2 = alongX ? x2 : y2;
    double& v2 = alongX ? y2 : x2;
    const double hiU = alongX ? hiX : hiY;
    if (u1 > u2) {
        std::swap(u1, u2);
        std::swap(v1, v2);
    }
    const double from = std::max(u1, lo), to = std::min(u2, hiU);
    if (from > to) return false;
    const double slope = (v2 - v1) / (u2 - u1);
    const double a = v1 + (from - u1) * slope, b = v1 + (to - u1) * slope;
    u1 = from;
    v1 = a;
    u2 = to;
    v2 = b;
    // What is left is no longer than the picture is wide along that axis.
    double t0 = 0.0, t1 = 1.0;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - lo, hiX - x1, y1 - lo, hiY - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const double ax = x1 + t0 * dx, ay = y1 + t0 * dy;
    const double bx = x1 + t1 * dx, by = y1 + t1 * dy;
    x1 = ax;
    y1 = ay;
    x2 = bx;
    y2 = by;
    return true;
}

void PictureBox::Line(const Variant& x1, const Variant& y1, const Variant& x2, const Variant& y2, Color color)
{
    double ax = coordinate(x1), ay = coordinate(y1), bx = coordinate(x2), by = coordinate(y2);
    if (ay == by || ax == bx) {
        axisLine(ax, ay, bx, by, color);
        return;
    }
    // Ends far beyond any picture are cut back, so that the rasteriser gets
    // sane numbers and the line keeps its true direction.
    const double margin = drawWidth_ + 2.0;
    const auto far = [](double v) { return v < -kFar / 10 || v > kFar / 10; };
    if (far(ax) || far(ay) || far(bx) || far(by)) {
        if (!clipSegment(ax, ay, bx, by, -margin, w_ + margin, h_ + margin)) return;
    }
    const auto outside = [&](double x, double y) {
        return x < -margin || y < -margin || x > w_ + margin || y > h_ + margin;
    };
    // Round ends, unless neither can be seen: then flat ones, which take the
    // rasteriser's much faster way (its coverage along the edges differs from
    // the round-ended stroke's by a few levels, so this is part of what a line
    // is, not a shortcut: plain drawing makes the same choice).
    const bool flat = outside(ax, ay) && outside(bx, by);
    QPainter& p = painter();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(qcolor(color), drawWidth_, Qt::SolidLine, flat ? Qt::FlatCap : Qt::RoundCap, Qt::RoundJoin));
    painterPen_ = 0;
    // A pixel's centre lies half a pixel into it.
    p.drawLine(QLineF(ax + 0.5, ay + 0.5, bx + 0.5, by + 0.5));
    p.setRenderHint(QPainter::Antialiasing, false);
}

// A circle outlined with a pen of width w and filled with the same colour is
// a disk of radius r + w/2: drawn as one fill, it can be stamped exactly.
void PictureBox::Circle(const Variant& x, const Variant& y, const Variant& radius)
{
    const double cx = coordinate(x), cy = coordinate(y);
    const double r = std::fabs(CSng(radius)) + drawWidth_ / 2.0;
    if (cx + r + 1 < 0 || cy + r + 1 < 0 || cx - r - 1 > w_ || cy - r - 1 > h_) return;
    ++dotsShown_;
    QPainter& p = painter();
    if (plain_) {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        painterPen_ = 0;
        p.setBrush(qcolor(fore_));
        p.drawEllipse(QPointF(cx + 0.5, cy + 0.5), r, r);
        p.setBrush(Qt::NoBrush);
        p.setRenderHint(QPainter::Antialiasing, false);
        return;
    }
    const double ix = std::floor(cx), iy = std::floor(cy);
    const QImage& stamp = dotStamp(r, cx - ix, cy - iy);
    const int pad = static_cast<int>(std::ceil(r)) + 2;
    p.drawImage(QPointF(ix - pad, iy - pad), stamp);
}

const QImage& PictureBox::dotStamp(double radius, double fx, double fy)
{
    for (const Stamp& s : stamps_)
        if (s.radius == radius && s.fx == fx && s.fy == fy && s.color == fore_) return s.image;
    // Dots come in few sizes and, with whole-pixel origins, one phase; keep
    // the cache small for the rest.
    if (stamps_.size() >= 64) stamps_.erase(stamps_.begin());
    const int pad = static_cast<int>(std::ceil(radius)) + 2;
    const int side = int(std::lround((2 * pad + 1) * ratio_));
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio_);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        p.setBrush(qcolor(fore_));
        p.drawEllipse(QPointF(pad + fx + 0.5, pad + fy + 0.5), radius, radius);
    }
    stamps_.push_back({radius, fx, fy, fore_, image});
    return stamps_.back().image;
}

void PictureBox::Print(const QString& text)
{
    const QFont& f = font();
    auto it = texts_.find(text);
    if (it == texts_.end()) {
        const QFontMetricsF metrics(f);
        QStaticText laid(text);
        laid.setTextFormat(Qt::PlainText);
        laid.setPerformanceHint(QStaticText::AggressiveCaching);
        laid.prepare(QTransform(), f);
        // Generous bounds: the glyphs' own box, grown by a few pixels for smoothing.
        const QRectF ink = metrics.boundingRect(text).translated(0, metrics.ascent()).adjusted(-4, -4, 4, 4);
        it = texts_.insert(text, {laid, metrics.ascent(), metrics.height(), ink});
    }
    const double x = currentX_, y = currentY_;
    // A text that falls wholly outside the picture leaves no pixel in it.
    const bool seen = plain_ || it->ink.translated(x, y).intersects(QRectF(0, 0, w_, h_));
    if (seen && x < kFar && y < kFar && x > -kFar && y > -kFar) {
        QPainter& p = painter();
        // The painter keeps font and pen between texts.
        if (!painterFont_) {
            p.setFont(f);
            painterFont_ = true;
        }
        if (painterPen_ != (fore_ | 0xFF000000u)) {
            p.setPen(qcolor(fore_));
            painterPen_ = fore_ | 0xFF000000u;
        }
        if (plain_)
            p.drawText(QPointF(x, y + it->ascent), text);
        else
            p.drawStaticText(QPointF(x, y), it->text);
    }
    currentX_ = 0;
    currentY_ = static_cast<float>(y + it->height);
}

void PictureBox::Refresh() { update(); }

void PictureBox::changeEvent(QEvent* event)
{
    // Texts laid out in another font are of no more use.
    if (event->type() == QEvent::FontChange) {
        texts_.clear();
        painterFont_ = false;
    }
    Control<QWidget>::changeEvent(event);
}

const QImage& PictureBox::Image()
{
    endPainting();
    return image_;
}

void PictureBox::paintEvent(QPaintEvent*)
{
    updatePending_ = false;
    endPainting();
    QPainter p(this);
    p.drawImage(QPointF(0, 0), image_);
    if (keyboardFocus_ && hasFocus()) {
        // Where the keyboard is, over the picture only, never in its image.
        p.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DashLine));
        p.drawRect(QRectF(1, 1, w_ - 2, h_ - 2));
    }
}

void PictureBox::keyPressEvent(QKeyEvent* event)
{
    std::int16_t code = 0;
    switch (event->key()) {
    case Qt::Key_Left: code = 37; break;
    case Qt::Key_Up: code = 38; break;
    case Qt::Key_Right: code = 39; break;
    case Qt::Key_Down: code = 40; break;
    default: break;
    }
    if (code == 0 || !keyDown_) {
        Control<QWidget>::keyPressEvent(event);
        return;
    }
    const std::int16_t shift = shiftOf(event->modifiers());
    Deliver([&] { keyDown_(code, shift); });
    event->accept();
}

void PictureBox::focusInEvent(QFocusEvent* event)
{
    keyboardFocus_ = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    update();
    Control<QWidget>::focusInEvent(event);
}

void PictureBox::focusOutEvent(QFocusEvent* event)
{
    keyboardFocus_ = false;
    update();
    Control<QWidget>::focusOutEvent(event);
}

void PictureBox::deliverMouse(const MouseHandler& handler, QMouseEvent* event, std::int16_t button)
{
    if (!handler) return;
    const QPointF at = event->position();
    const auto x = static_cast<float>(at.x()), y = static_cast<float>(at.y());
    const std::int16_t shift = shiftOf(event->modifiers());
    Deliver([&] { handler(button, shift, x, y); });
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    deliverMouse(down_, event, buttonsOf(event->button()));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    deliverMouse(move_, event, buttonsOf(event->buttons()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    deliverMouse(up_, event, buttonsOf(event->button()));
}

}  // namespace platform
