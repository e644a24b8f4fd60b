// "小", "中", "大": the highlight, the grid unit, the plane drawn afresh around
// the origin where it stands, and what was plotted plotted again.
#include "testmain.h"
#include "app/form1.h"
#include "lesson.h"

namespace {

void checkHighlight(Form1& f, int chosen)
{
    for (std::int16_t i = 0; i <= 2; ++i) {
        QCOMPARE(f.Command3(i).FontSize(), i == chosen ? 20.0f : 12.0f);
        QCOMPARE(f.Command3(i).FontBold(), i == chosen);
    }
}

}  // namespace

class SizeTest : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearReports(); }

    void choose_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("unit");
        QTest::newRow("小") << 0 << 40;
        QTest::newRow("中") << 1 << 22;
        QTest::newRow("大") << 2 << 14;
    }
    void choose()
    {
        QFETCH(int, index);
        QFETCH(int, unit);
        Form1 f;
        f.Start();
        QTest::mouseClick(Widget(f.Command3(index)), Qt::LeftButton);
        checkHighlight(f, index);
        QCOMPARE(f.unitSize, std::int16_t(unit));
        QCOMPARE(f.originX.value(), 300.0);
        QCOMPARE(f.originY.value(), 300.0);
        SAME_PICTURE(Image(f.Picture1), expected(300, 300, std::int16_t(unit)));
    }

    // After a drag to (400, 250) the new size is drawn around that same pixel.
    void keepsMovedOrigin()
    {
        Form1 f;
        f.Start();
        QTest::mousePress(Widget(f.Picture1), Qt::LeftButton, {}, QPoint(100, 100));
        moveTo(f, {200, 50});
        QTest::mouseRelease(Widget(f.Picture1), Qt::LeftButton, {}, QPoint(200, 50));
        QCOMPARE(f.originX.value(), 400.0);
        QCOMPARE(f.originY.value(), 250.0);

        QTest::mouseClick(Widget(f.Command3(0)), Qt::LeftButton);
        QCOMPARE(f.originX.value(), 400.0);
        QCOMPARE(f.originY.value(), 250.0);
        SAME_PICTURE(Image(f.Picture1), expected(f.originX, f.originY, 40));
    }

    // The replays are whole runs: they draw, store the points and fractions
    // again, enable the next buttons and move the focus.
    void replays_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("more");
        QTest::addColumn<bool>("line");
        QTest::addColumn<int>("focus");  // 4: "さらに点を打つ", 5: "すべての点を打つ", 6: "式を表示"
        QTest::newRow("小, all three") << 0 << true << true << 6;
        QTest::newRow("大, all three") << 2 << true << true << 6;
        QTest::newRow("大, 点を打つ only") << 2 << false << false << 4;
        QTest::newRow("小, both point runs") << 0 << true << false << 5;
    }
    void replays()
    {
        QFETCH(int, index);
        QFETCH(bool, more);
        QFETCH(bool, line);
        QFETCH(int, focus);
        const Lesson lesson{{"1", "3", "1"}, more, line};
        Form1 f;
        f.Start();
        run(f, lesson, true);
        // Forget what the runs stored, so that only the replays can bring it back.
        f.firstX = f.firstY = f.secondX = Variant();
        f.secondY = 0;
        f.slopeNum = f.slopeDen = f.interceptNum = 0;
        f.interceptDen = 0;
        f.Command5.Enabled(false);
        f.Command6.Enabled(false);

        QTest::mouseClick(Widget(f.Command3(index)), Qt::LeftButton);
        const std::int16_t unit = index == 0 ? 40 : 14;
        QCOMPARE(f.unitSize, unit);
        SAME_PICTURE(Image(f.Picture1), expected(300, 300, unit, lesson));
        QCOMPARE(f.firstX.value(), -38.0);
        QCOMPARE(f.firstY.value(), 13.0);
        QCOMPARE(f.secondX.value(), -35.0);
        QCOMPARE(f.secondY, 12.0f);
        QVERIFY(f.Command5.Enabled());
        QCOMPARE(f.Command6.Enabled(), line);
        if (line) {
            QCOMPARE(f.slopeNum.value(), -1.0);
            QCOMPARE(f.slopeDen.value(), 3.0);
            QCOMPARE(f.interceptNum.value(), 1.0);
            QCOMPARE(f.interceptDen, std::int16_t(3));
        }
        QWidget* const buttons[] = {Widget(f.Command4(1)), Widget(f.Command5), Widget(f.Command6)};
        QCOMPARE(Widget(f)->focusWidget(), buttons[focus - 4]);
        QVERIFY(Reports().empty());
    }

    // "中" is highlighted from the start; clicking it again still draws afresh.
    void highlightedAgain()
    {
        Form1 f;
        f.Start();
        run(f, kAllThree, true);
        f.Picture1.Circle(50, 550, 12);
        QTest::mouseClick(Widget(f.Command3(1)), Qt::LeftButton);
        checkHighlight(f, 1);
        QCOMPARE(f.unitSize, std::int16_t(22));
        SAME_PICTURE(Image(f.Picture1), expected(300, 300, 22, kAllThree));
        QCOMPARE(Widget(f)->focusWidget(), static_cast<QWidget*>(Widget(f.Command6)));
    }

    // "初期画面" keeps the size and its highlight; after it nothing is replayed.
    void sizeOutlivesReset()
    {
        Form1 f;
        f.Start();
        QTest::mouseClick(Widget(f.Command3(2)), Qt::LeftButton);
        run(f, kAllThree, true);
        QTest::mouseClick(Widget(f.Command2), Qt::LeftButton);
        QCOMPARE(f.unitSize, std::int16_t(14));
        checkHighlight(f, 2);
        SAME_PICTURE(Image(f.Picture1), expected(300, 300, 14));

        QTest::mouseClick(Widget(f.Command3(0)), Qt::LeftButton);
        SAME_PICTURE(Image(f.Picture1), expected(300, 300, 40));
        QVERIFY(!f.Command5.Enabled());
        QVERIFY(!f.Command6.Enabled());
        QVERIFY(Reports().empty());
    }
};

LG_TEST_MAIN(SizeTest)
#include "test_size.moc"
