// The window as the learner first sees it, read from the real widget tree.
#include "testmain.h"
#include "app/form1.h"

#include <algorithm>
#include <memory>
#include <vector>

using namespace platform;

namespace {

enum class Type { Picture, Label, Button, Box };

struct Row {
    const char* name;
    QWidget* widget;
    const void* control;  // the control itself, of the type given
    Type type;
    const char* caption;
    QRect place;
    float points;  // 0: no font of its own
    bool bold, italic, centred;
    int tab;
};

const QColor kGreen(0, 128, 0), kWhite(255, 255, 255), kYellow(255, 255, 0);

std::vector<Row> controls(Form1& f)
{
    using T = Type;
    return {
        {"Picture1", Widget(f.Picture1), &f.Picture1, T::Picture, "", {16, 32, 600, 600}, 0, false, false, false, 3},
        {"Label5(0)", Widget(f.Label5(0)), &f.Label5(0), T::Label, "ｙ", {304, 0, 25, 33}, 20.25f, true, false, false, 24},
        {"Label5(1)", Widget(f.Label5(1)), &f.Label5(1), T::Label, "χ", {616, 328, 25, 33}, 20.25f, true, false, false, 25},
        {"Command2", Widget(f.Command2), &f.Command2, T::Button, "初期画面", {768, 16, 89, 33}, 12, true, false, false, 1},
        {"Label1", Widget(f.Label1), &f.Label1, T::Label, "座標平面の大きさ", {696, 64, 130, 16}, 12, true, false, false, 13},
        {"Command3(0)", Widget(f.Command3(0)), &f.Command3(0), T::Button, "小", {672, 88, 57, 33}, 12, false, false, false, 10},
        {"Command3(1)", Widget(f.Command3(1)), &f.Command3(1), T::Button, "中", {736, 88, 57, 33}, 20.25f, true, false, false, 11},
        {"Command3(2)", Widget(f.Command3(2)), &f.Command3(2), T::Button, "大", {800, 88, 57, 33}, 12, false, false, false, 12},
        {"Label6", Widget(f.Label6), &f.Label6, T::Label, "ａ，ｂ，ｃの値を　　入力しましょう", {648, 128, 209, 57}, 21.75f, true, false,
         false, 31},
        {"Label3(0)", Widget(f.Label3(0)), &f.Label3(0), T::Label, "ａ", {656, 190, 33, 33}, 20.25f, true, true, false, 28},
        {"Label3(1)", Widget(f.Label3(1)), &f.Label3(1), T::Label, "ｂ", {752, 190, 33, 33}, 20.25f, true, true, false, 29},
        {"Label3(2)", Widget(f.Label3(2)), &f.Label3(2), T::Label, "ｃ", {840, 190, 33, 33}, 20.25f, true, true, false, 30},
        {"Text1(0)", Widget(f.Text1(0)), &f.Text1(0), T::Box, "", {648, 216, 41, 42}, 24, false, false, false, 0},
        {"Label2(0)", Widget(f.Label2(0)), &f.Label2(0), T::Label, "χ＋", {688, 224, 57, 25}, 20.25f, true, false, false, 26},
        {"Text1(1)", Widget(f.Text1(1)), &f.Text1(1), T::Box, "", {744, 216, 41, 42}, 24, false, false, false, 4},
        {"Label2(1)", Widget(f.Label2(1)), &f.Label2(1), T::Label, "ｙ＝", {792, 224, 57, 25}, 20.25f, true, false, false, 27},
        {"Text1(2)", Widget(f.Text1(2)), &f.Text1(2), T::Box, "", {832, 216, 41, 42}, 24, false, false, false, 6},
        {"Command4(0)", Widget(f.Command4(0)), &f.Command4(0), T::Button, "点を打つ", {688, 272, 169, 33}, 12, true, false, false, 5},
        {"Command4(1)", Widget(f.Command4(1)), &f.Command4(1), T::Button, "さらに点を打つ", {688, 312, 169, 33}, 12, true, false, false, 7},
        {"Command5", Widget(f.Command5), &f.Command5, T::Button, "すべての点を打つ", {688, 352, 169, 33}, 14.25f, true, false, false, 8},
        {"Command6", Widget(f.Command6), &f.Command6, T::Button, "式を表示", {656, 424, 145, 33}, 14.25f, true, false, false, 9},
        {"Label4(3)", Widget(f.Label4(3)), &f.Label4(3), T::Label, "", {728, 472, 41, 25}, 20.25f, true, false, true, 17},
        {"Label4(8)", Widget(f.Label4(8)), &f.Label4(8), T::Label, "", {808, 472, 65, 25}, 20.25f, true, false, true, 22},
        {"Label4(0)", Widget(f.Label4(0)), &f.Label4(0), T::Label, "", {672, 488, 49, 33}, 20.25f, true, false, false, 14},
        {"Label4(1)", Widget(f.Label4(1)), &f.Label4(1), T::Label, "", {712, 488, 17, 33}, 20.25f, true, false, false, 15},
        {"Label4(2)", Widget(f.Label4(2)), &f.Label4(2), T::Label, "", {728, 488, 41, 33}, 20.25f, true, false, true, 16},
        {"Label4(5)", Widget(f.Label4(5)), &f.Label4(5), T::Label, "", {768, 488, 25, 33}, 20.25f, true, false, false, 19},
        {"Label4(6)", Widget(f.Label4(6)), &f.Label4(6), T::Label, "", {792, 488, 25, 33}, 20.25f, true, false, false, 20},
        {"Label4(7)", Widget(f.Label4(7)), &f.Label4(7), T::Label, "", {816, 488, 57, 33}, 20.25f, true, false, true, 21},
        {"Label4(4)", Widget(f.Label4(4)), &f.Label4(4), T::Label, "", {728, 504, 41, 25}, 20.25f, true, false, true, 18},
        {"Label4(9)", Widget(f.Label4(9)), &f.Label4(9), T::Label, "", {816, 504, 41, 25}, 20.25f, true, false, true, 23},
        {"Command1", Widget(f.Command1), &f.Command1, T::Button, "終　了", {736, 600, 121, 33}, 12, true, false, false, 2},
    };
}

bool hasColour(const QImage& image, const QRect& r, const QColor& c)
{
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.pixelColor(x, y) == c) return true;
    return false;
}

