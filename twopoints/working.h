// The third lesson's working, from the two points as typed to every number,
// text and reading the lesson shows: worked out exactly (0.1 is one tenth,
// never floating point) and checked all at once at 「２点をとる」, before
// anything is drawn. Free of the window, so that the lesson's worked examples
// are tested on their own.
#pragma once

#include <cstdint>
#include <string>

#include "platform/numtext.h"

namespace twopoints {

// An exact decimal, digits × 10^−places, as the lesson shows it: at most seven
// digits as written, the 0 before the point of a number below 1 counted (0.5
// has two, 0.000001 seven); so |digits| < 10^7 and places ≤ 6. Places is the
// least (no zero at the end of a fraction part), so equal values are equal.
struct Decimal {
    std::int64_t digits = 0;
    int places = 0;
    friend bool operator==(const Decimal&, const Decimal&) = default;
};

// A fraction in lowest terms, den > 0, each with at most seven digits.
struct Fraction {
    std::int64_t num = 0;
    std::int64_t den = 1;
    friend bool operator==(const Fraction&, const Fraction&) = default;
};

// Everything 「２点をとる」 decides. The members are meaningful up to the
// first fault only.
struct Working {
    // Why the lesson cannot go on: the first check that fails, in the
    // lesson's order, and the box to select then (0 x₁, 1 y₁, 2 x₂, 3 y₂).
    enum class Fault { None, Coordinate, SamePoint, IncreaseX, IncreaseY, Rate, Intercept, Form };
    Fault fault = Fault::None;
    int box = 0;
    Decimal x1, y1, x2, y2;
    Decimal dx, dy;            // the increases x₂ − x₁ and y₂ − y₁
    bool vertical = false;     // x₁ = x₂
    Fraction rate, intercept;  // 変化の割合 (傾き) and 切片, when not vertical
    Fraction h;                // x = h, when vertical
    std::int64_t a = 0, b = 0, c = 0;  // a·x + b·y = c: no common factor, a > 0 (b > 0 when a = 0)
};

// The working for the four boxes' readings, x₁, y₁, x₂, y₂.
Working Of(const platform::Reading& x1, const platform::Reading& y1, const platform::Reading& x2,
           const platform::Reading& y2);

// The message of the fault, with its line break; empty when there is none.
std::string MessageOf(const Working& w);

// --- What the lesson writes: ASCII digits and full stop, full-width signs ---

std::string Written(const Decimal& d);     // 「－1」「0.5」「2」
std::string Increase(const Decimal& d);    // 「＋2」「－6」「0」
std::string InBrackets(const Decimal& d);  // 「（－1）」 when negative, else as Written
std::string Subtraction(const Decimal& later, const Decimal& earlier);  // 「4－2」「2－（－1）」

// A fraction in its labels: the minus sign (「－」 or empty), then a whole
// number (num, den empty) or num over den (whole empty), digits alone.
struct FractionText {
    std::string minus, whole, num, den;
};
FractionText TextOf(const Fraction& f);

// Label13: 「2ｘ－3ｙ＝－8」「0ｘ＋ｙ＝2」「2ｘ＋0ｙ＝1」.
std::string WholeForm(const Working& w);

// The picture's file name after the points marked (0 none, 1 Ａ alone, 2
// both): 「座標平面.png」「A(2,3).png」「A(-1,2)B(0.5,4).png」.
std::string FileName(int marked, const Decimal& x1, const Decimal& y1, const Decimal& x2 = {},
                     const Decimal& y2 = {});

// Label10, when x₁ = x₂.
inline constexpr char kVerticalStatement[] =
    "ｘの増加量が０なので、\n変化の割合は求められません。\nこの２点を通る直線は、\nｙ軸に平行で、一次関数の\n"
    "グラフではありません。";

// --- What a screen reader hears: full-width digits, every sign a word ---

// RateReading: 「ｙの増加量はプラス２、ｘの増加量はプラス３、変化の割合は３分の２」.
std::string RateSaid(const Working& w);
// EquationReading: the 切片 working said, then 「、直線の式は」 and the
// equation as speech::OfSlots says the ten slots (only 「直線の式は」 and the
// equation when x₁ = x₂).
std::string WorkingSaid(const Working& w, const std::string& equationSaid);
// FormReading: 「２ｘマイナス３ｙ＝マイナス８」.
std::string FormSaid(const Working& w);
// A point in the plane's description: 「ｘ＝マイナス１、ｙ＝２」.
std::string PointSaid(const Decimal& x, const Decimal& y);
// The plane's description of the increases drawn from step 2:
// 「ＡからＢへの増加量を、直角三角形でかいてあります（ｘの増加量プラス３、ｙの増加量プラス２）。」
// or, for a side alone, 「ＡからＢへのｙの増加量を、線でかいてあります（ｙの増加量プラス２）。」.
std::string IncreasesSaid(const Working& w);

}  // namespace twopoints
