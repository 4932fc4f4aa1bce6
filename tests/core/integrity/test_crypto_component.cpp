// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreTestHelpers.h"
#include "core/integrity/HexText.h"
#include "core/integrity/WidenForHash.h"
#include "core/integrity/ZvCryptoX32.h"

#include <QRandomGenerator>

using namespace tarvex;
using tarvex::test::errorOf;
using namespace tarvex::ZvCryptoX32;

namespace {

// The result of HexToBytes as a comparable value: the bytes, or the error number. Without a
// delimiter, the reader of bytes on the text's Latin-1 bytes.
QByteArray outcome(QStringView text, QStringView delimiter) {
    try {
        return delimiter.isNull() ? HexToBytes(text.toLatin1()) : HexToBytes(text, delimiter);
    } catch (const TvError& e) {
        return "error " + QByteArray::number(e.number());
    }
}

QByteArray widen(const QByteArray& in) {
    QByteArray out(2 * in.size(), '\x55');
    widenForHash(in, out.data());
    return out;
}

QByteArray encrypt(const QString& text) {
    ZvCryptoX32::EncryptString encryptor;
    encryptor.KeyText(QStringLiteral("tamsk"));
    encryptor.InputText(text);
    encryptor.RunOption(0);
    return encryptor.OutputData().toByteArray();
}

} // namespace

// The two-character delimiter takes the general reader; the blank has a fast one of its own.
TEST(HexText, ReadsLeadingHexDigitsOfThePartsBetweenEveryDelimiter) {
    const struct {
        const char16_t* text;
        const char16_t* delimiter;
        QByteArray expected;
    } cases[] = {{u"0 a FF", u" ", QByteArray::fromHex("000aff")},
                 {u"0  A", u" ", QByteArray::fromHex("00000a")},
                 {u" A", u" ", QByteArray::fromHex("000a")},
                 {u"A ", u" ", QByteArray::fromHex("0a00")},
                 {u"1;;2", u";", QByteArray::fromHex("010002")},
                 {u"1<>2", u"<>", QByteArray::fromHex("0102")},
                 {u"1\t2", u" ", QByteArray::fromHex("01")}, // a tab is no blank
                 {u"000000000000001", u" ", QByteArray::fromHex("01")},
                 {u"G7", u" ", QByteArray::fromHex("00")},
                 {u"fez9", u" ", QByteArray::fromHex("fe")},
                 {u"-1 +2", u" ", QByteArray::fromHex("0000")},
                 {u"1FF", u" ", "error 6"},
                 {u"1 2 FFFFFFFFFFFFFFFFFFFFFFFF", u" ", "error 6"},
                 {u"", u" ", "error 9"},
                 {u"", nullptr, "error 9"}}; // no delimiter: the reader of bytes
    for (const auto& c : cases) {
        EXPECT_EQ(outcome(c.text, c.delimiter), c.expected)
            << QString::fromUtf16(c.text).toStdString();
    }
}

// The blank's reader on UTF-16 text and on bytes (no delimiter given) against the general one.
TEST(HexTextFastPath, ReadsLikeTheGeneralReader) {
    const QString alphabet = QStringLiteral("0123456789abcdefABCDEFGz-\u00e9\u00a0  ");
    QRandomGenerator random(20240304);
    for (int round = 0; round < 20'000; ++round) {
        QString text;
        const int length = static_cast<int>(random.bounded(1, 16));
        for (int i = 0; i < length; ++i) {
            text += alphabet.at(static_cast<qsizetype>(random.bounded(alphabet.size())));
        }
        QString general = text;
        general.replace(u' ', QStringLiteral("<>"));
        ASSERT_EQ(outcome(text, u" "), outcome(general, u"<>")) << text.toStdString();
        ASSERT_EQ(outcome(text, {}), outcome(general, u"<>")) << text.toStdString();
    }
}

TEST(HexTextFastPath, CountsPartsUpTo32768AlsoWithTwoDigitBytes) {
    const QString parts = QStringLiteral("AB ").repeated(32767) + QStringLiteral("CD");
    const QByteArray read = HexToBytes(parts, u" ");
    ASSERT_EQ(read.size(), 32768);
    EXPECT_EQ(static_cast<unsigned char>(read.front()), 0xAB);
    EXPECT_EQ(static_cast<unsigned char>(read.back()), 0xCD);
    EXPECT_EQ(outcome(parts + QStringLiteral(" 1"), u" "), "error 6");
    EXPECT_EQ(outcome(parts + QStringLiteral(" "), u" "), "error 6");
}

TEST(WidenForHash, EveryByteValueAtEveryPlaceOfABlock) {
    for (int b = 0; b < 256; ++b) {
        for (int at = 0; at < 40; at += 3) {
            QByteArray in(41, 'a');
            in[at] = static_cast<char>(b);
            ASSERT_EQ(widen(in), toWindows1252(test::widenedText(in))) << b << " at " << at;
        }
    }
}

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
