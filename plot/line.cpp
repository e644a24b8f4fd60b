// "すべての点を打つ": the whole line of the equation last plotted, in red, with
// its slope and intercept kept as fractions for the equation display.
#include "app/form1.h"
#include "plot/exact_line.h"

using platform::CInt;
using platform::CSng;
using platform::QBColor;

void Form1::Command5_Click()
{
    Picture1.DrawWidth(6);
    const std::int16_t U = unitSize;
    const Variant H = Picture1.Height();
    // The exact fractions −a/b and c/b of the equation of the last run.
    const exact_line::Fraction slope = exact_line::NegatedQuotient(runA, runB);
    const exact_line::Fraction intercept = exact_line::Quotient(runC, runB);
    auto keepExact = [&] {
        slopeNum = static_cast<double>(slope.num);
        slopeDen = static_cast<int>(slope.den);
        interceptNum = static_cast<double>(intercept.num);
        interceptDen = static_cast<std::int16_t>(intercept.den);
    };

    if (wholePointsFound < 2) {
        // Fewer than two whole-number points: the true line of the equation of
        // the last run, from its coefficients.
        const double m = -runA.value / runB.value;
        const double k = runC.value / runB.value;
        using platform::CDbl;
        const double X1 = CDbl(originX) - 40.0 * U, X2 = CDbl(originX) + 40.0 * U;
        const double Y1 = CDbl(originY) - U * (m * -40.0 + k), Y2 = CDbl(originY) - U * (m * 40.0 + k);
        Picture1.Line(X1, Y1, X2, Y2, QBColor(12));
        equationTooLarge = slope.fits && intercept.fits ? 0 : 1;
        if (equationTooLarge == 0) keepExact();
    } else if (firstX != secondX) {
        equationTooLarge = 0;
        slopeNum = Variant(secondY) - firstY;
        slopeDen = secondX - firstX;
        const float m = CSng(slopeNum / slopeDen);
        interceptNum = ((firstY * secondX - firstY * firstX) - Variant(secondY) * firstX) + firstY * firstX;
        interceptDen = CInt(secondX - firstX);
        const float k = CSng(interceptNum / Variant(interceptDen));
        // The 32-bit arithmetic above loses digits of large points, and
        // writes a 32-bit float of eight digits or more with an exponent; the
        // fractions kept are the exact ones of the typed equation then.
        if (!slope.fits || !intercept.fits) {
            equationTooLarge = 1;
        } else if (!exact_line::Equals(slopeNum, slopeDen, slope) ||
                   !exact_line::Equals(interceptNum, Variant(interceptDen), intercept) ||
                   !exact_line::Small(slopeNum) || !exact_line::Small(interceptNum)) {
            keepExact();
        }
        const std::int16_t A = CInt(Variant(U) * 40);
        const std::int16_t B = CInt(Variant(U) * -40);
        const float u = CSng(Variant(static_cast<float>(U)) * Variant(k));
        const float X1 = CSng(originX + Variant(B));
        const float Y1 = CSng(((Variant(-m) * Variant(B)) - Variant(u)) + originY);
        const float X2 = CSng(originX + Variant(A));
        const float Y2 = CSng(((Variant(-m) * Variant(A)) - Variant(u)) + originY);
        Picture1.Line(X1, Y1, X2, Y2, QBColor(12));
    } else {
        equationTooLarge = 0;
        slopeDen = Variant(std::int16_t{0});
        interceptNum = firstX;
        const float X = CSng(originX + firstX * Variant(U));
        Picture1.Line(X, 0, X, H, QBColor(12));
    }

    lineOnPlane = 1;
    Command6.Enabled(true);
    Command6.SetFocus();
    lineShown = 1;
}
