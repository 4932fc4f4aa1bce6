// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/frmSplash.h"

#include "core/common/Int16.h"
#include "core/integrity/ZvLog.h"
#include "ui/shell/AppInfo.h"
#include "ui/shell/CommonDialog.h"
#include "ui/shell/ErrorHandling.h"
#include "ui/shell/Forms.h"
#include "ui/shell/MsgBoxPos.h"
#include "ui/shell/ProgramEnd.h"
#include "ui/shell/Screen.h"
#include "ui/shell/SharedState.h"
#include "ui/shell/SingleInstance.h"
#include "ui/shell/frmMain.h"

#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QScopeGuard>
#include <QScreen>
#include <QTimer>

#include <utility>

namespace tarvex {
namespace {
frmSplash* s_instance = nullptr;

constexpr TwipsRect kInner{0, 0, 5970, 4500};
constexpr TwipsRect kImage{0, 0, 5955, 4455};
constexpr TwipsRect kLabel{1800, 1155, 2220, 195};

const QString kAlreadyRunning =
    QStringLiteral("Corvane Data Viewer is already running! Please check the\r\n"
                   "taskbar or background window for active version.");
const QString kStartupFailed =
    QStringLiteral("Corvane Data Viewer has encountered and error while initializing data.\r\n"
                   "This is probably due to a file that is missing.\r\n"
                   "Please re-install the Corvane data viewer from the CD or orig source.");
} // namespace

frmSplash& frmSplash::load(SharedState& state, std::function<void()> handOver) {
    if (s_instance == nullptr) {
        s_instance = new frmSplash(state, std::move(handOver));
        // Outside the start-up failure handler: the runtime's report ends the program, and
        // nothing may hand over while it is up.
        QScopeGuard stopOnFailure([] { s_instance->Timer1->stop(); });
        s_instance->Form_Load();
        stopOnFailure.dismiss();
    }
    return *s_instance;
}

frmSplash* frmSplash::existing() {
    return s_instance;
}

frmSplash::frmSplash(SharedState& state, std::function<void()> handOver)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), Image1(new QLabel(this)),
      iLabelX1(new QLabel(this)), Timer1(new QTimer(this)), state_(state),
      handOver_(std::move(handOver)) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowIcon(appIcon());
    buildControls();
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
    Timer1->start(100); // ticks from the moment the window is loaded
    Forms::add(this);
}

frmSplash::~frmSplash() {
    if (s_instance == this) {
        s_instance = nullptr;
    }
}

void frmSplash::buildControls() {
    const QRect inner = twipsToPixels(kInner, this);
    setFixedSize(inner.size());
    move(QGuiApplication::primaryScreen()->availableGeometry().center() - inner.center());

    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twipsToPixels(kImage, this));
    Image1->setScaledContents(true);
    Image1->setPixmap(QPixmap(QStringLiteral(":/images/splash.svg")));

    iLabelX1->setObjectName(QStringLiteral("iLabelX1"));
    iLabelX1->setText(QStringLiteral("Initializing System, Please Wait!"));
    iLabelX1->setAttribute(Qt::WA_TranslucentBackground);
    QPalette palette = iLabelX1->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    iLabelX1->setPalette(palette);
    QFont font(QStringLiteral("Sans Serif"));
    font.setPointSize(8);
    iLabelX1->setFont(font);
    // The design width may be short for the font in use: the text is never cut.
    QRect label = twipsToPixels(kLabel, this);
    label.setWidth(qMax(label.width(), iLabelX1->sizeHint().width()));
    label.setHeight(qMax(label.height(), iLabelX1->sizeHint().height()));
    iLabelX1->setGeometry(label);
}

frmMain& frmSplash::createSharedObjects(SharedState& state) {
    frmMain& main = frmMain::load(state);
    state.fileDialog = main.cmdFile;
    state.cryptoLog = std::make_shared<ZvLog>();
    return main;
}

void frmSplash::Form_Load() {
    frmMain& main = createSharedObjects(state_);
    reportErrors(
        [this](const TvError&) { startupFailed(); },
        [&] {
            theCount = 1;
            state_.startDir = QDir::toNativeSeparators(QDir::currentPath());
            setAppHelpFile(
                QDir(state_.startDir).filePath(QStringLiteral("VELTRIS DATA VIEWER HELP.hlp")));
            if (previousInstanceRunning()) {
                Timer1->stop();
                msgBox(kAlreadyRunning, MsgStyle::Question);
                ended_ = true;
                endProgram(1);
                return;
            }
            main.setWindowTitle(kAppTitle);
        });
}

void frmSplash::startupFailed() {
    Timer1->stop();
    ended_ = true;
    ignoreErrors([] { msgBox(kStartupFailed, MsgStyle::Critical); });
    endProgram(1);
}

void frmSplash::Timer1_Timer() {
    const QString proc = QStringLiteral("splashScreenTimer1");
    reportErrors(proc, [this] { increment16(theCount); });
    if (theCount <= 10) {
        return;
    }
    reportErrors(proc, [this] { Timer1->stop(); });
    reportErrors(proc, [this] { handOver_(); });
    reportErrors(proc, [this] { Forms::unload(this); });
}

void frmSplash::closeEvent(QCloseEvent* event) {
    // Unload: forget the instance.
    if (s_instance == this) {
        s_instance = nullptr;
    }
    event->accept();
}

} // namespace tarvex
