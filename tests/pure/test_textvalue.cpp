// Reading a typed coefficient, and the text of a number shown to the learner.
#include "testmain.h"
#include "app/form1.h"

#include <clocale>
#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(platform::Variant)

namespace {

QByteArray both(double got, double want)
{
    return QByteArray("got ") + QByteArray::number(got, 'g', 17) + " want " + QByteArray::number(want, 'g', 17);
}

}  // namespace

class TextValueTest : public QObject {
    Q_OBJECT
private slots:
    void reading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        const double inf = std::numeric_limits<double>::infinity();

        // What a learner types and what the plot takes it for.
        QTest::newRow("empty") << QString() << 0.0;
        QTest::newRow("3") << "3" << 3.0;
        QTest::newRow("-2") << "-2" << -2.0;
        QTest::newRow("+4") << "+4" << 4.0;
        QTest::newRow("0.5") << "0.5" << 0.5;
        QTest::newRow(".5") << ".5" << 0.5;
        QTest::newRow("1 2") << "1 2" << 12.0;
        QTest::newRow("- 3") << "- 3" << -3.0;
        QTest::newRow("2x") << "2x" << 2.0;
        QTest::newRow("x") << "x" << 0.0;
        QTest::newRow("1/2") << "1/2" << 1.0;
        QTest::newRow("1,5") << "1,5" << 1.0;
        QTest::newRow("1.2.3") << "1.2.3" << 1.2;
        QTest::newRow("1e2") << "1e2" << 100.0;

        QTest::newRow("blanks only") << "   " << 0.0;
        QTest::newRow("lone minus") << "-" << 0.0;
        QTest::newRow("--3") << "--3" << 0.0;
        QTest::newRow("3-") << "3-" << 3.0;
        QTest::newRow("-.5") << "-.5" << -0.5;
        QTest::newRow("tab and line feed dropped") << "1\t2\n3" << 123.0;
        QTest::newRow("1D2") << "1D2" << 100.0;
        QTest::newRow("1d-2") << "1d-2" << 0.01;
        QTest::newRow("1e without digits") << "1e" << 1.0;
        QTest::newRow("exponent stops at the point") << "1e2.5" << 100.0;
        QTest::newRow("1e999") << "1e999" << inf;
        QTest::newRow("-1e999") << "-1e999" << -inf;

        // What a Japanese input method types.
        QTest::newRow("full-width 0123456789") << QString::fromUtf8("０１２３４５６７８９") << 123456789.0;
        QTest::newRow("full-width plus") << QString::fromUtf8("＋４") << 4.0;
        QTest::newRow("full-width minus") << QString::fromUtf8("－２") << -2.0;
        QTest::newRow("minus sign U+2212") << QString::fromUtf8("−7") << -7.0;
        QTest::newRow("full-width full stop") << QString::fromUtf8("０．５") << 0.5;
        QTest::newRow("mixed widths") << QString::fromUtf8("-1．2５") << -1.25;

        QTest::newRow("&H1F") << "&H1F" << 31.0;
        QTest::newRow("&hff") << "&hff" << 255.0;
        QTest::newRow("&HFFFF is not negative") << "&HFFFF" << 65535.0;
        QTest::newRow("&H1G") << "&H1G" << 1.0;
        QTest::newRow("& H1F with a blank") << "& H1F" << 31.0;
        QTest::newRow("&O17") << "&O17" << 15.0;
        QTest::newRow("&O18 stops at 8") << "&O18" << 1.0;
        QTest::newRow("&H") << "&H" << 0.0;
    }
    void reading()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        const double got = platform::TextValue(text);
        QVERIFY2(got == value, both(got, value));
    }

    void numberText_data()
    {
        QTest::addColumn<Variant>("v");
        QTest::addColumn<QString>("text");
        QTest::newRow("5") << Variant(std::int16_t(5)) << " 5";
        QTest::newRow("-10") << Variant(std::int16_t(-10)) << "-10";
        QTest::newRow("0") << Variant(std::int16_t(0)) << " 0";
        QTest::newRow("empty") << Variant() << " 0";
        QTest::newRow("40000") << Variant(std::int16_t(200)) * Variant(std::int16_t(200)) << " 40000";
        QTest::newRow("single 0.5") << Variant(0.5f) << " 0.5";
        QTest::newRow("double 0.5") << Variant(0.5) << " 0.5";
        QTest::newRow("double -2.25") << Variant(-2.25) << "-2.25";
        QTest::newRow("whole single") << Variant(8.0f) << " 8";
    }
    void numberText()
    {
        QFETCH(Variant, v);
        QFETCH(QString, text);
        QCOMPARE(platform::NumberText(v), text);
    }

    // A decimal comma in the user's locale changes neither rule.
    void localeIndependence()
    {
        const QLocale qtBefore;
        const std::string before = std::setlocale(LC_ALL, nullptr);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const char* comma = nullptr;
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
            if (std::setlocale(LC_ALL, name)) {
                comma = name;
                break;
            }
        }
        if (comma) QCOMPARE(std::localeconv()->decimal_point, ",");
        const double half = platform::TextValue(QStringLiteral("0.5"));
        const double quarter = platform::TextValue(QString::fromUtf8("-１．２５"));
        const QString single = platform::NumberText(Variant(0.5f));
        const QString dbl = platform::NumberText(Variant(-2.25));
        std::setlocale(LC_ALL, before.c_str());
        QLocale::setDefault(qtBefore);

        QCOMPARE(half, 0.5);
        QCOMPARE(quarter, -1.25);
        QCOMPARE(single, QStringLiteral(" 0.5"));
        QCOMPARE(dbl, QStringLiteral("-2.25"));
        if (!comma) qInfo("no locale with a decimal comma is installed; checked under Qt's German locale only");
    }
};

LG_TEST_MAIN(TextValueTest)
#include "test_textvalue.moc"
