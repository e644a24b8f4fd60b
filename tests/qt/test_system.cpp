// The second lesson as a learner goes through it: two equations typed with
// Enter, the four steps, the intersection shown as exact fractions and ringed
// on the plane, what it says of parallel lines and one line, the messages
// naming the equation, the plane moved and resized with everything shown
// again; and a seeded soak whose every intersection shown is checked against
// exact rational arithmetic kept here.
#include <QAccessible>

#include <cmath>
#include <random>

#include "testmain.h"
#include "system/form2.h"

namespace {

using Wide = __int128;

// Opens the window with a problem, as `linear-graph --system …` does.
void open(Form2& f, const QStringList& abc = {})
{
    std::vector<std::string> words;
    for (const QString& w : abc) words.push_back(w.toStdString());
    f.Start(words);
    QVERIFY(QTest::qWaitForWindowActive(Widget(f)));
}

void key(Qt::Key k)
{
    QWidget* target = QApplication::focusWidget();
    QVERIFY2(target, "nothing has the keyboard focus");
    QTest::keyClick(target, k);
}

// A text typed into whatever has the focus, as an input method hands its
// characters over (full-width ones too).
void type(const QString& text)
{
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(QApplication::focusWidget(), &press);
    }
}

// Every step by Enter, from the focus on 「点を打つ」.
void allSteps()
{
    for (int i = 0; i < 4; ++i) key(Qt::Key_Return);
}

// The intersection as shown: a fraction is (num/den).
QString shownPoint(Form2& f)
{
    auto part = [&](std::int16_t i) { return f.Label9(i).Visible() ? Q(f.Label9(i).Caption()) : QString(); };
    auto coordinate = [&](std::int16_t first, std::int16_t bar) {
        const QString whole = part(std::int16_t(first + 1));
        if (!f.Line2(bar).Visible()) return part(first) + whole;
        return part(first) + "(" + part(std::int16_t(first + 2)) + "/" + part(std::int16_t(first + 3)) + ")";
    };
    if (!f.Label9(0).Visible()) return {};
    return part(0) + coordinate(1, 0) + part(5) + coordinate(6, 1) + part(10);
}

QRgb at(Form2& f, double x, double y)
{
    // The plane's pixel of plane point (x, y).
    const double X = f.originX.value() + f.unitSize * x, Y = f.originY.value() - f.unitSize * y;
    return Image(f.Picture1).pixel(int(std::lround(X)), int(std::lround(Y)));
}

// The magenta ring's pixels: its rightmost point, radius 10, at plane point (x, y).
bool ringAt(Form2& f, double x, double y)
{
    const double X = f.originX.value() + f.unitSize * x + 10, Y = f.originY.value() - f.unitSize * y;
    const QImage& image = Image(f.Picture1);
    for (int dx = -1; dx <= 1; ++dx)
        if (image.pixel(int(std::lround(X)) + dx, int(std::lround(Y))) == qRgb(255, 0, 255)) return true;
    return false;
}

