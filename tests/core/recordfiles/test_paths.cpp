#include "CoreTestHelpers.h"
#include "recordfiles/PathFunctions.h"
#include "recordfiles/RecordFileGuard.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarvex;

TEST(PathFunctions, BaseNameCutsFolderAndEverythingFromTheFirstDot) {
    const std::pair<const char*, const char*> cases[] = {
        {"/logs/plant.2024.csv", "plant"}, {"/logs/plant.rev2.csv", "plant"},
        {"/logs.old/plant", "plant"},      {"plant.csv", "plant"},
        {"/logs/.hidden.csv", ""},         {"/logs/", ""},
    };
    for (const auto& [path, base] : cases) {
        EXPECT_EQ(fileBaseName(QString::fromLatin1(path)), QString::fromLatin1(base)) << path;
    }
    EXPECT_EQ(pathWithoutExtension("/logs/plant.2024.csv"), "/logs/plant");
    EXPECT_EQ(pathWithoutExtension("/data.v1/plant"), "/data.v1/plant");
    EXPECT_EQ(pathWithoutExtension("/logs/.hidden"), "/logs/");
    EXPECT_EQ(recordFileSet("/logs/plant.2024.csv"),
              (QStringList{"/logs/plant.2024.csv", "/logs/plant.sig", "/logs/plant.evt"}));
    EXPECT_TRUE(recordFileSet("").isEmpty());
}

TEST(PathFunctions, FileExistsOnlyForFilesThatAreNoFolders) {
    const QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("plant.sig"));
    EXPECT_FALSE(fileExists(file));
    test::writeFile(file, {});
    EXPECT_TRUE(fileExists(file));
    EXPECT_FALSE(fileExists(dir.path()));
    EXPECT_FALSE(fileExists(QString()));
    ASSERT_TRUE(QFile::link(file, dir.filePath(QStringLiteral("link.sig"))));
    EXPECT_TRUE(fileExists(dir.filePath(QStringLiteral("link.sig"))));
    ASSERT_TRUE(QFile::link(dir.path(), dir.filePath(QStringLiteral("folder.sig"))));
    EXPECT_FALSE(fileExists(dir.filePath(QStringLiteral("folder.sig"))));
}

TEST(RecordFileGuard, OtherSpellingsAndLinksOfTheSameFileAreCaught) {
    QTemporaryDir dir;
    const QString record = test::writeFile(dir.filePath("plant.csv"), {});
    ASSERT_TRUE(QFile::link(record, dir.filePath("link.csv")));
    const QStringList files = recordFileSet(record);
    EXPECT_TRUE(namesAnyOf(dir.filePath("sub/../plant.csv"), files));
    EXPECT_TRUE(namesAnyOf(dir.filePath("link.csv"), files));
    EXPECT_TRUE(namesAnyOf(dir.filePath("plant.sig"), files)); // not there yet, still refused
    EXPECT_FALSE(namesAnyOf(dir.filePath("plant export.csv"), files));
    EXPECT_FALSE(namesAnyOf(record, {}));
}
