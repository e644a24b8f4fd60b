// The picture's quick ways of drawing (pixels set for lines along an axis,
// stamped dots, texts laid out once, flat ends on lines whose ends cannot be
// seen) give exactly the pixels of one plain QPainter call per primitive.
#include "testmain.h"
#include "app/form1.h"
#include "plane.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Empty when the pictures are the same (but for these places of the form), else how they differ.
QString difference(const QImage& got, const QImage& want, const std::vector<QRect>& apart = {})
{
    if (got.size() != want.size()) return QStringLiteral("the pictures differ in size");
    const double k = got.width() / 600.0;
    QString first;
    int count = 0, worst = 0;
    for (int y = 0; y < got.height(); ++y)
        for (int x = 0; x < got.width(); ++x) {
            const QRgb g = got.pixel(x, y), w = want.pixel(x, y);
            if (g == w) continue;
            const QPoint form(int(x / k), int(y / k));
            if (std::any_of(apart.begin(), apart.end(), [&](const QRect& r) { return r.contains(form); })) continue;
            if (count++ == 0)
                first = QStringLiteral("first difference at (%1, %2): %3 quick, %4 plain")
                            .arg(x).arg(y).arg(g, 8, 16, QLatin1Char('0')).arg(w, 8, 16, QLatin1Char('0'));
            worst = std::max({worst, std::abs(qRed(g) - qRed(w)), std::abs(qGreen(g) - qGreen(w)),
                              std::abs(qBlue(g) - qBlue(w))});
        }
    if (count == 0) return {};
    return first + QStringLiteral("; %1 pixels differ, by up to %2 in a channel").arg(count).arg(worst);
}

#define SAME_PICTURE(got, want)                        \
    do {                                               \
        const QString d_ = difference((got), (want));  \
        QVERIFY2(d_.isEmpty(), qPrintable(d_));        \
    } while (0)

// Two windows that differ only in how they draw.
struct Pair {
    Form1 quick, plain;
    Pair()
    {
        Widget(plain.Picture1)->plainDrawing(true);
        quick.Start();
        plain.Start();
    }
    template <class F>
    void draw(F&& scene)
    {
        scene(quick);
        scene(plain);
    }
};

// A whole number as the origin holds it after start-up or at a limit, else a 32-bit float.
Variant originValue(float v)
{
    if (v == std::floor(v)) return Variant(static_cast<std::int16_t>(v));
    return Variant(v);
}

}  // namespace

