// What the picture box does the same on every window system: coordinates,
// the pixels a line along an axis covers, far lines cut back, which dots can
// be seen, and where the next text goes. The window system draws.
#include "platform/picture.h"

#include <algorithm>
#include <cmath>

#include "platform/clip.h"
#include "platform/delivery.h"
#include "platform/native.h"

namespace platform {

namespace {

// Far beyond any picture; keeps integer conversions and the rasteriser sane.
constexpr double kFar = 1.0e6;

double tame(double v) { return std::clamp(v, -kFar, kFar); }

// The pixel index of a coordinate: the nearest whole number, halves upward.
long pixelOf(double v) { return static_cast<long>(std::floor(tame(v) + 0.5)); }

// A coordinate as a 64-bit float; a value beyond every float is the runtime's Overflow.
double coordinate(const Variant& v)
{
    const double d = CDbl(v);
    if (!std::isfinite(d)) throw RuntimeError(RuntimeError::Overflow);
    return d;
}

}  // namespace

PictureBox::PictureBox(Form& form) : Control(form, Kind::Picture)
{
    native_ = native::MakePicture(form, *this);
    fore_ = native::ButtonTextColor();
}

void PictureBox::Placed()
{
    const int w = std::max(1, place_.width), h = std::max(1, place_.height);
    if (w == w_ && h == h_ && !drawn_.empty()) return;
    w_ = w;
    h_ = h;
    native::Resize(*native_, w_, h_);
    drawn_.clear();
    dotsShown_ = 0;
}

void PictureBox::BackColor(Color c)
{
    back_ = c;
    Cls();
}

void PictureBox::Cls()
{
    native::Clear(*native_, back_);
    drawn_.clear();
    currentX_ = currentY_ = 0;
    dotsShown_ = 0;
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
    native::Fill(*native_, int(left), int(top), int(right), int(bottom), color);
    drawn_.push_back({Drawn::Fill, false, 0, color, double(left), double(top), double(right), double(bottom), {}, {}});
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
        if (!ClipSegment(ax, ay, bx, by, -margin, w_ + margin, h_ + margin)) return;
    }
    const auto outside = [&](double x, double y) {
        return x < -margin || y < -margin || x > w_ + margin || y > h_ + margin;
    };
    // Round ends, unless neither can be seen: then flat ones, which take the
    // rasteriser's much faster way (its coverage along the edges differs from
    // the round-ended stroke's by a few levels, so this is part of what a line
    // is, not a shortcut).
    const bool round = !(outside(ax, ay) && outside(bx, by));
    native::Stroke(*native_, ax, ay, bx, by, drawWidth_, color, round);
    drawn_.push_back({Drawn::Stroke, round, drawWidth_, color, ax, ay, bx, by, {}, {}});
}

// A circle outlined with a pen of width w and filled with the same colour is
// a disk of radius r + w/2.
void PictureBox::Circle(const Variant& x, const Variant& y, const Variant& radius) { Circle(x, y, radius, fore_); }

void PictureBox::Circle(const Variant& x, const Variant& y, const Variant& radius, Color color)
{
    const double cx = coordinate(x), cy = coordinate(y);
    const double r = std::fabs(CSng(radius)) + drawWidth_ / 2.0;
    if (cx + r + 1 < 0 || cy + r + 1 < 0 || cx - r - 1 > w_ || cy - r - 1 > h_) return;
    ++dotsShown_;
    native::Dot(*native_, cx, cy, r, color);
    drawn_.push_back({Drawn::Dot, false, 0, color, cx, cy, r, 0, {}, {}});
}

void PictureBox::Square(const Variant& x, const Variant& y, std::int16_t side, Color color)
{
    const long left = pixelOf(coordinate(x)) - side / 2, top = pixelOf(coordinate(y)) - side / 2;
    const long right = left + side - 1, bottom = top + side - 1;
    if (right < 0 || bottom < 0 || left >= w_ || top >= h_) return;
    ++dotsShown_;
    const int l = int(std::max(left, 0L)), t = int(std::max(top, 0L));
    const int r = int(std::min(right, long(w_) - 1)), b = int(std::min(bottom, long(h_) - 1));
    native::Fill(*native_, l, t, r, b, color);
    drawn_.push_back({Drawn::Fill, false, 0, color, double(l), double(t), double(r), double(b), {}, {}});
}

