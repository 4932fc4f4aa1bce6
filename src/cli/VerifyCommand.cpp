// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex verify [--json] [--jobs N] [--audit] RECORDFILE...: checks every signature of record
// files against their hash, on every core, and reports in the order of the arguments.
#include "Command.h"
#include "ParallelInOrder.h"
#include "SignatureCheck.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

#include <algorithm>
#include <optional>

namespace tarvex::cli {
namespace {

using Verdict = SignatureVerdict::Verdict;

constexpr unsigned kMaxJobs = 1024;

struct Options {
    bool json = false;
    bool audit = false;
    unsigned jobs = 0; // 0: one per core
    QStringList files;
};

unsigned jobsFrom(const QString& text) {
    bool ok = false;
    const unsigned jobs = text.toUInt(&ok);
    if (!ok || jobs < 1 || jobs > kMaxJobs) {
        throw UsageError(
            QStringLiteral("--jobs expects a number from 1 to %1").arg(kMaxJobs).toStdString());
    }
    return jobs;
}

Options optionsFrom(const QStringList& args) {
    Options options;
    bool onlyFiles = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (onlyFiles || !arg.startsWith(u'-') || arg == u"-") {
            options.files.append(arg);
        } else if (arg == u"--") {
            onlyFiles = true;
        } else if (arg == u"--json") {
            options.json = true;
        } else if (arg == u"--audit") {
            options.audit = true;
        } else if (arg == u"--jobs") {
            options.jobs = jobsFrom(i + 1 < args.size() ? args[++i] : QString());
        } else if (arg.startsWith(u"--jobs=")) {
            options.jobs = jobsFrom(arg.sliced(7));
        } else {
            throw UsageError(QStringLiteral("unknown option '%1'").arg(arg).toStdString());
        }
    }
    if (options.files.isEmpty()) {
        throw UsageError("expects at least one record file");
    }
    return options;
}

RecordKind kindOf(const QString& path, const Options& options) {
    const bool audit =
        options.audit || QFileInfo(path).suffix().compare(u"aud", Qt::CaseInsensitive) == 0;
    return audit ? RecordKind::AuditTrail : RecordKind::DataLog;
}

int statusOf(const FileVerdict& file) {
    if (!file.error.isEmpty()) {
        return ExitBadInput;
    }
    const bool allVerified =
        !file.signatures.empty() &&
        std::all_of(file.signatures.cbegin(), file.signatures.cend(),
                    [](const SignatureVerdict& s) { return s.verdict == Verdict::Verified; });
    return allVerified ? ExitOk : ExitFailed;
}

QString verdictText(const SignatureVerdict& s) {
    switch (s.verdict) {
    case Verdict::Verified:
        return QStringLiteral("verified");
    case Verdict::Appended:
        return QStringLiteral("FAILED, covers the first %1 records; %2 records appended after "
                              "signing")
            .arg(s.recordsCovered)
            .arg(s.recordsAppended);
    case Verdict::Altered:
        break;
    }
    return QStringLiteral("FAILED, altered");
}

void printText(const FileVerdict& file) {
    if (!file.error.isEmpty()) {
        printError(file.error);
    } else if (file.signatures.empty()) {
        printLine(QStringLiteral("%1: no signatures").arg(file.path));
    }
    for (const SignatureVerdict& s : file.signatures) {
        printLine(QStringLiteral("%1: %2 %3 %4: %5")
                      .arg(file.path, s.date, s.time, s.user, verdictText(s)));
    }
}

QJsonObject jsonOf(const FileVerdict& file, const SignatureVerdict& s) {
    static const char* const kVerdicts[] = {"verified", "appended", "altered"};
    const bool altered = s.verdict == Verdict::Altered;
    return {{"file", file.path},
            {"kind", file.kind == RecordKind::AuditTrail ? "audit trail" : "data log"},
            {"date", s.date},
            {"time", s.time},
            {"user", s.user},
            {"comment", s.comment},
            {"verdict", kVerdicts[static_cast<int>(s.verdict)]},
            {"records_covered", altered ? QJsonValue() : QJsonValue(s.recordsCovered)},
            {"records_appended", altered ? QJsonValue() : QJsonValue(s.recordsAppended)}};
}

// QJsonDocument leaves DEL and the C1 controls as they are, which JSON allows; written as \u00XX
// they cannot drive a terminal either. Outside strings JSON holds only ASCII.
QString jsonText(const QJsonObject& object) {
    const QString json = QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
    QString text;
    text.reserve(json.size());
    for (const QChar c : json) {
        if (c.unicode() >= 0x7F && c.unicode() <= 0x9F) {
            text += QStringLiteral("\\u00") + QString::number(c.unicode(), 16).toUpper();
        } else {
            text += c;
        }
    }
    return text;
}

// Prints one JSON array, an object per line, as the objects come.
class JsonArrayOutput {
public:
    JsonArrayOutput() { printLine(QStringLiteral("[")); }

