// Fuzz target for the reading of a typed coefficient (TextValue, ReadNumber)
// and for the text of a number shown to the learner (NumberText).
//
// Every input is tried three ways, each handed to the reader as UTF-8: the
// bytes as they are (invalid sequences included), the bytes as 16-bit code
// units and the bytes as Latin-1; the last two are transcoded here (a lone
// surrogate becomes U+FFFD, as a text box hands over no other). For each text
// the target checks what a learner relies on, and traps when it does not hold:
//   - a byte that is no part of well-formed UTF-8 reads as U+FFFD would;
//   - the characters the rule drops change nothing wherever they stand: the
//     blanks (space, tab, line feed), the other space separators (full-width
//     space, no-break space) and the invisible format characters (zero-width
//     space, direction marks, byte order mark, tags); checked by removing
//     those in the text and by putting one before every character of it,
//     each of them in turn across the inputs;
//   - a text that does not begin with a number character reads 0;
//   - a decimal reads as the correctly rounded double of its digits, worked
//     out here with std::from_chars; "&H" and "&O" read as the correctly
//     rounded value of their whole number, rounded here by hand;
//   - the exact decimal form, when it claims to be exact, is that decimal;
//   - the text of a number has its blank or minus in front, no comma, and
//     reads back to the number (15 digits for a double, 7 for a float).
// The UTF-8 decoding here is the target's own, by the table of well-formed
// byte sequences, so that it checks the reader's rather than repeats it.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/numtext.h"
#include "platform/variant.h"
#include "twopoints/working.h"

using platform::NumberText;
using platform::Reading;
using platform::ReadNumber;
using platform::TextValue;
using platform::Variant;

