// Whole numbers wide enough to work a lesson's fractions out exactly: every
// product of two numbers a learner can type, and their sums, fit in 128 bits.
#pragma once

namespace exact {

using Wide = __int128;

constexpr Wide Magnitude(Wide v) { return v < 0 ? -v : v; }

// The greatest common divisor of |a| and |b| (0 when both are 0).
constexpr Wide Gcd(Wide a, Wide b)
{
    a = Magnitude(a);
    b = Magnitude(b);
    while (b != 0) {
        const Wide t = a % b;
        a = b;
        b = t;
    }
    return a;
}

}  // namespace exact
