// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

namespace tarvex {

class SpreadGrid;
class StatusSink;
struct SharedState;

// The reader of the enciphered record files beside a data log or an audit trail (".sig",
// ".evt"): one hex-text enciphered record per line, deciphered under the system's key and
// split at every comma into the columns of a grid. What differs between the files is
// described here; the reading itself is loadEncipheredFile.
struct EncipheredFileLoad {
    QString procName;                   // named in the error report
    SpreadGrid* grid = nullptr;         // the grid filled
    QString SharedState::*recordPath{}; // the record file the enciphered file belongs to
    QString extension;                  // ".sig", ".evt"
    QString column3Title;
    bool hideColumn4 = false; // the hash column of the signature grids
    QString loadingText;
    QString decryptingText;
    bool showFileWhenDone = false;      // "Current File is " and the record file's path
    std::function<void()> afterFailure; // runs after the error report, once the file is closed
};

// Empties the grid and writes its titles, then reads the file named after the record file
// into it, row n from line n; a line that deciphers to nothing fills no row. No file, or one
// that is not a regular file (a folder, FIFO, device): only the titles, no message. Any failure
// (a line that does not decipher, a line over TextLineReader's limit (error 7), more than
// 32,767 lines) is reported under load.procName and then load.afterFailure runs. Pending window
// events run before the loop and every few milliseconds within it; if meanwhile the window
// holding the grid was unloaded, another load of the same grid started or the record file
// changed, this load stops quietly.
void loadEncipheredFile(const SharedState& state, StatusSink& status,
                        const EncipheredFileLoad& load);

} // namespace tarvex
