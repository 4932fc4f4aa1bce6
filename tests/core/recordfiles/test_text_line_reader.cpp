#include "CoreTestHelpers.h"
#include "recordfiles/TextLineReader.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <random>

using namespace tarvex;

namespace {

QList<QByteArray> readAll(const QByteArray& content) {
    QBuffer buffer;
    buffer.setData(content);
    buffer.open(QIODevice::ReadOnly);
    TextLineReader reader(buffer);
    QList<QByteArray> lines;
    while (!reader.atEnd()) {
        lines.append(reader.readLine().toByteArray());
    }
    EXPECT_EQ(test::errorOf([&] { reader.readLine(); }), ErrPastEnd);
    return lines;
}

// Lines end at "\n" (a final one starts no further line); a "\r" right before it is no content.
QList<QByteArray> plainLines(const QByteArray& text) {
    QList<QByteArray> lines = text.split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i].endsWith('\r')) {
            lines[i].chop(1);
        }
    }
    if (text.endsWith('\n') || text.isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

} // namespace

TEST(TextLineReader, SplitsAtBothLineEndsAsAPlainSplitDoes) {
    std::mt19937 rng(20240304);
    std::uniform_int_distribution<int> pick(0, 3);
    for (int round = 0; round < 2000; ++round) {
        QByteArray text;
        for (int i = round % 23; i > 0; --i) {
            text += "a\r\n\n"[pick(rng)];
        }
        ASSERT_EQ(readAll(text), plainLines(text)) << text.toStdString();
    }
    // Lines longer than the reader's buffer.
    const QByteArray longLine(200'000, 'x');
    EXPECT_EQ(readAll("first\r\n" + longLine + "\r\nlast"),
              (QList<QByteArray>{"first", longLine, "last"}));
}
