// "すべての点を打つ": the whole line of the equation last plotted, in red, with
// its slope and intercept kept as fractions for the equation display.
#include <cmath>
#include <cstdlib>
#include <numeric>

#include "app/form1.h"

using platform::CInt;
using platform::CSng;
using platform::QBColor;
using platform::Reading;

namespace {

// An exact fraction num / den in lowest terms, den > 0; fits is false when it
// is too large to keep (a denominator beyond 16 bits, or a numerator of more
// than 15 digits).
struct Fraction {
    bool fits = false;
    std::int64_t num = 0;
    std::int64_t den = 1;
};

using Wide = __int128;

bool timesTen(Wide& v, int times)
{
    static const Wide limit = Wide(1) << 100;
    for (int i = 0; i < times; ++i) {
        v *= 10;
        if (v > limit || v < -limit) return false;
    }
    return true;
}

Wide gcdOf(Wide a, Wide b)
{
    if (a < 0) a = -a;
    if (b < 0) b = -b;
    while (b != 0) {
        const Wide t = a % b;
        a = b;
        b = t;
    }
    return a;
}

// p / q for exact decimals p and q (q not 0).
Fraction quotient(const Reading& p, const Reading& q)
{
    Fraction f;
    if (!p.exact || !q.exact || q.mantissa == 0) return f;
    Wide num = p.mantissa, den = q.mantissa;
    const long shift = static_cast<long>(p.exponent) - q.exponent;
    if (shift > 40 || shift < -40) return f;
    if (!timesTen(shift >= 0 ? num : den, static_cast<int>(std::labs(shift)))) return f;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const Wide g = gcdOf(num, den);
    if (g > 1) {
        num /= g;
        den /= g;
    }
    if (num == 0) den = 1;
    if (den > 32767 || num > Wide(999999999999999) || num < -Wide(999999999999999)) return f;
    f.fits = true;
    f.num = static_cast<std::int64_t>(num);
    f.den = static_cast<std::int64_t>(den);
    return f;
}

}  // namespace

void Form1::Command5_Click()
{
    Picture1.DrawWidth(6);
    const std::int16_t U = unitSize;
    const Variant H = Picture1.Height();

    if (wholePointsFound < 2) {
        // Fewer than two whole-number points: the true line of the equation of
        // the last run, from its coefficients, with exact fractions −a/b and c/b.
        const Reading minusA{-runA.value, runA.exact, -runA.mantissa, runA.exponent};
        const Fraction slope = quotient(minusA, runB);
        const Fraction intercept = quotient(runC, runB);
        const double m = -runA.value / runB.value;
        const double k = runC.value / runB.value;
        using platform::CDbl;
        const double X1 = CDbl(originX) - 40.0 * U, X2 = CDbl(originX) + 40.0 * U;
        const double Y1 = CDbl(originY) - U * (m * -40.0 + k), Y2 = CDbl(originY) - U * (m * 40.0 + k);
        Picture1.Line(X1, Y1, X2, Y2, QBColor(12));
        if (slope.fits && intercept.fits) {
            slopeNum = static_cast<double>(slope.num);
            slopeDen = static_cast<int>(slope.den);
            interceptNum = static_cast<double>(intercept.num);
            interceptDen = static_cast<std::int16_t>(intercept.den);
            equationTooLarge = 0;
        } else {
            equationTooLarge = 1;
        }
    } else if (firstX != secondX) {
        equationTooLarge = 0;
        slopeNum = Variant(secondY) - firstY;
        slopeDen = secondX - firstX;
        const float m = CSng(slopeNum / slopeDen);
        interceptNum = ((firstY * secondX - firstY * firstX) - Variant(secondY) * firstX) + firstY * firstX;
        interceptDen = CInt(secondX - firstX);
        const float k = CSng(interceptNum / Variant(interceptDen));
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

    Command6.Enabled(true);
    Command6.SetFocus();
    lineShown = 1;
}
