// The equation of the line solved for y: the slope and the intercept brought
// to lowest terms, and the labels and bars that show them.
#include "testmain.h"
#include "app/form1.h"
#include "lesson.h"

using platform::Variant;

Q_DECLARE_METATYPE(platform::Variant)

namespace {

// The kind of a value as one letter: I 16-bit integer, S 32-bit float, D 64-bit float.
QChar kindOf(const Variant& v) { return QLatin1Char(v.describe()[0]); }

QString fractions(const Form1& f)
{
    return QString::fromStdString(f.slopeNum.describe() + " " + f.slopeDen.describe() + " " +
                                  f.interceptNum.describe() + " ") +
           QString::number(f.interceptDen);
}

bool nothingShown(Form1& f)
{
    for (std::int16_t i = 0; i <= 9; ++i)
        if (f.Label4(i).Visible()) return false;
    return !f.Line1(0).Visible() && !f.Line1(1).Visible();
}

void reduce(Form1& f)
{
    try {
        f.ReduceFractions();
    } catch (const platform::RuntimeError& e) {
        QFAIL(e.what());
    }
}

}  // namespace

class EquationTest : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearReports(); }

    void reduction_data()
    {
        QTest::addColumn<Variant>("slopeNum");
        QTest::addColumn<Variant>("slopeDen");
        QTest::addColumn<Variant>("interceptNum");
        QTest::addColumn<int>("interceptDen");
        QTest::addColumn<QList<double>>("reduced");  // slopeNum, slopeDen, interceptNum, interceptDen
        QTest::addColumn<QString>("kinds");           // of slopeNum, slopeDen, interceptNum afterwards
        auto V = [](int v) { return Variant(v); };
        QTest::newRow("12/8") << V(12) << V(8) << V(1) << 3 << QList<double>{3, 2, 1, 3} << "SSI";
        QTest::newRow("-6/4, -9/6") << V(-6) << V(4) << V(-9) << 6 << QList<double>{-3, 2, -3, 2} << "SSS";
        QTest::newRow("8/4") << V(8) << V(4) << V(5) << 1 << QList<double>{2, 1, 5, 1} << "SSI";
        QTest::newRow("0/6, 0/6") << V(0) << V(6) << V(0) << 6 << QList<double>{0, 1, 0, 1} << "SSS";
        QTest::newRow("interceptDen 1") << V(6) << V(9) << V(7) << 1 << QList<double>{2, 3, 7, 1} << "SSI";
        QTest::newRow("6/3 intercept") << V(1) << V(3) << V(6) << 3 << QList<double>{1, 3, 2, 1} << "IIS";
        QTest::newRow("slopeDen 1, 4/2") << V(5) << V(1) << V(4) << 2 << QList<double>{5, 1, 2, 1} << "IIS";
        QTest::newRow("lowest terms") << V(3) << V(2) << V(-1) << 5 << QList<double>{3, 2, -1, 5} << "III";
        QTest::newRow("36/48, 100/48") << V(36) << V(48) << V(100) << 48 << QList<double>{3, 4, 25, 12} << "SSS";
        QTest::newRow("64-bit numerator") << Variant(12.0) << V(8) << Variant(2.0f) << 4
                                          << QList<double>{3, 2, 1, 2} << "DSS";
        QTest::newRow("limit 32767") << V(32767) << V(32767) << V(32767) << 32767 << QList<double>{1, 1, 1, 1}
                                     << "SSS";
    }

    void reduction()
    {
        QFETCH(Variant, slopeNum);
        QFETCH(Variant, slopeDen);
        QFETCH(Variant, interceptNum);
        QFETCH(int, interceptDen);
        QFETCH(QList<double>, reduced);
        QFETCH(QString, kinds);
        Form1 f;
        f.slopeNum = slopeNum;
        f.slopeDen = slopeDen;
        f.interceptNum = interceptNum;
        f.interceptDen = static_cast<std::int16_t>(interceptDen);
        reduce(f);
        QCOMPARE(f.slopeNum.value(), reduced[0]);
        QCOMPARE(f.slopeDen.value(), reduced[1]);
        QCOMPARE(f.interceptNum.value(), reduced[2]);
        QCOMPARE(double(f.interceptDen), reduced[3]);
        QCOMPARE(QString() + kindOf(f.slopeNum) + kindOf(f.slopeDen) + kindOf(f.interceptNum), kinds);
        // Once in lowest terms, a second call changes nothing.
        const QString once = fractions(f);
        reduce(f);
        QCOMPARE(fractions(f), once);
    }

    void display_data()
    {
        QTest::addColumn<double>("slopeNum");
        QTest::addColumn<int>("slopeDen");
        QTest::addColumn<double>("interceptNum");
        QTest::addColumn<int>("interceptDen");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QList<double>>("after");  // slopeNum, slopeDen, interceptNum, interceptDen
        auto u = [](const char* s) { return QString::fromUtf8(s); };
        // Sloped lines.
        QTest::newRow("-2/3, 6/3") << -2.0 << 3 << 6.0 << 3 << u("ｙ＝－( 2/ 3)ｘ＋ 2") << QList<double>{-2, 3, 2, 1};
        QTest::newRow("1/2, -1/2") << 1.0 << 2 << -1.0 << 2 << u("ｙ＝( 1/ 2)ｘ－( 1/ 2)")
                                   << QList<double>{1, 2, -1, 2};
        QTest::newRow("-1/1, 1/1") << -1.0 << 1 << 1.0 << 1 << u("ｙ＝－ｘ＋ 1") << QList<double>{-1, 1, 1, 1};
        QTest::newRow("1/1, 0/1") << 1.0 << 1 << 0.0 << 1 << u("ｙ＝ｘ") << QList<double>{1, 1, 0, 1};
        QTest::newRow("2/-4, 3/-4") << 2.0 << -4 << 3.0 << -4 << u("ｙ＝－( 1/ 2)ｘ－( 3/ 4)")
                                    << QList<double>{-1, 2, -3, 4};
        QTest::newRow("4/2, 4/2") << 4.0 << 2 << 4.0 << 2 << u("ｙ＝ 2ｘ＋ 2") << QList<double>{2, 1, 2, 1};
        QTest::newRow("-15/5, -6/5") << -15.0 << 5 << -6.0 << 5 << u("ｙ＝－ 3ｘ－( 6/ 5)")
                                     << QList<double>{-3, 1, -6, 5};
        // Horizontal lines.
        QTest::newRow("0/1, 0/1") << 0.0 << 1 << 0.0 << 1 << u("ｙ＝ 0") << QList<double>{0, 1, 0, 1};
        QTest::newRow("0/1, -5/1") << 0.0 << 1 << -5.0 << 1 << u("ｙ＝－ 5") << QList<double>{0, 1, -5, 1};
        QTest::newRow("0/2, 3/2") << 0.0 << 2 << 3.0 << 2 << u("ｙ＝( 3/ 2)") << QList<double>{0, 1, 3, 2};
        QTest::newRow("0/4, -6/4") << 0.0 << 4 << -6.0 << 4 << u("ｙ＝－( 3/ 2)") << QList<double>{0, 1, -3, 2};
        // Vertical lines: shown from the values as they are, which stay.
        QTest::newRow("x = -3") << 7.0 << 0 << -3.0 << 0 << u("ｘ＝－ 3") << QList<double>{7, 0, -3, 0};
        QTest::newRow("x = 5/2") << 7.0 << 0 << 5.0 << 2 << u("ｘ＝( 5/ 2)") << QList<double>{7, 0, 5, 2};
    }

    void display()
    {
        QFETCH(double, slopeNum);
        QFETCH(int, slopeDen);
        QFETCH(double, interceptNum);
        QFETCH(int, interceptDen);
        QFETCH(QString, shown);
        QFETCH(QList<double>, after);
        Form1 f;
        open(f);
        // As the whole line leaves them: 32-bit float numerators, 16-bit denominators.
        f.slopeNum = static_cast<float>(slopeNum);
        f.slopeDen = static_cast<std::int16_t>(slopeDen);
        f.interceptNum = static_cast<float>(interceptNum);
        f.interceptDen = static_cast<std::int16_t>(interceptDen);
        f.Command6.Enabled(true);
        Widget(f.Command6)->click();

        QCOMPARE(shownEquation(f), shown);
        for (std::int16_t i : {2, 3, 4, 7, 8, 9})
            if (f.Label4(i).Visible()) QVERIFY(f.Label4(i).Caption().starts_with(' '));
        QCOMPARE(f.slopeNum.value(), after[0]);
        QCOMPARE(f.slopeDen.value(), after[1]);
        QCOMPARE(f.interceptNum.value(), after[2]);
        QCOMPARE(double(f.interceptDen), after[3]);
        QVERIFY(f.Command2.HasFocus());
        QVERIFY(Reports().empty());

        // A second click shows the same and leaves the values as they are.
        const QString values = fractions(f);
        f.Command4(0).SetFocus();
        Widget(f.Command6)->click();
        QCOMPARE(shownEquation(f), shown);
        QCOMPARE(fractions(f), values);
        QVERIFY(f.Command2.HasFocus());
    }

    void tooLargeToShow_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("c");
        QTest::addColumn<QPoint>("red");  // a pixel of the line, which is still drawn
        // x + b·y = 1 passes through (1, 0), at pixel (322, 300).
        QTest::newRow("b = 0.000123457") << "1" << "0.000123457" << "1" << QPoint(322, 100);  // −10⁹/123457
        QTest::newRow("b of 20 digits") << "1" << "12345678901234567890" << "1" << QPoint(100, 300);
        // Next to the y axis, so steep that its ends lie some 10²¹ pixels above and below.
        QTest::newRow("a of 20 digits") << "12345678901234567890" << "3" << "1" << QPoint(300, 100);
        QTest::newRow("c of 20 digits") << "1" << "1" << "12345678901234567890" << QPoint();  // far above
    }

    void tooLargeToShow()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, c);
        QFETCH(QPoint, red);
        Form1 f;
        open(f);
        // An equation on show first, which must not stay as if it were this one's.
        enter(f, "1", "3", "1");
        Widget(f.Command4(0))->click();
        Widget(f.Command5)->click();
        Widget(f.Command6)->click();
        QVERIFY(!nothingShown(f));

        enter(f, a, b, c);
        Widget(f.Command4(0))->click();
        Widget(f.Command5)->click();
        if (!red.isNull()) QCOMPARE(Image(f.Picture1).pixel(red) & 0xFFFFFF, 0xFF0000u);
        QVERIFY(Reports().empty());
        Widget(f.Command6)->click();
        QCOMPARE(int(Reports().size()), 1);
        QVERIFY(Reports().front().kind == platform::Report::Kind::Message);
        QVERIFY(nothingShown(f));
        QVERIFY(f.Command2.HasFocus());

        // The next line that fits is shown again.
        enter(f, "1", "3", "1");
        Widget(f.Command4(0))->click();
        Widget(f.Command5)->click();
        Widget(f.Command6)->click();
        QCOMPARE(shownEquation(f), QString::fromUtf8("ｙ＝－( 1/ 3)ｘ＋( 1/ 3)"));
        QCOMPARE(int(Reports().size()), 1);
    }
};

LG_TEST_MAIN(EquationTest)
#include "test_equation.moc"
