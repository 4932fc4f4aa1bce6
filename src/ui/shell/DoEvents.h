#pragma once

#include <QCoreApplication>

namespace tarvex {

// Lets pending window events run once (one pass, no waiting). Whatever runs during it - a
// click, a close request - must find the program in a consistent state.
inline void doEvents() {
    QCoreApplication::processEvents();
}

} // namespace tarvex
