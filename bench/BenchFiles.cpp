// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchFiles.h"

#include "Bench.h"

#include "core/recordfiles/SampleDataLog.h"
#include "ui/shell/SharedState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <random>
#include <stdexcept>

namespace bench {

tarvex::SharedState& sharedState() {
    static tarvex::SharedState state; // kept up to the end, as the viewer's is
    return state;
}

namespace {

// Writes a file whole under `name` in dataDir() unless it is there with the expected size
// (-1: any size); `fill` appends the content in pieces.
template <typename Fill> QString ensureFile(const QString& name, qint64 size, Fill fill) {
    QString path = QDir(dataDir()).filePath(name);
    const QFileInfo info(path);
    if (info.isFile() && (size < 0 || info.size() == size)) {
        return path;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
    fill([&file, &path](const QByteArray& bytes) {
        if (file.write(bytes) != bytes.size()) {
            throw std::runtime_error("cannot write " + path.toStdString());
        }
    });
    if (!file.commit()) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
    note("%s: %.1f MB", qPrintable(name), double(QFileInfo(path).size()) / 1e6);
    return path;
}

QByteArray twoDigits(int n) {
    return QByteArray::number(n).rightJustified(2, '0');
}

QByteArray logLine(int record, int channels, bool faults, std::vector<double>& walk,
                   quint32& seed) {
    const int seconds = 8 * 3600 + record * 5;
    const int s = seconds % 86'400;
    QByteArray line = "3/" + QByteArray::number(4 + seconds / 86'400) + "/2024," +
                      twoDigits(s / 3600) + ':' + twoDigits(s / 60 % 60) + ':' + twoDigits(s % 60);
    for (int c = 0; c < channels; ++c) {
        seed = seed * 1664525U + 1013904223U;
        const double uniform = double(seed >> 12) / 1000.0;
        line += ',';
        if (!faults) {
            line += QByteArray::number(uniform - 150.0, 'f', 2);
        } else if ((record + 37 * c) % 500 == 499) {
            line += "Bad Input";
        } else {
            walk[c] = std::clamp(walk[c] + (uniform - 524.288) / 400.0, 0.0, 200.0);
            line += QByteArray::number(walk[c], 'f', 2);
        }
    }
    return line + "\r\n";
}

} // namespace

QString dataLogFile(int channels, bool faults) {
    const QString name =
        QStringLiteral("datalog-%1%2.csv").arg(channels).arg(faults ? "-faults" : "");
    return ensureFile(name, -1, [&](const auto& write) {
        QByteArray titles = "Date,Time";
        for (int c = 1; c <= channels; ++c) {
            titles += ",Channel " + QByteArray::number(c);
        }
        write(titles + "\r\n");
        std::vector<double> walk(channels);
        for (int c = 0; c < channels; ++c) {
            walk[c] = 20.0 + 10.0 * c;
        }
        quint32 seed = 4711;
        QByteArray block;
        for (int r = 0; r < kLogRecords; ++r) {
            block += logLine(r, channels, faults, walk, seed);
            if (block.size() > (1 << 20)) {
                write(block);
                block.clear();
            }
        }
        write(block);
    });
}

QString textFile(qint64 bytes) {
    return ensureFile(QStringLiteral("text-%1.csv").arg(bytes), bytes, [&](const auto& write) {
        QByteArray block =
            tarvex::SampleDataLog::lines().join(QStringLiteral("\r\n")).toLatin1() + "\r\n";
        while (block.size() < (1 << 22)) {
            block += block;
        }
        for (qint64 at = 0; at < bytes; at += block.size()) {
            write(block.left(std::min<qint64>(block.size(), bytes - at)));
        }
    });
}

QString randomFile(qint64 bytes) {
    return ensureFile(QStringLiteral("random-%1.bin").arg(bytes), bytes, [&](const auto& write) {
        std::mt19937_64 random(20240304);
        QByteArray block(1 << 22, Qt::Uninitialized);
        for (qint64 at = 0; at < bytes; at += block.size()) {
            for (qsizetype i = 0; i + 8 <= block.size(); i += 8) {
                const std::uint64_t word = random();
                std::memcpy(block.data() + i, &word, 8);
            }
            write(block.left(std::min<qint64>(block.size(), bytes - at)));
        }
    });
}

} // namespace bench
