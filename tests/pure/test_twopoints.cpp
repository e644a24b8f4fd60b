// The third lesson's working from two points as typed: the worked examples a
// teacher checks by hand, every message and the box it selects, the readings,
// and a million pairs of points against an exact model that works another
// way (strings for the digits, fractions step by step as on the board).
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <climits>
#include <cstdint>
#include <iostream>
#include <random>
#include <string>
#include <utility>

#include "core/speech.h"
#include "platform/numtext.h"
#include "twopoints/working.h"

using namespace twopoints;
using Fault = Working::Fault;
using platform::ReadNumber;

namespace {

Working of(const std::array<std::string, 4>& t)
{
    return Of(ReadNumber(t[0]), ReadNumber(t[1]), ReadNumber(t[2]), ReadNumber(t[3]));
}

// A fraction as the working's labels write it on one line: 「－3/2」「2」.
std::string inline_(const Fraction& f)
{
    const FractionText t = TextOf(f);
    return t.minus + (t.whole.empty() ? t.num + "/" + t.den : t.whole);
}

// Block B on one line: (y₂－y₁)/(x₂－x₁) ＝ Δy/Δx ＝ 変化の割合.
std::string blockB(const Working& w)
{
    return "(" + Subtraction(w.y2, w.y1) + ")/(" + Subtraction(w.x2, w.x1) + ") ＝ " + Increase(w.dy) + "/" +
           Increase(w.dx) + (w.vertical ? "" : " ＝ " + inline_(w.rate));
}

// What the equation slots say, from the fractions as the window hands them over.
std::string equationSaid(const Working& w)
{
    if (!w.vertical) return speech::OfLine(w.rate.num, w.rate.den, w.intercept.num, w.intercept.den);
    const FractionText h = TextOf(w.h);
    return speech::OfSlots({"ｘ＝", h.minus, h.whole, h.num, h.den, "", "", "", "", ""});
}

// The worked examples of the lesson's description, as it writes them.
TEST(TwoPoints, WorkedExamples)
{
    const struct {
        std::array<std::string, 4> typed;  // x₁ y₁ x₂ y₂
        const char* blockB;
        const char* working;  // the 切片 working; empty when x₁ = x₂
        const char* end;      // ｂ＝…, or ｘ＝h when x₁ = x₂
        const char* form;
        std::int64_t a, b, c;
    } rows[] = {
        {{"-1", "2", "2", "4"}, "(4－2)/(2－（－1）) ＝ ＋2/＋3 ＝ 2/3", "2＝2/3×（－1）＋ｂ", "ｂ＝8/3", "2ｘ－3ｙ＝－8", 2, -3, -8},
        {{"2", "4", "-1", "2"}, "(2－4)/(－1－2) ＝ －2/－3 ＝ 2/3", "4＝2/3×2＋ｂ", "ｂ＝8/3", "2ｘ－3ｙ＝－8", 2, -3, -8},
        {{"1", "3", "3", "7"}, "(7－3)/(3－1) ＝ ＋4/＋2 ＝ 2", "3＝2×1＋ｂ", "ｂ＝1", "2ｘ－ｙ＝－1", 2, -1, -1},
        {{"-2", "5", "1", "-1"}, "(－1－5)/(1－（－2）) ＝ －6/＋3 ＝ －2", "5＝－2×（－2）＋ｂ", "ｂ＝1", "2ｘ＋ｙ＝1", 2, 1, 1},
        {{"0", "3", "4", "0"}, "(0－3)/(4－0) ＝ －3/＋4 ＝ －3/4", "3＝－3/4×0＋ｂ", "ｂ＝3", "3ｘ＋4ｙ＝12", 3, 4, 12},
        {{"-4", "-1", "2", "3"}, "(3－（－1）)/(2－（－4）) ＝ ＋4/＋6 ＝ 2/3", "－1＝2/3×（－4）＋ｂ", "ｂ＝5/3", "2ｘ－3ｙ＝－5", 2, -3, -5},
        {{"1", "-2", "-3", "4"}, "(4－（－2）)/(－3－1) ＝ ＋6/－4 ＝ －3/2", "－2＝－3/2×1＋ｂ", "ｂ＝－1/2", "3ｘ＋2ｙ＝－1", 3, 2, -1},
        {{"2", "-1", "6", "1"}, "(1－（－1）)/(6－2) ＝ ＋2/＋4 ＝ 1/2", "－1＝1/2×2＋ｂ", "ｂ＝－2", "ｘ－2ｙ＝4", 1, -2, 4},
        {{"-6", "0", "0", "4"}, "(4－0)/(0－（－6）) ＝ ＋4/＋6 ＝ 2/3", "0＝2/3×（－6）＋ｂ", "ｂ＝4", "2ｘ－3ｙ＝－12", 2, -3, -12},
        {{"-12", "7", "9", "-8"}, "(－8－7)/(9－（－12）) ＝ －15/＋21 ＝ －5/7", "7＝－5/7×（－12）＋ｂ", "ｂ＝－11/7", "5ｘ＋7ｙ＝－11", 5, 7, -11},
        {{"-3", "-3", "2", "2"}, "(2－（－3）)/(2－（－3）) ＝ ＋5/＋5 ＝ 1", "－3＝1×（－3）＋ｂ", "ｂ＝0", "ｘ－ｙ＝0", 1, -1, 0},
        {{"-1", "1", "1", "-1"}, "(－1－1)/(1－（－1）) ＝ －2/＋2 ＝ －1", "1＝－1×（－1）＋ｂ", "ｂ＝0", "ｘ＋ｙ＝0", 1, 1, 0},
        {{"1", "2", "5", "2"}, "(2－2)/(5－1) ＝ 0/＋4 ＝ 0", "2＝0×1＋ｂ", "ｂ＝2", "0ｘ＋ｙ＝2", 0, 1, 2},
        {{"3", "-4", "-1", "-4"}, "(－4－（－4）)/(－1－3) ＝ 0/－4 ＝ 0", "－4＝0×3＋ｂ", "ｂ＝－4", "0ｘ＋ｙ＝－4", 0, 1, -4},
        {{"3", "-1", "3", "4"}, "(4－（－1）)/(3－3) ＝ ＋5/0", "", "ｘ＝3", "ｘ＋0ｙ＝3", 1, 0, 3},
        {{"0.5", "1", "0.5", "3"}, "(3－1)/(0.5－0.5) ＝ ＋2/0", "", "ｘ＝1/2", "2ｘ＋0ｙ＝1", 2, 0, 1},
        {{"0", "1", "0", "-2"}, "(－2－1)/(0－0) ＝ －3/0", "", "ｘ＝0", "ｘ＋0ｙ＝0", 1, 0, 0},
        {{"-2", "-2", "-2", "1.5"}, "(1.5－（－2）)/(－2－（－2）) ＝ ＋3.5/0", "", "ｘ＝－2", "ｘ＋0ｙ＝－2", 1, 0, -2},
        {{"0.5", "1", "2", "4"}, "(4－1)/(2－0.5) ＝ ＋3/＋1.5 ＝ 2", "1＝2×0.5＋ｂ", "ｂ＝0", "2ｘ－ｙ＝0", 2, -1, 0},
        {{"0.1", "0.2", "0.3", "0.5"}, "(0.5－0.2)/(0.3－0.1) ＝ ＋0.3/＋0.2 ＝ 3/2", "0.2＝3/2×0.1＋ｂ", "ｂ＝1/20", "30ｘ－20ｙ＝－1", 30, -20, -1},
        {{"-0.5", "1.5", "1.5", "-0.5"}, "(－0.5－1.5)/(1.5－（－0.5）) ＝ －2/＋2 ＝ －1", "1.5＝－1×（－0.5）＋ｂ", "ｂ＝1", "ｘ＋ｙ＝1", 1, 1, 1},
        {{"-0.5", "0", "0.25", "1"}, "(1－0)/(0.25－（－0.5）) ＝ ＋1/＋0.75 ＝ 4/3", "0＝4/3×（－0.5）＋ｂ", "ｂ＝2/3", "4ｘ－3ｙ＝－2", 4, -3, -2},
        {{"0", "-1.5", "3", "0"}, "(0－（－1.5）)/(3－0) ＝ ＋1.5/＋3 ＝ 1/2", "－1.5＝1/2×0＋ｂ", "ｂ＝－3/2", "ｘ－2ｙ＝3", 1, -2, 3},
        {{"1.2", "-0.4", "-0.3", "0.6"}, "(0.6－（－0.4）)/(－0.3－1.2) ＝ ＋1/－1.5 ＝ －2/3", "－0.4＝－2/3×1.2＋ｂ", "ｂ＝2/5", "10ｘ＋15ｙ＝6", 10, 15, 6},
        {{"0.000001", "0", "1", "1"}, "(1－0)/(1－0.000001) ＝ ＋1/＋0.999999 ＝ 1000000/999999", "0＝1000000/999999×0.000001＋ｂ", "ｂ＝－1/999999", "1000000ｘ－999999ｙ＝1", 1000000, -999999, 1},
        // As a learner may type them: full width, the input method's minus, zeros at the end, a blank.
        {{"ー１", "２．０", "２", "4.00"}, "(4－2)/(2－（－1）) ＝ ＋2/＋3 ＝ 2/3", "2＝2/3×（－1）＋ｂ", "ｂ＝8/3", "2ｘ－3ｙ＝－8", 2, -3, -8},
        {{".5", " 1", "０。５", "+3"}, "(3－1)/(0.5－0.5) ＝ ＋2/0", "", "ｘ＝1/2", "2ｘ＋0ｙ＝1", 2, 0, 1},
        // At the edges of seven digits.
        {{"-9999999", "0", "0", "9999999"}, "(9999999－0)/(0－（－9999999）) ＝ ＋9999999/＋9999999 ＝ 1", "0＝1×（－9999999）＋ｂ", "ｂ＝9999999", "ｘ－ｙ＝－9999999", 1, -1, -9999999},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed[0] + " " + row.typed[1] + " " + row.typed[2] + " " + row.typed[3]);
        const Working w = of(row.typed);
        ASSERT_EQ(w.fault, Fault::None);
        EXPECT_EQ(blockB(w), row.blockB);
        EXPECT_EQ(w.vertical ? "" : Written(w.y1) + "＝" + inline_(w.rate) + "×" + InBrackets(w.x1) + "＋ｂ", row.working);
        EXPECT_EQ(w.vertical ? "ｘ＝" + inline_(w.h) : "ｂ＝" + inline_(w.intercept), row.end);
        EXPECT_EQ(WholeForm(w), row.form);
        EXPECT_EQ((std::array{w.a, w.b, w.c}), (std::array{row.a, row.b, row.c}));
    }
}

