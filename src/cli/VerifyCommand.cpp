// tarvex verify RECORDFILE...: checks every signature of record files against their hash.
#include "Command.h"
#include "EncipheredFile.h"
#include "FileChecks.h"

#include "common/TvError.h"
#include "recordfiles/FileKind.h"
#include "recordfiles/PathFunctions.h"

#include <algorithm>

namespace tarvex::cli {
namespace {

// Prints one line per signature of the record file; returns the file's exit status.
int verifyFile(ZvLog& log, const QString& path) {
    if (const QString problem = unreadableInput(path); !problem.isEmpty()) {
        throw InputError(QStringLiteral("%1: %2").arg(path, problem).toStdString());
    }
    const QString sigPath = pathWithoutExtension(path) + QStringLiteral(".sig");
    if (fileKind(sigPath) == FileKind::Missing) {
        throw InputError(
            QStringLiteral("%1: no signature file %2").arg(path, sigPath).toStdString());
    }
    if (const QString problem = unreadableInput(sigPath); !problem.isEmpty()) {
        throw InputError(
            QStringLiteral("%1: signature file %2 %3").arg(path, sigPath, problem).toStdString());
    }
    QStringList signatures;
    // A record that deciphers to nothing holds no signature (the viewer shows no row for it).
    readEncipheredFile(log, sigPath, [&](const QString& record) {
        if (!record.isEmpty()) {
            signatures.append(record);
        }
    });
    QString hash;
    try {
        hash = log.CalculateFileHash(path, zvLogKey());
    } catch (const TvError& e) {
        throw InputError(
            QStringLiteral("%1: cannot hash (%2)").arg(path, describe(e)).toStdString());
    }
    if (signatures.isEmpty()) {
        printLine(QStringLiteral("%1: no signatures").arg(path));
        return ExitFailed;
    }
    int status = ExitOk;
    for (const QString& record : signatures) {
        // Fields are split at every comma and compared untrimmed, as the viewer does.
        const QStringList fields = record.split(u',');
        const bool verified = fields.value(4) == hash;
        printLine(QStringLiteral("%1: %2 %3 %4: %5")
                      .arg(path, fields.value(0), fields.value(1), fields.value(2),
                           verified ? QStringLiteral("verified") : QStringLiteral("FAILED")));
        status = verified ? status : ExitFailed;
    }
    return status;
}

int run(const QStringList& args) {
    if (args.isEmpty()) {
        throw UsageError("expects at least one record file");
    }
    ZvLog log;
    int status = ExitOk;
    for (const QString& path : args) {
        try {
            status = std::max(status, verifyFile(log, path));
        } catch (const InputError& e) {
            printError(QString::fromUtf8(e.what()));
            status = ExitBadInput;
        }
    }
    return status;
}

const Registrar registrar{{
    QStringLiteral("verify"),
    QStringLiteral("RECORDFILE..."),
    QStringLiteral("Check every signature of data logs or audit trails."),
    QStringLiteral(
        "    For each record file, reads the signature file beside it (same folder, name cut\n"
        "    at the first dot, \".sig\": /logs/plant.2024.csv has /logs/plant.sig), deciphers\n"
        "    each signature and compares its hash (fifth field) with the hash of the record\n"
        "    file now. Prints one line per signature:\n"
        "        RECORDFILE: DATE TIME USER: verified    (or FAILED)\n"
        "    Exit status 0 only when every signature of every file verifies; 1 when one\n"
        "    fails or a signature file holds none; 2 when a record file or its signature\n"
        "    file is missing, not a regular file, unreadable or damaged (the other files\n"
        "    are still checked). A record that deciphers to nothing is no signature.\n"),
    &run,
}};

} // namespace
} // namespace tarvex::cli
