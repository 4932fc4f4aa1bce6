// verify-archive: `tarvex verify` over 2,000 sample-sized data logs and their signature files,
// one job per core, against sha256sum over the same files run by `xargs -P` on as many cores.
#include "Bench.h"

#include "recordfiles/SampleData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <cstdio>
#include <stdexcept>

namespace {

constexpr int kLogs = 2000;

QString folder() {
    return QDir(bench::scratchDir()).filePath(QStringLiteral("archive"));
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

// The sample's data log and signatures under kLogs names; every log has one signature made
// before records were appended, as the sample has.
void setup() {
    const tarvex::SampleFiles sample =
        tarvex::writeSampleData(QDir(folder()).filePath(QStringLiteral("sample")));
    QByteArray list;
    dataLogs().clear();
    for (int i = 0; i < kLogs; ++i) {
        const QString base =
            QDir(folder()).filePath(QStringLiteral("line%1").arg(i, 4, 10, QChar(u'0')));
        if (!QFile::copy(sample.dataLog, base + ".csv") ||
            !QFile::copy(sample.dataSignatures, base + ".sig")) {
            throw std::runtime_error("cannot write " + base.toStdString());
        }
        dataLogs() << base + ".csv";
        list += (base + ".csv").toUtf8() + '\0' + (base + ".sig").toUtf8() + '\0';
    }
    QFile listFile(fileList());
    if (!listFile.open(QIODevice::WriteOnly) || listFile.write(list) != list.size()) {
        throw std::runtime_error("cannot write " + fileList().toStdString());
    }
    QProcess check;
    check.start(QStringLiteral(TARVEX_CLI_PATH), verifyArgs());
    check.waitForFinished(-1);
    const QByteArray out = check.readAllStandardOutput();
    std::fprintf(stderr,
                 "verify-archive: %d logs of %lld bytes, %d jobs; %lld verified, %lld "
                 "appended, exit %d\n",
                 kLogs, QFileInfo(sample.dataLog).size(), cores(),
                 static_cast<long long>(out.count(": verified\n")),
                 static_cast<long long>(out.count(" records appended after signing\n")),
                 check.exitCode());
}

void ours() {
    // Exit status 1: every log has a signature that no longer verifies.
    if (runQuietly(QStringLiteral(TARVEX_CLI_PATH), verifyArgs()) != 1) {
        std::fprintf(stderr, "verify-archive: unexpected exit status\n");
    }
}

void reference() {
    const int perCore = (2 * kLogs + cores() - 1) / cores();
    if (runQuietly(QStringLiteral("xargs"), {"-0", "-a", fileList(), "-P", QString::number(cores()),
                                             "-n", QString::number(perCore), "sha256sum"}) != 0) {
        std::fprintf(stderr, "verify-archive: sha256sum failed\n");
    }
}

const bench::Registrar registrar{{"verify-archive", setup, ours, reference, 7}};

} // namespace
