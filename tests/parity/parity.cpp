// The answers of the parts that need no window system, over a large table of
// inputs, one line of answers for each line of the table: the same program
// built for the desktop and for the browser must write the same bytes.
//
//   parity table <corpus-folder> <table>    writes the table: every file of the
//                                           folder as one typed text, then the
//                                           seeded tables (the same on every machine)
//   parity answer [<table> [<answers>]]     answers the table (or standard input)
//                                           into <answers> (or standard output)
//   parity compare <table> <answers> <answers>
//                                           the first line where two answer files
//                                           differ, with its input; exit status 1
//   parity hexcheck                         the numbers' texts here against the C library's
//
// The lines of the table, texts in hexadecimal UTF-8 bytes, numbers by their bits:
//   read <text>                      ReadNumber
//   op <+|-|*|/> <operand> <operand> the number model's arithmetic
//   fn <Int|Abs|CInt|CSng|Neg> <operand>
//   text <operand>                   NumberText
//   line <text a> <text b> <text c>  a·x + b·y = c as the lesson takes it: the
//                                    points of both plotting runs, the exact
//                                    fractions, the whole line's fractions,
//                                    reduced as the equation shows them, their
//                                    number texts and the equation read aloud
//   say <double> ×4                  speech::OfLine
//   meet <text a1> <text b1> <text c1> <text a2> <text b2> <text c2>
//                                    where a1·x + b1·y = c1 and a2·x + b2·y = c2
//                                    meet, and the point said aloud
// An operand is E (empty), i:<16-bit>, l:<32-bit>, s:<8 hex digits of a
// float's bits> or d:<16 hex digits of a double's bits>.
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/graph_state.h"
#include "core/speech.h"
#include "platform/numtext.h"
#include "platform/variant.h"
#include "core/exact_line.h"
#include "system/intersection.h"

using platform::Reading;
using platform::RuntimeError;
using platform::Variant;

