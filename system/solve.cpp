// "交点を求める": both equations solved for y, as the first lesson shows one,
// and where their lines meet: the point as exact fractions with its ring on
// the plane, or what the lesson says of parallel lines and of one line.
#include "system/form2.h"

using platform::NumberText;
using platform::RGB;

namespace {

const char* const kNames[] = {"①", "②"};
const char kParallel[] = "２つの式のグラフは平行です。\n交わらないので、\n解はありません。";
const char kSameLine[] = "２つの式のグラフは\n同じ直線です。\n直線上のすべての点の\n座標が解になります。";
const char kPointTooLarge[] = "交点の座標は、数が大きすぎて表示できません。";

}  // namespace

void Form2::ClearSolution()
{
    for (std::int16_t i = 0; i < 20; ++i) Label4(i).Visible(false);
    for (std::int16_t i = 0; i < 4; ++i) Line1(i).Visible(false);
    for (std::int16_t e = 0; e < 2; ++e) Label8(e).Visible(false);
    for (std::int16_t i = 0; i < 11; ++i) Label9(i).Visible(false);
    Line2(0).Visible(false);
    Line2(1).Visible(false);
    Label10.Caption("");
    Label10.Visible(false);
}

void Form2::Command6_Click()
{
    ClearSolution();
    for (std::int16_t e = 0; e < 2; ++e) {
        const bool shown = equation::Show(line[std::size_t(e)], Label4, std::int16_t(10 * e), Line1, std::int16_t(2 * e));
        Label8(e).Visible(shown);
        if (!shown) platform::MsgBox(std::string(kNames[e]) + "の直線の式は、数が大きすぎて表示できません。");
    }

    // Where the lines of the last runs meet, from the numbers they read.
    const SystemLine &one = line[0], &two = line[1];
    meeting = intersection::Of(one.runA, one.runB, one.runC, two.runA, two.runB, two.runC);
    solution = meeting;
    solutionShown = 0;
    switch (meeting.kind) {
    case intersection::Result::Kind::Point: {
        // A coordinate: its minus sign, then a whole number or a fraction.
        const auto coordinate = [this](const intersection::Coordinate& c, std::int16_t first, std::int16_t bar) {
            const Variant num = double(c.num < 0 ? -c.num : c.num), den = double(c.den);
            if (c.num < 0) {
                Label9(first).Caption("－");
                Label9(first).Visible(true);
            }
            if (c.den == 1) {
                Label9(std::int16_t(first + 1)).Caption(NumberText(num));
                Label9(std::int16_t(first + 1)).Visible(true);
                return;
            }
            Label9(std::int16_t(first + 2)).Caption(NumberText(num));
            Label9(std::int16_t(first + 3)).Caption(NumberText(den));
            Label9(std::int16_t(first + 2)).Visible(true);
            Label9(std::int16_t(first + 3)).Visible(true);
            Line2(bar).Visible(true);
        };
        for (std::int16_t i : {0, 5, 10}) Label9(i).Visible(true);
        coordinate(meeting.x, 1, 0);
        coordinate(meeting.y, 6, 1);
        MarkIntersection();
        solutionShown = 1;
        break;
    }
    case intersection::Result::Kind::Parallel:
        Label10.Caption(kParallel);
        Label10.Visible(true);
        break;
    case intersection::Result::Kind::SameLine:
        Label10.Caption(kSameLine);
        Label10.Visible(true);
        break;
    case intersection::Result::Kind::TooLarge: platform::MsgBox(kPointTooLarge); break;
    }
    Command2.SetFocus();
}

void Form2::MarkIntersection()
{
    // The point shown, also when the boxes have changed since.
    if (solution.kind != intersection::Result::Kind::Point) return;
    const double x = double(solution.x.num) / double(solution.x.den);
    const double y = double(solution.y.num) / double(solution.y.den);
    const float X = platform::CSng(originX + Variant(unitSize) * Variant(x));
    const float Y = platform::CSng(originY - Variant(unitSize) * Variant(y));
    // Ringed where the point is in view; the plane's description says where it is.
    if (X < 0 || Y < 0 || X > Picture1.Width() || Y > Picture1.Height()) {
        ringOnPlane = 2;
        return;
    }
    Picture1.DrawWidth(3);
    Picture1.Ring(X, Y, 10, RGB(255, 0, 255));
    Picture1.DrawWidth(1);
    ringOnPlane = 1;
}
