// At 200 % display scaling the window keeps its layout in window pixels and
// the plane is drawn at the screen's own density: sharp, not blown up.
#include <QtTest>

#include "app/form1.h"
#include "platform/application.h"
#include "platform/qt/widgets.h"

using platform::qt::Image;
using platform::qt::Widget;

class HiDpiTest : public QObject {
    Q_OBJECT

private slots:
    void layoutInWindowPixels()
    {
        Form1 f;
        f.Start();
        QVERIFY(QTest::qWaitForWindowExposed(Widget(f)));
        QCOMPARE(Widget(f)->devicePixelRatioF(), 2.0);
        QCOMPARE(Widget(f)->size(), QSize(876, 650));
        QCOMPARE(Widget(f.Picture1)->geometry(), QRect(16, 32, 600, 600));
        QCOMPARE(Widget(f.Command4(0))->geometry(), QRect(688, 272, 169, 33));
        QCOMPARE(f.Picture1.Width(), 600.0f);
    }

    void planeAtDeviceDensity()
    {
        Form1 f;
        f.Start();
        const QImage& image = Image(f.Picture1);
        QCOMPARE(image.size(), QSize(1200, 1200));
        QCOMPARE(image.devicePixelRatio(), 2.0);
        const QRgb fore = f.Picture1.ForeColor() | 0xFF000000u;
        const QRgb back = f.Picture1.BackColor() | 0xFF000000u;
        // Near the bottom edge, away from the numbers: the grid line at
        // window row 300 + 22 = 322 is exactly device rows 644 and 645.
        const int x = 2 * 590;
        QCOMPARE(image.pixel(x, 643), back);
        QCOMPARE(image.pixel(x, 644), fore);
        QCOMPARE(image.pixel(x, 645), fore);
        QCOMPARE(image.pixel(x, 646), back);
        // The 3-pixel axis at row 300 is six device rows, 598 … 603, sharp.
        QCOMPARE(image.pixel(x, 597), back);
        for (int y = 598; y <= 603; ++y) QCOMPARE(image.pixel(x, y), fore);
        QCOMPARE(image.pixel(x, 604), back);
        // A vertical grid line at column 300 − 22 = 278: device columns 556, 557.
        QCOMPARE(image.pixel(555, 2 * 590), back);
        QCOMPARE(image.pixel(556, 2 * 590), fore);
        QCOMPARE(image.pixel(557, 2 * 590), fore);
        QCOMPARE(image.pixel(558, 2 * 590), back);
    }

    void textAtDeviceResolution()
    {
        // The origin mark "Ｏ", drawn at (280, 298): its ink at 2× is about twice as
        // tall in device pixels as the font's glyph in window pixels, with
        // smooth (grey) edges, not doubled pixels.
        Form1 f;
        f.Start();
        const QImage& image = Image(f.Picture1);
        const QRect box(2 * 280, 2 * 298, 2 * 20, 2 * 34);
        int top = INT_MAX, bottom = -1, greys = 0;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x) {
                const QRgb p = image.pixel(x, y);
                if (qGray(p) < 128 && (y < 2 * 299 || y > 2 * 301 + 1)) {  // ink, not the x axis
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
                if (qGray(p) > 40 && qGray(p) < 200) ++greys;
            }
        QVERIFY(bottom > top);
        const QFontMetrics metrics(Widget(f.Picture1)->font());
        const int glyph = metrics.boundingRect(QString::fromUtf8("Ｏ")).height();
        QVERIFY2(bottom - top + 1 > 2 * glyph - 8, qPrintable(QStringLiteral("ink %1, glyph %2").arg(bottom - top + 1).arg(glyph)));
        QVERIFY(greys > 10);
        // Doubled pixels would come in 2 × 2 blocks; a device-resolution glyph does not.
        bool oddEdge = false;
        for (int y = box.top(); y < box.bottom() && !oddEdge; y += 2)
            for (int x = box.left(); x < box.right() && !oddEdge; x += 2)
                oddEdge = image.pixel(x, y) != image.pixel(x + 1, y) || image.pixel(x, y) != image.pixel(x, y + 1);
        QVERIFY(oddEdge);
    }

    void lessonAtDeviceDensity()
    {
        Form1 f;
        f.Start();
        f.Text1(0).Text("1");
        f.Text1(1).Text("3");
        f.Text1(2).Text("1");
        f.Command4_Click(0);
        // The point (1, 0) is a dot of radius 3.5 around window pixel (322, 300),
        // on a grid crossing: dark 2 pixels off the diagonal, background 4 off.
        const QImage& dots = Image(f.Picture1);
        QVERIFY(qGray(dots.pixel(2 * 324 + 1, 2 * 298 + 1)) < 60);
        QCOMPARE(dots.pixel(2 * 326 + 1, 2 * 296 + 1), f.Picture1.BackColor() | 0xFF000000u);
        f.Command5_Click();
        // The red line passes (0, 1/3): window (300, 292.67), device row about 586.
        QCOMPARE(Image(f.Picture1).pixel(2 * 300 + 1, 586) & 0xFFFFFF, 0xFF0000u);
    }
};

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" LG_OFFSCREEN_CONFIG);
    qputenv("QT_SCALE_FACTOR", "2");
    platform::Application app(argc, argv);
    HiDpiTest tc;
    return QTest::qExec(&tc, argc, argv);
}

#include "test_hidpi.moc"
