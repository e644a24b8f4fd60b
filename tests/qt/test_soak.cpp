// A long, seeded run of random use of the real window, checked after every
// step against a model of the lesson kept here: the flags, the enabled
// buttons, the plane size and its highlight, the origin, the messages, the red
// line and, whenever an equation is shown, that it is exactly the line of the
// equation that was plotted, worked out here with exact fractions.
//
// A failure names the seed and the step; LG_SOAK_SEED and LG_SOAK_STEPS
// replay or lengthen a run.
#include "testmain.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <cmath>
#include <cstdlib>
#include <optional>
#include <random>

#include "app/form1.h"

namespace {

using Wide = __int128;

// An exact decimal: mantissa × 10^exp, or unknown when the text's value is no
// decimal this model keeps (an infinite reading).
struct Exact {
    bool known = true;
    Wide mantissa = 0;
    int exp = 0;
};

struct Coefficient {
    QString text;
    double value = 0;  // what the program computes with
    Exact exact;
};

Wide gcd(Wide a, Wide b)
{
    if (a < 0) a = -a;
    if (b < 0) b = -b;
    while (b) {
        const Wide t = a % b;
        a = b;
        b = t;
    }
    return a;
}

struct Fraction {
    bool shown = false;  // small enough to be shown
    Wide num = 0, den = 1;
};

// p / q in lowest terms, when it can be shown (denominator up to 32767,
// numerator up to 15 digits).
Fraction quotient(const Exact& p, const Exact& q, bool negate)
{
    Fraction f;
    if (!p.known || !q.known || q.mantissa == 0) return f;
    if (p.mantissa == 0) {
        // Zero over any number is 0/1, however far apart their powers of ten.
        f.shown = true;
        f.num = 0;
        f.den = 1;
        return f;
    }
    const int shift = p.exp - q.exp;
    if (shift > 33 || shift < -33) return f;
    Wide num = negate ? -p.mantissa : p.mantissa, den = q.mantissa;
    for (int i = 0; i < std::abs(shift); ++i) (shift > 0 ? num : den) *= 10;
    if (den < 0) num = -num, den = -den;
    const Wide g = gcd(num, den);
    num /= g;
    den /= g;
    const Wide most = Wide(999999999999999);
    f.shown = den <= 32767 && num <= most && num >= -most;
    f.num = num;
    f.den = den;
    return f;
}

struct Equation {
    Coefficient a, b, c;
};

// Texts a learner may type, each with the value it stands for.
class Typist {
public:
    explicit Typist(std::mt19937& rng) : rng_(rng) {}

    Coefficient next()
    {
        switch (pick(14)) {
        case 0: return plain("", 0);
        case 1: return plain(pickOf({"-", "+", "x", "ｘ", "."}), 0);
        case 2: return plain("0", 0);
        case 3: return plain(pickOf({"&H1F", "&h10"}), pick(2) ? 31 : 16);
        case 4: return huge();
        case 5: return decimal(static_cast<int>(pick(2000)) - 1000, 3);
        case 6: return decimal(static_cast<int>(pick(200)) - 100, 1);
        case 7: return exponent();
        default: return decimal(static_cast<int>(pick(25)) - 12, 0);
        }
    }

private:
    unsigned pick(unsigned n) { return std::uniform_int_distribution<unsigned>(0, n - 1)(rng_); }
    const char* pickOf(std::initializer_list<const char*> list) { return list.begin()[pick(unsigned(list.size()))]; }

    Coefficient plain(const char* text, long long value)
    {
        Coefficient c;
        c.text = QString::fromUtf8(text);
        c.value = static_cast<double>(value);
        c.exact.mantissa = value;
        // "&H1F" and "&h10": the value was picked with the text above.
        if (c.text.startsWith(QLatin1String("&H"))) c.value = 31, c.exact.mantissa = 31;
        if (c.text.startsWith(QLatin1String("&h"))) c.value = 16, c.exact.mantissa = 16;
        return c;
    }