// Where each line's name (①, ②) stands, and what is wrong with it: each
// printed once, whole in the picture, and in its box nothing but the
// background, the grid lines and its own ink (no other line, no number).
QStringList nameFaults(Form2& f)
{
    QStringList faults;
    const QImage& image = Image(f.Picture1);
    const double k = image.width() / 600.0;
    const QFontMetricsF m(Widget(f.Picture1)->font());
    const auto onGrid = [&](int p, double origin) {
        const double d = std::fmod(std::fabs(p - origin), double(f.unitSize));
        return std::fabs(p - origin) <= 2 || d < 1 || d > f.unitSize - 1;
    };
    for (const char* name : {"①", "②"}) {
        int count = 0;
        for (const platform::PictureBox::Printed& t : f.Picture1.PrintedTexts()) {
            if (t.text != name) continue;
            ++count;
            const QRectF box = m.tightBoundingRect(Q(name)).translated(t.x, t.y + m.ascent());
            if (!QRectF(0, 0, 600, 600).contains(box)) faults << QStringLiteral("%1 at (%2, %3) is cut").arg(name).arg(t.x).arg(t.y);
            const QRgb other = name == std::string("①") ? qRgb(0, 0, 255) : qRgb(255, 0, 0);
            for (int y = int(box.top()); y <= int(box.bottom()); ++y)
                for (int x = int(box.left()); x <= int(box.right()); ++x) {
                    if (x < 0 || y < 0 || x >= 600 || y >= 600) continue;
                    const QRgb p = image.pixel(int((x + 0.5) * k), int((y + 0.5) * k)) & 0xFFFFFF;
                    const bool black = qRed(p) < 40 && qGreen(p) < 40 && qBlue(p) < 40;
                    if ((p | 0xFF000000u) == other || (black && !onGrid(x, f.originX.value()) && !onGrid(y, f.originY.value())))
                        faults << QStringLiteral("%1 at (%2, %3) is crossed at (%4, %5)").arg(name).arg(t.x).arg(t.y).arg(x).arg(y);
                }
        }
        if (count != 1) faults << QStringLiteral("%1 printed %2 times").arg(name).arg(count);
    }
    faults.removeDuplicates();
    return faults.mid(0, 6);
}

#define NAMED_CLEARLY(f)                                          \
    do {                                                          \
        const QStringList n_ = nameFaults(f);                     \
        QVERIFY2(n_.isEmpty(), qPrintable(n_.join("; ")));        \
    } while (0)

struct System {
    const char* name;
    QStringList abc;
    QString point;      // as shown, or empty
    QString statement;  // what the lesson says instead
    double x = 0, y = 0;
};

const System kSystems[] = {
    {"whole: (0, 2)", {"2", "3", "6", "1", "-1", "-2"}, "（ｘ，ｙ）＝（ 0， 2）", "", 0, 2},
    {"halves", {"1", "1", "1", "1", "-1", "0"}, "（ｘ，ｙ）＝（( 1/ 2)，( 1/ 2)）", "", 0.5, 0.5},
    {"sevenths and fourteenths", {"3", "2", "1", "1", "-4", "2"}, "（ｘ，ｙ）＝（( 4/ 7)，－( 5/ 14)）", "", 4.0 / 7,
     -5.0 / 14},
    {"tenths read exactly", {"0.1", "0.2", "0.3", "0.3", "-0.1", "0.2"}, "（ｘ，ｙ）＝（ 1， 1）", "", 1, 1},
    {"full width", {"－２", "１", "３", "２", "１", "－１"}, "（ｘ，ｙ）＝（－ 1， 1）", "", -1, 1},
    {"parallel", {"2", "3", "6", "4", "6", "5"}, "", "２つの式のグラフは平行です。\n交わらないので、\n解はありません。"},
    {"one line twice", {"0.5", "1.5", "3", "1", "3", "6"}, "", "２つの式のグラフは\n同じ直線です。\n直線上のすべての点の\n座標が解になります。"},
};

// The exact intersection of two equations typed as plain decimals, by
// elimination over rationals: the model the soak checks the lesson against.
struct Rational {
    Wide num = 0, den = 1;
};
Wide gcd(Wide a, Wide b)
{
    a = a < 0 ? -a : a;
    b = b < 0 ? -b : b;
    while (b) a %= b, std::swap(a, b);
    return a;
}
Rational make(Wide n, Wide d)
{
    if (d < 0) n = -n, d = -d;
    const Wide g = gcd(n, d);
    return g > 1 ? Rational{n / g, d / g} : Rational{n, d};
}
Rational sub(Rational a, Rational b) { return make(a.num * b.den - b.num * a.den, a.den * b.den); }
Rational mul(Rational a, Rational b) { return make(a.num * b.num, a.den * b.den); }
Rational quo(Rational a, Rational b) { return make(a.num * b.den, a.den * b.num); }
// A number as the boxes read it: mantissa × 10^exponent, exactly.
Rational decimal(const platform::Reading& r)
{
    Wide num = r.mantissa, den = 1;
    for (int e = r.exponent; e > 0; --e) num *= 10;
    for (int e = r.exponent; e < 0; ++e) den *= 10;
    return make(num, den);
}

