#include "platform/numtext.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <locale.h>
#include <string>
#include <vector>

namespace platform {

namespace {

// A C locale of our own, so that reading never depends on the user's locale.
locale_t cLocale()
{
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

std::string formatted(double v, int digits)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", digits, v);
    // %G could honour a locale's decimal separator; the runtime never does.
    std::string s(buf);
    for (char& c : s)
        if (c == ',') c = '.';
    return s;
}

// The ASCII form of a character of a number: full-width digits, plus, minus
// (and the minus sign U+2212) and full stop, which a Japanese input method
// types; and what it types for the minus and full-stop keys in its Japanese
// mode, the prolonged sound mark 「ー」 and the ideographic full stop 「。」
// (and their half-width forms), which would otherwise end the number before
// its digits (「ー２」 read as 0, 「０。５」 as 0).
char32_t asciiOf(char32_t c)
{
    if (c >= U'\uFF10' && c <= U'\uFF19') return U'0' + (c - U'\uFF10');
    switch (c) {
    case U'\uFF0B': return U'+';
    case U'\uFF0D': return U'-';
    case U'\u2212': return U'-';
    case U'\u30FC': return U'-';
    case U'\uFF70': return U'-';
    case U'\uFF0E': return U'.';
    case U'\u3002': return U'.';
    case U'\uFF61': return U'.';
    default: return c;
    }
}

// The characters outside ASCII that the rule drops wherever they stand, so
// that a number reads as it looks: the space separators (general category Zs:
// the full-width space a Japanese input method types, the no-break space of a
// worksheet) count as blanks, and the invisible format characters (Cf:
// zero-width space, direction marks, byte order mark, soft hyphen, tags) as
// nothing. Taken from the general categories of Unicode 15.0; sorted, for a
// binary search. U+0020, the one Zs character in ASCII, is a blank already;
// control characters (Cc: carriage return, form feed and the like) are not
// dropped.
struct CodeRange {
    char32_t first, last;
};
constexpr CodeRange kInvisible[] = {
    {0x00A0, 0x00A0},    // Zs  no-break space
    {0x00AD, 0x00AD},    // Cf  soft hyphen
    {0x0600, 0x0605},    // Cf  Arabic number signs
    {0x061C, 0x061C},    // Cf  Arabic letter mark
    {0x06DD, 0x06DD},    // Cf  Arabic end of ayah
    {0x070F, 0x070F},    // Cf  Syriac abbreviation mark
    {0x0890, 0x0891},    // Cf  Arabic pound and piastre marks above
    {0x08E2, 0x08E2},    // Cf  Arabic disputed end of ayah
    {0x1680, 0x1680},    // Zs  Ogham space mark
    {0x180E, 0x180E},    // Cf  Mongolian vowel separator
    {0x2000, 0x200A},    // Zs  en quad .. hair space
    {0x200B, 0x200F},    // Cf  zero-width space, joiners, LRM, RLM
    {0x202A, 0x202E},    // Cf  bidirectional embeddings and overrides
    {0x202F, 0x202F},    // Zs  narrow no-break space
    {0x205F, 0x205F},    // Zs  medium mathematical space
    {0x2060, 0x2064},    // Cf  word joiner, invisible operators
    {0x2066, 0x206F},    // Cf  bidirectional isolates, deprecated format characters
    {0x3000, 0x3000},    // Zs  ideographic (full-width) space
    {0xFEFF, 0xFEFF},    // Cf  zero-width no-break space (byte order mark)
    {0xFFF9, 0xFFFB},    // Cf  interlinear annotation characters
    {0x110BD, 0x110BD},  // Cf  Kaithi number sign
    {0x110CD, 0x110CD},  // Cf  Kaithi number sign above
    {0x13430, 0x1343F},  // Cf  Egyptian hieroglyph format controls
    {0x1BCA0, 0x1BCA3},  // Cf  shorthand format controls
    {0x1D173, 0x1D17A},  // Cf  musical symbol beam, tie, slur and phrase marks
    {0xE0001, 0xE0001},  // Cf  language tag
    {0xE0020, 0xE007F},  // Cf  tag characters
};

// Whether the rule drops c: an ASCII blank (space, tab, line feed) or one of
// the characters above.
bool isDropped(char32_t c)
{
    if (c < 0x80) return c == U' ' || c == U'\t' || c == U'\n';
    const auto* after = std::upper_bound(std::begin(kInvisible), std::end(kInvisible), c,
                                         [](char32_t x, const CodeRange& r) { return x < r.first; });
    return after != std::begin(kInvisible) && c <= (after - 1)->last;
}

bool isDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

int hexDigit(char32_t c)
{
    if (c >= U'0' && c <= U'9') return static_cast<int>(c - U'0');
    if (c >= U'a' && c <= U'f') return static_cast<int>(c - U'a') + 10;
    if (c >= U'A' && c <= U'F') return static_cast<int>(c - U'A') + 10;
    return -1;
}

// The decimal number at the start of s, read by the rule; its exact form too
// when the significant digits fit 18 decimal places.
Reading readDecimal(const std::u32string& s)
{
    Reading r;
    std::string piece;
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == U'+' || s[i] == U'-')) {
        negative = s[i] == U'-';
        piece += static_cast<char>(s[i++]);
    }
    bool digits = false, point = false;
    std::string significant;  // the digits, without leading zeros
    long scale = 0;           // digits after the point
    for (; i < s.size(); ++i) {
        if (isDigit(s[i])) {
            digits = true;
            piece += static_cast<char>(s[i]);
            if (!(significant.empty() && s[i] == U'0')) significant += static_cast<char>(s[i]);
            if (point) ++scale;
        } else if (s[i] == U'.' && !point) {
            point = true;
            piece += '.';
        } else {
            break;
        }
    }
    if (!digits) return r;
    // An exponent counts only with at least one digit.
    long exponent = 0;
    bool hugeExponent = false;  // beyond what the exact form keeps
    if (i < s.size() && (s[i] == U'E' || s[i] == U'e' || s[i] == U'D' || s[i] == U'd')) {
        std::size_t j = i + 1;
        std::string exp = "e";
        bool expNegative = false;
        if (j < s.size() && (s[j] == U'+' || s[j] == U'-')) {
            expNegative = s[j] == U'-';
            exp += static_cast<char>(s[j++]);
        }
        bool expDigits = false;
        for (; j < s.size() && isDigit(s[j]); ++j) {
            expDigits = true;
            exp += static_cast<char>(s[j]);
            if (exponent < 100000) exponent = exponent * 10 + (s[j] - U'0');
            else hugeExponent = true;
        }
        if (expDigits) piece += exp;
        else exponent = 0;
        if (expNegative) exponent = -exponent;
    }
    r.value = strtod_l(piece.c_str(), nullptr, cLocale());
    // Trailing zeros of the digits move into the exponent.
    long tens = exponent - scale;
    while (significant.size() > 1 && significant.back() == '0') {
        significant.pop_back();
        ++tens;
    }
    if (significant.empty()) {
        r.mantissa = 0;
        r.exponent = 0;
    } else if (significant.size() <= 18 && !hugeExponent && tens > -100000 && tens < 100000) {
        r.mantissa = std::stoll(significant) * (negative ? -1 : 1);
        r.exponent = static_cast<int>(tens);
    } else {
        r.exact = false;
    }
    return r;
}