namespace {

// --- Bits and their texts ---------------------------------------------------

std::uint64_t bitsOf(double v)
{
    std::uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

std::uint32_t bitsOf(float v)
{
    std::uint32_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

double doubleOf(std::uint64_t b)
{
    double v;
    std::memcpy(&v, &b, sizeof v);
    return v;
}

float floatOf(std::uint32_t b)
{
    float v;
    std::memcpy(&v, &b, sizeof v);
    return v;
}

std::string hexOf(std::uint64_t v, int digits)
{
    std::string s(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i, v >>= 4) s[static_cast<std::size_t>(i)] = "0123456789abcdef"[v & 15];
    return s;
}

// The exact value of a binary floating-point number as a hexadecimal float, in
// the form of printf's %a for normal numbers ("0x1.8p+1", "-0x0p+0", "inf").
// Written here from the bits rather than by printf: the C libraries of the
// two builds write subnormal numbers differently ("0x0.0000000000001p-1022"
// against "0x1p-1074"), which says nothing about the numbers. A NaN is
// written with its bits, so that a difference of sign or payload shows.
std::string hexFloat(std::uint64_t bits, int mantissaBits, int exponentBits)
{
    const std::uint64_t mantissaMask = (std::uint64_t(1) << mantissaBits) - 1;
    const int exponentMax = (1 << exponentBits) - 1;
    const int bias = exponentMax / 2;
    const bool negative = (bits >> (mantissaBits + exponentBits)) & 1;
    const int biased = static_cast<int>((bits >> mantissaBits) & static_cast<std::uint64_t>(exponentMax));
    std::uint64_t mantissa = bits & mantissaMask;
    const std::string sign = negative ? "-" : "";
    if (biased == exponentMax) {
        if (mantissa == 0) return sign + "inf";
        return "nan:" + hexOf(bits, (mantissaBits + exponentBits + 1) / 4);
    }
    if (biased == 0 && mantissa == 0) return sign + "0x0p+0";
    int exponent = biased - bias;
    if (biased == 0) {
        // Subnormal: shift the leading one into the place of the hidden bit.
        exponent = 1 - bias;
        while (!(mantissa >> mantissaBits)) {
            mantissa <<= 1;
            --exponent;
        }
        mantissa &= mantissaMask;
    }
    // The fraction in whole hexadecimal digits, trailing zeros dropped.
    const int pad = (4 - mantissaBits % 4) % 4;
    std::string digits = hexOf(mantissa << pad, (mantissaBits + pad) / 4);
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    return sign + "0x1" + (digits.empty() ? "" : "." + digits) + "p" + (exponent < 0 ? "-" : "+") +
           std::to_string(std::abs(exponent));
}

std::string hexFloat(double v) { return hexFloat(bitsOf(v), 52, 11); }
std::string hexFloat(float v) { return hexFloat(bitsOf(v), 23, 8); }

std::string hexText(std::string_view text)
{
    std::string s;
    for (unsigned char c : text) s += hexOf(c, 2);
    return s.empty() ? "-" : s;  // "-": the empty text
}

bool fromHexText(std::string_view hex, std::string& text)
{
    text.clear();
    if (hex == "-") return true;
    if (hex.size() % 2) return false;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        unsigned v = 0;
        for (std::size_t k = i; k < i + 2; ++k) {
            const char c = hex[k];
            const int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
            if (d < 0) return false;
            v = v * 16 + static_cast<unsigned>(d);
        }
        text += static_cast<char>(v);
    }
    return true;
}

bool fromHex(std::string_view hex, std::uint64_t& v)
{
    if (hex.empty() || hex.size() > 16) return false;
    v = 0;
    for (char c : hex) {
        const int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (d < 0) return false;
        v = v * 16 + static_cast<unsigned>(d);
    }
    return true;
}

// A typed text as it is read in a report: printable ASCII as it is, the rest escaped.
std::string readable(std::string_view text)
{
    std::string s = "\"";
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') s += static_cast<char>(c);
        else s += "\\x" + hexOf(c, 2);
    }
    return s + "\"";
}

// --- Operands ---------------------------------------------------------------

std::string operandText(const Variant& v)
{
    switch (v.kind()) {
    case Variant::Kind::Empty: return "E";
    case Variant::Kind::Int16: return "i:" + std::to_string(static_cast<int>(v.value()));
    case Variant::Kind::Int32: return "l:" + std::to_string(static_cast<long>(v.value()));
    case Variant::Kind::Single: return "s:" + hexOf(bitsOf(static_cast<float>(v.value())), 8);
    case Variant::Kind::Double: return "d:" + hexOf(bitsOf(v.value()), 16);
    }
    return "?";
}

// An operand from its text; a float is made from its own bits, not through a
// double (which need not keep a NaN's bits).
bool parseOperand(std::string_view t, Variant& v)
{
    if (t == "E") {
        v = Variant();
        return true;
    }
    if (t.size() < 3 || t[1] != ':') return false;
    const std::string body(t.substr(2));
    std::uint64_t bits = 0;
    switch (t[0]) {
    case 'i': {
        const long n = std::stol(body);
        if (n < -32768 || n > 32767) return false;
        v = Variant(static_cast<std::int16_t>(n));
        return true;
    }
    case 'l': {
        const long long n = std::stoll(body);
        if (n < std::numeric_limits<std::int32_t>::min() || n > std::numeric_limits<std::int32_t>::max()) return false;
        v = Variant::Long(static_cast<std::int32_t>(n));
        return true;
    }
    case 's':
        if (!fromHex(body, bits) || body.size() != 8) return false;
        v = Variant(floatOf(static_cast<std::uint32_t>(bits)));
        return true;
    case 'd':
        if (!fromHex(body, bits) || body.size() != 16) return false;
        v = Variant(doubleOf(bits));
        return true;
    }
    return false;
}

// A result of the number model: its kind and exact value.
std::string resultText(const Variant& v)
{
    switch (v.kind()) {
    case Variant::Kind::Empty: return "E";
    case Variant::Kind::Int16: return "i:" + std::to_string(static_cast<int>(v.value()));
    case Variant::Kind::Int32: return "l:" + std::to_string(static_cast<long>(v.value()));
    case Variant::Kind::Single: return "s:" + hexFloat(static_cast<float>(v.value()));
    case Variant::Kind::Double: return "d:" + hexFloat(v.value());
    }
    return "?";
}

std::string errorText(const RuntimeError& e) { return "err:" + std::to_string(static_cast<int>(e.code())); }

// --- The answers ------------------------------------------------------------

std::string readingText(const Reading& r)
{
    return hexFloat(r.value) + " " + (r.exact ? "1" : "0") + " " + std::to_string(r.mantissa) + " " +
           std::to_string(r.exponent);
}

std::string fractionText(const exact_line::Fraction& f)
{
    if (!f.fits) return "-";
    return std::to_string(f.num) + "/" + std::to_string(f.den);
}

char onLineChar(exact_line::OnLine o)
{
    switch (o) {
    case exact_line::OnLine::Yes: return 'Y';
    case exact_line::OnLine::No: return 'N';
    case exact_line::OnLine::Unknown: return 'U';
    }
    return '?';
}

// What a plotting run finds (button 0: x = −38 … 38 by ones; button 1: by
// halves): the number model's y of every x, whether each whole-number point
// lies exactly on the line, and the first two that do; the run's arithmetic
// is the plotting handler's.
struct Run {
    bool failed = false;
    int found = 0;  // 0, 1 or 2
    Variant x1, x2;
    float y1 = 0, y2 = 0;
};

Run plotRun(int index, const Reading& ra, const Reading& rb, const Reading& rc, std::string& out)
{
    Run run;
    const Variant a = ra.value, b = rb.value, c = rc.value;
    const Variant step = index == 0 ? Variant(1) : Variant(0.5);
    const int count = index == 0 ? 77 : 153;
    std::uint64_t hash = 1469598103934665603u;  // FNV-1a of the bits of every y
    std::string marks;
    int n = 0;
    try {
        const Variant s = (a * -1) / b;
        const Variant t = c / b;
        out += " " + resultText(s) + " " + resultText(t);
        Variant x = -38;
        for (; n < count; ++n, x = x + step) {
            const float y = platform::CSng(s * x + t);
            for (int k = 0; k < 4; ++k) hash = (hash ^ ((bitsOf(y) >> (8 * k)) & 0xFF)) * 1099511628211u;
            const bool whole = std::floor(y) == y;
            if (whole && platform::Int(x) == x) {
                const exact_line::OnLine o = exact_line::PointOnLine(ra, rb, rc, x.value(), y);
                marks += onLineChar(o);
                if (o == exact_line::OnLine::Yes && run.found < 2) {
                    (run.found == 0 ? run.x1 : run.x2) = x;
                    (run.found == 0 ? run.y1 : run.y2) = y;
                    ++run.found;
                }
            }
        }
    } catch (const RuntimeError& e) {
        run.failed = true;
        out += " " + errorText(e) + "@" + std::to_string(n);
        return run;
    }
    out += " " + hexOf(hash, 16) + " " + (marks.empty() ? "-" : marks) + " " + std::to_string(run.found);
    if (run.found >= 1) out += " (" + resultText(run.x1) + "," + hexFloat(run.y1) + ")";
    if (run.found >= 2) out += " (" + resultText(run.x2) + "," + hexFloat(run.y2) + ")";
    return run;
}

std::string stateText(const GraphState& g)
{
    return resultText(g.slopeNum) + " " + resultText(g.slopeDen) + " " + resultText(g.interceptNum) + " " +
           std::to_string(g.interceptDen);
}

std::string answerLine(const Reading& ra, const Reading& rb, const Reading& rc)
{
    std::string out = readingText(ra) + " | " + readingText(rb) + " | " + readingText(rc) + " |";
    const Run run0 = plotRun(0, ra, rb, rc, out);
    out += " |";
    plotRun(1, ra, rb, rc, out);

    const exact_line::Fraction slope = exact_line::NegatedQuotient(ra, rb);
    const exact_line::Fraction intercept = exact_line::Quotient(rc, rb);
    out += " | " + fractionText(slope) + " " + fractionText(intercept) + " |";
    // Points far out, where the exact check gives up.
    for (const double x : {1.0e15, -1.0e17, 1.0e18, 2.0e18})
        for (const double y : {0.0, 1.0, -x})
            out += onLineChar(exact_line::PointOnLine(ra, rb, rc, x, y));
    out += " |";
    if (run0.failed) return out;

    // The whole line after button 0, as its handler keeps the fractions.
    GraphState g;
    auto keepExact = [&] {
        g.slopeNum = static_cast<double>(slope.num);
        g.slopeDen = static_cast<int>(slope.den);
        g.interceptNum = static_cast<double>(intercept.num);
        g.interceptDen = static_cast<std::int16_t>(intercept.den);
    };
    bool tooLarge = false;
    try {
        if (run0.found < 2) {
            tooLarge = !(slope.fits && intercept.fits);
            if (!tooLarge) keepExact();
        } else {
            const Variant firstX = platform::CInt(run0.x1), secondX = platform::CInt(run0.x2);
            const Variant firstY = run0.y1;
            const float secondY = run0.y2;
            g.slopeNum = Variant(secondY) - firstY;
            g.slopeDen = secondX - firstX;
            const float m = platform::CSng(g.slopeNum / g.slopeDen);
            g.interceptNum = ((firstY * secondX - firstY * firstX) - Variant(secondY) * firstX) + firstY * firstX;
            g.interceptDen = platform::CInt(secondX - firstX);
            const float k = platform::CSng(g.interceptNum / Variant(g.interceptDen));
            out += " " + hexFloat(m) + " " + hexFloat(k) + " " + stateText(g);
            out += exact_line::Equals(g.slopeNum, g.slopeDen, slope) ? " =" : " !";
            out += exact_line::Equals(g.interceptNum, Variant(g.interceptDen), intercept) ? "=" : "!";
            out += exact_line::Small(g.slopeNum) && exact_line::Small(g.interceptNum) ? "s" : "L";
            if (!slope.fits || !intercept.fits)
                tooLarge = true;
            else if (!exact_line::Equals(g.slopeNum, g.slopeDen, slope) ||
                     !exact_line::Equals(g.interceptNum, Variant(g.interceptDen), intercept) ||
                     !exact_line::Small(g.slopeNum) || !exact_line::Small(g.interceptNum))
                keepExact();
        }
    } catch (const RuntimeError& e) {
        return out + " line " + errorText(e);
    }
    if (tooLarge) return out + " too-large";

    // The equation as it is shown: signs on the numerators, lowest terms.
    out += " | " + stateText(g) + " ->";
    try {
        const Variant den(g.interceptDen);
        using platform::Abs;
        g.slopeNum = g.slopeNum / g.slopeDen < 0 ? Variant(-1) * Abs(g.slopeNum) : Abs(g.slopeNum);
        g.slopeDen = Abs(g.slopeDen);
        g.interceptNum = g.interceptNum / den < 0 ? Variant(-1) * Abs(g.interceptNum) : Abs(g.interceptNum);
        g.interceptDen = platform::CInt(Abs(den));
        g.ReduceFractions();
        out += " " + stateText(g);
        out += " [" + platform::NumberText(Abs(g.slopeNum)) + "][" + platform::NumberText(g.slopeDen) + "][" +
               platform::NumberText(Abs(g.interceptNum)) + "][" + platform::NumberText(Variant(g.interceptDen)) + "]";
    } catch (const RuntimeError& e) {
        return out + " " + errorText(e);
    }
    out += " " + speech::OfLine(g.slopeNum.value(), g.slopeDen.value(), g.interceptNum.value(),
                                static_cast<double>(g.interceptDen));
    return out;
}

std::string answerMeet(const Reading (&r)[6])
{
    using Kind = intersection::Result::Kind;
    const intersection::Result m = intersection::Of(r[0], r[1], r[2], r[3], r[4], r[5]);
    const auto text = [](const intersection::Coordinate& c) {
        return std::to_string(c.num) + (c.den == 1 ? "" : "/" + std::to_string(c.den));
    };
    switch (m.kind) {
    case Kind::Point: return "point " + text(m.x) + " " + text(m.y) + " [" + intersection::Said(m) + "]";
    case Kind::Parallel: return "parallel";
    case Kind::SameLine: return "same-line";
    case Kind::TooLarge: return "too-large";
    }
    return "unknown kind";
}

std::vector<std::string_view> fields(std::string_view line)
{
    std::vector<std::string_view> f;
    std::size_t i = 0;
    while (i < line.size()) {
        const std::size_t j = std::min(line.find(' ', i), line.size());
        if (j > i) f.push_back(line.substr(i, j - i));
        i = j + 1;
    }
    return f;
}

std::string answer(std::string_view line)
{
    const std::vector<std::string_view> f = fields(line);
    if (f.empty()) return "bad line";
    const std::string_view what = f[0];
    std::string text;
    Variant a, b;
    try {
        if (what == "read" && f.size() == 2 && fromHexText(f[1], text)) return readingText(platform::ReadNumber(text));
        if (what == "op" && f.size() == 4 && parseOperand(f[2], a) && parseOperand(f[3], b)) {
            try {
                if (f[1] == "+") return resultText(a + b);
                if (f[1] == "-") return resultText(a - b);
                if (f[1] == "*") return resultText(a * b);
                if (f[1] == "/") return resultText(a / b);
            } catch (const RuntimeError& e) {
                return errorText(e);
            }
        }
        if (what == "fn" && f.size() == 3 && parseOperand(f[2], a)) {
            try {
                if (f[1] == "Int") return resultText(platform::Int(a));
                if (f[1] == "Abs") return resultText(platform::Abs(a));
                if (f[1] == "Neg") return resultText(-a);
                if (f[1] == "CInt") return "i:" + std::to_string(platform::CInt(a));
                if (f[1] == "CSng") return "s:" + hexFloat(platform::CSng(a));
            } catch (const RuntimeError& e) {
                return errorText(e);
            }
        }
        if (what == "text" && f.size() == 2 && parseOperand(f[1], a)) return "[" + platform::NumberText(a) + "]";
        if (what == "line" && f.size() == 4) {
            std::string tb, tc;
            if (fromHexText(f[1], text) && fromHexText(f[2], tb) && fromHexText(f[3], tc))
                return answerLine(platform::ReadNumber(text), platform::ReadNumber(tb), platform::ReadNumber(tc));
        }
        if (what == "meet" && f.size() == 7) {
            Reading r[6];
            bool ok = true;
            for (std::size_t k = 0; k < 6 && ok; ++k) {
                ok = fromHexText(f[k + 1], text);
                r[k] = platform::ReadNumber(text);
            }
            if (ok) return answerMeet(r);
        }
        if (what == "say" && f.size() == 5) {
            std::uint64_t v[4];
            bool ok = true;
            for (int i = 0; i < 4; ++i) ok = ok && f[static_cast<std::size_t>(i) + 1].size() == 16 &&
                                             fromHex(f[static_cast<std::size_t>(i) + 1], v[i]);
            if (ok) {
                const std::string said = speech::OfLine(doubleOf(v[0]), doubleOf(v[1]), doubleOf(v[2]), doubleOf(v[3]));
                return "[" + said + "]";
            }
        }
    } catch (const RuntimeError& e) {
        return "uncaught " + errorText(e);
    } catch (const std::exception& e) {
        return std::string("bad line: ") + e.what();
    }
    return "bad line";
}

// --- The seeded table -------------------------------------------------------

// splitmix64: the same numbers from the same seed on every machine (the
// standard library's distributions are not). Every use of it below is a
// statement or an operand of its own: the order in which the operands of one
// expression are evaluated differs between compilers.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : s_(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (s_ += 0x9E3779B97F4A7C15u);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }
    unsigned pick(unsigned n) { return static_cast<unsigned>(next() % n); }
    bool chance(unsigned oneIn) { return pick(oneIn) == 0; }
    template <typename T, std::size_t N>
    const T& of(const T (&list)[N])
    {
        return list[pick(static_cast<unsigned>(N))];
    }

private:
    std::uint64_t s_;
};

