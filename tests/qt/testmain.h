// The start of every test program: the application set up as the program's,
// every report to the user kept for the test to read.
#pragma once

#include <QtTest>

#include <string>
#include <vector>

#include "platform/application.h"
#include "platform/qt/widgets.h"
#include "platform/runtime.h"

using platform::qt::Image;
using platform::qt::Widget;

// What the runtime told the user since the last ClearReports.
inline std::vector<platform::Report>& Reports()
{
    static std::vector<platform::Report> reports;
    return reports;
}
inline void ClearReports() { Reports().clear(); }

// A UTF-8 text of the program as Qt's.
inline QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }

// Headless, on a screen as large as a classroom's (the platform's own
// offscreen screen is smaller than the window, which would then shrink).
inline void UseOffscreenScreen()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen")
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + LG_OFFSCREEN_CONFIG);
}

#define LG_TEST_MAIN(TestClass)                                                                 \
    int main(int argc, char** argv)                                                             \
    {                                                                                           \
        UseOffscreenScreen();                                                                   \
        platform::Application app(argc, argv);                                                  \
        platform::SetReporter([](const platform::Report& r) { Reports().push_back(r); });       \
        TestClass tc;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                              \
        return QTest::qExec(&tc, argc, argv);                                                   \
    }
