// What the third lesson draws on the plane, in this order, for the steps
// reached: the line through Ａ and Ｂ, the two sides of the triangle of the
// increases, the ring where the line meets the y axis, the points, their
// names and the values of the increases; all of it from what 「２点をとる」
// worked out, drawn again after every change of the plane. And the tap that
// places Ａ, then Ｂ, on the nearest point with whole-number coordinates.
#include <cmath>

#include "twopoints/form3.h"

using platform::Color;
using platform::RGB;
using twopoints::Decimal;

namespace {

const Color kBlack = RGB(0, 0, 0);
const Color kIncrease = RGB(0, 0, 192);
const Color kRing = RGB(255, 0, 255);
// The height of a text of the plane's type, 20 points bold, as the layout counts it.
constexpr double kTextHeight = 27;

double valueOf(const Decimal& d) { return double(d.digits) / std::pow(10.0, d.places); }
double valueOf(const twopoints::Fraction& f) { return double(f.num) / double(f.den); }

int sign(std::int64_t v) { return (v > 0) - (v < 0); }

}  // namespace

void Form3::PlaneCleared()
{
    marksOnPlane = 0;
    ringOnPlane = 0;
}

bool Form3::ShowAgain()
{
    DrawMarks();
    return true;
}

void Form3::DrawMarks()
{
    if (step == 0 && aAlone == 0) return;
    const double ox = platform::CDbl(originX), oy = platform::CDbl(originY), u = unitSize;
    const double W = Picture1.Width(), H = Picture1.Height();
    const auto X = [&](double x) { return ox + u * x; };
    const auto Y = [&](double y) { return oy - u * y; };
    const Decimal& x1 = aAlone ? tapX : work.x1;
    const Decimal& y1 = aAlone ? tapY : work.y1;
    const double ax = X(valueOf(x1)), ay = Y(valueOf(y1));
    const double bx = X(valueOf(work.x2)), by = Y(valueOf(work.y2));

    // The line, from plane x = −40 to 40, its ends cut back to y = ±40.
    if (step >= 3) {
        Picture1.DrawWidth(6);
        if (work.vertical) {
            Picture1.Line(bx, Y(-40), bx, Y(40), platform::QBColor(12));
        } else {
            const double m = valueOf(work.rate), k = valueOf(work.intercept);
            double from = -40, to = 40;
            if (m != 0) {
                const double xLow = (-40 - k) / m, xHigh = (40 - k) / m;
                from = std::max(from, std::min(xLow, xHigh));
                to = std::min(to, std::max(xLow, xHigh));
            }
            Picture1.Line(X(from), Y(m * from + k), X(to), Y(m * to + k), platform::QBColor(12));
        }
    }
    // The increase from Ａ to Ｂ: along x to (x₂, y₁), then along y to Ｂ.
    if (step >= 2) {
        Picture1.DrawWidth(3);
        if (work.dx.digits != 0) Picture1.Line(ax, ay, bx, ay, kIncrease);
        if (work.dy.digits != 0) Picture1.Line(bx, ay, bx, by, kIncrease);
    }
    // Where the line meets the y axis, ringed where it is in view.
    if (step >= 3 && !work.vertical) {
        const double ry = Y(valueOf(work.intercept));
        if (ox >= 0 && ox <= W && ry >= 0 && ry <= H) {
            Picture1.DrawWidth(3);
            Picture1.Ring(ox, ry, 10, kRing);
            ringOnPlane = 1;
        }
    }
    // The points.
    Picture1.DrawWidth(1);
    Picture1.Circle(ax, ay, 4.5, kBlack);
    if (step >= 1) Picture1.Circle(bx, by, 4.5, kBlack);

    // Their names, both on the side away from the corner (x₂, y₁): across
    // the line from the triangle; turned back where they would leave the picture.
    const Color before = Picture1.ForeColor();
    const auto text = [&](const std::string& words, double left, double top, Color c) {
        const platform::PictureBox::Ink ink = Picture1.TextInk(words);
        Picture1.ForeColor(c);
        Picture1.CurrentX(left - ink.left);
        Picture1.CurrentY(top);
        Picture1.Print(words);
    };
    int hx = -1, hy = -1;
    if (step >= 1) {
        hx = work.vertical ? -1 : work.dy.digits == 0 ? 0 : -sign(work.dx.digits);
        hy = work.dy.digits == 0 ? -1 : work.vertical ? 0 : -sign(work.dy.digits);
    }
    const auto name = [&](const char* words, double px, double py) {
        const platform::PictureBox::Ink ink = Picture1.TextInk(words);
        const double w = ink.right - ink.left;
        const auto leftOf = [&](int h) { return h > 0 ? px + 7 : h < 0 ? px - 7 - w : px - w / 2; };
        const auto topOf = [&](int h) { return h > 0 ? py + 7 : h < 0 ? py - 7 - kTextHeight : py - kTextHeight / 2; };
        double left = leftOf(hx), top = topOf(hy);
        if (hx != 0 && (left < 0 || left + w > W)) left = leftOf(-hx);
        if (hy != 0 && (top < 0 || top + kTextHeight > H)) top = topOf(-hy);
        left = std::clamp(left, 0.0, std::max(0.0, W - w));
        top = std::clamp(top, 0.0, std::max(0.0, H - kTextHeight));
        text(words, left, top, kBlack);
    };
    name("Ａ", ax, ay);
    if (step >= 1) name("Ｂ", bx, by);

    // The values of the increases beside their sides, outside the triangle,
    // where the middle of the side is in view and the side is as long as its
    // value is wide (or high): beside a shorter one it would be read as the
    // other's, and the panel shows both all the same.
    if (step >= 2) {
        const auto inView = [&](double x, double y) { return x >= 0 && x <= W && y >= 0 && y <= H; };
        const double across = std::fabs(bx - ax), down = std::fabs(by - ay);
        if (work.dx.digits != 0 && inView((ax + bx) / 2, ay)) {
            const std::string v = twopoints::Increase(work.dx);
            const platform::PictureBox::Ink ink = Picture1.TextInk(v);
            const double w = ink.right - ink.left;
            if (across >= w) {
                const double left = std::clamp((ax + bx) / 2 - w / 2, 0.0, std::max(0.0, W - w));
                const double top =
                    std::clamp(work.dy.digits >= 0 ? ay + 6 : ay - 6 - kTextHeight, 0.0, H - kTextHeight);
                text(v, left, top, kIncrease);
            }
        }
        if (work.dy.digits != 0 && inView(bx, (ay + by) / 2) && down >= kTextHeight) {
            const std::string v = twopoints::Increase(work.dy);
            const platform::PictureBox::Ink ink = Picture1.TextInk(v);
            const double w = ink.right - ink.left;
            const double left = std::clamp(work.dx.digits >= 0 ? bx + 6 : bx - 6 - w, 0.0, std::max(0.0, W - w));
            const double top = std::clamp((ay + by) / 2 - kTextHeight / 2, 0.0, H - kTextHeight);
            text(v, left, top, kIncrease);
        }
    }
    Picture1.ForeColor(before);
    marksOnPlane = aAlone ? 1 : step;
}

