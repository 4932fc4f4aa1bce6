// SPDX-License-Identifier: GPL-3.0-or-later
// The verification core: what each stored hash says about a record file now.
#include "CoreTestHelpers.h"
#include "core/integrity/EncipheredFile.h"
#include "core/integrity/SignatureCheck.h"
#include "core/integrity/ZvLog.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarvex;
using Kind = HashVerdict::Kind;

namespace {

// `lines` records in the given line end, numbered from `first`, stamped a second apart.
QByteArray records(int first, int lines, const char* lineEnd = "\r\n") {
    QByteArray text;
    for (int i = first; i < first + lines; ++i) {
        text += QByteArray("3/4/2024,") +
                QString::asprintf("%02d:%02d:%02d", i / 3600, i / 60 % 60, i % 60).toLatin1() +
                ",2" + QByteArray::number(i) + ".5,\x80\x83" + lineEnd;
    }
    return text;
}

// The date and time of a file's last record: when a signature of it was made.
QString lastRecordTime(const QByteArray& file) {
    const QList<QByteArray> fields = file.trimmed().split('\n').constLast().split(',');
    return fields.size() > 2 ? QString::fromLatin1(fields[0] + ' ' + fields[1]) : QString();
}

const QByteArray kTitle = "Date,Time,Reactor\r\n";
const QByteArray kSigned = kTitle + records(0, 3);
const QByteArray kLong = records(0, 10000); // more than the piece that stays in memory

struct CheckCase {
    const char* name;
    RecordKind kind;
    Kind verdict;
    QByteArray atSigning; // the file when it was signed
    QByteArray now;
    qint64 covered;
    qint64 appended;
};

const RecordKind kLog = RecordKind::DataLog;
const RecordKind kTrail = RecordKind::AuditTrail;

const CheckCase kCases[] = {
    {"Unchanged", kLog, Kind::Verified, kSigned, kSigned, 3, 0},
    {"EmptyAndSignedEmpty", kLog, Kind::Verified, {}, {}, 0, 0},
    {"AppendedAfterSigning", kLog, Kind::Appended, kSigned, kSigned + records(3, 4), 3, 4},
    {"AuditTrailWithBareLineEnds", kTrail, Kind::Appended, records(0, 2, "\n"), records(0, 5, "\n"),
     2, 3},
    {"SignedTitleOnly", kLog, Kind::Appended, kTitle, kTitle + records(0, 2), 0, 2},
    {"EditInTheAppendedPart", kLog, Kind::Appended, kSigned,
     kSigned + "3/4/2024,11:00:00,x\r\n" + records(4, 1), 3, 2},
    {"LastLineWithoutLineEnd", kLog, Kind::Appended, kSigned, kSigned + "3/4/2024,11:00", 3, 1},
    {"OnlyLineEnds", kTrail, Kind::Appended, "\n\n", "\n\n\r\n", 2, 1},
    {"LongerThanOnePiece", kLog, Kind::Appended, kLong, kLong + records(10000, 30), 9999, 30},
    {"EditInsideTheSignedPart", kLog, Kind::Altered, kSigned, kTitle + records(1, 6), 0, 0},
    {"SignedWithoutLastLineEnd", kLog, Kind::Altered, kSigned.chopped(2), kSigned, 0, 0},
    {"SignedEmptyFile", kLog, Kind::Altered, {}, kSigned, 0, 0},
    {"EmptyFileNow", kLog, Kind::Altered, kSigned, {}, 0, 0},
    {"LongAndEdited", kLog, Kind::Altered, kLong, records(1, 10000), 0, 0},
};

void PrintTo(const CheckCase& c, std::ostream* os) {
    *os << c.name;
}

class SignatureCheckTest : public ::testing::TestWithParam<CheckCase> {
protected:
    QTemporaryDir dir;
    ZvLog log;
    SignatureChecker checker;
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Cases, SignatureCheckTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(SignatureCheckTest, EachStoredHashGetsItsVerdict) {
    const CheckCase& c = GetParam();
    const QString signedHash = log.CalculateHash(test::widenedText(c.atSigning), zvLogKey());
    // Only the exact text is a hash text: letter case, blanks and leading zeros count, as
    // the viewer compares them; two signatures may hold the same hash.
    const QStringList stored = {
        signedHash, signedHash.toLower(), signedHash + u' ', QStringLiteral("3F A 0"),
        QString(),  signedHash,           u'0' + signedHash};
    const QString path = test::writeFile(dir.filePath(QStringLiteral("log.csv")), c.now);

    // The signing time only tells where to look first: right, wrong or unreadable, it changes
    // no verdict.
    for (const QString& signedAt : {lastRecordTime(c.atSigning), QString(), QString("no time"),
                                    QString("1/1/2000 0:00"), QString("12/31/2099 23:59:59")}) {
        SCOPED_TRACE(signedAt.toStdString());
        const std::vector<HashVerdict> verdicts =
            checker.check(path, c.kind, stored, QStringList(stored.size(), signedAt));
        ASSERT_EQ(verdicts.size(), 7U);
        for (const std::size_t i : {0U, 5U}) {
            EXPECT_EQ(verdicts[i].kind, c.verdict);
            EXPECT_EQ(verdicts[i].recordsCovered, c.covered);
            EXPECT_EQ(verdicts[i].recordsAppended, c.appended);
        }
        for (const std::size_t i : {1U, 2U, 3U, 4U, 6U}) {
            EXPECT_EQ(verdicts[i].kind, Kind::Malformed)
                << stored[static_cast<qsizetype>(i)].toStdString();
        }
        EXPECT_EQ(verdicts[0].verified(), signedHash == log.CalculateFileHash(path, zvLogKey()));
    }
}

TEST(SignatureCheck, AFileThatCannotBeHashedRaisesItsError) {
    const QTemporaryDir dir;
    SignatureChecker checker;
    const QStringList stored = {QString()};
    EXPECT_EQ(test::errorOf([&] { checker.check(dir.filePath("gone.csv"), kLog, stored); }),
              ErrFileNotFound);
    EXPECT_EQ(test::errorOf([&] { checker.check(dir.path(), kLog, stored); }), ErrPathAccess);
}

TEST(RecordFields, SplitAtEveryCommaAndRefuseMoreThan32767BeforeMakingAny) {
    const std::vector<QByteArrayView> fields = recordFields(",a,,b ");
    EXPECT_EQ(fields, (std::vector<QByteArrayView>{"", "a", "", "b "}));
    const QByteArray widest(kMaxRecordFields - 1, ',');
    EXPECT_EQ(recordFields(widest).size(), std::size_t(kMaxRecordFields));
    EXPECT_EQ(recordFields(widest, 5).size(), 5U);
    EXPECT_EQ(test::errorOf([&] { recordFields(widest + ',', 5); }), ErrOverflow);
}