void PictureBox::Ring(const Variant& x, const Variant& y, const Variant& radius, Color color)
{
    const double cx = coordinate(x), cy = coordinate(y);
    const double r = std::fabs(CSng(radius));
    const double reach = r + drawWidth_;
    if (cx + reach < 0 || cy + reach < 0 || cx - reach > w_ || cy - reach > h_) return;
    native::Ring(*native_, cx, cy, r, drawWidth_, color);
    drawn_.push_back({Drawn::Ring, false, drawWidth_, color, cx, cy, r, 0, {}, {}});
}

void PictureBox::Print(const std::string& text)
{
    const float x = currentX_, y = currentY_;
    const double height = native::Text(*native_, x, y, text, font_, shownPixels_, fore_);
    drawn_.push_back({Drawn::Text, false, shownPixels_, fore_, x, y, 0, 0, text, font_});
    currentX_ = 0;
    currentY_ = static_cast<float>(y + height);
}

void PictureBox::Refresh() { native::ShowDrawing(*native_); }

PictureBox::Ink PictureBox::TextInk(const std::string& text) const
{
    // Measured once for each text and font: the plane asks for the same few
    // numbers at every step of a drag.
    const std::string key = text + '\n' + font_.face + '\n' + std::to_string(font_.points) + (font_.bold ? "b" : "") +
                            (font_.italic ? "i" : "") + std::to_string(shownPixels_);
    const auto known = inks_.find(key);
    if (known != inks_.end()) return known->second;
    const native::Extent e = native::MeasureText(font_, shownPixels_, text);
    if (inks_.size() > 256) inks_.clear();
    return inks_[key] = {e.inkLeft, e.inkTop, e.inkRight, e.inkBottom};
}

std::vector<PictureBox::Printed> PictureBox::PrintedTexts() const
{
    std::vector<Printed> texts;
    for (const Drawn& d : drawn_)
        if (d.kind == Drawn::Text) texts.push_back({d.text, float(d.a), float(d.b)});
    return texts;
}

void PictureBox::Redraw()
{
    native::Clear(*native_, back_);
    for (const Drawn& d : drawn_) {
        switch (d.kind) {
        case Drawn::Fill: native::Fill(*native_, int(d.a), int(d.b), int(d.c), int(d.d), d.color); break;
        case Drawn::Stroke: native::Stroke(*native_, d.a, d.b, d.c, d.d, d.width, d.color, d.round); break;
        case Drawn::Dot: native::Dot(*native_, d.a, d.b, d.c, d.color); break;
        case Drawn::Ring: native::Ring(*native_, d.a, d.b, d.c, d.width, d.color); break;
        case Drawn::Text: native::Text(*native_, float(d.a), float(d.b), d.text, d.font, d.width, d.color); break;
        }
    }
    native::ShowDrawing(*native_);
}

void PictureBox::CopyImage(double ratio, Done done)
{
    handing_ = std::move(done);
    const native::Handing h = native::CopyImage(*native_, ratio);
    if (h != native::Handing::Later) Handed(h == native::Handing::Done);
}

void PictureBox::SaveImage(double ratio, const std::string& name, Done done)
{
    handing_ = std::move(done);
    const native::Handing h = native::SaveImage(*native_, ratio, name);
    if (h != native::Handing::Later) Handed(h == native::Handing::Done);
}

void PictureBox::Handed(bool taken)
{
    Done done = std::move(handing_);
    handing_ = nullptr;
    if (done) Deliver([&] { done(taken); });
}

void PictureBox::MouseDown(std::int16_t button, std::int16_t shift, float x, float y)
{
    if (down_) Deliver([&] { down_(button, shift, x, y); });
}

void PictureBox::MouseMove(std::int16_t button, std::int16_t shift, float x, float y)
{
    if (move_) Deliver([&] { move_(button, shift, x, y); });
}

void PictureBox::MouseUp(std::int16_t button, std::int16_t shift, float x, float y)
{
    if (up_) Deliver([&] { up_(button, shift, x, y); });
}

bool PictureBox::KeyDown(std::int16_t keyCode, std::int16_t shift)
{
    if (!keyDown_) return false;
    Deliver([&] { keyDown_(keyCode, shift); });
    return true;
}

}  // namespace platform