    // n / 10^places written as a decimal, then dressed as a learner might.
    Coefficient decimal(long long n, int places)
    {
        QString digits = QString::number(std::llabs(n));
        while (digits.size() <= places) digits.prepend(QLatin1Char('0'));
        QString text = places ? digits.left(digits.size() - places) + QLatin1Char('.') + digits.right(places) : digits;
        if (text.startsWith(QLatin1String("0.")) && pick(2)) text.remove(0, 1);  // ".5"
        if (n < 0) text.prepend(QLatin1Char('-'));
        else if (pick(5) == 0) text.prepend(QLatin1Char('+'));
        Coefficient c;
        c.exact.mantissa = n;
        c.exact.exp = -places;
        c.value = std::strtod(text.toLatin1().constData(), nullptr);
        c.text = dress(text);
        return c;
    }

    Coefficient exponent()
    {
        const long long m = static_cast<long long>(pick(99)) + 1;
        const int e = static_cast<int>(pick(17)) - 6;  // 10^-6 … 10^10
        QString text = QString::number(m) + QLatin1String(pick(2) ? "e" : "E") + QString::number(e);
        Coefficient c;
        c.exact.mantissa = m;
        c.exact.exp = e;
        c.value = std::strtod(text.toLatin1().constData(), nullptr);
        c.text = pick(3) == 0 ? text.replace(QLatin1Char('e'), QLatin1Char('D')) : text;
        return c;
    }

    Coefficient huge()
    {
        static const char* const texts[] = {"1e300", "-1e300", "1e999", "1e-300", "1e30", "12345678901234567890123"};
        const unsigned i = pick(6);
        Coefficient c;
        c.text = QString::fromLatin1(texts[i]);
        c.value = std::strtod(texts[i], nullptr);
        const int exps[] = {300, 300, 999, -300, 30, 0};
        c.exact.mantissa = i == 1 ? -1 : 1;
        c.exact.exp = exps[i];
        if (i == 2 || i == 5) c.exact.known = false;  // infinite, or too many digits for this model
        return c;
    }

    // Full-width forms, blanks inside the number, and a tail that ends it.
    QString dress(QString text)
    {
        if (pick(4) == 0) {
            QString wide;
            for (QChar ch : text) {
                if (ch.isDigit()) wide += QChar(0xFF10 + ch.digitValue());
                else if (ch == QLatin1Char('-')) wide += QChar(pick(2) ? 0xFF0D : 0x2212);
                else if (ch == QLatin1Char('+')) wide += QChar(0xFF0B);
                else if (ch == QLatin1Char('.')) wide += QChar(0xFF0E);
                else wide += ch;
            }
            text = wide;
        }
        if (pick(6) == 0 && text.size() > 1) text.insert(1 + int(pick(unsigned(text.size() - 1))), QLatin1Char(' '));
        if (pick(8) == 0) text += QString::fromUtf8(pickOf({"x", "/3", ",5", "ｙ", "?"}));
        return text;
    }

    std::mt19937& rng_;
};

const QStringList& knownMessages()
{
    static const QStringList m = {
        QString::fromUtf8("ｂが０なので、式をｙについて解くことができません。\nｂには０でない数を入れてください。"),
        QString::fromUtf8("ｂが０に近すぎて、点を打つことができません。\nｂには、もっと０から離れた数を入れてください。"),
        QString::fromUtf8("数が大きすぎて、点を打つことができません。\nａ，ｂ，ｃには、もっと小さな数を入れてください。"),
        QString::fromUtf8("この直線の式は、数が大きすぎて表示できません。"),
    };
    return m;
}

}  // namespace

class SoakTest : public QObject {
    Q_OBJECT

private slots:
    void randomUse();

private:
    // The model of the lesson.
    struct Model {
        int unit = 22;
        double ox = 300, oy = 300;
        bool dragging = false;
        double lastX = 0, lastY = 0;
        bool points = false, morePoints = false, line = false;
        bool c5 = false, c6 = false;
        Coefficient box[3];
        std::optional<Equation> lastRun;    // the equation of the last run that plotted
        std::optional<Equation> drawn;      // the equation of the line last drawn
        std::optional<Equation> displayed;  // the equation on show
        bool lineJustDrawn = false;
    };

