// What several tests do with the window as the learner does: open it, type
// the coefficients, run a lesson by its buttons, drag the plane, and read the
// picture and the equation shown; and the picture a lesson must leave.
#pragma once

#include "testmain.h"
#include "app/form1.h"

namespace {

// Shows the window and waits until it is on the screen and has the focus.
inline void open(Form1& f)
{
    f.Start();
    QVERIFY(QTest::qWaitForWindowExposed(Widget(f)));
    Widget(f)->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Widget(f)));
}

// a, b and c into their boxes, as if typed.
inline void enter(Form1& f, const QString& a, const QString& b, const QString& c)
{
    f.Text1(0).Text(a.toStdString());
    f.Text1(1).Text(b.toStdString());
    f.Text1(2).Text(c.toStdString());
}

// The equation as the labels and bars show it: a fraction is (upper/lower),
// with "/" only when its bar is visible.
inline QString shownEquation(Form1& f)
{
    auto part = [&](std::int16_t i) { return f.Label4(i).Visible() ? Q(f.Label4(i).Caption()) : QString(); };
    auto fraction = [&](std::int16_t upper, std::int16_t lower, std::int16_t bar) {
        if (part(upper).isEmpty() && part(lower).isEmpty() && !f.Line1(bar).Visible()) return QString();
        return "(" + part(upper) + (f.Line1(bar).Visible() ? "/" : " ") + part(lower) + ")";
    };
    return part(0) + part(1) + part(2) + fraction(3, 4, 0) + part(5) + part(6) + part(7) + fraction(8, 9, 1);
}

// What the learner plotted: a, b, c, then "点を打つ" and maybe the next two
// buttons; no coefficients, nothing plotted.
struct Lesson {
    QStringList abc;
    bool more = false, line = false;
};

// The runs of a lesson, by clicks as the learner makes them or by direct calls.
inline void run(Form1& f, const Lesson& l, bool click)
{
    if (l.abc.isEmpty()) return;
    enter(f, l.abc[0], l.abc[1], l.abc[2]);
    const auto press = [click](platform::CommandButton& button, auto handler) {
        if (click) QTest::mouseClick(Widget(button), Qt::LeftButton);
        else handler();
    };
    press(f.Command4(0), [&] { f.Command4_Click(0); });
    if (l.more) press(f.Command4(1), [&] { f.Command4_Click(1); });
    if (l.line) press(f.Command5, [&] { f.Command5_Click(); });
}

// x + 3y = 1 through all three runs.
inline const Lesson kAllThree{{"1", "3", "1"}, true, true};

// The picture as it must look: another window with the plane drawn directly
// at this origin and unit, then the runs of the lesson in its order.
inline QImage expected(const Variant& ox, const Variant& oy, std::int16_t unit, const Lesson& l = {})
{
    Form1 r;
    r.Start();
    r.unitSize = unit;
    r.originX = ox;
    r.originY = oy;
    r.DrawPlane();
    run(r, l, false);
    return Image(r.Picture1).copy();
}

// Empty when the pictures are the same, else where they first differ.
inline QString difference(const QImage& got, const QImage& want)
{
    if (got.size() != want.size()) return QStringLiteral("the pictures differ in size");
    for (int y = 0; y < got.height(); ++y)
        for (int x = 0; x < got.width(); ++x)
            if (got.pixel(x, y) != want.pixel(x, y))
                return QStringLiteral("first difference at (%1, %2)").arg(x).arg(y);
    return {};
}

#define SAME_PICTURE(got, want)                        \
    do {                                               \
        const QString d_ = difference((got), (want));  \
        QVERIFY2(d_.isEmpty(), qPrintable(d_));        \
    } while (0)

// A mouse move over the picture with these buttons held.
inline void moveTo(Form1& f, QPoint at, Qt::MouseButtons held = Qt::LeftButton)
{
    QMouseEvent e(QEvent::MouseMove, QPointF(at), Widget(f.Picture1)->mapToGlobal(QPointF(at)), Qt::NoButton, held,
                  Qt::NoModifier);
    QApplication::sendEvent(Widget(f.Picture1), &e);
}

}  // namespace
