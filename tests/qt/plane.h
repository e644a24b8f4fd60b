// The empty plane as it must look, checked in the picture's image at any
// density, as the page's tests check the canvas: outside the places of its
// texts every pixel is the pale yellow background or black, black exactly on
// the 3-pixel axes and the 1-pixel grid lines at origin + k·unit; and every
// text that falls inside the picture (the origin mark, the numbers of the
// scale) leaves ink in its place.
#pragma once

#include <QImage>
#include <QRect>
#include <QStringList>

#include <vector>

namespace {

// Where the plane prints its texts (the origin mark, then the numbers of the
// scale), each with room for three characters at 20 points, in form pixels.
inline std::vector<QRect> planeTexts(int unit, int ox, int oy)
{
    std::vector<QRect> texts{{ox - 23, oy - 5, 56, 42}};
    const int step = unit == 40 ? 2 : unit == 22 || unit == 14 ? 5 : 0, count = unit == 40 ? 7 : unit == 22 ? 5 : 8;
    for (int j = 1; step && j <= count; ++j) {
        const int v = step * j, d = v * unit, w = v >= 10 ? 1 : 0;
        for (const QPoint& at : {QPoint(ox - 15 + d - 8 * w, oy - 2), QPoint(ox - 20 - d - 8 * w, oy - 2),
                                 QPoint(ox - 25 - 13 * w, oy - 12 - d), QPoint(ox - 30 - 13 * w, oy - 12 + d)})
            texts.push_back(QRect(at.x() - 3, at.y() - 3, 56, 42));
    }
    return texts;
}

inline QStringList planeFaults(const QImage& image, int unit, int ox, int oy)
{
    const double k = image.width() / 600.0;
    const auto lines = [unit](int origin) {
        std::vector<bool> on(600, false);
        const auto mark = [&](int p) {
            if (p >= 0 && p < 600) on[std::size_t(p)] = true;
        };
        for (int p = origin - 1; p <= origin + 1; ++p) mark(p);
        for (int i = 1; i <= 600 / unit; ++i) mark(origin + i * unit), mark(origin - i * unit);
        return on;
    };
    const auto cols = lines(ox), rows = lines(oy);
    const std::vector<QRect> texts = planeTexts(unit, ox, oy);
    std::vector<bool> inText(600 * 600, false);
    for (const QRect& t : texts)
        for (int y = std::max(0, t.top()); y <= std::min(599, t.bottom()); ++y)
            for (int x = std::max(0, t.left()); x <= std::min(599, t.right()); ++x) inText[std::size_t(y * 600 + x)] = true;
    QStringList faults;
    const auto fault = [&](const QString& f) {
        if (faults.size() < 8) faults << f;
    };
    const QRgb black = qRgb(0, 0, 0), back = qRgb(255, 255, 192);
    for (int Y = 0; Y < image.height(); ++Y)
        for (int X = 0; X < image.width(); ++X) {
            const int x = int(X / k), y = int(Y / k);
            if (inText[std::size_t(y * 600 + x)]) continue;
            const bool line = cols[std::size_t(x)] || rows[std::size_t(y)];
            const QRgb p = image.pixel(X, Y) | 0xFF000000u;
            if (p != (line ? black : back))
                fault(QStringLiteral("image (%1, %2) = plane (%3, %4): %5, %6 expected")
                          .arg(X).arg(Y).arg(x).arg(y).arg(p & 0xFFFFFF, 6, 16, QLatin1Char('0'))
                          .arg(line ? "a line" : "background"));
        }
    // Each text well inside the picture has ink off the lines.
    for (const QRect& box : texts) {
        const QPoint t = box.topLeft() + QPoint(3, 3);
        if (t.x() < 0 || t.y() < 0 || t.x() + 40 > 599 || t.y() + 30 > 599) continue;
        bool ink = false;
        for (int y = t.y(); y <= t.y() + 30 && !ink; ++y)
            for (int x = t.x(); x <= t.x() + 40 && !ink; ++x)
                ink = !cols[std::size_t(x)] && !rows[std::size_t(y)] &&
                      qGray(image.pixel(int((x + 0.5) * k), int((y + 0.5) * k))) < 96;
        if (!ink) fault(QStringLiteral("no text at (%1, %2)").arg(t.x()).arg(t.y()));
    }
    return faults;
}

}  // namespace

#define PLANE_AS_DRAWN(image, unit, ox, oy)                        \
    do {                                                           \
        const QStringList f_ = planeFaults((image), unit, ox, oy); \
        QVERIFY2(f_.isEmpty(), qPrintable(f_.join("; ")));         \
    } while (0)
