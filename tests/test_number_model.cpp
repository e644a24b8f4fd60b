// The variant numbers that the handlers compute with: which kind arithmetic
// yields, comparisons, empty as 0, rounding into 16-bit integers and 32-bit
// floats, and the runtime errors of the arithmetic.
#include "testmain.h"
#include "app/form1.h"

#include <cmath>
#include <limits>

using platform::RuntimeError;
using Kind = platform::Variant::Kind;

Q_DECLARE_METATYPE(platform::Variant)
Q_DECLARE_METATYPE(platform::Variant::Kind)

namespace {

Variant I16(int v) { return Variant(static_cast<std::int16_t>(v)); }
Variant Sng(float v) { return Variant(v); }
Variant Dbl(double v) { return Variant(v); }

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
    switch (op) {
    case '+': return a + b;
    case '-': return a - b;
    case '*': return a * b;
    default: return a / b;
    }
}

}  // namespace

class NumberModelTest : public QObject {
    Q_OBJECT
private slots:
    void arithmetic_data()
    {
        QTest::addColumn<Variant>("a");
        QTest::addColumn<char>("op");
        QTest::addColumn<Variant>("b");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<double>("value");

        QTest::newRow("int + int") << I16(300) << '+' << I16(22) << Kind::Int16 << 322.0;
        QTest::newRow("int - int, negative") << I16(300) << '-' << I16(330) << Kind::Int16 << -30.0;
        QTest::newRow("int * int") << I16(-15) << '*' << I16(22) << Kind::Int16 << -330.0;
        QTest::newRow("int + int past 16 bits") << I16(32767) << '+' << I16(1) << Kind::Int32 << 32768.0;
        QTest::newRow("int - int past 16 bits") << I16(-32768) << '-' << I16(1) << Kind::Int32 << -32769.0;
        QTest::newRow("int * int past 16 bits") << I16(200) << '*' << I16(200) << Kind::Int32 << 40000.0;
        QTest::newRow("int + single") << I16(300) << '+' << Sng(0.5f) << Kind::Single << 300.5;
        QTest::newRow("single - int") << Sng(412.25f) << '-' << I16(12) << Kind::Single << 400.25;
        QTest::newRow("int + single rounds to single") << I16(1) << '+' << Sng(1e-8f) << Kind::Single << 1.0;
        QTest::newRow("single * single") << Sng(0.1f) << '*' << Sng(3.0f) << Kind::Single
                                         << double(0.1f * 3.0f);
        QTest::newRow("single + double") << Sng(0.5f) << '+' << Dbl(0.25) << Kind::Double << 0.75;
        QTest::newRow("int * double") << I16(-23) << '*' << Dbl(0.1) << Kind::Double << -23 * 0.1;
        QTest::newRow("empty + int") << Variant() << '+' << I16(5) << Kind::Int16 << 5.0;
        QTest::newRow("single - empty") << Sng(2.5f) << '-' << Variant() << Kind::Single << 2.5;

        QTest::newRow("int / int") << I16(1) << '/' << I16(3) << Kind::Single << double(1.0f / 3.0f);
        QTest::newRow("int / int, whole") << I16(600) << '/' << I16(40) << Kind::Single << 15.0;
        QTest::newRow("single / int") << Sng(7.5f) << '/' << I16(2) << Kind::Single << 3.75;
        QTest::newRow("int / double") << I16(1) << '/' << Dbl(3.0) << Kind::Double << 1.0 / 3.0;
        QTest::newRow("double / single") << Dbl(1.0) << '/' << Sng(4.0f) << Kind::Double << 0.25;
        QTest::newRow("empty / int") << Variant() << '/' << I16(5) << Kind::Single << 0.0;
    }
    void arithmetic()
    {
        QFETCH(Variant, a);
        QFETCH(char, op);
        QFETCH(Variant, b);
        QFETCH(Kind, kind);
        QFETCH(double, value);
        const Variant r = apply(a, op, b);
        QVERIFY2(r.kind() == kind, r.describe().c_str());
        QVERIFY2(r.value() == value, r.describe().c_str());
    }

