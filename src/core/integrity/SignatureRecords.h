// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

class QIODevice;

namespace tarvex {

class ZvLog;

// A signature record as a signature uses it: the first five fields of its deciphered text.
// Whatever else the record holds is not kept.
struct SignatureRecord {
    QString date;
    QString time;
    QString user;
    QString comment;
    QString hash; // empty when the record has no fifth field
};

// The signatures of a ".sig" file open for reading, in order. A record that deciphers to
// nothing is no signature. Raises EncipheredLineError for a line that cannot be read or
// deciphered, or that holds more than kMaxRecordFields fields (6).
std::vector<SignatureRecord> readSignatureRecords(QIODevice& file, ZvLog& log);

} // namespace tarvex
