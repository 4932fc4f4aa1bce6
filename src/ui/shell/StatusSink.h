// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tarvex {

// Where the procedures put their progress and file texts: panel 1 of the main window's status
// bar. The main window is the program's one sink; tests read their own.
class StatusSink {
public:
    virtual void setStatusText(const QString& text) = 0;

protected:
    StatusSink() = default;
    ~StatusSink() = default;
    StatusSink(const StatusSink&) = default;
    StatusSink& operator=(const StatusSink&) = default;
};

} // namespace tarvex
