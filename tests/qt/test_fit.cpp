// Numbers a learner sees whole: a text that does not fit its box or label is
// shown smaller, just small enough; everything that fits is shown as laid out.
#include "testmain.h"
#include "app/form1.h"
#include "lesson.h"
#include "platform/native.h"

namespace {

// The first and last columns of a label's own rendering that hold ink of
// its white text (smoothed edges included) on the green.
std::pair<int, int> inkColumns(QWidget* w)
{
    const QImage shot = w->grab().toImage();
    int first = -1, last = -1;
    for (int x = 0; x < shot.width(); ++x)
        for (int y = 0; y < shot.height(); ++y)
            if (qRed(shot.pixel(x, y)) > 64) {
                if (first < 0) first = x;
                last = x;
                break;
            }
    return {first, last};
}

// How many rows from the first to the last that hold ink of its white text.
int inkDepth(QWidget* w)
{
    const QImage shot = w->grab().toImage();
    int first = -1, last = -1;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (qRed(shot.pixel(x, y)) > 64) {
                if (first < 0) first = y;
                last = y;
                break;
            }
    return first < 0 ? 0 : last - first + 1;
}

// Types a text into whatever has the focus, one character at a time, as an
// input method hands its characters over.
void typeInto(const QString& text)
{
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(QApplication::focusWidget(), &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(QApplication::focusWidget(), &release);
    }
}

}  // namespace

class FitTest : public QObject {
    Q_OBJECT
private slots:
    // Typed into the focused box: the whole text is in view, from its first
    // character to its last, unless it is too long even at the least size.
    void boxes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("shrunk");
        QTest::addColumn<bool>("whole");
        QTest::newRow("2") << "2" << false << true;
        QTest::newRow("-3") << "-3" << false << true;
        QTest::newRow("full-width -0.5") << QString::fromUtf8("－０．５") << true << true;
        QTest::newRow("-12.5") << "-12.5" << true << true;
        QTest::newRow("0.0625") << "0.0625" << true << true;
        QTest::newRow("0.000123457") << "0.000123457" << true << false;
        QTest::newRow("far too long") << "-123456789012345678901234567890" << true << false;
    }
    void boxes()
    {
        QFETCH(QString, typed);
        QFETCH(bool, shrunk);
        QFETCH(bool, whole);
        Form1 f;
        open(f);
        typeInto(typed);
        QLineEdit* box = Widget(f.Text1(0));
        QCOMPARE(box->text(), typed);
        const int layout = platform::PixelsOfPoints(24);
        QCOMPARE(f.Text1(0).ShownPixels() < layout, shrunk);
        QCOMPARE(box->font().pixelSize(), f.Text1(0).ShownPixels());
        QVERIFY(f.Text1(0).ShownPixels() >= 8);
        // Where the first and the last character stand, with the cursor at the
        // end, as the box shows them.
        box->grab();
        const int middle = box->height() / 2;
        const bool startSeen = box->cursorPositionAt(QPoint(3, middle)) == 0;
        const bool endSeen = box->cursorPositionAt(QPoint(box->width() - 3, middle)) == typed.size();
        QCOMPARE(startSeen && endSeen, whole);
        // Emptied, the box is as laid out again.
        box->clear();
        QCOMPARE(f.Text1(0).ShownPixels(), layout);
        QCOMPARE(box->font().pixelSize(), layout);
    }

    // The equation's numbers shown whole, not cut off by their label or
    // covered by the next one; what fits stays exactly as laid out.
    void equation_data()
    {
        QTest::addColumn<QStringList>("abc");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QList<int>>("shrunk");  // the slots shown smaller
        QTest::newRow("2x + 3y = 6") << QStringList{"2", "3", "6"} << QString::fromUtf8("ｙ＝－( 2/ 3)ｘ＋ 2") << QList<int>{};
        QTest::newRow("100x + y = 0") << QStringList{"100", "1", "0"} << QString::fromUtf8("ｙ＝－ 100ｘ") << QList<int>{2};
        QTest::newRow("123456x + y = 654321") << QStringList{"123456", "1", "654321"}
                                              << QString::fromUtf8("ｙ＝－ 123456ｘ＋ 654321") << QList<int>{2, 7};
        // Shrunk to 14 px or less in a label laid out 33 px high: still one line.
        QTest::newRow("1234567x + y = 1234567") << QStringList{"1234567", "1", "1234567"}
                                                << QString::fromUtf8("ｙ＝－ 1234567ｘ＋ 1234567") << QList<int>{2, 7};
        QTest::newRow("x + 7y = 12345") << QStringList{"1", "7", "12345"}
                                        << QString::fromUtf8("ｙ＝－( 1/ 7)ｘ＋( 12345/ 7)") << QList<int>{8};
    }
    void equation()
    {
        QFETCH(QStringList, abc);
        QFETCH(QString, shown);
        QFETCH(QList<int>, shrunk);
        Form1 f;
        open(f);
        enter(f, abc[0], abc[1], abc[2]);
        QTest::mouseClick(Widget(f.Command4(0)), Qt::LeftButton);
        QTest::mouseClick(Widget(f.Command5), Qt::LeftButton);
        QTest::mouseClick(Widget(f.Command6), Qt::LeftButton);
        QCOMPARE(shownEquation(f), shown);
        const int layout = platform::PixelsOfPoints(20.25f);
        for (std::int16_t i = 0; i <= 9; ++i) {
            platform::Label& slot = f.Label4(i);
            QLabel* w = Widget(slot);
            const QString where = QStringLiteral("slot %1 '%2'").arg(i).arg(Q(slot.Caption()));
            QCOMPARE(w->font().pixelSize(), slot.ShownPixels());
            if (!shrunk.contains(i)) {
                QVERIFY2(slot.ShownPixels() == layout && slot.ShownPlace() == slot.Place(), qPrintable(where));
                QCOMPARE(w->geometry(), QRect(slot.Place().left, slot.Place().top, slot.Place().width, slot.Place().height));
                continue;
            }
            QVERIFY2(slot.ShownPixels() < layout, qPrintable(where));
            // The label shows all of its text's ink: none cut off at its edges.
            const auto ink = platform::native::MeasureText(slot.CurrentFont(), slot.ShownPixels(), slot.Caption());
            const auto [first, last] = inkColumns(w);
            QVERIFY2(first >= 0, qPrintable(where));
            // (The glyphs' outlines reach a pixel or so beyond their visible ink.)
            // On one line: its ink no deeper than a line of its size.
            QVERIFY2(inkDepth(w) <= slot.ShownPixels() * 3 / 2, qPrintable(where));
            QVERIFY2(last - first + 1 >= int(ink.inkRight - ink.inkLeft) - 3,
                     qPrintable(where + QStringLiteral(": ink %1..%2 of %3, measured %4..%5 at %6 px").arg(first).arg(last).arg(w->width()).arg(ink.inkLeft).arg(ink.inkRight).arg(slot.ShownPixels())));
            // No label shown beside it covers it.
            for (std::int16_t j = 0; j <= 9; ++j) {
                if (j == i || !f.Label4(j).Visible() || f.Label4(j).Caption().empty()) continue;
                const QRect other = Widget(f.Label4(j))->geometry();
                QVERIFY2(!other.intersects(w->geometry().adjusted(first, 0, last - w->width() + 1, 0)),
                         qPrintable(where + QStringLiteral(" under slot %1").arg(j)));
            }
        }
    }
};

LG_TEST_MAIN(FitTest)
#include "test_fit.moc"