    void comparison_data()
    {
        QTest::addColumn<Variant>("a");
        QTest::addColumn<Variant>("b");
        QTest::addColumn<int>("order");  // -1: a < b, 0: a = b, 1: a > b

        QTest::newRow("int = single") << I16(300) << Sng(300.0f) << 0;
        QTest::newRow("int = double") << I16(1) << Dbl(1.0) << 0;
        QTest::newRow("single = double of the same value") << Sng(0.5f) << Dbl(0.5) << 0;
        QTest::newRow("single 0.1 is not double 0.1") << Sng(0.1f) << Dbl(0.1) << 1;
        QTest::newRow("single > int") << Sng(2.5f) << I16(2) << 1;
        QTest::newRow("int32 > int") << I16(32767) + I16(1) << I16(32767) << 1;
        QTest::newRow("empty = empty") << Variant() << Variant() << 0;
        QTest::newRow("empty = 0") << Variant() << I16(0) << 0;
        QTest::newRow("empty < 1") << Variant() << I16(1) << -1;
        QTest::newRow("-1 < empty") << I16(-1) << Variant() << -1;
    }
    void comparison()
    {
        QFETCH(Variant, a);
        QFETCH(Variant, b);
        QFETCH(int, order);
        QCOMPARE(a == b, order == 0);
        QCOMPARE(a != b, order != 0);
        QCOMPARE(a < b, order < 0);
        QCOMPARE(a > b, order > 0);
        QCOMPARE(b < a, order > 0);
    }

    void floorAndAbs_data()
    {
        QTest::addColumn<Variant>("v");
        QTest::addColumn<bool>("absolute");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<double>("value");

        QTest::newRow("Int single -2.5") << Sng(-2.5f) << false << Kind::Single << -3.0;
        QTest::newRow("Int single 27.27") << I16(600) / I16(22) << false << Kind::Single << 27.0;
        QTest::newRow("Int double 2.7") << Dbl(2.7) << false << Kind::Double << 2.0;
        QTest::newRow("Int double -0.5") << Dbl(-0.5) << false << Kind::Double << -1.0;
        QTest::newRow("Int int") << I16(-7) << false << Kind::Int16 << -7.0;
        QTest::newRow("Abs int") << I16(-5) << true << Kind::Int16 << 5.0;
        QTest::newRow("Abs single") << Sng(-3.5f) << true << Kind::Single << 3.5;
        QTest::newRow("Abs double") << Dbl(-0.25) << true << Kind::Double << 0.25;
    }
    void floorAndAbs()
    {
        QFETCH(Variant, v);
        QFETCH(bool, absolute);
        QFETCH(Kind, kind);
        QFETCH(double, value);
        const Variant r = absolute ? platform::Abs(v) : platform::Int(v);
        QVERIFY2(r.kind() == kind, r.describe().c_str());
        QCOMPARE(r.value(), value);
    }

    // Storing into a 16-bit integer: nearest, ties to even, Overflow outside the range.
    void cint_data()
    {
        QTest::addColumn<double>("v");
        QTest::addColumn<int>("expected");  // ignored when it overflows
        QTest::addColumn<bool>("overflows");

        QTest::newRow("0.5") << 0.5 << 0 << false;
        QTest::newRow("1.5") << 1.5 << 2 << false;
        QTest::newRow("2.5") << 2.5 << 2 << false;
        QTest::newRow("3.5") << 3.5 << 4 << false;
        QTest::newRow("-0.5") << -0.5 << 0 << false;
        QTest::newRow("-2.5") << -2.5 << -2 << false;
        QTest::newRow("2.4999") << 2.4999 << 2 << false;
        QTest::newRow("2.6") << 2.6 << 3 << false;
        QTest::newRow("-2.6") << -2.6 << -3 << false;
        QTest::newRow("32767") << 32767.0 << 32767 << false;
        QTest::newRow("32767.4") << 32767.4 << 32767 << false;
        QTest::newRow("32767.5") << 32767.5 << 0 << true;
        QTest::newRow("32768") << 32768.0 << 0 << true;
        QTest::newRow("-32768") << -32768.0 << -32768 << false;
        QTest::newRow("-32768.5 to even") << -32768.5 << -32768 << false;
        QTest::newRow("-32768.6") << -32768.6 << 0 << true;
        QTest::newRow("-32769") << -32769.0 << 0 << true;
        QTest::newRow("1e10") << 1e10 << 0 << true;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << 0 << true;
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 0 << true;
    }
    void cint()
    {
        QFETCH(double, v);
        QFETCH(int, expected);
        QFETCH(bool, overflows);
        std::int16_t got = 0;
        const int error = errorOf([&] { got = platform::CInt(Dbl(v)); });
        QCOMPARE(error, overflows ? int(RuntimeError::Overflow) : 0);
        if (!overflows) QCOMPARE(int(got), expected);
    }
    void cintOfOtherKinds()
    {
        QCOMPARE(platform::CInt(Variant()), std::int16_t(0));
        QCOMPARE(platform::CInt(Sng(300.5f)), std::int16_t(300));
        QCOMPARE(platform::CInt(Sng(301.5f)), std::int16_t(302));
        QCOMPARE(platform::CInt(I16(32767) + I16(1) - I16(1)), std::int16_t(32767));
        QCOMPARE(errorOf([] { platform::CInt(I16(32767) + I16(1)); }), int(RuntimeError::Overflow));
    }

