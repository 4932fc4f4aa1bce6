// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace tarvex {

// The files of the sample data set, as full paths.
struct SampleFiles {
    QString dataLog;         // plant.csv
    QString dataSignatures;  // plant.sig: one signature of an earlier state, two of the final
    QString operatorEvents;  // plant.evt
    QString auditTrail;      // audit.aud
    QString auditSignatures; // audit.sig
    QString alarmHistory;    // alarms.csv

    [[nodiscard]] QStringList all() const {
        return {dataLog, dataSignatures, operatorEvents, auditTrail, auditSignatures, alarmHistory};
    }
};

// The paths of the sample data set in `dir`.
SampleFiles sampleFiles(const QString& dir);

// Writes a consistent sample data set into `dir` (created when missing), replacing files of
// the same names; each file is written whole or not at all. Signatures hold the hash that
// ZvLog's CalculateFileHash gave for the record file as it was when signed. Throws TvError:
// 75, before anything is written, when one of the paths is a folder, device or FIFO.
SampleFiles writeSampleData(const QString& dir);

} // namespace tarvex