// Each check in its order, the message and the box it selects.
TEST(TwoPoints, Messages)
{
    const std::string tooLarge = "は、数が大きすぎて表示できません。\n２点の座標を変えてください。";
    const std::string digits = "は、けたが多すぎます。\n７けたまでの数を入力してください。";
    const std::string same = "ＡとＢが同じ点です。\nＢには、Ａとちがう点の座標を入力してください。";
    const struct {
        std::array<std::string, 4> typed;
        Fault fault;
        int box;
        std::string message;
    } rows[] = {
        // The description's rows.
        {{"2", "3", "2", "3"}, Fault::SamePoint, 2, same},
        {{"", "", "", ""}, Fault::SamePoint, 2, same},
        {{"12345678", "0", "1", "1"}, Fault::Coordinate, 0, "Ａのｘ座標" + digits},
        {{"0.0000001", "0", "1", "1"}, Fault::Coordinate, 0, "Ａのｘ座標" + digits},
        {{"9999999", "0", "-9999999", "1"}, Fault::IncreaseX, 2, "ｘの増加量" + tooLarge},
        {{"0", "0", "0.000001", "1234567"}, Fault::Rate, 2, "変化の割合" + tooLarge},
        {{"0.000007", "0", "1.000007", "9999999"}, Fault::Intercept, 2, "切片" + tooLarge},
        {{"0", "0.000001", "9999999", "1.000001"}, Fault::Form, 2, "ａｘ＋ｂｙ＝ｃの形の式" + tooLarge},
        // Each box named, the first fault told, the digits counted as written.
        {{"1", "1234567.5", "1e999", "x"}, Fault::Coordinate, 1, "Ａのｙ座標" + digits},
        {{"1", "2", "1e7", "2"}, Fault::Coordinate, 2, "Ｂのｘ座標" + digits},
        {{"1", "2", "3", "1.23456789012345678901"}, Fault::Coordinate, 3, "Ｂのｙ座標" + digits},
        {{"0", "-5", "-0.0", "－５．００"}, Fault::SamePoint, 2, same},
        {{"0", "-9999999", "1", "0.000001"}, Fault::IncreaseY, 3, "ｙの増加量" + tooLarge},
        {{"0", "0", "1", "0.1234567"}, Fault::Coordinate, 3, "Ｂのｙ座標" + digits},
        {{"0.1", "0", "1234567", "0"}, Fault::IncreaseX, 2, "ｘの増加量" + tooLarge},  // 1234566.9
        // Eight digits exactly at 10^7, where seven end.
        {{"-5000000", "0", "5000000", "1"}, Fault::IncreaseX, 2, "ｘの増加量" + tooLarge},
        {{"0", "5000000", "2", "4999999"}, Fault::Form, 2, "ａｘ＋ｂｙ＝ｃの形の式" + tooLarge},  // ｘ＋2ｙ＝10000000
        // Usable at the limits: 7 digits each, "2.50" has two, a hexadecimal whole number.
        // Seven digits each, "2.50" two, hexadecimal and exponent forms: usable, and so checked on.
        {{"1234567", "-123.4567", "1234566", "2.50"}, Fault::Intercept, 2, "切片" + tooLarge},
        {{"0.000001", "0", "0", "1"}, Fault::None, 0, ""},  // 1000000ｘ＋ｙ＝1
        {{"&H10", "1e6", "16", "999999.5"}, Fault::None, 0, ""},
        {{"2.50", "-0", "1", "-123.4567"}, Fault::None, 0, ""},  // 2469134ｘ－30000ｙ＝－6172835
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed[0] + " " + row.typed[1] + " " + row.typed[2] + " " + row.typed[3]);
        const Working w = of(row.typed);
        EXPECT_EQ(w.fault, row.fault);
        if (w.fault != Fault::None) {
            EXPECT_EQ(w.box, row.box);
        }
        EXPECT_EQ(MessageOf(w), row.message);
    }
    // Readings made by hand, beyond what a text gives: refused or taken, never an overflow.
    const auto exact = [](std::int64_t mantissa, int exponent) { return platform::Reading{0, true, mantissa, exponent}; };
    const platform::Reading one = exact(1, 0);
    for (const platform::Reading& r : {exact(INT64_MIN, 0), exact(INT64_MAX, -6), exact(1, INT_MAX), exact(1000, INT_MAX),
                                       exact(1, INT_MIN), exact(10000000, 0), platform::Reading{1, false, 1, 0}})
        EXPECT_EQ(Of(one, one, r, one).fault, Fault::Coordinate);
    for (const platform::Reading& r : {exact(9999999, 0), exact(10000000, -1), exact(1, -6), exact(-50000000, -7)})
        EXPECT_EQ(Of(one, one, r, one).fault, Fault::None);
}

