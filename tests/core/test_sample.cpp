#include "common/Windows1252.h"
#include "integrity/ZvLog.h"
#include "recordfiles/PathFunctions.h"
#include "recordfiles/SampleData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

using namespace tarvex;

namespace {

// The lines of a record file; every line must end with "\r\n".
QStringList linesOf(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QByteArray content = file.readAll();
    EXPECT_TRUE(content.endsWith("\r\n")) << path.toStdString();
    QStringList lines = fromWindows1252(content).split(QStringLiteral("\r\n"));
    lines.removeLast();
    for (const QString& line : lines) {
        EXPECT_FALSE(line.contains(u'\n') || line.contains(u'\r')) << path.toStdString();
    }
    return lines;
}

class SampleData : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        files = writeSampleData(dir.filePath(QStringLiteral("new/samples")));
    }
    QStringList deciphered(const QString& path) {
        QStringList records;
        for (const QString& line : linesOf(path)) {
            records.append(log.DecryptFromHex(line, zvLogKey()));
        }
        return records;
    }

    QTemporaryDir dir;
    SampleFiles files;
    ZvLog log;
};

const QRegularExpression kDate(QStringLiteral(R"(^\d{1,2}/\d{1,2}/\d{4}$)"));
const QRegularExpression kTime(QStringLiteral(R"(^\d\d:\d\d:\d\d$)"));

} // namespace

TEST_F(SampleData, DataLogIsADayOfMinuteRecordsWithAnEmptyFirstNote) {
    const QStringList lines = linesOf(files.dataLog);
    ASSERT_EQ(lines.size(), 1441);
    const int columns = static_cast<int>(lines[0].split(u',').size());
    EXPECT_GE(columns, 9);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Date,Time,")));
    int textCells = 0;
    int emptyChannels = 0;
    for (qsizetype r = 1; r < lines.size(); ++r) {
        const QStringList fields = lines[r].split(u',');
        ASSERT_EQ(fields.size(), columns) << r;
        EXPECT_TRUE(kDate.match(fields[0]).hasMatch()) << r;
        EXPECT_TRUE(kTime.match(fields[1]).hasMatch()) << r;
        for (qsizetype c = 5; c < fields.size(); ++c) {
            bool number = false;
            fields[c].toDouble(&number);
            textCells += !number && !fields[c].isEmpty() ? 1 : 0;
            emptyChannels += fields[c].isEmpty() ? 1 : 0;
        }
    }
    EXPECT_EQ(lines[1].split(u',')[2], QString());
    EXPECT_EQ(lines[1].split(u',')[1], QStringLiteral("00:00:00"));
    EXPECT_EQ(lines[1440].split(u',')[1], QStringLiteral("23:59:00"));
    EXPECT_GT(textCells, 0);
    EXPECT_GT(emptyChannels, 0);
    EXPECT_TRUE(lines.join(u'\n').contains(QStringLiteral(",OVR,")));
}

TEST_F(SampleData, DataLogSignaturesHoldFiveFieldsAndOneNoLongerVerifies) {
    EXPECT_EQ(pathWithoutExtension(files.dataLog) + QStringLiteral(".sig"), files.dataSignatures);
    const QStringList records = deciphered(files.dataSignatures);
    ASSERT_EQ(records.size(), 3);
    const QString now = log.CalculateFileHash(files.dataLog, zvLogKey());
    QList<bool> verified;
    for (const QString& record : records) {
        const QStringList fields = record.split(u',');
        ASSERT_EQ(fields.size(), 5) << record.toStdString();
        EXPECT_TRUE(kDate.match(fields[0]).hasMatch());
        EXPECT_FALSE(fields[2].isEmpty());
        verified.append(fields[4] == now);
    }
    EXPECT_EQ(verified, (QList<bool>{false, true, true}));
}

TEST_F(SampleData, EventsAuditTrailAndAlarmsHaveTheirLayouts) {
    const QStringList events = deciphered(files.operatorEvents);
    EXPECT_GE(events.size(), 24);
    for (const QString& event : events) {
        const QStringList fields = event.split(u',');
        ASSERT_EQ(fields.size(), 4) << event.toStdString();
        EXPECT_TRUE(kTime.match(fields[1]).hasMatch());
    }
    EXPECT_TRUE(std::is_sorted(events.begin(), events.end()));

    const QString auditHash = log.CalculateFileHash(files.auditTrail, zvLogKey());
    for (const QString& line : linesOf(files.auditTrail)) {
        EXPECT_EQ(line.split(u',').size(), 4) << line.toStdString();
    }
    const QStringList auditSigs = deciphered(files.auditSignatures);
    ASSERT_FALSE(auditSigs.isEmpty());
    for (const QString& record : auditSigs) {
        EXPECT_EQ(record.split(u',').value(4), auditHash);
    }

    for (const QString& line : linesOf(files.alarmHistory)) {
        const QStringList fields = line.split(u',');
        ASSERT_EQ(fields.size(), 3) << line.toStdString();
        EXPECT_TRUE(kDate.match(fields[1]).hasMatch());
        EXPECT_TRUE(kTime.match(fields[2]).hasMatch());
    }
}

TEST_F(SampleData, WritingAgainReplacesTheFilesConsistently) {
    const QStringList before = linesOf(files.dataLog);
    const SampleFiles again = writeSampleData(QFileInfo(files.dataLog).path());
    EXPECT_EQ(linesOf(again.dataLog), before);
    const QString now = log.CalculateFileHash(again.dataLog, zvLogKey());
    EXPECT_EQ(deciphered(again.dataSignatures).last().split(u',').value(4), now);
    EXPECT_EQ(QDir(QFileInfo(files.dataLog).path()).entryList(QDir::Files).size(), 6);
}