namespace {

// The text under test and where it came from, for the report.
std::string_view currentText;
const char* currentSource = nullptr;

[[noreturn]] void broken(const char* what)
{
    std::fprintf(stderr, "\n*** property broken: %s\n", what);
    if (currentSource) {
        const std::size_t shown = std::min<std::size_t>(currentText.size(), 200);
        std::fprintf(stderr, "*** text (%s), %zu bytes of UTF-8:", currentSource, currentText.size());
        for (std::size_t i = 0; i < shown; ++i)
            std::fprintf(stderr, " %02X", static_cast<unsigned char>(currentText[i]));
        if (shown < currentText.size()) std::fprintf(stderr, " ...");
        std::fprintf(stderr, "\n*** as text: \"");
        for (std::size_t i = 0; i < shown; ++i) {
            const unsigned char c = static_cast<unsigned char>(currentText[i]);
            if (c >= 0x20 && c != 0x7f && c != '\\') std::fputc(c, stderr);
            else std::fprintf(stderr, "\\x%02X", c);
        }
        std::fprintf(stderr, "\"\n");
    }
    __builtin_trap();
}

void require(bool ok, const char* what)
{
    if (!ok) broken(what);
}

void underTest(std::string_view text, const char* source)
{
    currentText = text;
    currentSource = source;
}

std::uint64_t bitsOf(double v)
{
    std::uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

bool sameDouble(double a, double b) { return bitsOf(a) == bitsOf(b); }

bool sameExactForm(const Reading& a, const Reading& b)
{
    return a.exact == b.exact && a.mantissa == b.mantissa && a.exponent == b.exponent;
}

// What the rule drops, by the general categories of Unicode 15.0: besides
// space, tab and line feed, the space separators (Zs) and the format
// characters (Cf), listed here by category as the character database lists
// them. Control characters (Cc) other than tab and line feed are kept.
constexpr char32_t kSpaceSeparators[][2] = {
    {0x0020, 0x0020}, {0x00A0, 0x00A0}, {0x1680, 0x1680}, {0x2000, 0x200A},
    {0x202F, 0x202F}, {0x205F, 0x205F}, {0x3000, 0x3000},
};
constexpr char32_t kFormatCharacters[][2] = {
    {0x00AD, 0x00AD},   {0x0600, 0x0605},   {0x061C, 0x061C},   {0x06DD, 0x06DD},   {0x070F, 0x070F},
    {0x0890, 0x0891},   {0x08E2, 0x08E2},   {0x180E, 0x180E},   {0x200B, 0x200F},   {0x202A, 0x202E},
    {0x2060, 0x2064},   {0x2066, 0x206F},   {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD},
    {0x110CD, 0x110CD}, {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0001, 0xE0001},
    {0xE0020, 0xE007F},
};

bool isDropped(char32_t c)
{
    if (c == U'\t' || c == U'\n') return true;
    for (const auto& r : kSpaceSeparators)
        if (c >= r[0] && c <= r[1]) return true;
    for (const auto& r : kFormatCharacters)
        if (c >= r[0] && c <= r[1]) return true;
    return false;
}

// Every character the rule drops, one after another.
const std::vector<char32_t>& droppedCharacters()
{
    static const std::vector<char32_t> all = [] {
        std::vector<char32_t> v{U'\t', U'\n'};
        for (const auto& r : kSpaceSeparators)
            for (char32_t c = r[0]; c <= r[1]; ++c) v.push_back(c);
        for (const auto& r : kFormatCharacters)
            for (char32_t c = r[0]; c <= r[1]; ++c) v.push_back(c);
        return v;
    }();
    return all;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

constexpr char32_t kInvalidByte = 0xFFFFFFFF;

// The character of UTF-8 text at i, moving i past it; kInvalidByte, moving i
// past one byte, when the bytes at i are no well-formed sequence. The lead
// byte decides the length and the range of the second byte (which rules out
// overlong forms, surrogates and values beyond U+10FFFF).
char32_t decodeAt(std::string_view s, std::size_t& i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned b0 = byte(i);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    std::size_t more = 0;
    unsigned low = 0x80, high = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        more = 1;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        more = 2;
        if (b0 == 0xE0) low = 0xA0;   // no overlong form
        if (b0 == 0xED) high = 0x9F;  // no surrogate
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        more = 3;
        if (b0 == 0xF0) low = 0x90;   // no overlong form
        if (b0 == 0xF4) high = 0x8F;  // nothing beyond U+10FFFF
    }
    if (more == 0 || s.size() - i <= more || byte(i + 1) < low || byte(i + 1) > high) {
        ++i;
        return kInvalidByte;
    }
    for (std::size_t k = 2; k <= more; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return kInvalidByte;
        }
    }
    char32_t c = b0 & (more == 1 ? 0x1F : more == 2 ? 0x0F : 0x07);
    for (std::size_t k = 1; k <= more; ++k) c = (c << 6) | (byte(i + k) & 0x3F);
    i += more + 1;
    return c;
}

// The text with each byte that is no part of well-formed UTF-8 written as U+FFFD.
std::string wellFormed(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = decodeAt(text, i);
        appendUtf8(out, c == kInvalidByte ? char32_t{0xFFFD} : c);
    }
    return out;
}

// Well-formed UTF-8 without the characters the rule drops.
std::string withoutDropped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = decodeAt(text, i);
        if (!isDropped(c)) appendUtf8(out, c);
    }
    return out;
}

// Well-formed UTF-8 with a character the rule drops before each of its
// characters and at its end. Which one comes first depends on the text, so
// that the inputs take every one of them in turn.
std::string sprinkled(std::string_view text)
{
    const std::vector<char32_t>& dropped = droppedCharacters();
    std::size_t k = 0;
    for (char c : text) k = k * 31 + static_cast<unsigned char>(c);
    std::string out;
    out.reserve(5 * text.size() + 4);
    for (std::size_t i = 0; i < text.size();) {
        appendUtf8(out, dropped[k++ % dropped.size()]);
        appendUtf8(out, decodeAt(text, i));
    }
    appendUtf8(out, dropped[k % dropped.size()]);
    return out;
}

// The text as the reader sees it: what the rule drops gone (blanks and
// invisible characters), the full-width forms of a Japanese input method as
// their ASCII characters, and every other character outside ASCII, and every
// byte of no well-formed sequence, as a byte that is no part of any number.
std::string readerForm(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = decodeAt(text, i);
        if (isDropped(c)) continue;
        if (c >= 0xFF10 && c <= 0xFF19) out += static_cast<char>('0' + (c - 0xFF10));
        else if (c == 0xFF0B) out += '+';
        else if (c == 0xFF0D || c == 0x2212 || c == 0x30FC || c == 0xFF70) out += '-';
        else if (c == 0xFF0E || c == 0x3002 || c == 0xFF61) out += '.';
        else if (c < 0x80) out += static_cast<char>(c);
        else out += '\x7f';
    }
    return out;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal D × 10^E with D a string of digits without leading or trailing
