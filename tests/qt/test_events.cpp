// The work done after each event (the plane's description, the labels' fit)
// while a work item changes what is registered: it forgets itself or
// another, registers a new one, or closes a window, whose work goes with it.
#include "testmain.h"
#include "app/form1.h"

#include <QAccessible>

#include <functional>
#include <map>
#include <memory>

using namespace platform;

namespace {

// Work items by name, each logging its name (and a text it holds, read after
// it did what it does) when it runs.
struct Works {
    std::map<QString, int> ids;
    QStringList log;
    void add(const QString& name, std::function<void(Works&)> does = {})
    {
        // Long enough to live on the heap: read after its item is gone, it would not be itself.
        const std::string held = name.toStdString() + " holds a text longer than any short string";
        ids[name] = AfterEachEvent([this, name, does, held] {
            if (does) does(*this);
            log << name + (held == name.toStdString() + " holds a text longer than any short string" ? "" : "?");
        });
    }
    void forget(const QString& name) { ForgetAfterEachEvent(ids.at(name)); }
    ~Works()
    {
        for (const auto& [name, id] : ids) ForgetAfterEachEvent(id);
    }
    // The names logged by one event.
    QStringList event()
    {
        log.clear();
        Deliver([] {});
        return log;
    }
};

using Setup = std::function<void(Works&)>;

}  // namespace

Q_DECLARE_METATYPE(Setup)

class EventsTest : public QObject {
    Q_OBJECT
private slots:
    void workChangedWhileItRuns_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QStringList>("first");   // what the first event ran
        QTest::addColumn<QStringList>("second");  // and the next
        QTest::newRow("nothing changes") << Setup([](Works& w) {
            w.add("a");
            w.add("b");
        }) << QStringList{"a", "b"} << QStringList{"a", "b"};
        QTest::newRow("forgets itself") << Setup([](Works& w) {
            w.add("a", [](Works& w) { w.forget("a"); });
            w.add("b");
        }) << QStringList{"a", "b"} << QStringList{"b"};
        QTest::newRow("forgets the one after it") << Setup([](Works& w) {
            w.add("a", [](Works& w) { w.forget("b"); });
            w.add("b");
            w.add("c");
        }) << QStringList{"a", "c"} << QStringList{"a", "c"};
        QTest::newRow("forgets the one before it") << Setup([](Works& w) {
            w.add("a");
            w.add("b", [](Works& w) { w.forget("a"); });
        }) << QStringList{"a", "b"} << QStringList{"b"};
        QTest::newRow("forgets everything") << Setup([](Works& w) {
            w.add("a", [](Works& w) { w.forget("a"), w.forget("b"), w.forget("c"); });
            w.add("b");
            w.add("c");
        }) << QStringList{"a"} << QStringList{};
        QTest::newRow("registers one: it runs from the next event on") << Setup([](Works& w) {
            w.add("a", [](Works& w) {
                if (!w.ids.count("new")) w.add("new");
            });
            w.add("b");
        }) << QStringList{"a", "b"} << QStringList{"a", "b", "new"};
        QTest::newRow("forgets itself and registers one in its place") << Setup([](Works& w) {
            w.add("a", [](Works& w) {
                w.forget("a");
                w.add("new");
            });
        }) << QStringList{"a"} << QStringList{"new"};
    }
    void workChangedWhileItRuns()
    {
        QFETCH(Setup, setup);
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        Works w;
        setup(w);
        QCOMPARE(w.event(), first);
        QCOMPARE(w.event(), second);
    }

    // A window closed by the work of the event, before its own work ran: its
    // work goes with it, and the next window's runs.
    void windowClosedFromTheWork()
    {
        std::unique_ptr<Form1> doomed;
        bool close = false;  // not while the windows open
        Works w;
        w.add("closes", [&](Works&) {
            if (close) doomed.reset();
        });
        doomed = std::make_unique<Form1>();
        doomed->Start();
        Form1 other;
        other.Start();
        other.Text1(0).Text("2");
        other.Text1(1).Text("3");
        other.Text1(2).Text("6");
        other.Command4_Click(0);
        ClearReports();
        close = true;
        Deliver([&] { doomed->Command3_Click(0); });
        QVERIFY(!doomed);
        QVERIFY(Reports().empty());
        // The other window's description was brought up to date after it.
        QVERIFY2(Q(other.Picture1.AccessibleDescription()).contains(QString::fromUtf8("点が")),
                 other.Picture1.AccessibleDescription().c_str());
    }

    // A runtime error in the work after an event is reported as one in a
    // handler is, and the rest of the work runs.
    void workReportsItsError()
    {
        Works w;
        w.add("fails", [](Works&) { CInt(Variant(40000.0)); });
        w.add("after");
        ClearReports();
        QCOMPARE(w.event(), QStringList{"after"});
        QCOMPARE(int(Reports().size()), 1);
        QVERIFY(Reports()[0].kind == Report::Kind::Error);
    }

    // What every window system does alike, decided once: the keys a box's
    // handler is offered, the labels a screen reader leaves to a text read as
    // one, where the focus goes from a button greyed while it has it, and
    // where a caption too wide for its label breaks.
    void decidedOnce()
    {
        Form1 f;
        f.Start();
        QVERIFY(QTest::qWaitForWindowActive(Widget(f)));
        QList<int> offered;
        f.Text1(0).OnKeyPress([&](std::int16_t& k) { offered << k; });
        f.Text1(0).SetFocus();
        for (const Qt::Key k : {Qt::Key_Tab, Qt::Key_Delete, Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Escape})
            QTest::keyClick(Widget(f.Text1(0)), k);
        QTest::keyClicks(Widget(f.Text1(0)), "2");
        QCOMPARE(offered, (QList<int>{13, 8, 27, 50}));

        QAccessibleInterface* slot = QAccessible::queryAccessibleInterface(Widget(f.Label4(3)));
        QVERIFY(slot->state().invisible);
        QVERIFY(!QAccessible::queryAccessibleInterface(Widget(f.Label6))->state().invisible);

        f.Text1(0).Text("1");
        f.Text1(1).Text("3");
        f.Text1(2).Text("1");
        QTest::mouseClick(Widget(f.Command4(0)), Qt::LeftButton);
        f.Command5.SetFocus();
        QTRY_VERIFY(f.Command5.HasFocus());
        f.Command5.Enabled(false);
        QTRY_VERIFY(f.Command1.HasFocus() || f.Command6.HasFocus() || f.Command3(0).HasFocus());
        QVERIFY(!f.Command5.HasFocus());

        QCOMPARE(Widget(f.Label6)->text(), QString::fromUtf8("ａ，ｂ，ｃの値を\n入力しましょう"));
        QVERIFY(!Widget(f.Label6)->wordWrap());
    }
};

LG_TEST_MAIN(EventsTest)
#include "test_events.moc"
