#include "ViewerFixture.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

// Every case starts from the program as the first one found it.
class ProgramReset : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo& /*info*/) override { tarvex::test::resetProgram(); }
};

} // namespace

// Widget tests share one QApplication; the offscreen platform unless a display was asked for.
int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // Tests drive nested loops themselves; a closed last window must not quit anything.
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    tarvex::test::resetProgram(); // records the environment and sets the failing end hook
    ::testing::UnitTest::GetInstance()->listeners().Append(new ProgramReset);
    return RUN_ALL_TESTS();
}
