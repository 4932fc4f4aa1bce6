// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>
#include <memory>

#include <openssl/evp.h>

namespace tarvex::crypto {

struct CipherCtxFree {
    void operator()(EVP_CIPHER_CTX* p) const { EVP_CIPHER_CTX_free(p); }
};
struct CipherFree {
    void operator()(EVP_CIPHER* p) const { EVP_CIPHER_free(p); }
};
struct MacFree {
    void operator()(EVP_MAC* p) const { EVP_MAC_free(p); }
};
struct MacCtxFree {
    void operator()(EVP_MAC_CTX* p) const { EVP_MAC_CTX_free(p); }
};
struct MdFree {
    void operator()(EVP_MD* p) const { EVP_MD_free(p); }
};
struct MdCtxFree {
    void operator()(EVP_MD_CTX* p) const { EVP_MD_CTX_free(p); }
};
using CipherCtxPtr = std::unique_ptr<EVP_CIPHER_CTX, CipherCtxFree>;
using CipherPtr = std::unique_ptr<EVP_CIPHER, CipherFree>;
using MacPtr = std::unique_ptr<EVP_MAC, MacFree>;
using MacCtxPtr = std::unique_ptr<EVP_MAC_CTX, MacCtxFree>;
using MdPtr = std::unique_ptr<EVP_MD, MdFree>;
using MdCtxPtr = std::unique_ptr<EVP_MD_CTX, MdCtxFree>;

// Raises error 5 with OpenSSL's own reason (the queue is emptied).
[[noreturn]] void throwCryptoFailure(const char* what);

// Throws when OpenSSL gave no object.
template <typename T> T* required(T* p, const char* what) {
    if (p == nullptr) {
        throwCryptoFailure(what);
    }
    return p;
}

using Key = std::array<unsigned char, 32>;
// An HMAC-SHA-256 result.
using Digest = std::array<unsigned char, 32>;

// The key that a key text gives for one purpose: SHA-256(label || Windows-1252 bytes of text).
// Remembers the last text so that the same key text is not hashed again on every call.
class DerivedKey {
public:
    explicit DerivedKey(const char* label) : label_(label) {}
    ~DerivedKey();
    DerivedKey(const DerivedKey&) = delete;
    DerivedKey& operator=(const DerivedKey&) = delete;

    void setKeyText(const QString& text);
    // True when the key in hand is the one that `text` gives.
    [[nodiscard]] bool isFor(const QString& text) const { return derived_ && text == text_; }
    [[nodiscard]] const Key& key() const { return key_; }

private:
    const char* label_;
    QString text_;
    bool derived_ = false;
    Key key_{};
};

inline constexpr const char* kCipherKeyLabel = "tarvex-cipher-v1";
inline constexpr const char* kHashKeyLabel = "tarvex-hash-v1";
inline constexpr int kNonceBytes = 12;
inline constexpr int kTagBytes = 16;

} // namespace tarvex::crypto
