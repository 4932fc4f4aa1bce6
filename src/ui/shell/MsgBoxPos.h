// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace tarvex {

// Message box style values: one button set plus one icon (plus a default button).
namespace MsgStyle {
inline constexpr int OkOnly = 0;
inline constexpr int OkCancel = 1;
inline constexpr int AbortRetryIgnore = 2;
inline constexpr int YesNoCancel = 3;
inline constexpr int YesNo = 4;
inline constexpr int RetryCancel = 5;
inline constexpr int Critical = 16;    // stop icon
inline constexpr int Question = 32;    // question icon
inline constexpr int Exclamation = 48; // warning icon
inline constexpr int Information = 64; // information icon
inline constexpr int DefaultButton2 = 256;
inline constexpr int DefaultButton3 = 512;
} // namespace MsgStyle

// The button that closed a box.
namespace MsgResult {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Abort = 3;
inline constexpr int Retry = 4;
inline constexpr int Ignore = 5;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
} // namespace MsgResult

// Shows a modal message box (a QMessageBox named "MsgBoxPos") centred over `ownerWindow` and
// kept on the screen, placed before it is first shown, and waits for it to close. An empty
// `title` is replaced, in the caller's variable too, by the application title. With
// `timeoutMs` > 0 the box closes itself after that time (as if closed from its title bar: OK for
// an OK box). A null owner names no window and centres the box on the point (0, 0). Returns the
// MsgResult of the button that closed the box (0 if it went away without one).
//
// Placement, timer and box are one module-wide state: a second box opened while one is showing
// takes it over, and the first box keeps its position.
int MsgBoxPos(const QString& prompt, int style, QString& title, QWidget* ownerWindow,
              int timeoutMs);

// The system's usual call: empty title, the owner of the program's messages, no time-out. Use
// it for every message of the system's own.
int msgBox(const QString& prompt, int style);

// Start-up names the owner of the program's messages: `owner` is asked at every msgBox and may
// create the window it hands out (the history viewer, when a message comes before it is
// loaded). Without one, or with an empty function, messages have no owner.
void setMessageOwner(std::function<QWidget*()> owner);

} // namespace tarvex
