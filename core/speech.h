// The equation as a Japanese reader says it, for assistive technology:
// 「ｙ＝マイナス３分の２ｘプラス２」 for y = −(2/3)x + 2, every sign a word.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace speech {

// The equation shown in the ten slots of the display (an empty text for a
// slot not shown): the left side, the sign and number of the first term (a
// whole number, or numerator over denominator), x, the sign and number of
// the constant. Empty when nothing is shown.
std::string OfSlots(const std::array<std::string, 10>& slots);

// The line y = (slopeNum / slopeDen)·x + interceptNum / interceptDen, or
// x = interceptNum when slopeDen is 0, with both fractions in lowest terms;
// the numbers are whole. Empty when they are not whole or too large.
std::string OfLine(double slopeNum, double slopeDen, double interceptNum, double interceptDen);

// A number as it is said, from its digits ("3", "0.5"): in full width, and
// over a denominator 「den分のnum」 (den empty: the number alone). Its sign is
// the caller's to say.
std::string Number(const std::string& num, const std::string& den = {});

}  // namespace speech
