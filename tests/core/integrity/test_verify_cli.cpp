// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex verify over record files signed and then grown or edited, read back as JSON.
#include "CoreTestHelpers.h"

#include "core/integrity/ZvLog.h"
#include "core/recordfiles/PathFunctions.h"
#include "core/recordfiles/SampleData.h"
#include "core/recordfiles/SampleDataLog.h"
#include "core/recordfiles/SampleRecords.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

using namespace tarvex;
using namespace tarvex::test;

namespace {

struct Ran {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Ran cliVerify(const QStringList& args) {
    QProcess cli;
    cli.start(QStringLiteral(TARVEX_CLI_PATH), QStringList{"verify"} + args);
    if (!cli.waitForFinished(60'000)) {
        ADD_FAILURE() << "tarvex did not run: " << cli.errorString().toStdString();
    }
    return {cli.exitCode(), cli.readAllStandardOutput(), cli.readAllStandardError()};
}

QByteArray lines(int first, int count, const char* lineEnd = "\r\n") {
    QByteArray text;
    for (int i = first; i < first + count; ++i) {
        text += "3/4/2024,10:0" + QByteArray::number(i) + ":00,2" + QByteArray::number(i) + lineEnd;
    }
    return text;
}

const QByteArray kTitle = "Date,Time,Temp\r\n";

// A signature: the file as it was when signed, and what the tool must say about it now.
struct Signed {
    QByteArray content;
    QString verdict;
    QJsonValue covered; // records
    QJsonValue appended;
};

struct VerifyCase {
    QString name; // of the record file; *.aud is an audit trail
    QByteArray now;
    QList<Signed> signatures;
};

const QList<VerifyCase> kCases = {
    {"grown.csv",
     kTitle + lines(0, 5),
     {{kTitle + lines(0, 3), "appended", 3, 2}, {kTitle + lines(0, 5), "verified", 5, 0}}},
    {"bare.csv", lines(0, 6, "\n"), {{lines(0, 2, "\n"), "appended", 1, 4}}},
    {"edited.csv", kTitle + lines(1, 4), {{kTitle + lines(0, 3), "altered", {}, {}}}},
    // Record 3 was appended after the first signature and edited after the second.
    {"tail.csv",
     kTitle + lines(0, 3) + "3/4/2024,10:03:00,99\r\n" + lines(4, 1),
     {{kTitle + lines(0, 3), "appended", 3, 2}, {kTitle + lines(0, 4), "altered", {}, {}}}},
    {"was-empty.csv", kTitle, {{QByteArray(), "altered", {}, {}}}},
    {"empty.csv", QByteArray(), {{QByteArray(), "verified", 0, 0}}},
    {"trail.aud", lines(0, 3), {{lines(0, 2), "appended", 2, 1}, {lines(0, 3), "verified", 3, 0}}},
    // A record without its hash field says nothing about the file.
    {"no-hash.csv", kTitle, {{kTitle, "malformed", {}, {}}}},
};

// Every byte that JSON must escape, in the fields that come from the signature record.
const QString kOddText = QStringLiteral("say \"hi\" \\ \u0001\u001f\t\u007f\u0081\u00e9");

class VerifyCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFileInfo(QStringLiteral(TARVEX_CLI_PATH)).isExecutable());
        ZvLog log;
        for (const VerifyCase& c : kCases) {
            const QString path = dir.filePath(c.name);
            QByteArray signatures;
            for (const Signed& s : c.signatures) {
                QStringList fields{"3/5/2024", "08:00:00", kOddText, kOddText};
                if (s.verdict != u"malformed") {
                    fields << log.CalculateHash(widenedText(s.content), zvLogKey());
                }
                const QString record = fields.join(',');
                signatures += log.EncryptToHex(record, zvLogKey()).toLatin1() + "\r\n";
            }
            writeFile(path, c.now);
            writeFile(pathWithoutExtension(path) + ".sig", signatures);
            files << path;
        }
    }

    QTemporaryDir dir;
    QStringList files;
};

} // namespace

TEST_F(VerifyCliTest, JsonNamesEachSignaturesVerdictAndTheRecordsItCovers) {
    const Ran ran = cliVerify(QStringList{"--json"} + files);
    EXPECT_EQ(ran.status, 1) << ran.err.toStdString();
    QJsonParseError error{};
    const QJsonArray objects = QJsonDocument::fromJson(ran.out, &error).array();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << ran.out.toStdString();
    // No control character reaches the terminal raw, DEL and C1 (UTF-8 C2 80..9F) included.
    EXPECT_FALSE(ran.out.contains('\x7f') || ran.out.contains("\xc2\x81"));
    qsizetype at = 0;
    for (const VerifyCase& c : kCases) {
        for (const Signed& s : c.signatures) {
            SCOPED_TRACE(c.name.toStdString() + " " + s.verdict.toStdString());
            const QJsonObject o = objects.at(at++).toObject();
            EXPECT_EQ(o["file"].toString(), dir.filePath(c.name));
            EXPECT_EQ(o["kind"].toString(), c.name.endsWith(".aud") ? "audit trail" : "data log");
            EXPECT_EQ(o["date"].toString() + o["time"].toString(), "3/5/202408:00:00");
            EXPECT_EQ(o["user"].toString(), kOddText);
            EXPECT_EQ(o["comment"].toString(), kOddText);
            EXPECT_EQ(o["verdict"].toString(), s.verdict);
            EXPECT_EQ(o["records_covered"], s.covered);
            EXPECT_EQ(o["records_appended"], s.appended);
        }
    }
    EXPECT_EQ(objects.size(), at);
}