// "point x y", "parallel", "same" for the two equations of the last runs.
QString model(const SystemLine& one, const SystemLine& two)
{
    Rational a1 = decimal(one.runA), b1 = decimal(one.runB), c1 = decimal(one.runC);
    Rational a2 = decimal(two.runA), b2 = decimal(two.runB), c2 = decimal(two.runC);
    // Take ① times a2/a1 (or swap) from ② to eliminate x; a1 and a2 may be 0.
    if (a1.num == 0) std::swap(a1, a2), std::swap(b1, b2), std::swap(c1, c2);
    if (a1.num == 0) {
        // Neither has x: y = c/b from each (b is never 0 where the lesson plots).
        const Rational y1 = quo(c1, b1), y2 = quo(c2, b2);
        return y1.num == y2.num && y1.den == y2.den ? "same" : "parallel";
    }
    const Rational k = quo(a2, a1);
    const Rational b = sub(b2, mul(k, b1)), c = sub(c2, mul(k, c1));
    if (b.num == 0) return c.num == 0 ? "same" : "parallel";
    const Rational y = quo(c, b);
    const Rational x = quo(sub(c1, mul(b1, y)), a1);
    const auto s = [](Rational r) { return QString::number(qlonglong(r.num)) + "/" + QString::number(qlonglong(r.den)); };
    return "point " + s(x) + " " + s(y);
}

QString state(const intersection::Result& m)
{
    using K = intersection::Result::Kind;
    if (m.kind == K::Parallel) return "parallel";
    if (m.kind == K::SameLine) return "same";
    if (m.kind == K::TooLarge) return "too large";
    return QStringLiteral("point %1/%2 %3/%4").arg(m.x.num).arg(m.x.den).arg(m.y.num).arg(m.y.den);
}

}  // namespace

