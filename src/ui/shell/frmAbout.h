// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <array>

class QFrame;
class QLabel;
class QPushButton;

namespace tarvex {

// The About box: title, version, the product picture and the legal notice, and a button that
// starts the system information tool. Help > About shows it modally over the main window; OK,
// Enter, Esc and the close box all unload it.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    // The one instance, created and loaded on first use, owned by `owner` (the main window).
    static frmAbout& instance(QWidget* owner = nullptr);
    static frmAbout* existing();
    ~frmAbout() override;

    QLabel* Image1;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;
    std::array<QFrame*, 2> Line1{};
    QLabel* lblDisclaimer;

    void cmdOK_Click();
    void cmdSysInfo_Click();
    // Esc and the close box act as OK.
    void reject() override;

private:
    explicit frmAbout(QWidget* owner);
    void buildControls();
    void fitDisclaimer();
    void Form_Load();
    void unloadBox();
};

} // namespace tarvex
