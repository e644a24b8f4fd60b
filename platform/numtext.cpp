#include "platform/numtext.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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

QString formatted(double v, int digits)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", digits, v);
    // %G could honour a locale's decimal separator; the runtime never does.
    std::string s(buf);
    for (char& c : s)
        if (c == ',') c = '.';
    return QString::fromLatin1(s.c_str());
}

// The ASCII form of a character of a number: full-width digits, plus, minus
// (and the minus sign U+2212) and full stop, which a Japanese input method types.
char16_t asciiOf(char16_t c)
{
    if (c >= u'\uFF10' && c <= u'\uFF19') return static_cast<char16_t>(u'0' + (c - u'\uFF10'));
    switch (c) {
    case u'\uFF0B': return u'+';
    case u'\uFF0D': return u'-';
    case u'\u2212': return u'-';
    case u'\uFF0E': return u'.';
    default: return c;
    }
}

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

int hexDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// The decimal number at the start of s, read by the rule; its exact form too
// when the significant digits fit 18 decimal places.
Reading readDecimal(const std::u16string& s)
{
    Reading r;
    std::string piece;
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        piece += static_cast<char>(s[i++]);
    }
    bool digits = false, point = false;
    std::string significant;  // the digits, without leading zeros
    long scale = 0;           // digits after the point
    for (; i < s.size(); ++i) {
        if (isDigit(s[i])) {
            digits = true;
            piece += static_cast<char>(s[i]);
            if (!(significant.empty() && s[i] == u'0')) significant += static_cast<char>(s[i]);
            if (point) ++scale;
        } else if (s[i] == u'.' && !point) {
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
    if (i < s.size() && (s[i] == u'E' || s[i] == u'e' || s[i] == u'D' || s[i] == u'd')) {
        std::size_t j = i + 1;
        std::string exp = "e";
        bool expNegative = false;
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-')) {
            expNegative = s[j] == u'-';
            exp += static_cast<char>(s[j++]);
        }
        bool expDigits = false;
        for (; j < s.size() && isDigit(s[j]); ++j) {
            expDigits = true;
            exp += static_cast<char>(s[j]);
            if (exponent < 100000) exponent = exponent * 10 + (s[j] - u'0');
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
Reading readRadix(const std::u16string& s, std::size_t from, int radix)
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

QString NumberText(const Variant& v)
{
    const double x = v.value();
    // Small whole numbers are written once and shared afterwards.
    constexpr int kShared = 1000;
    if ((v.kind() == Variant::Kind::Int16 || v.kind() == Variant::Kind::Empty) && x > -kShared && x < kShared) {
        static const std::vector<QString> texts = [] {
            std::vector<QString> t;
            t.reserve(2 * kShared - 1);
            for (int i = -kShared + 1; i < kShared; ++i)
                t.push_back((i < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + QString::number(std::abs(i)));
            return t;
        }();
        return texts[static_cast<std::size_t>(static_cast<int>(x) + kShared - 1)];
    }
    QString digits;
    switch (v.kind()) {
    case Variant::Kind::Empty: digits = QStringLiteral("0"); break;
    case Variant::Kind::Int16:
    case Variant::Kind::Int32: digits = QString::number(static_cast<qint64>(std::fabs(x))); break;
    case Variant::Kind::Single: digits = formatted(std::fabs(x), 7); break;
    case Variant::Kind::Double: digits = formatted(std::fabs(x), 15); break;
    }
    const bool negative = x < 0 && digits != QStringLiteral("0");
    return (negative ? QStringLiteral("-") : QStringLiteral(" ")) + digits;
}

Reading ReadNumber(const QString& text)
{
    std::u16string s;
    s.reserve(static_cast<std::size_t>(text.size()));
    for (QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == u' ' || c == u'\t' || c == u'\n') continue;
        s += asciiOf(c);
    }
    if (s.size() >= 2 && s[0] == u'&') {
        if (s[1] == u'H' || s[1] == u'h') return readRadix(s, 2, 16);
        if (s[1] == u'O' || s[1] == u'o') return readRadix(s, 2, 8);
    }
    return readDecimal(s);
}

double TextValue(const QString& text) { return ReadNumber(text).value; }

}  // namespace platform
