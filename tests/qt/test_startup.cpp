// Start-up, "初期画面", "終　了", and runtime errors inside handlers.
#include "testmain.h"
#include "app/form1.h"
#include "plane.h"

#include <memory>

using namespace platform;
using Kind = Variant::Kind;

namespace {

bool isInt16(const Variant& v, int value) { return v.kind() == Kind::Int16 && v.value() == value; }

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Form1> form;

    void click(QWidget* button)
    {
        QVERIFY(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
    }

private slots:
    void init()
    {
        ClearReports();
        form = std::make_unique<Form1>();
        form->Start();
        QVERIFY(QTest::qWaitForWindowExposed(Widget(*form)));
        QVERIFY(QTest::qWaitForWindowActive(Widget(*form)));
    }
    void cleanup()
    {
        form.reset();
        SetEndHook(nullptr);
        ClearReports();
    }

    void startValues()
    {
        const Form1& f = *form;
        QVERIFY2(isInt16(f.originX, 300), f.originX.describe().c_str());
        QVERIFY2(isInt16(f.originY, 300), f.originY.describe().c_str());
        QCOMPARE(f.unitSize, std::int16_t(22));
        for (const Variant* v : {&f.slopeNum, &f.slopeDen, &f.interceptNum, &f.dragging})
            QVERIFY2(isInt16(*v, 0), v->describe().c_str());
        QCOMPARE(f.interceptDen, std::int16_t(0));
        QCOMPARE(f.lineShown, std::int16_t(0));
        // Never set at start: empty, so unequal to 1 when a redraw asks whether to replay.
        for (const Variant* v : {&f.pointsShown, &f.morePointsShown, &f.firstX, &f.firstY, &f.secondX, &f.dragLastX}) {
            QVERIFY(v->isEmpty());
            QVERIFY(*v != Variant(std::int16_t(1)));
        }
        QCOMPARE(f.secondY, 0.0f);
        QCOMPARE(f.dragLastY, 0.0f);
    }

    void startScreen()
    {
        QCOMPARE(Q(form->Caption()), QString::fromUtf8("２元１次方程式のグラフ (q.Varno)"));
        QCOMPARE(Widget(*form)->windowTitle(), QString::fromUtf8("２元１次方程式のグラフ (q.Varno)"));
        QVERIFY(!Widget(form->Command5)->isEnabled());
        QVERIFY(!Widget(form->Command6)->isEnabled());
        for (QWidget* b : std::initializer_list<QWidget*>{Widget(form->Command1), Widget(form->Command2), Widget(form->Command3(0)),
                                                          Widget(form->Command3(1)), Widget(form->Command3(2)), Widget(form->Command4(0)),
                                                          Widget(form->Command4(1))})
            QVERIFY(b->isEnabled());
        QVERIFY(!Widget(form->Line1(0))->isVisible());
        QVERIFY(!Widget(form->Line1(1))->isVisible());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Widget(form->Text1(0))));
        QCOMPARE(form->Picture1.FontSize(), 20.0f);
        // The plane drawn at load, before the window was shown, is on the screen.
        PLANE_AS_DRAWN(Image(form->Picture1), 22, 300, 300);
        QCOMPARE(Widget(form->Picture1)->grab().toImage().convertToFormat(QImage::Format_RGB32), Image(form->Picture1));
        QVERIFY(Reports().empty());
    }

    void resetRightAfterStart()
    {
        click(Widget(form->Command2));
        QCOMPARE(form->unitSize, std::int16_t(22));
        QVERIFY(isInt16(form->pointsShown, 0));
        QVERIFY(isInt16(form->morePointsShown, 0));
        for (std::int16_t i = 0; i <= 2; ++i) QCOMPARE(Q(form->Text1(i).Text()), QString());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Widget(form->Text1(0))));
        PLANE_AS_DRAWN(Image(form->Picture1), 22, 300, 300);
        QVERIFY(Reports().empty());
    }

    // After a lesson on the small plane and a drag, the reset puts back the
    // lesson's start but keeps the plane size and the stored points.
    void resetAfterALesson()
    {
        Form1& f = *form;
        f.unitSize = 40;
        f.originX = Variant(412.5f);
        f.originY = Variant(std::int16_t(77));
        f.DrawPlane();
        QTest::keyClicks(Widget(f.Text1(0)), QStringLiteral("1"));
        QTest::keyClicks(Widget(f.Text1(1)), QStringLiteral("-2"));
        QTest::keyClicks(Widget(f.Text1(2)), QStringLiteral("3x"));
        QCOMPARE(Q(f.Text1(2).Text()), QStringLiteral("3x"));
        for (std::int16_t j = 0; j <= 9; ++j) f.Label4(j).Caption(std::to_string(j));
        f.Label4(5).Visible(false);
        f.Line1(0).Visible(true);
        f.Line1(1).Visible(true);
        f.Command5.Enabled(true);
        f.Command6.Enabled(true);
        f.firstX = Variant(std::int16_t(-38));
        f.firstY = Variant(13.0f);
        f.secondX = Variant(std::int16_t(-35));
        f.secondY = 12.0f;
        f.dragLastX = Variant(250.5f);
        f.dragLastY = 310.0f;
        f.slopeNum = Variant(-1.0);
        f.slopeDen = Variant(std::int16_t(3));
        f.interceptNum = Variant(std::int16_t(1));
        f.interceptDen = 3;
        f.dragging = Variant(std::int16_t(1));
        f.pointsShown = Variant(std::int16_t(1));
        f.morePointsShown = Variant(std::int16_t(1));
        f.lineShown = 1;
        f.Command6.SetFocus();

        click(Widget(f.Command2));

        QVERIFY2(isInt16(f.originX, 300), f.originX.describe().c_str());
        QVERIFY2(isInt16(f.originY, 300), f.originY.describe().c_str());
        for (const Variant* v : {&f.slopeNum, &f.slopeDen, &f.interceptNum, &f.dragging, &f.pointsShown,
                                 &f.morePointsShown})
            QVERIFY2(isInt16(*v, 0), v->describe().c_str());
        QCOMPARE(f.interceptDen, std::int16_t(0));
        QCOMPARE(f.lineShown, std::int16_t(0));

        QCOMPARE(f.unitSize, std::int16_t(40));
        QVERIFY(isInt16(f.firstX, -38));
        QVERIFY(f.firstY.kind() == Kind::Single && f.firstY.value() == 13.0);
        QVERIFY(isInt16(f.secondX, -35));
        QCOMPARE(f.secondY, 12.0f);
        QVERIFY(f.dragLastX.kind() == Kind::Single && f.dragLastX.value() == 250.5);
        QCOMPARE(f.dragLastY, 310.0f);

        for (std::int16_t i = 0; i <= 2; ++i) QCOMPARE(Q(f.Text1(i).Text()), QString());
        for (std::int16_t j = 0; j <= 9; ++j) {
            QCOMPARE(Q(f.Label4(j).Caption()), QString());
            QCOMPARE(Widget(f.Label4(j))->isVisible(), j != 5);  // visibility untouched
        }
        QVERIFY(!Widget(f.Line1(0))->isVisible());
        QVERIFY(!Widget(f.Line1(1))->isVisible());
        QVERIFY(!Widget(f.Command5)->isEnabled());
        QVERIFY(!Widget(f.Command6)->isEnabled());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Widget(f.Text1(0))));

        // The empty plane, centred, at the size chosen before.
        PLANE_AS_DRAWN(Image(f.Picture1), 40, 300, 300);
        QCOMPARE(Widget(f.Label5(0))->geometry(), QRect(304, 0, 25, 33));
        QCOMPARE(Widget(f.Label5(1))->geometry(), QRect(616, 328, 25, 33));
        QVERIFY(Reports().empty());
    }

    void exitEndsTheProgram()
    {
        int ends = 0;
        SetEndHook([&] { ++ends; });
        click(Widget(form->Command1));
        QCOMPARE(ends, 1);
        QVERIFY(Reports().empty());
    }

    // An error ends the handler, is reported, and the program goes on.
    void errorInAHandlerIsReported()
    {
        bool after = false;
        Deliver([&] {
            const Variant zero = Variant(std::int16_t(0));
            const Variant q = Variant(std::int16_t(1)) / zero;
            after = q.value() != 0;
        });
        QVERIFY(!after);
        QCOMPARE(int(Reports().size()), 1);
        QVERIFY(Reports()[0].kind == Report::Kind::Error);
        QVERIFY(!Reports()[0].text.empty());

        Deliver([] { CInt(Variant(40000.0)); });
        QCOMPARE(int(Reports().size()), 2);
        QVERIFY(Reports()[1].text != Reports()[0].text);

        // Through a real click, the window goes on too.
        int ends = 0;
        SetEndHook([&] { ++ends; });
        CommandButton failing(*form);
        failing.Place(660, 560, 60, 20);
        Widget(failing)->show();
        failing.OnClick([] { (void)(Variant(2.5) / Variant()); });
        click(Widget(failing));
        QCOMPARE(int(Reports().size()), 3);
        QCOMPARE(ends, 0);
        QVERIFY(Widget(*form)->isVisible());
        form->originX = Variant(std::int16_t(99));
        click(Widget(form->Command2));
        QVERIFY(isInt16(form->originX, 300));
        QCOMPARE(int(Reports().size()), 3);
    }
};

LG_TEST_MAIN(StartupTest)
#include "test_startup.moc"
