// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex verify [--json] [--jobs N] [--audit] RECORDFILE...: checks every signature of record
// files against their hash, on every core, and reports in the order of the arguments.
#include "Command.h"
#include "ParallelInOrder.h"
#include "VerifyFile.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

#include <algorithm>
#include <new>
#include <optional>

namespace tarvex::cli {
namespace {

using Verdict = HashVerdict::Kind;

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
                    [](const SignatureVerdict& s) { return s.verdict.verified(); });
    return allVerified ? ExitOk : ExitFailed;
}

QString verdictText(const HashVerdict& v) {
    switch (v.kind) {
    case Verdict::Verified:
        return QStringLiteral("verified");
    case Verdict::Appended:
        return QStringLiteral("FAILED, covers the first %1 records; %2 records appended after "
                              "signing")
            .arg(v.recordsCovered)
            .arg(v.recordsAppended);
    case Verdict::Malformed:
        return QStringLiteral("FAILED, malformed (no valid hash)");
    case Verdict::Altered:
        break;
    }
    return QStringLiteral("FAILED, altered");
}

// A field of the record in double quotes, with quotes and backslashes in it escaped.
QString quoted(const QString& field) {
    QString text = field;
    text.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    return u'"' + text + u'"';
}

// The verdict comes first and the user's name in quotes, so that nothing a signature record
// holds can pass for a verdict, also where a terminal wraps the line.
void printText(const FileVerdict& file) {
    if (!file.error.isEmpty()) {
        printError(file.error);
    } else if (file.signatures.empty()) {
        printLine(QStringLiteral("%1: no signatures").arg(file.path));
    }
    for (const SignatureVerdict& s : file.signatures) {
        printLine(QStringLiteral("%1: %2: %3 %4 %5")
                      .arg(verdictText(s.verdict), file.path, s.date, s.time, quoted(s.user)));
    }
}

QJsonObject jsonOf(const FileVerdict& file, const SignatureVerdict& s) {
    static const char* const kVerdicts[] = {"verified", "appended", "altered", "malformed"};
    const bool counted = s.verdict.kind == Verdict::Verified || s.verdict.kind == Verdict::Appended;
    return {{"file", file.path},
            {"kind", file.kind == RecordKind::AuditTrail ? "audit trail" : "data log"},
            {"date", s.date},
            {"time", s.time},
            {"user", s.user},
            {"comment", s.comment},
            {"verdict", kVerdicts[static_cast<int>(s.verdict.kind)]},
            {"records_covered", counted ? QJsonValue(s.verdict.recordsCovered) : QJsonValue()},
            {"records_appended", counted ? QJsonValue(s.verdict.recordsAppended) : QJsonValue()}};
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

    // A file whose objects cannot all be made, for want of memory, ends with an error object.
    void add(const FileVerdict& file) {
        try {
            addObjects(file);
        } catch (const std::bad_alloc&) {
            add(errorObject(file.path, QStringLiteral("%1: out of memory").arg(file.path)));
        }
    }

private:
    static QJsonObject errorObject(const QString& path, const QString& error) {
        printError(error);
        return {{"file", path}, {"error", error}};
    }

    void addObjects(const FileVerdict& file) {
        if (!file.error.isEmpty()) {
            add(errorObject(file.path, file.error));
        } else if (file.signatures.empty()) {
            add(QJsonObject{{"file", file.path}, {"error", "no signatures"}});
        }
        for (const SignatureVerdict& s : file.signatures) {
            add(jsonOf(file, s));
        }
    }

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
    try {
        runInOrder<FileVerifier, FileVerdict>(
            static_cast<std::size_t>(options.files.size()), jobs,
            [&](FileVerifier& verifier, std::size_t i) {
                const QString& path = options.files[static_cast<qsizetype>(i)];
                return verifier.verify(path, kindOf(path, options));
            },
            [&](const FileVerdict& file) {
                status = std::max(status, statusOf(file));
                if (json) {
                    json->add(file);
                } else {
                    printText(file);
                }
            });
    } catch (...) {
        // Whatever stops the run, a script still reads a whole array.
        if (json) {
            json->finish();
        }
        throw;
    }
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
        "    line per signature, the verdict first and the user's name in double quotes\n"
        "    (\\\" and \\\\ inside), so that no name can pass for a verdict:\n"
        "        verified: RECORDFILE: DATE TIME \"USER\"\n"
        "        FAILED, covers the first N records; M records appended after\n"
        "            signing: RECORDFILE: DATE TIME \"USER\"\n"
        "        FAILED, altered: RECORDFILE: DATE TIME \"USER\"\n"
        "        FAILED, malformed (no valid hash): RECORDFILE: DATE TIME \"USER\"\n"
        "    Malformed: the record has no fifth field, or it is not the hash text of\n"
        "    32 bytes (uppercase hex, no leading zero, one blank between bytes); such a\n"
        "    signature says nothing about the record file.\n"
        "    --json prints one JSON array instead, closed also when a file fails: per\n"
        "    signature an object with \"file\", \"kind\" (\"data log\" or \"audit\n"
        "    trail\"), \"date\", \"time\", \"user\", \"comment\", \"verdict\"\n"
        "    (\"verified\", \"appended\", \"altered\" or \"malformed\"),\n"
        "    \"records_covered\" and \"records_appended\" (numbers: all records and 0\n"
        "    when verified, null when altered or malformed); per file that cannot be\n"
        "    checked (out of memory included) or holds no signature, an object with\n"
        "    \"file\" and \"error\".\n"
        "    Files are checked in parallel, --jobs N at a time (default: one per\n"
        "    core); the output keeps the order of the arguments.\n"
        "    Exit status 0 only when every signature of every file verifies; 1 when\n"
        "    one fails (appended records and malformed ones too) or a signature file\n"
        "    holds none; 2 when a record file or its signature file is missing, not a\n"
        "    regular file, unreadable or damaged, such as a line that does not\n"
        "    decipher or a record of more than 32,767 fields (the other files are\n"
        "    still checked). A record that deciphers to nothing is no signature. Only\n"
        "    the five fields a signature uses are kept of each record.\n"),
    &run,
}};

} // namespace
} // namespace tarvex::cli
