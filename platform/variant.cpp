#include "platform/variant.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace platform {

namespace {

const char* messageOf(RuntimeError::Code code)
{
    switch (code) {
    case RuntimeError::Overflow: return "Overflow";
    case RuntimeError::DivisionByZero: return "Division by zero";
    case RuntimeError::SubscriptOutOfRange: return "Subscript out of range";
    case RuntimeError::InvalidProcedureCall: return "Invalid procedure call or argument";
    }
    return "Runtime error";
}

using Kind = Variant::Kind;

// The effective kind of an operand: empty counts as a 16-bit 0.
Kind effective(const Variant& v) { return v.isEmpty() ? Kind::Int16 : v.kind(); }

bool isInteger(Kind k) { return k == Kind::Int16 || k == Kind::Int32; }

// The kind of a sum, difference or product of two operands.
Kind widerOf(Kind a, Kind b)
{
    if (a == Kind::Double || b == Kind::Double) return Kind::Double;
    if (a == Kind::Single || b == Kind::Single) {
        // A 32-bit integer does not fit a 32-bit float's mantissa.
        if (a == Kind::Int32 || b == Kind::Int32) return Kind::Double;
        return Kind::Single;
    }
    if (a == Kind::Int32 || b == Kind::Int32) return Kind::Int32;
    return Kind::Int16;
}

Variant floating(Kind kind, double exact)
{
    if (!std::isfinite(exact)) throw RuntimeError(RuntimeError::Overflow);
    if (kind == Kind::Single) {
        const float f = static_cast<float>(exact);
        if (!std::isfinite(f)) throw RuntimeError(RuntimeError::Overflow);
        return Variant(f);
    }
    return Variant(exact);
}

// An integer result: the narrowest integer kind that holds it, else a Double.
Variant integral(Kind kind, double exact)
{
    if (kind == Kind::Int16 && exact >= -32768.0 && exact <= 32767.0)
        return Variant(static_cast<std::int16_t>(exact));
    if (exact >= -2147483648.0 && exact <= 2147483647.0)
        return Variant::Long(static_cast<std::int32_t>(exact));
    return floating(Kind::Double, exact);
}

template <typename Op>
Variant arithmetic(const Variant& a, const Variant& b, Op op)
{
    const Kind kind = widerOf(effective(a), effective(b));
    if (!std::isfinite(a.value()) || !std::isfinite(b.value()))
        throw RuntimeError(RuntimeError::Overflow);
    // Integer operands are exact in a double (their product has at most 62
    // bits, exact as long as it fits 53; beyond that it goes to Double anyway).
    // Two floats' sum, difference and product rounded once to float equal the
    // float operation, since the double result carries enough bits.
    const double exact = op(a.value(), b.value());
    if (isInteger(kind)) return integral(kind, exact);
    return floating(kind, exact);
}

}  // namespace

RuntimeError::RuntimeError(Code code) : std::runtime_error(messageOf(code)), code_(code) {}

Variant::Variant(int v)
{
    if (v >= -32768 && v <= 32767) {
        kind_ = Kind::Int16;
        i_ = v;
    } else {
        kind_ = Kind::Int32;
        i_ = v;
    }
}

Variant Variant::Long(std::int32_t v)
{
    Variant r;
    r.kind_ = Kind::Int32;
    r.i_ = v;
    return r;
}

Variant operator+(const Variant& a, const Variant& b)
{
    return arithmetic(a, b, [](double x, double y) { return x + y; });
}

Variant operator-(const Variant& a, const Variant& b)
{
    return arithmetic(a, b, [](double x, double y) { return x - y; });
}

Variant operator*(const Variant& a, const Variant& b)
{
    return arithmetic(a, b, [](double x, double y) { return x * y; });
}

Variant operator/(const Variant& a, const Variant& b)
{
    const Kind ka = effective(a), kb = effective(b);
    const bool single = (ka == Kind::Int16 || ka == Kind::Single) && (kb == Kind::Int16 || kb == Kind::Single);
    const double x = a.value(), y = b.value();
    if (!std::isfinite(x) || !std::isfinite(y)) throw RuntimeError(RuntimeError::Overflow);
    if (y == 0.0) {
        if (x == 0.0) throw RuntimeError(RuntimeError::Overflow);
        throw RuntimeError(RuntimeError::DivisionByZero);
    }
    return floating(single ? Kind::Single : Kind::Double, x / y);
}

Variant Variant::operator-() const
{
    return Variant(std::int16_t{0}) - *this;
}

std::string Variant::describe() const
{
    switch (kind_) {
    case Kind::Empty: return "Empty";
    case Kind::Int16: return "Int16(" + std::to_string(i_) + ")";
    case Kind::Int32: return "Int32(" + std::to_string(i_) + ")";
    case Kind::Single: return "Single(" + std::to_string(f_) + ")";
    case Kind::Double: return "Double(" + std::to_string(d_) + ")";
    }
    return "?";
}

Variant Int(const Variant& v)
{
    switch (v.kind()) {
    case Kind::Empty: return Variant(std::int16_t{0});
    case Kind::Int16:
    case Kind::Int32: return v;
    case Kind::Single: return Variant(std::floor(static_cast<float>(v.value())));
    case Kind::Double: return Variant(std::floor(v.value()));
    }
    return v;
}

Variant Abs(const Variant& v)
{
    switch (v.kind()) {
    case Kind::Empty: return Variant(std::int16_t{0});
    case Kind::Int16:
        if (v.value() == -32768.0) throw RuntimeError(RuntimeError::Overflow);
        return Variant(static_cast<std::int16_t>(std::fabs(v.value())));
    case Kind::Int32:
        if (v.value() == -2147483648.0) throw RuntimeError(RuntimeError::Overflow);
        return Variant::Long(static_cast<std::int32_t>(std::fabs(v.value())));
    case Kind::Single: return Variant(std::fabs(static_cast<float>(v.value())));
    case Kind::Double: return Variant(std::fabs(v.value()));
    }
    return v;
}

std::int16_t CInt(double v)
{
    if (!std::isfinite(v)) throw RuntimeError(RuntimeError::Overflow);
    // Nearest whole number, ties to even (the default rounding mode).
    const double r = std::nearbyint(v);
    if (r < -32768.0 || r > 32767.0) throw RuntimeError(RuntimeError::Overflow);
    return static_cast<std::int16_t>(r);
}

std::int16_t CInt(const Variant& v) { return CInt(v.value()); }

float CSng(double v)
{
    if (!std::isfinite(v)) throw RuntimeError(RuntimeError::Overflow);
    const float f = static_cast<float>(v);
    if (!std::isfinite(f)) throw RuntimeError(RuntimeError::Overflow);
    return f;
}

float CSng(const Variant& v) { return CSng(v.value()); }

double CDbl(const Variant& v) { return v.value(); }

}  // namespace platform
