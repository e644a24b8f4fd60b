// Plotting one equation a·x + b·y = c, as both lessons do it: the points of
// a run of "点を打つ" or "さらに点を打つ", and the whole line through them.
//
// What a lesson keeps of an equation it plots is stated below (KeptLine), under
// the names the first lesson's GraphState gives it.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>

#include "platform/color.h"
#include "platform/numtext.h"
#include "platform/picture.h"
#include "platform/variant.h"
#include "core/exact_line.h"

namespace plot {

using platform::Reading;
using platform::Variant;

// What a lesson keeps of one equation it plots: the run's first two
// whole-number points firstX … secondY and how many it found, the
// coefficients the run read, and the line's fractions (the first lesson's
// GraphState; the second lesson's SystemLine for each of its equations).
template <class S>
concept KeptLine = requires(S& s) {
    s.firstX = Variant();
    s.firstY = Variant();
    s.secondX = Variant();
    s.secondY = 0.0f;
    s.wholePointsFound = std::int16_t();
    s.runA = Reading();
    s.runB = Reading();
    s.runC = Reading();
    s.slopeNum = Variant();
    s.slopeDen = Variant();
    s.interceptNum = Variant();
    s.interceptDen = std::int16_t();
    s.equationTooLarge = std::int16_t();
};

struct Marker {
    float X, Y;  // pixel centre
};

constexpr int kMaxPoints = 153;  // x = −38 … 38 by halves

// What one run finds: every point it marks, or why it cannot plot and the box
// to correct (0 a, 1 b, 2 c); the first two points whose x and y are whole
// and truly on the line.
struct Run {
    enum Cause { None, BIsZero, BNearZero, TooLarge } cause = None;
    std::int16_t box = 0;
    std::array<Marker, kMaxPoints> markers{};
    int shown = 0;
    Variant found = 0;  // whole-number points found: 0, 1, or 9 for two
    Variant x1, x2;
    float y1 = 0, y2 = 0;
};

// The run of button `index` (0 whole numbers, 1 every half unit) on the
// plane at this origin and unit; nothing is drawn or kept.
Run Points(const Reading& ra, const Reading& rb, const Reading& rc, std::int16_t index, const Variant& originX,
           const Variant& originY, std::int16_t unitSize);

// The learner's message for a run that cannot plot.
const char* MessageOf(Run::Cause cause);

// The box to correct after a run that could not plot: focused, its whole text selected.
inline void Correct(platform::TextBox& box)
{
    box.SetFocus();
    box.SelStart(0);
    box.SelLength(platform::Characters(box.Text()));
}

// The run's points and coefficients kept for the whole line.
template <KeptLine State>
void Keep(State& s, const Run& run, const Reading& ra, const Reading& rb, const Reading& rc)
{
    if (run.found != 0) {
        s.firstX = platform::CInt(run.x1);
        s.firstY = run.y1;
    }
    if (run.found == 9) {
        s.secondX = platform::CInt(run.x2);
        s.secondY = run.y2;
    }
    s.wholePointsFound = run.found == 9 ? 2 : platform::CInt(run.found);
    s.runA = ra;
    s.runB = rb;
    s.runC = rc;
}

// The whole line of the equation last plotted, from plane x = −40 to 40, in
// this colour, 6 pixels wide: through the run's first two whole-number
// points, or the true line of its coefficients; its slope and intercept kept
// as fractions (the exact ones where the 32-bit arithmetic would lose digits).
// Returns the line as drawn.
template <KeptLine State>
platform::Segment WholeLine(State& s, platform::PictureBox& Picture1, const Variant& originX, const Variant& originY,
               std::int16_t unitSize, platform::Color colour)
{
    using platform::CInt;
    using platform::CSng;
    Picture1.DrawWidth(6);
    const std::int16_t U = unitSize;
    const Variant H = Picture1.Height();
    // The exact fractions −a/b and c/b of the equation of the last run.
    const exact_line::Fraction slope = exact_line::NegatedQuotient(s.runA, s.runB);
    const exact_line::Fraction intercept = exact_line::Quotient(s.runC, s.runB);
    auto keepExact = [&] {
        s.slopeNum = static_cast<double>(slope.num);
        s.slopeDen = static_cast<int>(slope.den);
        s.interceptNum = static_cast<double>(intercept.num);
        s.interceptDen = static_cast<std::int16_t>(intercept.den);
    };

    if (s.wholePointsFound < 2) {
        // Fewer than two whole-number points: the true line of the equation of
        // the last run, from its coefficients.
        const double m = -s.runA.value / s.runB.value;
        const double k = s.runC.value / s.runB.value;
        using platform::CDbl;
        const double X1 = CDbl(originX) - 40.0 * U, X2 = CDbl(originX) + 40.0 * U;
        const double Y1 = CDbl(originY) - U * (m * -40.0 + k), Y2 = CDbl(originY) - U * (m * 40.0 + k);
        Picture1.Line(X1, Y1, X2, Y2, colour);
        s.equationTooLarge = slope.fits && intercept.fits ? 0 : 1;
        if (s.equationTooLarge == 0) keepExact();
        return {X1, Y1, X2, Y2};
    } else if (s.firstX != s.secondX) {
        s.equationTooLarge = 0;
        s.slopeNum = Variant(s.secondY) - s.firstY;
        s.slopeDen = s.secondX - s.firstX;
        const float m = CSng(s.slopeNum / s.slopeDen);
        s.interceptNum =
            ((s.firstY * s.secondX - s.firstY * s.firstX) - Variant(s.secondY) * s.firstX) + s.firstY * s.firstX;
        s.interceptDen = CInt(s.secondX - s.firstX);
        const float k = CSng(s.interceptNum / Variant(s.interceptDen));
        // The 32-bit arithmetic above loses digits of large points, and
        // writes a 32-bit float of eight digits or more with an exponent; the
        // fractions kept are the exact ones of the typed equation then.
        if (!slope.fits || !intercept.fits) {
            s.equationTooLarge = 1;
        } else if (!exact_line::Equals(s.slopeNum, s.slopeDen, slope) ||
                   !exact_line::Equals(s.interceptNum, Variant(s.interceptDen), intercept) ||
                   !exact_line::Small(s.slopeNum) || !exact_line::Small(s.interceptNum)) {
            keepExact();
        }
        const std::int16_t A = CInt(Variant(U) * 40);
        const std::int16_t B = CInt(Variant(U) * -40);
        const float u = CSng(Variant(static_cast<float>(U)) * Variant(k));
        const float X1 = CSng(originX + Variant(B));
        const float Y1 = CSng(((Variant(-m) * Variant(B)) - Variant(u)) + originY);
        const float X2 = CSng(originX + Variant(A));
        const float Y2 = CSng(((Variant(-m) * Variant(A)) - Variant(u)) + originY);
        Picture1.Line(X1, Y1, X2, Y2, colour);
        return {X1, Y1, X2, Y2};
    } else {
        s.equationTooLarge = 0;
        s.slopeDen = Variant(std::int16_t{0});
        s.interceptNum = s.firstX;
        const float X = CSng(originX + s.firstX * Variant(U));
        Picture1.Line(X, 0, X, H, colour);
        return {X, 0, X, CDbl(H)};
    }
}

// A lesson that plots runs of points and the whole line by its buttons
// 「点を打つ」「さらに点を打つ」 (Command4) and 「すべての点を打つ」 (Command5),
// keeping which of them it has shown and whether its last run failed.
template <class L>
concept PlotsRuns = requires(L& l) {
    l.Command4_Click(std::int16_t());
    l.Command5_Click();
    l.pointsShown == 1;
    l.morePointsShown == 1;
    l.lineShown == 1;
    l.plotFailed == 1;
};

// What was shown plotted again after the plane was drawn afresh (a change of
// size, a step of a drag, an arrow key): each run on its own test, in the
// order of the lesson. A run that cannot plot has told the learner why, and
// the rest is not shown again: false then.
template <PlotsRuns L>
bool ShowRunsAgain(L& lesson)
{
    if (lesson.pointsShown == 1) {
        lesson.Command4_Click(0);
        if (lesson.plotFailed == 1) return false;
    }
    if (lesson.morePointsShown == 1) {
        lesson.Command4_Click(1);
        if (lesson.plotFailed == 1) return false;
    }
    if (lesson.lineShown == 1) lesson.Command5_Click();
    return true;
}

}  // namespace plot