// What a screen reader hears, the description's rows.
TEST(TwoPoints, Readings)
{
    const struct {
        std::array<std::string, 4> typed;
        const char *rate, *working, *form, *increases;
    } rows[] = {
        {{"-1", "2", "2", "4"}, "ｙの増加量はプラス２、ｘの増加量はプラス３、変化の割合は３分の２",
         "２＝３分の２かけるマイナス１プラスｂ、ｂ＝３分の８、直線の式はｙ＝３分の２ｘプラス３分の８", "２ｘマイナス３ｙ＝マイナス８",
         "ＡからＢへの増加量を、直角三角形でかいてあります（ｘの増加量プラス３、ｙの増加量プラス２）。"},
        {{"1", "-2", "-3", "4"}, "ｙの増加量はプラス６、ｘの増加量はマイナス４、変化の割合はマイナス２分の３",
         "マイナス２＝マイナス２分の３かける１プラスｂ、ｂ＝マイナス２分の１、直線の式はｙ＝マイナス２分の３ｘマイナス２分の１",
         "３ｘプラス２ｙ＝マイナス１",
         "ＡからＢへの増加量を、直角三角形でかいてあります（ｘの増加量マイナス４、ｙの増加量プラス６）。"},
        {{"0.5", "1", "2", "4"}, "ｙの増加量はプラス３、ｘの増加量はプラス１．５、変化の割合は２",
         "１＝２かける０．５プラスｂ、ｂ＝０、直線の式はｙ＝２ｘ", "２ｘマイナスｙ＝０",
         "ＡからＢへの増加量を、直角三角形でかいてあります（ｘの増加量プラス１．５、ｙの増加量プラス３）。"},
        {{"1", "2", "5", "2"}, "ｙの増加量は０、ｘの増加量はプラス４、変化の割合は０",
         "２＝０かける１プラスｂ、ｂ＝２、直線の式はｙ＝２", "０ｘプラスｙ＝２",
         "ＡからＢへのｘの増加量を、線でかいてあります（ｘの増加量プラス４）。"},
        {{"0.5", "1", "0.5", "3"},
         "ｙの増加量はプラス２、ｘの増加量は０。ｘの増加量が０なので、変化の割合は求められません。この２点を通る直線は、ｙ軸に平行で、一次関数のグラフではありません。",
         "直線の式はｘ＝２分の１", "２ｘプラス０ｙ＝１", "ＡからＢへのｙの増加量を、線でかいてあります（ｙの増加量プラス２）。"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed[0] + " " + row.typed[1] + " " + row.typed[2] + " " + row.typed[3]);
        const Working w = of(row.typed);
        EXPECT_EQ(RateSaid(w), row.rate);
        EXPECT_EQ(WorkingSaid(w, equationSaid(w)), row.working);
        EXPECT_EQ(FormSaid(w), row.form);
        EXPECT_EQ(IncreasesSaid(w), row.increases);
    }
    const Working w = of({"-1", "2", "0.5", "-0.000001"});
    EXPECT_EQ(PointSaid(w.x1, w.y1), "ｘ＝マイナス１、ｙ＝２");
    EXPECT_EQ(PointSaid(w.x2, w.y2), "ｘ＝０．５、ｙ＝マイナス０．０００００１");
    EXPECT_EQ(FileName(2, w.x1, w.y1, w.x2, w.y2), "A(-1,2)B(0.5,-0.000001).png");
    EXPECT_EQ(FileName(1, Decimal{2, 0}, Decimal{3, 0}), "A(2,3).png");
    EXPECT_EQ(FileName(0, {}, {}), "座標平面.png");
}