std::string utf8(char32_t c)
{
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

// Blanks the rule drops: ASCII ones and the Unicode space separators.
const char32_t kBlanks[] = {U' ', U'\t', U'\n', 0x3000, 0x00A0, 0x1680, 0x2000, 0x2005, 0x200A, 0x202F, 0x205F};
// Invisible format characters the rule drops, at the edges of its ranges.
const char32_t kFormats[] = {0x00AD, 0x0600, 0x0605, 0x061C, 0x06DD, 0x070F, 0x0890, 0x0891, 0x08E2, 0x180E,
                             0x200B, 0x200D, 0x200F, 0x202A, 0x202E, 0x2060, 0x2064, 0x2066, 0x206F, 0xFEFF,
                             0xFFF9, 0xFFFB, 0x110BD, 0x110CD, 0x13430, 0x1343F, 0x1BCA0, 0x1BCA3, 0x1D173,
                             0x1D17A, 0xE0001, 0xE0020, 0xE007F};
// Characters just beside those, which the rule keeps (and which end a number).
const char32_t kKept[] = {U'\r', U'\f', U'\v', 0x7F, 0x0085, 0x2028, 0x2029, 0x2065, 0x2010, 0x0606, 0x180F,
                          0x13440, 0x1D17B, 0xE0000, 0xE0080, 0xFFFC, 0x3001, 0x3002, 0x30FB, 0xFF45, 0xFF38,
                          U'x', U'y', U'/', U'?', U'=', U',', U'(', 0xFF58, 0x3042, 0x5186, 0x1F600, U'G', U'&'};
// Bytes that are no part of well-formed UTF-8, alone or as cut-off or
// overlong sequences and surrogates.
const char* const kInvalid[] = {"\x80", "\xBF", "\xC0\xAF", "\xC1\xBF", "\xE0\x80\x80", "\xED\xA0\x80",
                                "\xF4\x90\x80\x80", "\xF5", "\xFF", "\xFE", "\xE3\x80", "\xEF\xBC",
                                "\xF0\x9F\x98", "\xC2", "\xE2\x88"};

// A character of a number, often in its full-width form.
std::string numberChar(Rng& r, char c)
{
    if (!r.chance(4)) return std::string(1, c);
    if (c >= '0' && c <= '9') return utf8(0xFF10 + static_cast<char32_t>(c - '0'));
    if (c == '+') return utf8(0xFF0B);
    if (c == '-') return utf8(r.chance(2) ? 0xFF0D : 0x2212);
    if (c == '.') return utf8(0xFF0E);
    return std::string(1, c);
}

// Something the rule drops or that breaks the text, to put between characters.
std::string noise(Rng& r)
{
    switch (r.pick(4)) {
    case 0: return utf8(r.of(kBlanks));
    case 1: return utf8(r.of(kFormats));
    case 2: return utf8(r.of(kKept));
    default: return r.of(kInvalid);
    }
}

std::string digits(Rng& r, unsigned n)
{
    std::string s;
    for (unsigned i = 0; i < n; ++i) s += static_cast<char>('0' + r.pick(10));
    return s;
}

// A number as a learner types it: sign, digits, point, exponent, then dressed
// with full-width forms and the characters the rule drops or stops at.
std::string typedNumber(Rng& r)
{
    std::string plain;
    if (r.chance(3)) plain += r.chance(3) ? '+' : '-';
    const unsigned lengths[] = {0, 1, 1, 1, 2, 2, 3, 4, 6, 9, 15, 17, 18, 19, 20, 25, 40};
    std::string whole = digits(r, r.of(lengths));
    if (r.chance(5)) whole = std::string(r.pick(5), '0') + whole;  // leading zeros
    plain += whole;
    if (r.chance(2)) {
        plain += '.';
        std::string frac = digits(r, r.of(lengths));
        if (r.chance(4)) frac += std::string(1 + r.pick(6), '0');  // trailing zeros
        plain += frac;
    }
    if (r.chance(3)) {
        const char marks[] = {'e', 'E', 'd', 'D'};
        plain += r.of(marks);
        if (r.chance(2)) plain += r.chance(2) ? '-' : '+';
        const unsigned expLengths[] = {0, 1, 1, 2, 2, 3, 3, 4, 6, 9};
        plain += digits(r, r.of(expLengths));
    }
    if (r.chance(12)) plain += r.chance(2) ? ".5" : "1.2";  // a second point, a second number
    std::string text;
    if (r.chance(6)) text += noise(r);
    for (char c : plain) {
        text += numberChar(r, c);
        if (r.chance(14)) text += noise(r);
    }
    if (r.chance(5)) {
        text += noise(r);
        if (r.chance(2)) text += digits(r, 2);
    }
    return text;
}

// A hexadecimal or octal whole number, up to and beyond 53 bits.
std::string radixNumber(Rng& r)
{
    std::string text = "&";
    const char* const marks[] = {"H", "h", "O", "o", "Ｈ", "X"};
    text += r.of(marks);
    const char hex[] = "0123456789abcdefABCDEFgG89";
    const unsigned lengths[] = {0, 1, 2, 4, 8, 13, 14, 15, 16, 17, 20, 30};
    const unsigned n = r.of(lengths);
    for (unsigned i = 0; i < n; ++i) {
        text += hex[r.pick(sizeof hex - 1)];
        if (r.chance(16)) text += noise(r);
    }
    if (r.chance(4)) {
        const std::size_t at = 1 + r.pick(static_cast<unsigned>(text.size()));
        text.insert(at, noise(r));
    }
    return text;
}

// Decimal texts at the rounding edges of the C library's reading: the exact
// midpoints between neighbouring doubles (ties to even), a digit either side
// of them, subnormals, and the ends of the range.
std::string edgeNumber(Rng& r)
{
    static const char* const fixed[] = {
        "4.9406564584124654e-324", "2.4703282292062327e-324", "2.4703282292062328e-324", "1e-320",
        "2.2250738585072011e-308", "2.2250738585072014e-308", "1.7976931348623157e308",
        "1.7976931348623158e308", "1.797693134862315807e308", "1.7976931348623159e308", "9007199254740993",
        "9007199254740993.0000000000000000001", "0.1000000000000000055511151231257827", "1e23", "8.5e-324",
        "123456789012345678901234567890", "0.000000000000000000000000000000000000001", "1e-400", "1e400",
        "3.4028235677973366e38", "3.4028234663852886e38"};
    if (r.chance(8)) return r.of(fixed);
    // Midpoint of two neighbouring doubles, written with all its digits: the
    // significand times a power of two, the power taken in decimal by hand.
    // Mostly moderate powers; the whole range (subnormals, overflow) now and then.
    const int e2 = r.chance(4) ? static_cast<int>(r.pick(2100)) - 1075 : static_cast<int>(r.pick(300)) - 150;
    const std::uint64_t odd = ((std::uint64_t(1) << 52) | (r.next() & ((std::uint64_t(1) << 52) - 1))) * 2 + 1;
    // odd × 2^(e2 − 1), as a decimal: multiply or divide a digit string.
    std::vector<int> num;  // little-endian decimal digits of odd
    for (std::uint64_t v = odd; v; v /= 10) num.push_back(static_cast<int>(v % 10));
    int scale = 0;  // value = num × 10^(−scale)
    int p = e2 - 1;
    for (; p > 0; --p) {
        int carry = 0;
        for (int& d : num) {
            const int v = d * 2 + carry;
            d = v % 10;
            carry = v / 10;
        }
        if (carry) num.push_back(carry);
    }
    for (; p < 0; ++p) {  // × 5 / 10
        int carry = 0;
        for (int& d : num) {
            const int v = d * 5 + carry;
            d = v % 10;
            carry = v / 10;
        }
        while (carry) {
            num.push_back(carry % 10);
            carry /= 10;
        }
        ++scale;
    }
    std::string s;
    for (auto it = num.rbegin(); it != num.rend(); ++it) s += static_cast<char>('0' + *it);
    // Nudge the last digit now and then: just below or above the midpoint.
    if (r.chance(3)) {
        char& last = s.back();
        last = static_cast<char>(last == '9' ? '8' : last + 1);
    }
    std::string text = s;
    if (scale > 0) {
        if (static_cast<int>(s.size()) <= scale) text = "0." + std::string(static_cast<std::size_t>(scale) - s.size(), '0') + s;
        else text = s.substr(0, s.size() - static_cast<std::size_t>(scale)) + "." + s.substr(s.size() - static_cast<std::size_t>(scale));
    }
    // Long ones shortened to a mantissa and exponent now and then.
    if (text.size() > 40 && r.chance(2)) {
        const std::size_t keep = 17 + r.pick(24);
        const std::size_t point = text.find('.');
        const std::size_t first = text.find_first_not_of("0.");
        std::string mant;
        for (std::size_t i = first; i < text.size() && mant.size() < keep; ++i)
            if (text[i] != '.') mant += text[i];
        const long intDigits = point == std::string::npos ? static_cast<long>(text.size()) : static_cast<long>(point);
        const long exp10 = static_cast<long>(first) < intDigits ? intDigits - static_cast<long>(first) - 1
                                              : -(static_cast<long>(first) - intDigits);
        text = mant.substr(0, 1) + "." + mant.substr(1) + "e" + std::to_string(exp10);
    }
    if (r.chance(3)) text = "-" + text;
    return text;
}

// Random characters of every sort, a few at a time.
std::string soup(Rng& r)
{
    std::string text;
    const unsigned n = 1 + r.pick(10);
    for (unsigned i = 0; i < n; ++i) {
        switch (r.pick(6)) {
        case 0:
        case 1: text += numberChar(r, "0123456789+-.eEdD"[r.pick(17)]); break;
        default: text += noise(r); break;
        }
    }
    return text;
}

// A corpus text changed a little: a byte put in, taken out or replaced.
std::string mutated(Rng& r, std::string text)
{
    const unsigned changes = 1 + r.pick(3);
    for (unsigned i = 0; i < changes; ++i) {
        const std::size_t at = text.empty() ? 0 : r.pick(static_cast<unsigned>(text.size()));
        switch (r.pick(3)) {
        case 0: text.insert(at, r.chance(2) ? noise(r) : std::string(1, static_cast<char>(r.pick(256)))); break;
        case 1:
            if (!text.empty()) text.erase(at, 1);
            break;
        default:
            if (!text.empty()) text[at] = static_cast<char>(r.pick(256));
            break;
        }
    }
    return text;
}

// --- Operands of every kind ---------------------------------------------------

Variant int16(std::int16_t v) { return Variant(v); }

// Random bits with a signalling NaN made quiet. The number model never holds
// a signalling NaN (its values are read from typed text or computed), and
// the two machines quiet one differently: x86-64 code may pass a float's
// signalling NaN through Int unchanged where WebAssembly's conversion to
// double sets its quiet bit.
std::uint32_t quiet(std::uint32_t bits)
{
    const bool nan = (bits & 0x7F800000u) == 0x7F800000u && (bits & 0x007FFFFFu);
    return nan ? bits | 0x00400000u : bits;
}

std::uint64_t quiet(std::uint64_t bits)
{
    const std::uint64_t exponent = 0x7FF0000000000000u, mantissa = 0x000FFFFFFFFFFFFFu;
    const bool nan = (bits & exponent) == exponent && (bits & mantissa);
    return nan ? bits | 0x0008000000000000u : bits;
}

Variant operandOf(Rng& r, int kind)
{
    switch (kind) {
    case 0: return Variant();
    case 1: {
        static const std::int16_t special[] = {0, 1, -1, 2, -2, 3, 7, -10, 12, 100, 181, 182, -182, 255, 256,
                                               999, 1000, -1000, 16384, 32767, -32767, -32768};
        if (r.chance(2)) return int16(r.of(special));
        if (r.chance(2)) return int16(static_cast<std::int16_t>(static_cast<int>(r.pick(201)) - 100));
        return int16(static_cast<std::int16_t>(r.next() & 0xFFFF));
    }
    case 2: {
        static const std::int32_t special[] = {0, 1, -1, 32767, 32768, -32768, -32769, 46340, 46341, 65536, -65536,
                                               99999, 1000000, 9999999, 10000000, 1073741824, 2147483647,
                                               -2147483647, std::numeric_limits<std::int32_t>::min()};
        if (r.chance(2)) return Variant::Long(r.of(special));
        if (r.chance(2)) return Variant::Long(static_cast<std::int32_t>(r.pick(200001)) - 100000);
        return Variant::Long(static_cast<std::int32_t>(static_cast<std::uint32_t>(r.next())));
    }
    case 3: {
        const float inf = std::numeric_limits<float>::infinity();
        static const float special[] = {0.0f, -0.0f, 0.5f, -0.5f, 1.5f, 2.5f, -2.5f, 0.1f, 1.0f / 3, 32767.5f,
                                        32766.5f, -32768.5f, -32767.5f, 32768.0f, 16777216.0f, 16777215.0f,
                                        9999999.0f, 9999999.5f, 1.0e7f, 1.0e10f, 1.0e-5f, 0.0001f,
                                        std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
                                        std::numeric_limits<float>::min(), std::numeric_limits<float>::denorm_min(),
                                        inf, -inf, std::numeric_limits<float>::quiet_NaN()};
        switch (r.pick(5)) {
        case 0: return Variant(r.of(special));
        case 1: return Variant(floatOf(quiet(static_cast<std::uint32_t>(r.next()))));  // any bits, quiet NaNs too
        case 2: return Variant(static_cast<float>(static_cast<int>(r.pick(20001)) - 10000) / 8.0f);
        case 3: return Variant(static_cast<float>(static_cast<int>(r.pick(2000001)) - 1000000) / 1000.0f);
        default: {
            const float m = static_cast<float>(r.pick(1 << 24));
            return Variant(std::ldexp(m, static_cast<int>(r.pick(60)) - 40));
        }
        }
    }
    default: {
        const double inf = std::numeric_limits<double>::infinity();
        static const double special[] = {0.0, -0.0, 0.5, -0.5, 2.5, -2.5, 0.1, 1.0 / 3, 32767.49999999999,
                                         32767.5, -32768.5, -32768.49999999999, 9007199254740992.0,
                                         9007199254740993.0, 999999999999999.0, 999999999999999.5, 1.0e15,
                                         1.0e-5, 0.0001, 1.0e300, -1.0e300, 3.4028234663852886e38,
                                         3.4028235677973366e38, 3.402823567797337e38, 1.0e-46, 7.0e-46,
                                         std::numeric_limits<double>::max(), std::numeric_limits<double>::min(),
                                         std::numeric_limits<double>::denorm_min(), inf, -inf,
                                         std::numeric_limits<double>::quiet_NaN()};
        switch (r.pick(5)) {
        case 0: return Variant(r.of(special));
        case 1: return Variant(doubleOf(quiet(r.next())));
        case 2: return Variant(static_cast<double>(static_cast<int>(r.pick(200001)) - 100000) / 16.0);
        case 3: return Variant(static_cast<double>(static_cast<long long>(r.next() % 2000000001) - 1000000000) / 1000.0);
        default: {
            const double m = static_cast<double>(r.next() >> 11);
            return Variant(std::ldexp(m, static_cast<int>(r.pick(140)) - 100));
        }
        }
    }
    }
}

// v × 10^e by single multiplications and divisions (no library function,
// whose last bit may differ between machines).
template <typename T>
T timesPowerOfTen(T v, int e)
{
    for (; e > 0; --e) v *= 10;
    for (; e < 0; ++e) v /= 10;
    return v;
}

// A value to write as a number text, of the given kind, spread over the
// places where the text changes form.
Variant textOperandOf(Rng& r, int kind)
{
    if (kind == 3 && r.chance(2)) {
        const float digits7 = static_cast<float>(r.pick(10000000));
        const float v = timesPowerOfTen(digits7, static_cast<int>(r.pick(30)) - 15);
        return Variant(r.chance(2) ? v : -v);
    }
    if (kind == 4 && r.chance(2)) {
        const double digits = static_cast<double>(r.next() % 10000000000000000u);
        const double v = timesPowerOfTen(digits, static_cast<int>(r.pick(50)) - 30);
        return Variant(r.chance(2) ? v : -v);
    }
    return operandOf(r, kind);
}

// --- Coefficients as the soak test's typist types them ------------------------

std::string decimalText(Rng& r, long long n, int places)
{
    std::string digitsText = std::to_string(n < 0 ? -n : n);
    while (static_cast<int>(digitsText.size()) <= places) digitsText.insert(digitsText.begin(), '0');
    std::string text = places ? digitsText.substr(0, digitsText.size() - static_cast<std::size_t>(places)) + "." +
                                    digitsText.substr(digitsText.size() - static_cast<std::size_t>(places))
                              : digitsText;
    if (text.rfind("0.", 0) == 0 && r.chance(2)) text.erase(0, 1);  // ".5"
    if (n < 0) text.insert(text.begin(), '-');
    else if (r.chance(5)) text.insert(text.begin(), '+');
    return text;
}

// Full-width forms, blanks inside the number, and a tail that ends it.
std::string dressed(Rng& r, std::string text)
{
    if (r.chance(4)) {
        std::string wide;
        for (char c : text) {
            if (c >= '0' && c <= '9') wide += utf8(0xFF10 + static_cast<char32_t>(c - '0'));
            else if (c == '-') wide += utf8(r.chance(2) ? 0xFF0D : 0x2212);
            else if (c == '+') wide += utf8(0xFF0B);
            else if (c == '.') wide += utf8(0xFF0E);
            else wide += c;
        }
        text = wide;
    }
    // A blank between two characters (the byte position is moved to the
    // start of a character).
    if (r.chance(6) && text.size() > 1) {
        std::size_t at = 1 + r.pick(static_cast<unsigned>(text.size() - 1));
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
        const char32_t blanks[] = {U' ', U' ', 0x3000, 0x00A0, 0x200B};
        text.insert(at, utf8(r.of(blanks)));
    }
    const char* const tails[] = {"x", "/3", ",5", "ｙ", "?"};
    if (r.chance(8)) text += r.of(tails);
    return text;
}

std::string coefficient(Rng& r)
{
    switch (r.pick(14)) {
    case 0: return "";
    case 1: {
        const char* const texts[] = {"-", "+", "x", "ｘ", "."};
        return r.of(texts);
    }
    case 2: return "0";
    case 3: return r.chance(2) ? "&H1F" : "&h10";
    case 4: {
        const char* const texts[] = {"1e300", "-1e300", "1e999", "1e-300", "1e30", "12345678901234567890123"};
        return r.of(texts);
    }
    case 5: return dressed(r, decimalText(r, static_cast<long long>(r.pick(2000)) - 1000, 3));
    case 6: return dressed(r, decimalText(r, static_cast<long long>(r.pick(200)) - 100, 1));
    case 7: {
        std::string text = std::to_string(r.pick(99) + 1);
        text += r.chance(2) ? "e" : "E";
        text += std::to_string(static_cast<int>(r.pick(17)) - 6);
        if (r.chance(3)) std::replace(text.begin(), text.end(), 'e', 'D');
        return text;
    }
    default: return dressed(r, decimalText(r, static_cast<long long>(r.pick(25)) - 12, 0));
    }
}

struct TableSizes {
    std::size_t corpus = 0, read = 0, op = 0, fn = 0, text = 0, line = 0, say = 0, meet = 0;
};

// Two equations on one plane, as the second lesson's six boxes get them:
// small whole numbers, the typist's coefficients, and decimals built to meet
// at a chosen point, to be parallel or to be one line. A seed of its own, so
// that the lines before stay as they were.
void writeSystems(std::ostream& out, TableSizes& n)
{
    Rng r(20270115u);
    const auto row = [&](const std::string (&t)[6]) {
        out << "meet";
        for (const std::string& text : t) out << " " << hexText(text);
        out << "\n";
        ++n.meet;
    };
    for (int i = 0; i < 1000; ++i) {
        std::string t[6];
        for (std::string& text : t) text = std::to_string(static_cast<int>(r.pick(13)) - 6);
        row(t);
    }
    for (int i = 0; i < 2000; ++i) {
        std::string t[6];
        for (std::string& text : t) text = coefficient(r);
        row(t);
    }
    // Decimals in thousandths: (q·u)·x + (q·v)·y = u·X + v·Y goes through
    // (X/q, Y/q); half of them have a second row k times the first, its c
    // kept (one line) or moved (parallel).
    for (int i = 0; i < 2000; ++i) {
        const long long q = 1 + r.pick(12), x = static_cast<long long>(r.pick(121)) - 60;
        const long long y = static_cast<long long>(r.pick(121)) - 60;
        long long n6[6];
        for (int e = 0; e < 2; ++e) {
            const long long u = static_cast<long long>(r.pick(20001)) - 10000;
            const long long v = static_cast<long long>(r.pick(20001)) - 10000;
            n6[3 * e] = q * u;
            n6[3 * e + 1] = q * v;
            n6[3 * e + 2] = u * x + v * y;
        }
        if (i % 4 >= 2) {
            const long long k = static_cast<long long>(r.pick(8)) - 4;
            for (int c = 0; c < 3; ++c) n6[3 + c] = (k == 0 ? 5 : k) * n6[c];
            if (i % 4 == 3) n6[5] += 1 + r.pick(999);
        }
        std::string t[6];
        for (int c = 0; c < 6; ++c) t[c] = dressed(r, decimalText(r, n6[c], 3));
        row(t);
    }
}

bool writeTable(const std::filesystem::path& corpus, std::ostream& out, TableSizes& n)
{
    // The seed corpus of the fuzz target, each file one text, by name.
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(corpus, ec))
        if (entry.is_regular_file()) files.push_back(entry.path());
    if (ec || files.empty()) {
        std::cerr << "parity: no corpus in " << corpus << "\n";
        return false;
    }
    std::sort(files.begin(), files.end());
    std::vector<std::string> corpusTexts;
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        corpusTexts.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        out << "read " << hexText(corpusTexts.back()) << "\n";
        ++n.corpus;
    }

    Rng r(20261208u);
    // Typed texts.
    for (int i = 0; i < 40000; ++i) {
        std::string text;
        switch (i % 10) {
        case 0:
        case 1:
        case 2:
        case 3: text = typedNumber(r); break;
        case 4: text = radixNumber(r); break;
        case 5:
        case 6: text = edgeNumber(r); break;
        case 7: text = soup(r); break;
        default: text = mutated(r, corpusTexts[r.pick(static_cast<unsigned>(corpusTexts.size()))]); break;
        }
        out << "read " << hexText(text) << "\n";
        ++n.read;
    }
    // The arithmetic over every pair of kinds, and the functions of one operand.
    const char* const ops[] = {"+", "-", "*", "/"};
    for (int ka = 0; ka < 5; ++ka)
        for (int kb = 0; kb < 5; ++kb)
            for (int i = 0; i < 1000; ++i) {
                const std::string a = operandText(operandOf(r, ka)), b = operandText(operandOf(r, kb));
                for (const char* op : ops) {
                    out << "op " << op << " " << a << " " << b << "\n";
                    ++n.op;
                }
            }
    const char* const fns[] = {"Int", "Abs", "CInt", "CSng", "Neg"};
    for (int k = 0; k < 5; ++k)
        for (int i = 0; i < 3000; ++i) {
            const std::string a = operandText(operandOf(r, k));
            for (const char* fn : fns) {
                out << "fn " << fn << " " << a << "\n";
                ++n.fn;
            }
        }
    // Number texts: every 16-bit integer around the texts kept ready, and many of each kind.
    for (int v = -1100; v <= 1100; ++v) {
        out << "text " << operandText(int16(static_cast<std::int16_t>(v))) << "\n";
        ++n.text;
    }
    for (int k = 0; k < 5; ++k)
        for (int i = 0; i < (k == 0 ? 1 : 6000); ++i) {
            out << "text " << operandText(textOperandOf(r, k)) << "\n";
            ++n.text;
        }
    // Equations: every small one, then the typist's.
    for (int a = -6; a <= 6; ++a)
        for (int b = -6; b <= 6; ++b)
            for (int c = -6; c <= 6; ++c) {
                out << "line " << hexText(std::to_string(a)) << " " << hexText(std::to_string(b)) << " "
                    << hexText(std::to_string(c)) << "\n";
                ++n.line;
            }
    for (int i = 0; i < 30000; ++i) {
        const std::string a = coefficient(r), b = coefficient(r), c = coefficient(r);
        out << "line " << hexText(a) << " " << hexText(b) << " " << hexText(c) << "\n";
        ++n.line;
    }
    // The equation read aloud from any four numbers.
    for (int i = 0; i < 5000; ++i) {
        out << "say";
        for (int k = 0; k < 4; ++k) {
            double v;
            switch (r.pick(6)) {
            case 0: v = 0; break;
            case 1: v = static_cast<double>(static_cast<int>(r.pick(41)) - 20); break;
            case 2: v = static_cast<double>(static_cast<long long>(r.next() % 2000000001) - 1000000000); break;
            case 3: v = static_cast<double>(static_cast<int>(r.pick(2001)) - 1000) / 4; break;
            case 4: {
                const double big[] = {999999999999999.0, -999999999999999.0, 1.0e15, 1.0e15 + 2, -1.0e15, 1.0e16,
                                      std::numeric_limits<double>::infinity(), 9.2e18, -9.3e18};
                v = r.of(big);
                break;
            }
            default: v = static_cast<double>(static_cast<int>(r.pick(32767)) + 1); break;
            }
            out << " " << hexOf(bitsOf(v), 16);
        }
        out << "\n";
        ++n.say;
    }
    writeSystems(out, n);
    return static_cast<bool>(out);
}