// A press and release that moved less than 4 pixels: the nearest point with
// whole-number coordinates, brought one unit back into view where it is not,
// becomes Ｂ when Ａ is typed and Ｂ is not, else Ａ.
void Form3::Tapped(float X, float Y)
{
    const double ox = platform::CDbl(originX), oy = platform::CDbl(originY), u = unitSize;
    auto x = static_cast<std::int64_t>(std::floor((X - ox) / u + 0.5));
    auto y = static_cast<std::int64_t>(std::floor((oy - Y) / u + 0.5));
    if (ox + u * x < 0) ++x;
    if (ox + u * x > Picture1.Width()) --x;
    if (oy - u * y < 0) --y;
    if (oy - u * y > Picture1.Height()) ++y;
    const bool placeB = !Text1(0).Text().empty() && !Text1(1).Text().empty() && Text1(2).Text().empty() &&
                        Text1(3).Text().empty();
    if (placeB) {
        Text1(2).Text(std::to_string(x));
        Text1(3).Text(std::to_string(y));
        Command4_Click(0);
        return;
    }
    Text1(0).Text(std::to_string(x));
    Text1(1).Text(std::to_string(y));
    Text1(2).Text("");
    Text1(3).Text("");
    Restart();
    aAlone = 1;
    tapX = {x, 0};
    tapY = {y, 0};
    DrawPlane();
    ShowAgain();
    Picture1.SetFocus();
}