// --- The model ------------------------------------------------------------------

using Wide = __int128;
using UWide = unsigned __int128;

UWide absolute(Wide v) { return v < 0 ? -static_cast<UWide>(v) : static_cast<UWide>(v); }

int zeroBits(UWide v)
{
    const auto low = static_cast<std::uint64_t>(v);
    return low ? __builtin_ctzll(low) : 64 + __builtin_ctzll(static_cast<std::uint64_t>(v >> 64));
}

// Stein's binary method: shifts and subtractions, in 64 bits while the numbers fit there.
template <typename U>
U stein(U a, U b)
{
    const int shift = zeroBits(a | b);
    a >>= zeroBits(a);
    do {
        b >>= zeroBits(b);
        if (a > b) std::swap(a, b);
        b -= a;
    } while (b != 0);
    return a << shift;
}

Wide binaryGcd(Wide x, Wide y)
{
    const UWide a = absolute(x), b = absolute(y);
    if (a == 0 || b == 0) return static_cast<Wide>(a | b);
    if ((a | b) >> 64) return static_cast<Wide>(stein(a, b));
    return static_cast<Wide>(stein(static_cast<std::uint64_t>(a), static_cast<std::uint64_t>(b)));
}

// A fraction kept in lowest terms, d > 0, as worked on the board step by step.
struct Q {
    Wide n = 0, d = 1;
};

