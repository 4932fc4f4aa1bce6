#include "recordfiles/PathFunctions.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarvex;

TEST(PathFunctions, BaseNameCutsFolderAndEverythingFromTheFirstDot) {
    EXPECT_EQ(fileBaseName(QStringLiteral("/logs/plant.2024.csv")), QStringLiteral("plant"));
    EXPECT_EQ(fileBaseName(QStringLiteral("/logs/plant.rev2.csv")), QStringLiteral("plant"));
    EXPECT_EQ(fileBaseName(QStringLiteral("/logs.old/plant")), QStringLiteral("plant"));
    EXPECT_EQ(fileBaseName(QStringLiteral("plant.csv")), QStringLiteral("plant"));
    EXPECT_EQ(fileBaseName(QStringLiteral("plant")), QStringLiteral("plant"));
    EXPECT_EQ(fileBaseName(QStringLiteral("/logs/.hidden.csv")), QString());
    EXPECT_EQ(fileBaseName(QStringLiteral("/logs/")), QString());
    EXPECT_EQ(fileBaseName(QString()), QString());
}

TEST(PathFunctions, PathWithoutExtensionKeepsTheFolderAsItIs) {
    EXPECT_EQ(pathWithoutExtension(QStringLiteral("/logs/plant.2024.csv")),
              QStringLiteral("/logs/plant"));
    EXPECT_EQ(pathWithoutExtension(QStringLiteral("/data.v1/logs/plant.csv")),
              QStringLiteral("/data.v1/logs/plant"));
    EXPECT_EQ(pathWithoutExtension(QStringLiteral("/data.v1/plant")),
              QStringLiteral("/data.v1/plant"));
    EXPECT_EQ(pathWithoutExtension(QStringLiteral("/logs/.hidden")), QStringLiteral("/logs/"));
    EXPECT_EQ(pathWithoutExtension(QStringLiteral("plant.csv")), QStringLiteral("plant"));
    EXPECT_EQ(pathWithoutExtension(QStringLiteral("/logs/plant.csv")) + QStringLiteral(".sig"),
              QStringLiteral("/logs/plant.sig"));
}

TEST(PathFunctions, FileExistsOnlyForFilesThatAreNoFolders) {
    const QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("plant.sig"));
    EXPECT_FALSE(fileExists(file));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.close();
    EXPECT_TRUE(fileExists(file));
    EXPECT_FALSE(fileExists(dir.path()));
    EXPECT_FALSE(fileExists(QString()));
    EXPECT_FALSE(fileExists(dir.filePath(QStringLiteral("none/plant.sig"))));
    ASSERT_TRUE(QFile::link(file, dir.filePath(QStringLiteral("link.sig"))));
    EXPECT_TRUE(fileExists(dir.filePath(QStringLiteral("link.sig"))));
    ASSERT_TRUE(QFile::link(dir.path(), dir.filePath(QStringLiteral("folder.sig"))));
    EXPECT_FALSE(fileExists(dir.filePath(QStringLiteral("folder.sig"))));
}
