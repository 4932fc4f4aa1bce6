// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/shell/StatusSink.h"

#include <QMainWindow>

class QAction;
class QMdiArea;
class QMenu;

namespace tarvex {

class CommonDialog;
class StatusPanels;
struct SharedState;

// The main window: a multiple-document frame holding the history viewer as its one child, with
// the menu, the status bar and the common dialog. It opens maximised and is never unloaded: the
// program ends from its close request, which it refuses while the shared state says that a
// trend is being built. Its status bar is the program's status sink.
class frmMain : public QMainWindow, public StatusSink {
    Q_OBJECT
public:
    // The one instance: created and loaded (maximised, not shown) on `state` when there is none.
    static frmMain& load(SharedState& state);
    // nullptr when it has not been created.
    static frmMain* existing();
    ~frmMain() override;

    QMdiArea* mdiArea;
    CommonDialog* cmdFile;
    StatusPanels* sbStatusBar;
    QMenu* mnuFile;
    QAction* mnuFileExit;
    QMenu* mnuHelp;
    QAction* mnuHelpAbout;

    // Panel 1 of the status bar.
    void setStatusText(const QString& text) override;
    [[nodiscard]] QString statusText() const;
    // The screen rectangle for child windows; before the window is first shown, where it will be.
    [[nodiscard]] QRect clientArea() const;

    // The menu handlers.
    void mnuFileExit_Click();
    void mnuHelpAbout_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    explicit frmMain(SharedState& state);
    void buildMenus();
    void MDIForm_Load();
    void MDIForm_Resize();
    void setOuterSize(int widthPx, int heightPx);

    SharedState& state_;
};

} // namespace tarvex
