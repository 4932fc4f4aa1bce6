// SPDX-License-Identifier: GPL-3.0-or-later
#include "EncipheredFile.h"

#include "FileChecks.h"

#include "core/common/TvError.h"
#include "core/common/Windows1252.h"
#include "core/recordfiles/FileKind.h"
#include "core/recordfiles/TextLineReader.h"

#include <QFile>

namespace tarvex::cli {
namespace {

[[noreturn]] void throwInputError(const QString& message) {
    throw InputError(message.toStdString());
}

QString lineProblem(const TvError& error) {
    if (error.number() == ErrOutOfMemory) {
        return QStringLiteral("longer than %1 bytes, no record is (%2)")
            .arg(TextLineReader::kMaxEncipheredLine)
            .arg(describe(error));
    }
    return QStringLiteral("cannot be read (%1)").arg(describe(error));
}

} // namespace

QString describe(const TvError& error) {
    return QStringLiteral("error %1: %2").arg(error.number()).arg(error.description());
}

void readEncipheredFile(ZvLog& log, const QString& path,
                        const std::function<void(const QString& record)>& take) {
    if (const QString problem = unreadableInput(path); !problem.isEmpty()) {
        throwInputError(QStringLiteral("%1: %2").arg(path, problem));
    }
    QFile file;
    if (const std::int32_t error = openRegularFile(file, path)) {
        throwInputError(QStringLiteral("%1: cannot open (%2)").arg(path, describe(TvError(error))));
    }
    // Line by line, with the viewer's limit on a line, so that memory stays small whatever the
    // file holds.
    TextLineReader lines(file);
    for (qsizetype n = 1;; ++n) {
        QByteArrayView line;
        try {
            if (lines.atEnd()) {
                return;
            }
            line = lines.readLine();
        } catch (const TvError& e) {
            throwInputError(QStringLiteral("%1 line %2: %3").arg(path).arg(n).arg(lineProblem(e)));
        }
        QString record;
        try {
            record = log.DecryptFromHex(fromWindows1252(line), zvLogKey());
        } catch (const TvError& e) {
            throwInputError(QStringLiteral("%1 line %2: damaged record, cannot decipher (%3)")
                                .arg(path)
                                .arg(n)
                                .arg(describe(e)));
        }
        take(record);
    }
}

} // namespace tarvex::cli
