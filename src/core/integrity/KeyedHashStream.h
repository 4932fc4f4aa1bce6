// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/integrity/CryptoSupport.h"

#include <QByteArrayView>

namespace tarvex::crypto {

// HMAC-SHA-256 over bytes given in pieces, built from its definition: the outer SHA-256 runs
// over the key block XORed with 0x5C and then the inner hash, which is SHA-256 over the key
// block XORed with 0x36 and then the message (the key block: the key padded with zeros to 64
// bytes). The two SHA-256 contexts are kept apart so that the hash of the bytes so far can be read
// after any piece for the price of finishing a copy of the inner context; a copy of a whole
// EVP_MAC context costs several times more, which matters when it is read at every line end.
class KeyedHashStream {
public:
    KeyedHashStream();

    void start(const Key& key);
    void update(QByteArrayView bytes);
    // The hash of the bytes given since start(); the stream goes on.
    void hashSoFar(Digest& hash);
    // The hash of all the bytes given; start() begins anew.
    void finish(Digest& hash);

private:
    void outerHash(Digest& hash);

    MdPtr sha256_;
    MdCtxPtr outerStart_; // the outer hash after the key block
    MdCtxPtr inner_;
    MdCtxPtr scratch_;
};

} // namespace tarvex::crypto