Q reduced(Wide n, Wide d)
{
    if (d < 0) n = -n, d = -d;
    const Wide g = binaryGcd(n, d);
    return {n / g, d / g};
}

Q operator-(Q a, Q b) { return reduced(a.n * b.d - b.n * a.d, a.d * b.d); }
Q operator*(Q a, Q b) { return reduced(a.n * b.n, a.d * b.d); }
Q operator/(Q a, Q b) { return reduced(a.n * b.d, a.d * b.n); }

Wide tenTo(int k)
{
    Wide p = 1;
    while (k-- > 0) p *= 10;
    return p;
}

// A number as the test makes it: n × 10^−places, maybe with zeros at the end of n.
struct Made {
    std::int64_t n = 0;
    int places = 0;
    Q value() const { return reduced(n, tenTo(places)); }
};

std::string digitsOf(Wide v)
{
    const UWide m = absolute(v);
    if (m >> 64 == 0) return std::to_string(static_cast<std::uint64_t>(m));
    return digitsOf(static_cast<Wide>(m / 10)) + static_cast<char>('0' + static_cast<int>(m % 10));
}

// An exact decimal fraction as the lesson writes it (「－0.5」, 「12」):
// its digits over a power of ten, the point put in, the zeros at its end taken off.
std::string written(Q q)
{
    // The places: as many as 2 or 5 divides the denominator, whichever more often.
    int twos = 0, fives = 0;
    for (auto d = static_cast<std::uint64_t>(q.d); d % 2 == 0; d /= 2) ++twos;
    for (auto d = static_cast<std::uint64_t>(q.d); d % 5 == 0; d /= 5) ++fives;
    const int places = twos > fives ? twos : fives;
    std::string s = digitsOf(q.n * (tenTo(places) / q.d));
    if (places > 0) {
        s.insert(0, std::string(s.size() <= static_cast<std::size_t>(places) ? places + 1 - s.size() : 0, '0'));
        s.insert(s.size() - places, ".");
    }
    return (q.n < 0 ? "－" : "") + s;
}

