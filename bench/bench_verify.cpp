// SPDX-License-Identifier: GPL-3.0-or-later
// verify-archive: `tarvex verify` over 2,000 sample-sized data logs and their signature files,
// one job per core, against sha256sum over the same files run by `xargs -P` on as many cores.
#include "Bench.h"

#include "core/recordfiles/SampleData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <stdexcept>

namespace {

constexpr int kLogs = 2000;

QString folder() {
    return QDir(bench::dataDir()).filePath(QStringLiteral("verify-archive"));
}

QStringList& dataLogs() {
    static QStringList paths;
    return paths;
}

QString fileList() {
    return QDir(folder()).filePath(QStringLiteral("files.list"));
}

int cores() {
    return QThread::idealThreadCount();
}

// Runs a program with its output discarded; its exit code.
int runQuietly(const QString& program, const QStringList& args) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, args);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit) {
        throw std::runtime_error("cannot run " + program.toStdString());
    }
    return process.exitCode();
}

QStringList verifyArgs() {
    return QStringList{QStringLiteral("verify"), QStringLiteral("--jobs"),
                       QString::number(cores())} +
           dataLogs();
}

QString logBase(int i) {
    return QDir(folder()).filePath(QStringLiteral("line%1").arg(i, 4, 10, QChar(u'0')));
}

// The sample's data log and signatures under kLogs names, written once: every log has one
// signature made before records were appended, as the sample has.
void files() {
    QByteArray list;
    dataLogs().clear();
    for (int i = 0; i < kLogs; ++i) {
        dataLogs() << logBase(i) + ".csv";
        list += (logBase(i) + ".csv").toUtf8() + '\0' + (logBase(i) + ".sig").toUtf8() + '\0';
    }
    if (QFile::exists(fileList())) {
        return;
    }
    const tarvex::SampleFiles sample =
        tarvex::writeSampleData(QDir(folder()).filePath(QStringLiteral("sample")));
    for (int i = 0; i < kLogs; ++i) {
        QFile::remove(logBase(i) + ".csv");
        QFile::remove(logBase(i) + ".sig");
        if (!QFile::copy(sample.dataLog, logBase(i) + ".csv") ||
            !QFile::copy(sample.dataSignatures, logBase(i) + ".sig")) {
            throw std::runtime_error("cannot write " + logBase(i).toStdString());
        }
    }
    // Written last: its presence says the archive is whole.
    QFile listFile(fileList());
    if (!listFile.open(QIODevice::WriteOnly) || listFile.write(list) != list.size()) {
        throw std::runtime_error("cannot write " + fileList().toStdString());
    }
}

// One untimed run whose output shows what the timed runs do.
void setup() {
    QProcess check;
    check.start(QStringLiteral(TARVEX_CLI_PATH), verifyArgs());
    check.waitForFinished(-1);
    long long verified = 0;
    long long appended = 0;
    for (const QByteArray& line : check.readAllStandardOutput().split('\n')) {
        verified += line.startsWith("verified: ") ? 1 : 0;
        appended += line.contains(" records appended after signing: ") ? 1 : 0;
    }
    bench::note("%d logs of %lld bytes, %d jobs; %lld verified, %lld appended, exit %d", kLogs,
                QFileInfo(dataLogs().constFirst()).size(), cores(), verified, appended,
                check.exitCode());
}

void ours() {
    // Exit status 1: every log has a signature that no longer verifies.
    if (runQuietly(QStringLiteral(TARVEX_CLI_PATH), verifyArgs()) != 1) {
        bench::note("unexpected exit status");
    }
}

void reference() {
    const int perCore = (2 * kLogs + cores() - 1) / cores();
    if (runQuietly(QStringLiteral("xargs"), {"-0", "-a", fileList(), "-P", QString::number(cores()),
                                             "-n", QString::number(perCore), "sha256sum"}) != 0) {
        bench::note("sha256sum failed");
    }
}

const bench::Registrar registrar{{
    .name = "verify-archive",
    .setup = setup,
    .ours = ours,
    .reference = reference,
    .runs = 7,
    .files = files,
}};

} // namespace