// A pixel of a caption's ink: nearer its colour than the green.
bool inked(const QColor& p, const QColor& colour)
{
    const auto far = [&p](const QColor& c) {
        return std::abs(p.red() - c.red()) + std::abs(p.green() - c.green()) + std::abs(p.blue() - c.blue());
    };
    return far(colour) < far(kGreen);
}

// The ink of a label's caption as seen, where nothing lies over the label:
// how many pixels, whether some are exactly its colour, and how many lines
// (runs of rows) it fills.
struct Ink {
    int pixels = 0, lines = 0;
    bool exact = false, uncovered = true;
};

Ink inkOf(const QImage& shot, QWidget* label, const QColor& colour)
{
    Ink ink;
    const QRect r = label->geometry();
    for (int y = r.top(), last = -2; y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            if (label->parentWidget()->childAt(x, y) != label) ink.uncovered = false;
            else if (inked(shot.pixelColor(x, y), colour)) {
                ++ink.pixels;
                ink.exact = ink.exact || shot.pixelColor(x, y) == colour;
                ink.lines += y > last + 1;
                last = y;
            }
        }
    return ink;
}

// The ink of the caption drawn alone on one line, in the label's font.
int inkOf(const QString& caption, const QFont& font, const QColor& colour)
{
    const QFontMetrics m(font);
    QImage alone(m.horizontalAdvance(caption) + 20, m.height() + 20, QImage::Format_RGB32);
    alone.fill(kGreen);
    QPainter p(&alone);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QPoint(10, 10 + m.ascent()), caption);
    p.end();
    int pixels = 0;
    for (int y = 0; y < alone.height(); ++y)
        for (int x = 0; x < alone.width(); ++x) pixels += inked(alone.pixelColor(x, y), colour);
    return pixels;
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Form1> form;
    QImage shot;  // the window as drawn after load

