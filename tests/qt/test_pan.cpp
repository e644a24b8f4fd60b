// Dragging the plane with the mouse: the origin follows the mouse within
// 60 … 540, the plane is drawn afresh and what was plotted plotted again on
// every move; a replay that cannot plot is told once and ends the drag.
#include "testmain.h"
#include "app/form1.h"
#include "lesson.h"

class PanTest : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearReports(); }

    void firstStep()
    {
        Form1 f;
        f.Start();
        QTest::mousePress(Widget(f.Picture1), Qt::LeftButton, {}, QPoint(100, 100));
        moveTo(f, {130, 90});
        QCOMPARE(f.originX.value(), 330.0);
        QCOMPARE(f.originY.value(), 290.0);
        QCOMPARE(f.originX.kind(), Variant::Kind::Single);
        // The axis names stand beside the axes.
        QCOMPARE(f.Label5(0).Left(), 334.0f);
        QCOMPARE(f.Label5(1).Top(), 318.0f);
        const QImage there = expected(330, 290, 22);
        SAME_PICTURE(Image(f.Picture1), there);

        // A move to the same place draws afresh without moving.
        f.Picture1.Circle(50, 50, 12);
        moveTo(f, {130, 90});
        QCOMPARE(f.originX.value(), 330.0);
        QCOMPARE(f.originY.value(), 290.0);
        SAME_PICTURE(Image(f.Picture1), there);
    }

    // The origin is held inside 60 … 540; the mouse itself is the reference
    // for the next move, so a move back counts at once. Every button drags.
    void steps_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QPolygon>("path");  // the press, then the moves
        QTest::addColumn<QPoint>("origin");
        QTest::addColumn<bool>("held");  // originX stored as the limit, a 16-bit integer
        const auto row = [](const char* name, QPolygon path, QPoint origin, bool held,
                            Qt::MouseButton button = Qt::LeftButton) {
            QTest::newRow(name) << button << path << origin << held;
        };
        row("300 right", {{100, 100}, {150, 100}, {250, 100}, {350, 100}, {400, 100}}, {540, 300}, true);
        row("300 right, 20 back", {{100, 100}, {250, 100}, {400, 100}, {380, 100}}, {520, 300}, false);
        row("up-left beyond", {{300, 300}, {100, 120}, {0, 0}}, {60, 60}, true);
        row("down beyond, 1 back", {{100, 100}, {100, 500}, {100, 499}}, {300, 539}, false);
        row("left beyond, 10 back", {{300, 100}, {-10, 100}, {0, 100}}, {70, 300}, false);
        row("right button", {{100, 100}, {130, 90}}, {330, 290}, false, Qt::RightButton);
        row("middle button", {{100, 100}, {130, 90}}, {330, 290}, false, Qt::MiddleButton);
    }
    void steps()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(QPolygon, path);
        QFETCH(QPoint, origin);
        QFETCH(bool, held);
        Form1 f;
        f.Start();
        QTest::mousePress(Widget(f.Picture1), button, {}, path.first());
        for (qsizetype i = 1; i < path.size(); ++i) moveTo(f, path[i], button);
        QCOMPARE(f.originX.value(), double(origin.x()));
        QCOMPARE(f.originY.value(), double(origin.y()));
        QCOMPARE(f.originX.kind(), held ? Variant::Kind::Int16 : Variant::Kind::Single);
        SAME_PICTURE(Image(f.Picture1), expected(origin.x(), origin.y(), 22));
        QTest::mouseRelease(Widget(f.Picture1), button, {}, path.last());
        QVERIFY(f.dragging != 1);
    }

    // Without a press, and after the release, moves change and draw nothing.
    void movesOutsideADrag_data()
    {
        QTest::addColumn<bool>("dragFirst");
        QTest::newRow("never pressed") << false;
        QTest::newRow("after the release") << true;
    }
    void movesOutsideADrag()
    {
        QFETCH(bool, dragFirst);
        Form1 f;
        f.Start();
        run(f, kAllThree, true);
        if (dragFirst) {
            QTest::mousePress(Widget(f.Picture1), Qt::LeftButton, {}, QPoint(100, 100));
            moveTo(f, {130, 90});
            QTest::mouseRelease(Widget(f.Picture1), Qt::LeftButton, {}, QPoint(130, 90));
        }
        const Variant ox = f.originX, oy = f.originY;
        f.Picture1.Circle(50, 50, 12);
        const QImage before = Image(f.Picture1).copy();
        f.Command4(0).SetFocus();
        moveTo(f, {200, 200}, Qt::NoButton);
        moveTo(f, {20, 580}, Qt::NoButton);
        moveTo(f, {400, 50}, Qt::LeftButton);
        QCOMPARE(f.originX.value(), ox.value());
        QCOMPARE(f.originY.value(), oy.value());
        SAME_PICTURE(Image(f.Picture1), before);
        QCOMPARE(Widget(f)->focusWidget(), static_cast<QWidget*>(Widget(f.Command4(0))));
    }

    // Each step draws the plane, then the points of both buttons, then the
    // line over them, and the focus ends on "式を表示".
    void replayOrder()
    {
        Form1 f;
        f.Start();
        run(f, kAllThree, true);
        QTest::mousePress(Widget(f.Picture1), Qt::LeftButton, {}, QPoint(100, 100));
        moveTo(f, {130, 90});
        SAME_PICTURE(Image(f.Picture1), expected(330, 290, 22, kAllThree));
        QCOMPARE(Widget(f)->focusWidget(), static_cast<QWidget*>(Widget(f.Command6)));
        QCOMPARE(f.pointsShown.value(), 1.0);
        QCOMPARE(f.morePointsShown.value(), 1.0);
        QCOMPARE(f.lineShown, std::int16_t(1));
    }

    // The replays read the boxes as they are now: the edited equation's points,
    // and the line and fractions through them.
    void replayAfterEdit()
    {
        Form1 f;
        f.Start();
        run(f, kAllThree, true);
        f.Text1(0).Text("2");
        f.Text1(1).Text("-5");
        QTest::mousePress(Widget(f.Picture1), Qt::LeftButton, {}, QPoint(100, 100));
        moveTo(f, {130, 90});
        QCOMPARE(f.firstX.value(), -37.0);
        QCOMPARE(f.firstY.value(), -15.0);
        QCOMPARE(f.secondX.value(), -32.0);
        QCOMPARE(f.secondY, -13.0f);
        QCOMPARE(f.slopeNum.value(), 2.0);
        QCOMPARE(f.slopeDen.value(), 5.0);
        QCOMPARE(f.interceptNum.value(), -1.0);
        QCOMPARE(f.interceptDen, std::int16_t(5));
        SAME_PICTURE(Image(f.Picture1), expected(330, 290, 22, {{"2", "-5", "1"}, true, true}));
    }

    // b set to 0 after plotting: one drag or one size click tells the learner
    // once, the plane stays drawn and nothing else changes.
    void failedReplay_data()
    {
        QTest::addColumn<bool>("bySize");
        QTest::newRow("drag") << false;
        QTest::newRow("size click") << true;
    }
    void failedReplay()
    {
        QFETCH(bool, bySize);
        Form1 f;
        f.Start();
        run(f, kAllThree, true);
        f.Text1(1).Text("0");
        if (bySize) {
            QTest::mouseClick(Widget(f.Command3(2)), Qt::LeftButton);
            QCOMPARE(f.unitSize, std::int16_t(14));
            QCOMPARE(f.Command3(2).FontBold(), true);
            SAME_PICTURE(Image(f.Picture1), expected(300, 300, 14));
        } else {
            QTest::mousePress(Widget(f.Picture1), Qt::LeftButton, {}, QPoint(100, 100));
            for (int i = 1; i <= 12; ++i) moveTo(f, {100 + 10 * i, 100});
            QVERIFY(f.dragging != 1);
            QCOMPARE(f.originX.value(), 310.0);
            QCOMPARE(f.originY.value(), 300.0);
            SAME_PICTURE(Image(f.Picture1), expected(310, 300, 22));
            QTest::mouseRelease(Widget(f.Picture1), Qt::LeftButton, {}, QPoint(220, 100));
        }
        QCOMPARE(Reports().size(), std::size_t(1));
        QCOMPARE(Reports().front().kind, platform::Report::Kind::Message);
        QCOMPARE(f.pointsShown.value(), 1.0);
        QCOMPARE(f.morePointsShown.value(), 1.0);
        QCOMPARE(f.lineShown, std::int16_t(1));
        QCOMPARE(f.firstX.value(), -38.0);
        QCOMPARE(f.secondX.value(), -35.0);
        QCOMPARE(f.slopeNum.value(), -1.0);
        QCOMPARE(f.slopeDen.value(), 3.0);
        QVERIFY(f.Command5.Enabled());
        QVERIFY(f.Command6.Enabled());

        // The next action is told once more, and the program goes on.
        if (bySize) {
            QTest::mouseClick(Widget(f.Command3(0)), Qt::LeftButton);
        } else {
            QTest::mousePress(Widget(f.Picture1), Qt::LeftButton, {}, QPoint(100, 100));
            moveTo(f, {90, 100});
            moveTo(f, {80, 100});
            QTest::mouseRelease(Widget(f.Picture1), Qt::LeftButton, {}, QPoint(80, 100));
        }
        QCOMPARE(Reports().size(), std::size_t(2));
    }
};

LG_TEST_MAIN(PanTest)
#include "test_pan.moc"