// --- Files --------------------------------------------------------------------

bool readFile(const char* path, std::string& content)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

std::vector<std::string_view> linesOf(std::string_view s)
{
    std::vector<std::string_view> lines;
    std::size_t i = 0;
    while (i < s.size()) {
        const std::size_t j = std::min(s.find('\n', i), s.size());
        lines.push_back(s.substr(i, j - i));
        i = j + 1;
    }
    return lines;
}

int answerAll(const std::string& table, std::ostream& out)
{
    const auto start = std::chrono::steady_clock::now();
    const std::vector<std::string_view> lines = linesOf(table);
    std::string answers;
    answers.reserve(table.size() * 2);
    std::size_t bad = 0;
    for (std::string_view line : lines) {
        const std::string a = answer(line);
        if (a.rfind("bad line", 0) == 0 || a.rfind("uncaught", 0) == 0) ++bad;
        answers += a;
        answers += '\n';
    }
    out.write(answers.data(), static_cast<std::streamsize>(answers.size()));
    out.flush();
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    std::cerr << "parity: answered " << lines.size() << " lines in " << ms << " ms\n";
    if (bad) std::cerr << "parity: " << bad << " lines of the table could not be read or answered\n";
    return out && bad == 0 ? 0 : 1;
}

// The first line where the answers differ, with its input.
int compare(const char* tablePath, const char* firstPath, const char* secondPath)
{
    std::string table, first, second;
    if (!readFile(tablePath, table) || !readFile(firstPath, first) || !readFile(secondPath, second)) {
        std::cerr << "parity: cannot read " << tablePath << ", " << firstPath << " or " << secondPath << "\n";
        return 2;
    }
    const std::vector<std::string_view> in = linesOf(table), a = linesOf(first), b = linesOf(second);
    const std::size_t common = std::min(a.size(), b.size());
    std::size_t differing = 0, firstDifference = common;
    for (std::size_t i = 0; i < common; ++i)
        if (a[i] != b[i]) {
            if (!differing) firstDifference = i;
            ++differing;
        }
    if (!differing && a.size() == b.size() && a.size() == in.size() && first == second) {
        std::cout << "parity: the same " << a.size() << " answers (" << first.size() << " bytes)\n";
        return 0;
    }
    if (a.size() != in.size() || b.size() != in.size())
        std::cout << "parity: " << in.size() << " lines in the table, " << a.size() << " answers in " << firstPath
                  << ", " << b.size() << " in " << secondPath << "\n";
    if (firstDifference < std::max(a.size(), b.size())) {
        const std::size_t i = firstDifference;
        std::cout << "parity: " << differing << " answers differ; the first is line " << i + 1 << "\n";
        if (i < in.size()) {
            std::cout << "  input:  " << in[i] << "\n";
            const std::vector<std::string_view> f = fields(in[i]);
            std::string text;
            for (std::size_t k = 1; k < f.size(); ++k)
                if (f[0] != "op" && f[0] != "fn" && f[0] != "text" && f[0] != "say" && fromHexText(f[k], text))
                    std::cout << "          " << readable(text) << "\n";
        }
        std::cout << "  " << firstPath << ": " << (i < a.size() ? a[i] : "(no line)") << "\n";
        std::cout << "  " << secondPath << ": " << (i < b.size() ? b[i] : "(no line)") << "\n";
    }
    return 1;
}

