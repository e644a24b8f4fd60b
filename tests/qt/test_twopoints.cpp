// The third lesson as a learner goes through it: two points typed with Enter
// (or tapped on the plane), every step by Enter, what each step shows beside
// the plane and marks on it, 「確かめる」 opening the first lesson with the
// line's equation, and the messages that select the box to correct. One table;
// its rows differ only by values (the arithmetic itself is the pure tests').
#include "testmain.h"

#include <QAccessible>

#include <array>
#include <cmath>
#include <random>

#include "twopoints/form3.h"

namespace {

struct Row {
    const char* name;
    QStringList points;      // x₁ y₁ x₂ y₂ typed, or empty where taps give them
    QList<QPoint> taps;      // plane points tapped, at 22 pixels a unit from (300, 300)
    QString message;         // the message of 「２点をとる」, or empty
    int box = -1;            // the box it selects
    QString rate;            // block B: y₂－y₁/x₂－x₁＝Δy/Δx＝変化の割合
    QString working;         // the 切片 worked out, then ｂ
    QString equation;        // the ten slots, a fraction as (num/den)
    QString form;            // a·x＋b·y＝c
    QStringList opened;      // what 「確かめる」 types into the first lesson
};

const Row kRows[] = {
    {"A(−1, 2), B(2, 4)", {"-1", "2", "2", "4"}, {}, "", -1, "4－2/2－（－1）＝＋2/＋3＝(2/3)",
     "2＝(2/3)×（－1）＋ｂ ｂ＝(8/3)", "ｙ＝( 2/ 3)ｘ＋( 8/ 3)", "2ｘ－3ｙ＝－8", {"2", "-3", "-8"}},
    {"tapped: A(−1, 2), B(2, 4)", {}, {{-1, 2}, {2, 4}}, "", -1, "4－2/2－（－1）＝＋2/＋3＝(2/3)",
     "2＝(2/3)×（－1）＋ｂ ｂ＝(8/3)", "ｙ＝( 2/ 3)ｘ＋( 8/ 3)", "2ｘ－3ｙ＝－8", {"2", "-3", "-8"}},
    {"a vertical line", {"0.5", "1", "0.5", "3"}, {}, "", -1, "3－1/0.5－0.5＝＋2/0", "", "ｘ＝( 1/ 2)",
     "2ｘ＋0ｙ＝1", {"2", "0", "1"}},
    {"a horizontal line", {"1", "2", "5", "2"}, {}, "", -1, "2－2/5－1＝0/＋4＝0", "2＝0×1＋ｂ ｂ＝2", "ｙ＝ 2",
     "0ｘ＋ｙ＝2", {"0", "1", "2"}},
    {"decimals read exactly", {"０．１", "0.2", "0.3", "0.5"}, {}, "", -1, "0.5－0.2/0.3－0.1＝＋0.3/＋0.2＝(3/2)",
     "0.2＝(3/2)×0.1＋ｂ ｂ＝(1/20)", "ｙ＝( 3/ 2)ｘ＋( 1/ 20)", "30ｘ－20ｙ＝－1", {"30", "-20", "-1"}},
    {"a falling line", {"1", "-2", "-3", "4"}, {}, "", -1, "4－（－2）/－3－1＝＋6/－4＝－(3/2)",
     "－2＝－(3/2)×1＋ｂ ｂ＝－(1/2)", "ｙ＝－( 3/ 2)ｘ－( 1/ 2)", "3ｘ＋2ｙ＝－1", {"3", "2", "-1"}},
    {"the same point twice", {"2", "3", "2", "3"}, {}, "ＡとＢが同じ点です。\nＢには、Ａとちがう点の座標を入力してください。", 2, "", "", "", "", {}},
    {"too many digits", {"12345678", "0", "1", "1"}, {}, "Ａのｘ座標は、けたが多すぎます。\n７けたまでの数を入力してください。", 0, "", "", "", "", {}},
};

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

// A press and release on the plane's pixel (X, Y), as a tap.
void tap(Form3& f, QPoint at)
{
    QTest::mouseClick(Widget(f.Picture1), Qt::LeftButton, {}, at);
}

// A press at one pixel of the plane, a move to another and the release there.
void pressMoved(Form3& f, QPoint from, QPoint to)
{
    QTest::mousePress(Widget(f.Picture1), Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), Widget(f.Picture1)->mapToGlobal(QPointF(to)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Widget(f.Picture1), &move);
    QTest::mouseRelease(Widget(f.Picture1), Qt::LeftButton, {}, to);
}

QString shown(const platform::Label& l) { return l.Visible() ? Q(l.Caption()) : QString(); }

// A fraction as the labels show it: minus sign, then a whole number or (num/den).
QString fraction(const platform::Label& minus, const platform::Label& whole, const platform::Label& num,
                 const platform::Label& den)
{
    return shown(minus) + shown(whole) + (num.Visible() ? "(" + shown(num) + "/" + shown(den) + ")" : QString());
}

QString rateShown(Form3& f)
{
    return shown(f.Label9(1)) + "/" + shown(f.Label9(2)) + "＝" + shown(f.Label9(4)) + "/" + shown(f.Label9(5)) +
           (f.Label9(6).Visible() ? "＝" + fraction(f.Label9(7), f.Label9(8), f.Label9(9), f.Label9(10)) : QString());
}

QString workingShown(Form3& f)
{
    if (!f.Label11(0).Visible()) return {};
    return shown(f.Label11(0)) + shown(f.Label11(1)) + fraction(f.Label11(2), f.Label11(3), f.Label11(4), f.Label11(5)) +
           shown(f.Label11(6)) + shown(f.Label11(7)) + shown(f.Label11(8)) + " " + shown(f.Label12(0)) +
           fraction(f.Label12(1), f.Label12(2), f.Label12(3), f.Label12(4));
}

QString equationShown(Form3& f)
{
    QString s;
    for (std::int16_t i : {0, 1, 2}) s += shown(f.Label4(i));
    if (f.Line1(0).Visible()) s += "(" + shown(f.Label4(3)) + "/" + shown(f.Label4(4)) + ")";
    for (std::int16_t i : {5, 6, 7}) s += shown(f.Label4(i));
    if (f.Line1(1).Visible()) s += "(" + shown(f.Label4(8)) + "/" + shown(f.Label4(9)) + ")";
    return s;
}

QRgb pixelOf(Form3& f, double x, double y)
{
    const double X = f.originX.value() + f.unitSize * x, Y = f.originY.value() - f.unitSize * y;
    return Image(f.Picture1).pixel(int(std::lround(X)), int(std::lround(Y))) & 0xFFFFFF;
}

}  // namespace

class TwoPointsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearReports(); }

    void lesson_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(kRows)); ++i) QTest::newRow(kRows[i].name) << i;
    }
    void lesson()
    {
        QFETCH(int, row);
        const Row& r = kRows[row];
        Form3 f;
        std::vector<platform::LessonOpening> opened;
        platform::SetOpenHook([&](const platform::LessonOpening& o) { opened.push_back(o); });
        f.Start();
        QVERIFY(QTest::qWaitForWindowActive(Widget(f)));
        // Typed, Enter leading x₁ → y₁ → x₂ → y₂ → 「２点をとる」 → the step; or tapped.
        for (const QString& text : r.points) {
            type(text);
            key(Qt::Key_Return);
        }
        if (!r.points.isEmpty()) {
            QVERIFY(f.Command4(0).HasFocus());
            key(Qt::Key_Return);
        }
        for (const QPoint& p : r.taps) tap(f, QPoint(300 + 22 * p.x(), 300 - 22 * p.y()));
        if (!r.message.isEmpty()) {
            QCOMPARE(int(Reports().size()), 1);
            QCOMPARE(Q(Reports()[0].text), r.message);
            QTRY_VERIFY(f.Text1(std::int16_t(r.box)).HasFocus());
            QCOMPARE(f.Text1(std::int16_t(r.box)).SelLength(), platform::Characters(f.Text1(std::int16_t(r.box)).Text()));
            QCOMPARE(f.Picture1.DotsShown(), 0);
            QVERIFY(!f.Command4(1).Enabled());
            return;
        }
        QVERIFY(Reports().empty());
        QTRY_VERIFY(f.Command4(1).HasFocus());
        // Both points marked, black, and named.
        QCOMPARE(f.Picture1.DotsShown(), 2);
        const twopoints::Working& w = f.work;
        const auto value = [](const twopoints::Decimal& d) { return double(d.digits) / std::pow(10.0, d.places); };
        QCOMPARE(pixelOf(f, value(w.x1), value(w.y1)), 0u);
        QCOMPARE(pixelOf(f, value(w.x2), value(w.y2)), 0u);
        for (const char* name : {"Ａ", "Ｂ"}) {
            int count = 0;
            for (const platform::PictureBox::Printed& t : f.Picture1.PrintedTexts()) count += t.text == name;
            QCOMPARE(count, 1);
        }
        for (int step = 0; step < 3; ++step) key(Qt::Key_Return);
        QTRY_VERIFY(f.Command2.HasFocus());
        QCOMPARE(rateShown(f), r.rate);
        QCOMPARE(f.Label10.Visible(), w.vertical);
        QCOMPARE(workingShown(f), r.working);
        QCOMPARE(equationShown(f), r.equation);
        QCOMPARE(shown(f.Label13), r.form);
        // The red line through both points; the 切片 ringed in magenta.
        if (!w.vertical) {
            const double m = double(w.rate.num) / double(w.rate.den), b = double(w.intercept.num) / double(w.intercept.den);
            const double x = value(w.x1) - 2.5;
            QCOMPARE(pixelOf(f, x, m * x + b), 0xFF0000u);
            QCOMPARE(Image(f.Picture1).pixel(int(std::lround(300 + 10.0)), int(std::lround(300 - 22 * b))) & 0xFFFFFF,
                     0xFF00FFu);
        } else {
            QCOMPARE(pixelOf(f, value(w.x1), value(w.y1) - 1.5), 0xFF0000u);
        }
        // What a screen reader hears of the plane and of the working.
        const QString described = Q(f.Picture1.AccessibleDescription());
        QVERIFY2(described.contains("と点Ｂ（") && described.contains("２点を通る直線（赤）が引いてあります。") &&
                     described.contains("直線の式は、"),
                 qPrintable(described));
        QVERIFY(Q(f.RateReading.Text()).startsWith("ｙの増加量は"));
        QVERIFY(!f.FormReading.Text().empty());
        // A size and a drag draw it all again from what was kept.
        QTest::mouseClick(Widget(f.Command3(0)), Qt::LeftButton);
        QCOMPARE(f.unitSize, std::int16_t(40));
        QCOMPARE(pixelOf(f, value(w.x2), value(w.y2)), 0u);
        // 「確かめる」: the first lesson, the line's a, b and c typed into its boxes.
        QTest::mouseClick(Widget(f.Command7), Qt::LeftButton);
        QCOMPARE(int(opened.size()), 1);
        QCOMPARE(opened[0].name, std::string("graph"));
        QStringList texts;
        for (const std::string& t : opened[0].texts) texts << Q(t);
        QCOMPARE(texts, r.opened);
        platform::SetOpenHook(nullptr);
    }

    // A drag pans and places nothing; a press that hardly moves places Ａ,
    // then Ｂ; 初期画面 starts again from Ａ; the picture is named after the points.
    void tapsAndDrags()
    {
        Form3 f;
        f.Start();
        QVERIFY(QTest::qWaitForWindowActive(Widget(f)));
        pressMoved(f, QPoint(200, 200), QPoint(230, 190));
        QCOMPARE(f.originX.value(), 330.0);
        QVERIFY(f.Text1(0).Text().empty());
        // Pressed at (331, 202), moved less than 4 pixels, released: Ａ at (0, 4).
        pressMoved(f, QPoint(331, 202), QPoint(333, 204));
        QCOMPARE(f.originX.value(), 330.0);
        QCOMPARE(Q(f.Text1(0).Text() + "," + f.Text1(1).Text()), QStringLiteral("0,4"));
        QCOMPARE(Q(f.PlaneFileName()), QStringLiteral("A(0,4).png"));
        QCOMPARE(f.Picture1.DotsShown(), 1);
        QVERIFY(Q(f.Picture1.AccessibleDescription()).contains("点Ａ（ｘ＝０、ｙ＝４）をとってあります。"));
        tap(f, QPoint(330 + 44, 290));
        QCOMPARE(Q(f.Text1(2).Text() + "," + f.Text1(3).Text()), QStringLiteral("2,0"));
        QCOMPARE(Q(f.PlaneFileName()), QStringLiteral("A(0,4)B(2,0).png"));
        QCOMPARE(f.step, std::int16_t(1));
        QTest::mouseClick(Widget(f.Command2), Qt::LeftButton);
        QVERIFY(f.Text1(0).Text().empty() && f.Text1(2).Text().empty());
        QCOMPARE(f.Picture1.DotsShown(), 0);
        QVERIFY(!f.Command4(1).Enabled() && !f.Command7.Visible());
        tap(f, QPoint(300, 300));
        QCOMPARE(Q(f.Text1(0).Text() + "," + f.Text1(1).Text()), QStringLiteral("0,0"));
    }

    // Random use of the window, seeded (LG_SOAK_SEED, LG_SOAK_STEPS): points
    // typed (whole numbers, decimals, full width, too long, the same twice),
    // the steps, taps, drags, sizes, arrow keys and 初期画面. After each action:
    // no runtime error; the steps enabled as far as reached; and whenever the
    // points are marked, the line kept passes through both points as last
    // taken, exactly, and each point in view is marked on the plane.
    void soak()
    {
        const int steps = qEnvironmentVariableIntValue("LG_SOAK_STEPS") > 0 ? qEnvironmentVariableIntValue("LG_SOAK_STEPS") : 1500;
        const unsigned seed = qEnvironmentVariableIsSet("LG_SOAK_SEED") ? qEnvironmentVariable("LG_SOAK_SEED").toUInt() : 20261209u;
        std::mt19937 random(seed);
        const auto pick = [&](int n) { return int(random() % unsigned(n)); };
        const auto number = [&]() -> QString {
            switch (pick(8)) {
            case 0: return QString::number(pick(2001) - 1000) + "." + QString::number(pick(1000));
            case 1: return QString::fromUtf8("－") + QString::number(pick(9) + 1);
            case 2: return "12345678";
            case 3: return QString();
            default: return QString::number(pick(25) - 12);
            }
        };
        Form3 f;
        f.Start();
        QVERIFY(QTest::qWaitForWindowActive(Widget(f)));
        platform::SetOpenHook([](const platform::LessonOpening&) {});
        std::array<platform::Reading, 4> taken{};
        int marked = 0, lines = 0;
        for (int step = 0; step < steps; ++step) {
            const int action = pick(10);
            bool takes = false;  // an action that may take the two points: 「２点をとる」, or a tap
            if (action == 0) {
                for (std::int16_t i = 0; i < 4; ++i) f.Text1(i).Text(number().toStdString());
                if (pick(4) == 0) f.Text1(2).Text(f.Text1(0).Text()), f.Text1(3).Text(f.Text1(1).Text());
            } else if (action <= 4) {
                platform::CommandButton* buttons[] = {&f.Command4(0), &f.Command4(1), &f.Command5, &f.Command6, &f.Command7};
                const int which = pick(5);
                QTest::mouseClick(Widget(*buttons[which]), Qt::LeftButton);
                takes = which == 0;
            } else if (action == 5) {
                takes = true;
                tap(f, QPoint(pick(600), pick(600)));
            } else if (action == 6) {
                f.Picture1_MouseDown(1, 0, 300, 300);
                f.Picture1_MouseMove(1, 0, float(300 + pick(81) - 40), float(300 + pick(81) - 40));
                f.Picture1_MouseUp(1, 0, 0, 0);
            } else if (action == 7) {
                QTest::mouseClick(Widget(f.Command3(std::int16_t(pick(3)))), Qt::LeftButton);
            } else if (action == 8) {
                f.Picture1.SetFocus();
                QTest::keyClick(Widget(f.Picture1), Qt::Key(Qt::Key_Left + pick(4)));
            } else if (pick(8) == 0) {
                QTest::mouseClick(Widget(f.Command2), Qt::LeftButton);
            }
            for (const platform::Report& r : Reports())
                QVERIFY2(r.kind != platform::Report::Kind::Error, r.text.c_str());
            // Taken: the points as the boxes hold them now, read anew.
            if (takes && Reports().empty() && f.step == 1 && f.aAlone == 0)
                for (std::int16_t i = 0; i < 4; ++i) taken[std::size_t(i)] = platform::ReadNumber(f.Text1(i).Text());
            ClearReports();
            const QString at = QStringLiteral("seed %1, step %2").arg(seed).arg(step);
            QVERIFY2(f.Command4(1).Enabled() == (f.step >= 1) && f.Command5.Enabled() == (f.step >= 2) &&
                         f.Command6.Enabled() == (f.step >= 3) && f.Command7.Visible() == (f.step == 4),
                     qPrintable(at));
            if (f.step == 0) continue;
            using Wide = __int128;
            // A reading times 10^8: whole for every point the lesson takes.
            const auto scaled = [](const platform::Reading& r) {
                Wide v = r.mantissa;
                for (int e = -8; e < r.exponent; ++e) v *= 10;
                return v;
            };
            const twopoints::Working& w = f.work;
            for (int p = 0; p < 2; ++p)
                QVERIFY2(Wide(w.a) * scaled(taken[2 * p]) + Wide(w.b) * scaled(taken[2 * p + 1]) ==
                             Wide(w.c) * Wide(100000000),
                         qPrintable(at + QStringLiteral(" : a point off the line kept, %1x + %2y = %3").arg(w.a).arg(w.b).arg(w.c)));
            ++lines;
            const double ax = f.originX.value() + f.unitSize * double(w.x1.digits) / std::pow(10.0, w.x1.places);
            const double ay = f.originY.value() - f.unitSize * double(w.y1.digits) / std::pow(10.0, w.y1.places);
            if (ax > 3 && ay > 3 && ax < 597 && ay < 597) {
                // (A name or an increase's value may be written over the dot: dark all the same.)
                QVERIFY2(qGray(Image(f.Picture1).pixel(int(std::lround(ax)), int(std::lround(ay)))) < 96, qPrintable(at));
                ++marked;
            }
        }
        platform::SetOpenHook(nullptr);
        qInfo("soak: %d steps (seed %u), %d lines checked through their points, %d points seen marked", steps, seed,
              lines, marked);
        QVERIFY(lines > 0 && marked > 0);
    }
};

LG_TEST_MAIN(TwoPointsTest)
#include "test_twopoints.moc"
