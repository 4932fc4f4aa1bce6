// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers shared by every test: error numbers, file bytes, the hash's widening.

#include "core/common/TvError.h"
#include "core/common/Windows1252.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <ostream>

#include <sys/resource.h>

// Readable failure messages for Qt texts.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '"' << list.join("\", \"").toStdString() << '"';
}

namespace tarvex::test {

// The number of the error that `call` raises; 0 when it raises none.
inline int errorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const TvError& e) {
        return e.number();
    }
    return 0;
}

// While it lives, a file may grow to `bytes` only: writing past that fails as on a full disk,
// also for root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN); // the write fails instead of ending the process
        EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &old_), 0);
        rlimit small = old_;
        small.rlim_cur = bytes;
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
};

// A file's bytes; empty when it cannot be read.
inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes (replaces) a file; returns its path.
inline QString writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        << path.toStdString();
    return path;
}

// A file's bytes widened as the file hash defines it: each UTF-16 code unit of the
// Windows-1252 text as two characters, low byte first.
inline QString widenedText(const QByteArray& bytes) {
    QByteArray units;
    for (const QChar c : fromWindows1252(bytes)) {
        units.append(static_cast<char>(c.unicode() & 0xFF));
        units.append(static_cast<char>(c.unicode() >> 8));
    }
    return fromWindows1252(units);
}

} // namespace tarvex::test
