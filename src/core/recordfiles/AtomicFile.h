// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>

namespace tarvex {

// Why a write left its target as it was.
struct WriteFailure {
    enum class Kind {
        None,
        Refused, // the name may not be replaced: not a regular file, or one of the files read
        System,  // an operation failed; errorNumber holds the system's errno
    };
    Kind kind = Kind::None;
    int errorNumber = 0;
    QString reason; // when refused, ready to follow the path: "is a folder, not a regular file"

    explicit operator bool() const { return kind != Kind::None; }
    // The reason, or the system's text for errorNumber ("No space left on device").
    [[nodiscard]] QString text() const;
    // As a run-time error number: 61 disk full, 70 permission, 76 path not found, 75 refused,
    // 57 anything else.
    [[nodiscard]] std::int32_t errorCode() const;
};

// Writes a file whole or not at all, and never through a name swapped during the write.
//
// open() resolves the target once: symbolic links are followed then, so a link still writes
// where it pointed, and the folder of the result is held open for the whole write. It checks
// the name and creates the new file as a new inode in that folder (unnamed where the file system
// allows, else under a fresh name made with O_EXCL). commit() syncs the data, checks the name
// again, gives the new file the replaced file's permissions and renames it onto the name in the
// held folder. A rename replaces a directory entry, never what an entry points to, so no file's
// content changes but the new one's. Where the file system can exchange two names atomically,
// the entry taken away is compared with the one checked and put back when it differs;
// elsewhere a plain rename follows the last check.
//
// Refused at either check, the name left as it is: anything that is not a regular file
// (folder, FIFO, device, socket), and any file of `neverReplace`, by its resolved path or by
// device and inode, so also through another spelling, a link or a hard link.
class AtomicFile : public QIODevice {
public:
    explicit AtomicFile(QString target, QStringList neverReplace = {});
    ~AtomicFile() override;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    AtomicFile(AtomicFile&&) = delete;
    AtomicFile& operator=(AtomicFile&&) = delete;

    // WriteOnly (Unbuffered and Truncate allowed). False, with failure() set, when refused.
    bool open(OpenMode mode) override;
    [[nodiscard]] qint64 size() const override;
    // Makes what was written the target. False, with failure() set and the target as it was.
    bool commit();
    // Drops the new file; the destructor does so when nothing was committed.
    void cancel();

    [[nodiscard]] const WriteFailure& failure() const { return failure_; }
    // The name that the file replaces: the target with its links followed.
    [[nodiscard]] QString resolvedTarget() const;

    // For tests: runs in commit() with the resolved target, just before the final check.
    static void setBeforeFinalCheck(std::function<void(const QString& resolvedTarget)> hook);

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    struct State;
    bool fail(int errorNumber);
    bool refuse(const QString& reason);
    bool checkName();
    bool createFile();
    bool nameTemporary();
    int replaceName(); // 1 done, 0 try again, -1 failed

    QString target_;
    QStringList neverReplace_;
    std::unique_ptr<State> d_;
    WriteFailure failure_;
};

// Writes the whole file `target` through an AtomicFile: `write` writes the content into the
// device it is given (a picture writer, a PDF writer, a painter's device) and answers whether
// all went well; the file is committed only then.
WriteFailure writeFileAtomically(const QString& target,
                                 const std::function<bool(QIODevice& device)>& write,
                                 const QStringList& neverReplace = {});
// The same with the bytes of the whole file.
WriteFailure writeFileAtomically(const QString& target, QByteArrayView bytes,
                                 const QStringList& neverReplace = {});

} // namespace tarvex
