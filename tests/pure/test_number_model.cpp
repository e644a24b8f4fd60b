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
        QTest::newRow("int * int") << I16(-15) << '*' << I16(22) << Kind::Int16 << -330.0;
        QTest::newRow("int + int past 16 bits") << I16(32767) << '+' << I16(1) << Kind::Int32 << 32768.0;
        QTest::newRow("int - int past 16 bits") << I16(-32768) << '-' << I16(1) << Kind::Int32 << -32769.0;
        QTest::newRow("int * int past 16 bits") << I16(200) << '*' << I16(200) << Kind::Int32 << 40000.0;
        QTest::newRow("int + single") << I16(300) << '+' << Sng(0.5f) << Kind::Single << 300.5;
        QTest::newRow("int + single rounds to single") << I16(1) << '+' << Sng(1e-8f) << Kind::Single << 1.0;
        QTest::newRow("single * single") << Sng(0.1f) << '*' << Sng(3.0f) << Kind::Single << double(0.1f * 3.0f);
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
        QVERIFY2(r.kind() == kind && r.value() == value, r.describe().c_str());
    }

    void comparison_data()
    {
        QTest::addColumn<Variant>("a");
        QTest::addColumn<Variant>("b");
        QTest::addColumn<int>("order");  // -1: a < b, 0: a = b, 1: a > b
        QTest::newRow("int = single") << I16(300) << Sng(300.0f) << 0;
        QTest::newRow("int = double") << I16(1) << Dbl(1.0) << 0;
        QTest::newRow("single 0.1 > double 0.1") << Sng(0.1f) << Dbl(0.1) << 1;
        QTest::newRow("single > int") << Sng(2.5f) << I16(2) << 1;
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
    }

    void floorAndAbs_data()
    {
        QTest::addColumn<Variant>("v");
        QTest::addColumn<bool>("absolute");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<double>("value");
        QTest::newRow("Int single -2.5") << Sng(-2.5f) << false << Kind::Single << -3.0;
        QTest::newRow("Int 600 / 22") << I16(600) / I16(22) << false << Kind::Single << 27.0;
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
        QVERIFY2(r.kind() == kind && r.value() == value, r.describe().c_str());
    }

    // Storing into a 16-bit integer: nearest, ties to even, Overflow outside the range.
    void cint_data()
    {
        QTest::addColumn<Variant>("v");
        QTest::addColumn<int>("expected");  // -1 with overflows
        QTest::addColumn<bool>("overflows");
        for (auto [v, r] : {std::pair{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-2.5, -2}, {2.4999, 2},
                            {-2.6, -3}, {32767.4, 32767}, {-32768.0, -32768}, {-32768.5, -32768}})
            QTest::addRow("%g", v) << Dbl(v) << r << false;
        for (double v : {32767.5, 32768.0, -32768.6, -32769.0, 1e10, kInf, -kInf, std::nan("")})
            QTest::addRow("%g overflows", v) << Dbl(v) << -1 << true;
        QTest::newRow("empty") << Variant() << 0 << false;
        QTest::newRow("single 300.5") << Sng(300.5f) << 300 << false;
        QTest::newRow("single 301.5") << Sng(301.5f) << 302 << false;
        QTest::newRow("int32 32768 overflows") << I16(32767) + I16(1) << -1 << true;
    }
    void cint()
    {
        QFETCH(Variant, v);
        QFETCH(int, expected);
        QFETCH(bool, overflows);
        int got = -1;
        QCOMPARE(errorOf([&] { got = platform::CInt(v); }), overflows ? int(RuntimeError::Overflow) : 0);
        QCOMPARE(got, expected);
    }

    // The point plotting computes y = (a·(−1) / b)·x + c / b in 64-bit floats
    // and tests the value narrowed to 32 bits for a whole number: 1x + 3y = 1 at x = −23.
    void csngNarrowsThePlottedY()
    {
        const Variant a = Dbl(platform::TextValue(QStringLiteral("1")));
        const Variant b = Dbl(platform::TextValue(QStringLiteral("3")));
        const Variant c = Dbl(platform::TextValue(QStringLiteral("1")));
        const Variant y = a * I16(-1) / b * I16(-23) + c / b;
        QVERIFY(y.kind() == Kind::Double);
        QVERIFY2(y.value() != 8.0, "the 64-bit y lies just below 8");
        QCOMPARE(platform::CSng(y), 8.0f);
        QCOMPARE(platform::CSng(Dbl(0.1)), 0.1f);
        QCOMPARE(platform::CSng(Dbl(16777217.0)), 16777216.0f);  // tie to even
        QCOMPARE(platform::CSng(Dbl(16777219.0)), 16777220.0f);
        QCOMPARE(errorOf([] { platform::CSng(Dbl(1e39)); }), int(RuntimeError::Overflow));
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
        QTest::newRow("single / tiny single") << Sng(1e30f) << '/' << Sng(1e-30f) << overflow;
        QTest::newRow("infinite operand") << Dbl(kInf) << '+' << I16(1) << overflow;
        QTest::newRow("no error near the bound") << Dbl(1e307) << '*' << I16(10) << 0;
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
