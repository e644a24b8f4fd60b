// The lesson from the keyboard: Enter leads from box a to b to c and on to
// "点を打つ", and Enter or Space on each focused button runs the lesson to its end.
#include "testmain.h"
#include "app/form1.h"
#include "lesson.h"

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

}  // namespace

class EntryTest : public QObject {
    Q_OBJECT
private slots:
    void enterMovesOnFromAnEmptyBox()
    {
        Form1 f;
        open(f);
        press(Widget(f), Qt::Key_Return);
        QVERIFY(f.Text1(1).HasFocus());
        press(Widget(f), Qt::Key_Enter);  // the keypad's Enter too
        QVERIFY(f.Text1(2).HasFocus());
        press(Widget(f), Qt::Key_Return);
        QVERIFY(f.Command4(0).HasFocus());
        for (std::int16_t i = 0; i <= 2; ++i) QVERIFY(f.Text1(i).Text().empty());
    }

    void otherKeysReachTheBox()
    {
        Form1 f;
        open(f);
        type("-2.5x+/,E");
        QCOMPARE(Q(f.Text1(0).Text()), QStringLiteral("-2.5x+/,E"));
        QVERIFY(f.Text1(0).HasFocus());
        press(Widget(f), Qt::Key_Backspace);
        QCOMPARE(Q(f.Text1(0).Text()), QStringLiteral("-2.5x+/,"));
        press(Widget(f), Qt::Key_Tab);  // Tab follows the tab order, not the Enter chain
        QVERIFY(f.Command2.HasFocus());
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
        QVERIFY(f.Text1(0).HasFocus());
        type("1");
        press(Widget(f), Qt::Key_Return);
        QVERIFY(f.Text1(1).HasFocus());
        type("3");
        press(Widget(f), Qt::Key_Return);
        QVERIFY(f.Text1(2).HasFocus());
        type("1");
        press(Widget(f), Qt::Key_Return);
        QVERIFY(f.Command4(0).HasFocus());
        // Enter added nothing to the boxes and only moved the focus: the
        // button has not been pressed.
        QCOMPARE(Q(f.Text1(0).Text() + f.Text1(1).Text() + f.Text1(2).Text()), QStringLiteral("131"));
        QVERIFY(f.pointsShown != 1);
        QVERIFY(!f.Command5.Enabled());

        press(Widget(f), k);  // 点を打つ
        QVERIFY(f.pointsShown == 1);
        QVERIFY(f.Command5.Enabled());
        QVERIFY(f.Command4(1).HasFocus());

        press(Widget(f), k);  // さらに点を打つ
        QVERIFY(f.morePointsShown == 1);
        QVERIFY(f.Command5.HasFocus());

        press(Widget(f), k);  // すべての点を打つ
        QCOMPARE(f.lineShown, std::int16_t(1));
        QVERIFY(f.Command6.Enabled());
        QVERIFY(f.Command6.HasFocus());

        press(Widget(f), k);  // 式を表示
        QVERIFY(f.Command2.HasFocus());
        QCOMPARE(shownEquation(f), QString::fromUtf8("ｙ＝－( 1/ 3)ｘ＋( 1/ 3)"));
        QVERIFY(Reports().empty());

        press(Widget(f), k);  // 初期画面: back to the start of the lesson
        QVERIFY(f.Text1(0).HasFocus());
        for (std::int16_t i = 0; i <= 2; ++i) QVERIFY(f.Text1(i).Text().empty());
        QVERIFY(!f.Command5.Enabled());
        QVERIFY(!f.Command6.Enabled());
        QCOMPARE(shownEquation(f), QString());
    }

    // A held key repeats: a held Enter steps through the boxes as single
    // presses do, but presses a button once per key press, never by its repeats.
    void heldEnterPressesOnce()
    {
        Form1 f;
        open(f);
        type("2");
        press(Widget(f), Qt::Key_Return);
        type("3");
        press(Widget(f), Qt::Key_Return);
        type("6");
        const auto hold = [&](Qt::Key key, int repeats) {
            QTest::sendKeyEvent(QTest::KeyAction::Press, QApplication::focusWidget(), key, QString(), Qt::NoModifier);
            for (int i = 0; i < repeats; ++i) {
                QKeyEvent repeat(QEvent::KeyPress, key, Qt::NoModifier, key == Qt::Key_Space ? " " : "\r", true);
                QApplication::sendEvent(QApplication::focusWidget(), &repeat);
            }
            QTest::sendKeyEvent(QTest::KeyAction::Release, QApplication::focusWidget(), key, QString(), Qt::NoModifier);
        };
        hold(Qt::Key_Return, 45);  // about 1.5 s of repeats, from box c
        QVERIFY(f.Command4(0).HasFocus());
        QVERIFY(f.pointsShown != 1);
        QCOMPARE(Q(f.Text1(0).Text() + f.Text1(1).Text() + f.Text1(2).Text()), QStringLiteral("236"));

        hold(Qt::Key_Return, 45);  // 点を打つ, once
        QVERIFY(f.pointsShown == 1);
        QVERIFY(f.morePointsShown != 1);
        QVERIFY(f.Command4(1).HasFocus());
        hold(Qt::Key_Space, 45);  // さらに点を打つ, once
        QVERIFY(f.morePointsShown == 1);
        QCOMPARE(f.lineShown, std::int16_t(0));
        QVERIFY(f.Command5.HasFocus());
        QVERIFY(Reports().empty());
    }
};

LG_TEST_MAIN(EntryTest)
#include "test_entry.moc"
