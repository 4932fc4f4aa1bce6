// SPDX-License-Identifier: GPL-3.0-or-later
// The one write path: whatever the target names, or is made to name while the file is written,
// no file that is read and no special file is ever replaced or written into.
#include "CoreTestHelpers.h"
#include "core/common/NativePath.h"
#include "core/recordfiles/AtomicFile.h"
#include "core/recordfiles/FileKind.h"
#include "core/recordfiles/RecordFileGuard.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <functional>
#include <random>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace tarvex;

namespace {

QByteArray native(const QString& path) {
    return nativePath(path);
}

// A folder holding a record file with its signature file, another file, a FIFO, a folder and
// (for root) a copy of /dev/null's node, plus links to each.
class WriteTargets : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeFile(path("plant.csv"), "records\r\n");
        test::writeFile(path("plant.sig"), "signatures\r\n");
        test::writeFile(path("other.csv"), "old\r\n");
        ASSERT_EQ(::chmod(native(path("other.csv")), 0640), 0);
        ASSERT_EQ(::mkfifo(native(path("fifo")), 0600), 0);
        ASSERT_TRUE(QDir().mkdir(path("folder")));
        hasDevice =
            ::geteuid() == 0 && ::mknod(native(path("null")), S_IFCHR | 0666, makedev(1, 3)) == 0;
        for (const char* name : {"plant.csv", "plant.sig", "other.csv", "fifo", "folder"}) {
            ASSERT_TRUE(QFile::link(path(name), path(QStringLiteral("to-%1").arg(name))));
        }
        ASSERT_EQ(::link(native(path("plant.csv")), native(path("hard.csv"))), 0);
        before = state();
    }
    void TearDown() override { AtomicFile::setBeforeFinalCheck({}); }

    [[nodiscard]] QString path(const QString& name) const { return dir.filePath(name); }
    [[nodiscard]] QStringList inputs() const { return recordFileSet(path("plant.csv")); }

    // What every protected or special name is: its kind and inode, and a regular file's bytes.
    [[nodiscard]] QStringList state() const {
        QStringList out;
        for (const char* name : {"plant.csv", "plant.sig", "hard.csv", "fifo", "folder", "null"}) {
            struct stat st {};
            if (::lstat(native(path(name)), &st) == 0) {
                out << QStringLiteral("%1 %2 %3").arg(name).arg(st.st_mode).arg(st.st_ino);
                if (S_ISREG(st.st_mode)) {
                    out << QString::fromLatin1(test::readBytes(path(name)));
                }
            }
        }
        return out;
    }
    // Names left behind in the folder by a write.
    [[nodiscard]] QStringList leftovers() const {
        return QDir(dir.path()).entryList({".tarvex-*"}, QDir::AllEntries | QDir::Hidden);
    }

    WriteFailure write(const QString& target) {
        return writeFileAtomically(target, "new\r\n", inputs());
    }

    QTemporaryDir dir;
    bool hasDevice = false;
    QStringList before;
};

} // namespace

TEST_F(WriteTargets, RefusesEveryNameOfAnInputOrASpecialFile) {
    QStringList refused{"plant.csv", "to-plant.csv", "hard.csv",  "folder/../plant.csv",
                        "plant.sig", "to-plant.sig", "plant.evt", "fifo",
                        "to-fifo",   "folder",       "to-folder", "folder/"};
    if (hasDevice) {
        refused << "null";
    }
    for (const QString& name : refused) {
        SCOPED_TRACE(name.toStdString());
        const WriteFailure failure = write(path(name));
        EXPECT_EQ(failure.kind, WriteFailure::Kind::Refused) << failure.text().toStdString();
        EXPECT_EQ(failure.errorCode(), ErrPathAccess);
    }
    EXPECT_EQ(state(), before);
    EXPECT_TRUE(leftovers().isEmpty());
}