TEST_F(VerifyCliTest, TextAndErrorsKeepTheOrderOfTheArgumentsOnEveryCore) {
    const QString missing = dir.filePath("missing.csv");
    writeFile(dir.filePath("unsigned.csv"), kTitle);
    const QStringList args =
        QStringList{files[0], missing} + files + QStringList{dir.filePath("unsigned.csv")};
    EXPECT_EQ(cliVerify({dir.filePath("empty.csv")}).status, 0);
    const Ran one = cliVerify(QStringList{"--jobs", "1"} + args);
    EXPECT_EQ(one.status, 2);
    EXPECT_TRUE(one.out.startsWith("FAILED, covers the first 3 records; 2 records appended after "
                                   "signing: " +
                                   files[0].toUtf8() + ": "));
    EXPECT_TRUE(one.out.contains("FAILED, altered: " + files[2].toUtf8() + ": 3/5/2024 08:00:00 "));
    EXPECT_TRUE(one.out.contains("FAILED, malformed (no valid hash): "));
    // The verdict leads every line, and the user's name is quoted, its quotes and
    // backslashes escaped, so that no name can pass for a verdict.
    for (const QByteArray& line : one.out.trimmed().split('\n')) {
        EXPECT_TRUE(line.startsWith("verified: ") || line.startsWith("FAILED, ")) << line.data();
        EXPECT_TRUE(line.endsWith(R"( "say \"hi\" \\ \x01\x1F\x09\x7F\x81)"
                                  "\xc3\xa9\""))
            << line.data();
    }
    EXPECT_EQ(one.err.count('\n'), 2) << one.err.toStdString();
    for (const char* jobs : {"--jobs=3", "--jobs=16"}) {
        const Ran many = cliVerify(QStringList{QString::fromLatin1(jobs)} + args);
        EXPECT_EQ(many.status, one.status);
        EXPECT_EQ(many.out, one.out);
        EXPECT_EQ(many.err, one.err);
    }
    const Ran json = cliVerify(QStringList{"--json", missing, dir.filePath("unsigned.csv")});
    const QJsonArray errors = QJsonDocument::fromJson(json.out).array();
    ASSERT_EQ(errors.size(), 2) << json.out.toStdString();
    EXPECT_EQ(errors[0]["file"].toString(), missing);
    EXPECT_TRUE(errors[0]["error"].toString().contains("no such file"));
    EXPECT_TRUE(errors[1]["error"].toString().contains("unsigned.sig"));
    // --audit counts a data log's title line as a record.
    const QJsonArray audit =
        QJsonDocument::fromJson(cliVerify({"--json", "--audit", files[0]}).out).array();
    ASSERT_EQ(audit.size(), 2);
    EXPECT_EQ(audit[0]["records_covered"].toInteger(), 4);
    EXPECT_EQ(audit[0]["records_appended"].toInteger(), 2);
    EXPECT_EQ(audit[0]["kind"].toString(), "audit trail");
}

TEST(VerifyCli, TheSamplesOldestSignatureCoversTheRecordsThatExistedWhenItWasMade) {
    const QTemporaryDir dir;
    const SampleFiles sample = writeSampleData(dir.path());
    const Ran ran = cliVerify({"--json", sample.dataLog});
    const QJsonArray objects = QJsonDocument::fromJson(ran.out).array();
    const QList<SampleRecords::Signature> made = SampleRecords::dataLogSignatures();
    ASSERT_EQ(objects.size(), made.size()) << ran.out.toStdString();
    for (qsizetype i = 0; i < made.size(); ++i) {
        const bool grown = made[i].records >= 0;
        const int covered = grown ? made[i].records : SampleDataLog::kRecords;
        EXPECT_EQ(objects[i]["verdict"].toString(), grown ? "appended" : "verified");
        EXPECT_EQ(objects[i]["records_covered"].toInteger(), covered);
        EXPECT_EQ(objects[i]["records_appended"].toInteger(), SampleDataLog::kRecords - covered);
    }
}

TEST_F(VerifyCliTest, AFileThatFailsSpoilsNoOtherAndTheArrayIsClosed) {
    // Running out of memory on one file; another's record is the most commas a line holds.
    const QString wide = writeFile(dir.filePath("wide.csv"), kTitle);
    ZvLog log;
    writeFile(dir.filePath("wide.sig"),
              log.EncryptToHex(QString(32740, u','), zvLogKey()).toLatin1() + "\r\n");
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TARVEX_TEST_OUT_OF_MEMORY", files[1]);
    cli.setProcessEnvironment(env);
    cli.start(QStringLiteral(TARVEX_CLI_PATH),
              QStringList{"verify", "--json", files[0], files[1], wide, files[5]});
    ASSERT_TRUE(cli.waitForFinished(60'000));
    EXPECT_EQ(cli.exitCode(), 2);
    const QByteArray err = cli.readAllStandardError();
    const QJsonArray objects = QJsonDocument::fromJson(cli.readAllStandardOutput()).array();
    ASSERT_EQ(objects.size(), 5) << err.toStdString();
    EXPECT_EQ(objects[2]["file"].toString(), files[1]);
    EXPECT_EQ(objects[2]["error"].toString(), files[1] + ": out of memory");
    EXPECT_EQ(objects[3]["file"].toString(), wide);
    EXPECT_EQ(objects[3]["verdict"].toString(), "malformed");
    EXPECT_EQ(objects[4]["verdict"].toString(), "verified");
    EXPECT_EQ(err.count('\n'), 1) << err.toStdString();
}
