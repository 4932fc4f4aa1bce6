// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreTestHelpers.h"
#include "core/integrity/FileHashScan.h"
#include "core/integrity/ZvLog.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarvex;

namespace {

// `lines` lines of a data log in the given line end, numbered from `first`.
QByteArray records(int first, int lines, const char* lineEnd = "\r\n") {
    QByteArray text;
    for (int i = first; i < first + lines; ++i) {
        text += "3/4/2024,10:" + QByteArray::number(i % 60) + ":00,2" + QByteArray::number(i) +
                ".5,\x80\x83" + lineEnd;
    }
    return text;
}

struct PrefixCase {
    const char* name;
    QByteArray atSigning; // the file when it was signed
    QByteArray now;
    qint64 carrying; // lines of the part that still carries the signed hash; 0 for none
    qint64 lines;
};

class FileHashScanTest : public ::testing::TestWithParam<PrefixCase> {
protected:
    QTemporaryDir dir;
    ZvLog log;
};

const QByteArray kTitle = "Date,Time,Reactor\r\n";
const QByteArray kSigned = kTitle + records(0, 3);
const QByteArray kLong = records(0, 9000); // more than one piece of the hasher's reading

const PrefixCase kCases[] = {
    {"AppendedAfterSigning", kSigned, kSigned + records(3, 4), 4, 8},
    {"AppendedWithBareLineEnds", records(0, 2, "\n"), records(0, 5, "\n"), 2, 5},
    {"SignedTitleOnly", kTitle, kTitle + records(0, 2), 1, 3},
    {"EditInsideTheSignedPart", kSigned, kTitle + records(1, 6), 0, 7},
    {"EditInTheAppendedPart", kSigned, kSigned + "3/4/2024,11:00:00,x\r\n" + records(4, 1), 4, 6},
    {"LastLineWithoutLineEnd", kSigned, kSigned + "3/4/2024,11:00", 4, 5},
    {"SignedWithoutLastLineEnd", kSigned.chopped(2), kSigned, 0, 4},
    {"SignedEmptyFile", {}, kSigned, 0, 4},
    {"EmptyFileNow", kSigned, {}, 0, 0},
    {"Unchanged", kSigned, kSigned, 4, 4},
    {"SignedPartEndsInTheSecondPiece", kLong, kLong + records(1, 30), 9000, 9030},
    {"OnlyLineEnds", "\n\n", "\n\n\r\n", 2, 3},
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Cases, FileHashScanTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(FileHashScanTest, FindsThePartThatCarriesTheSignedHash) {
    const PrefixCase& c = GetParam();
    const QString signedHash = log.CalculateHash(test::widenedText(c.atSigning), zvLogKey());
    // Only the exact text counts, as in the viewer; texts that are no hash are looked for too,
    // and two signatures may hold the same hash.
    const QStringList sought = {signedHash,        signedHash.toLower(),
                                signedHash + u' ', QStringLiteral("3F A 0"),
                                QString(),         signedHash};
    const QString path = test::writeFile(dir.filePath(QStringLiteral("log.csv")), c.now);
    ZvCryptoX32::CreateStringHash hasher;
    hasher.KeyText(zvLogKey());
    FileHashScan scan(hasher, sought);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));

    EXPECT_EQ(scan.run(file), log.CalculateFileHash(path, zvLogKey()));
    EXPECT_EQ(scan.lines(), c.lines);
    EXPECT_EQ(scan.linesCarrying(0), c.carrying);
    EXPECT_EQ(scan.linesCarrying(5), c.carrying);
    for (qsizetype i = 1; i < 5; ++i) {
        EXPECT_EQ(scan.linesCarrying(i), 0) << sought[i].toStdString();
    }
}
