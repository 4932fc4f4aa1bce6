#include "EncipheredFile.h"

#include "common/TvError.h"
#include "common/Windows1252.h"

#include <QFile>

namespace tarvex::cli {

QString describe(const TvError& error) {
    return QStringLiteral("error %1: %2").arg(error.number()).arg(error.description());
}

void readEncipheredFile(ZvLog& log, const QString& path,
                        const std::function<void(const QString& record)>& take) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw InputError(
            QStringLiteral("%1: cannot open (%2)").arg(path, file.errorString()).toStdString());
    }
    QList<QByteArray> lines = file.readAll().split('\n');
    if (file.error() != QFileDevice::NoError) {
        throw InputError(
            QStringLiteral("%1: cannot read (%2)").arg(path, file.errorString()).toStdString());
    }
    // A line end closes the last line; it does not start another one.
    if (lines.back().isEmpty()) {
        lines.removeLast();
    }
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        QString record;
        try {
            record = log.DecryptFromHex(fromWindows1252(line), zvLogKey());
        } catch (const TvError& e) {
            throw InputError(QStringLiteral("%1 line %2: damaged record, cannot decipher (%3)")
                                 .arg(path)
                                 .arg(i + 1)
                                 .arg(describe(e))
                                 .toStdString());
        }
        take(record);
    }
}

} // namespace tarvex::cli
