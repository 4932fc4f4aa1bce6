// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/EventPass.h"

#include <QCoreApplication>

namespace tarvex {

bool EventPass::run() {
    const auto now = std::chrono::steady_clock::now();
    if (now - lastPoll_ >= pollInterval_) {
        lastPoll_ = now;
        QCoreApplication::processEvents();
        return true;
    }
    QCoreApplication::sendPostedEvents();
    return false;
}

} // namespace tarvex
