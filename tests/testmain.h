// The start of every test program: the application set up as the program's.
#pragma once

#include <QtTest>

#include "platform/runtime.h"

#define LG_TEST_MAIN(TestClass)                                  \
    int main(int argc, char** argv)                              \
    {                                                            \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))      \
            qputenv("QT_QPA_PLATFORM", "offscreen");             \
        platform::Application app(argc, argv);                   \
        TestClass tc;                                            \
        QTEST_SET_MAIN_SOURCE_PATH                               \
        return QTest::qExec(&tc, argc, argv);                    \
    }
