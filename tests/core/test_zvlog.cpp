#include "common/TvError.h"
#include "common/Windows1252.h"
#include "integrity/ZvLog.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>

using namespace tarvex;

namespace {

int errorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const TvError& e) {
        return e.number();
    }
    return 0;
}

const QString kKey = zvLogKey();

} // namespace

TEST(ZvLog, RoundTripsEveryWindows1252Character) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    const QString text = fromWindows1252(all);
    ZvLog log;
    const QString hex = log.EncryptToHex(text, kKey);
    EXPECT_EQ(hex.count(u' '), 12 + 256 + 16 - 1);
    EXPECT_EQ(log.DecryptFromHex(hex, kKey), text);
    EXPECT_EQ(log.DecryptFromHex(hex.toLower(), kKey), text);
    EXPECT_EQ(log.DecryptFromHex(log.EncryptToHex(QString(), kKey), kKey), QString());
}

TEST(ZvLog, EncryptsTheSameTextDifferentlyEachTime) {
    ZvLog log;
    const QString text = QStringLiteral("3/4/2024,10:00:00,Jane Doe,Approved,1 2 3");
    const QString a = log.EncryptToHex(text, kKey);
    const QString b = log.EncryptToHex(text, kKey);
    EXPECT_NE(a, b);
    EXPECT_EQ(log.DecryptFromHex(b, kKey), text);
    EXPECT_FALSE(a.startsWith(u' ') || a.endsWith(u' ') || a.contains(QStringLiteral("  ")));
    EXPECT_EQ(a, a.toUpper());
}

TEST(ZvLog, RefusesTamperedCipherText) {
    ZvLog log;
    const QString hex = log.EncryptToHex(QStringLiteral("Batch released"), kKey);
    QStringList parts = hex.split(u' ');

    QStringList changed = parts;
    changed[14] = QString::number((changed[14].toInt(nullptr, 16) ^ 1), 16).toUpper();
    EXPECT_EQ(errorOf([&] { log.DecryptFromHex(changed.join(u' '), kKey); }), ErrInvalidCall);

    QStringList removed = parts;
    removed.removeAt(20);
    EXPECT_EQ(errorOf([&] { log.DecryptFromHex(removed.join(u' '), kKey); }), ErrInvalidCall);

    EXPECT_EQ(errorOf([&] { log.DecryptFromHex(parts.mid(0, 27).join(u' '), kKey); }),
              ErrInvalidCall);
    EXPECT_EQ(errorOf([&] { log.DecryptFromHex(hex, QStringLiteral("Tamsk")); }), ErrInvalidCall);
    EXPECT_EQ(errorOf([&] { log.DecryptFromHex(QString(), kKey); }), ErrSubscript);
    EXPECT_EQ(errorOf([&] { log.DecryptFromHex(hex + QStringLiteral(" 100"), kKey); }),
              ErrOverflow);
    // The instance stays usable after a refusal.
    EXPECT_EQ(log.DecryptFromHex(hex, kKey), QStringLiteral("Batch released"));
}

TEST(ZvLog, HashesAreKeyedHexTextOf32Bytes) {
    ZvLog log;
    const QString hash = log.CalculateHash(QStringLiteral("plant"), kKey);
    EXPECT_EQ(hash.split(u' ').size(), 32);
    EXPECT_EQ(hash, log.CalculateHash(QStringLiteral("plant"), kKey));
    EXPECT_NE(hash, log.CalculateHash(QStringLiteral("plant"), QStringLiteral("other")));
    EXPECT_NE(hash, log.CalculateHash(QStringLiteral("Plant"), kKey));
    EXPECT_EQ(log.CalculateHash(QString(), kKey),
              QStringLiteral("85 72 B0 6D C9 CA 5B 7C 10 79 C7 66 F1 9C F2 55 6B 31 80 4B BC 4F "
                             "8A 16 BB C1 73 3D 33 9B 89 8D"));
}

TEST(ZvLog, CompareHashIsExact) {
    ZvLog log;
    const QString text = QStringLiteral("Reactor 1");
    const QString hash = log.CalculateHash(text, kKey);
    ASSERT_TRUE(hash.contains(QRegularExpression(QStringLiteral("[A-F]"))));
    EXPECT_TRUE(log.CompareHash(text, kKey, hash));
    EXPECT_FALSE(log.CompareHash(text, kKey, hash.toLower()));
    EXPECT_FALSE(log.CompareHash(text, kKey, hash + QStringLiteral(" ")));
    EXPECT_FALSE(log.CompareHash(text, kKey, QStringLiteral(" ") + hash));
    EXPECT_FALSE(log.CompareHash(text, QStringLiteral("other"), hash));
}
