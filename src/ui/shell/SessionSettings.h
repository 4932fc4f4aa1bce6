// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarvex {

// Every setting lasts only while the program runs. Qt's own dialogs would otherwise read and
// write the user's Qt settings file (the file dialog's folders and columns, the colour dialog's
// custom colours), carrying them from one run to the next. Call before any dialog is made.
void keepSettingsForTheSessionOnly();

} // namespace tarvex
