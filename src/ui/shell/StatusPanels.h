// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStatusBar>

class QLabel;
class QTimer;

namespace tarvex {

// The main window's status bar sbStatusBar: panel 1 a text panel taking the width left over,
// panel 2 the current date and panel 3 the current time, both kept current by a timer.
class StatusPanels : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusPanels(QWidget* parent = nullptr);

    // Panel 1's text.
    void setText(const QString& text);
    [[nodiscard]] QString text() const;

    // Panel 1, 2 or 3.
    [[nodiscard]] QLabel* panel(int number) const;

    // Brings the date and time panels up to date (the timer calls it every second).
    void refreshClock();

private:
    QLabel* text_;
    QLabel* date_;
    QLabel* time_;
    QTimer* clock_;
};

} // namespace tarvex
