// Bringing the slope and the intercept to lowest terms by trial division.
#include <cmath>

#include "app/graph_state.h"

using platform::Abs;
using platform::CInt;
using platform::Int;
using platform::RuntimeError;

namespace {

bool divisible(const Variant& n, std::int16_t d)
{
    const Variant q = Abs(n) / Variant(d);
    return Int(q) == q;
}

bool divisible(std::int16_t n, std::int16_t d)
{
    if (n == -32768) throw RuntimeError(RuntimeError::Overflow);
    const double q = static_cast<double>(n < 0 ? -n : n) / d;
    return std::floor(q) == q;
}

// The next trial divisor; a 16-bit counter cannot pass 32767.
void next(std::int16_t& i)
{
    if (i == 32767) throw RuntimeError(RuntimeError::Overflow);
    ++i;
}

}  // namespace

void GraphState::ReduceFractions()
{
    // A slope over 1 needs no reducing; the intercept may all the same.
    if (slopeDen != 1) {
        const std::int16_t limit = CInt(slopeDen);  // fixed before the loop
        for (std::int16_t i = 2; i <= limit; next(i)) {
            for (;;) {
                const bool num = divisible(slopeNum, i);
                const bool den = divisible(slopeDen, i);
                if (!(num && den)) break;
                slopeNum = slopeNum / Variant(i);
                slopeDen = slopeDen / Variant(i);
            }
            if (i == limit) break;
        }
    }
    if (interceptDen == 1) return;
    const std::int16_t limit = interceptDen;
    for (std::int16_t j = 2; j <= limit; next(j)) {
        for (;;) {
            const bool num = divisible(interceptNum, j);
            const bool den = divisible(interceptDen, j);
            if (!(num && den)) break;
            interceptNum = interceptNum / Variant(j);
            interceptDen = CInt(static_cast<double>(interceptDen) / j);
        }
        if (j == limit) break;
    }
}
