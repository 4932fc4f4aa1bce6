#include "recordfiles/OperatorEventFile.h"

#include "recordfiles/DataLogFile.h"
#include "recordfiles/EncipheredFileReader.h"
#include "shell/SharedState.h"
#include "viewer/frmHistory.h"

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
