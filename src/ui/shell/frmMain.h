// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>

class QAction;
class QMdiArea;
class QMenu;

namespace tarvex {

class CommonDialog;
class StatusPanels;

// The main window: a multiple-document frame holding the history viewer as its one child, with
// the menu, the status bar and the common dialog. It opens maximised and is never unloaded: the
// program ends from its close request.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    // The one instance, created and loaded (maximised, not shown) on first use.
    static frmMain& instance();
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
    void setStatusText(const QString& text);
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
    frmMain();
    void buildMenus();
    void MDIForm_Load();
    void MDIForm_Resize();
    void setOuterSize(int widthPx, int heightPx);
};

} // namespace tarvex
