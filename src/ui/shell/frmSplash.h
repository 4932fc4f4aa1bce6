// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <cstdint>
#include <functional>

class QLabel;
class QTimer;

namespace tarvex {

class frmMain;
struct SharedState;

// The start-up window. Loading it starts the program on the shared state: the shared objects,
// the start directory, the help file and the single-instance rule. Its timer then counts ten
// ticks of 100 ms and hands over: `handOver` loads and shows the history viewer, which brings
// up the main window around it.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    // Creates and loads the one instance. Failures of the shared objects' creation propagate to
    // the caller; later start-up failures show the start-up failure message and end the program.
    static frmSplash& load(SharedState& state, std::function<void()> handOver);
    static frmSplash* existing();
    ~frmSplash() override;

    // Start-up steps 1 and 2: the main window (hidden) and its common dialog as fileDialog, and
    // the crypto wrapper. Outside the start-up failure handler. Returns the main window.
    static frmMain& createSharedObjects(SharedState& state);

    QLabel* Image1;
    QLabel* iLabelX1;
    QTimer* Timer1;
    std::int16_t theCount = 0;

    // True when loading ended the program (a second instance, a start-up failure): the window is
    // then not to be shown. Seen only where endProgram returns (tests).
    [[nodiscard]] bool ended() const { return ended_; }

    void Timer1_Timer();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    frmSplash(SharedState& state, std::function<void()> handOver);
    void buildControls();
    void Form_Load();
    void startupFailed();

    SharedState& state_;
    std::function<void()> handOver_;
    bool ended_ = false;
};

} // namespace tarvex
