#include "integrity/ZvLog.h"

#include "common/TvError.h"
#include "common/Windows1252.h"
#include "integrity/FileHashScan.h"
#include "integrity/HexText.h"
#include "integrity/InputField.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

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

QByteArray existingContent(const QString& path) {
    QFile file(path);
    if (!file.exists()) {
        return {};
    }
    if (!file.open(QIODevice::ReadOnly)) {
        throwFileError(file, path);
    }
    return file.readAll();
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

QString ZvLog::CalculateHash(const QString& InputString, const QString& Password) {
    hasher->KeyText(Password);
    hasher->InputText(InputString);
    return bytesToHex(byteArrayOf(hasher->HashData()));
}

QString ZvLog::CalculateFileHash(const QString& FileName, const QString& Password) {
    QFile file(FileName);
    if (QFileInfo(FileName).isDir() || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        throwFileError(file, FileName);
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
    QByteArray content = existingContent(FileName);
    content += toWindows1252(line);
    content += "\r\n";
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly)) {
        throwFileError(file, FileName);
    }
    if (file.write(content) != content.size() || !file.commit()) {
        throw TvError(fileErrorNumber(file.error(), true));
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
