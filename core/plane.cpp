// The coordinate plane as every lesson draws it: axes, grid, origin mark,
// the numbers of the scale, the axis names; its sizes, its moves, and the
// plane as a picture for worksheets.
#include "core/plane.h"

#include <cmath>

#include "platform/numtext.h"
#include "platform/runtime.h"

using platform::Variant;

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
    const double W = picture.Width(), H = picture.Height();
    const double X = platform::CSng(x), Y = platform::CSng(y);
    // Most numbers are decided without measuring them (the page measures a
    // text slowly): one whose grid line is outside the picture cannot stand
    // across it there, and one whose place keeps far from every edge is whole
    // where the scale puts it (a number of the scale is never wider than 60
    // pixels nor its ink lower than 40 below its corner).
    const double at = platform::CDbl(line);
    if (at < 0 || at > (ofXAxis ? W : H)) return;
    if (X >= 2 * kClear + 8 && X + 60 <= W - kClear && Y >= kClear && Y + 40 <= H - kClear) {
        picture.CurrentX(x);
        picture.CurrentY(y);
        picture.Print(text);
        return;
    }
    const platform::PictureBox::Ink ink = picture.TextInk(text);
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

bool plane::ArrowMove(std::int16_t KeyCode, std::int16_t unitSize, Variant& dx, Variant& dy)
{
    if (KeyCode == 37) dx = -Variant(unitSize);
    if (KeyCode == 38) dy = -Variant(unitSize);
    if (KeyCode == 39) dx = unitSize;
    if (KeyCode == 40) dy = unitSize;
    return !(dx == 0 && dy == 0);
}

void plane::Move(Variant& originX, Variant& originY, const Variant& dx, const Variant& dy)
{
    originX = originX + dx;
    originY = originY + dy;
    // The origin stays inside the square 60 … 540.
    if (originX < 60) originX = 60;
    if (originX > 540) originX = 540;
    if (originY < 60) originY = 60;
    if (originY > 540) originY = 540;
}

std::int16_t plane::Choose(platform::ControlArray<platform::CommandButton, 3>& Command3, std::int16_t Index)
{
    for (std::int16_t i = 0; i <= 2; ++i) {
        Command3(i).FontSize(12);
        Command3(i).FontBold(false);
    }
    Command3(Index).FontSize(20);
    Command3(Index).FontBold(true);
    if (Index == 0) return 40;
    if (Index == 1) return 22;
    return 14;
}

namespace {

constexpr double kPrintRatio = 2;

const char kNotCopied[] = "図をコピーできませんでした。\nかわりに、Ctrl＋S で画像として保存できます。";
const char kNotSaved[] = "図を保存できませんでした。\n保存する場所を変えて、もう一度ためしてください。";

// A number of the equation as it is written in a name: "2", "0.5", "-3".
std::string written(double v)
{
    std::string text = platform::NumberText(v);
    if (!text.empty() && text[0] == ' ') text.erase(0, 1);
    return text;
}

}  // namespace

void plane::Copy(platform::PictureBox& picture)
{
    picture.CopyImage(kPrintRatio, [](bool taken) {
        if (!taken) platform::MsgBox(kNotCopied);
    });
}

void plane::Save(platform::PictureBox& picture, const std::string& name)
{
    picture.SaveImage(kPrintRatio, name, [](bool taken) {
        if (!taken) platform::MsgBox(kNotSaved);
    });
}

// "2x+3y=6" for the texts 2, 3 and 6, as the boxes read them (「－０．５」 is
// -0.5); empty while no equation is typed (a and b both 0).
std::string plane::EquationName(const std::string& textA, const std::string& textB, const std::string& textC)
{
    const double a = platform::TextValue(textA), b = platform::TextValue(textB), c = platform::TextValue(textC);
    if ((a == 0 && b == 0) || !std::isfinite(a) || !std::isfinite(b) || !std::isfinite(c)) return {};
    // A term: its coefficient's sign, the number unless it is 1, the letter.
    const auto term = [](double k, const char* letter, bool first) {
        std::string t = k < 0 ? "-" : first ? "" : "+";
        if (std::fabs(k) != 1) t += written(std::fabs(k));
        return t + letter;
    };
    std::string name;
    if (a != 0) name += term(a, "x", true);
    if (b != 0) name += term(b, "y", name.empty());
    return name + "=" + written(c);
}

