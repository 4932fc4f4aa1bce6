// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <cstdint>

class QLabel;
class QTimer;

namespace tarvex {

class TvError;

// The start-up window. Loading it starts the program: the shared objects, the start directory,
// the help file and the single-instance rule. Its timer then counts ten ticks of 100 ms and
// hands over to the history viewer and the main window.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    // The one instance, created and loaded on first use. Failures of the shared objects' creation
    // propagate to the caller; later start-up failures show the start-up failure message and end
    // the program.
    static frmSplash& instance();
    static frmSplash* existing();
    ~frmSplash() override;

    // Start-up steps 1 and 2: the main window (hidden) and its common dialog as fileDialog, and
    // the crypto wrapper. Outside the start-up failure handler.
    static void createSharedObjects();

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
    frmSplash();
    void buildControls();
    void Form_Load();
    void startupFailed();

    bool ended_ = false;
};

} // namespace tarvex
