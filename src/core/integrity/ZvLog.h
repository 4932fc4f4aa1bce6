// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/integrity/ZvCryptoX32.h"

#include <QIODevice>
#include <QString>

#include <memory>

namespace tarvex {

// The key text that every caller in the system passes as Password.
inline QString zvLogKey() {
    return QStringLiteral("tamsk");
}

// The crypto wrapper: enciphers, deciphers and hashes record data through the crypto
// component, and stores cipher bytes and hashes as hex text ("0 A AB FF"). Nothing is kept
// between calls but the three component objects; no operation catches errors.
class ZvLog {
public:
    // Creates the encryptor, the decryptor and the hasher, in that order, by class name.
    ZvLog();
    ~ZvLog();
    ZvLog(const ZvLog&) = delete;
    ZvLog& operator=(const ZvLog&) = delete;
    ZvLog(ZvLog&&) noexcept;
    ZvLog& operator=(ZvLog&&) noexcept;

    QString EncryptToHex(const QString& InputString, const QString& Password);
    // Error 9 for an empty text, 6 for a hex part above FF or more than 32768 parts, 5 for
    // cipher bytes that do not decipher under Password.
    QString DecryptFromHex(const QString& InputString, const QString& Password);
    // The same for hex text held as bytes (HexToBytes), giving the deciphered Windows-1252
    // bytes: what a file's line deciphers to, without a text made of either.
    QByteArray DecryptBytesFromHex(QByteArrayView hexText, const QString& Password);
    QString CalculateHash(const QString& InputString, const QString& Password);
    // The hash of the file's text read through Windows-1252 and widened (each UTF-16 code unit
    // as two characters, low byte first), read in pieces so that memory does not grow with the
    // file. Error 53 for a missing file, 75 for anything but a regular file (a folder, device or
    // FIFO), 62 when the file shrinks while it is read.
    QString CalculateFileHash(const QString& FileName, const QString& Password);
    // Exact, case-sensitive comparison with the hash of InputString.
    bool CompareHash(const QString& InputString, const QString& Password, const QString& hash);
    // Appends "m/d/yyyy h:mm:ss, Signature, hash" (enciphered when Encrypt) and CR LF to the
    // file, created when missing; the lines already there are not rewritten. A failed write is
    // cut off again. Error 75 when the file is a folder, device or FIFO.
    void WriteSigFile(const QString& FileName, const QString& Signature, const QString& hash,
                      bool Encrypt, const QString& Password);
    // Reads one record from `File`, a device opened for reading and positioned by the caller,
    // who also closes it. Fields missing from the record leave their arguments unchanged.
    // Reading past the end raises error 62.
    void ReadSigFile(QIODevice& File, QString& DateTime, QString& Signature, QString& hash,
                     bool Encrypt, const QString& Password);

private:
    std::unique_ptr<ZvCryptoX32::EncryptString> encryptor;
    std::unique_ptr<ZvCryptoX32::DecryptData> decryptor;
    std::unique_ptr<ZvCryptoX32::CreateStringHash> hasher;
};

} // namespace tarvex
