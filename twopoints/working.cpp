#include "twopoints/working.h"

#include "core/wide.h"

namespace twopoints {

namespace {

using exact::Wide;
using exact::Magnitude;
using exact::Gcd;

// Seven digits: every number the lesson shows is below this in magnitude.
const Wide kShown = 10000000;  // 10^7
const Wide kTen[7] = {1, 10, 100, 1000, 10000, 100000, 1000000};

// digits × 10^−places (places ≤ 6) as the lesson shows it, without the zeros at
// the end of its fraction part; false when it has more than seven digits.
bool decimal(Wide digits, int places, Decimal& out)
{
    while (places > 0 && digits % 10 == 0) {
        digits /= 10;
        --places;
    }
    if (Magnitude(digits) >= kShown) return false;
    out = {static_cast<std::int64_t>(digits), places};
    return true;
}

// A typed coordinate, or false when it is no exact decimal of at most seven digits.
bool coordinate(const platform::Reading& r, Decimal& out)
{
    if (!r.exact) return false;
    out = {};
    if (r.mantissa == 0) return true;
    // A hexadecimal reading keeps the zeros at the end of its mantissa.
    Wide digits = r.mantissa;
    std::int64_t tens = r.exponent;
    while (digits % 10 == 0) {
        digits /= 10;
        ++tens;
    }
    // A last digit that is not 0 at 10^7 or beyond, or 10^−7 or below, makes eight digits at least.
    if (tens > 6 || tens < -6) return false;
    for (; tens > 0; --tens) digits *= 10;  // below 2^63 · 10^6: far inside __int128
    return decimal(digits, static_cast<int>(-tens), out);
}

// num / den (den ≠ 0) in lowest terms with a positive denominator; false when
// either has more than seven digits.
bool fraction(Wide num, Wide den, Fraction& out)
{
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const Wide g = Gcd(num, den);  // ≥ 1: den is not 0
    num /= g;
    den /= g;
    if (Magnitude(num) >= kShown || den >= kShown) return false;
    out = {static_cast<std::int64_t>(num), static_cast<std::int64_t>(den)};
    return true;
}

Working failed(Working w, Working::Fault fault, int box)
{
    w.fault = fault;
    w.box = box;
    return w;
}

std::string digitsOf(std::int64_t v)
{
    // The magnitude in unsigned arithmetic: no overflow at the most negative value.
    return std::to_string(v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v));
}

// |d| as written: "0.5", "12", "0.000001".
std::string unsignedText(const Decimal& d)
{
    std::string s = digitsOf(d.digits);
    if (d.places == 0) return s;
    const auto places = static_cast<std::size_t>(d.places);
    if (s.size() <= places) s.insert(0, places + 1 - s.size(), '0');
    s.insert(s.size() - places, ".");
    return s;
}

// A point for the picture's file name: "A(-1,0.5)".
std::string named(const char* name, const Decimal& x, const Decimal& y)
{
    const auto ascii = [](const Decimal& d) { return (d.digits < 0 ? "-" : "") + unsignedText(d); };
    return name + ("(" + ascii(x) + "," + ascii(y) + ")");
}

}  // namespace

