#include "system/intersection.h"

#include <cstdint>
#include <limits>

#include "core/speech.h"
#include "core/wide.h"

namespace intersection {

namespace {

using exact::Wide;
using exact::Magnitude;
using exact::Gcd;

// A whole number of an equation made whole has at most 18 digits. Then every
// product of two of them is below 10^36 and every difference of two products
// below 2·10^36, far inside __int128 (about 1.7·10^38): no step below can
// overflow once the six numbers are checked against this bound.
const std::int64_t kWhole = 1000000000000000000;  // 10^18
// A coordinate is shown with at most seven digits above and below its bar.
const std::int64_t kShown = 10000000;  // 10^7

// A typed number as digits × 10^tens with no zero at the end of its digits
// (the reading of a hexadecimal number keeps them: &H3E8 is 1000 × 10^0).
struct Decimal {
    std::int64_t digits = 0;
    std::int64_t tens = 0;
};

bool decimalOf(const platform::Reading& r, Decimal& d)
{
    if (!r.exact) return false;
    d.digits = r.mantissa;
    d.tens = r.exponent;
    while (d.digits != 0 && d.digits % 10 == 0) {
        d.digits /= 10;
        ++d.tens;
    }
    return d.digits > -kWhole && d.digits < kWhole;
}

// An equation times the one power of ten that makes its three numbers whole,
// the least such power (it may divide: 1e20·x + 1e20·y = 3e20 is x + y = 3).
struct Row {
    Wide a = 0, b = 0, c = 0;
    bool zeroLeft() const { return a == 0 && b == 0; }
};

bool wholeRow(const platform::Reading& a, const platform::Reading& b, const platform::Reading& c, Row& row)
{
    Decimal d[3];
    if (!decimalOf(a, d[0]) || !decimalOf(b, d[1]) || !decimalOf(c, d[2])) return false;
    std::int64_t lowest = std::numeric_limits<std::int64_t>::max();
    for (const Decimal& n : d)
        if (n.digits != 0 && n.tens < lowest) lowest = n.tens;
    Wide whole[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        if (d[i].digits == 0) continue;
        Wide v = d[i].digits;
        // Exponents are ints, so the difference fits; a long one ends at the bound.
        for (std::int64_t k = d[i].tens - lowest; k > 0; --k) {
            v *= 10;
            if (v >= kWhole || v <= -kWhole) return false;
        }
        whole[i] = v;
    }
    row = {whole[0], whole[1], whole[2]};
    return true;
}

// num / den (den ≠ 0) in lowest terms with a positive denominator; false when
// either has more than seven digits.
bool coordinate(Wide num, Wide den, Coordinate& out)
{
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const Wide g = Gcd(num, den);  // ≥ 1: den is not 0
    num /= g;
    den /= g;
    if (num >= kShown || num <= -kShown || den >= kShown) return false;
    out.num = static_cast<std::int64_t>(num);
    out.den = static_cast<std::int64_t>(den);
    return true;
}

// The digits of a coordinate as the equation's numbers are said.
std::string said(const Coordinate& c)
{
    const auto digits = [](std::int64_t v) {
        // The magnitude in unsigned arithmetic: no overflow at the most negative value.
        const std::uint64_t m = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
        return std::to_string(m);
    };
    return std::string(c.num < 0 ? "マイナス" : "") + speech::Number(digits(c.num), c.den == 1 ? "" : digits(c.den));
}

}  // namespace

Result Of(const platform::Reading& a1, const platform::Reading& b1, const platform::Reading& c1,
          const platform::Reading& a2, const platform::Reading& b2, const platform::Reading& c2)
{
    Result r;
    Row p, q;
    if (!wholeRow(a1, b1, c1, p) || !wholeRow(a2, b2, c2, q)) return r;

    const Wide d = p.a * q.b - q.a * p.b;
    if (d == 0) {
        // One slope. An equation 0 = c (c ≠ 0) has no solution at all; one
        // that reads 0 = 0 holds everywhere, and the rule below says so.
        if ((p.zeroLeft() && p.c != 0) || (q.zeroLeft() && q.c != 0)) {
            r.kind = Result::Kind::Parallel;
            return r;
        }
        // Both lines through the same points when c keeps the ratio of a and of b.
        const bool same = p.a * q.c == q.a * p.c && p.b * q.c == q.b * p.c;
        r.kind = same ? Result::Kind::SameLine : Result::Kind::Parallel;
        return r;
    }
    if (!coordinate(p.c * q.b - q.c * p.b, d, r.x) || !coordinate(p.a * q.c - q.a * p.c, d, r.y)) {
        r.x = r.y = Coordinate{};
        return r;
    }
    r.kind = Result::Kind::Point;
    return r;
}

std::string Said(const Result& r)
{
    if (r.kind != Result::Kind::Point) return {};
    return "交点は、ｘ＝" + said(r.x) + "、ｙ＝" + said(r.y);
}

}  // namespace intersection
