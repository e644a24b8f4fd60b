// Where the two lines of the second lesson meet, worked out exactly from the
// numbers as the learner typed them (0.1 is one tenth), never in floating
// point.
#pragma once

#include <cstdint>
#include <string>

#include "platform/numtext.h"

namespace intersection {

// A coordinate in lowest terms: num / den, den > 0.
struct Coordinate {
    std::int64_t num = 0;
    std::int64_t den = 1;
    friend bool operator==(const Coordinate&, const Coordinate&) = default;
};

// The kinds follow the solutions of the system:
//   Point     exactly one (x, y);
//   Parallel  none: two parallel lines, or an equation 0·x + 0·y = c with c ≠ 0;
//   SameLine  every point of one line: both equations the same line, or one of
//             them 0·x + 0·y = 0 (every point of the plane when both are);
//   TooLarge  a number that is no exact decimal, an equation whose numbers
//             cannot be made whole with at most 18 digits each by one power
//             of ten, or a coordinate whose numerator or denominator has more
//             than seven digits.
struct Result {
    enum class Kind { Point, Parallel, SameLine, TooLarge } kind = Kind::TooLarge;
    Coordinate x, y;  // the point, when kind is Point
};

// Where a1·x + b1·y = c1 and a2·x + b2·y = c2 meet, from the numbers as typed, exactly.
Result Of(const platform::Reading& a1, const platform::Reading& b1, const platform::Reading& c1,
          const platform::Reading& a2, const platform::Reading& b2, const platform::Reading& c2);

// The intersection as a teacher says it, for screen readers:
// 「交点は、ｘ＝２分の３、ｙ＝マイナス１」 (full-width digits, as the equation is
// said); empty unless kind is Point.
std::string Said(const Result& r);

}  // namespace intersection
