// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/recordfiles/OperatorEventFile.h"

#include "ui/recordfiles/DataLogFile.h"
#include "ui/recordfiles/EncipheredFileReader.h"
#include "ui/shell/SharedState.h"
#include "ui/viewer/frmHistory.h"

namespace tarvex {

void loadOpEventsFile() {
    loadEncipheredFile(
        {.procName = QStringLiteral("loadOpEventsFile"),
         .grid = &frmHistory::opEvGrid,
         .recordPath = &SharedState::dataFilePath,
         .extension = QStringLiteral(".evt"),
         .column3Title = QStringLiteral("Event Message"),
         .hideColumn4 = false,
         .loadingText = QStringLiteral("Loading operator event file, please wait..."),
         .decryptingText = QStringLiteral("Decrypting operator event file, please wait..."),
         .showFileWhenDone = true,
         .afterFailure = &resetDataView});
}

} // namespace tarvex