// A hexadecimal or octal whole number, exactly rounded: octal digits become
// bits, bits become hexadecimal digits, and the C library rounds those.
Reading readRadix(const std::u32string& s, std::size_t from, int radix)
{
    Reading r;
    std::string bits;
    for (std::size_t i = from; i < s.size(); ++i) {
        const int d = hexDigit(s[i]);
        if (d < 0 || d >= radix) break;
        for (int b = (radix == 16 ? 3 : 2); b >= 0; --b) bits += ((d >> b) & 1) ? '1' : '0';
    }
    if (bits.empty()) return r;
    while (bits.size() % 4) bits.insert(bits.begin(), '0');
    std::string hex = "0x";
    for (std::size_t i = 0; i < bits.size(); i += 4) {
        int d = 0;
        for (int k = 0; k < 4; ++k) d = d * 2 + (bits[i + k] - '0');
        hex += "0123456789abcdef"[d];
    }
    r.value = strtod_l(hex.c_str(), nullptr, cLocale());
    if (r.value < 9.0e18) {
        r.mantissa = static_cast<std::int64_t>(r.value);  // below 2^63 and read exactly when below 2^53
        r.exact = r.value < 9007199254740992.0;
    } else {
        r.exact = false;
    }
    return r;
}

}  // namespace

char32_t NextCharacter(std::string_view s, std::size_t& i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = byte(i);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int length = 0;
    char32_t c = 0, least = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) { length = 2; c = b0 & 0x1F; least = 0x80; }
    else if (b0 >= 0xE0 && b0 <= 0xEF) { length = 3; c = b0 & 0x0F; least = 0x800; }
    else if (b0 >= 0xF0 && b0 <= 0xF4) { length = 4; c = b0 & 0x07; least = 0x10000; }
    if (length == 0 || i + static_cast<std::size_t>(length) > s.size()) {
        ++i;
        return 0xFFFD;
    }
    for (int k = 1; k < length; ++k) {
        const unsigned char b = byte(i + static_cast<std::size_t>(k));
        if ((b & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        c = (c << 6) | (b & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++i;
        return 0xFFFD;
    }
    i += static_cast<std::size_t>(length);
    return c;
}

std::string NumberText(const Variant& v)
{
    const double x = v.value();
    // Small whole numbers are written once and copied afterwards (short texts
    // are copied without allocating).
    constexpr int kShared = 1000;
    if ((v.kind() == Variant::Kind::Int16 || v.kind() == Variant::Kind::Empty) && x > -kShared && x < kShared) {
        static const std::vector<std::string> texts = [] {
            std::vector<std::string> t;
            t.reserve(2 * kShared - 1);
            for (int i = -kShared + 1; i < kShared; ++i) t.push_back((i < 0 ? "-" : " ") + std::to_string(std::abs(i)));
            return t;
        }();
        return texts[static_cast<std::size_t>(static_cast<int>(x) + kShared - 1)];
    }
    std::string digits;
    switch (v.kind()) {
    case Variant::Kind::Empty: digits = "0"; break;
    case Variant::Kind::Int16:
    case Variant::Kind::Int32: digits = std::to_string(static_cast<long long>(std::fabs(x))); break;
    case Variant::Kind::Single: digits = formatted(std::fabs(x), 7); break;
    case Variant::Kind::Double: digits = formatted(std::fabs(x), 15); break;
    }
    const bool negative = x < 0 && digits != "0";
    return (negative ? "-" : " ") + digits;
}

Reading ReadNumber(std::string_view text)
{
    std::u32string s;
    s.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = NextCharacter(text, i);
        if (isDropped(c)) continue;
        s += asciiOf(c);
    }
    if (s.size() >= 2 && s[0] == U'&') {
        if (s[1] == U'H' || s[1] == U'h') return readRadix(s, 2, 16);
        if (s[1] == U'O' || s[1] == U'o') return readRadix(s, 2, 8);
    }
    return readDecimal(s);
}

double TextValue(std::string_view text) { return ReadNumber(text).value; }

}  // namespace platform
