// Plotting the points of a·x + b·y = c and drawing the whole line, checked on
// the pixels of the picture and on the shared state.
#include "testmain.h"
#include "app/form1.h"
#include "lesson.h"

#include <QSet>

#include <cmath>
#include <functional>

using platform::Variant;

namespace {

QRgb pixel(Form1& f, int x, int y) { return Image(f.Picture1).pixel(x, y) & 0xFFFFFF; }
bool dark(QRgb c) { return qGray(c) < 80; }
bool red(QRgb c) { return c == 0xFF0000; }
bool inside(int x, int y) { return x >= 0 && y >= 0 && x < 600 && y < 600; }

// Everything a plotting run may change, as text, kinds included.
QString stateOf(const Form1& f)
{
    QStringList s;
    for (const Variant* v : {&f.originX, &f.originY, &f.firstX, &f.firstY, &f.secondX, &f.slopeNum, &f.slopeDen,
                             &f.interceptNum, &f.pointsShown, &f.morePointsShown})
        s << QString::fromStdString(v->describe());
    s << QString::number(f.unitSize) << QString::number(double(f.secondY)) << QString::number(f.interceptDen)
      << QString::number(f.lineShown) << QString::number(f.wholePointsFound) << QString::number(f.runA.value)
      << QString::number(f.runB.value) << QString::number(f.runC.value)
      << QString::number(f.Command5.Enabled()) << QString::number(f.Command6.Enabled());
    return s.join(QLatin1Char(' '));
}

// Plots with button `index` with the plane at `unit` pixels per unit and the
// origin at (ox, 300), for the line y(x). A marker is expected at every x = h/2
// for which `marked(h)` holds: each that falls inside the picture must be
// there, a whole x without one must show none, and nothing else may be drawn.
// Returns the h of every marker seen.
QSet<int> plotInView(Form1& f, std::int16_t index, int unit, int ox, const std::function<double(double)>& y,
                     const std::function<bool(int)>& marked)
{
    QSet<int> seen;
    f.unitSize = static_cast<std::int16_t>(unit);
    f.originX = ox;
    f.originY = 300;
    f.DrawPlane();
    const QImage before = Image(f.Picture1).copy();
    Widget(f.Command4(index))->click();
    const QImage after = Image(f.Picture1).copy();

    QList<QPointF> centres;
    for (int h = -76; h <= 76; ++h) {
        const double x = h / 2.0;
        const double X = ox + unit * x, Y = 300 - unit * y(x);
        // A pixel well inside the dot and off the grid lines.
        const int px = int(std::floor(X)) + 2, py = int(std::floor(Y)) + 2;
        if (!marked(h)) {
            if (h % 2 == 0 && inside(px, py))
                [&] { QVERIFY2(after.pixel(px, py) == before.pixel(px, py), qPrintable(QString("x = %1").arg(x))); }();
            continue;
        }
        centres << QPointF(X + 0.5, Y + 0.5);
        if (!inside(px, py)) continue;
        if (dark(after.pixel(px, py) & 0xFFFFFF)) seen.insert(h);
        else qWarning("no marker at (%g, %g)", x, y(x));
    }
    if (QTest::currentTestFailed()) return seen;
    int stray = 0;
    for (int py = 0; py < 600; ++py)
        for (int px = 0; px < 600; ++px) {
            if (after.pixel(px, py) == before.pixel(px, py)) continue;
            bool near = false;
            for (const QPointF& c : centres)
                near = near || std::hypot(px + 0.5 - c.x(), py + 0.5 - c.y()) <= 4.5;
            if (!near) ++stray;
        }
    [&] { QCOMPARE(stray, 0); }();
    return seen;
}

// The line of a·x + b·y = c on the picture: in each of a few columns the
// pixel where it crosses is red, with red on either side, and every red pixel
// of that column belongs to it.
void checkRedLine(Form1& f, double a, double b, double c)
{
    const double U = f.unitSize, ox = f.originX.value(), oy = f.originY.value();
    const double slope = std::fabs(a / b);  // in pixels per pixel too
    const double band = 3.0 * std::sqrt(1 + slope * slope) + 2.0;
    for (int X : {0, 100, 200, 300, 400, 500, 599}) {
        const double x = (X - ox) / U;
        const double Y = oy - U * (c - a * x) / b;
        const int row = int(std::floor(Y + 0.5));
        if (row < 1 || row > 598) continue;
        for (int r : {row - 1, row, row + 1})
            QVERIFY2(red(pixel(f, X, r)), qPrintable(QString("column %1 row %2").arg(X).arg(r)));
        for (int r = 0; r < 600; ++r)
            if (red(pixel(f, X, r)))
                QVERIFY2(std::fabs(r - Y) <= band, qPrintable(QString("stray red at column %1 row %2").arg(X).arg(r)));
    }
}

// x + 3y = 1, and where its x and y are both whole.
double oneThreeOne(double x) { return (1 - x) / 3; }
bool wholeOnOneThreeOne(int h) { return h % 2 == 0 && (1 - h / 2) % 3 == 0; }
bool everyHalf(int) { return true; }

}  // namespace

