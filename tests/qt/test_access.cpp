// Assistive technology: every control is named, the plane says what it shows,
// and the plane can be moved from the keyboard as by a drag.
#include "testmain.h"

#include <QAccessible>

#include "app/form1.h"

namespace {

QString spoken(QWidget* w, QAccessible::Text t)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(t) : QString();
}

void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }

void type(Form1& f, const char* a, const char* b, const char* c)
{
    f.Text1(0).Text(a);
    f.Text1(1).Text(b);
    f.Text1(2).Text(c);
}

}  // namespace

class AccessTest : public QObject {
    Q_OBJECT

private slots:
    void everyControlNamed()
    {
        Form1 f;
        f.Start();
        int controls = 0;
        for (QWidget* w : Widget(f)->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (w == Widget(f.EquationReading)) continue;  // not a control: the equation read as one
            ++controls;
            QVERIFY2(!spoken(w, QAccessible::Name).isEmpty(), w->metaObject()->className());
        }
        QCOMPARE(controls, 34);
        QCOMPARE(spoken(Widget(f.Text1(0)), QAccessible::Name), QString::fromUtf8("ａの値"));
        QCOMPARE(spoken(Widget(f.Text1(1)), QAccessible::Name), QString::fromUtf8("ｂの値"));
        QCOMPARE(spoken(Widget(f.Text1(2)), QAccessible::Name), QString::fromUtf8("ｃの値"));
        QCOMPARE(spoken(Widget(f.Picture1), QAccessible::Name), QString::fromUtf8("座標平面"));
        QCOMPARE(spoken(Widget(f.Command4(0)), QAccessible::Name), QString::fromUtf8("点を打つ"));
    }

    void equationSlotsKeepTheirNames()
    {
        Form1 f;
        f.Start();
        type(f, "1", "3", "1");
        f.Command4_Click(0);
        f.Command5_Click();
        f.Command6_Click();
        // Each slot keeps its name; what it shows is its text.
        QCOMPARE(spoken(Widget(f.Label4(3)), QAccessible::Name), QString::fromUtf8("傾きの分子"));
        QCOMPARE(Widget(f.Label4(3))->text(), QStringLiteral(" 1"));
        QCOMPARE(spoken(Widget(f.Label4(4)), QAccessible::Name), QString::fromUtf8("傾きの分母"));
        f.Command2_Click();
        QCOMPARE(spoken(Widget(f.Label4(3)), QAccessible::Name), QString::fromUtf8("傾きの分子"));
    }

    // The equation shown is read as one text, as a Japanese reader says it,
    // kept current and announced when it changes.
    void equationReadAsOne_data()
    {
        QTest::addColumn<QStringList>("abc");
        QTest::addColumn<QString>("said");
        QTest::newRow("2x + 3y = 6") << QStringList{"2", "3", "6"} << QString::fromUtf8("ｙ＝マイナス３分の２ｘプラス２");
        QTest::newRow("x - 2y = 1") << QStringList{"1", "-2", "1"} << QString::fromUtf8("ｙ＝２分の１ｘマイナス２分の１");
        QTest::newRow("y = x") << QStringList{"-1", "1", "0"} << QString::fromUtf8("ｙ＝ｘ");
        QTest::newRow("3y = -5") << QStringList{"0", "3", "-5"} << QString::fromUtf8("ｙ＝マイナス３分の５");
    }
    void equationReadAsOne()
    {
        QFETCH(QStringList, abc);
        QFETCH(QString, said);
        Form1 f;
        f.Start();
        auto* reading = static_cast<platform::native::TextWidget*>(Widget(f.EquationReading));
        type(f, abc[0].toUtf8().constData(), abc[1].toUtf8().constData(), abc[2].toUtf8().constData());
        click(Widget(f.Command4(0)));
        click(Widget(f.Command5));
        QVERIFY(spoken(reading, QAccessible::Name).isEmpty());
        QCOMPARE(reading->announced, 0);
        click(Widget(f.Command6));
        QCOMPARE(spoken(reading, QAccessible::Name), said);
        QCOMPARE(QAccessible::queryAccessibleInterface(reading)->role(), QAccessible::StaticText);
        QCOMPARE(reading->announced, 1);
        // The plane tells the line's equation too.
        QVERIFY2(spoken(Widget(f.Picture1), QAccessible::Description).contains(QString::fromUtf8("直線の式は") + said),
                 qPrintable(spoken(Widget(f.Picture1), QAccessible::Description)));
        // Shown again, nothing new to announce; the reset empties it, and says so.
        click(Widget(f.Command6));
        QCOMPARE(reading->announced, 1);
        click(Widget(f.Command2));
        QVERIFY(spoken(reading, QAccessible::Name).isEmpty());
        QCOMPARE(reading->announced, 2);
    }

    // The size buttons are one choice: the chosen one is checked.
    void sizeChosenIsChecked()
    {
        Form1 f;
        f.Start();
        const auto checked = [&](std::int16_t i) {
            QAccessibleInterface* button = QAccessible::queryAccessibleInterface(Widget(f.Command3(i)));
            return button->state().checkable && button->state().checked;
        };
        QCOMPARE(QAccessible::queryAccessibleInterface(Widget(f.Command3(0)))->role(), QAccessible::RadioButton);
        QCOMPARE(spoken(Widget(f.Command3(2)), QAccessible::Name), QString::fromUtf8("大"));
        QVERIFY(!checked(0) && checked(1) && !checked(2));
        click(Widget(f.Command3(0)));
        QVERIFY(checked(0) && !checked(1) && !checked(2));
        // Pressed by assistive technology, as a click.
        QAccessibleInterface* large = QAccessible::queryAccessibleInterface(Widget(f.Command3(2)));
        large->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(f.unitSize, std::int16_t(14));
        QVERIFY(!checked(0) && !checked(1) && checked(2));
        click(Widget(f.Command2));  // the reset keeps the size
        QVERIFY(checked(2));
    }

