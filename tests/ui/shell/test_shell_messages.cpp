// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreTestHelpers.h"
#include "ModalAnswer.h"
#include "ViewerFixture.h"

#include "core/shell/MsgBoxGeometry.h"
#include "ui/shell/ErrorHandling.h"
#include "ui/shell/MsgBoxPos.h"
#include "ui/shell/ReportError.h"
#include "ui/shell/Screen.h"
#include "ui/shell/frmMain.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTest>

#include <stdexcept>

using namespace tarvex;
using test::ModalAnswer;

namespace {

// Where a box of the seen size belongs over an owner of this frame.
QRect expectedPlace(const QRect& owner, const QRect& box) {
    ScreenRect r = centredOver({owner.left(), owner.top(), owner.right() + 1, owner.bottom() + 1},
                               {0, 0, box.width(), box.height()});
    KeepOnScreen(r, Screen::screenTwips());
    return {r.left, r.top, r.width(), r.height()};
}

} // namespace

TEST(MsgBoxPos, CentresTheBoxOverItsOwnerKeepsItOnTheScreenAndClosesItAfterItsTime) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QWidget owner;
    owner.setGeometry(101, 83, 301, 201);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    const QRect ownerFrame = owner.frameGeometry();
    ModalAnswer answer;
    answer.thenClick(QMessageBox::Ok).thenClick(QMessageBox::Ok).thenLeaveOpen();
    QString title;
    MsgBoxPos("Centred over an odd-sized owner", 64, title, &owner, 0);
    owner.setGeometry(screen.right() - 60, 40, 60, 60);
    QTest::qWait(20);
    MsgBoxPos("Near the right edge of the screen", 0, title, &owner, 0);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(MsgBoxPos("No owner, closes itself", 0, title, nullptr, 300), MsgResult::Ok);
    EXPECT_GE(clock.elapsed(), 250);
    ASSERT_EQ(answer.seen().size(), 3U);
    const QRect box = answer.seen()[0].frame;
    EXPECT_EQ(box, expectedPlace(ownerFrame, box));
    EXPECT_EQ(box.left(), 101 + 150 - box.width() / 2);
    EXPECT_EQ(answer.seen()[1].frame.right(), screen.width() - 1);
    EXPECT_EQ(answer.seen()[2].frame.topLeft(), QPoint(0, 0));
    EXPECT_EQ(title, "Tarvex Data Viewer"); // an empty title is written back
    EXPECT_EQ(answer.seen()[0].title, title);
}

using ErrorReport = test::ProcedureTest;

// The owner is a child window of the main window, as the viewer is.
TEST_F(ErrorReport, ShowsTheTwoLineMessageOverTheOwnerOfTheMessages) {
    auto* owner = main->mdiArea->addSubWindow(new QWidget);
    int asked = 0;
    setMessageOwner([&]() -> QWidget* {
        ++asked;
        return owner;
    });
    ModalAnswer answer;
    answer.thenClick(QMessageBox::Ok).thenClick(QMessageBox::Ok);
    ReportError("getAuditFile", TvError(ErrFileNotFound));
    EXPECT_EQ(asked, 1);
    ASSERT_EQ(answer.seen().size(), 1U);
    EXPECT_EQ(answer.seen()[0].text,
              "Error 53 = File not found in function getAuditFile occurred.\r\n"
              "Please contact the manufacturer with this error.");
    EXPECT_EQ(answer.seen()[0].icon, QMessageBox::NoIcon);
    // The owner is not shown yet: the box stands where it will, not over its hidden rectangle.
    const QRect first = answer.seen()[0].frame;
    EXPECT_EQ(first, expectedPlace(main->clientArea(), first));
    // Over the shown owner, no error is number 0.
    main->show();
    owner->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
    ReportError("getHistFile", TvError(0, {}));
    ASSERT_EQ(answer.seen().size(), 2U);
    EXPECT_TRUE(answer.seen()[1].text.startsWith("Error 0 =  in function getHistFile occurred."));
    const QRect box = answer.seen()[1].frame;
    EXPECT_EQ(box, expectedPlace(QRect(owner->mapToGlobal(QPoint()), owner->size()), box));
}

TEST(ErrorHandling, ReportedErrorsLetTheCallerGoOnAndIgnoredOnesSkipOneStatement) {
    ModalAnswer answer;
    answer.thenClick(QMessageBox::Ok);
    int reached = 0;
    EXPECT_FALSE(reportErrors("mnuHelpAbout", [] { throw TvError(ErrPathNotFound); }));
    EXPECT_TRUE(reportErrors("mnuHelpAbout", [&] { ++reached; }));
    ignoreErrors([&] { throw std::runtime_error("x"); });
    ignoreErrors([&] { ++reached; });
    ignoreErrors([&] { throw TvError(ErrOverflow); });
    ignoreErrors([&] { ++reached; });
    QTest::qWait(50);
    EXPECT_EQ(reached, 3);
    ASSERT_EQ(answer.seen().size(), 1U); // nothing shown for the ignored ones
    EXPECT_TRUE(answer.seen()[0].text.startsWith(
        "Error 76 = Path not found in function mnuHelpAbout occurred."));
    const auto caught = [](auto thrower) {
        try {
            thrower();
        } catch (...) {
            return currentError();
        }
        return TvError(0, {});
    };
    EXPECT_EQ(caught([] { throw std::bad_alloc(); }).number(), ErrOutOfMemory);
    EXPECT_EQ(caught([] { throw std::runtime_error("boom"); }).description(), "boom");
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
}