int digitCount(const std::string& s)
{
    int count = 0;
    for (char c : s) count += c >= '0' && c <= '9';
    return count;
}

bool fits(Q q) { return absolute(q.n) < 10000000 && q.d < 10000000; }

struct Expected {
    Fault fault = Fault::None;
    int box = 0;
    Q v[4];                    // the coordinates
    std::string x[4], dx, dy;  // as written
    Q rate, intercept, h;
    Wide a = 0, b = 0, c = 0;
};

Expected model(const Made (&p)[4])
{
    Expected e;
    const auto fail = [&e](Fault f, int box) {
        e.fault = f;
        e.box = box;
        return e;
    };
    for (int i = 0; i < 4; ++i) {
        e.v[i] = p[i].value();
        e.x[i] = written(e.v[i]);
        if (digitCount(e.x[i]) > 7) return fail(Fault::Coordinate, i);
    }
    if (e.x[0] == e.x[2] && e.x[1] == e.x[3]) return fail(Fault::SamePoint, 2);
    const Q &x1 = e.v[0], &y1 = e.v[1], &x2 = e.v[2], &y2 = e.v[3];
    const Q dx = x2 - x1, dy = y2 - y1;
    // An increase with its sign: 「＋」 before a positive one.
    e.dx = (dx.n > 0 ? "＋" : "") + written(dx);
    e.dy = (dy.n > 0 ? "＋" : "") + written(dy);
    if (digitCount(e.dx) > 7) return fail(Fault::IncreaseX, 2);
    if (digitCount(e.dy) > 7) return fail(Fault::IncreaseY, 3);
    if (dx.n == 0) {
        e.h = x1;
        e.a = x1.d;  // d·x = n
        e.c = x1.n;
    } else {
        e.rate = dy / dx;
        if (!fits(e.rate)) return fail(Fault::Rate, 2);
        e.intercept = y1 - e.rate * x1;
        if (!fits(e.intercept)) return fail(Fault::Intercept, 2);
        // y = (p/q)x + m/n times the least common multiple L of q and n: −(pL/q)x + Ly = mL/n,
        // with no common factor left, as p/q and m/n are in lowest terms.
        const Wide l = e.rate.d / binaryGcd(e.rate.d, e.intercept.d) * e.intercept.d;
        const Wide sign = e.rate.n > 0 ? -1 : 1;  // a > 0, or b > 0 when a = 0
        e.a = sign * -e.rate.n * (l / e.rate.d);
        e.b = sign * l;
        e.c = sign * e.intercept.n * (l / e.intercept.d);
    }
    if (absolute(e.a) >= 10000000 || absolute(e.b) >= 10000000 || absolute(e.c) >= 10000000)
        return fail(Fault::Form, 2);
    return e;
}