// zeros (empty for zero).
struct Decimal {
    bool negative = false;
    std::string digits;
    std::int64_t exponent = 0;
};

// Whether the exact form of a reading is the decimal d.
bool readingIs(const Reading& r, const Decimal& d)
{
    if (r.mantissa == 0) return d.digits.empty();
    if (d.digits.empty()) return false;
    if ((r.mantissa < 0) != d.negative) return false;
    std::uint64_t m = r.mantissa < 0 ? 0 - static_cast<std::uint64_t>(r.mantissa) : static_cast<std::uint64_t>(r.mantissa);
    std::int64_t e = r.exponent;
    while (m % 10 == 0) {
        m /= 10;
        ++e;
    }
    return std::to_string(m) == d.digits && e == d.exponent;
}

// The correctly rounded double of a decimal, by std::from_chars. Out of its
// range from_chars says result_out_of_range, for a value beyond the largest
// double (infinity) or one that rounds to zero; subnormals come back as usual.
// A decimal of 1 or more cannot round to zero and one below 1 cannot overflow,
// so the order of magnitude tells which.
double roundedValue(const Decimal& d)
{
    const double zero = d.negative ? -0.0 : 0.0;
    const double inf = d.negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    if (d.digits.empty()) return zero;
    // The value lies in [10^(magnitude-1), 10^magnitude).
    const std::int64_t magnitude = d.exponent + static_cast<std::int64_t>(d.digits.size());
    if (magnitude > 400) return inf;
    if (magnitude < -400) return zero;
    const std::string s = d.digits + "e" + std::to_string(d.exponent);
    double v = 0;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    require(ptr == s.data() + s.size(), "test oracle: from_chars stopped early");
    if (ec == std::errc::result_out_of_range) return magnitude > 0 ? inf : zero;
    require(ec == std::errc(), "test oracle: from_chars failed");
    return d.negative ? -v : v;
}

// The correctly rounded double of a whole number written in binary digits
// (most significant first), rounded by hand: 53 bits, ties to even.
double roundedBinary(const std::string& bits)
{
    std::size_t first = bits.find('1');
    if (first == std::string::npos) return 0.0;
    const std::string b = bits.substr(first);
    const std::size_t n = b.size();
    std::uint64_t m = 0;
    const std::size_t kept = std::min<std::size_t>(n, 53);
    for (std::size_t i = 0; i < kept; ++i) m = m * 2 + static_cast<std::uint64_t>(b[i] - '0');
    if (n <= 53) return static_cast<double>(m);
    const bool half = b[53] == '1';
    const bool rest = b.find('1', 54) != std::string::npos;
    if (half && (rest || (m & 1))) ++m;  // m may become 2^53: still exact
    const std::size_t shift = n - 53;
    if (shift > 2000) return std::numeric_limits<double>::infinity();
    return std::ldexp(static_cast<double>(m), static_cast<int>(shift));
}

// "&H" / "&O": the whole number after the prefix.
void checkRadix(std::string_view text, const std::string& s, double value)
{
    const bool hex = s[1] == 'H' || s[1] == 'h';
    std::string bits;
    for (std::size_t i = 2; i < s.size(); ++i) {
        const char c = s[i];
        int d = -1;
        if (isDigit(c)) d = c - '0';
        else if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        if (d < 0 || (!hex && d > 7)) break;
        for (int k = hex ? 3 : 2; k >= 0; --k) bits += ((d >> k) & 1) ? '1' : '0';
    }
    const double want = roundedBinary(bits);
    require(sameDouble(value, want), "&H/&O: not the correctly rounded value of the whole number");

    const Reading r = ReadNumber(text);
    if (!r.exact) return;
    // Claimed exact: it must be the whole number itself.
    const std::size_t first = bits.find('1');
    Decimal d;
    if (first != std::string::npos) {
        require(bits.size() - first <= 63, "&H/&O: exact form claimed for a number beyond 63 bits");
        std::uint64_t n = 0;
        for (std::size_t i = first; i < bits.size(); ++i) n = n * 2 + static_cast<std::uint64_t>(bits[i] - '0');
        while (n % 10 == 0) {
            n /= 10;
            ++d.exponent;
        }
        d.digits = std::to_string(n);
    }
    require(readingIs(r, d), "&H/&O: the exact form is not the whole number");
}

