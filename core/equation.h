// The equation of a drawn line, as both lessons show it: its fractions
// brought to lowest terms by trial division, and the equation solved for y
// built from ten labels and two fraction bars.
//
// What a line's state must have to be shown is stated below (ShownLine).
#pragma once

#include <cmath>
#include <cstdint>

#include "platform/controls.h"
#include "platform/numtext.h"
#include "platform/variant.h"

namespace equation {

using platform::Variant;

namespace trial {

inline bool divisible(const Variant& n, std::int16_t d)
{
    const Variant q = platform::Abs(n) / Variant(d);
    return platform::Int(q) == q;
}

inline bool divisible(std::int16_t n, std::int16_t d)
{
    if (n == -32768) throw platform::RuntimeError(platform::RuntimeError::Overflow);
    const double q = static_cast<double>(n < 0 ? -n : n) / d;
    return std::floor(q) == q;
}

// The next trial divisor; a 16-bit counter cannot pass 32767.
inline void next(std::int16_t& i)
{
    if (i == 32767) throw platform::RuntimeError(platform::RuntimeError::Overflow);
    ++i;
}

}  // namespace trial

// The fractions of a drawn line, under the first lesson's names: the slope
// slopeNum / slopeDen (slopeDen 0 for a vertical line, whose x is
// interceptNum), the intercept interceptNum / interceptDen (16-bit), and
// whether they are too large to show.
template <class S>
concept LineFractions = requires(S& s) {
    s.slopeNum = Variant();
    s.slopeDen = Variant();
    s.interceptNum = Variant();
    s.interceptDen = std::int16_t();
    s.equationTooLarge = std::int16_t();
};
// …and one that reduces them itself (GraphState::ReduceFractions, the
// window's procedure), as the display asks it to.
template <class S>
concept ShownLine = LineFractions<S> && requires(S& s) { s.ReduceFractions(); };

// slopeNum / slopeDen and interceptNum / interceptDen to lowest terms.
template <LineFractions State>
void ReduceFractions(State& s)
{
    using platform::CInt;
    // A slope over 1 needs no reducing; the intercept may all the same.
    if (s.slopeDen != 1) {
        const std::int16_t limit = CInt(s.slopeDen);  // fixed before the loop
        for (std::int16_t i = 2; i <= limit; trial::next(i)) {
            for (;;) {
                const bool num = trial::divisible(s.slopeNum, i);
                const bool den = trial::divisible(s.slopeDen, i);
                if (!(num && den)) break;
                s.slopeNum = s.slopeNum / Variant(i);
                s.slopeDen = s.slopeDen / Variant(i);
            }
            if (i == limit) break;
        }
    }
    if (s.interceptDen == 1) return;
    const std::int16_t limit = s.interceptDen;
    for (std::int16_t j = 2; j <= limit; trial::next(j)) {
        for (;;) {
            const bool num = trial::divisible(s.interceptNum, j);
            const bool den = trial::divisible(s.interceptDen, j);
            if (!(num && den)) break;
            s.interceptNum = s.interceptNum / Variant(j);
            s.interceptDen = CInt(static_cast<double>(s.interceptDen) / j);
        }
        if (j == limit) break;
    }
}

// The equation of the line kept in s, solved for y, in the ten slots from
// `first` on and the two bars from `firstBar` on (slot 0 "ｙ＝" or "ｘ＝", 1 the
// slope's minus sign, 2 a whole slope, 3 over 4 a slope fraction, 5 "ｘ", 6
// the intercept's sign, 7 a whole intercept, 8 over 9 an intercept fraction).
// Every slot and bar is hidden first; false, with nothing shown, when the
// line's fractions are too large to show.
template <ShownLine State, class Slots, class Bars>
bool Show(State& s, Slots& Label4, std::int16_t first, Bars& Line1, std::int16_t firstBar)
{
    using platform::Abs;
    using platform::NumberText;
    auto slot = [&](std::int16_t i) -> platform::Label& { return Label4(static_cast<std::int16_t>(first + i)); };
    auto bar = [&](std::int16_t i) -> platform::LineControl& { return Line1(static_cast<std::int16_t>(firstBar + i)); };
    auto show = [&](std::int16_t i, const std::string& caption) {
        slot(i).Visible(true);
        slot(i).Caption(caption);
    };
    // A fraction: numerator over the bar over the denominator.
    auto fraction = [&](std::int16_t upper, std::int16_t lower, std::int16_t b, const Variant& num,
                        const Variant& den) {
        slot(upper).Visible(true);
        slot(lower).Visible(true);
        bar(b).Visible(true);
        slot(upper).Caption(NumberText(num));
        slot(lower).Caption(NumberText(den));
    };

    for (std::int16_t i = 0; i <= 9; ++i) slot(i).Visible(false);
    bar(0).Visible(false);
    bar(1).Visible(false);
    if (s.equationTooLarge == 1) return false;

    const Variant den(s.interceptDen);
    if (s.slopeDen != 0) {
        s.slopeNum = s.slopeNum / s.slopeDen < 0 ? Variant(-1) * Abs(s.slopeNum) : Abs(s.slopeNum);
        s.slopeDen = Abs(s.slopeDen);
        s.interceptNum = s.interceptNum / den < 0 ? Variant(-1) * Abs(s.interceptNum) : Abs(s.interceptNum);
        s.interceptDen = platform::CInt(Abs(den));
        s.ReduceFractions();

        if (s.slopeNum != 0) {
            show(0, "ｙ＝");
            if (s.slopeNum < 0) show(1, "－");
            if (s.slopeDen > 1) fraction(3, 4, 0, Abs(s.slopeNum), s.slopeDen);
            if (s.slopeDen <= 1 && Abs(s.slopeNum) != 1) show(2, NumberText(Abs(s.slopeNum)));
            show(5, "ｘ");
            if (s.interceptNum < 0) show(6, "－");
            if (s.interceptNum > 0) show(6, "＋");
            if (s.interceptDen > 1 && s.interceptNum != 0)
                fraction(8, 9, 1, Abs(s.interceptNum), Variant(s.interceptDen));
            if (s.interceptDen == 1 && s.interceptNum != 0) show(7, NumberText(Abs(s.interceptNum)));
        }
        if (s.slopeNum == 0) {
            // A horizontal line: y = k.
            show(0, "ｙ＝");
            if (s.interceptNum < 0) show(1, "－");
            if (s.interceptDen > 1) fraction(3, 4, 0, Abs(s.interceptNum), Variant(s.interceptDen));
            if (s.interceptDen <= 1) show(2, NumberText(Abs(s.interceptNum)));
        }
    } else {
        // A vertical line: x = k, from the values as they are.
        show(0, "ｘ＝");
        if (s.interceptNum < 0) show(1, "－");
        if (s.interceptDen > 1) fraction(3, 4, 0, Abs(s.interceptNum), Variant(s.interceptDen));
        if (s.interceptDen <= 1) show(2, NumberText(Abs(s.interceptNum)));
    }
    return true;
}

}  // namespace equation