class PlotTest : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearReports(); }

    void wholePointsOfOneThreeOne()
    {
        Form1 f;
        open(f);
        enter(f, "1", "3", "1");
        // At the start size only the middle of the line is in view; at 14
        // pixels per unit, panned to either side, every x of the run is.
        QSet<int> seen = plotInView(f, 0, 22, 300, oneThreeOne, wholeOnOneThreeOne);
        QCOMPARE(seen.size(), 9);
        seen.unite(plotInView(f, 0, 14, 540, oneThreeOne, wholeOnOneThreeOne));
        seen.unite(plotInView(f, 0, 14, 60, oneThreeOne, wholeOnOneThreeOne));
        QSet<int> expected;
        for (int x = -38; x <= 37; x += 3) expected.insert(2 * x);
        QCOMPARE(expected.size(), 26);
        QCOMPARE(seen, expected);
        QVERIFY(seen.contains(-46));  // (−23, 8)
        QVERIFY(Reports().empty());
    }

    void everyHalfUnit()
    {
        Form1 f;
        open(f);
        enter(f, "1", "3", "1");
        QSet<int> seen = plotInView(f, 1, 22, 300, oneThreeOne, everyHalf);
        QCOMPARE(seen.size(), 55);  // x = −13.5 … 13.5
        seen.unite(plotInView(f, 1, 14, 540, oneThreeOne, everyHalf));
        seen.unite(plotInView(f, 1, 14, 60, oneThreeOne, everyHalf));
        QCOMPARE(seen.size(), 153);
        // The whole points among them are the ones the line is drawn through.
        QCOMPARE(f.wholePointsFound, std::int16_t(2));
        QCOMPARE(f.firstX.value(), -38.0);
        QCOMPARE(f.firstY.value(), 13.0);
        QCOMPARE(f.secondX.value(), -35.0);
        QCOMPARE(f.secondY, 12.0f);
    }

    void storedPointsAndFractions_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("c");
        QTest::addColumn<QList<double>>("points");     // x1, y1, x2, y2
        QTest::addColumn<QList<double>>("fractions");  // slope num, den, intercept num, den
        QTest::addColumn<QString>("equation");
        QTest::newRow("1,3,1") << "1" << "3" << "1" << QList<double>{-38, 13, -35, 12}
                               << QList<double>{-1, 3, 1, 3} << QString::fromUtf8("ｙ＝－( 1/ 3)ｘ＋( 1/ 3)");
        QTest::newRow("2,-5,1") << "2" << "-5" << "1" << QList<double>{-37, -15, -32, -13}
                                << QList<double>{2, 5, -1, 5} << QString::fromUtf8("ｙ＝( 2/ 5)ｘ－( 1/ 5)");
        QTest::newRow("0,1,2") << "0" << "1" << "2" << QList<double>{-38, 2, -37, 2} << QList<double>{0, 1, 2, 1}
                               << QString::fromUtf8("ｙ＝ 2");
    }

    void storedPointsAndFractions()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, c);
        QFETCH(QList<double>, points);
        QFETCH(QList<double>, fractions);
        QFETCH(QString, equation);
        Form1 f;
        open(f);
        enter(f, a, b, c);
        Widget(f.Command4(0))->click();
        QCOMPARE(f.firstX.value(), points[0]);
        QCOMPARE(f.firstY.value(), points[1]);
        QCOMPARE(f.secondX.value(), points[2]);
        QCOMPARE(double(f.secondY), points[3]);
        Widget(f.Command5)->click();
        QCOMPARE(f.slopeNum.value(), fractions[0]);
        QCOMPARE(f.slopeDen.value(), fractions[1]);
        QCOMPARE(f.interceptNum.value(), fractions[2]);
        QCOMPARE(double(f.interceptDen), fractions[3]);
        checkRedLine(f, a.toDouble(), b.toDouble(), c.toDouble());
        QVERIFY(f.Command6.HasFocus());
        Widget(f.Command6)->click();
        QCOMPARE(shownEquation(f), equation);
    }

    void theRedLineAndTheWidthItLeaves()
    {
        Form1 f;
        open(f);
        enter(f, "1", "3", "1");
        Widget(f.Command4(0))->click();
        Widget(f.Command5)->click();
        QCOMPARE(f.lineShown, std::int16_t(1));
        // From (−580, −0.67) to (1180, 586): it enters at the left edge at
        // row 300 − 22·(1 + 300/22)/3 ≈ 192.7 and leaves at the right edge at
        // row 300 − 22·(1 − 299/22)/3 ≈ 392.3.
        QVERIFY(red(pixel(f, 0, 193)));
        QVERIFY(red(pixel(f, 599, 392)));
        checkRedLine(f, 1, 3, 1);
        QCOMPARE(f.Picture1.DrawWidth(), std::int16_t(6));
        // A new equation plotted over the line, without a redraw: y = 5 lies
        // well above the red line, at pixel row 190.
        enter(f, "0", "1", "5");
        QImage before = Image(f.Picture1).copy();
        Widget(f.Command4(0))->click();
        for (int x : {-4, -2, 2, 4}) {
            const int X = 300 + 22 * x;
            QVERIFY(before.pixel(X + 3, 193) != Image(f.Picture1).pixel(X + 3, 193));
            QVERIFY(dark(pixel(f, X + 3, 193)));  // 4.2 pixels from the centre
        }
        // After "初期画面" the plane is drawn afresh and the dots are small again.
        Widget(f.Command2)->click();
        QCOMPARE(f.Picture1.DrawWidth(), std::int16_t(1));
        enter(f, "0", "1", "5");
        before = Image(f.Picture1).copy();
        Widget(f.Command4(0))->click();
        for (int x : {-4, -2, 2, 4}) {
            const int X = 300 + 22 * x;
            QVERIFY(dark(pixel(f, X + 2, 192)));
            QCOMPARE(Image(f.Picture1).pixel(X + 3, 193), before.pixel(X + 3, 193));
        }
    }

    void runThatCannotPlot_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("c");
        QTest::addColumn<int>("box");     // the box to correct
        QTest::addColumn<QString>("names");  // what the message speaks of
        const QString b = QString::fromUtf8("ｂ"), large = QString::fromUtf8("大き");
        QTest::newRow("b = 0") << "1" << "0" << "1" << 1 << b;
        QTest::newRow("0x + 0y = 5") << "0" << "0" << "5" << 1 << b;
        QTest::newRow("all empty") << "" << "" << "" << 1 << b;
        QTest::newRow("a = 1e300") << "1e300" << "1" << "1" << 0 << large;
        QTest::newRow("c = 1e999") << "1" << "1" << "1e999" << 2 << large;
        QTest::newRow("b = 1e-40") << "1" << "1e-40" << "1" << 1 << b;
    }

    void runThatCannotPlot()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, c);
        QFETCH(int, box);
        QFETCH(QString, names);
        Form1 f;
        open(f);
        // Once on a fresh plane, once after a lesson has run to its end.
        for (int round = 0; round < 2; ++round) {
            if (round == 1) {
                enter(f, "1", "3", "1");
                Widget(f.Command4(0))->click();
                Widget(f.Command4(1))->click();
                Widget(f.Command5)->click();
                Widget(f.Command6)->click();
                ClearReports();
            }
            enter(f, a, b, c);
            for (std::int16_t index : {0, 1}) {
                const QString state = stateOf(f);
                const QImage image = Image(f.Picture1).copy();
                const QString equation = shownEquation(f);
                f.Command2.SetFocus();
                Widget(f.Command4(index))->click();

                QCOMPARE(int(Reports().size()), 1);
                const platform::Report report = Reports().front();
                QVERIFY(report.kind == platform::Report::Kind::Message);
                QVERIFY2(Q(report.text).contains(names), report.text.c_str());
                ClearReports();

                QCOMPARE(stateOf(f), state);
                QCOMPARE(Image(f.Picture1), image);
                QCOMPARE(shownEquation(f), equation);
                platform::TextBox& t = f.Text1(std::int16_t(box));
                QVERIFY(t.HasFocus());
                QCOMPARE(t.SelLength(), platform::Characters(t.Text()));
                QCOMPARE(t.SelStart(), 0);
            }
        }
    }

    // The line is always the line of the equation last plotted, and the
    // equation shown is its equation.
    void lineOfTheLastEquation_data()
    {
        QTest::addColumn<QStringList>("steps");  // "a,b,c:button" or "reset"
        QTest::addColumn<QList<double>>("line");  // a, b, c of the line expected
        QTest::addColumn<QString>("equation");
        const QList<double> oneThreeOne{1, 3, 1};
        const QString third = QString::fromUtf8("ｙ＝－( 1/ 3)ｘ＋( 1/ 3)");
        QTest::newRow("only さらに点を打つ") << QStringList{"1,3,1:1"} << oneThreeOne << third;
        QTest::newRow("one whole point") << QStringList{"1,3,1:0", "1,100,1:0"} << QList<double>{1, 100, 1}
                                         << QString::fromUtf8("ｙ＝－( 1/ 100)ｘ＋( 1/ 100)");
        QTest::newRow("2x+4y=1") << QStringList{"1,3,1:0", "2,4,1:0"} << QList<double>{2, 4, 1}
                                 << QString::fromUtf8("ｙ＝－( 1/ 2)ｘ＋( 1/ 4)");
        QTest::newRow("2x-4y=1") << QStringList{"2,-4,1:0"} << QList<double>{2, -4, 1}
                                 << QString::fromUtf8("ｙ＝( 1/ 2)ｘ－( 1/ 4)");
        QTest::newRow("decimals") << QStringList{"0.2,0.4,0.1:0"} << QList<double>{2, 4, 1}
                                  << QString::fromUtf8("ｙ＝－( 1/ 2)ｘ＋( 1/ 4)");
        QTest::newRow("0x+2y=3") << QStringList{"1,3,1:0", "0,2,3:0"} << QList<double>{0, 2, 3}
                                 << QString::fromUtf8("ｙ＝( 3/ 2)");
        QTest::newRow("after 初期画面") << QStringList{"1,3,1:0", "reset", "2,-5,1:1"} << QList<double>{2, -5, 1}
                                        << QString::fromUtf8("ｙ＝( 2/ 5)ｘ－( 1/ 5)");
        QTest::newRow("after a run that failed") << QStringList{"1,3,1:0", "1,0,1:1"} << oneThreeOne << third;
    }

    void lineOfTheLastEquation()
    {
        QFETCH(QStringList, steps);
        QFETCH(QList<double>, line);
        QFETCH(QString, equation);
        Form1 f;
        open(f);
        for (const QString& step : steps) {
            if (step == QLatin1String("reset")) {
                Widget(f.Command2)->click();
                continue;
            }
            const QStringList abc = step.section(':', 0, 0).split(',');
            enter(f, abc[0], abc[1], abc[2]);
            Widget(f.Command4(std::int16_t(step.section(':', 1).toInt())))->click();
        }
        QVERIFY(f.Command5.Enabled());
        Widget(f.Command5)->click();
        checkRedLine(f, line[0], line[1], line[2]);
        Widget(f.Command6)->click();
        QCOMPARE(shownEquation(f), equation);
    }
};

LG_TEST_MAIN(PlotTest)
#include "test_plot.moc"
