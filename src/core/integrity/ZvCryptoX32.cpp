// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/integrity/ZvCryptoX32.h"

#include "core/common/TvError.h"
#include "core/common/Windows1252.h"

#include <openssl/core_names.h>
#include <openssl/err.h>
#include <openssl/params.h>
#include <openssl/rand.h>

#include <algorithm>
#include <array>
#include <climits>
#include <utility>

namespace tarvex::ZvCryptoX32 {
namespace {

using crypto::kNonceBytes;
using crypto::kTagBytes;
using crypto::required;
using crypto::throwCryptoFailure;

unsigned char* bytesOf(QByteArray& array) {
    return reinterpret_cast<unsigned char*>(array.data());
}
const unsigned char* bytesOf(QByteArrayView bytes) {
    return reinterpret_cast<const unsigned char*>(bytes.data());
}

void checkRunOption(std::int32_t option) {
    if (option != 0) {
        throw TvError(ErrInvalidCall, QStringLiteral("RunOption %1 is not supported").arg(option));
    }
}

int checkedLength(qsizetype size) {
    if (size > INT_MAX - kNonceBytes - kTagBytes) {
        throw TvError(ErrOutOfMemory);
    }
    return static_cast<int>(size);
}

crypto::CipherPtr fetchGcm() {
    return crypto::CipherPtr(
        required(EVP_CIPHER_fetch(nullptr, "AES-256-GCM", nullptr), "AES-256-GCM unavailable"));
}

crypto::CipherCtxPtr newCipherCtx() {
    return crypto::CipherCtxPtr(required(EVP_CIPHER_CTX_new(), "no cipher context"));
}

} // namespace

EncryptString::EncryptString() : cipher_(fetchGcm()), ctx_(newCipherCtx()) {}

void EncryptString::InputText(const QString& text) {
    input_ = toWindows1252(text);
}

void EncryptString::RunOption(std::int32_t option) {
    checkRunOption(option);
}

QVariant EncryptString::OutputData() {
    const int length = checkedLength(input_.size());
    QByteArray out(kNonceBytes + length + kTagBytes, Qt::Uninitialized);
    unsigned char* nonce = bytesOf(out);
    unsigned char* body = nonce + kNonceBytes;
    int written = 0;
    int tail = 0;
    if (RAND_bytes(nonce, kNonceBytes) != 1) {
        throwCryptoFailure("no random nonce");
    }
    if (EVP_EncryptInit_ex2(ctx_.get(), cipher_.get(), key_.key().data(), nonce, nullptr) != 1 ||
        EVP_EncryptUpdate(ctx_.get(), body, &written, bytesOf(std::as_const(input_)), length) !=
            1 ||
        EVP_EncryptFinal_ex(ctx_.get(), body + written, &tail) != 1 ||
        EVP_CIPHER_CTX_ctrl(ctx_.get(), EVP_CTRL_GCM_GET_TAG, kTagBytes, body + length) != 1) {
        throwCryptoFailure("encryption failed");
    }
    return {out};
}

DecryptData::DecryptData() : cipher_(fetchGcm()), ctx_(newCipherCtx()) {}

void DecryptData::KeyText(const QString& keyText) {
    ctxKeyed_ = ctxKeyed_ && key_.isFor(keyText);
    key_.setKeyText(keyText);
}

void DecryptData::InputData(const QVariant& data) {
    if (data.typeId() != QMetaType::QByteArray) {
        throw TvError(ErrTypeMismatch);
    }
    input_ = data.toByteArray();
}

void DecryptData::RunOption(std::int32_t option) {
    checkRunOption(option);
}

QVariant DecryptData::OutputData() {
    return {Decipher(input_)};
}

QByteArray DecryptData::Decipher(QByteArrayView input) {
    if (input.size() < kNonceBytes + kTagBytes) {
        throw TvError(ErrInvalidCall);
    }
    const int length = checkedLength(input.size() - kNonceBytes - kTagBytes);
    const unsigned char* nonce = bytesOf(input);
    const unsigned char* body = nonce + kNonceBytes;
    // OpenSSL's ctrl takes the tag through a non-const pointer, so it gets a copy.
    std::array<unsigned char, kTagBytes> tag{};
    std::copy_n(body + length, kTagBytes, tag.begin());
    if (!ctxKeyed_) {
        if (EVP_DecryptInit_ex2(ctx_.get(), cipher_.get(), key_.key().data(), nullptr, nullptr) !=
            1) {
            throwCryptoFailure("decryption failed");
        }
        ctxKeyed_ = true;
    }
    QByteArray plain(length, Qt::Uninitialized);
    int written = 0;
    int tail = 0;
    if (EVP_DecryptInit_ex2(ctx_.get(), nullptr, nullptr, nonce, nullptr) != 1 ||
        EVP_DecryptUpdate(ctx_.get(), bytesOf(plain), &written, body, length) != 1 ||
        EVP_CIPHER_CTX_ctrl(ctx_.get(), EVP_CTRL_GCM_SET_TAG, kTagBytes, tag.data()) != 1) {
        throwCryptoFailure("decryption failed");
    }
    if (EVP_DecryptFinal_ex(ctx_.get(), bytesOf(plain) + written, &tail) != 1) {
        // Wrong key or damaged bytes: never hand back what the cipher produced.
        ERR_clear_error();
        throw TvError(ErrInvalidCall);
    }
    return plain;
}

CreateStringHash::CreateStringHash()
    : mac_(required(EVP_MAC_fetch(nullptr, "HMAC", nullptr), "HMAC unavailable")),
      ctx_(required(EVP_MAC_CTX_new(mac_.get()), "no MAC context")) {
    char digest[] = "SHA256";
    const OSSL_PARAM params[] = {OSSL_PARAM_construct_utf8_string(OSSL_MAC_PARAM_DIGEST, digest, 0),
                                 OSSL_PARAM_END};
    if (EVP_MAC_CTX_set_params(ctx_.get(), params) != 1) {
        throwCryptoFailure("SHA256 unavailable for HMAC");
    }
}

void CreateStringHash::InputText(const QString& text) {
    input_ = toWindows1252(text);
}

QVariant CreateStringHash::HashData() {
    QByteArray hash(EVP_MAX_MD_SIZE, Qt::Uninitialized);
    std::size_t size = 0;
    if (EVP_MAC_init(ctx_.get(), key_.key().data(), key_.key().size(), nullptr) != 1 ||
        EVP_MAC_update(ctx_.get(), bytesOf(std::as_const(input_)),
                       static_cast<std::size_t>(input_.size())) != 1 ||
        EVP_MAC_final(ctx_.get(), bytesOf(hash), &size, static_cast<std::size_t>(hash.size())) !=
            1) {
        throwCryptoFailure("HMAC failed");
    }
    hash.truncate(static_cast<qsizetype>(size));
    return {hash};
}

void CreateStringHash::StartHash() {
    stream_.start(key_.key());
}

void CreateStringHash::UpdateHash(QByteArrayView ansiBytes) {
    stream_.update(ansiBytes);
}

QVariant CreateStringHash::FinishHash() {
    crypto::Digest hash{};
    stream_.finish(hash);
    return {QByteArray(reinterpret_cast<const char*>(hash.data()),
                       static_cast<qsizetype>(hash.size()))};
}

void CreateStringHash::HashSoFar(crypto::Digest& hash) {
    stream_.hashSoFar(hash);
}

std::unique_ptr<Object> createObject(QStringView className) {
    if (className == u"ZvCryptoX32.EncryptString") {
        return std::make_unique<EncryptString>();
    }
    if (className == u"ZvCryptoX32.DecryptData") {
        return std::make_unique<DecryptData>();
    }
    if (className == u"ZvCryptoX32.CreateStringHash") {
        return std::make_unique<CreateStringHash>();
    }
    throw TvError(ErrInvalidCall,
                  QStringLiteral("Cannot create object \"%1\"").arg(className.toString()));
}

} // namespace tarvex::ZvCryptoX32