    void finish() {
        if (pending_) {
            printLine(*pending_);
        }
        printLine(QStringLiteral("]"));
    }

    void add(const QJsonObject& object) {
        if (pending_) {
            printLine(*pending_ + u',');
        }
        pending_ = jsonText(object);
    }

    void add(const FileVerdict& file) {
        if (!file.error.isEmpty()) {
            printError(file.error);
            add(QJsonObject{{"file", file.path}, {"error", file.error}});
        } else if (file.signatures.empty()) {
            add(QJsonObject{{"file", file.path}, {"error", "no signatures"}});
        }
        for (const SignatureVerdict& s : file.signatures) {
            add(jsonOf(file, s));
        }
    }

private:
    std::optional<QString> pending_; // the last object, printed once it is known whether
                                     // another one follows
};

int run(const QStringList& args) {
    const Options options = optionsFrom(args);
    const unsigned jobs =
        options.jobs > 0 ? options.jobs : static_cast<unsigned>(QThread::idealThreadCount());
    std::optional<JsonArrayOutput> json;
    if (options.json) {
        json.emplace();
    }
    int status = ExitOk;
    runInOrder<SignatureChecker, FileVerdict>(
        static_cast<std::size_t>(options.files.size()), jobs,
        [&](SignatureChecker& checker, std::size_t i) {
            const QString& path = options.files[static_cast<qsizetype>(i)];
            return checker.check(path, kindOf(path, options));
        },
        [&](const FileVerdict& file) {
            status = std::max(status, statusOf(file));
            if (json) {
                json->add(file);
            } else {
                printText(file);
            }
        });
    if (json) {
        json->finish();
    }
    return status;
}

const Registrar registrar{{
    QStringLiteral("verify"),
    QStringLiteral("[--json] [--jobs N] [--audit] RECORDFILE..."),
    QStringLiteral("Check every signature of data logs or audit trails."),
    QStringLiteral(
        "    For each record file, reads the signature file beside it (same folder, name cut\n"
        "    at the first dot, \".sig\": /logs/plant.2024.csv has /logs/plant.sig), deciphers\n"
        "    each signature and compares its hash (fifth field) with the hash of the record\n"
        "    file now. A signature that fails is checked against every part of the\n"
        "    file that ends at a line end: when one carries the signed hash, records\n"
        "    were only appended after signing. Records are the lines after a data\n"
        "    log's title line, or every line of an audit trail: a file named *.aud is\n"
        "    an audit trail, any other a data log unless --audit is given. Prints one\n"
        "    line per signature:\n"
        "        RECORDFILE: DATE TIME USER: verified\n"
        "        RECORDFILE: DATE TIME USER: FAILED, covers the first N records;\n"
        "            M records appended after signing\n"
        "        RECORDFILE: DATE TIME USER: FAILED, altered\n"
        "    --json prints one JSON array instead: per signature an object with\n"
        "    \"file\", \"kind\" (\"data log\" or \"audit trail\"), \"date\", \"time\",\n"
        "    \"user\", \"comment\", \"verdict\" (\"verified\", \"appended\" or\n"
        "    \"altered\"), \"records_covered\" and \"records_appended\" (numbers: all\n"
        "    records and 0 when verified, null when altered); per file that cannot be\n"
        "    checked or holds no signature, an object with \"file\" and \"error\".\n"
        "    Files are checked in parallel, --jobs N at a time (default: one per\n"
        "    core); the output keeps the order of the arguments.\n"
        "    Exit status 0 only when every signature of every file verifies; 1 when\n"
        "    one fails (appended records too) or a signature file holds none; 2 when\n"
        "    a record file or its signature file is missing, not a regular file,\n"
        "    unreadable or damaged (the other files are still checked). A record that\n"
        "    deciphers to nothing is no signature.\n"),
    &run,
}};

} // namespace
} // namespace tarvex::cli
