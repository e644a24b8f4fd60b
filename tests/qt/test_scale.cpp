// The form scaled to fit its window (maximised, full screen, a projector, a
// small screen): every control, font and line scaled alike, the plane drawn
// at the scale, and the handlers still in the form's own pixels.
#include "testmain.h"
#include "app/form1.h"
#include "lesson.h"

namespace {

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

    // Where the controls stand, how large their type is, and the plane's
    // image with the grid line of form row 322 in it, at each window size:
    // the form by the window's tighter side, centred on its green.
    void formScalesUniformly_data()
    {
        QTest::addColumn<QSize>("window");
        // Picture1, Command2, Text1(1), Label6, Command3(1), Command1
        QTest::addColumn<QList<QRect>>("places");
        // Command2, Text1(1), Label6, Command3(1), Command1
        QTest::addColumn<QList<int>>("pixels");
        QTest::addColumn<int>("imageWidth");
        QTest::addColumn<QList<int>>("gridRows");  // the first and last image row of the grid line
        // The middle of the first fraction bar, shown, and the green a few form pixels above and below it.
        QTest::addColumn<QList<QPoint>>("bar");
        QTest::newRow("2x") << QSize(1752, 1300)
                            << QList<QRect>{{32, 64, 1200, 1200}, {1536, 32, 178, 66}, {1488, 432, 82, 84},
                                            {1296, 256, 418, 114}, {1472, 176, 114, 66}, {1472, 1200, 242, 66}}
                            << QList<int>{32, 64, 58, 54, 32} << 1200 << QList<int>{644, 645}
                            << QList<QPoint>{{1504, 1005}, {1504, 996}, {1504, 1014}};
        QTest::newRow("3x") << QSize(2628, 1950)
                            << QList<QRect>{{48, 96, 1800, 1800}, {2304, 48, 267, 99}, {2232, 648, 123, 126},
                                            {1944, 384, 627, 171}, {2208, 264, 171, 99}, {2208, 1800, 363, 99}}
                            << QList<int>{48, 96, 87, 81, 48} << 1800 << QList<int>{966, 968}
                            << QList<QPoint>{{2256, 1507}, {2256, 1494}, {2256, 1521}};
        // 1000 / 650 = 1.538…, the form 1347.7 wide, 326.2 from the left.
        QTest::newRow("wide, by its height") << QSize(2000, 1000)
                                             << QList<QRect>{{351, 49, 923, 923}, {1508, 25, 137, 51}, {1471, 332, 63, 65},
                                                             {1323, 197, 322, 88}, {1458, 135, 88, 51}, {1458, 923, 186, 51}}
                                             << QList<int>{25, 49, 45, 42, 25} << 923 << QList<int>{495, 496}
                                             << QList<QPoint>{{1483, 773}, {1483, 766}, {1483, 780}};
        QTest::newRow("tall, by its width") << QSize(876, 1000)
                                            << QList<QRect>{{16, 207, 600, 600}, {768, 191, 89, 33}, {744, 391, 41, 42},
                                                            {648, 303, 209, 57}, {736, 263, 57, 33}, {736, 775, 121, 33}}
                                            << QList<int>{16, 32, 29, 27, 16} << 600 << QList<int>{322, 322}
                                            << QList<QPoint>{{752, 677}, {752, 673}, {752, 681}};
        QTest::newRow("small") << QSize(438, 325)
                               << QList<QRect>{{8, 16, 300, 300}, {384, 8, 45, 17}, {372, 108, 21, 21}, {324, 64, 105, 29},
                                               {368, 44, 29, 17}, {368, 300, 61, 17}}
                               << QList<int>{8, 16, 15, 14, 8} << 300 << QList<int>{161, 161}
                               << QList<QPoint>{{376, 251}, {376, 249}, {376, 253}};
    }
    void formScalesUniformly()
    {
        QFETCH(QSize, window);
        QFETCH(QList<QRect>, places);
        QFETCH(QList<int>, pixels);
        QFETCH(int, imageWidth);
        QFETCH(QList<int>, gridRows);
        QFETCH(QList<QPoint>, bar);
        Form1 f;
        open(f);
        sized(f, window);
        const QList<QWidget*> placed{Widget(f.Picture1), Widget(f.Command2),    Widget(f.Text1(1)),
                                     Widget(f.Label6),   Widget(f.Command3(1)), Widget(f.Command1)};
        for (int i = 0; i < placed.size(); ++i) QCOMPARE(placed[i]->geometry(), places[i]);
        for (int i = 0; i < pixels.size(); ++i) QCOMPARE(placed[i + 1]->font().pixelSize(), pixels[i]);
        // The handlers still see a picture of 600 × 600.
        QCOMPARE(f.Picture1.Width(), 600.0f);
        QCOMPARE(f.Picture1.Height(), 600.0f);

        // The grid line sharp, black on the pale yellow, near the right edge.
        const QImage& image = Image(f.Picture1);
        QCOMPARE(image.width(), imageWidth);
        const int x = imageWidth * 590 / 600;
        QCOMPARE(image.pixelColor(x, gridRows[0] - 1), QColor(255, 255, 192));
        for (int y = gridRows[0]; y <= gridRows[1]; ++y) QCOMPARE(image.pixelColor(x, y), QColor(0, 0, 0));
        QCOMPARE(image.pixelColor(x, gridRows[1] + 1), QColor(255, 255, 192));

        // Around the form, the form's own green; the fraction bar white across its place.
        f.Line1(0).Visible(true);
        const QImage shot = Widget(f)->grab().toImage();
        const QColor green(0, 128, 0);
        QCOMPARE(shot.pixelColor(1, 1), green);
        QCOMPARE(shot.pixelColor(shot.width() - 2, shot.height() - 2), green);
        QCOMPARE(shot.pixelColor(bar[0]), QColor(255, 255, 255));
        QCOMPARE(shot.pixelColor(bar[1]), green);
        QCOMPARE(shot.pixelColor(bar[2]), green);
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