    void act();
    void pressed(QWidget* b, bool enabled);
    void check();
    void fail(const QString& what);
    bool observeRun();  // after a run: whether it plotted, judged by the messages
    void run(int index);
    void drawLine();
    bool replay();
    void dragMove(double x, double y, Qt::MouseButtons held);
    void send(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held);
    void type(QWidget* w, const QString& text);
    void press(QWidget* w, int key, const QString& text);
    void click(QWidget* w);
    void show();
    void checkEquation();
    void checkLine();

    std::unique_ptr<Form1> f_;
    Model m_;
    std::mt19937 rng_;
    std::optional<Typist> typist_;
    unsigned seed_ = 0;
    int step_ = 0;
    std::size_t reportsSeen_ = 0;
    int ends_ = 0;
    int messages_ = 0;
    int equations_ = 0;  // equations read back and found right
    int lines_ = 0;      // red lines found on their true line
    int arrows_ = 0;     // arrow keys on the focused plane
};

void SoakTest::fail(const QString& what)
{
    QFAIL(qPrintable(QStringLiteral("seed %1, step %2: %3").arg(seed_).arg(step_).arg(what)));
}

unsigned envNumber(const char* name, unsigned fallback)
{
    bool ok = false;
    const unsigned v = qEnvironmentVariable(name).toUInt(&ok);
    return ok ? v : fallback;
}

void SoakTest::randomUse()
{
    seed_ = envNumber("LG_SOAK_SEED", 20261208u);
    const int steps = static_cast<int>(envNumber("LG_SOAK_STEPS", 20000u));
    rng_.seed(seed_);
    typist_.emplace(rng_);
    ClearReports();
    platform::SetEndHook([this] { ++ends_; });
    f_ = std::make_unique<Form1>();
    f_->Start();
    Widget(*f_)->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Widget(*f_)));
    for (step_ = 1; step_ <= steps; ++step_) {
        act();
        if (QTest::currentTestFailed()) return;
        check();
        if (QTest::currentTestFailed()) return;
    }
    qInfo("soaked %d actions (seed %u): %d messages, %d ends, %d arrow keys on the plane, %d equations and %d points of red "
          "lines checked",
          steps, seed_, messages_, ends_, arrows_, equations_, lines_);
    QVERIFY(equations_ > 0 && lines_ > 0 && arrows_ > 0);
    platform::SetEndHook({});
    f_.reset();
}

void SoakTest::type(QWidget* w, const QString& text)
{
    for (QChar ch : text) {
        const int key = ch.unicode() < 128 && ch.isLetterOrNumber() ? int(ch.toUpper().unicode()) : int(Qt::Key_unknown);
        press(w, key, QString(ch));
    }
}

void SoakTest::press(QWidget* w, int key, const QString& text)
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &up);
}

void SoakTest::click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }

