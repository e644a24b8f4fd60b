// The lesson from the keyboard: Enter leads from box a to b to c and on to
// "点を打つ", and Enter or Space on each focused button runs the lesson to its end.
#include "testmain.h"
#include "app/form1.h"

namespace {

// A key as the learner presses it: into whatever has the keyboard focus.
void press(QWidget* window, Qt::Key key)
{
    QWidget* target = QApplication::focusWidget();
    QVERIFY2(target, "nothing has the keyboard focus");
    QTest::keyClick(target ? target : window, key);
}

void type(const QString& text)
{
    QWidget* target = QApplication::focusWidget();
    QVERIFY2(target, "nothing has the keyboard focus");
    QTest::keyClicks(target, text);
}

// The equation as the labels and bars show it: a fraction is (upper/lower),
// with "/" only when its bar is visible.
QString shownEquation(Form1& f)
{
    auto part = [&](std::int16_t i) { return f.Label4(i).Visible() ? f.Label4(i).Caption() : QString(); };
    auto fraction = [&](std::int16_t upper, std::int16_t lower, std::int16_t bar) {
        if (part(upper).isEmpty() && part(lower).isEmpty() && !f.Line1(bar).Visible()) return QString();
        return "(" + part(upper) + (f.Line1(bar).Visible() ? "/" : " ") + part(lower) + ")";
    };
    return part(0) + part(1) + part(2) + fraction(3, 4, 0) + part(5) + part(6) + part(7) + fraction(8, 9, 1);
}

void open(Form1& f)
{
    f.Start();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
}

}  // namespace

class EntryTest : public QObject {
    Q_OBJECT
private slots:
    void enterMovesOnFromAnEmptyBox()
    {
        Form1 f;
        open(f);
        press(&f, Qt::Key_Return);
        QVERIFY(f.Text1(1).hasFocus());
        press(&f, Qt::Key_Enter);  // the keypad's Enter too
        QVERIFY(f.Text1(2).hasFocus());
        press(&f, Qt::Key_Return);
        QVERIFY(f.Command4(0).hasFocus());
        for (std::int16_t i = 0; i <= 2; ++i) QVERIFY(f.Text1(i).Text().isEmpty());
    }

    void otherKeysReachTheBox()
    {
        Form1 f;
        open(f);
        type("-2.5x+/,E");
        QCOMPARE(f.Text1(0).Text(), QStringLiteral("-2.5x+/,E"));
        QVERIFY(f.Text1(0).hasFocus());
        press(&f, Qt::Key_Backspace);
        QCOMPARE(f.Text1(0).Text(), QStringLiteral("-2.5x+/,"));
        press(&f, Qt::Key_Tab);  // Tab follows the tab order, not the Enter chain
        QVERIFY(f.Command2.hasFocus());
    }

    // From box a to "初期画面", pressing each focused button with Enter or Space.
    void lessonByKeyboard_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }

    void lessonByKeyboard()
    {
        QFETCH(int, key);
        const auto k = static_cast<Qt::Key>(key);
        Form1 f;
        open(f);
        QVERIFY(f.Text1(0).hasFocus());
        type("1");
        press(&f, Qt::Key_Return);
        QVERIFY(f.Text1(1).hasFocus());
        type("3");
        press(&f, Qt::Key_Return);
        QVERIFY(f.Text1(2).hasFocus());
        type("1");
        press(&f, Qt::Key_Return);
        QVERIFY(f.Command4(0).hasFocus());
        // Enter added nothing to the boxes and only moved the focus: the
        // button has not been pressed.
        QCOMPARE(f.Text1(0).Text() + f.Text1(1).Text() + f.Text1(2).Text(), QStringLiteral("131"));
        QVERIFY(f.pointsShown != 1);
        QVERIFY(!f.Command5.Enabled());

        press(&f, k);  // 点を打つ
        QVERIFY(f.pointsShown == 1);
        QVERIFY(f.Command5.Enabled());
        QVERIFY(f.Command4(1).hasFocus());

        press(&f, k);  // さらに点を打つ
        QVERIFY(f.morePointsShown == 1);
        QVERIFY(f.Command5.hasFocus());

        press(&f, k);  // すべての点を打つ
        QCOMPARE(f.lineShown, std::int16_t(1));
        QVERIFY(f.Command6.Enabled());
        QVERIFY(f.Command6.hasFocus());

        press(&f, k);  // 式を表示
        QVERIFY(f.Command2.hasFocus());
        QCOMPARE(shownEquation(f), QString::fromUtf8("ｙ＝－( 1/ 3)ｘ＋( 1/ 3)"));
        QVERIFY(platform::Reports().empty());

        press(&f, k);  // 初期画面: back to the start of the lesson
        QVERIFY(f.Text1(0).hasFocus());
        for (std::int16_t i = 0; i <= 2; ++i) QVERIFY(f.Text1(i).Text().isEmpty());
        QVERIFY(!f.Command5.Enabled());
        QVERIFY(!f.Command6.Enabled());
        QCOMPARE(shownEquation(f), QString());
    }
};

LG_TEST_MAIN(EntryTest)
#include "test_entry.moc"
