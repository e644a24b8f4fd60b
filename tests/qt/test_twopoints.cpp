// The third lesson as a learner goes through it: two points typed with Enter
// (or tapped on the plane), every step by Enter, what each step shows beside
// the plane and marks on it, 「確かめる」 opening the first lesson with the
// line's equation, and the messages that select the box to correct. One table;
// its rows differ only by values (the arithmetic itself is the pure tests').
#include "testmain.h"

#include <QAccessible>

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
        } else {
            QCOMPARE(pixelOf(f, value(w.x1), value(w.y1) - 1.5), 0xFF0000u);
            QCOMPARE(Image(f.Picture1).pixel(int(std::lround(300 + 10.0)), int(std::lround(300 - 22 * b))) & 0xFFFFFF,
                     0xFF00FFu);
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
        QTest::mousePress(Widget(f.Picture1), Qt::LeftButton, {}, QPoint(200, 200));
        QMouseEvent move(QEvent::MouseMove, QPointF(230, 190), Widget(f.Picture1)->mapToGlobal(QPointF(230, 190)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Widget(f.Picture1), &move);
        QTest::mouseRelease(Widget(f.Picture1), Qt::LeftButton, {}, QPoint(230, 190));
        QCOMPARE(f.originX.value(), 330.0);
        QVERIFY(f.Text1(0).Text().empty());
        // Pressed at (331, 212), moved 3 pixels, released: Ａ at (0, 4).
        QTest::mousePress(Widget(f.Picture1), Qt::LeftButton, {}, QPoint(331, 202));
        QMouseEvent nudge(QEvent::MouseMove, QPointF(333, 204), Widget(f.Picture1)->mapToGlobal(QPointF(333, 204)),
                          Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Widget(f.Picture1), &nudge);
        QTest::mouseRelease(Widget(f.Picture1), Qt::LeftButton, {}, QPoint(333, 204));
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
};

LG_TEST_MAIN(TwoPointsTest)
#include "test_twopoints.moc"