    void planeDescriptionFollowsTheLesson()
    {
        Form1 f;
        f.Start();
        auto said = [&] { return spoken(Widget(f.Picture1), QAccessible::Description); };
        QVERIFY(said().contains(QString::fromUtf8("１目もり22ピクセル")));
        QVERIFY(said().contains(QString::fromUtf8("点は打っていません")));
        QVERIFY(said().contains(QString::fromUtf8("直線は引いていません")));
        type(f, "1", "3", "1");
        click(Widget(f.Command4(0)));
        // 26 whole-number points, of which those with |x| ≤ 13 lie on the picture.
        int inside = 0;
        for (int x = -38; x <= 37; x += 3) inside += std::abs(x) * 22 <= 303 ? 1 : 0;
        QVERIFY2(said().contains(QString::fromUtf8("点が%1個").arg(inside)), qPrintable(said()));
        click(Widget(f.Command5));
        QVERIFY(said().contains(QString::fromUtf8("直線が引いてあります")));
        click(Widget(f.Command3(0)));
        QVERIFY(said().contains(QString::fromUtf8("１目もり40ピクセルの座標平面（小）")));
        QVERIFY(said().contains(QString::fromUtf8("直線が引いてあります")));
        click(Widget(f.Command2));
        QVERIFY(said().contains(QString::fromUtf8("直線は引いていません")));
    }

    void arrowsPanTheFocusedPlane_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("presses");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<bool>("held");
        QTest::newRow("right") << int(Qt::Key_Right) << 1 << 322.0 << 300.0 << false;
        QTest::newRow("left, three presses") << int(Qt::Key_Left) << 3 << 234.0 << 300.0 << false;
        QTest::newRow("up") << int(Qt::Key_Up) << 1 << 300.0 << 278.0 << false;
        QTest::newRow("down to the limit") << int(Qt::Key_Down) << 20 << 300.0 << 540.0 << false;
        QTest::newRow("left held to the limit") << int(Qt::Key_Left) << 20 << 60.0 << 300.0 << true;
    }
    void arrowsPanTheFocusedPlane()
    {
        QFETCH(int, key);
        QFETCH(int, presses);
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(bool, held);
        Form1 f;
        f.Start();
        Widget(f)->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Widget(f)));
        type(f, "1", "3", "1");
        f.Command4_Click(0);
        f.Command4_Click(1);
        f.Command5_Click();
        // From 式を表示, Tab by Tab round to the plane, as a learner gets there.
        QVERIFY(f.Command6.HasFocus());
        while (!f.Picture1.HasFocus()) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        // Every press (or every repeat of a held key) goes to whatever has
        // the focus, and the plane keeps it.
        for (int i = 0; i < presses; ++i) {
            QTest::sendKeyEvent(QTest::KeyAction::Press, QApplication::focusWidget(), Qt::Key(key), QString(),
                                Qt::NoModifier);
            QVERIFY2(f.Picture1.HasFocus(), qPrintable(QStringLiteral("after press %1").arg(i + 1)));
            if (held) continue;
            QTest::sendKeyEvent(QTest::KeyAction::Release, QApplication::focusWidget(), Qt::Key(key), QString(),
                                Qt::NoModifier);
        }
        QCOMPARE(f.originX.value(), x);
        QCOMPARE(f.originY.value(), y);
        QCOMPARE(f.Label5(0).Left(), float(x + 4));
        // The same replays as a drag: the picture equals the plane drawn at
        // that origin with both point runs and the line.
        Form1 reference;
        type(reference, "1", "3", "1");
        reference.Form_Load();
        reference.originX = x;
        reference.originY = y;
        reference.DrawPlane();
        reference.Command4_Click(0);
        reference.Command4_Click(1);
        reference.Command5_Click();
        QCOMPARE(Image(f.Picture1), Image(reference.Picture1));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Widget(f.Picture1)));
    }

    void arrowsElsewhereDoNothingToThePlane()
    {
        Form1 f;
        f.Start();
        QTest::keyClick(Widget(f.Text1(0)), Qt::Key_Right);
        QTest::keyClick(Widget(f.Command4(0)), Qt::Key_Down);
        QCOMPARE(f.originX.value(), 300.0);
        QCOMPARE(f.originY.value(), 300.0);
    }

    void arrowWithBZeroTellsOnce()
    {
        Form1 f;
        f.Start();
        Widget(f)->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Widget(f)));
        type(f, "1", "3", "1");
        f.Command4_Click(0);
        f.Text1(1).Text("0");
        ClearReports();
        f.Picture1.SetFocus();
        QTest::keyClick(Widget(f.Picture1), Qt::Key_Right);
        QCOMPARE(Reports().size(), std::size_t(1));
        QCOMPARE(Reports().front().kind, platform::Report::Kind::Message);
        QCOMPARE(f.originX.value(), 322.0);
        // The box to correct has the focus: the next press is the box's, and
        // tells nothing again.
        QVERIFY(f.Text1(1).HasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QCOMPARE(Reports().size(), std::size_t(1));
        QCOMPARE(f.originX.value(), 322.0);
        ClearReports();
    }
};

LG_TEST_MAIN(AccessTest)
#include "test_access.moc"
