// The variant number of the runtime, and the runtime errors its arithmetic raises.
//
// A Variant holds nothing (empty), a 16-bit integer, a 32-bit integer (what a
// 16-bit sum or product widens to when it does not fit), a 32-bit float or a
// 64-bit float. Arithmetic follows the runtime's rules:
//   + - *   give the wider kind (Int16 < Int32 < Single < Double; Int32 with a
//           Single gives a Double); integer results that do not fit widen;
//   /       always floating: Single for Int16/Single operands, else Double;
//   floor and absolute value keep the kind;
//   empty counts as 0 everywhere;
//   a floating result that is infinite or not a number raises Overflow,
//   a division of a non-zero value by zero raises DivisionByZero (0 / 0 is Overflow).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace platform {

// A runtime error of the arithmetic or of a control: one exception type for all.
class RuntimeError : public std::runtime_error {
public:
    enum Code : int {
        Overflow = 6,
        DivisionByZero = 11,
        SubscriptOutOfRange = 9,
        InvalidProcedureCall = 5,
    };
    explicit RuntimeError(Code code);
    Code code() const { return code_; }

private:
    Code code_;
};

class Variant {
public:
    enum class Kind : std::uint8_t { Empty, Int16, Int32, Single, Double };

    Variant() = default;
    Variant(std::int16_t v) : kind_(Kind::Int16), i_(v) {}
    // A whole-number literal is a 16-bit integer when it fits, else a 32-bit one.
    Variant(int v);
    Variant(float v) : kind_(Kind::Single), f_(v) {}
    Variant(double v) : kind_(Kind::Double), d_(v) {}

    static Variant Long(std::int32_t v);

    Kind kind() const { return kind_; }
    bool isEmpty() const { return kind_ == Kind::Empty; }
    // The numeric value, exactly (every kind fits a double).
    double value() const
    {
        switch (kind_) {
        case Kind::Empty: return 0.0;
        case Kind::Int16:
        case Kind::Int32: return static_cast<double>(i_);
        case Kind::Single: return static_cast<double>(f_);
        case Kind::Double: return d_;
        }
        return 0.0;
    }

    friend Variant operator+(const Variant& a, const Variant& b);
    friend Variant operator-(const Variant& a, const Variant& b);
    friend Variant operator*(const Variant& a, const Variant& b);
    friend Variant operator/(const Variant& a, const Variant& b);
    Variant operator-() const;  // negation keeps the kind (−(−32768) widens)

    friend bool operator==(const Variant& a, const Variant& b) { return a.value() == b.value(); }
    friend bool operator!=(const Variant& a, const Variant& b) { return a.value() != b.value(); }
    friend bool operator<(const Variant& a, const Variant& b) { return a.value() < b.value(); }
    friend bool operator>(const Variant& a, const Variant& b) { return a.value() > b.value(); }
    friend bool operator<=(const Variant& a, const Variant& b) { return a.value() <= b.value(); }
    friend bool operator>=(const Variant& a, const Variant& b) { return a.value() >= b.value(); }

    std::string describe() const;  // for test failure messages

private:
    Kind kind_ = Kind::Empty;
    union {
        std::int32_t i_ = 0;
        float f_;
        double d_;
    };
};

// Greatest whole number not above v; keeps the kind (empty gives Int16 0).
Variant Int(const Variant& v);
// Absolute value; keeps the kind. The 16-bit absolute value of −32768 is Overflow.
Variant Abs(const Variant& v);

// Storing into a 16-bit integer: nearest whole number, ties to even;
// Overflow outside −32768..32767 (and for infinities and NaN).
std::int16_t CInt(const Variant& v);
std::int16_t CInt(double v);
// Storing into a 32-bit float: nearest float; Overflow beyond the float range.
float CSng(const Variant& v);
float CSng(double v);
// A 64-bit float (never fails).
double CDbl(const Variant& v);

}  // namespace platform