Working Of(const platform::Reading& x1, const platform::Reading& y1, const platform::Reading& x2,
           const platform::Reading& y2)
{
    using Fault = Working::Fault;
    Working w;
    const platform::Reading* typed[4] = {&x1, &y1, &x2, &y2};
    Decimal* point[4] = {&w.x1, &w.y1, &w.x2, &w.y2};
    for (int i = 0; i < 4; ++i)
        if (!coordinate(*typed[i], *point[i])) return failed(w, Fault::Coordinate, i);
    if (w.x1 == w.x2 && w.y1 == w.y2) return failed(w, Fault::SamePoint, 2);

    // The four coordinates times the least power of ten 10^s (s ≤ 6) that
    // makes them whole: each below 10^7 · 10^6 = 10^13 in magnitude. So a
    // difference is below 2·10^13, 10^s times one below 2·10^19, a product
    // of two below 10^26 and a difference of products below 2·10^26: every
    // step below is far inside __int128 (about 1.7·10^38), though many are
    // beyond 64 bits.
    int s = 0;
    for (const Decimal* d : point)
        if (d->places > s) s = d->places;
    const auto whole = [s](const Decimal& d) { return static_cast<Wide>(d.digits) * kTen[s - d.places]; };
    const Wide X1 = whole(w.x1), Y1 = whole(w.y1), X2 = whole(w.x2), Y2 = whole(w.y2);
    const Wide ten = kTen[s];

    if (!decimal(X2 - X1, s, w.dx)) return failed(w, Fault::IncreaseX, 2);
    if (!decimal(Y2 - Y1, s, w.dy)) return failed(w, Fault::IncreaseY, 3);
    w.vertical = X1 == X2;
    if (w.vertical) {
        fraction(X1, ten, w.h);  // x₁ itself: never more digits than x₁ has
    } else {
        // The power of ten cancels in 変化の割合; 切片 = y₁ − 傾き·x₁ over one bar.
        if (!fraction(Y2 - Y1, X2 - X1, w.rate)) return failed(w, Fault::Rate, 2);
        if (!fraction(X2 * Y1 - X1 * Y2, ten * (X2 - X1), w.intercept)) return failed(w, Fault::Intercept, 2);
    }
    // (Y₂ − Y₁)·X − (X₂ − X₁)·Y = X₁·Y₂ − X₂·Y₁ in the whole coordinates, X = 10^s·x.
    Wide a = ten * (Y2 - Y1), b = -ten * (X2 - X1), c = X1 * Y2 - X2 * Y1;
    const Wide g = Gcd(Gcd(a, b), c);  // > 0: a and b are not both 0
    a /= g;
    b /= g;
    c /= g;
    if (a < 0 || (a == 0 && b < 0)) {
        a = -a;
        b = -b;
        c = -c;
    }
    if (Magnitude(a) >= kShown || Magnitude(b) >= kShown || Magnitude(c) >= kShown)
        return failed(w, Fault::Form, 2);
    w.a = static_cast<std::int64_t>(a);
    w.b = static_cast<std::int64_t>(b);
    w.c = static_cast<std::int64_t>(c);
    return w;
}

std::string MessageOf(const Working& w)
{
    const std::string tooLarge = "は、数が大きすぎて表示できません。\n２点の座標を変えてください。";
    switch (w.fault) {
    case Working::Fault::None: break;
    case Working::Fault::Coordinate: {
        const char* const names[4] = {"Ａのｘ座標", "Ａのｙ座標", "Ｂのｘ座標", "Ｂのｙ座標"};
        return std::string(names[w.box & 3]) + "は、けたが多すぎます。\n７けたまでの数を入力してください。";
    }
    case Working::Fault::SamePoint: return "ＡとＢが同じ点です。\nＢには、Ａとちがう点の座標を入力してください。";
    case Working::Fault::IncreaseX: return "ｘの増加量" + tooLarge;
    case Working::Fault::IncreaseY: return "ｙの増加量" + tooLarge;
    case Working::Fault::Rate: return "変化の割合" + tooLarge;
    case Working::Fault::Intercept: return "切片" + tooLarge;
    case Working::Fault::Form: return "ａｘ＋ｂｙ＝ｃの形の式" + tooLarge;
    }
    return {};
}

std::string Written(const Decimal& d) { return (d.digits < 0 ? "－" : "") + unsignedText(d); }

std::string Increase(const Decimal& d)
{
    if (d.digits == 0) return "0";
    return (d.digits < 0 ? "－" : "＋") + unsignedText(d);
}

std::string InBrackets(const Decimal& d) { return d.digits < 0 ? "（" + Written(d) + "）" : Written(d); }

std::string Subtraction(const Decimal& later, const Decimal& earlier)
{
    return Written(later) + "－" + InBrackets(earlier);
}

FractionText TextOf(const Fraction& f)
{
    FractionText t;
    if (f.num < 0) t.minus = "－";
    if (f.den == 1) t.whole = digitsOf(f.num);
    else {
        t.num = digitsOf(f.num);
        t.den = digitsOf(f.den);
    }
    return t;
}

std::string WholeForm(const Working& w)
{
    // A coefficient of 1 or −1 is the letter alone; one of 0 stays, so that a,
    // b and c can be read off as the first lesson's boxes take them.
    const auto term = [](std::int64_t v, const char* letter) {
        return (v == 1 || v == -1 ? std::string() : digitsOf(v)) + letter;
    };
    return term(w.a, "ｘ") + (w.b < 0 ? "－" : "＋") + term(w.b, "ｙ") + "＝" + (w.c < 0 ? "－" : "") +
           digitsOf(w.c);
}

std::string FileName(int marked, const Decimal& x1, const Decimal& y1, const Decimal& x2, const Decimal& y2)
{
    if (marked <= 0) return "座標平面.png";
    return named("A", x1, y1) + (marked >= 2 ? named("B", x2, y2) : "") + ".png";
}

}  // namespace twopoints