private slots:
    void initTestCase()
    {
        form = std::make_unique<Form1>();
        form->Start();
        QVERIFY(QTest::qWaitForWindowExposed(Widget(*form)));
        QVERIFY(QTest::qWaitForWindowActive(Widget(*form)));
        shot = Widget(*form)->grab().toImage();
    }
    void cleanupTestCase() { form.reset(); }

    void window()
    {
        QCOMPARE(Widget(*form)->windowTitle(), QString::fromUtf8("２元１次方程式のグラフ (q.Varno)"));
        QCOMPARE(Widget(*form)->size(), QSize(876, 650));
        // It opens at the form's own size, and may be made larger (and the form with it).
        QVERIFY(Widget(*form)->maximumSize().width() > 876 && Widget(*form)->maximumSize().height() > 650);
        QCOMPARE(shot.size(), QSize(876, 650));
        // Free corners of the client area show the window's own green.
        for (QPoint p : {QPoint(2, 2), QPoint(640, 10), QPoint(5, 645), QPoint(870, 645), QPoint(660, 420)})
            QCOMPARE(shot.pixelColor(p), kGreen);
        QCOMPARE(int(controls(*form).size()) + 2, 34);  // and the two bars
    }

    void control_data()
    {
        QTest::addColumn<int>("row");
        const auto rows = controls(*form);
        for (int i = 0; i < int(rows.size()); ++i) QTest::newRow(rows[i].name) << i;
    }
    void control()
    {
        QFETCH(int, row);
        const Row c = controls(*form)[row];
        QWidget* w = c.widget;
        QCOMPARE(w->geometry(), c.place);
        QCOMPARE(w->parentWidget(), Widget(*form));
        QVERIFY(w->isVisible());
        const bool greyed = (w == Widget(form->Command5) || w == Widget(form->Command6));
        QCOMPARE(w->isEnabled(), !greyed);

        float points = 0;
        switch (c.type) {
        case Type::Label: {
            auto* label = static_cast<const Label*>(c.control);
            auto* l = static_cast<QLabel*>(w);
            QCOMPARE(Q(label->Caption()), QString::fromUtf8(c.caption));
            points = label->FontSize();
            QCOMPARE(bool(l->alignment() & Qt::AlignHCenter), c.centred);
            QCOMPARE(l->focusPolicy(), Qt::NoFocus);
            // The caption shows in its colour on the green, whole, on as many
            // lines as its place needs; an empty one leaves the green alone.
            const QColor colour = w == Widget(form->Label6) ? kYellow : kWhite;
            const Ink ink = inkOf(shot, w, colour);
            if (!*c.caption) {
                QCOMPARE(ink.pixels, 0);
                break;
            }
            QVERIFY(ink.exact);
            QCOMPARE(ink.lines, w == Widget(form->Label6) ? 2 : 1);
            if (ink.uncovered) {
                const int alone = inkOf(QString::fromUtf8(c.caption), w->font(), colour);
                QVERIFY2(std::abs(ink.pixels - alone) * 10 < alone,
                         qPrintable(QStringLiteral("%1 pixels of ink, %2 in the caption").arg(ink.pixels).arg(alone)));
            }
            break;
        }
        case Type::Button:
            QCOMPARE(Q(static_cast<const CommandButton*>(c.control)->Caption()), QString::fromUtf8(c.caption));
            QVERIFY(!static_cast<QPushButton*>(w)->isDefault());
            points = static_cast<const CommandButton*>(c.control)->FontSize();
            break;
        case Type::Box:
            QCOMPARE(Q(static_cast<const TextBox*>(c.control)->Text()), QString());
            points = static_cast<const TextBox*>(c.control)->FontSize();
            break;
        case Type::Picture:
            // Pale yellow, its axes and the origin mark 「Ｏ」 black.
            QCOMPARE(shot.pixelColor(16 + 5, 32 + 5), QColor(255, 255, 192));
            QCOMPARE(shot.pixelColor(16 + 590, 32 + 300), QColor(0, 0, 0));
            QCOMPARE(shot.pixelColor(16 + 300, 32 + 10), QColor(0, 0, 0));
            QVERIFY(hasColour(shot, QRect(16 + 280, 32 + 305, 20, 25), QColor(0, 0, 0)));
            return;
        }
        QCOMPARE(points, c.points);
        const QFont font = w->font();
        QCOMPARE(font.pixelSize(), qRound(c.points * 96.0 / 72.0));
        QCOMPARE(font.bold(), c.bold);
        QCOMPARE(font.italic(), c.italic);
        const QString face = QFontInfo(font).family();
        QVERIFY2(face == QLatin1String("IPAPGothic") || face == QLatin1String("Noto Sans CJK JP"),
                 qPrintable(face));
    }

    // Where a label overlaps a box or the picture, the box is on top.
    void boxesAboveLabels_data()
    {
        QTest::addColumn<QWidget*>("box");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("Label5(0) over Picture1") << static_cast<QWidget*>(Widget(form->Picture1)) << QPoint(310, 32);
        QTest::newRow("Label3(0) over Text1(0)") << static_cast<QWidget*>(Widget(form->Text1(0))) << QPoint(658, 220);
        QTest::newRow("Label3(1) over Text1(1)") << static_cast<QWidget*>(Widget(form->Text1(1))) << QPoint(754, 220);
        QTest::newRow("Label3(2) over Text1(2)") << static_cast<QWidget*>(Widget(form->Text1(2))) << QPoint(842, 220);
        QTest::newRow("Label2(1) under Text1(2)") << static_cast<QWidget*>(Widget(form->Text1(2))) << QPoint(835, 227);
    }
    void boxesAboveLabels()
    {
        QFETCH(QWidget*, box);
        QFETCH(QPoint, at);
        QVERIFY(box->geometry().contains(at));
        QCOMPARE(Widget(*form)->childAt(at), box);
        const QImage own = box->grab().toImage();
        QCOMPARE(shot.pixelColor(at), own.pixelColor(at - box->pos()));
    }

    void fractionBars()
    {
        for (std::int16_t i = 0; i <= 1; ++i) {
            QVERIFY(!Widget(form->Line1(i))->isVisible());
            QCOMPARE(form->Line1(i).BorderWidth(), 3);
            QCOMPARE(form->Line1(i).BorderColor(), RGB(255, 255, 255));
            QCOMPARE(form->Line1(i).Place(), (LineControl::Ends{736 + 88 * i, 502, 768 + 88 * i, 502}));
        }
        QVERIFY(!hasColour(shot, QRect(720, 495, 150, 15), kWhite));

        // Shown, each bar is 3 pixels of white across its ends, over the green number places.
        form->Line1(0).Visible(true);
        form->Line1(1).Visible(true);
        const QImage shown = Widget(*form)->grab().toImage();
        form->Line1(0).Visible(false);
        form->Line1(1).Visible(false);
        for (int from : {736, 824}) {
            for (int x = from; x <= from + 32; ++x)
                for (int y = 501; y <= 503; ++y) QCOMPARE(shown.pixelColor(x, y), kWhite);
            QCOMPARE(shown.pixelColor(from + 16, 500), kGreen);
            QCOMPARE(shown.pixelColor(from + 16, 504), kGreen);
        }
    }

    void focusAtStart() { QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Widget(form->Text1(0)))); }

    // Tab walks the focusable controls by their tab index; greyed buttons are passed over.
    void tabOrder_data()
    {
        QTest::addColumn<bool>("allEnabled");
        QTest::newRow("after load") << false;
        QTest::newRow("all buttons enabled") << true;
    }
    void tabOrder()
    {
        QFETCH(bool, allEnabled);
        auto rows = controls(*form);
        std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.tab < b.tab; });
        std::vector<QWidget*> chain;
        for (const Row& r : rows) {
            if (r.type == Type::Label) continue;
            if (!allEnabled && (r.widget == Widget(form->Command5) || r.widget == Widget(form->Command6))) continue;
            chain.push_back(r.widget);
        }
        QCOMPARE(int(chain.size()), allEnabled ? 13 : 11);

        form->Command5.Enabled(allEnabled);
        form->Command6.Enabled(allEnabled);
        form->Text1(0).SetFocus();
        QCOMPARE(QApplication::focusWidget(), chain[0]);
        for (std::size_t i = 1; i <= chain.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), chain[i % chain.size()]);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), chain.back());
        form->Command5.Enabled(false);
        form->Command6.Enabled(false);
        form->Text1(0).SetFocus();
    }
};

LG_TEST_MAIN(LayoutTest)
#include "test_layout.moc"
