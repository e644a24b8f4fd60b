// Drawing the coordinate plane: axes, grid, origin mark, scale, axis names.
#include "app/form1.h"
#include "plane/plane.h"

using platform::NumberText;

namespace {

// The scale of one grid unit: a number every k units, m numbers on each half-axis.
struct Scale {
    std::int16_t k;
    std::int16_t m;
};

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
            Picture1.CurrentX(originX - 15 + d - w * 8);
            Picture1.CurrentY(originY - 2);
            Picture1.Print(NumberText(v));
            Picture1.CurrentX(originX - 20 - d - w * 8);
            Picture1.CurrentY(originY - 2);
            Picture1.Print(NumberText(-v));
            Picture1.CurrentX(originX - 25 - w * 13);
            Picture1.CurrentY(originY - 12 - d);
            Picture1.Print(NumberText(v));
            Picture1.CurrentX(originX - 30 - w * 13);
            Picture1.CurrentY(originY - 12 + d);
            Picture1.Print(NumberText(-v));
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
