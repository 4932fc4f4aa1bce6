// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

namespace tarvex {

// Lets pending window events run once (one pass, no waiting). Whatever runs during it - a
// click, a close request - must find the program in a consistent state.
inline void doEvents() {
    QCoreApplication::processEvents();
}

// Picks Qt's own Unix event loop over the GLib one: long operations pass window events once a
// step (a trend build half a million times), and its pass costs about half as much. Nothing in
// the program needs GLib's loop. Call before the application object is made; a choice made in
// the environment (QT_NO_GLIB set, to 0 or 1) stands.
inline void chooseEventLoop() {
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) {
        qputenv("QT_NO_GLIB", "1");
    }
}

} // namespace tarvex
