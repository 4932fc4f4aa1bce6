// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile inputs and targets: what is not a regular file is never opened, read or replaced, and
// a line reader's memory stays bounded whatever the file holds.
#include "CoreTestHelpers.h"
#include "core/integrity/ZvLog.h"
#include "core/recordfiles/FileKind.h"
#include "core/recordfiles/GridData.h"
#include "core/recordfiles/PathFunctions.h"
#include "core/recordfiles/RecordLayouts.h"
#include "core/recordfiles/TextLineReader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace tarvex;
using tarvex::test::errorOf;

namespace {

struct Special {
    const char* name;
    FileKind kind;
    std::function<bool(const QString& path)> make; // false: cannot be made here
};

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

const std::vector<Special> kSpecials{
    {"fifo", FileKind::Fifo, [](const QString& p) { return ::mkfifo(native(p), 0600) == 0; }},
    {"folder", FileKind::Directory, [](const QString& p) { return QDir().mkdir(p); }},
    {"link to /dev/zero", FileKind::CharacterDevice,
     [](const QString& p) { return QFile::link(QStringLiteral("/dev/zero"), p); }},
    // A copy of /dev/null's node: only root may make one.
    {"device node", FileKind::CharacterDevice,
     [](const QString& p) {
         return ::geteuid() == 0 && ::mknod(native(p), S_IFCHR | 0666, makedev(1, 3)) == 0;
     }},
    {"link to nothing", FileKind::BrokenLink,
     [](const QString& p) { return QFile::link(p + QStringLiteral(".gone"), p); }},
};

} // namespace

TEST(RegularFilesOnly, NoReaderOrWriterOpensAFifoAFolderOrADevice) {
    QTemporaryDir dir;
    ZvLog log;
    for (const Special& s : kSpecials) {
        SCOPED_TRACE(s.name);
        const QString path = dir.filePath(QString::fromLatin1(s.name).replace(u' ', u'_'));
        if (!s.make(path)) {
            continue;
        }
        EXPECT_EQ(fileKind(path), s.kind);
        EXPECT_FALSE(fileExists(path));
        EXPECT_FALSE(isWritableTarget(path));
        // Readers: refused before anything is opened (a FIFO would block here for ever).
        GridData grid;
        EXPECT_THROW(loadRecordText(grid, path, 0), TvError);
        EXPECT_EQ(errorOf([&] { log.CalculateFileHash(path, zvLogKey()); }),
                  s.kind == FileKind::BrokenLink ? ErrFileNotFound : ErrPathAccess);
        QFile file;
        EXPECT_NE(openRegularFile(file, path), 0);
        EXPECT_FALSE(file.isOpen());
        // Writers: refused, and the node stays what it was.
        grid.SetCellText(1, 1, QStringLiteral("x"));
        EXPECT_THROW(saveRecordText(grid, path), TvError);
        EXPECT_EQ(errorOf([&] { log.WriteSigFile(path, {}, {}, false, zvLogKey()); }),
                  ErrPathAccess);
        EXPECT_EQ(fileKind(path), s.kind);
    }
}

TEST(LineLimit, ALineOverTheLimitIsOutOfMemoryWhereverItEnds) {
    struct Case {
        QByteArray input;
        QList<QByteArray> lines; // read before the end or the error
        int error;
    };
    const std::vector<Case> cases{
        {"12345678\n1\n", {"12345678", "1"}, 0},
        {"12345678\r\n", {"12345678"}, 0}, // the line end does not count
        {"1\n123456789\n", {"1"}, ErrOutOfMemory},
        {"123456789", {}, ErrOutOfMemory}, // the last line, without a line end
        {QByteArray(3 << 20, 'A'), {}, ErrOutOfMemory},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input.left(20).toStdString());
        QByteArray bytes = c.input;
        QBuffer buffer(&bytes);
        ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
        TextLineReader reader(buffer, 8);
        QList<QByteArray> read;
        const int error = errorOf([&] {
            while (!reader.atEnd()) {
                read.append(reader.readLine().toByteArray());
            }
        });
        EXPECT_EQ(read, c.lines);
        EXPECT_EQ(error, c.error);
    }
    // The documented limit lies well above the longest line that the hex decoder accepts.
    EXPECT_GE(TextLineReader::kMaxEncipheredLine, 10 * 3 * 32768);
}

TEST(WriteSigFile, AppendsToTheFileInPlace) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plant.sig"));
    const QString link = dir.filePath(QStringLiteral("link.sig"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("old\r\n") == 5);
    file.close();
    ASSERT_EQ(::link(native(path), native(link)), 0);
    struct stat before {};
    ASSERT_EQ(::stat(native(path), &before), 0);
    ZvLog().WriteSigFile(path, QStringLiteral("Jane"), QStringLiteral("A B"), false, zvLogKey());
    struct stat after {};
    ASSERT_EQ(::stat(native(path), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino); // the same file, not a new one renamed over it
    QFile linked(link);
    ASSERT_TRUE(linked.open(QIODevice::ReadOnly));
    const QByteArray content = linked.readAll();
    EXPECT_TRUE(content.startsWith("old\r\n"));
    EXPECT_TRUE(content.endsWith(", Jane, A B\r\n")) << content.toStdString();
}