// The hexadecimal floats written here against the C library's: printf's %a
// for normal numbers (and every float, which is normal as a double), strtod
// reading them back for subnormal doubles. Exit status 1 on a difference.
int checkHexFloats()
{
    Rng r(1);
    int wrong = 0;
    auto check = [&](const std::string& mine, double value, bool viaPrintf) {
        bool same;
        std::string theirs;
        if (viaPrintf) {
            char buf[64];
            std::snprintf(buf, sizeof buf, "%a", value);
            theirs = buf;
            same = theirs == mine;
        } else {
            const double back = std::strtod(mine.c_str(), nullptr);
            theirs = "strtod: " + hexOf(bitsOf(back), 16);
            same = bitsOf(back) == bitsOf(value);
        }
        if (!same && wrong++ < 10) std::cerr << "parity: " << mine << " for " << hexOf(bitsOf(value), 16) << " (" << theirs << ")\n";
    };
    const double specials[] = {0.0, -0.0, 1.0, -2.5, 0.1, std::numeric_limits<double>::max(),
                               std::numeric_limits<double>::min(), std::numeric_limits<double>::denorm_min(),
                               -std::numeric_limits<double>::denorm_min() * 12345,
                               std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
    for (double v : specials) check(hexFloat(v), v, std::fpclassify(v) != FP_SUBNORMAL);
    for (int i = 0; i < 200000; ++i) {
        std::uint64_t bits = r.next();
        if (i % 4 == 0) bits &= 0x800FFFFFFFFFFFFFu;  // subnormal
        const double v = doubleOf(bits);
        if (std::isnan(v)) continue;
        check(hexFloat(v), v, std::fpclassify(v) != FP_SUBNORMAL);
        const float f = floatOf(static_cast<std::uint32_t>(i % 3 == 0 ? bits & 0x807FFFFFu : bits));
        if (!std::isnan(f)) check(hexFloat(f), static_cast<double>(f), true);
    }
    if (hexFloat(doubleOf(0x7FF8000000000001u)) != "nan:7ff8000000000001" || hexFloat(floatOf(0xFFC00000u)) != "nan:ffc00000") {
        std::cerr << "parity: a NaN is not written with its bits\n";
        ++wrong;
    }
    std::cerr << "parity: hexadecimal floats " << (wrong ? "differ from the C library's" : "agree with the C library's")
              << "\n";
    return wrong ? 1 : 0;
}

int usage()
{
    std::cerr << "usage: parity table <corpus-folder> <table>\n"
                 "       parity answer [<table> [<answers>]]\n"
                 "       parity compare <table> <answers> <answers>\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string_view command = argc > 1 ? argv[1] : "";
    if (command == "table" && argc == 4) {
        std::ofstream out(argv[3], std::ios::binary);
        TableSizes n;
        if (!writeTable(argv[2], out, n)) return 1;
        std::cerr << "parity: table of " << n.corpus + n.read + n.op + n.fn + n.text + n.line + n.say + n.meet
                  << " lines: " << n.corpus << " corpus texts, " << n.read << " typed texts, " << n.op
                  << " sums, differences, products and quotients, " << n.fn << " functions of one number, "
                  << n.text << " number texts, " << n.line << " equations, " << n.say << " equations read aloud, " << n.meet
                  << " pairs of equations\n";
        return 0;
    }
    if (command == "answer" && argc <= 4) {
        std::string table;
        if (argc >= 3) {
            if (!readFile(argv[2], table)) {
                std::cerr << "parity: cannot read " << argv[2] << "\n";
                return 2;
            }
        } else {
            table.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        }
        if (argc == 4) {
            std::ofstream out(argv[3], std::ios::binary);
            return answerAll(table, out);
        }
        return answerAll(table, std::cout);
    }
    if (command == "compare" && argc == 5) return compare(argv[2], argv[3], argv[4]);
    if (command == "hexcheck" && argc == 2) return checkHexFloats();
    return usage();
}
