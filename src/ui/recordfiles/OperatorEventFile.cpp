// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/recordfiles/OperatorEventFile.h"

#include "ui/recordfiles/DataLogFile.h"
#include "ui/recordfiles/EncipheredFileReader.h"
#include "ui/shell/SharedState.h"

namespace tarvex {

void loadOpEventsFile(SharedState& state, StatusSink& status, const DataLogView& view) {
    loadEncipheredFile(
        state, status,
        {.procName = QStringLiteral("loadOpEventsFile"),
         .grid = view.opEvGrid,
         .recordPath = &SharedState::dataFilePath,
         .extension = QStringLiteral(".evt"),
         .column3Title = QStringLiteral("Event Message"),
         .hideColumn4 = false,
         .loadingText = QStringLiteral("Loading operator event file, please wait..."),
         .decryptingText = QStringLiteral("Decrypting operator event file, please wait..."),
         .showFileWhenDone = true,
         .afterFailure = [&] { resetDataView(state, status, view); }});
}

} // namespace tarvex
