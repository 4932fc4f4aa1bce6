// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace tarvex {

// The user guide in a window of the program: the installed Markdown with its pictures, as Qt
// renders it. One window, made on first use and raised again after that; it belongs to the
// window that asked for it and goes with it.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // Shows the guide, or says that it is not installed.
    static void showGuide(QWidget* owner);
    static HelpWindow* existing();

    // The installed guide: beside the program (share/ next to bin/, as installed and in the
    // build tree), else in the system's data folders. Empty when there is none.
    static QString guidePath();

    [[nodiscard]] QTextBrowser* browser() const { return browser_; }

private:
    HelpWindow(const QString& guide, QWidget* owner);
    void fitPictures();

    QTextBrowser* browser_;
};

} // namespace tarvex
