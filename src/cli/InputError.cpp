// SPDX-License-Identifier: GPL-3.0-or-later
#include "InputError.h"

#include "FileChecks.h"

#include "core/integrity/EncipheredFile.h"
#include "core/recordfiles/FileKind.h"

namespace tarvex::cli {

QString describe(const TvError& error) {
    return QStringLiteral("error %1: %2").arg(error.number()).arg(error.description());
}

void openInput(QFile& file, const QString& path, QIODevice::OpenMode extraMode) {
    if (const std::int32_t error = openRegularFile(file, path, extraMode)) {
        const QString problem = unreadableInput(path);
        throw InputError(QStringLiteral("%1: %2").arg(
            path, problem.isEmpty()
                      ? QStringLiteral("cannot open (%1)").arg(describe(TvError(error)))
                      : problem));
    }
}

QString lineProblem(const QString& path, const EncipheredLineError& error) {
    QString problem;
    if (error.stage() == EncipheredLineError::Stage::Splitting) {
        problem = QStringLiteral("record of more than %1 fields").arg(kMaxRecordFields);
    } else if (error.stage() == EncipheredLineError::Stage::Deciphering) {
        problem = QStringLiteral("damaged record, cannot decipher");
    } else if (error.number() == ErrOutOfMemory) {
        problem = QStringLiteral("longer than %1 bytes, no record is")
                      .arg(TextLineReader::kMaxEncipheredLine);
    } else {
        problem = QStringLiteral("cannot be read");
    }
    return QStringLiteral("%1 line %2: %3 (%4)")
        .arg(path)
        .arg(error.line())
        .arg(problem, describe(error));
}

} // namespace tarvex::cli