void SoakTest::send(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QWidget* p = Widget(f_->Picture1);
    QMouseEvent e(type, at, p->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(p, &e);
}

bool SoakTest::observeRun()
{
    const auto& reports = Reports();
    const std::size_t fresh = reports.size() - reportsSeen_;
    if (fresh > 1) fail(QStringLiteral("%1 messages for one run").arg(fresh));
    for (std::size_t i = reportsSeen_; i < reports.size(); ++i) {
        if (reports[i].kind != platform::Report::Kind::Message || !knownMessages().contains(Q(reports[i].text)))
            fail(QStringLiteral("unexpected report: %1").arg(Q(reports[i].text)));
        ++messages_;
    }
    reportsSeen_ = reports.size();
    const bool plotted = fresh == 0;
    // Whether a run can plot: b must not be 0, and every y of the run, times
    // the grid unit, must stay within the 32-bit float range.
    const double a = m_.box[0].value, b = m_.box[1].value, c = m_.box[2].value;
    if (b == 0 && plotted) fail(QStringLiteral("plotted with b = 0"));
    if (b != 0) {
        const double s = -a / b, t = c / b;
        const double worst = std::max(std::fabs(s * 38 + t), std::fabs(s * -38 + t)) * 40;
        // A coefficient read as infinite is too large whatever the quotient.
        const bool finite = std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(worst);
        if (finite && worst < 1e36 && !plotted)
            fail(QStringLiteral("refused to plot a small equation: %1, %2, %3 (%4)")
                     .arg(m_.box[0].text, m_.box[1].text, m_.box[2].text, Q(reports.back().text)));
        if ((!finite || worst > 1e40) && plotted)
            fail(QStringLiteral("plotted numbers beyond the float range: %1, %2, %3")
                     .arg(m_.box[0].text, m_.box[1].text, m_.box[2].text) + QStringLiteral(" (%1 %2 %3 worst %4)").arg(a).arg(b).arg(c).arg(worst));
    }
    if (b == 0 && !plotted && !Q(reports.back().text).startsWith(QString::fromUtf8("ｂが０なので")))
        fail(QStringLiteral("b = 0 without its message"));
    return plotted;
}

void SoakTest::run(int index)
{
    if (!observeRun()) return;
    m_.lastRun = Equation{m_.box[0], m_.box[1], m_.box[2]};
    (index == 0 ? m_.points : m_.morePoints) = true;
    m_.c5 = true;
    m_.lineJustDrawn = false;
}

void SoakTest::drawLine()
{
    m_.drawn = m_.lastRun;
    m_.line = true;
    m_.c6 = true;
    m_.lineJustDrawn = true;
}

// A replay after the plane was drawn afresh; false when a run could not plot.
bool SoakTest::replay()
{
    m_.lineJustDrawn = false;
    if (m_.points || m_.morePoints) {
        if (!observeRun()) return false;
        m_.lastRun = Equation{m_.box[0], m_.box[1], m_.box[2]};
        m_.c5 = true;
    }
    if (m_.line) drawLine();
    return true;
}

void SoakTest::dragMove(double x, double y, Qt::MouseButtons held)
{
    send(QEvent::MouseMove, {x, y}, Qt::NoButton, held);
    if (!m_.dragging) return;
    m_.ox = std::clamp(m_.ox + (x - m_.lastX), 60.0, 540.0);
    m_.oy = std::clamp(m_.oy + (y - m_.lastY), 60.0, 540.0);
    if (!replay()) {
        m_.dragging = false;
        return;
    }
    m_.lastX = x;
    m_.lastY = y;
}

// The model's side of a pressed button (a click, or Enter or Space on it).
void SoakTest::pressed(QWidget* b, bool enabled)
{
    Form1& f = *f_;
    if (b == Widget(f.Command2)) {
        m_.ox = m_.oy = 300;
        m_.dragging = m_.points = m_.morePoints = m_.line = m_.c5 = m_.c6 = false;
        for (auto& box : m_.box) box = Coefficient{};
        m_.displayed.reset();
        m_.lineJustDrawn = false;
    } else if (b == Widget(f.Command3(0)) || b == Widget(f.Command3(1)) || b == Widget(f.Command3(2))) {
        m_.unit = b == Widget(f.Command3(0)) ? 40 : b == Widget(f.Command3(1)) ? 22 : 14;
        replay();
    } else if (b == Widget(f.Command4(0)) || b == Widget(f.Command4(1))) {
        run(b == Widget(f.Command4(0)) ? 0 : 1);
    } else if (b == Widget(f.Command5) && enabled) {
        drawLine();
    } else if (b == Widget(f.Command6) && enabled) {
        show();
    }
}

void SoakTest::act()
{
    auto pick = [this](unsigned n) { return std::uniform_int_distribution<unsigned>(0, n - 1)(rng_); };
    Form1& f = *f_;
    const unsigned what = pick(100);
    if (what < 22) {
        // Type a new text into one of the boxes.
        const std::int16_t i = static_cast<std::int16_t>(pick(3));
        const Coefficient c = typist_->next();
        QTest::keyClick(Widget(f.Text1(i)), Qt::Key_A, Qt::ControlModifier);
        if (c.text.isEmpty()) press(Widget(f.Text1(i)), Qt::Key_Delete, {});
        else type(Widget(f.Text1(i)), c.text);
        if (Q(f.Text1(i).Text()) != c.text) fail(QStringLiteral("box %1 holds %2, typed %3").arg(i).arg(Q(f.Text1(i).Text()), c.text));
        m_.box[i] = c;
    } else if (what < 60) {
        // Click a button, enabled or not.
        const unsigned which = pick(10);
        QWidget* buttons[] = {Widget(f.Command1), Widget(f.Command2), Widget(f.Command3(0)), Widget(f.Command3(1)), Widget(f.Command3(2)),
                              Widget(f.Command4(0)), Widget(f.Command4(1)), Widget(f.Command5), Widget(f.Command6), Widget(f.Command4(0))};
        QWidget* b = buttons[which];
        const bool enabled = b->isEnabled();
        click(b);
        pressed(b, enabled);
    } else if (what < 72) {
        // Enter, Space or Tab on whatever has the focus.
        // Now and then the learner tabs to the plane first, to move it by keys.
        if (pick(4) == 0) Widget(f.Picture1)->setFocus(Qt::TabFocusReason);
        QWidget* w = QApplication::focusWidget();
        if (!w) fail(QStringLiteral("nothing has the focus"));
        const unsigned key = pick(4);
        auto* button = qobject_cast<QPushButton*>(w);
        if (key == 3) {
            // An arrow key: on the plane it moves the plane by one grid unit.
            const int arrows[] = {Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down};
            const unsigned which = pick(4);
            press(w, arrows[which], {});
            if (w == Widget(f.Picture1)) {
                ++arrows_;
                const int dx[] = {-1, 0, 1, 0}, dy[] = {0, -1, 0, 1};
                m_.ox = std::clamp(m_.ox + dx[which] * m_.unit, 60.0, 540.0);
                m_.oy = std::clamp(m_.oy + dy[which] * m_.unit, 60.0, 540.0);
                replay();
            }
        } else if (key == 2) {
            press(w, Qt::Key_Tab, QStringLiteral("\t"));
        } else if (button) {
            // A focused button is pressed by Enter and by Space: as a click.
            if (key == 0) press(w, Qt::Key_Return, QStringLiteral("\r"));
            else QTest::keyClick(w, Qt::Key_Space);
            pressed(w, true);
        } else if (key == 0) {
            press(w, Qt::Key_Return, QStringLiteral("\r"));
        } else {
            press(w, Qt::Key_Space, QStringLiteral(" "));
            if (auto* box = qobject_cast<QLineEdit*>(w)) {
                for (std::int16_t i = 0; i < 3; ++i)
                    if (box == Widget(f.Text1(i))) {
                        // A blank does not change what the box reads, unless it
                        // replaced the selected text.
                        auto bare = [](QString t) { return t.remove(QLatin1Char(' ')); };
                        if (bare(box->text()) != bare(m_.box[i].text)) {
                            if (!bare(box->text()).isEmpty()) fail(QStringLiteral("a blank changed a number"));
                            m_.box[i] = Coefficient{};
                        }
                        m_.box[i].text = box->text();
                    }
            }
        }
    } else {
        // A drag with any button, in and out of the plane and past its limits.
        const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
        const Qt::MouseButton button = buttons[pick(3)];
        const double x = pick(600), y = pick(600);
        send(QEvent::MouseButtonPress, {x, y}, button, button);
        m_.dragging = true;
        m_.lastX = x;
        m_.lastY = y;
        check();
        const unsigned moves = 1 + pick(8);
        for (unsigned k = 0; k < moves && !QTest::currentTestFailed(); ++k) {
            const double to = static_cast<double>(pick(1400)) - 400, down = static_cast<double>(pick(1400)) - 400;
            const bool near = pick(3) != 0;
            dragMove(near ? m_.lastX + double(pick(41)) - 20 : to, near ? m_.lastY + double(pick(41)) - 20 : down,
                     button);
            check();
        }
        const double rx = static_cast<double>(pick(1000)) - 200, ry = static_cast<double>(pick(1000)) - 200;
        send(QEvent::MouseButtonRelease, {rx, ry}, button, Qt::NoButton);
        m_.dragging = false;
        // A move with no button held changes nothing.
        dragMove(rx + 5, ry + 5, Qt::NoButton);
    }
}

void SoakTest::check()
{
    Form1& f = *f_;
    auto expect = [this](bool ok, const QString& what) {
        if (!ok) fail(what);
    };
    expect(f.unitSize == m_.unit, QStringLiteral("unitSize %1, expected %2").arg(f.unitSize).arg(m_.unit));
    const int chosen = f.unitSize == 40 ? 0 : f.unitSize == 22 ? 1 : 2;
    for (std::int16_t i = 0; i < 3; ++i) {
        const bool high = f.Command3(i).FontBold() && f.Command3(i).FontSize() >= 20;
        const bool plain = !f.Command3(i).FontBold() && f.Command3(i).FontSize() == 12;
        expect(i == chosen ? high : plain, QStringLiteral("highlight of size button %1").arg(i));
    }
    expect(f.originX.value() == m_.ox && f.originY.value() == m_.oy,
           QStringLiteral("origin (%1, %2), expected (%3, %4)")
               .arg(f.originX.value()).arg(f.originY.value()).arg(m_.ox).arg(m_.oy));
    expect(f.originX >= 60 && f.originX <= 540 && f.originY >= 60 && f.originY <= 540, QStringLiteral("origin out of bounds"));
    expect((f.dragging == 1) == m_.dragging, QStringLiteral("dragging"));
    expect((f.pointsShown == 1) == m_.points, QStringLiteral("pointsShown"));
    expect((f.morePointsShown == 1) == m_.morePoints, QStringLiteral("morePointsShown"));
    expect((f.lineShown == 1) == m_.line, QStringLiteral("lineShown"));
    expect(Widget(f.Command5)->isEnabled() == m_.c5, QStringLiteral("すべての点を打つ enabled"));
    expect(Widget(f.Command6)->isEnabled() == m_.c6, QStringLiteral("式を表示 enabled"));
    for (QWidget* w : {static_cast<QWidget*>(Widget(f.Command1)), static_cast<QWidget*>(Widget(f.Command2)),
                       static_cast<QWidget*>(Widget(f.Command3(0))), static_cast<QWidget*>(Widget(f.Command3(1))),
                       static_cast<QWidget*>(Widget(f.Command3(2))), static_cast<QWidget*>(Widget(f.Command4(0))),
                       static_cast<QWidget*>(Widget(f.Command4(1)))})
        expect(w->isEnabled(), QStringLiteral("a button of the lesson was disabled"));
    expect(Reports().size() == reportsSeen_, QStringLiteral("a report nobody accounted for"));
    expect(Widget(f)->isVisible(), QStringLiteral("the window went away"));
    if (!QTest::currentTestFailed()) checkEquation();
    if (!QTest::currentTestFailed() && m_.lineJustDrawn) checkLine();
}

// "式を表示": the equation of the line last drawn, or the message that it is
// too large to show.
void SoakTest::show()
{
    m_.displayed = m_.drawn;
    const Equation& e = *m_.displayed;
    const bool fits = quotient(e.a.exact, e.b.exact, true).shown && quotient(e.c.exact, e.b.exact, false).shown;
    const auto& reports = Reports();
    const std::size_t fresh = reports.size() - reportsSeen_;
    if (fits && fresh != 0) fail(QStringLiteral("a message for an equation that can be shown"));
    if (!fits && (fresh != 1 || Q(reports.back().text) != knownMessages().last()))
        fail(QStringLiteral("no message for an equation too large to show (%1, %2, %3)").arg(e.a.text, e.b.text, e.c.text));
    if (fresh == 1) ++messages_;
    reportsSeen_ = reports.size();
}

// The shown equation, read back from the labels and bars, against the exact
// line of the equation that was drawn.
void SoakTest::checkEquation()
{
    Form1& f = *f_;
    auto visible = [&](int i) { return f.Label4(std::int16_t(i)).Visible() && !f.Label4(std::int16_t(i)).Caption().empty(); };
    auto caption = [&](int i) { return Q(f.Label4(std::int16_t(i)).Caption()); };
    auto number = [&](int i, Wide& out) {
        const QString t = caption(i);
        if (!t.startsWith(QLatin1Char(' '))) fail(QStringLiteral("number caption without its blank: '%1'").arg(t));
        bool ok = false;
        out = t.mid(1).toLongLong(&ok);
        if (!ok) fail(QStringLiteral("not a whole number: '%1'").arg(t));
    };
    bool any = false;
    for (int i = 0; i < 10; ++i) any = any || visible(i);
    if (!m_.displayed) {
        if (any) fail(QStringLiteral("an equation is shown where none should be"));
        return;
    }
    const Equation& e = *m_.displayed;
    const Fraction slope = quotient(e.a.exact, e.b.exact, true);
    const Fraction intercept = quotient(e.c.exact, e.b.exact, false);
    if (!slope.shown || !intercept.shown) {
        if (any) fail(QStringLiteral("an equation too large to show was shown"));
        return;
    }
    if (!any) fail(QStringLiteral("no equation shown"));
    if (caption(0) != QString::fromUtf8("ｙ＝")) fail(QStringLiteral("left side '%1'").arg(caption(0)));
    // A part: a whole number in `whole`, or a fraction in `upper` over the bar over `lower`.
    auto part = [&](int whole, int upper, int lower, int bar, Wide& num, Wide& den, bool& present) {
        const bool w = visible(whole), frac = visible(upper) || visible(lower);
        if (w && frac) fail(QStringLiteral("a whole number and a fraction in one place"));
        present = w || frac;
        den = 1;
        if (w) number(whole, num);
        if (frac) {
            if (!(visible(upper) && visible(lower) && f.Line1(std::int16_t(bar)).Visible()))
                fail(QStringLiteral("a fraction without its bar or a part"));
            number(upper, num);
            number(lower, den);
            if (den <= 1 || gcd(num, den) != 1) fail(QStringLiteral("a fraction not in lowest terms"));
        }
    };
    const bool minus = visible(1);
    Wide n1 = 0, d1 = 1;
    bool first = false;
    part(2, 3, 4, 0, n1, d1, first);
    if (visible(5)) {
        // y = m x + k
        if (!first) n1 = 1;
        const Wide sn = minus ? -n1 : n1;
        Wide n2 = 0, d2 = 1;
        bool second = false;
        part(7, 8, 9, 1, n2, d2, second);
        if (second != visible(6)) fail(QStringLiteral("a constant without its sign, or a sign alone"));
        const Wide kn = visible(6) && caption(6) == QString::fromUtf8("－") ? -n2 : n2;
        if (sn * slope.den != slope.num * d1 || kn * intercept.den != intercept.num * d2)
            fail(QStringLiteral("shown equation is not the line of %1, %2, %3").arg(e.a.text, e.b.text, e.c.text));
        ++equations_;
    } else {
        // y = k
        if (!first) fail(QStringLiteral("a horizontal line without its number"));
        const Wide kn = minus ? -n1 : n1;
        if (slope.num != 0 || kn * intercept.den != intercept.num * d1)
            fail(QStringLiteral("shown equation is not the line of %1, %2, %3").arg(e.a.text, e.b.text, e.c.text));
        ++equations_;
    }
}

// Right after the red line was drawn it lies on the true line of the equation.
void SoakTest::checkLine()
{
    if (!m_.drawn) return;
    const QImage& image = Image(f_->Picture1);
    const double a = m_.drawn->a.value, b = m_.drawn->b.value, c = m_.drawn->c.value;
    const double slope = -a / b, intercept = c / b;
    for (int px = 30; px < 600; px += 90) {
        const double x = (px - m_.ox) / m_.unit;
        const double py = m_.oy - m_.unit * (slope * x + intercept);
        if (py < 4 || py > 595 || std::fabs(slope) > 2) continue;  // steep lines: columns miss their centre
        const QRgb pixel = image.pixel(px, static_cast<int>(std::lround(py)));
        if ((pixel & 0xFFFFFF) != 0xFF0000)
            fail(QStringLiteral("no red at (%1, %2) on the line of %3, %4, %5")
                     .arg(px).arg(std::lround(py)).arg(m_.drawn->a.text, m_.drawn->b.text, m_.drawn->c.text));
        ++lines_;
    }
}

LG_TEST_MAIN(SoakTest)
#include "test_soak.moc"