class FastPathsTest : public QObject {
    Q_OBJECT
private slots:
    // The plane at every size and at the start, the limits and a fractional
    // origin, empty and with the points of both buttons, the line, and the
    // points once more over the line (then 6 pixels wide).
    void scene_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<float>("ox");
        QTest::addColumn<float>("oy");
        QTest::addColumn<QStringList>("equation");
        const QList<QPointF> origins{{300, 300}, {60, 60}, {540, 540}, {330.5, 290.25}};
        const QList<QStringList> equations{{}, {"1", "3", "1"}, {"2", "-5", "1"}, {"0", "1", "2"}, {"1", "1", "0"}};
        for (int unit : {40, 22, 14})
            for (const QPointF& o : origins)
                for (const QStringList& e : equations)
                    QTest::addRow("%d at (%g, %g), %s", unit, o.x(), o.y(),
                                  e.isEmpty() ? "empty" : qPrintable(e.join(',')))
                        << unit << float(o.x()) << float(o.y()) << e;
    }
    void scene()
    {
        QFETCH(int, unit);
        QFETCH(float, ox);
        QFETCH(float, oy);
        QFETCH(QStringList, equation);
        Pair p;
        p.draw([&](Form1& f) {
            f.unitSize = std::int16_t(unit);
            f.originX = originValue(ox);
            f.originY = originValue(oy);
            f.DrawPlane();
            if (equation.isEmpty()) return;
            for (std::int16_t i = 0; i <= 2; ++i) f.Text1(i).Text(equation[i].toStdString());
            f.Command4_Click(0);
            f.Command4_Click(1);
        });
        QVERIFY(Reports().empty());
        SAME_PICTURE(Image(p.quick.Picture1), Image(p.plain.Picture1));
        if (equation.isEmpty()) return;

        p.draw([](Form1& f) {
            f.Command5_Click();
            f.Command4_Click(0);
        });
        SAME_PICTURE(Image(p.quick.Picture1), Image(p.plain.Picture1));
    }

    // Single dots and lines over the plane, where the quick ways have their edges.
    void primitives_data()
    {
        QTest::addColumn<bool>("dot");
        QTest::addColumn<QLineF>("at");  // a dot: centre and (radius, 0)
        QTest::addColumn<int>("width");
        QTest::newRow("dot, whole centre") << true << QLineF(100, 100, 3, 0) << 1;
        QTest::newRow("dot, fractional centre") << true << QLineF(100.25, 200.75, 3, 0) << 1;
        QTest::newRow("dot, half-pixel centre, 6 wide") << true << QLineF(300.5, 300.5, 3, 0) << 6;
        QTest::newRow("dot, odd fractions, 6 wide") << true << QLineF(123.3, 45.9, 3, 0) << 6;
        QTest::newRow("dot cut at the left edge") << true << QLineF(-2, 300, 3, 0) << 1;
        QTest::newRow("dot cut at the top right corner") << true << QLineF(599.6, 0.4, 3, 0) << 6;
        QTest::newRow("dot cut at the bottom") << true << QLineF(300.7, 601.5, 3, 0) << 6;
        QTest::newRow("dot just outside") << true << QLineF(-6.6, 300, 3, 0) << 6;
        QTest::newRow("slanted, ends inside, 6 wide") << false << QLineF(100.3, 120.7, 480.2, 350.9) << 6;
        QTest::newRow("slanted, ends inside, 1 wide") << false << QLineF(10, 590, 590, 15) << 1;
        QTest::newRow("slanted, short, 6 wide") << false << QLineF(200, 200, 203, 201) << 6;
        QTest::newRow("slanted, one end outside") << false << QLineF(-100, 50, 300.5, 400.25) << 6;
        QTest::newRow("slanted, ends just outside") << false << QLineF(-9, 20, 609, 580) << 6;
        QTest::newRow("slanted, both ends far outside") << false << QLineF(-580, -0.6667, 1180, 586) << 6;
        QTest::newRow("slanted, across a corner") << false << QLineF(-50, 100, 100, -50) << 6;
        QTest::newRow("slanted, ends beyond a million") << false << QLineF(-1e7, -3e6, 1e7, 3.1e6) << 6;
        QTest::newRow("horizontal, fractional row") << false << QLineF(0, 300.5, 600, 300.5) << 3;
        QTest::newRow("vertical, past both edges") << false << QLineF(150.5, -20, 150.5, 700) << 6;
        QTest::newRow("horizontal, cut at the top") << false << QLineF(-50, 1, 250, 1) << 6;
    }
    void primitives()
    {
        QFETCH(bool, dot);
        QFETCH(QLineF, at);
        QFETCH(int, width);
        Pair p;
        p.draw([&](Form1& f) {
            f.DrawPlane();
            f.Picture1.DrawWidth(std::int16_t(width));
            if (dot)
                f.Picture1.Circle(at.x1(), at.y1(), at.x2());
            else
                f.Picture1.Line(at.x1(), at.y1(), at.x2(), at.y2(), platform::QBColor(12));
        });
        SAME_PICTURE(Image(p.quick.Picture1), Image(p.plain.Picture1));
    }

    // More phases than the dot cache keeps, drawn twice, so that evicted
    // stamps are made again.
    void manyPhases()
    {
        Pair p;
        p.draw([](Form1& f) {
            f.DrawPlane();
            for (int pass = 0; pass < 2; ++pass) {
                f.Picture1.DrawWidth(std::int16_t(pass == 0 ? 1 : 6));
                for (int i = 0; i < 100; ++i)
                    f.Picture1.Circle(30 + (i % 10) * 55 + i / 100.0 + pass * 20,
                                      30 + (i / 10) * 55 + (i * 37 % 100) / 100.0, 3);
            }
        });
        SAME_PICTURE(Image(p.quick.Picture1), Image(p.plain.Picture1));
    }

    // The form shown larger or smaller: axis lines and texts take their quick
    // ways at any scale, dots are stamped where a form pixel is a whole number
    // of image pixels (2 and 3 here) and drawn plainly elsewhere. The plane
    // with both runs of points, the line, the points again over it, and dots
    // at fractional places.
    void atScale_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::newRow("half: lines and texts") << QSize(438, 325);
        QTest::newRow("by a height of 1000 (1.54): lines") << QSize(2000, 1000);
        QTest::newRow("2x: lines, texts, stamped dots") << QSize(1752, 1300);
        QTest::newRow("3x: lines, texts, stamped dots") << QSize(2628, 1950);
    }
    void atScale()
    {
        QFETCH(QSize, window);
        Pair p;
        for (Form1* f : {&p.quick, &p.plain}) {
            Widget(*f)->resize(window);
            QTRY_COMPARE(Widget(*f)->size(), window);
        }
        p.draw([](Form1& f) {
            f.unitSize = 14;
            f.DrawPlane();
            for (std::int16_t i = 0; i <= 2; ++i) f.Text1(i).Text(i == 1 ? "-5" : i == 0 ? "2" : "1");
            f.Command4_Click(0);
            f.Command4_Click(1);
            f.Command5_Click();
            f.Command4_Click(0);
            f.Picture1.DrawWidth(1);
            for (int i = 0; i < 40; ++i) f.Picture1.Circle(30 + (i % 8) * 70 + i / 7.0, 40 + (i / 8) * 110 + i / 3.0, 3);
        });
        QVERIFY(Reports().empty());
        const QString outside = difference(Image(p.quick.Picture1), Image(p.plain.Picture1), planeTexts(14, 300, 300));
        QVERIFY2(outside.isEmpty(), qPrintable(outside));
        SAME_PICTURE(Image(p.quick.Picture1), Image(p.plain.Picture1));
    }

    // Texts at fractional places, and after the picture's font has changed.
    void texts()
    {
        Pair p;
        p.draw([](Form1& f) {
            f.DrawPlane();
            f.Picture1.CurrentX(100.5);
            f.Picture1.CurrentY(200.25);
            f.Picture1.Print(" 15");
            f.Picture1.FontSize(12);
            f.Picture1.CurrentX(400.75);
            f.Picture1.CurrentY(99.5);
            f.Picture1.Print(" 15");
            f.Picture1.FontSize(30);
            f.DrawPlane();
            f.Picture1.Print("-10");
        });
        SAME_PICTURE(Image(p.quick.Picture1), Image(p.plain.Picture1));
    }
};

LG_TEST_MAIN(FastPathsTest)
#include "test_fastpaths.moc"
