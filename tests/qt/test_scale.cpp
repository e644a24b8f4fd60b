// The form scaled to fit its window (maximised, full screen, a projector, a
// small screen): every control, font and line scaled alike, the plane drawn
// at the scale, and the handlers still in the form's own pixels.
#include "testmain.h"
#include "app/form1.h"
#include "lesson.h"

namespace {

QRect scaled(const platform::Rect& r, double s, QPointF at)
{
    return QRect(qRound(at.x() + r.left * s), qRound(at.y() + r.top * s), qRound(r.width * s), qRound(r.height * s));
}

// Shows the window at this size and waits until it has it.
void sized(Form1& f, QSize size)
{
    Widget(f)->resize(size);
    QTRY_COMPARE(Widget(f)->size(), size);
}

}  // namespace

class ScaleTest : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearReports(); }

    void formScalesUniformly_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<double>("scale");
        QTest::addColumn<QPointF>("corner");  // where the form's (0, 0) lies
        QTest::newRow("2x") << QSize(1752, 1300) << 2.0 << QPointF(0, 0);
        QTest::newRow("3x") << QSize(2628, 1950) << 3.0 << QPointF(0, 0);
        QTest::newRow("wide, by its height") << QSize(2000, 1000) << 1000.0 / 650 << QPointF((2000 - 876 * 1000.0 / 650) / 2, 0);
        QTest::newRow("tall, by its width") << QSize(876, 1000) << 1.0 << QPointF(0, 175);
        QTest::newRow("small") << QSize(438, 325) << 0.5 << QPointF(0, 0);
    }
    void formScalesUniformly()
    {
        QFETCH(QSize, window);
        QFETCH(double, scale);
        QFETCH(QPointF, corner);
        Form1 f;
        open(f);
        sized(f, window);
        // Every control where the layout puts it, at the scale; fonts alike.
        const auto check = [&](platform::Control& c, QWidget* w) {
            QCOMPARE(w->geometry(), scaled(c.Place(), scale, corner));
            if (c.ControlKind() != platform::Control::Kind::Picture)
                QCOMPARE(w->font().pixelSize(), qRound(platform::PixelsOfPoints(c.FontSize()) * scale));
        };
        check(f.Picture1, Widget(f.Picture1));
        check(f.Command2, Widget(f.Command2));
        check(f.Text1(1), Widget(f.Text1(1)));
        check(f.Label6, Widget(f.Label6));
        check(f.Command3(1), Widget(f.Command3(1)));
        check(f.Command1, Widget(f.Command1));
        QCOMPARE(Widget(f.Line1(0))->geometry(), scaled({736 - 1, 502 - 1, 32 + 3, 3}, scale, corner));
        // The handlers still see a picture of 600 × 600.
        QCOMPARE(f.Picture1.Width(), 600.0f);
        QCOMPARE(f.Picture1.Height(), 600.0f);

        // The plane drawn at the scale: the grid line at row 322 is `scale`
        // image rows thick, sharp, at the scaled place.
        const QImage& image = Image(f.Picture1);
        QCOMPARE(image.width(), qRound(600 * scale));
        const QRgb fore = f.Picture1.ForeColor() | 0xFF000000u, back = f.Picture1.BackColor() | 0xFF000000u;
        const int x = qRound(590 * scale);
        const int top = qRound(322 * scale), bottom = qRound(323 * scale) - 1;
        QCOMPARE(image.pixel(x, top - 1), back);
        for (int y = top; y <= bottom; ++y) QCOMPARE(image.pixel(x, y), fore);
        QCOMPARE(image.pixel(x, bottom + 1), back);

        // Around the form, the form's own green.
        const QImage shot = Widget(f)->grab().toImage();
        const QColor green(0, 128, 0);
        QCOMPARE(shot.pixelColor(1, 1), green);
        QCOMPARE(shot.pixelColor(shot.width() - 2, shot.height() - 2), green);
    }

    // The line and the dots are drawn at the scale too, below 1 as above it:
    // points of the line (between the dots) are red where the scale puts them.
    void lineAtEveryScale_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::newRow("small") << QSize(438, 325);
        QTest::newRow("wide, by its height") << QSize(2000, 1000);
        QTest::newRow("3x") << QSize(2628, 1950);
    }
    void lineAtEveryScale()
    {
        QFETCH(QSize, window);
        Form1 f;
        open(f);
        sized(f, window);
        run(f, kAllThree, true);  // x + 3y = 1
        const QImage& image = Image(f.Picture1);
        const double ratio = image.width() / 600.0;
        for (double x : {0.25, 4.25, -5.75}) {
            const double y = (1 - x) / 3;
            const QRgb pixel = image.pixel(qRound((300 + x * f.unitSize) * ratio), qRound((300 - y * f.unitSize) * ratio));
            QVERIFY2(qRed(pixel) - qGreen(pixel) > 80,
                     qPrintable(QStringLiteral("x = %1: %2, not red").arg(x).arg(pixel, 8, 16)));
        }
    }

    // A lesson drawn before the window grows is drawn again at the new scale.
    void plottedPlaneFollowsTheScale()
    {
        Form1 f;
        open(f);
        run(f, kAllThree, true);
        const QImage small = Image(f.Picture1).copy();
        sized(f, QSize(1752, 1300));
        const QImage& large = Image(f.Picture1);
        QCOMPARE(large.size(), QSize(1200, 1200));
        // Each pixel of the form is 2 × 2 pixels of the image, of about its colour.
        int far = 0;
        for (int y = 0; y < 600; y += 7)
            for (int x = 0; x < 600; x += 7) {
                const QColor a = small.pixelColor(x, y), b = large.pixelColor(2 * x + 1, 2 * y + 1);
                if (std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) > 192) ++far;
            }
        QVERIFY2(far < 60, qPrintable(QStringLiteral("%1 of 7396 sampled pixels far from the unscaled picture").arg(far)));
        QVERIFY(Reports().empty());
    }

    // A drag at the scale moves the plane by the distance in the form's pixels.
    void dragAtTheScale()
    {
        Form1 f;
        open(f);
        sized(f, QSize(1752, 1300));
        QWidget* plane = Widget(f.Picture1);
        QTest::mousePress(plane, Qt::LeftButton, {}, QPoint(200, 200));
        QMouseEvent move(QEvent::MouseMove, QPointF(260, 180), plane->mapToGlobal(QPointF(260, 180)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(plane, &move);
        QTest::mouseRelease(plane, Qt::LeftButton, {}, QPoint(260, 180));
        QCOMPARE(f.originX.value(), 330.0);
        QCOMPARE(f.originY.value(), 290.0);
        QCOMPARE(f.Label5(0).Left(), 334.0f);
        QCOMPARE(Widget(f.Label5(0))->x(), 2 * 334);
    }

    // F11 puts the window in full screen and back; Esc leaves full screen and
    // otherwise reaches the controls as before.
    void fullScreen()
    {
        Form1 f;
        open(f);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F11);
        QTRY_VERIFY(Widget(f)->windowState() & Qt::WindowFullScreen);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!(Widget(f)->windowState() & Qt::WindowFullScreen));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F11);
        QTRY_VERIFY(Widget(f)->windowState() & Qt::WindowFullScreen);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F11);
        QTRY_VERIFY(!(Widget(f)->windowState() & Qt::WindowFullScreen));
        QVERIFY(f.Text1(0).HasFocus());
    }
};

LG_TEST_MAIN(ScaleTest)
#include "test_scale.moc"
