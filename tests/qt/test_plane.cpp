// The coordinate plane in the picture's retained image: axes, grid, the
// origin mark and the scale numbers, and the axis names beside the picture.
#include "testmain.h"
#include "app/form1.h"

#include <cmath>
#include <memory>
#include <vector>

using namespace platform;

namespace {

constexpr QRgb kBack = 0xFFFFC0;  // RGB(255, 255, 192)

struct Text {
    QString text;
    int x, y;  // CurrentX, CurrentY
};

QString numberText(int v) { return (v < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + QString::number(std::abs(v)); }

// What the plane prints, and where: the origin mark, then four numbers per step.
std::vector<Text> planeTexts(int unit, int ox, int oy)
{
    std::vector<Text> t{{QString::fromUtf8("Ｏ"), ox - 20, oy - 2}};
    int k = 0, m = 0;
    if (unit == 40) k = 2, m = 7;
    if (unit == 22) k = 5, m = 5;
    if (unit == 14) k = 5, m = 8;
    for (int j = 1; j <= m; ++j) {
        const int v = k * j, d = v * unit, w = v >= 10 ? 1 : 0;
        t.push_back({numberText(v), ox - 15 + d - 8 * w, oy - 2});
        t.push_back({numberText(-v), ox - 20 - d - 8 * w, oy - 2});
        t.push_back({numberText(v), ox - 25 - 13 * w, oy - 12 - d});
        t.push_back({numberText(-v), ox - 30 - 13 * w, oy - 12 + d});
    }
    return t;
}

// Rows (or columns) of the axis, 3 pixels, and of the grid lines, 1 pixel each.
std::vector<bool> lineSet(int unit, int origin)
{
    std::vector<bool> on(600, false);
    auto mark = [&](int p) {
        if (p >= 0 && p < 600) on[std::size_t(p)] = true;
    };
    for (int p = origin - 1; p <= origin + 1; ++p) mark(p);
    for (int i = 1; i <= 600 / unit; ++i) {
        mark(origin + i * unit);
        mark(origin - i * unit);
    }
    return on;
}

// The plane without its texts, as the test expects it.
QImage gridOnly(int unit, int ox, int oy, QRgb fore)
{
    const auto cols = lineSet(unit, ox), rows = lineSet(unit, oy);
    QImage img(600, 600, QImage::Format_RGB32);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 600; ++x) img.setPixel(x, y, (cols[std::size_t(x)] || rows[std::size_t(y)] ? fore : kBack) | 0xFF000000u);
    return img;
}

QRgb rgb(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFFu; }

}  // namespace

class PlaneTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Form1> form;

    QImage draw(int unit, int ox, int oy)
    {
        form->unitSize = std::int16_t(unit);
        form->originX = Variant(std::int16_t(ox));
        form->originY = Variant(std::int16_t(oy));
        form->DrawPlane();
        return Image(form->Picture1).copy();
    }
    QRgb fore() const { return form->Picture1.ForeColor(); }
    // The texts the plane printed, where it printed them.
    std::vector<Text> printed() const
    {
        std::vector<Text> texts;
        for (const PictureBox::Printed& t : form->Picture1.PrintedTexts())
            texts.push_back({Q(t.text), int(std::lround(t.x)), int(std::lround(t.y))});
        return texts;
    }
    // The image pixels a text's ink covers when printed with its corner at
    // (x, y) on the picture drawn at k image pixels to a form pixel, found
    // by drawing it alone where nothing cuts it.
    QRect inkOf(const QString& text, double x, double y, double k) const
    {
        const QFont font = Widget(form->Picture1)->font();
        const QFontMetricsF m(font);
        const QRectF around(x - 8, y - 8, m.horizontalAdvance(text) + 16, m.height() + 16);
        QImage alone((around.size() * k).toSize() + QSize(2, 2), QImage::Format_ARGB32);
        alone.fill(Qt::transparent);
        QPainter p(&alone);
        p.scale(k, k);
        p.translate(-around.topLeft());
        p.setFont(font);
        p.drawText(QPointF(x, y + m.ascent()), text);
        p.end();
        QRect ink;
        for (int py = 0; py < alone.height(); ++py)
            for (int px = 0; px < alone.width(); ++px)
                if (qAlpha(alone.pixel(px, py)) > 0) ink |= QRect(px, py, 1, 1);
        return ink.translated(int(std::floor(around.left() * k)), int(std::floor(around.top() * k)));
    }
    // The line box of a printed text, with room for smoothing and bearings.
    QRect textBox(const Text& t) const
    {
        const QFontMetrics fm(Widget(form->Picture1)->font());
        const QRect line(t.x, t.y, fm.horizontalAdvance(t.text), fm.height());
        const QRect ink = fm.tightBoundingRect(t.text).translated(t.x, t.y + fm.ascent());
        return line.united(ink).adjusted(-2, -2, 2, 2);
    }

