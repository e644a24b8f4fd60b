#include "testmain.h"
#include "app/form1.h"

class SmokeTest : public QObject {
    Q_OBJECT
private slots:
    void opens()
    {
        Form1 f;
        f.Start();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QCOMPARE(f.unitSize, std::int16_t(22));
        f.Picture1.Image().save("/tmp/plane.png");
        f.grab().save("/tmp/window.png");
    }
};

LG_TEST_MAIN(SmokeTest)
#include "test_smoke.moc"
