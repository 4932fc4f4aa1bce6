// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/frmMain.h"

#include "core/shell/MainWindowSizing.h"
#include "ui/shell/AppInfo.h"
#include "ui/shell/CommonDialog.h"
#include "ui/shell/ErrorHandling.h"
#include "ui/shell/Forms.h"
#include "ui/shell/HelpWindow.h"
#include "ui/shell/MsgBoxPos.h"
#include "ui/shell/ProgramEnd.h"
#include "ui/shell/Screen.h"
#include "ui/shell/SharedState.h"
#include "ui/shell/StatusPanels.h"
#include "ui/shell/frmAbout.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>

namespace tarvex {
namespace {
frmMain* s_instance = nullptr;
} // namespace

frmMain& frmMain::load(SharedState& state) {
    if (s_instance == nullptr) {
        s_instance = new frmMain(state);
        s_instance->MDIForm_Load();
    }
    return *s_instance;
}

frmMain* frmMain::existing() {
    return s_instance;
}

frmMain::frmMain(SharedState& state)
    : mdiArea(new QMdiArea(this)), cmdFile(new CommonDialog(this)),
      sbStatusBar(new StatusPanels(this)), state_(state) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(kAppTitle);
    setWindowIcon(appIcon());
    mdiArea->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(mdiArea);
    setStatusBar(sbStatusBar);
    // No Save dialog of the program takes a record file that it has open.
    cmdFile->SaveRefusal = [this](const QString& target) {
        return recordFileRefusal(state_, target);
    };
    buildMenus();
    // F1: the user guide. Not in a menu, which holds only File > Exit and Help > About.
    auto* guide = new QAction(this);
    guide->setObjectName(QStringLiteral("actUserGuide"));
    guide->setShortcut(QKeySequence::HelpContents);
    connect(guide, &QAction::triggered, this, [this] { HelpWindow::showGuide(this); });
    addAction(guide);
    Forms::add(this);
}

frmMain::~frmMain() {
    if (s_instance == this) {
        s_instance = nullptr;
    }
}

void frmMain::buildMenus() {
    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileExit = mnuFile->addAction(QStringLiteral("E&xit"));
    mnuFileExit->setObjectName(QStringLiteral("mnuFileExit"));
    connect(mnuFileExit, &QAction::triggered, this, &frmMain::mnuFileExit_Click);

    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpAbout = mnuHelp->addAction(QStringLiteral("&About "));
    mnuHelpAbout->setObjectName(QStringLiteral("mnuHelpAbout"));
    connect(mnuHelpAbout, &QAction::triggered, this, &frmMain::mnuHelpAbout_Click);
}

void frmMain::MDIForm_Load() {
    // Without a window manager "maximised" means nothing; start from the whole screen then.
    ignoreErrors([this] { setGeometry(QGuiApplication::primaryScreen()->availableGeometry()); });
    ignoreErrors([this] { setWindowState(windowState() | Qt::WindowMaximized); });
}

void frmMain::setStatusText(const QString& text) {
    sbStatusBar->setText(text);
}

QString frmMain::statusText() const {
    return sbStatusBar->text();
}

QRect frmMain::clientArea() const {
    if (isVisible()) {
        const QWidget* area = mdiArea->viewport();
        return {area->mapToGlobal(QPoint(0, 0)), area->size()};
    }
    // Not laid out before it is first shown: what the menu and the status bar will leave.
    QRect area = geometry();
    area.setTop(area.top() + menuBar()->sizeHint().height());
    area.setBottom(area.bottom() - sbStatusBar->sizeHint().height());
    return area;
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    ignoreErrors([this] { MDIForm_Resize(); });
}

void frmMain::MDIForm_Resize() {
    const QSize outer = frameGeometry().size();
    const MainResizeAction action = mainResizeAction(
        isMinimized(), pixelsToTwipsX(outer.width(), this), pixelsToTwipsY(outer.height(), this));
    if (action.kind == MainResizeAction::Kind::PlaceViewer) {
        // The viewer, the one child window, then fits itself to the child area in its own resize
        // handler. A minimised viewer keeps its place and size, as its own handler does.
        const QList<QMdiSubWindow*> children = mdiArea->subWindowList();
        QMdiSubWindow* viewer = children.isEmpty() ? nullptr : children.first();
        if (viewer != nullptr && !viewer->isMinimized()) {
            ignoreErrors([&] { viewer->move(0, 0); });
            ignoreErrors([&] {
                viewer->resize(twipsToPixelsX(action.width, this),
                               twipsToPixelsY(action.height, this));
            });
        }
    } else if (action.kind == MainResizeAction::Kind::Snap) {
        // Height first, then width; each raises the resize event again.
        ignoreErrors([&] { setOuterSize(outer.width(), twipsToPixelsY(action.height, this)); });
        ignoreErrors(
            [&] { setOuterSize(twipsToPixelsX(action.width, this), frameGeometry().height()); });
    }
}

void frmMain::setOuterSize(int widthPx, int heightPx) {
    const QSize frame = frameGeometry().size() - size();
    resize(widthPx - frame.width(), heightPx - frame.height());
}

void frmMain::closeEvent(QCloseEvent* event) {
    event->ignore(); // the close goes ahead only by ending the program
    bool busy = false;
    ignoreErrors([&] { busy = state_.plotBusy != 0; });
    if (busy) {
        ignoreErrors([] {
            msgBox(QStringLiteral("History viewer is busy with an operation, please wait!"),
                   MsgStyle::Information);
        });
        return;
    }
    int answer = 0;
    ignoreErrors([&] {
        answer =
            msgBox(QStringLiteral("Exit - are you sure?"), MsgStyle::YesNo + MsgStyle::Question);
    });
    if (answer == MsgResult::Yes) {
        ignoreErrors([this] { Forms::unloadAllExcept(this); });
        ignoreErrors([] { endProgram(0); });
    }
}

void frmMain::mnuFileExit_Click() {
    ignoreErrors([this] { close(); });
}

void frmMain::mnuHelpAbout_Click() {
    reportErrors(QStringLiteral("mnuHelpAbout"), [this] { frmAbout::instance(this).exec(); });
}

} // namespace tarvex