private slots:
    void initTestCase()
    {
        form = std::make_unique<Form1>();
        form->Start();
        QVERIFY(QTest::qWaitForWindowExposed(Widget(*form)));
    }
    void cleanupTestCase() { form.reset(); }

    // Outside the texts every pixel is either background or a line of the
    // axes and grid, and the lines are exactly where the origin and unit put them.
    void linesAndNothingElse_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("ox");
        QTest::addColumn<int>("oy");
        QTest::newRow("40 at the start origin") << 40 << 300 << 300;
        QTest::newRow("22 at the start origin") << 22 << 300 << 300;
        QTest::newRow("14 at the start origin") << 14 << 300 << 300;
        QTest::newRow("22 at (400, 250)") << 22 << 400 << 250;
        QTest::newRow("14 at the limits (60, 540)") << 14 << 60 << 540;
        QTest::newRow("unit 30 prints no numbers") << 30 << 300 << 300;
    }
    void linesAndNothingElse()
    {
        QFETCH(int, unit);
        QFETCH(int, ox);
        QFETCH(int, oy);
        const QImage img = draw(unit, ox, oy);
        QCOMPARE(img.size(), QSize(600, 600));
        const QImage want = gridOnly(unit, ox, oy, fore());
        std::vector<bool> text(600 * 600, false);
        for (const Text& t : printed()) {
            const QRect r = textBox(t) & img.rect();
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x) text[std::size_t(y * 600 + x)] = true;
        }
        int wrong = 0;
        QString first;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 600; ++x)
                if (!text[std::size_t(y * 600 + x)] && rgb(img, x, y) != rgb(want, x, y)) {
                    if (!wrong++) first = QStringLiteral("first at (%1, %2): %3").arg(x).arg(y).arg(rgb(img, x, y), 6, 16);
                }
        QVERIFY2(wrong == 0, qPrintable(QStringLiteral("%1 wrong pixels, %2").arg(wrong).arg(first)));
        // The axes run unbroken through the texts.
        for (int i = 0; i < 600; ++i)
            for (int d = -1; d <= 1; ++d) {
                QCOMPARE(rgb(img, i, oy + d), fore());
                QCOMPARE(rgb(img, ox + d, i), fore());
            }
    }

    // Along a row and a column clear of texts: one 3-pixel axis and the
    // one-pixel grid lines that fall inside the picture.
    void gridLineCount_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("perSide");
        QTest::newRow("40") << 40 << 7;
        QTest::newRow("22") << 22 << 13;
        QTest::newRow("14") << 14 << 21;
    }
    void gridLineCount()
    {
        QFETCH(int, unit);
        QFETCH(int, perSide);
        const QImage img = draw(unit, 300, 300);
        const auto lines = lineSet(unit, 300);
        const auto texts = printed();
        // A row (then a column) off every grid line and clear of every text.
        auto clear = [&](int i, bool row) {
            if (lines[std::size_t(i)]) return false;
            for (const Text& t : texts) {
                const QRect r = textBox(t);
                if (row ? (r.top() <= i && i <= r.bottom()) : (r.left() <= i && i <= r.right())) return false;
            }
            return true;
        };
        for (bool across : {true, false}) {
            int at = across ? 0 : 599;
            while (!clear(at, across)) at += across ? 1 : -1;
            std::vector<int> runs;
            int run = 0;
            for (int i = 0; i <= 600; ++i) {
                const bool on = i < 600 && rgb(img, across ? i : at, across ? at : i) == fore();
                if (on) ++run;
                else if (run) runs.push_back(run), run = 0;
            }
            QCOMPARE(int(std::count(runs.begin(), runs.end(), 3)), 1);
            QCOMPARE(int(std::count(runs.begin(), runs.end(), 1)), 2 * perSide);
            QCOMPARE(int(runs.size()), 2 * perSide + 1);
        }
    }

    // The ink of each text starts where its line box, placed at
    // (CurrentX, CurrentY), puts the glyphs of the picture's font.
    void textPlaces_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        const QString O = QString::fromUtf8("Ｏ");
        QTest::newRow("22: origin mark") << 22 << O << 280 << 298;
        QTest::newRow("22: 5 right") << 22 << " 5" << 395 << 298;
        QTest::newRow("22: -5 left") << 22 << "-5" << 170 << 298;
        QTest::newRow("22: 5 above") << 22 << " 5" << 275 << 178;
        QTest::newRow("22: -5 below") << 22 << "-5" << 270 << 398;
        QTest::newRow("22: 10 right") << 22 << " 10" << 497 << 298;
        QTest::newRow("22: -10 left") << 22 << "-10" << 52 << 298;
        QTest::newRow("22: 10 above") << 22 << " 10" << 262 << 68;
        QTest::newRow("22: -10 below") << 22 << "-10" << 257 << 508;
        QTest::newRow("40: origin mark") << 40 << O << 280 << 298;
        QTest::newRow("40: 2 right") << 40 << " 2" << 365 << 298;
        QTest::newRow("40: 6 above") << 40 << " 6" << 275 << 48;
        QTest::newRow("40: -6 below") << 40 << "-6" << 270 << 528;
        QTest::newRow("14: 5 right") << 14 << " 5" << 355 << 298;
        // Moved in along the axis just enough to be whole, 2 pixels from the edge.
        QTest::newRow("14: 20 right, moved in") << 14 << " 20" << 556 << 298;
        QTest::newRow("14: -20 left, moved in") << 14 << "-20" << 1 << 298;
        QTest::newRow("14: 20 above") << 14 << " 20" << 262 << 8;
    }
    void textPlaces()
    {
        QFETCH(int, unit);
        QFETCH(QString, text);
        QFETCH(int, x);
        QFETCH(int, y);
        const QImage img = draw(unit, 300, 300);
        const QImage grid = gridOnly(unit, 300, 300, fore());
        // Where the font puts the glyphs of a line whose top-left corner is
        // (x, y), leading blank included, less what the axes and grid cover.
        QImage alone(600, 600, QImage::Format_RGB32);
        alone.fill(Qt::white);
        QPainter p(&alone);
        p.setFont(Widget(form->Picture1)->font());
        p.drawText(QPointF(x, y + QFontMetricsF(Widget(form->Picture1)->font()).ascent()), text);
        p.end();
        QRect expected, ink;
        for (int py = 0; py < 600; ++py)
            for (int px = 0; px < 600; ++px)
                if (rgb(grid, px, py) == kBack && rgb(alone, px, py) != 0xFFFFFF) expected |= QRect(px, py, 1, 1);
        QVERIFY(!expected.isEmpty());
        const QRect window = expected.adjusted(-6, -6, 6, 6) & img.rect();
        bool inFore = false;
        for (int py = window.top(); py <= window.bottom(); ++py)
            for (int px = window.left(); px <= window.right(); ++px)
                if (rgb(img, px, py) != rgb(grid, px, py)) {
                    ink |= QRect(px, py, 1, 1);
                    inFore = inFore || rgb(img, px, py) == fore();
                }
        const QString msg = QStringLiteral("ink (%1,%2)-(%3,%4), glyphs (%5,%6)-(%7,%8)")
                                .arg(ink.left()).arg(ink.top()).arg(ink.right()).arg(ink.bottom())
                                .arg(expected.left()).arg(expected.top()).arg(expected.right()).arg(expected.bottom());
        QVERIFY2(inFore, "the text is drawn in the foreground colour");
        QVERIFY2(std::abs(ink.left() - expected.left()) <= 1 && std::abs(ink.top() - expected.top()) <= 1 &&
                     std::abs(ink.right() - expected.right()) <= 1 && std::abs(ink.bottom() - expected.bottom()) <= 1,
                 qPrintable(msg));
    }

    // A number of the scale is shown whole or not at all, beside its grid
    // line: at each size, with grid lines just inside every edge, at the
    // form's own scale and larger, every number printed has all its ink in
    // the picture, reaches across its grid line and is seen there; and every
    // number that its place by the scale alone would show whole is shown.
    void numbersWhole_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("ox");
        QTest::addColumn<int>("oy");
        QTest::addColumn<QSize>("window");
        for (const QSize window : {QSize(876, 650), QSize(1752, 1300), QSize(2000, 1000)})
            for (const int unit : {40, 22, 14}) {
                const int step = (unit == 40 ? 2 : 5) * unit;
                std::vector<QPoint> origins{{300, 300}, {60, 60}, {540, 540}};
                // A grid line with a number e pixels inside the left and top
                // edges, then inside the right and bottom ones.
                for (const int e : {1, 5, 12}) origins.insert(origins.end(), {{e + step, e + step}, {600 - e - step, 600 - e - step}});
                for (const QPoint o : origins)
                    QTest::addRow("%d at (%d, %d), window %dx%d", unit, o.x(), o.y(), window.width(), window.height())
                        << unit << o.x() << o.y() << window;
            }
    }
    void numbersWhole()
    {
        QFETCH(int, unit);
        QFETCH(int, ox);
        QFETCH(int, oy);
        QFETCH(QSize, window);
        Widget(*form)->resize(window);
        QTRY_COMPARE(Widget(*form)->size(), window);
        const QImage img = draw(unit, ox, oy);
        const double k = img.width() / 600.0;
        QStringList faults;
        QSet<QString> shown;
        for (const PictureBox::Printed& p : form->Picture1.PrintedTexts()) {
            const Text t{Q(p.text), 0, 0};
            if (t.text == QString::fromUtf8("Ｏ")) continue;
            const bool ofX = p.y == oy - 2;
            const int line = ofX ? ox + t.text.trimmed().toInt() * unit : oy - t.text.trimmed().toInt() * unit;
            const QRect ink = inkOf(t.text, p.x, p.y, k);
            const QString at = QStringLiteral("%1 at (%2, %3)").arg(t.text).arg(p.x).arg(p.y);
            if (!img.rect().contains(ink)) faults << at + " is cut";
            const double from = (ofX ? ink.left() : ink.top()) / k, to = (ofX ? ink.right() + 1 : ink.bottom() + 1) / k;
            if (line < from || line > to) faults << at + QStringLiteral(" stands away from its grid line %1").arg(line);
            int dark = 0;
            for (int y = ink.top(); y <= ink.bottom(); ++y)
                for (int x = ink.left(); x <= ink.right(); ++x) dark += img.rect().contains(x, y) && qGray(img.pixel(x, y)) < 96;
            if (dark < 10) faults << at + " is not seen";
            shown.insert((ofX ? "x " : "y ") + t.text);
        }
        for (const Text& t : planeTexts(unit, ox, oy)) {
            const bool ofX = t.y == oy - 2;
            if (t.text != QString::fromUtf8("Ｏ") && img.rect().contains(inkOf(t.text, t.x, t.y, k)) &&
                !shown.contains((ofX ? "x " : "y ") + t.text))
                faults << t.text + " was whole at its place, and is no longer shown";
        }
        Widget(*form)->resize(876, 650);
        QTRY_COMPARE(Widget(*form)->size(), QSize(876, 650));
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
    }

    void axisNamesFollowTheOrigin_data()
    {
        QTest::addColumn<int>("ox");
        QTest::addColumn<int>("oy");
        QTest::newRow("start origin") << 300 << 300;
        QTest::newRow("(400, 250)") << 400 << 250;
        QTest::newRow("(60, 540)") << 60 << 540;
    }
    void axisNamesFollowTheOrigin()
    {
        QFETCH(int, ox);
        QFETCH(int, oy);
        draw(22, ox, oy);
        QCOMPARE(form->Label5(0).Left(), float(ox + 4));
        QCOMPARE(form->Label5(0).Top(), 0.0f);
        QCOMPARE(form->Label5(1).Top(), float(oy + 28));
        QCOMPARE(form->Label5(1).Left(), 616.0f);
        draw(22, 300, 300);
        QCOMPARE(Widget(form->Label5(0))->geometry(), QRect(304, 0, 25, 33));
        QCOMPARE(Widget(form->Label5(1))->geometry(), QRect(616, 328, 25, 33));
    }

    void drawingStateLeftBehind()
    {
        form->Picture1.DrawWidth(5);
        form->Picture1.FontBold(false);
        draw(40, 300, 300);
        QCOMPARE(form->Picture1.DrawWidth(), std::int16_t(1));
        QVERIFY(form->Picture1.FontBold());
        QCOMPARE(form->Picture1.FontSize(), 20.0f);
        QCOMPARE(Widget(form->Picture1)->font().pixelSize(), qRound(20 * 96.0 / 72.0));
    }

    // Two calls give the same image; Cls clears everything; DrawPlane wipes what was plotted.
    void redraw()
    {
        const QImage fresh = draw(22, 300, 300);
        QVERIFY(draw(22, 300, 300) == fresh);
        form->Picture1.DrawWidth(3);
        form->Picture1.Circle(100, 100, 20);
        form->Picture1.Line(-40, 500, 640, 20, QBColor(12));
        form->Picture1.CurrentX(450);
        form->Picture1.CurrentY(450);
        form->Picture1.Print("xyz");
        QVERIFY(Image(form->Picture1) != fresh);
        QVERIFY(draw(22, 300, 300) == fresh);

        form->Picture1.Circle(100, 100, 20);
        form->Picture1.Cls();
        QImage back(600, 600, QImage::Format_RGB32);
        back.fill(QColor(255, 255, 192));
        QVERIFY(Image(form->Picture1) == back);
    }
};

LG_TEST_MAIN(PlaneTest)
#include "test_plane.moc"
