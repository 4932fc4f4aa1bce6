#include "recordfiles/GridData.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tarvex;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

bool save(const GridData& grid, const QString& path) {
    return grid.SaveDelimitedText(path, "", ",", "\r\n", 25, "");
}

// Runs body without the right to write where root could: as root, under another user id.
template <typename Body> void asUnprivileged(Body body) {
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(seteuid(65534), 0);
    }
    body();
    if (root) {
        ASSERT_EQ(seteuid(0), 0);
    }
}

} // namespace

TEST(GridSave, WritesTheShownCellsByteForByte) {
    QTemporaryDir dir;
    const QString in = dir.filePath("log.csv");
    writeFile(in, "Date,Time,A,B\r\n3/4/2024,13:05:09,1.5,caf\xE9\r\n3/5/2024,14:00:00,2\n");
    GridData grid;
    ASSERT_TRUE(grid.LoadDelimitedText(in, "", ",", "\r\n", 3, ""));
    grid.SetCellText(1, 1, "01:05:09 PM");
    grid.SetCellText(1, 2, QStringLiteral("\u20AC"));
    const QString out = dir.filePath("out.csv");
    ASSERT_TRUE(save(grid, out));
    EXPECT_EQ(readAll(out), QByteArray("Date,Time,A,B\r\n"
                                       "3/4/2024,01:05:09 PM,1.5,caf\xE9\r\n"
                                       "3/5/2024,\x80,2,\r\n"));
}

TEST(GridSave, EmptyHeaderColumnGivesRowNumbersAndHiddenColumnsAreWritten) {
    GridData grid; // as the alarm reader leaves it: titles written after an option 0 load
    grid.setRowCount(2);
    grid.SetCellText(0, 0, "Alarm#");
    grid.SetCellText(1, 0, "Alarm Description");
    grid.SetCellText(1, 1, "High Temp");
    grid.SetCellText(4, 2, "extra");
    QTemporaryDir dir;
    const QString out = dir.filePath("alarms.csv");
    ASSERT_TRUE(save(grid, out));
    EXPECT_EQ(readAll(out), QByteArray("Alarm#,Alarm Description,,,\r\n"
                                       "1,High Temp,,,\r\n"
                                       "2,,,,extra\r\n"));
}

TEST(GridSave, FailureLeavesTheOldFileUntouched) {
    QTemporaryDir dir;
    const QString folder = dir.filePath("locked");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString out = folder + "/old.csv";
    writeFile(out, "old content\r\n");
    ASSERT_EQ(chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0555), 0);
    GridData grid;
    grid.SetCellText(1, 1, "new");
    asUnprivileged([&] {
        EXPECT_FALSE(save(grid, out));
        EXPECT_FALSE(save(grid, folder + "/fresh.csv"));
    });
    EXPECT_EQ(readAll(out), QByteArray("old content\r\n"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"old.csv"});
    // A missing folder fails too; a writable one replaces the file whole.
    EXPECT_FALSE(save(grid, dir.filePath("nowhere/x.csv")));
    ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0755), 0);
    ASSERT_TRUE(save(grid, out));
    EXPECT_EQ(readAll(out), QByteArray(",\r\n1,new\r\n"));
}

TEST(GridSave, AWriteThatFailsHalfwayKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString out = dir.filePath("old.csv");
    writeFile(out, "old content\r\n");
    GridData grid;
    grid.setRowCount(40000);
    for (int r = 1; r <= 40000; ++r) {
        grid.SetCellText(1, r, QStringLiteral("a fairly long cell text %1").arg(r));
    }
    // Files may grow to 256 KB only, so the write fails in the middle like a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = rlim_t(256) * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = save(grid, out);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &old), 0);
    EXPECT_FALSE(saved);
    EXPECT_EQ(readAll(out), QByteArray("old content\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.csv"});
    ASSERT_TRUE(save(grid, out));
    EXPECT_GT(QFileInfo(out).size(), 1'000'000);
}
