// What reaches the lesson from outside and what leaves it: a problem given on
// the command line, typed into the boxes with the focus on "点を打つ"; and the
// plane copied (Ctrl+C) or saved (Ctrl+S) as a picture twice as dense as the
// form, the only file the program writes.
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include "testmain.h"
#include "app/form1.h"
#include "lesson.h"

namespace {

const char kNotSaved[] = "図を保存できませんでした。\n保存する場所を変えて、もう一度ためしてください。";

// The arguments the program was started with, after Qt took its own.
std::vector<std::string>& startedWith()
{
    static std::vector<std::string> words;
    return words;
}

// The plane focused as the learner focuses it.
void focusPlane(Form1& f)
{
    Widget(f)->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Widget(f)));
    Widget(f.Picture1)->setFocus(Qt::TabFocusReason);
}

// Ctrl and a key, to whatever has the focus.
void chord(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier); }

// The plane as the window shows it at twice the form's size.
QImage shownAtTwice(Form1& f)
{
    Widget(f)->resize(2 * 876, 2 * 650);
    if (!QTest::qWaitFor([&] { return Image(f.Picture1).width() == 1200; })) return {};
    return Image(f.Picture1).copy();
}

// Ctrl+S with the save dialog answered: `answer` gets the name the dialog
// offers and gives back the path to save to, or an empty text to cancel.
template <class Answer>
void saveAnswering(Form1& f, Answer answer)
{
    focusPlane(f);
    bool asked = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY2(dialog, "no save dialog");
        asked = true;
        const QString path = answer(QFileInfo(dialog->selectedFiles().value(0)).fileName());
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->selectFile(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    chord(Qt::Key_S);
    QVERIFY(asked);
}

}  // namespace

