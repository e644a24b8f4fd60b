// "点を打つ", "さらに点を打つ" and "すべての点を打つ" for both equations: ①'s
// points as dots, ②'s as squares, a ring where both mark the same point; ①'s
// line in red, ②'s in blue.
#include <cmath>

#include "core/plane.h"
#include "core/plot.h"
#include "system/form2.h"

using platform::Color;
using platform::Reading;
using platform::RGB;

namespace {

const Color kOne = RGB(192, 0, 0);
const Color kTwo = RGB(0, 0, 192);
const Color kBoth = RGB(0, 0, 0);
const char* const kNames[] = {"①", "②"};

// Whether the intersection is one of the points of run `index` (x and y
// whole for 0; x a whole or half number for 1; x from −38 to 38).
bool marked(const intersection::Result& m, std::int16_t index)
{
    if (m.kind != intersection::Result::Kind::Point) return false;
    const double x = double(m.x.num) / double(m.x.den);
    if (x < -38 || x > 38) return false;
    if (index == 0) return m.x.den == 1 && m.y.den == 1;
    return m.x.den == 1 || m.x.den == 2;
}

}  // namespace

void Form2::Command4_Click(std::int16_t Index)
{
    // The boxes are read once, both equations' runs worked out before anything
    // is drawn or kept: a run that cannot plot changes nothing.
    std::array<Reading, 6> r;
    for (std::int16_t i = 0; i < 6; ++i) r[std::size_t(i)] = platform::ReadNumber(Text1(i).Text());
    std::array<plot::Run, 2> runs;
    for (std::size_t e = 0; e < 2; ++e) {
        runs[e] = plot::Points(r[3 * e], r[3 * e + 1], r[3 * e + 2], Index, originX, originY, unitSize);
        if (runs[e].cause == plot::Run::None) continue;
        plotFailed = 1;
        platform::MsgBox(std::string(kNames[e]) + "の式で、" + plot::MessageOf(runs[e].cause));
        plot::Correct(Text1(std::int16_t(3 * e + std::size_t(runs[e].box))));
        return;
    }
    plotFailed = 0;

    Picture1.DrawWidth(1);
    for (int i = 0; i < runs[0].shown; ++i)
        Picture1.Circle(runs[0].markers[std::size_t(i)].X, runs[0].markers[std::size_t(i)].Y, 3, kOne);
    for (int i = 0; i < runs[1].shown; ++i)
        Picture1.Square(runs[1].markers[std::size_t(i)].X, runs[1].markers[std::size_t(i)].Y, 7, kTwo);
    // The points both equations mark: where they meet, or every point of one line.
    meeting = intersection::Of(r[0], r[1], r[2], r[3], r[4], r[5]);
    Picture1.DrawWidth(2);
    if (meeting.kind == intersection::Result::Kind::SameLine) {
        for (int i = 0; i < runs[0].shown; ++i)
            Picture1.Ring(runs[0].markers[std::size_t(i)].X, runs[0].markers[std::size_t(i)].Y, 7, kBoth);
    } else if (marked(meeting, Index)) {
        const double x = double(meeting.x.num) / double(meeting.x.den);
        const double y = double(meeting.y.num) / double(meeting.y.den);
        Picture1.Ring(platform::CSng(originX + Variant(unitSize) * Variant(x)),
                      platform::CSng(originY - Variant(unitSize) * Variant(y)), 7, kBoth);
    }
    Picture1.DrawWidth(1);

    for (std::size_t e = 0; e < 2; ++e) plot::Keep(line[e], runs[e], r[3 * e], r[3 * e + 1], r[3 * e + 2]);

    Command5.Enabled(true);
    if (Index == 0) {
        pointsShown = 1;
        Command4(1).SetFocus();
    } else {
        morePointsShown = 1;
        Command5.SetFocus();
    }
}

void Form2::Command5_Click()
{
    const platform::Segment one = plot::WholeLine(line[0], Picture1, originX, originY, unitSize, platform::QBColor(12));
    const platform::Segment two = plot::WholeLine(line[1], Picture1, originX, originY, unitSize, platform::QBColor(9));
    linesOnPlane = 1;
    // Each line named beside it, clear of the other, of the axes and of the
    // intersection's ring where one is shown.
    std::vector<platform::PictureBox::Ink> ring;
    if (solutionShown == 1 && solution.kind == intersection::Result::Kind::Point) {
        const double x = platform::CDbl(originX) + unitSize * (double(solution.x.num) / double(solution.x.den));
        const double y = platform::CDbl(originY) - unitSize * (double(solution.y.num) / double(solution.y.den));
        ring.push_back({x - 12, y - 12, x + 12, y + 12});
    }
    const std::vector<platform::Segment> axes = plane::Axes(Picture1, originX, originY);
    plane::NameLine(Picture1, kNames[0], platform::QBColor(12), one, {two, axes[0], axes[1]}, ring);
    plane::NameLine(Picture1, kNames[1], platform::QBColor(9), two, {one, axes[0], axes[1]}, ring);
    Command6.Enabled(true);
    Command6.SetFocus();
    lineShown = 1;
}