// A decimal: the longest number at the start, by the reading rule.
void checkDecimal(std::string_view text, const std::string& s, double value)
{
    std::size_t i = 0;
    Decimal d;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) d.negative = s[i++] == '-';
    std::string all;              // every mantissa digit
    std::int64_t afterPoint = 0;  // how many of them follow the point
    bool point = false;
    for (; i < s.size(); ++i) {
        if (isDigit(s[i])) {
            all += s[i];
            if (point) ++afterPoint;
        } else if (s[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (all.empty()) {
        require(value == 0.0, "a text with no digit does not read 0");
        return;
    }
    std::int64_t exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        bool negative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) negative = s[j++] == '-';
        std::int64_t e = 0;
        bool any = false;
        for (; j < s.size() && isDigit(s[j]); ++j) {
            any = true;
            if (e < 1000000000000000) e = e * 10 + (s[j] - '0');  // beyond that every value is 0 or infinite
        }
        if (any) exponent = negative ? -e : e;
    }
    const std::size_t lead = all.find_first_not_of('0');
    if (lead != std::string::npos) {
        const std::size_t last = all.find_last_not_of('0');
        d.digits = all.substr(lead, last - lead + 1);
        d.exponent = exponent - afterPoint + static_cast<std::int64_t>(all.size() - 1 - last);
    }

    const double want = roundedValue(d);
    require(sameDouble(value, want), "a decimal does not read as the correctly rounded double of its digits");

    const Reading r = ReadNumber(text);
    const bool small = d.digits.size() <= 15 && d.exponent >= -22 && d.exponent <= 22;
    require(r.exact || !small, "a short decimal with a small exponent is not read exactly");
    if (!r.exact) return;
    require(readingIs(r, d), "the exact form is not the decimal that was typed");
    // Mantissa and power of ten exact in double: one rounding, the right value.
    if (r.mantissa > -1000000000000000 && r.mantissa < 1000000000000000 && r.exponent >= -22 && r.exponent <= 22) {
        double p = 1;
        for (int k = 0; k < std::abs(r.exponent); ++k) p *= 10;
        const double m = static_cast<double>(r.mantissa);
        const double product = r.exponent >= 0 ? m * p : m / p;
        require(product == value, "mantissa × 10^exponent is not the value");
    }
}

void checkReading(std::string_view text, const char* source)
{
    underTest(text, source);
    const double value = TextValue(text);
    require(!std::isnan(value), "a text reads as NaN");
    const Reading r = ReadNumber(text);
    require(sameDouble(r.value, value), "ReadNumber and TextValue disagree");

    const std::string sound = wellFormed(text);
    if (sound != text) {
        require(sameDouble(TextValue(sound), value), "a byte of no well-formed UTF-8 does not read as U+FFFD");
        require(sameExactForm(ReadNumber(sound), r), "a byte of no well-formed UTF-8 changes the exact form");
    }
    const std::string bare = withoutDropped(sound);
    require(sameDouble(TextValue(bare), value), "removing blanks and invisible characters changes the value");
    require(sameExactForm(ReadNumber(bare), r), "removing blanks and invisible characters changes the exact form");
    const std::string paddedText = sprinkled(sound);
    const Reading padded = ReadNumber(paddedText);
    underTest(paddedText, "the text with a blank or invisible character put in before each character");
    require(sameDouble(padded.value, value), "a blank or invisible character put in changes the value");
    require(sameExactForm(padded, r), "a blank or invisible character put in changes the exact form");
    underTest(text, source);

    const std::string s = readerForm(text);
    const bool numberStart = !s.empty() && (isDigit(s[0]) || s[0] == '+' || s[0] == '-' || s[0] == '.' || s[0] == '&');
    if (!numberStart) {
        require(value == 0.0 && !std::signbit(value), "a text that begins with no number character does not read 0");
        return;
    }
    if (s[0] == '&') {
        if (s.size() >= 2 && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) checkRadix(text, s, value);
        else require(value == 0.0 && !std::signbit(value), "'&' without H or O does not read 0");
        return;
    }
    checkDecimal(text, s, value);
}

