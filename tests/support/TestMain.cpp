#include "shell/ProgramEnd.h"

#include <QApplication>

#include <gtest/gtest.h>

// Widget tests share one QApplication; the offscreen platform unless a display was asked for.
int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // Tests drive nested loops themselves; a closed last window must not quit anything.
    QApplication::setQuitOnLastWindowClosed(false);
    // Ending the program would end the test run with a passing exit code: tests that expect the
    // end install their own hook.
    tarvex::setEndProgramHook(
        [](int code) { ADD_FAILURE() << "the program was ended with exit code " << code; });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
