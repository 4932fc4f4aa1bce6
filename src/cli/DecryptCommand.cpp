// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex decrypt FILE: prints the deciphered records of a ".sig" or ".evt" file.
#include "Command.h"
#include "InputError.h"

#include "core/common/Windows1252.h"
#include "core/integrity/EncipheredFile.h"
#include "core/integrity/ZvLog.h"

namespace tarvex::cli {
namespace {

int run(const QStringList& args) {
    if (args.size() != 1) {
        throw UsageError("expects exactly one file");
    }
    const QString& path = args.first();
    try {
        QFile file;
        openInput(file, path);
        ZvLog log;
        EncipheredFile records(file, log);
        while (!records.atEnd()) {
            printLine(fromWindows1252(records.nextRecord()));
        }
    } catch (const EncipheredLineError& e) {
        printError(lineProblem(path, e));
        return ExitBadInput;
    } catch (const InputError& e) {
        printError(QString::fromUtf8(e.what()));
        return ExitBadInput;
    }
    return ExitOk;
}
const Registrar registrar{{
    QStringLiteral("decrypt"),
    QStringLiteral("FILE"),
    QStringLiteral("Print the deciphered records of a .sig or .evt file."),
    QStringLiteral(
        "    Deciphers every line of FILE (hex text, one record per line) with the viewer's\n"
        "    key and prints each record as it is, one per line, ended by \"\\n\", in UTF-8;\n"
        "    control characters are shown as \\xNN.\n"
        "    Signature records read date,time,user full name,comment,hash; operator events\n"
        "    date,time,user full name,event message. A line that cannot be deciphered stops\n"
        "    the command with its line number (records before it are printed).\n"),
    &run,
}};

} // namespace
} // namespace tarvex::cli