// The characters after the leading blank or minus: digits, at most one full
// stop between digits, and an exponent "E+nn" / "E-nn".
bool wellFormedDigits(const std::string& t)
{
    std::size_t i = 1;
    const std::size_t n = t.size();
    auto digitsAt = [&](std::size_t& k) {
        const std::size_t from = k;
        while (k < n && isDigit(t[k])) ++k;
        return k > from;
    };
    if (!digitsAt(i)) return false;
    if (i < n && t[i] == '.') {
        ++i;
        if (!digitsAt(i)) return false;
    }
    if (i < n && t[i] == 'E') {
        ++i;
        if (i >= n || (t[i] != '+' && t[i] != '-')) return false;
        ++i;
        if (!digitsAt(i)) return false;
    }
    return i == n;
}

void checkSignAndForm(const std::string& t, double x)
{
    underTest(t, "number text");
    require(t.size() >= 2, "number text too short");
    require(t[0] == (x < 0 ? '-' : ' '), "number text does not begin with a blank (0 or more) or '-' (negative)");
    require(t.find(',') == std::string::npos, "number text contains a comma");
    require(wellFormedDigits(t), "number text is not digits with an optional full stop and exponent");
}

std::string wholeDigits(double magnitude)
{
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, static_cast<std::uint64_t>(magnitude));
    return std::string(buf, res.ptr);
}

void checkDoubleText(double x)
{
    if (!std::isfinite(x)) return;
    const std::string t = NumberText(Variant(x));
    checkSignAndForm(t, x);
    const double back = TextValue(t);
    if (std::isinf(back)) {
        // Fifteen digits of the very largest doubles round past the range.
        require(std::fabs(x) >= 1.797693134862315e308, "number text of a double reads back as infinite");
    } else {
        require(std::fabs(back - x) <= 1e-14 * std::fabs(x), "number text of a double does not read back to 15 digits");
    }
    if (std::floor(x) == x && std::fabs(x) < 1e15)
        require(t.substr(1) == wholeDigits(std::fabs(x)), "a whole double is not written as its digits");
}

void checkFloatText(float f)
{
    if (!std::isfinite(f)) return;
    const double x = f;
    const std::string t = NumberText(Variant(f));
    checkSignAndForm(t, x);
    const double back = TextValue(t);
    require(std::fabs(back - x) <= 1e-6 * std::fabs(x), "number text of a float does not read back to 7 digits");
    if (std::floor(x) == x && std::fabs(x) < 1e7)
        require(t.substr(1) == wholeDigits(std::fabs(x)), "a whole float is not written as its digits");
}

void checkIntegerText(std::int32_t i)
{
    const std::string want = (i < 0 ? "-" : " ") + std::to_string(i < 0 ? -static_cast<std::int64_t>(i) : i);
    const std::string t = NumberText(Variant(static_cast<int>(i)));
    underTest(t, "number text");
    require(t == want, "number text of a whole number is not blank/minus and its digits");
    const std::int16_t h = static_cast<std::int16_t>(i);
    const std::string th = NumberText(Variant(h));
    underTest(th, "number text");
    require(th == (h < 0 ? "-" : " ") + std::to_string(h < 0 ? -h : h),
            "number text of a 16-bit number is not blank/minus and its digits");
}

void checkText(std::string_view text, const char* source)
{
    checkReading(text, source);
    const double v = TextValue(text);
    checkDoubleText(v);
    if (std::fabs(v) <= std::numeric_limits<float>::max()) checkFloatText(static_cast<float>(v));
}

