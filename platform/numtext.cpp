#include "platform/numtext.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <string>

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

double readDecimal(const std::u16string& s)
{
    std::string piece;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) piece += static_cast<char>(s[i++]);
    bool digits = false, point = false;
    for (; i < s.size(); ++i) {
        if (isDigit(s[i])) {
            digits = true;
            piece += static_cast<char>(s[i]);
        } else if (s[i] == u'.' && !point) {
            point = true;
            piece += '.';
        } else {
            break;
        }
    }
    if (!digits) return 0.0;
    // An exponent counts only with at least one digit.
    if (i < s.size() && (s[i] == u'E' || s[i] == u'e' || s[i] == u'D' || s[i] == u'd')) {
        std::size_t j = i + 1;
        std::string exp = "e";
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-')) exp += static_cast<char>(s[j++]);
        bool expDigits = false;
        for (; j < s.size() && isDigit(s[j]); ++j) {
            expDigits = true;
            exp += static_cast<char>(s[j]);
        }
        if (expDigits) piece += exp;
    }
    return strtod_l(piece.c_str(), nullptr, cLocale());
}

// A hexadecimal or octal whole number, exactly rounded: octal digits become
// bits, bits become hexadecimal digits, and the C library rounds those.
double readRadix(const std::u16string& s, std::size_t from, int radix)
{
    std::string bits;
    for (std::size_t i = from; i < s.size(); ++i) {
        const int d = hexDigit(s[i]);
        if (d < 0 || d >= radix) break;
        for (int b = (radix == 16 ? 3 : 2); b >= 0; --b) bits += ((d >> b) & 1) ? '1' : '0';
    }
    if (bits.empty()) return 0.0;
    while (bits.size() % 4) bits.insert(bits.begin(), '0');
    std::string hex = "0x";
    for (std::size_t i = 0; i < bits.size(); i += 4) {
        int d = 0;
        for (int k = 0; k < 4; ++k) d = d * 2 + (bits[i + k] - '0');
        hex += "0123456789abcdef"[d];
    }
    return strtod_l(hex.c_str(), nullptr, cLocale());
}

}  // namespace

QString NumberText(const Variant& v)
{
    const double x = v.value();
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

double TextValue(const QString& text)
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

}  // namespace platform
