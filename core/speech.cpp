#include "core/speech.h"

#include <cmath>
#include <cstdlib>
#include <numeric>

namespace speech {

namespace {

// A number as it is read: its digits, full stop and exponent in full width
// (a number caption's leading blank dropped).
std::string wide(const std::string& number)
{
    std::string out;
    for (char c : number) {
        if (c >= '0' && c <= '9') {
            // U+FF10 … U+FF19 in UTF-8.
            out += "\xEF\xBC";
            out += static_cast<char>(0x90 + (c - '0'));
        } else if (c == '.') out += "．";
        else if (c == '+') out += "＋";
        else if (c == '-') out += "－";
        else if (c == 'E') out += "Ｅ";
        else if (c != ' ') out += c;
    }
    return out;
}

// "den分のnum", or the number alone when there is no denominator.
std::string fraction(const std::string& num, const std::string& den)
{
    if (den.empty()) return wide(num);
    return wide(den) + "分の" + wide(num);
}

// The sign between the terms as a word, as a teacher says it: a speech
// engine reads 「－」 as a dash or not at all.
std::string operation(const std::string& sign)
{
    if (sign == "＋") return "プラス";
    if (sign == "－") return "マイナス";
    return sign;
}

}  // namespace

std::string Number(const std::string& num, const std::string& den) { return fraction(num, den); }

std::string OfSlots(const std::array<std::string, 10>& s)
{
    if (s[0].empty()) return {};
    std::string said = s[0];
    if (!s[1].empty()) said += "マイナス";
    said += s[2].empty() ? fraction(s[3], s[4]) : wide(s[2]);
    said += s[5];
    said += operation(s[6]);
    said += s[7].empty() ? fraction(s[8], s[9]) : wide(s[7]);
    return said;
}

std::string OfLine(double slopeNum, double slopeDen, double interceptNum, double interceptDen)
{
    const double limit = 1.0e15;
    for (double v : {slopeNum, slopeDen, interceptNum, interceptDen})
        if (std::floor(v) != v || std::fabs(v) > limit) return {};
    const auto digits = [](long long v) { return std::to_string(std::llabs(v)); };
    // A fraction in lowest terms, its sign apart: "den分のnum" or "num".
    const auto reduced = [&](long long n, long long d, bool& negative) {
        if (d < 0) n = -n, d = -d;
        negative = n < 0;
        const long long g = std::gcd(std::llabs(n), d);
        if (g > 1) n /= g, d /= g;
        return fraction(digits(n), d == 1 ? std::string() : digits(d));
    };
    bool negative = false;
    if (slopeDen == 0) {
        const std::string x = wide(digits(static_cast<long long>(interceptNum)));
        return std::string("ｘ＝") + (interceptNum < 0 ? "マイナス" : "") + x;
    }
    if (interceptDen == 0) return {};
    const std::string m = reduced(static_cast<long long>(slopeNum), static_cast<long long>(slopeDen), negative);
    const bool mNegative = negative;
    const std::string k = reduced(static_cast<long long>(interceptNum), static_cast<long long>(interceptDen), negative);
    std::string said = "ｙ＝";
    if (slopeNum == 0) return said + (negative ? "マイナス" : "") + k;
    if (mNegative) said += "マイナス";
    if (m != "１") said += m;
    said += "ｘ";
    if (interceptNum != 0) said += (negative ? "マイナス" : "プラス") + k;
    return said;
}

}  // namespace speech