// The bytes as little-endian 16-bit code units (an odd last byte left out),
// in UTF-8; a surrogate that is not half of a pair becomes U+FFFD.
std::string fromUtf16(const std::uint8_t* data, std::size_t size)
{
    std::string out;
    const std::size_t n = size / 2;
    const auto unit = [&](std::size_t k) { return static_cast<char32_t>(data[2 * k] | (data[2 * k + 1] << 8)); };
    for (std::size_t k = 0; k < n; ++k) {
        const char32_t u = unit(k);
        if (u >= 0xD800 && u <= 0xDBFF && k + 1 < n && unit(k + 1) >= 0xDC00 && unit(k + 1) <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (unit(k + 1) - 0xDC00));
            ++k;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            appendUtf8(out, 0xFFFD);
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}

// The bytes as Latin-1 characters, in UTF-8.
std::string fromLatin1(const std::uint8_t* data, std::size_t size)
{
    std::string out;
    out.reserve(2 * size);
    for (std::size_t i = 0; i < size; ++i) appendUtf8(out, data[i]);
    return out;
}

// The third lesson's working from four texts (the input cut at its first
// three line feeds): whatever is typed, it ends with a fault and its message,
// or with a line through both points exactly, whole, with no common factor,
// and every text it writes free of an exponent.
void checkTwoPoints(std::string_view text)
{
    std::array<std::string, 4> boxes;
    std::size_t at = 0;
    for (std::size_t k = 0; k < 4; ++k) {
        const std::size_t end = k < 3 ? std::min(text.find('\n', at), text.size()) : text.size();
        boxes[k] = std::string(text.substr(std::min(at, text.size()), end - std::min(at, end)));
        at = end + 1;
    }
    underTest(text, "four boxes of the third lesson");
    const twopoints::Working w = twopoints::Of(platform::ReadNumber(boxes[0]), platform::ReadNumber(boxes[1]),
                                               platform::ReadNumber(boxes[2]), platform::ReadNumber(boxes[3]));
    if (w.fault != twopoints::Working::Fault::None) {
        require(!twopoints::MessageOf(w).empty() && w.box >= 0 && w.box <= 3, "a fault without its message or box");
        return;
    }
    using Wide = __int128;
    const auto scaled = [](const twopoints::Decimal& d, int places) {
        Wide v = d.digits;
        for (int p = d.places; p < places; ++p) v *= 10;
        return v;
    };
    const int places = std::max({w.x1.places, w.y1.places, w.x2.places, w.y2.places});
    Wide ten = 1;
    for (int p = 0; p < places; ++p) ten *= 10;
    for (const auto& [x, y] : {std::pair{w.x1, w.y1}, std::pair{w.x2, w.y2}})
        require(Wide(w.a) * scaled(x, places) + Wide(w.b) * scaled(y, places) == Wide(w.c) * ten,
                "a point off the line a·x + b·y = c");
    Wide g = 0;
    for (Wide v : {Wide(w.a), Wide(w.b), Wide(w.c)}) {
        Wide a = g, b = v < 0 ? -v : v;
        while (b) a %= b, std::swap(a, b);
        g = a;
    }
    require(g == 1 && (w.a > 0 || (w.a == 0 && w.b > 0)), "a·x + b·y = c not in its lowest, signed form");
    for (const std::string& t : {twopoints::WholeForm(w), twopoints::Subtraction(w.y2, w.y1),
                                 twopoints::Subtraction(w.x2, w.x1), twopoints::FormSaid(w), twopoints::RateSaid(w)})
        require(t.find('e') == std::string::npos && t.find('E') == std::string::npos, "a text with an exponent");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    checkText(std::string_view(reinterpret_cast<const char*>(data), size), "the bytes as UTF-8");

    const std::string utf16 = fromUtf16(data, size);
    checkText(utf16, "the bytes as 16-bit units");

    const std::string latin1 = fromLatin1(data, size);
    checkText(latin1, "the bytes as Latin-1");

    checkTwoPoints(std::string_view(reinterpret_cast<const char*>(data), size));

    // The same bytes as raw numbers, for the number text of any double,
    // float and whole number.
    if (size >= 8) {
        double d;
        std::memcpy(&d, data, sizeof d);
        checkDoubleText(d);
        float f;
        std::memcpy(&f, data + 4, sizeof f);
        checkFloatText(f);
    }
    if (size >= 4) {
        std::int32_t i;
        std::memcpy(&i, data, sizeof i);
        checkIntegerText(i);
    }
    currentSource = nullptr;
    return 0;
}
