// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/integrity/ZvLog.h"

#include "core/common/TvError.h"
#include "core/common/Windows1252.h"
#include "core/integrity/FileHashScan.h"
#include "core/integrity/HexText.h"
#include "core/integrity/InputField.h"
#include "core/recordfiles/FileKind.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>

namespace tarvex {
namespace {

template <typename T> std::unique_ptr<T> createBound(QStringView className) {
    std::unique_ptr<ZvCryptoX32::Object> object = ZvCryptoX32::createObject(className);
    if (dynamic_cast<T*>(object.get()) == nullptr) {
        throw TvError(ErrTypeMismatch);
    }
    return std::unique_ptr<T>(static_cast<T*>(object.release()));
}

QByteArray byteArrayOf(const QVariant& value) {
    if (value.typeId() != QMetaType::QByteArray) {
        throw TvError(ErrTypeMismatch);
    }
    return value.toByteArray();
}

QString trimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ') {
        ++first;
    }
    while (last > first && text[last - 1] == u' ') {
        --last;
    }
    return text.sliced(first, last - first);
}

[[noreturn]] void throwFileError(const QFileDevice& file, const QString& path) {
    const QFileInfo info(path);
    if (info.isDir()) {
        throw TvError(ErrPathAccess);
    }
    throw TvError(fileErrorNumber(file.error(), info.exists()));
}

} // namespace

ZvLog::ZvLog()
    : encryptor(createBound<ZvCryptoX32::EncryptString>(u"ZvCryptoX32.EncryptString")),
      decryptor(createBound<ZvCryptoX32::DecryptData>(u"ZvCryptoX32.DecryptData")),
      hasher(createBound<ZvCryptoX32::CreateStringHash>(u"ZvCryptoX32.CreateStringHash")) {}

ZvLog::~ZvLog() = default;
ZvLog::ZvLog(ZvLog&&) noexcept = default;
ZvLog& ZvLog::operator=(ZvLog&&) noexcept = default;

QString ZvLog::EncryptToHex(const QString& InputString, const QString& Password) {
    encryptor->KeyText(Password);
    encryptor->InputText(InputString);
    encryptor->RunOption(0);
    return bytesToHex(byteArrayOf(encryptor->OutputData()));
}

QString ZvLog::DecryptFromHex(const QString& InputString, const QString& Password) {
    const QByteArray bytes = HexToBytes(InputString, u" ");
    decryptor->KeyText(Password);
    decryptor->InputData(QVariant(bytes));
    decryptor->RunOption(0);
    return fromWindows1252(byteArrayOf(decryptor->OutputData()));
}

QByteArray ZvLog::DecryptBytesFromHex(QByteArrayView hexText, const QString& Password) {
    const QByteArray bytes = HexToBytes(hexText);
    decryptor->KeyText(Password);
    return decryptor->Decipher(bytes);
}

QString ZvLog::CalculateHash(const QString& InputString, const QString& Password) {
    hasher->KeyText(Password);
    hasher->InputText(InputString);
    return bytesToHex(byteArrayOf(hasher->HashData()));
}

QString ZvLog::CalculateFileHash(const QString& FileName, const QString& Password) {
    QFile file;
    if (const std::int32_t error = openRegularFile(file, FileName, QIODevice::Unbuffered)) {
        throw TvError(error);
    }
    hasher->KeyText(Password);
    return FileHashScan(*hasher).run(file);
}

bool ZvLog::CompareHash(const QString& InputString, const QString& Password, const QString& hash) {
    return hash == CalculateHash(InputString, Password);
}

void ZvLog::WriteSigFile(const QString& FileName, const QString& Signature, const QString& hash,
                         bool Encrypt, const QString& Password) {
    const QString now = QLocale::c().toString(QDateTime::currentDateTime(), u"M/d/yyyy H:mm:ss");
    QString line = now + QStringLiteral(", ") + Signature + QStringLiteral(", ") + hash;
    if (Encrypt) {
        line = EncryptToHex(line, Password);
    }
    const QByteArray record = toWindows1252(line) + "\r\n";
    // Opening a FIFO for writing would wait for a reader, and a device is no signature file.
    if (!isWritableTarget(FileName)) {
        throw TvError(ErrPathAccess);
    }
    QFile file(FileName);
    if (!file.open(QIODevice::Append | QIODevice::Unbuffered)) {
        throwFileError(file, FileName);
    }
    const qint64 before = file.size();
    if (file.write(record) != record.size()) {
        const QFileDevice::FileError error = file.error();
        file.resize(before); // no half record is left behind
        throw TvError(fileErrorNumber(error, true));
    }
}

void ZvLog::ReadSigFile(QIODevice& File, QString& DateTime, QString& Signature, QString& hash,
                        bool Encrypt, const QString& Password) {
    if (!Encrypt) {
        DateTime = readInputField(File);
        Signature = readInputField(File);
        hash = readInputField(File);
        return;
    }
    const QStringList parts = DecryptFromHex(readInputField(File), Password).split(u',');
    QString* targets[] = {&DateTime, &Signature, &hash};
    for (qsizetype i = 0; i < std::min<qsizetype>(parts.size(), 3); ++i) {
        *targets[i] = trimBlanks(parts[i]);
    }
}

} // namespace tarvex