class HandingTest : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearReports(); }

    // As `linear-graph 2 ３ -6.5` starts it: the texts as given, Enter begins.
    void problemFromTheCommandLine()
    {
        QCOMPARE(startedWith(), (std::vector<std::string>{"2", "３", "-6.5"}));
        Form1 f;
        f.Start(startedWith());
        QVERIFY(QTest::qWaitForWindowActive(Widget(f)));
        QCOMPARE(Q(f.Text1(0).Text()), QStringLiteral("2"));
        QCOMPARE(Widget(f.Text1(1))->text(), QStringLiteral("３"));
        QCOMPARE(Q(f.Text1(2).Text()), QStringLiteral("-6.5"));
        QVERIFY(f.Command4(0).HasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(f.pointsShown, Variant(1));
        QVERIFY(f.Command4(1).HasFocus());
        QVERIFY(Reports().empty());
    }

    // A text longer than a box holds is cut where a paste would be, never
    // inside a character; fewer than three texts leave the rest empty.
    void problemCutAsAPaste_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<int>("kept");  // UTF-16 units kept
        QTest::newRow("fits") << QString(32767, u'7') << 32767;
        QTest::newRow("too long") << QString(40000, u'7') << 32767;
        QTest::newRow("a wide character at the end") << QString(32766, u'1') + QStringLiteral("😀") << 32766;
    }
    void problemCutAsAPaste()
    {
        QFETCH(QString, given);
        QFETCH(int, kept);
        Form1 f;
        f.Start({given.toStdString()});
        QVERIFY(QTest::qWaitForWindowActive(Widget(f)));
        QCOMPARE(Q(f.Text1(0).Text()), given.left(kept));
        QCOMPARE(Widget(f.Text1(0))->text(), given.left(kept));
        QVERIFY(f.Text1(1).Text().empty() && f.Text1(2).Text().empty());
        QVERIFY(f.Command4(0).HasFocus());
    }

    // Ctrl+C puts on the clipboard what the window shows at twice the form's
    // size, whatever the scale it is shown at now; the window is untouched.
    void copyIsThePlaneAtTwice_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::newRow("as laid out") << QSize(876, 650);
        QTest::newRow("half") << QSize(438, 325);
        QTest::newRow("a projector's 1.54") << QSize(1349, 1001);
    }
    void copyIsThePlaneAtTwice()
    {
        QFETCH(QSize, window);
        Form1 f;
        open(f);
        run(f, kAllThree, true);
        Widget(f)->resize(window);
        QTRY_COMPARE(Widget(f)->size(), window);
        const QImage before = Image(f.Picture1).copy();
        QGuiApplication::clipboard()->clear();
        focusPlane(f);
        chord(Qt::Key_C);
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), QSize(1200, 1200));
        QCOMPARE(copied.dotsPerMeterX(), qRound(192 / 0.0254));  // prints at the form's size
        SAME_PICTURE(Image(f.Picture1), before);
        QVERIFY(f.Picture1.HasFocus());
        SAME_PICTURE(copied.convertToFormat(QImage::Format_RGB32), shownAtTwice(f));
        QVERIFY(Reports().empty());
    }

    // Ctrl+S offers a name made from the equation typed, and writes the
    // picture the copy makes; a name without .png gets it.
    void saveNamedAfterTheEquation_data()
    {
        QTest::addColumn<QStringList>("abc");
        QTest::addColumn<QString>("name");
        QTest::newRow("2x+3y=6") << QStringList{"2", "3", "6"} << "2x+3y=6.png";
        QTest::newRow("full width, ones") << QStringList{"－１", "１", "０．５"} << "-x+y=0.5.png";
        QTest::newRow("no x") << QStringList{"0", "-2", "1/2"} << "-2y=1.png";
        QTest::newRow("no y") << QStringList{"2.5", "", "x"} << "2.5x=0.png";
        QTest::newRow("nothing typed") << QStringList{"", "", ""} << "座標平面.png";
        QTest::newRow("no unknown") << QStringList{"0", "0", "5"} << "座標平面.png";
    }
    void saveNamedAfterTheEquation()
    {
        QFETCH(QStringList, abc);
        QFETCH(QString, name);
        QTemporaryDir folder;
        Form1 f;
        open(f);
        enter(f, abc[0], abc[1], abc[2]);
        QString offered;
        saveAnswering(f, [&](const QString& n) {
            offered = n;
            return folder.filePath(QStringLiteral("plane"));
        });
        QCOMPARE(offered, name);
        const QImage saved(folder.filePath(QStringLiteral("plane.png")), "png");
        QCOMPARE(saved.size(), QSize(1200, 1200));
        SAME_PICTURE(saved.convertToFormat(QImage::Format_RGB32), shownAtTwice(f));
        QVERIFY(Reports().empty());
    }

    // A save that cannot be written says so; one the learner cancels writes
    // nothing and says nothing.
    void saveRefusedOrCancelled()
    {
        QTemporaryDir folder;
        Form1 f;
        open(f);
        // (A link into a folder that is not there: no file can be made
        // through it, not even by root.)
        const QString link = folder.filePath(QStringLiteral("plane.png"));
        QVERIFY(QFile::link(folder.filePath(QStringLiteral("missing/plane.png")), link));
        saveAnswering(f, [&](const QString&) { return link; });
        QCOMPARE(int(Reports().size()), 1);
        QCOMPARE(Q(Reports()[0].text), Q(kNotSaved));
        ClearReports();
        saveAnswering(f, [](const QString&) { return QString(); });
        QVERIFY(Reports().empty());
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                 QStringList{QStringLiteral("plane.png")});
        QVERIFY(!QFileInfo::exists(link));
    }
};

// Started as a teacher starts it with a problem: Qt's own options are Qt's,
// the rest is the problem.
int main(int argc, char** argv)
{
    UseOffscreenScreen();
    // A home of its own: the save dialog starts there and keeps its history there.
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
    std::vector<char*> words(argv, argv + argc);
    char style[] = "-style", fusion[] = "Fusion", a[] = "2", b[] = "３", c[] = "-6.5";
    std::vector<char*> program{argv[0], style, fusion, a, b, c};
    int count = int(program.size());
    platform::Application app(count, program.data());
    startedWith() = app.Arguments();
    platform::SetReporter([](const platform::Report& r) { Reports().push_back(r); });
    HandingTest tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, int(words.size()), words.data());
}

#include "test_handing.moc"