// --- Points as learners type them -----------------------------------------------

// The engine is the same on every machine (the standard fixes its numbers;
// its distributions it does not, so none is used).
struct Rng {
    std::mt19937_64 engine;
    std::int64_t between(std::int64_t low, std::int64_t high)
    {
        return low + static_cast<std::int64_t>(engine() % static_cast<std::uint64_t>(high - low + 1));
    }
    bool chance(unsigned oneIn) { return engine() % oneIn == 0; }
};

// Up to `most` digits in all, with up to `places` of them after the point.
Made decimal(Rng& r, int most, int places)
{
    const int k = static_cast<int>(r.between(0, places));
    const auto top = static_cast<std::int64_t>(tenTo(static_cast<int>(r.between(1, most))));
    return {r.between(-top + 1, top - 1), k};
}

// The text typed: a sign (ASCII, full width or the input method's), the
// point, zeros at the end now and then, full-width digits now and then.
std::string typed(Rng& r, const Made& m)
{
    std::string s = digitsOf(m.n);
    if (m.places > 0) {
        if (s.size() <= static_cast<std::size_t>(m.places)) s.insert(0, m.places + 1 - s.size(), '0');
        s.insert(s.size() - m.places, ".");
        if (s[0] == '0' && r.chance(4)) s.erase(0, 1);  // ".5"
    }
    if (r.chance(6)) s += m.places > 0 ? "0" : ".00";
    if (m.n < 0) s.insert(0, r.chance(3) ? "ー" : "-");
    if (!r.chance(6)) return s;
    std::string wide;
    for (char c : s) {
        if (c >= '0' && c <= '9') wide += "\xEF\xBC" + std::string(1, static_cast<char>(0x90 + (c - '0')));
        else if (c == '.') wide += "．";
        else wide += c;
    }
    return wide;
}

