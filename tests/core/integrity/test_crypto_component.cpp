#include "CoreTestHelpers.h"
#include "integrity/HexText.h"
#include "integrity/ZvCryptoX32.h"

#include <gtest/gtest.h>

using namespace tarvex;
using tarvex::test::errorOf;
using namespace tarvex::ZvCryptoX32;

namespace {

QByteArray encrypt(const QString& text) {
    EncryptString encryptor;
    encryptor.KeyText(QStringLiteral("tamsk"));
    encryptor.InputText(text);
    encryptor.RunOption(0);
    return encryptor.OutputData().toByteArray();
}

} // namespace

TEST(CryptoComponent, CreatesItsThreeClassesByNameOnly) {
    EXPECT_NE(dynamic_cast<EncryptString*>(createObject(u"ZvCryptoX32.EncryptString").get()),
              nullptr);
    EXPECT_NE(dynamic_cast<DecryptData*>(createObject(u"ZvCryptoX32.DecryptData").get()), nullptr);
    EXPECT_NE(dynamic_cast<CreateStringHash*>(createObject(u"ZvCryptoX32.CreateStringHash").get()),
              nullptr);
    EXPECT_EQ(errorOf([] { createObject(u"ZvCryptoX32.encryptstring"); }), ErrInvalidCall);
}

// Cipher bytes made by another program from the documented format (fixed nonce 1..12).
TEST(CryptoComponent, DecryptsTheDocumentedFormat) {
    const QString hex = QStringLiteral(
        "1 2 3 4 5 6 7 8 9 A B C 9B 69 C 48 55 A5 6B 4F F7 C7 2B B0 95 70 5B 49 E8 89 D0 8B 5 "
        "D0 23 99 42 10 6B 3A 53 FE 41 DF 89 66 F9 82 FC 87 4D 94 D 93 C3 65 B0 D2 48 43 F5 7D "
        "BC D7 F2 DF C6 CB CE 36 1D D5");
    DecryptData decryptor;
    decryptor.KeyText(QStringLiteral("tamsk"));
    decryptor.InputData(QVariant(HexToBytes(hex, u" ")));
    decryptor.RunOption(0);
    EXPECT_EQ(decryptor.OutputData().toByteArray(),
              QByteArray("1/2/2024,10:00:00,Shift Lead,Approved,3F A 0"));
}

TEST(CryptoComponent, CipherBytesAreAFreshNonceTheBodyAndTheTag) {
    const QByteArray a = encrypt(QStringLiteral("abc"));
    const QByteArray b = encrypt(QStringLiteral("abc"));
    EXPECT_EQ(a.size(), 12 + 3 + 16);
    EXPECT_NE(a.left(12), b.left(12));
    EXPECT_EQ(encrypt(QString()).size(), 28);
    DecryptData decryptor;
    decryptor.RunOption(0);
    decryptor.KeyText(QStringLiteral("tamsk"));
    decryptor.InputData(QVariant(b));
    EXPECT_EQ(decryptor.OutputData().toByteArray(), QByteArray("abc"));
    decryptor.InputData(QVariant(b.left(27)));
    EXPECT_EQ(errorOf([&] { decryptor.OutputData(); }), ErrInvalidCall);
    EXPECT_EQ(errorOf([&] { decryptor.InputData(QVariant(QStringLiteral("1 2 3"))); }),
              ErrTypeMismatch);
    EXPECT_EQ(errorOf([&] { decryptor.RunOption(1); }), ErrInvalidCall);
}

TEST(CryptoComponent, HashesWholeOrInPiecesAlike) {
    CreateStringHash hasher;
    hasher.KeyText(QStringLiteral("tamsk"));
    hasher.InputText(QString::fromUtf16(u"A\u0000B\u0000", 4));
    const QByteArray whole = hasher.HashData().toByteArray();
    EXPECT_EQ(bytesToHex(whole), QStringLiteral("57 33 BD D1 FD BD 21 8F 6 E2 97 60 2E 93 3C 76 "
                                                "B6 58 E9 F DB 42 78 DA B FD 74 93 1B B6 A8 18"));
    hasher.StartHash();
    hasher.UpdateHash(QByteArrayView("A\0B", 3));
    hasher.UpdateHash(QByteArrayView("\0", 1));
    EXPECT_EQ(hasher.FinishHash().toByteArray(), whole);
    hasher.KeyText(QStringLiteral("TAMSK"));
    EXPECT_NE(hasher.HashData().toByteArray(), whole);
}
