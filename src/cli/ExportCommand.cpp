// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex export data|audit|alarm INPUT OUTPUT: writes the viewer's CSV export of a record file.
#include "Command.h"
#include "FileChecks.h"

#include "core/common/TvError.h"
#include "core/recordfiles/FileKind.h"
#include "core/recordfiles/GridData.h"
#include "core/recordfiles/RecordLayouts.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

namespace tarvex::cli {
namespace {

std::optional<RecordKind> kindNamed(const QString& name) {
    if (name == u"data") {
        return RecordKind::DataLog;
    }
    if (name == u"audit") {
        return RecordKind::AuditTrail;
    }
    if (name == u"alarm") {
        return RecordKind::AlarmHistory;
    }
    return std::nullopt;
}

// Why the input cannot be used; empty when it can be tried.
QString inputProblem(const QString& input) {
    if (QString problem = unreadableInput(input); !problem.isEmpty()) {
        return problem;
    }
    QFile file;
    if (const std::int32_t error = openRegularFile(file, input)) {
        return QStringLiteral("cannot be read (%1)").arg(TvError(error).description());
    }
    return {};
}

QString loadProblem(const TvError& error, RecordKind kind) {
    if (error.number() == ErrOverflow) {
        return QStringLiteral("more %1 than the viewer shows (at most 32,766; error 6 = Overflow)")
            .arg(kind == RecordKind::AlarmHistory ? QStringLiteral("alarms")
                                                  : QStringLiteral("records"));
    }
    if (error.number() == 0) {
        return QStringLiteral("cannot be loaded: larger than a grid can hold");
    }
    return QStringLiteral("cannot be loaded (error %1 = %2)")
        .arg(error.number())
        .arg(error.description());
}

QString outputProblem(const QString& output) {
    const QFileInfo out(output);
    if (!QFileInfo(out.absolutePath()).isDir()) {
        return QStringLiteral("its folder does not exist");
    }
    return QStringLiteral("cannot be written");
}

int run(const QStringList& args) {
    if (args.size() != 3) {
        throw UsageError("expects a kind, a record file and an output file");
    }
    const std::optional<RecordKind> kind = kindNamed(args[0]);
    if (!kind) {
        throw UsageError(QStringLiteral("unknown kind '%1': use data, audit or alarm")
                             .arg(args[0])
                             .toStdString());
    }
    const QString& input = args[1];
    const QString& output = args[2];
    if (const QString problem = inputProblem(input); !problem.isEmpty()) {
        printError(QStringLiteral("%1: %2").arg(input, problem));
        return ExitBadInput;
    }
    if (const QString refused = refusedTarget(output, {input}); !refused.isEmpty()) {
        printError(QStringLiteral("%1: %2; nothing written").arg(output, refused));
        return ExitBadInput;
    }
    GridData grid;
    try {
        loadRecordFile(grid, *kind, input);
    } catch (const TvError& e) {
        printError(QStringLiteral("%1: %2").arg(input, loadProblem(e, *kind)));
        return ExitBadInput;
    }
    try {
        saveRecordText(grid, output);
    } catch (const TvError&) {
        printError(QStringLiteral("%1: %2; nothing written").arg(output, outputProblem(output)));
        return ExitFailed;
    }
    return ExitOk;
}

const Registrar registrar{{
    QStringLiteral("export"),
    QStringLiteral("data|audit|alarm INPUT OUTPUT"),
    QStringLiteral("Write the viewer's CSV export of a record file."),
    QStringLiteral(
        "    Loads INPUT, a data log (data), an audit trail (audit) or an alarm history\n"
        "    (alarm), as the viewer's Open button does and writes OUTPUT exactly as the\n"
        "    viewer's export of it would: the column titles first (the data log's own,\n"
        "    the viewer's for the others), fields joined by \",\" without quoting, every\n"
        "    row ended by \"\\r\\n\", text in Windows-1252. Data log times become\n"
        "    hh:mm:ss AM/PM and alarm times hh:mm AM/PM; alarms are numbered from 1.\n"
        "    Like the viewer, a data log or an alarm history holds at most 32,766\n"
        "    records. OUTPUT is replaced whole or not at all. Refused with status 2, and\n"
        "    left as it was, when OUTPUT is INPUT or the .sig or .evt file beside it\n"
        "    (also through another path or a link), or when it exists and is not a\n"
        "    regular file (a folder, a device such as /dev/null, a FIFO).\n"),
    &run,
}};

} // namespace
} // namespace tarvex::cli