void generate(Rng& r, int i, Made (&p)[4])
{
    switch (i % 10) {
    case 0: case 1: case 2:  // what a learner types most: small whole numbers, halves and tenths
        for (Made& m : p)
            m = r.chance(2) ? Made{r.between(-12, 12), 0} : Made{r.between(-99, 99), static_cast<int>(r.between(1, 2))};
        break;
    case 3: case 4:  // any decimal of up to seven digits
        for (Made& m : p) m = decimal(r, 7, 6);
        break;
    case 5:  // one x or one y twice, or both, typed alike or not
        for (Made& m : p) m = decimal(r, 4, 3);
        if (r.chance(2) || r.chance(8)) p[2] = p[0];
        if (p[2].n != p[0].n || r.chance(8)) p[3] = p[1];
        if (r.chance(3)) p[2 + (i / 10) % 2].n *= 10, ++p[2 + (i / 10) % 2].places;
        break;
    case 6:  // near the bounds: seven nines and six places
        for (Made& m : p)
            m = {(r.chance(2) ? 1 : -1) * (9999999 - r.between(0, 99)), static_cast<int>(r.between(0, 6))};
        break;
    case 7:  // beyond them now and then: eight digits, or seven places
        for (Made& m : p) m = r.chance(3) ? decimal(r, 8, 7) : decimal(r, 6, 4);
        break;
    default:  // a small rise along a long run from near the y axis: the fractions and a, b, c grow
        p[0] = {r.between(-9, 9), 0};
        p[1] = decimal(r, 3, 6);
        p[2] = {r.between(-9999999, 9999999), static_cast<int>(r.between(0, 2))};
        p[3] = {p[1].n + r.between(-3, 3) * static_cast<std::int64_t>(tenTo(p[1].places)), p[1].places};
        break;
    }
}

TEST(TwoPoints, AMillionPairsAgainstAnExactModel)
{
    const int kPairs = 1000000;
    Rng r{std::mt19937_64(0x2B0147u)};
    long faults[8] = {}, vertical = 0, horizontal = 0, wrong = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kPairs; ++i) {
        Made p[4];
        generate(r, i, p);
        std::array<std::string, 4> text;
        for (int k = 0; k < 4; ++k) text[k] = typed(r, p[k]);
        const Working w = of(text);
        const Expected e = model(p);
        ++faults[static_cast<int>(e.fault)];
        const auto report = [&](const char* what) {
            if (++wrong <= 10)
                ADD_FAILURE() << what << ": " << text[0] << " | " << text[1] << " | " << text[2] << " | " << text[3];
        };
        if (w.fault != e.fault || w.box != e.box) {
            report("fault");
            continue;
        }
        if (e.fault == Fault::Coordinate || e.fault == Fault::SamePoint) continue;
        const Decimal* xs[4] = {&w.x1, &w.y1, &w.x2, &w.y2};
        for (int k = 0; k < 4; ++k)
            if (Written(*xs[k]) != e.x[k]) report("a coordinate as written");
        if (e.fault == Fault::IncreaseX || e.fault == Fault::IncreaseY) continue;
        if (Increase(w.dx) != e.dx || Increase(w.dy) != e.dy) report("an increase");
        if (e.fault != Fault::None) continue;
        vertical += w.vertical;
        horizontal += w.dy.digits == 0;
        const auto same = [](const Fraction& f, const Q& q) { return f.num == q.n && f.den == q.d; };
        if (w.vertical ? !same(w.h, e.h) : !same(w.rate, e.rate) || !same(w.intercept, e.intercept))
            report("a fraction");
        if (w.a != e.a || w.b != e.b || w.c != e.c) report("a, b, c");
        // Properties of the form itself: both points on the line, no common factor, the sign rule.
        for (int k = 0; k < 4; k += 2) {
            const Q &x = e.v[k], &y = e.v[k + 1];
            if (w.a * x.n * y.d + w.b * y.n * x.d != static_cast<Wide>(w.c) * x.d * y.d) report("a point off the line");
        }
        if (binaryGcd(binaryGcd(w.a, w.b), w.c) != 1 || w.a < 0 || (w.a == 0 && w.b <= 0))
            report("the form's factor or sign");
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "[ twopoints ] " << kPairs << " pairs in " << seconds << " s: " << faults[0] << " worked through ("
              << vertical << " vertical, " << horizontal << " horizontal); faults by kind:";
    for (int k = 1; k < 8; ++k) std::cout << ' ' << faults[k];
    std::cout << "; " << wrong << " wrong\n";
    EXPECT_EQ(wrong, 0);
    // Every outcome is met often.
    for (long n : faults) EXPECT_GT(n, 1000);
    EXPECT_GT(vertical, 10000);
    EXPECT_GT(horizontal, 10000);
}

}  // namespace
