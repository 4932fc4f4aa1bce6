// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/integrity/CryptoSupport.h"
#include "core/integrity/KeyedHashStream.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QVariant>

#include <cstdint>
#include <memory>

// The crypto component: an encryptor, a decryptor and a keyed string hasher, created by class
// name. Text becomes bytes through Windows-1252. A key text gives a cipher key and a hash key
// (SHA-256 over a label and the key text); cipher bytes are nonce (12) || AES-256-GCM
// ciphertext || tag (16); hashes are HMAC-SHA-256 (32 bytes). docs/crypto-format.md has it all.
namespace tarvex::ZvCryptoX32 {

// Every object the factory makes; callers bind it to its class's interface.
class Object {
public:
    Object() = default;
    virtual ~Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
};

// "ZvCryptoX32.EncryptString": text to cipher bytes under a key text.
class EncryptString final : public Object {
public:
    EncryptString();
    void KeyText(const QString& keyText) { key_.setKeyText(keyText); }
    void InputText(const QString& text);
    // Only 0 is defined; anything else is refused.
    void RunOption(std::int32_t option);
    // A byte array: a fresh nonce, the ciphertext and the tag.
    QVariant OutputData();

private:
    crypto::DerivedKey key_{crypto::kCipherKeyLabel};
    crypto::CipherPtr cipher_;
    crypto::CipherCtxPtr ctx_;
    QByteArray input_;
};

// "ZvCryptoX32.DecryptData": cipher bytes back to the plain bytes, or error 5 when the bytes
// are too short or were not made under this key (failed tag).
class DecryptData final : public Object {
public:
    DecryptData();
    void KeyText(const QString& keyText);
    // A variant holding a byte array; anything else is a type mismatch.
    void InputData(const QVariant& data);
    void RunOption(std::int32_t option);
    QVariant OutputData();
    // What OutputData gives for these input bytes, without a variant or a copy of the input.
    QByteArray Decipher(QByteArrayView input);

private:
    crypto::DerivedKey key_{crypto::kCipherKeyLabel};
    crypto::CipherPtr cipher_;
    crypto::CipherCtxPtr ctx_;
    // The context holds the key's schedule: a record then only sets its nonce.
    bool ctxKeyed_ = false;
    QByteArray input_;
};

// "ZvCryptoX32.CreateStringHash": HMAC-SHA-256 of a text's Windows-1252 bytes. Besides the
// one-text form, a text too large to hold can be fed in pieces of its Windows-1252 bytes, and
// the hash of the pieces so far read at any point.
class CreateStringHash final : public Object {
public:
    CreateStringHash();
    void KeyText(const QString& keyText) { key_.setKeyText(keyText); }
    void InputText(const QString& text);
    // A byte array of 32 bytes.
    QVariant HashData();

    void StartHash();
    void UpdateHash(QByteArrayView ansiBytes);
    QVariant FinishHash();
    // The hash of the bytes given since StartHash, leaving the running hash as it is.
    void HashSoFar(crypto::Digest& hash);

private:
    crypto::DerivedKey key_{crypto::kHashKeyLabel};
    crypto::MacPtr mac_;
    crypto::MacCtxPtr ctx_;
    crypto::KeyedHashStream stream_;
    QByteArray input_;
};

// Creates an object by its class name ("ZvCryptoX32.EncryptString", ...); an unknown name
// raises error 5.
std::unique_ptr<Object> createObject(QStringView className);

} // namespace tarvex::ZvCryptoX32
