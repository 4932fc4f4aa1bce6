// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/integrity/KeyedHashStream.h"

#include <openssl/crypto.h>

#include <array>

namespace tarvex::crypto {
namespace {

constexpr std::size_t kBlockBytes = 64;
constexpr unsigned char kInnerPad = 0x36;
constexpr unsigned char kOuterPad = 0x5C;

MdCtxPtr newMdCtx() {
    return MdCtxPtr(required(EVP_MD_CTX_new(), "no digest context"));
}

// Starts `ctx` with the key block: the key padded with zeros to a block, XORed with `pad`.
void startKeyed(EVP_MD_CTX* ctx, const EVP_MD* sha256, const Key& key, unsigned char pad) {
    static_assert(std::tuple_size_v<Key> <= kBlockBytes);
    std::array<unsigned char, kBlockBytes> block{};
    block.fill(pad);
    for (std::size_t i = 0; i < key.size(); ++i) {
        block.at(i) = static_cast<unsigned char>(key.at(i) ^ pad);
    }
    const bool ok = EVP_DigestInit_ex2(ctx, sha256, nullptr) == 1 &&
                    EVP_DigestUpdate(ctx, block.data(), block.size()) == 1;
    OPENSSL_cleanse(block.data(), block.size());
    if (!ok) {
        throwCryptoFailure("HMAC start failed");
    }
}

void finishDigest(EVP_MD_CTX* ctx, Digest& hash) {
    unsigned int size = 0;
    if (EVP_DigestFinal_ex(ctx, hash.data(), &size) != 1 || size != hash.size()) {
        throwCryptoFailure("HMAC end failed");
    }
}

} // namespace

KeyedHashStream::KeyedHashStream()
    : sha256_(required(EVP_MD_fetch(nullptr, "SHA256", nullptr), "SHA256 unavailable")),
      outerStart_(newMdCtx()), inner_(newMdCtx()), scratch_(newMdCtx()) {}

void KeyedHashStream::start(const Key& key) {
    startKeyed(inner_.get(), sha256_.get(), key, kInnerPad);
    startKeyed(outerStart_.get(), sha256_.get(), key, kOuterPad);
}

void KeyedHashStream::update(QByteArrayView bytes) {
    if (EVP_DigestUpdate(inner_.get(), bytes.data(), static_cast<std::size_t>(bytes.size())) != 1) {
        throwCryptoFailure("HMAC update failed");
    }
}

void KeyedHashStream::hashSoFar(Digest& hash) {
    if (EVP_MD_CTX_copy_ex(scratch_.get(), inner_.get()) != 1) {
        throwCryptoFailure("HMAC copy failed");
    }
    finishDigest(scratch_.get(), hash);
    outerHash(hash);
}

void KeyedHashStream::finish(Digest& hash) {
    finishDigest(inner_.get(), hash);
    outerHash(hash);
}

// Replaces the inner hash by the outer one.
void KeyedHashStream::outerHash(Digest& hash) {
    if (EVP_MD_CTX_copy_ex(scratch_.get(), outerStart_.get()) != 1 ||
        EVP_DigestUpdate(scratch_.get(), hash.data(), hash.size()) != 1) {
        throwCryptoFailure("HMAC end failed");
    }
    finishDigest(scratch_.get(), hash);
}

} // namespace tarvex::crypto
