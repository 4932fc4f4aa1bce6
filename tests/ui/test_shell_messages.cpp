#include "ModalAnswer.h"
#include "ViewerFixture.h"

#include "shell/ErrorHandling.h"
#include "shell/MsgBoxGeometry.h"
#include "shell/MsgBoxPos.h"
#include "shell/ReportError.h"
#include "shell/Screen.h"
#include "viewer/frmHistory.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace tarvex;
using test::ModalAnswer;

namespace {

ScreenRect asScreenRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

// Where the wrapper must put a box of the seen size over `owner`.
QRect expectedPlace(const ScreenRect& owner, const QRect& box) {
    ScreenRect r = centredOver(owner, asScreenRect(box));
    KeepOnScreen(r, Screen::screenTwips());
    return {r.left, r.top, r.width(), r.height()};
}

} // namespace

TEST(MsgBoxPos, StylesShowTheirButtonsAndIconsAndReturnTheButtonPressed) {
    ModalAnswer answer;
    answer.thenClick(QMessageBox::Ok)
        .thenClick(QMessageBox::Ok)
        .thenClick(QMessageBox::Ok)
        .thenClick(QMessageBox::No)
        .thenClick(QMessageBox::Yes)
        .thenClick(QMessageBox::Ok);
    QString title = QStringLiteral("Own title");
    EXPECT_EQ(MsgBoxPos("plain", 0, title, nullptr, 0), MsgResult::Ok);
    EXPECT_EQ(MsgBoxPos("stop", 16, title, nullptr, 0), MsgResult::Ok);
    EXPECT_EQ(MsgBoxPos("question", 32, title, nullptr, 0), MsgResult::Ok);
    EXPECT_EQ(MsgBoxPos("sure?", 36, title, nullptr, 0), MsgResult::No);
    EXPECT_EQ(MsgBoxPos("sure?", 36, title, nullptr, 0), MsgResult::Yes);
    QString empty;
    EXPECT_EQ(MsgBoxPos("Hello\r\nWorld", 64, empty, nullptr, 0), MsgResult::Ok);
    EXPECT_EQ(empty, "Tarvex Data Viewer"); // written back into the caller's variable

    const auto& seen = answer.seen();
    ASSERT_EQ(seen.size(), 6U);
    const QMessageBox::Icon icons[] = {QMessageBox::NoIcon,   QMessageBox::Critical,
                                       QMessageBox::Question, QMessageBox::Question,
                                       QMessageBox::Question, QMessageBox::Information};
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_TRUE(seen[i].expected);
        EXPECT_EQ(seen[i].icon, icons[i]) << i;
        EXPECT_EQ(seen[i].title, i == 5 ? "Tarvex Data Viewer" : "Own title");
        EXPECT_EQ(seen[i].buttons.size(), i == 3 || i == 4 ? 2 : 1) << i;
    }
    EXPECT_EQ(seen[3].buttons, (QStringList{"&Yes", "&No"}));
    EXPECT_EQ(seen[1].text, "stop");
    EXPECT_EQ(seen[5].text, "Hello\r\nWorld");
}

TEST(MsgBoxPos, CentresTheBoxOverItsOwnerBeforeItIsShown) {
    QWidget owner;
    owner.setGeometry(101, 83, 301, 201);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    ModalAnswer answer;
    answer.thenClick(QMessageBox::Ok);
    QString title;
    MsgBoxPos("Centred over an odd-sized owner", 64, title, &owner, 0);
    ASSERT_EQ(answer.seen().size(), 1U);
    const QRect box = answer.seen()[0].frame;
    EXPECT_EQ(box, expectedPlace(asScreenRect(owner.frameGeometry()), box));
    EXPECT_EQ(box.left(), 101 + 150 - box.width() / 2);
}

TEST(MsgBoxPos, KeepsTheBoxOnTheScreenNearTheEdgeOrWithoutAnOwner) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QWidget owner;
    owner.setGeometry(screen.right() - 60, 40, 60, 60);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    ModalAnswer answer;
    answer.thenClick(QMessageBox::Ok).thenClick(QMessageBox::Ok);
    QString title;
    MsgBoxPos("Near the right edge of the screen", 0, title, &owner, 0);
    MsgBoxPos("No owner", 0, title, nullptr, 0);
    ASSERT_EQ(answer.seen().size(), 2U);
    EXPECT_EQ(answer.seen()[0].frame.right(), screen.width() - 1);
    EXPECT_EQ(answer.seen()[1].frame.topLeft(), QPoint(0, 0));
}

