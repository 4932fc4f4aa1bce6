// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/MsgBoxPos.h"

#include "core/shell/MsgBoxGeometry.h"
#include "ui/shell/AppInfo.h"
#include "ui/shell/ErrorHandling.h"
#include "ui/shell/Screen.h"
#include "ui/shell/frmMain.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <utility>
#include <vector>

namespace tarvex {
namespace {

// The module state: one box at a time.
struct MsgBoxState {
    QPointer<QMessageBox> boxWindow; // learnt when the box is first shown
    QPointer<QWidget> ownerWindow;
    QPointer<QTimer> timer;
    int timerId = 0; // 0 while no auto-close timer runs
    std::function<QWidget*()> messageOwner;
};

MsgBoxState& state() {
    static MsgBoxState s;
    return s;
}

// A window's screen rectangle; a null widget reads as all zeros.
ScreenRect windowRect(const QWidget* w) {
    if (w == nullptr) {
        return {};
    }
    // A child window (the viewer inside the main window) has its frame inside its geometry.
    const QRect r = w->isWindow() ? w->frameGeometry() : QRect(w->mapToGlobal(QPoint()), w->size());
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

// The owner's rectangle. A child window of the main window that is not shown yet (the viewer
// while it is still starting, or ending before it started) is over where it will stand: the
// maximised main window's client area.
ScreenRect ownerRect(const QWidget* w) {
    const auto* main = w != nullptr ? qobject_cast<const frmMain*>(w->window()) : nullptr;
    if (w == nullptr || w->isVisible() || w->isWindow() || main == nullptr) {
        return windowRect(w);
    }
    const QRect r = main->clientArea();
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void placeOverOwner(QMessageBox& box) {
    state().boxWindow = &box;
    ScreenRect r = centredOver(ownerRect(state().ownerWindow), windowRect(&box));
    KeepOnScreen(r, Screen::screenTwips(&box));
    box.move(r.left, r.top);
}

// A standard message box that places itself over the owner just before it is first shown.
class PositionedBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event); // sizes the box
        if (!placed_) {
            placed_ = true;
            // If the placement fails, the box stays where the platform put it.
            ignoreErrors([this] { placeOverOwner(*this); });
        }
    }

private:
    bool placed_ = false;
};

void MsgBoxTimerProc() {
    MsgBoxState& s = state();
    if (s.boxWindow) {
        QMetaObject::invokeMethod(s.boxWindow.data(), &QWidget::close, Qt::QueuedConnection);
    }
    if (s.timerId != 0) {
        s.timer->stop();
        s.timerId = 0;
    }
}

void startAutoClose(int timeoutMs) {
    MsgBoxState& s = state();
    if (!s.timer) {
        s.timer = new QTimer(QCoreApplication::instance());
        s.timer->setSingleShot(true);
        QObject::connect(s.timer, &QTimer::timeout, s.timer, &MsgBoxTimerProc);
    }
    s.timer->start(timeoutMs);
    s.timerId = s.timer->timerId();
}

std::vector<QMessageBox::StandardButton> buttonsOf(int style) {
    using B = QMessageBox::StandardButton;
    switch (style & 7) {
    case MsgStyle::OkCancel:
        return {B::Ok, B::Cancel};
    case MsgStyle::AbortRetryIgnore:
        return {B::Abort, B::Retry, B::Ignore};
    case MsgStyle::YesNoCancel:
        return {B::Yes, B::No, B::Cancel};
    case MsgStyle::YesNo:
        return {B::Yes, B::No};
    case MsgStyle::RetryCancel:
        return {B::Retry, B::Cancel};
    default:
        return {B::Ok};
    }
}

QMessageBox::Icon iconOf(int style) {
    switch (style & 0x70) {
    case MsgStyle::Critical:
        return QMessageBox::Critical;
    case MsgStyle::Question:
        return QMessageBox::Question;
    case MsgStyle::Exclamation:
        return QMessageBox::Warning;
    case MsgStyle::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int resultOf(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Ok:
        return MsgResult::Ok;
    case QMessageBox::Cancel:
        return MsgResult::Cancel;
    case QMessageBox::Abort:
        return MsgResult::Abort;
    case QMessageBox::Retry:
        return MsgResult::Retry;
    case QMessageBox::Ignore:
        return MsgResult::Ignore;
    case QMessageBox::Yes:
        return MsgResult::Yes;
    case QMessageBox::No:
        return MsgResult::No;
    default:
        return 0;
    }
}

void setUp(QMessageBox& box, const QString& prompt, int style, const QString& title) {
    box.setObjectName(QStringLiteral("MsgBoxPos"));
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(prompt);
    box.setIcon(iconOf(style));
    const auto buttons = buttonsOf(style);
    for (const auto b : buttons) {
        box.addButton(b);
    }
    const auto defaultIndex = static_cast<std::size_t>((style & 0x300) >> 8);
    box.setDefaultButton(buttons.at(defaultIndex < buttons.size() ? defaultIndex : 0));
}

} // namespace

int MsgBoxPos(const QString& prompt, int style, QString& title, QWidget* ownerWindow,
              int timeoutMs) {
    state().ownerWindow = ownerWindow;
    if (title.isEmpty()) {
        title = kAppTitle;
    }
    if (timeoutMs > 0) {
        startAutoClose(timeoutMs);
    }
    // Stacked over the owner's window when that is on the screen.
    QWidget* parent = ownerWindow != nullptr && ownerWindow->window()->isVisible()
                          ? ownerWindow->window()
                          : nullptr;
    auto* box = new PositionedBox(parent);
    const QPointer<QMessageBox> guard(box);
    setUp(*box, prompt, style, title);
    box->exec();
    if (!guard) {
        return 0; // destroyed with its parent while it was showing
    }
    const int result = resultOf(box->standardButton(box->clickedButton()));
    delete box;
    return result;
}

int msgBox(const QString& prompt, int style) {
    QWidget* owner = state().messageOwner ? state().messageOwner() : nullptr;
    QString title;
    return MsgBoxPos(prompt, style, title, owner, 0);
}

void setMessageOwner(std::function<QWidget*()> owner) {
    state().messageOwner = std::move(owner);
}

} // namespace tarvex
