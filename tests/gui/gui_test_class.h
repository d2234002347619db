// The GUI test classes share one program (gui_test_main.cpp). Each file ends with this header and
// KEM_GUI_TEST_CLASS(Class) where a program of its own would have QTEST_MAIN; the program's main
// makes the application object and then runs the class named on its command line.
#pragma once

#include <QtTest>

// Defines RunClass(argc, argv), which runs the class's tests with Qt Test's options in argv.
#define KEM_GUI_TEST_CLASS(TestClass)         \
  int Run##TestClass(int argc, char** argv) { \
    TestClass test;                           \
    return QTest::qExec(&test, argc, argv);   \
  }