TEST(MsgBoxPos, TheAutoCloseTimerClosesTheBox) {
    ModalAnswer answer;
    answer.thenLeaveOpen();
    QString title;
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(MsgBoxPos("Closes itself", 0, title, nullptr, 300), MsgResult::Ok);
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_EQ(answer.seen().size(), 1U);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(ReportError, CreatesTheViewerAndShowsTheTwoLineMessageOverIt) {
    ASSERT_EQ(frmHistory::existing(), nullptr);
    ModalAnswer answer;
    answer.thenClick(QMessageBox::Ok);
    ReportError("getAuditFile", TvError(ErrFileNotFound));
    ASSERT_NE(frmHistory::existing(), nullptr);
    ASSERT_EQ(answer.seen().size(), 1U);
    const auto& box = answer.seen()[0];
    EXPECT_EQ(box.text, "Error 53 = File not found in function getAuditFile occurred.\r\n"
                        "Please contact the manufacturer with this error.");
    EXPECT_EQ(box.title, "Tarvex Data Viewer");
    EXPECT_EQ(box.icon, QMessageBox::NoIcon);
    EXPECT_EQ(box.buttons, QStringList{"OK"});
}

TEST(ReportError, ANoErrorReportShowsNumberZeroCentredOverTheShownViewer) {
    frmHistory& viewer = test::startViewer();
    ModalAnswer answer;
    answer.thenClick(QMessageBox::Ok);
    ReportError("getHistFile", TvError(0, {}));
    ASSERT_EQ(answer.seen().size(), 1U);
    EXPECT_TRUE(answer.seen()[0].text.startsWith("Error 0 =  in function getHistFile occurred."));
    const QRect box = answer.seen()[0].frame;
    const QRect owner(viewer.mapToGlobal(QPoint()), viewer.size());
    EXPECT_EQ(box, expectedPlace(asScreenRect(owner), box));
}

TEST(ErrorHandling, ReportErrorsShowsTheFailureAndLetsTheCallerGoOn) {
    ModalAnswer answer;
    answer.thenClick(QMessageBox::Ok);
    int reached = 0;
    EXPECT_FALSE(reportErrors("mnuHelpAbout", [] { throw TvError(ErrPathNotFound); }));
    ++reached;
    EXPECT_TRUE(reportErrors("mnuHelpAbout", [&] { ++reached; }));
    EXPECT_EQ(reached, 2);
    ASSERT_EQ(answer.seen().size(), 1U);
    EXPECT_TRUE(answer.seen()[0].text.startsWith(
        "Error 76 = Path not found in function mnuHelpAbout occurred."));
}

TEST(ErrorHandling, IgnoredErrorsSkipOnlyTheFailingStatement) {
    ModalAnswer answer; // any box would be unexpected
    int steps = 0;
    ignoreErrors([&] { throw std::runtime_error("x"); });
    ignoreErrors([&] { ++steps; });
    ignoreErrors([&] { throw TvError(ErrOverflow); });
    ignoreErrors([&] { ++steps; });
    QTest::qWait(50);
    EXPECT_EQ(steps, 2);
    EXPECT_TRUE(answer.seen().empty());
}

TEST(ErrorHandling, CurrentErrorMapsForeignExceptions) {
    const auto caught = [](auto thrower) {
        try {
            thrower();
        } catch (...) {
            return currentError();
        }
        return TvError(0, {});
    };
    EXPECT_EQ(caught([] { throw TvError(ErrCancel); }).number(), ErrCancel);
    EXPECT_EQ(caught([] { throw std::bad_alloc(); }).number(), ErrOutOfMemory);
    const TvError other = caught([] { throw std::runtime_error("boom"); });
    EXPECT_EQ(other.number(), ErrInvalidCall);
    EXPECT_EQ(other.description(), "boom");
}

TEST(MousePointer, IsOneScreenWideValueNotAStack) {
    Screen::setMousePointer(Screen::vbHourglass);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    Screen::setMousePointer(Screen::vbHourglass);
    EXPECT_EQ(Screen::mousePointer(), 11);
    Screen::setMousePointer(Screen::vbDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Screen::mousePointer(), 0);
    Screen::setMousePointer(Screen::vbDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
