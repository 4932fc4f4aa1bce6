#include "ViewerFixture.h"

#include "shell/SharedState.h"
#include "shell/frmMain.h"
#include "shell/frmSplash.h"
#include "viewer/frmHistory.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QTest>

namespace tarvex::test {

frmHistory& startViewer(const QString& startDir) {
    frmSplash::createSharedObjects();
    pubVars().startDir = startDir.isEmpty() ? QDir::currentPath() : startDir;
    frmHistory& viewer = frmHistory::instance();
    viewer.showViewer();
    frmMain& main = frmMain::instance();
    main.activateWindow();
    (void)QTest::qWaitForWindowExposed(&main);
    return viewer;
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition() && !deadline.hasExpired()) {
        QTest::qWait(10);
    }
    return condition();
}

} // namespace tarvex::test