class SystemTest : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearReports(); }

    // Typed by Enter from a₁ to c₂, then every step by Enter: what the
    // lesson shows and marks for each kind of system.
    void lesson_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(kSystems)); ++i) QTest::newRow(kSystems[i].name) << i;
    }
    void lesson()
    {
        QFETCH(int, row);
        const System& s = kSystems[row];
        Form2 f;
        open(f);
        for (const QString& text : s.abc) {
            type(text);
            key(Qt::Key_Return);
        }
        QVERIFY(f.Command4(0).HasFocus());
        key(Qt::Key_Return);
        // Both equations' points: ①'s dots, ②'s squares, a ring where both
        // mark one (the whole-number solution).
        if (s.point.contains("（ 0， 2）")) {
            QCOMPARE(at(f, 3, 0), qRgb(192, 0, 0));     // ① through (3, 0)
            QCOMPARE(at(f, -2, 0), qRgb(0, 0, 192));    // ② through (−2, 0)
            QCOMPARE(at(f, 0, 2) == qRgb(0, 0, 0) || at(f, 0.32, 2) == qRgb(0, 0, 0), true);
            const QImage& image = Image(f.Picture1);
            const int X = 300 + 7, Y = 300 - 2 * 22;  // the ring's rightmost point
            QVERIFY(qGray(image.pixel(X, Y)) < 60 || qGray(image.pixel(X - 1, Y)) < 60);
        }
        for (int i = 0; i < 3; ++i) key(Qt::Key_Return);
        QVERIFY(f.Command2.HasFocus());
        QVERIFY(Reports().empty());
        QCOMPARE(shownPoint(f), s.point);
        QCOMPARE(f.Label10.Visible(), !s.statement.isEmpty());
        QCOMPARE(Q(f.Label10.Caption()), s.statement);
        // Both equations shown, each read as one text; the intersection too.
        QVERIFY(f.Label4(0).Visible() && f.Label4(10).Visible());
        QVERIFY(Q(f.EquationReading1.Text()).startsWith("①　ｙ＝"));
        QVERIFY(Q(f.EquationReading2.Text()).startsWith("②　ｙ＝"));
        NAMED_CLEARLY(f);
        if (s.point.isEmpty()) {
            QCOMPARE(Q(f.SolutionReading.Text()), s.statement);
            return;
        }
        QVERIFY(Q(f.SolutionReading.Text()).startsWith("交点は、ｘ＝"));
        // The lines in their colours, the intersection ringed where it is.
        QVERIFY(ringAt(f, s.x, s.y));
        // A size and a drag draw it all again; the ring follows.
        QTest::mouseClick(Widget(f.Command3(0)), Qt::LeftButton);
        QCOMPARE(f.unitSize, std::int16_t(40));
        QVERIFY(ringAt(f, s.x, s.y));
        NAMED_CLEARLY(f);
        QTest::mousePress(Widget(f.Picture1), Qt::LeftButton, {}, QPoint(200, 200));
        QMouseEvent move(QEvent::MouseMove, QPointF(230, 180), Widget(f.Picture1)->mapToGlobal(QPointF(230, 180)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Widget(f.Picture1), &move);
        QTest::mouseRelease(Widget(f.Picture1), Qt::LeftButton, {}, QPoint(230, 180));
        QCOMPARE(f.originX.value(), 330.0);
        QVERIFY(ringAt(f, s.x, s.y));
        NAMED_CLEARLY(f);
        QCOMPARE(shownPoint(f), s.point);
    }

    // What a screen reader hears of the plane is what the plane shows: after
    // a change that could not plot again, an empty plane; a ring only where
    // the intersection is in view.
    void planeSaysWhatItShows_data()
    {
        QTest::addColumn<QStringList>("abc");
        QTest::addColumn<QString>("afterwards");  // a box set to 0 and a size, or nothing
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QStringList>("unsaid");
        const QString lines = "①の直線（赤）と②の直線（青）が引いてあります。", ring = "交点に印があります。";
        const QString outside = "交点は、いま見えている範囲の外にあります。";
        QTest::newRow("ringed in view") << QStringList{"2", "3", "6", "1", "-1", "-2"} << "" << QStringList{lines, ring}
                                        << QStringList{outside};
        QTest::newRow("the point outside the view") << QStringList{"1", "-1", "0", "1", "1", "60"} << ""
                                                    << QStringList{lines, outside} << QStringList{ring};
        QTest::newRow("b₁ = 0, then 小") << QStringList{"2", "3", "6", "1", "-1", "-2"} << "b1"
                                          << QStringList{"点は打っていません。", "直線は引いていません。"}
                                          << QStringList{lines, ring, outside};
    }
    void planeSaysWhatItShows()
    {
        QFETCH(QStringList, abc);
        QFETCH(QString, afterwards);
        QFETCH(QStringList, said);
        QFETCH(QStringList, unsaid);
        Form2 f;
        open(f, abc);
        allSteps();
        if (afterwards == "b1") {
            f.Text1(1).Text("0");
            QTest::mouseClick(Widget(f.Command3(0)), Qt::LeftButton);
            QCOMPARE(int(Reports().size()), 1);
            for (const platform::PictureBox::Printed& t : f.Picture1.PrintedTexts()) QVERIFY(t.text != "①" && t.text != "②");
        }
        QAccessibleInterface* plane = QAccessible::queryAccessibleInterface(Widget(f.Picture1));
        const QString description = plane->text(QAccessible::Description);
        for (const QString& words : said) QVERIFY2(description.contains(words), qPrintable(description));
        for (const QString& words : unsaid) QVERIFY2(!description.contains(words), qPrintable(description));
    }

    // A run that cannot plot names its equation, changes nothing and selects
    // the box to correct; an equation or a point too large to show says so.
    void messages_data()
    {
        QTest::addColumn<QStringList>("abc");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("box");  // the box to correct, or -1 after the last step
        QTest::newRow("b₂ = 0") << QStringList{"1", "1", "1", "1", "０", "1"}
                                << "②の式で、ｂが０なので、式をｙについて解くことができません。\nｂには０でない数を入れてください。" << 4;
        QTest::newRow("a₁ too large") << QStringList{"1e300", "1", "1", "1", "1", "1"}
                                      << "①の式で、数が大きすぎて、点を打つことができません。\nａ，ｂ，ｃには、もっと小さな数を入れてください。" << 0;
        QTest::newRow("b₁ too near 0") << QStringList{"1", "1e-40", "1", "1", "1", "1"}
                                       << "①の式で、ｂが０に近すぎて、点を打つことができません。\nｂには、もっと０から離れた数を入れてください。" << 1;
        QTest::newRow("① too large to show") << QStringList{"1", "0.000123457", "1", "1", "1", "1"}
                                             << "①の直線の式は、数が大きすぎて表示できません。" << -1;
        QTest::newRow("the point too large") << QStringList{"1", "1000", "1", "1", "1001", "100000"}
                                             << "交点の座標は、数が大きすぎて表示できません。" << -1;
    }
    void messages()
    {
        QFETCH(QStringList, abc);
        QFETCH(QString, message);
        QFETCH(int, box);
        Form2 f;
        open(f, abc);
        QTest::mouseClick(Widget(f.Command4(0)), Qt::LeftButton);
        if (box >= 0) {
            QCOMPARE(int(Reports().size()), 1);
            QCOMPARE(Q(Reports()[0].text), message);
            QCOMPARE(f.Picture1.DotsShown(), 0);
            QVERIFY(!f.Command5.Enabled());
            QVERIFY(f.Text1(std::int16_t(box)).HasFocus());
            QCOMPARE(f.Text1(std::int16_t(box)).SelLength(), platform::Characters(f.Text1(std::int16_t(box)).Text()));
            return;
        }
        QTest::mouseClick(Widget(f.Command5), Qt::LeftButton);
        QTest::mouseClick(Widget(f.Command6), Qt::LeftButton);
        QCOMPARE(int(Reports().size()), 1);
        QCOMPARE(Q(Reports()[0].text), message);
        QVERIFY(f.Label4(10).Visible());  // ② shown all the same
        QCOMPARE(f.Label9(0).Visible(), !message.startsWith("交点"));
    }

    // The intersection shown stays what is read and ringed when ② is typed
    // anew and plotted again, until 「交点を求める」 shows another.
    void shownStaysShown()
    {
        Form2 f;
        open(f, {"2", "3", "6", "1", "-1", "-2"});
        allSteps();
        const QString reading = Q(f.SolutionReading.Text());
        f.Text1(5).Text("-3");
        QTest::mouseClick(Widget(f.Command4(0)), Qt::LeftButton);
        QTest::mouseClick(Widget(f.Command3(0)), Qt::LeftButton);
        QCOMPARE(shownPoint(f), QStringLiteral("（ｘ，ｙ）＝（ 0， 2）"));
        QCOMPARE(Q(f.SolutionReading.Text()), reading);
        QVERIFY(ringAt(f, 0, 2));
        QTest::mouseClick(Widget(f.Command6), Qt::LeftButton);
        QCOMPARE(shownPoint(f), QStringLiteral("（ｘ，ｙ）＝（－( 3/ 5)，( 12/ 5)）"));
        QVERIFY(ringAt(f, -0.6, 2.4));
    }

    // 「初期画面」 empties everything and keeps the size; a name for the picture.
    void resetAndName()
    {
        Form2 f;
        open(f, {"2", "3", "6", "1", "-1", "-2"});
        QCOMPARE(Q(f.PlaneFileName()), QStringLiteral("2x+3y=6,x-y=-2.png"));
        allSteps();
        QTest::mouseClick(Widget(f.Command3(2)), Qt::LeftButton);
        QTest::mouseClick(Widget(f.Command2), Qt::LeftButton);
        QCOMPARE(f.unitSize, std::int16_t(14));
        QVERIFY(f.Text1(0).HasFocus());
        for (std::int16_t i = 0; i < 6; ++i) QVERIFY(f.Text1(i).Text().empty());
        QVERIFY(!f.Label9(0).Visible() && !f.Label4(0).Visible() && !f.Command6.Enabled());
        QCOMPARE(f.Picture1.DotsShown(), 0);
        QCOMPARE(Q(f.PlaneFileName()), QStringLiteral("座標平面.png"));
    }

    // Random use of the window; every intersection it works out is checked
    // against the model above.
    void soak()
    {
        const int steps = qEnvironmentVariableIntValue("LG_SOAK_STEPS") > 0 ? qEnvironmentVariableIntValue("LG_SOAK_STEPS") : 1500;
        std::mt19937 random(20261208);
        const auto pick = [&](int n) { return int(random() % unsigned(n)); };
        const auto number = [&] {
            QString t = QString::number(pick(41) - 20);
            if (pick(3) == 0) t += "." + QString::number(pick(10));
            return t == "0" && pick(2) ? QStringLiteral("0.5") : t;
        };
        Form2 f;
        open(f);
        int checked = 0, points = 0, parallels = 0, same = 0;
        for (int step = 0; step < steps; ++step) {
            const int action = pick(8);
            if (action == 0) {
                // Two equations at random, or ② parallel to ①, or ① again times 2.
                QStringList t;
                for (int i = 0; i < 6; ++i) t << number();
                const int kind = pick(4);
                if (kind >= 2) {
                    t[3] = QString::number(2 * t[0].toDouble());
                    t[4] = QString::number(2 * t[1].toDouble());
                    if (kind == 3) t[5] = QString::number(2 * t[2].toDouble());
                }
                for (std::int16_t i = 0; i < 6; ++i) f.Text1(i).Text(t[i].toStdString());
            } else if (action <= 4) {
                platform::CommandButton* steps4[] = {&f.Command4(0), &f.Command4(1), &f.Command5, &f.Command6};
                QTest::mouseClick(Widget(*steps4[pick(4)]), Qt::LeftButton);
            } else if (action == 5) {
                QTest::mouseClick(Widget(f.Command3(std::int16_t(pick(3)))), Qt::LeftButton);
            } else if (action == 6) {
                f.Picture1_MouseDown(1, 0, 300, 300);
                f.Picture1_MouseMove(1, 0, float(300 + pick(61) - 30), float(300 + pick(61) - 30));
                f.Picture1_MouseUp(1, 0, 0, 0);
            } else if (pick(10) == 0) {
                QTest::mouseClick(Widget(f.Command2), Qt::LeftButton);
            }
            ClearReports();
            // Once a run has plotted, where its lines meet is known, and shown
            // by the last step.
            if (f.pointsShown == 1) {
                const QString want = model(f.line[0], f.line[1]);
                QCOMPARE(state(f.meeting), want);
                if (f.solutionShown == 1 && want.startsWith("point")) QVERIFY(f.Label9(0).Visible());
                ++checked;
                points += want.startsWith("point");
                parallels += want == "parallel";
                same += want == "same";
            }
        }
        qInfo("soak: %d steps, %d intersections checked (%d points, %d parallel, %d one line)", steps, checked, points,
              parallels, same);
        QVERIFY(checked > 0 && points > 0);
    }
};

LG_TEST_MAIN(SystemTest)
#include "test_system.moc"
