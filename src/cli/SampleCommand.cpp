// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex sample DIR: writes the sample data set.
#include "Command.h"
#include "FileChecks.h"
#include "InputError.h"

#include "core/common/TvError.h"
#include "core/recordfiles/SampleData.h"

namespace tarvex::cli {
namespace {

int run(const QStringList& args) {
    if (args.size() != 1) {
        throw UsageError("expects exactly one folder");
    }
    for (const QString& path : sampleFiles(args.first()).all()) {
        if (const QString refused = refusedTarget(path, {}); !refused.isEmpty()) {
            printError(QStringLiteral("%1: %2; nothing written").arg(path, refused));
            return ExitBadInput;
        }
    }
    try {
        for (const QString& path : writeSampleData(args.first()).all()) {
            printLine(path);
        }
    } catch (const TvError& e) {
        printError(
            QStringLiteral("%1: cannot write the sample data (%2)").arg(args.first(), describe(e)));
        return ExitFailed;
    }
    return ExitOk;
}

const Registrar registrar{{
    QStringLiteral("sample"),
    QStringLiteral("DIR"),
    QStringLiteral("Write a sample data set into DIR (created when missing)."),
    QStringLiteral(
        "    Writes a day of one-minute records of a batch reactor and what goes with it,\n"
        "    replacing regular files of the same names (a folder, device or FIFO in the\n"
        "    place of one is refused before anything is written), and prints the paths:\n"
        "        plant.csv    data log (title line and 1,440 records)\n"
        "        plant.sig    three signatures: one made before the last hours were\n"
        "                     recorded (it no longer verifies), two that verify\n"
        "        plant.evt    operator events\n"
        "        audit.aud    audit trail, with its signatures in audit.sig\n"
        "        alarms.csv   alarm history\n"),
    &run,
}};

} // namespace
} // namespace tarvex::cli
