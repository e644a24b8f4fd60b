// The runtime's number text and its reading rule for typed numbers.
// Texts are UTF-8 throughout the program.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/variant.h"

namespace platform {

// The text of a number as the runtime writes it: a blank before a number of
// 0 or more, "-" before a negative one; no decimal point for a whole value; a
// full stop for a fractional one whatever the locale ("  5", "-10", " 0.5").
// A 32-bit float is written with up to 7 significant digits, a 64-bit one
// with up to 15; beyond that the exponent form (" 1E+20").
std::string NumberText(const Variant& v);

// The next character of UTF-8 text at i, moving i past it. A byte that does
// not start a well-formed sequence (a stray continuation, an overlong form, a
// surrogate, a value beyond U+10FFFF, a cut-off sequence) is returned as
// U+FFFD on its own, which no number holds.
char32_t NextCharacter(std::string_view s, std::size_t& i);

// The value of a typed text, as a 64-bit float. Spaces, tabs and line feeds
// are dropped, and so are the other Unicode space separators (the full-width
// space among them) and the invisible format characters (zero-width space,
// direction marks, byte order mark, soft hyphen); other control characters
// are not. Then the longest number at the start is read: optional sign,
// digits with at most one full stop, optional exponent (E or D, optional sign,
// digits). No digit gives 0. "&H" and "&O" start a hexadecimal or octal
// whole number. Full-width digits, signs and full stop count as their ASCII
// forms. An exponent too large gives an infinite value. A byte that is no
// part of well-formed UTF-8 is a character of its own that no number holds.
double TextValue(std::string_view text);

// The same reading, also as an exact decimal where one fits: the value is
// mantissa × 10^exponent exactly (0.1 is one tenth), when exact is true.
struct Reading {
    double value = 0;
    bool exact = true;
    std::int64_t mantissa = 0;
    int exponent = 0;
};
Reading ReadNumber(std::string_view text);

}  // namespace platform
