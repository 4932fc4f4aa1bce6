// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/TvError.h"
#include "core/recordfiles/TextLineReader.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

class QIODevice;

namespace tarvex {

class ZvLog;

// A line of an enciphered record file that could not be used: the error as it was raised, the
// line's number (from 1) and what failed: reading the line, deciphering it, or splitting the
// record into its fields.
class EncipheredLineError : public TvError {
public:
    enum class Stage { Reading, Deciphering, Splitting };

    EncipheredLineError(const TvError& error, qint64 line, Stage stage)
        : TvError(error), line_(line), stage_(stage) {}

    [[nodiscard]] qint64 line() const noexcept { return line_; }
    [[nodiscard]] Stage stage() const noexcept { return stage_; }

private:
    qint64 line_;
    Stage stage_;
};

// The records of an enciphered record file (".sig", ".evt"): one hex-text enciphered record per
// line ("\r\n" or "\n"), deciphered through the crypto wrapper under the system's key. Lines
// are read one at a time and none may be longer than TextLineReader::kMaxEncipheredLine, so
// memory follows the longest line, whatever the file holds.
class EncipheredFile {
public:
    // `file` is open for reading; both must outlive the reader.
    EncipheredFile(QIODevice& file, ZvLog& log);

    [[nodiscard]] bool atEnd();
    // The next line's record as its Windows-1252 bytes (empty when it deciphers to nothing).
    // Raises EncipheredLineError: a line over the limit (7), a failing device (57), a line that
    // does not decipher (9, 6 or 5, as DecryptFromHex raises them).
    QByteArray nextRecord();
    // The number of the line that nextRecord() read last (from 1).
    [[nodiscard]] qint64 line() const { return line_; }

private:
    TextLineReader lines_;
    ZvLog& log_;
    QString key_;
    qint64 line_ = 0;
};

// The most fields a record may have: field indexes are 16-bit.
inline constexpr qsizetype kMaxRecordFields = 32767;

// The fields of a deciphered record: split at every comma, nothing trimmed; only the first
// `keep` are made. More than kMaxRecordFields fields raise overflow (6), whatever `keep` is.
std::vector<QByteArrayView> recordFields(QByteArrayView record, qsizetype keep = kMaxRecordFields);
// The same into `fields`, whose room a reader of many records uses again.
void recordFields(QByteArrayView record, std::vector<QByteArrayView>& fields,
                  qsizetype keep = kMaxRecordFields);

} // namespace tarvex