    // The point plotting computes y = (a·(−1) / b)·x + c / b in 64-bit floats
    // and tests the narrowed 32-bit value for a whole number.
    void csngNarrowsThePlottedY()
    {
        const Variant a = Dbl(platform::TextValue(QStringLiteral("1")));
        const Variant b = Dbl(platform::TextValue(QStringLiteral("3")));
        const Variant c = Dbl(platform::TextValue(QStringLiteral("1")));
        const Variant x = I16(-23);
        const Variant y = a * I16(-1) / b * x + c / b;
        QVERIFY(y.kind() == Kind::Double);
        QVERIFY2(y.value() != 8.0, "the 64-bit y is just below 8");
        const float narrowed = platform::CSng(y);
        QCOMPARE(narrowed, 8.0f);
        QVERIFY(platform::Int(Sng(narrowed)) == Sng(narrowed));
    }
    void csng_data()
    {
        QTest::addColumn<double>("v");
        QTest::addColumn<float>("expected");
        QTest::newRow("0.1") << 0.1 << 0.1f;
        QTest::newRow("2^24 + 1 to even") << 16777217.0 << 16777216.0f;
        QTest::newRow("2^24 + 3 to even") << 16777219.0 << 16777220.0f;
        QTest::newRow("-1/3") << -1.0 / 3.0 << -1.0f / 3.0f;
    }
    void csng()
    {
        QFETCH(double, v);
        QFETCH(float, expected);
        QCOMPARE(platform::CSng(Dbl(v)), expected);
    }

    void runtimeErrors_data()
    {
        QTest::addColumn<Variant>("a");
        QTest::addColumn<char>("op");
        QTest::addColumn<Variant>("b");
        QTest::addColumn<int>("error");

        const int div0 = RuntimeError::DivisionByZero, overflow = RuntimeError::Overflow;
        QTest::newRow("1 / 0") << I16(1) << '/' << I16(0) << div0;
        QTest::newRow("-2.5 / 0.0") << Dbl(-2.5) << '/' << Dbl(0.0) << div0;
        QTest::newRow("1.5 / empty") << Sng(1.5f) << '/' << Variant() << div0;
        QTest::newRow("0 / 0") << I16(0) << '/' << I16(0) << overflow;
        QTest::newRow("empty / empty") << Variant() << '/' << Variant() << overflow;
        QTest::newRow("double * overflows") << Dbl(1e308) << '*' << I16(10) << overflow;
        QTest::newRow("double + overflows") << Dbl(1e308) << '+' << Dbl(1e308) << overflow;
        QTest::newRow("single * overflows the single") << Sng(3e38f) << '*' << I16(10) << overflow;
        QTest::newRow("double / tiny") << Dbl(1e300) << '/' << Dbl(1e-300) << overflow;
        QTest::newRow("single / tiny single") << Sng(1e30f) << '/' << Sng(1e-30f) << overflow;
        QTest::newRow("infinite operand")
            << Dbl(std::numeric_limits<double>::infinity()) << '+' << I16(1) << overflow;
        QTest::newRow("no error near the bounds") << Dbl(1e307) << '*' << I16(10) << 0;
    }
    void runtimeErrors()
    {
        QFETCH(Variant, a);
        QFETCH(char, op);
        QFETCH(Variant, b);
        QFETCH(int, error);
        QCOMPARE(errorOf([&] { apply(a, op, b); }), error);
    }
};

LG_TEST_MAIN(NumberModelTest)
#include "test_number_model.moc"