TEST_F(WriteTargets, ReplacesRegularFilesThroughLinksKeepingTheirPermissions) {
    ASSERT_FALSE(write(path("to-other.csv")));
    EXPECT_EQ(test::readBytes(path("other.csv")), "new\r\n");
    EXPECT_TRUE(QFileInfo(path("to-other.csv")).isSymLink()); // the link still points there
    struct stat st {};
    ASSERT_EQ(::stat(native(path("other.csv")), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640U);

    ASSERT_FALSE(write(path("fresh.csv")));
    EXPECT_EQ(test::readBytes(path("fresh.csv")), "new\r\n");
    const WriteFailure missing = write(path("nowhere/x.csv"));
    EXPECT_EQ(missing.kind, WriteFailure::Kind::System);
    EXPECT_EQ(missing.text(), "No such file or directory");
    EXPECT_EQ(missing.errorCode(), ErrPathNotFound);
    EXPECT_EQ(state(), before);
    EXPECT_TRUE(leftovers().isEmpty());
}

// Between the first check and the rename another process swaps the resolved name (or the link
// that led to it): what it swaps in is never replaced, and an input is never written.
TEST_F(WriteTargets, ANameSwappedDuringTheWriteIsNeverReplaced) {
    const auto hardLinkTo = [this](const char* what) {
        return [this, what](const QString& resolved) {
            QFile::remove(resolved);
            ASSERT_EQ(::link(native(path(what)), native(resolved)), 0);
        };
    };
    struct Case {
        const char* name;
        std::function<void(const QString&)> swap;
        bool written;
    };
    const std::vector<Case> cases{
        {"hard link to the input", hardLinkTo("plant.csv"), false},
        {"hard link to the signature file", hardLinkTo("plant.sig"), false},
        {"the FIFO", hardLinkTo("fifo"), false},
        {"link to the input",
         [this](const QString& r) {
             QFile::remove(r);
             QFile::link(path("plant.csv"), r);
         },
         false},
        {"the link given pointed at the input",
         [this](const QString&) {
             QFile::remove(path("to-other.csv"));
             QFile::link(path("plant.csv"), path("to-other.csv"));
         },
         true},
        {"removed", [](const QString& r) { QFile::remove(r); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path("to-other.csv"));
        QFile::link(path("other.csv"), path("to-other.csv"));
        test::writeFile(path("other.csv"), "old\r\n");
        AtomicFile::setBeforeFinalCheck(c.swap);
        const WriteFailure failure = write(path("to-other.csv"));
        AtomicFile::setBeforeFinalCheck({});
        EXPECT_EQ(!failure, c.written) << failure.text().toStdString();
        if (c.written) {
            EXPECT_EQ(test::readBytes(path("other.csv")), "new\r\n");
        } else {
            EXPECT_EQ(failure.kind, WriteFailure::Kind::Refused);
            QFile::remove(path("other.csv"));
        }
        EXPECT_EQ(state(), before);
        EXPECT_TRUE(leftovers().isEmpty());
    }
}

// Every byte string is a file name: it travels through a QString and back unchanged, and the
// file is found by it.
TEST(NativePath, EveryByteStringIsAFileNameThatRoundTrips) {
    std::mt19937 rng(17);
    std::uniform_int_distribution<int> byte(1, 255);
    QTemporaryDir dir;
    for (int round = 0; round < 2000; ++round) {
        QByteArray name;
        for (int i = round % 13; i > 0; --i) {
            const int b = byte(rng);
            name += static_cast<char>(b == '/' ? 'x' : b);
        }
        const QString text = pathFromNative(name);
        ASSERT_EQ(nativePath(text), name) << name.toHex().toStdString();
        if (name.isValidUtf8()) {
            EXPECT_EQ(text, QString::fromUtf8(name));
        }
    }
    const QByteArray bad = native(dir.path()) + "/bad\xFF\xFEname.csv";
    const int fd = ::open(bad.constData(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ::close(fd);
    EXPECT_EQ(fileKind(pathFromNative(bad)), FileKind::Regular);
    EXPECT_FALSE(writeFileAtomically(pathFromNative(bad), "x"));
    EXPECT_EQ(test::readBytes(QString::fromLocal8Bit(bad)), QByteArray()); // Qt cannot find it
    struct stat st {};
    ASSERT_EQ(::stat(bad.constData(), &st), 0);
    EXPECT_EQ(st.st_size, 1);
}
