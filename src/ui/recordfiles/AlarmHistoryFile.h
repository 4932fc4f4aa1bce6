// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarvex {

// Shows the Open dialog and loads the chosen alarm history into alarmGrid; sets alarmFilePath
// ("getAlmFile").
void getAlmFile();

} // namespace tarvex
