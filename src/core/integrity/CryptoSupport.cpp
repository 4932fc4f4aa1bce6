// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/integrity/CryptoSupport.h"

#include "core/common/TvError.h"
#include "core/common/Windows1252.h"

#include <openssl/crypto.h>
#include <openssl/err.h>

#include <cstring>

namespace tarvex::crypto {

void throwCryptoFailure(const char* what) {
    QString reason = QString::fromLatin1(what);
    if (const unsigned long code = ERR_get_error(); code != 0) {
        std::array<char, 256> text{};
        ERR_error_string_n(code, text.data(), text.size());
        reason += QStringLiteral(": ") + QString::fromLatin1(text.data());
    }
    ERR_clear_error();
    throw TvError(ErrInvalidCall, reason);
}

DerivedKey::~DerivedKey() {
    OPENSSL_cleanse(key_.data(), key_.size());
}

void DerivedKey::setKeyText(const QString& text) {
    if (derived_ && text == text_) {
        return;
    }
    QByteArray material(label_);
    material += toWindows1252(text);
    unsigned int size = 0;
    const bool ok = EVP_Digest(material.constData(), static_cast<std::size_t>(material.size()),
                               key_.data(), &size, EVP_sha256(), nullptr) == 1;
    OPENSSL_cleanse(material.data(), static_cast<std::size_t>(material.size()));
    if (!ok || size != key_.size()) {
        derived_ = false;
        throwCryptoFailure("key derivation failed");
    }
    text_ = text;
    derived_ = true;
}

} // namespace tarvex::crypto
