// The variant numbers that the handlers compute with: which kind arithmetic
// yields, comparisons, empty as 0, rounding into 16-bit integers and 32-bit
// floats, and the runtime errors of the arithmetic.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "platform/numtext.h"
#include "platform/variant.h"

using platform::RuntimeError;
using platform::Variant;
using Kind = platform::Variant::Kind;

namespace {

Variant I16(int v) { return Variant(static_cast<std::int16_t>(v)); }
Variant Sng(float v) { return Variant(v); }
Variant Dbl(double v) { return Variant(v); }
constexpr double kInf = std::numeric_limits<double>::infinity();

// The code of the runtime error that f raises, 0 when it raises none.
template <class F>
int errorOf(F&& f)
{
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.code();
    }
    return 0;
}

Variant apply(const Variant& a, char op, const Variant& b)
{
    return op == '+' ? a + b : op == '-' ? a - b : op == '*' ? a * b : a / b;
}

TEST(NumberModel, Arithmetic)
{
    const struct {
        const char* name;
        Variant a;
        char op;
        Variant b;
        Kind kind;
        double value;
    } rows[] = {
        {"int + int", I16(300), '+', I16(22), Kind::Int16, 322.0},
        {"int * int", I16(-15), '*', I16(22), Kind::Int16, -330.0},
        {"int + int past 16 bits", I16(32767), '+', I16(1), Kind::Int32, 32768.0},
        {"int - int past 16 bits", I16(-32768), '-', I16(1), Kind::Int32, -32769.0},
        {"int * int past 16 bits", I16(200), '*', I16(200), Kind::Int32, 40000.0},
        {"int + single", I16(300), '+', Sng(0.5f), Kind::Single, 300.5},
        {"int + single rounds to single", I16(1), '+', Sng(1e-8f), Kind::Single, 1.0},
        {"single * single", Sng(0.1f), '*', Sng(3.0f), Kind::Single, double(0.1f * 3.0f)},
        {"single + double", Sng(0.5f), '+', Dbl(0.25), Kind::Double, 0.75},
        {"int * double", I16(-23), '*', Dbl(0.1), Kind::Double, -23 * 0.1},
        {"empty + int", Variant(), '+', I16(5), Kind::Int16, 5.0},
        {"single - empty", Sng(2.5f), '-', Variant(), Kind::Single, 2.5},
        {"int / int", I16(1), '/', I16(3), Kind::Single, double(1.0f / 3.0f)},
        {"int / int, whole", I16(600), '/', I16(40), Kind::Single, 15.0},
        {"single / int", Sng(7.5f), '/', I16(2), Kind::Single, 3.75},
        {"int / double", I16(1), '/', Dbl(3.0), Kind::Double, 1.0 / 3.0},
        {"double / single", Dbl(1.0), '/', Sng(4.0f), Kind::Double, 0.25},
        {"empty / int", Variant(), '/', I16(5), Kind::Single, 0.0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Variant r = apply(row.a, row.op, row.b);
        EXPECT_TRUE(r.kind() == row.kind && r.value() == row.value) << r.describe();
    }
}

TEST(NumberModel, Comparison)
{
    const struct {
        const char* name;
        Variant a;
        Variant b;
        int order;  // -1: a < b, 0: a = b, 1: a > b
    } rows[] = {
        {"int = single", I16(300), Sng(300.0f), 0},
        {"int = double", I16(1), Dbl(1.0), 0},
        {"single 0.1 > double 0.1", Sng(0.1f), Dbl(0.1), 1},
        {"single > int", Sng(2.5f), I16(2), 1},
        {"empty = empty", Variant(), Variant(), 0},
        {"empty = 0", Variant(), I16(0), 0},
        {"empty < 1", Variant(), I16(1), -1},
        {"-1 < empty", I16(-1), Variant(), -1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.a == row.b, row.order == 0);
        EXPECT_EQ(row.a != row.b, row.order != 0);
        EXPECT_EQ(row.a < row.b, row.order < 0);
        EXPECT_EQ(row.a > row.b, row.order > 0);
    }
}

TEST(NumberModel, FloorAndAbs)
{
    const struct {
        const char* name;
        Variant v;
        bool absolute;
        Kind kind;
        double value;
    } rows[] = {
        {"Int single -2.5", Sng(-2.5f), false, Kind::Single, -3.0},
        {"Int 600 / 22", I16(600) / I16(22), false, Kind::Single, 27.0},
        {"Int double -0.5", Dbl(-0.5), false, Kind::Double, -1.0},
        {"Int int", I16(-7), false, Kind::Int16, -7.0},
        {"Abs int", I16(-5), true, Kind::Int16, 5.0},
        {"Abs single", Sng(-3.5f), true, Kind::Single, 3.5},
        {"Abs double", Dbl(-0.25), true, Kind::Double, 0.25},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Variant r = row.absolute ? platform::Abs(row.v) : platform::Int(row.v);
        EXPECT_TRUE(r.kind() == row.kind && r.value() == row.value) << r.describe();
    }
}

// Storing into a 16-bit integer: nearest, ties to even, Overflow outside the range.
TEST(NumberModel, CInt)
{
    struct Row {
        std::string name;
        Variant v;
        int expected;  // -1 with overflows
        bool overflows;
    };
    const auto named = [](const char* format, double v) {
        char buf[64];
        std::snprintf(buf, sizeof buf, format, v);
        return std::string(buf);
    };
    std::vector<Row> rows;
    for (auto [v, r] : {std::pair{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-2.5, -2}, {2.4999, 2},
                        {-2.6, -3}, {32767.4, 32767}, {-32768.0, -32768}, {-32768.5, -32768}})
        rows.push_back({named("%g", v), Dbl(v), r, false});
    for (double v : {32767.5, 32768.0, -32768.6, -32769.0, 1e10, kInf, -kInf, std::nan("")})
        rows.push_back({named("%g overflows", v), Dbl(v), -1, true});
    rows.push_back({"empty", Variant(), 0, false});
    rows.push_back({"single 300.5", Sng(300.5f), 300, false});
    rows.push_back({"single 301.5", Sng(301.5f), 302, false});
    rows.push_back({"int32 32768 overflows", I16(32767) + I16(1), -1, true});

    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        int got = -1;
        EXPECT_EQ(errorOf([&] { got = platform::CInt(row.v); }), row.overflows ? int(RuntimeError::Overflow) : 0);
        EXPECT_EQ(got, row.expected);
    }
}

