// The exact line of a·x + b·y = c, from the decimals the learner typed
// (0.1 is one tenth, not the nearest binary fraction).
#pragma once

#include <cstdint>

#include "platform/numtext.h"
#include "platform/variant.h"

namespace exact_line {

// An exact fraction num / den in lowest terms, den > 0; fits is false when it
// cannot be known exactly or is too large to keep (a denominator beyond 16
// bits, or a numerator of more than 15 digits).
struct Fraction {
    bool fits = false;
    std::int64_t num = 0;
    std::int64_t den = 1;
};

// p / q.
Fraction Quotient(const platform::Reading& p, const platform::Reading& q);
// −p / q.
Fraction NegatedQuotient(const platform::Reading& p, const platform::Reading& q);

// Whether num / den, two whole-valued numbers, has the value of f.
bool Equals(const platform::Variant& num, const platform::Variant& den, const Fraction& f);

// Whether a whole value is written in plain digits whatever its kind (below 10^7).
bool Small(const platform::Variant& v);

enum class OnLine { Yes, No, Unknown };
// Whether the whole-number point (x, y) lies exactly on a·x + b·y = c;
// Unknown when the coefficients are not exact decimals, are too far apart in
// size, or the point is too far out to reckon with.
OnLine PointOnLine(const platform::Reading& a, const platform::Reading& b, const platform::Reading& c, double x,
                   double y);

}  // namespace exact_line
