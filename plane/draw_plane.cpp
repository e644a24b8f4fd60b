// Drawing the coordinate plane: axes, grid, origin mark, scale, axis names.
#include <cmath>

#include "app/form1.h"
#include "plane/plane.h"

using platform::NumberText;

namespace {

// The scale of one grid unit: a number every k units, m numbers on each half-axis.
struct Scale {
    std::int16_t k;
    std::int16_t m;
};

// How far the ink of a number stays from the edges of the picture, in its
// pixels: the glyphs are measured in the form's own pixels and drawn at the
// screen's density, where a smoothed edge may reach a little further.
constexpr double kClear = 2;

// A number of the scale, printed with its corner at (x, y) as the scale
// places it, beside its grid line at `line` (a column for a number of the x
// axis, a row for one of the y axis). A number is never shown in part: one
// that would reach past an edge is moved along its axis just enough to be
// seen whole, as long as its ink still reaches across its grid line; else it
// is left out.
void printWhole(platform::PictureBox& picture, const std::string& text, const Variant& x, const Variant& y,
                bool ofXAxis, const Variant& line)
{
    const platform::PictureBox::Ink ink = picture.TextInk(text);
    const double W = picture.Width(), H = picture.Height();
    const double X = platform::CSng(x), Y = platform::CSng(y);
    // The span of the ink along the axis and across it, and the room for each.
    double from = (ofXAxis ? X + ink.left : Y + ink.top), to = (ofXAxis ? X + ink.right : Y + ink.bottom);
    const double acrossFrom = ofXAxis ? Y + ink.top : X + ink.left, acrossTo = ofXAxis ? Y + ink.bottom : X + ink.right;
    const double room = ofXAxis ? W : H, acrossRoom = ofXAxis ? H : W;
    if (acrossFrom < kClear || acrossTo > acrossRoom - kClear) return;
    double shift = 0;
    if (from < kClear) shift = std::ceil(kClear - from);
    else if (to > room - kClear) shift = -std::ceil(to - (room - kClear));
    from += shift;
    to += shift;
    const double at = platform::CDbl(line);
    if (from < kClear || to > room - kClear || at < from || at > to) return;
    picture.CurrentX(ofXAxis ? Variant(X + shift) : x);
    picture.CurrentY(ofXAxis ? y : Variant(Y + shift));
    picture.Print(text);
}

}  // namespace

void plane::Draw(platform::PictureBox& Picture1, platform::Label& yName, platform::Label& xName,
                 const Variant& originX, const Variant& originY, std::int16_t unitSize)
{
    Picture1.Cls();
    const Variant W = Picture1.Width();
    const Variant H = Picture1.Height();
    const std::int16_t n = platform::CInt(platform::Int(W / Variant(unitSize)));

    Picture1.DrawWidth(3);
    Picture1.Line(0, originY, W, originY);
    Picture1.Line(originX, 0, originX, H);

    Picture1.DrawWidth(1);
    for (Variant i = 1; i <= n; i = i + 1) {
        const Variant d = i * unitSize;
        Picture1.Line(0, originY + d, W, originY + d);
        Picture1.Line(originX + d, 0, originX + d, H);
        Picture1.Line(0, originY - d, W, originY - d);
        Picture1.Line(originX - d, 0, originX - d, H);
    }

    Picture1.FontBold(true);
    Picture1.CurrentX(originX - 20);
    Picture1.CurrentY(originY - 2);
    Picture1.Print("Ｏ");

    // One number on each half-axis for every j; two-digit ones stand further left.
    auto numbers = [&](Scale s, auto twoDigits) {
        for (Variant j = 1; j <= s.m; j = j + 1) {
            const Variant v = j * s.k;
            const Variant d = v * unitSize;
            const Variant w = twoDigits(j) ? 1 : 0;
            printWhole(Picture1, NumberText(v), originX - 15 + d - w * 8, originY - 2, true, originX + d);
            printWhole(Picture1, NumberText(-v), originX - 20 - d - w * 8, originY - 2, true, originX - d);
            printWhole(Picture1, NumberText(v), originX - 25 - w * 13, originY - 12 - d, false, originY - d);
            printWhole(Picture1, NumberText(-v), originX - 30 - w * 13, originY - 12 + d, false, originY + d);
        }
    };
    if (unitSize == 40) numbers({2, 7}, [](const Variant& j) { return j > 4; });
    if (unitSize == 22) numbers({5, 5}, [](const Variant& j) { return j != 1; });
    if (unitSize == 14) numbers({5, 8}, [](const Variant& j) { return j != 1; });

    Picture1.Refresh();

    yName.Left(originX + 4);
    xName.Top(originY + 28);
}

void Form1::DrawPlane()
{
    plane::Draw(Picture1, Label5(0), Label5(1), originX, originY, unitSize);
    lineOnPlane = 0;
}