// The point plotting computes y = (a·(−1) / b)·x + c / b in 64-bit floats
// and tests the value narrowed to 32 bits for a whole number: 1x + 3y = 1 at x = −23.
TEST(NumberModel, CSngNarrowsThePlottedY)
{
    const Variant a = Dbl(platform::TextValue("1"));
    const Variant b = Dbl(platform::TextValue("3"));
    const Variant c = Dbl(platform::TextValue("1"));
    const Variant y = a * I16(-1) / b * I16(-23) + c / b;
    EXPECT_TRUE(y.kind() == Kind::Double);
    EXPECT_NE(y.value(), 8.0) << "the 64-bit y lies just below 8";
    EXPECT_EQ(platform::CSng(y), 8.0f);
    EXPECT_EQ(platform::CSng(Dbl(0.1)), 0.1f);
    EXPECT_EQ(platform::CSng(Dbl(16777217.0)), 16777216.0f);  // tie to even
    EXPECT_EQ(platform::CSng(Dbl(16777219.0)), 16777220.0f);
    EXPECT_EQ(errorOf([] { platform::CSng(Dbl(1e39)); }), int(RuntimeError::Overflow));
}

TEST(NumberModel, RuntimeErrors)
{
    const int div0 = RuntimeError::DivisionByZero, overflow = RuntimeError::Overflow;
    const struct {
        const char* name;
        Variant a;
        char op;
        Variant b;
        int error;
    } rows[] = {
        {"1 / 0", I16(1), '/', I16(0), div0},
        {"-2.5 / 0.0", Dbl(-2.5), '/', Dbl(0.0), div0},
        {"1.5 / empty", Sng(1.5f), '/', Variant(), div0},
        {"0 / 0", I16(0), '/', I16(0), overflow},
        {"empty / empty", Variant(), '/', Variant(), overflow},
        {"double * overflows", Dbl(1e308), '*', I16(10), overflow},
        {"double + overflows", Dbl(1e308), '+', Dbl(1e308), overflow},
        {"single * overflows the single", Sng(3e38f), '*', I16(10), overflow},
        {"single / tiny single", Sng(1e30f), '/', Sng(1e-30f), overflow},
        {"infinite operand", Dbl(kInf), '+', I16(1), overflow},
        {"no error near the bound", Dbl(1e307), '*', I16(10), 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(errorOf([&] { apply(row.a, row.op, row.b); }), row.error);
    }
}

}  // namespace
