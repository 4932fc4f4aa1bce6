// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex export data|audit|alarm INPUT OUTPUT: writes the viewer's CSV export of a record file.
#include "Command.h"
#include "FileChecks.h"

#include "core/common/TvError.h"
#include "core/recordfiles/AtomicFile.h"
#include "core/recordfiles/FileKind.h"
#include "core/recordfiles/RecordExport.h"
#include "core/recordfiles/RecordFileGuard.h"

#include <QFile>

#include <new>
#include <optional>
#include <variant>

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

// The whole input; its problem when it cannot be read.
std::variant<QByteArray, QString> readInput(const QString& input) {
    QFile file;
    if (const std::int32_t error = openRegularFile(file, input)) {
        return QStringLiteral("cannot be read (%1)").arg(TvError(error).description());
    }
    const qint64 size = file.size();
    if (size > GridCells::kMaxText) {
        return QStringLiteral("cannot be loaded: larger than a grid can hold");
    }
    QByteArray text(size, Qt::Uninitialized);
    if (file.read(text.data(), size) != size) {
        return QStringLiteral("cannot be read (%1)").arg(file.errorString());
    }
    return text;
}

QString exportProblem(const RecordExport& exporter, RecordKind kind) {
    switch (exporter.problem()) {
    case RecordExport::Problem::CrowdedLine:
        return QStringLiteral("line %1 has more than %2 fields, more than any record "
                              "(error 6 = Overflow)")
            .arg(exporter.problemLine())
            .arg(GridCells::kMaxFields);
    case RecordExport::Problem::TooManyLines:
        return QStringLiteral("more than %1 lines, more than the viewer holds (error 6 = Overflow)")
            .arg(GridCells::kMaxLines);
    case RecordExport::Problem::TooManyRecords:
        return QStringLiteral("more %1 than the viewer shows (at most 32,766; error 6 = Overflow)")
            .arg(kind == RecordKind::AlarmHistory ? QStringLiteral("alarms")
                                                  : QStringLiteral("records"));
    case RecordExport::Problem::TooLarge:
        return QStringLiteral("cannot be loaded: larger than a grid can hold");
    case RecordExport::Problem::None:
        break;
    }
    return {};
}

// Prints why nothing was written; a refused target is bad input, a failed write a failure.
int reportWriteFailure(const QString& output, const WriteFailure& failure) {
    if (failure.kind == WriteFailure::Kind::Refused) {
        printError(QStringLiteral("%1: %2; nothing written").arg(output, failure.text()));
        return ExitBadInput;
    }
    printError(
        QStringLiteral("%1: cannot be written (%2); nothing written").arg(output, failure.text()));
    return ExitFailed;
}

int exportFile(RecordKind kind, const QString& input, const QString& output) {
    if (const QString problem = inputProblem(input); !problem.isEmpty()) {
        printError(QStringLiteral("%1: %2").arg(input, problem));
        return ExitBadInput;
    }
    // Resolved and checked before the input is read, and checked again before it is replaced.
    AtomicFile out(output, recordFileSet(input));
    if (!out.open(QIODevice::WriteOnly)) {
        return reportWriteFailure(output, out.failure());
    }
    const std::variant<QByteArray, QString> text = readInput(input);
    if (const auto* problem = std::get_if<QString>(&text)) {
        printError(QStringLiteral("%1: %2").arg(input, *problem));
        return ExitBadInput;
    }
    const RecordExport exporter(kind, std::get<QByteArray>(text));
    if (const QString problem = exportProblem(exporter, kind); !problem.isEmpty()) {
        printError(QStringLiteral("%1: %2").arg(input, problem));
        return ExitBadInput;
    }
    const bool written = exporter.write([&out](QByteArrayView piece) {
        return out.write(piece.data(), piece.size()) == piece.size();
    });
    if (!written || !out.commit()) {
        return reportWriteFailure(output, out.failure());
    }
    return ExitOk;
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
    try {
        return exportFile(*kind, args[1], args[2]);
    } catch (const std::bad_alloc&) {
        printError(QStringLiteral("%1: out of memory").arg(args[1]));
        return ExitBadInput;
    }
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
        "    records, and no line may hold more than 32,767 fields (status 2).\n"
        "    OUTPUT is replaced whole or not at all: a link is followed once, at the\n"
        "    start, and the complete new file is renamed onto that name. Refused with\n"
        "    status 2, and left as it was, when OUTPUT is INPUT or the .sig or .evt file\n"
        "    beside it (also through another path or a link), or when it exists and is\n"
        "    not a regular file (a folder, a device such as /dev/null, a FIFO), checked\n"
        "    at the start and again just before the rename. Memory: the size of INPUT\n"
        "    and a few MB.\n"),
    &run,
}};

} // namespace
} // namespace tarvex::cli
