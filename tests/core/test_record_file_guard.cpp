#include "recordfiles/RecordFileGuard.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarvex;

TEST(RecordFileGuard, ARecordFileComesWithItsSignatureAndEventFiles) {
    EXPECT_EQ(recordFileSet("/logs/plant.2024.csv"),
              (QStringList{"/logs/plant.2024.csv", "/logs/plant.sig", "/logs/plant.evt"}));
    EXPECT_TRUE(recordFileSet("").isEmpty());
}

TEST(RecordFileGuard, OtherSpellingsAndLinksOfTheSameFileAreCaught) {
    QTemporaryDir dir;
    const QString record = dir.filePath("plant.csv");
    QFile f(record);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    ASSERT_TRUE(QFile::link(record, dir.filePath("link.csv")));
    const QStringList files = recordFileSet(record);

    EXPECT_TRUE(namesAnyOf(dir.filePath("sub/../plant.csv"), files));
    EXPECT_TRUE(namesAnyOf(dir.filePath("link.csv"), files));
    EXPECT_TRUE(namesAnyOf(dir.filePath("plant.sig"), files)); // not there yet, still refused
    EXPECT_FALSE(namesAnyOf(dir.filePath("plant export.csv"), files));
    EXPECT_FALSE(namesAnyOf(dir.filePath("plant.csv"), {}));
}
