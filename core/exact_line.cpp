#include "core/exact_line.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/wide.h"

namespace exact_line {

namespace {

using exact::Wide;
const Wide kLimit = Wide(1) << 100;

bool timesTen(Wide& v, long times)
{
    for (long i = 0; i < times; ++i) {
        v *= 10;
        if (v > kLimit || v < -kLimit) return false;
    }
    return true;
}

Fraction quotient(Wide num, int numExp, const platform::Reading& q)
{
    Fraction f;
    if (q.mantissa == 0) return f;
    if (num == 0) {
        // Zero over anything is 0 / 1, whatever the exponents.
        f.fits = true;
        return f;
    }
    Wide den = q.mantissa;
    const long shift = static_cast<long>(numExp) - q.exponent;
    if (shift > 40 || shift < -40) return f;
    if (!timesTen(shift >= 0 ? num : den, std::labs(shift))) return f;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const Wide g = exact::Gcd(num, den);
    if (g > 1) {
        num /= g;
        den /= g;
    }
    if (num == 0) den = 1;
    const Wide maxNum = 999999999999999;
    if (den > 32767 || num > maxNum || num < -maxNum) return f;
    f.fits = true;
    f.num = static_cast<std::int64_t>(num);
    f.den = static_cast<std::int64_t>(den);
    return f;
}

}  // namespace

Fraction Quotient(const platform::Reading& p, const platform::Reading& q)
{
    if (!p.exact || !q.exact) return {};
    return quotient(p.mantissa, p.exponent, q);
}

Fraction NegatedQuotient(const platform::Reading& p, const platform::Reading& q)
{
    if (!p.exact || !q.exact) return {};
    return quotient(-Wide(p.mantissa), p.exponent, q);
}

bool Equals(const platform::Variant& num, const platform::Variant& den, const Fraction& f)
{
    const double n = num.value(), d = den.value();
    const double limit = 9.0e18;
    if (std::floor(n) != n || std::floor(d) != d || std::fabs(n) > limit || std::fabs(d) > limit) return false;
    return Wide(static_cast<std::int64_t>(n)) * f.den == Wide(f.num) * static_cast<std::int64_t>(d);
}

bool Small(const platform::Variant& v) { return std::fabs(v.value()) < 1.0e7; }

OnLine PointOnLine(const platform::Reading& a, const platform::Reading& b, const platform::Reading& c, double x,
                   double y)
{
    if (!a.exact || !b.exact || !c.exact) return OnLine::Unknown;
    if (std::floor(x) != x || std::floor(y) != y || std::fabs(x) > 1.0e18 || std::fabs(y) > 1.0e18)
        return OnLine::Unknown;
    // Every term over the smallest power of ten among them.
    const int low = std::min({a.exponent, b.exponent, c.exponent});
    Wide ta = Wide(a.mantissa) * static_cast<std::int64_t>(x), tb = Wide(b.mantissa) * static_cast<std::int64_t>(y);
    Wide tc = c.mantissa;
    if (!timesTen(ta, a.exponent - low) || !timesTen(tb, b.exponent - low) || !timesTen(tc, c.exponent - low))
        return OnLine::Unknown;
    return ta + tb == tc ? OnLine::Yes : OnLine::No;
}

}  // namespace exact_line
