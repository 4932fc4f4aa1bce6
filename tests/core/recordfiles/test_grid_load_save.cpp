// SPDX-License-Identifier: GPL-3.0-or-later
// The grid's word-at-a-time field scan and its run-copying save, checked against the plainest
// reading of the same text: split at every line feed and every separator.
#include "CoreTestHelpers.h"
#include "core/recordfiles/GridData.h"
#include "core/recordfiles/TextLineReader.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <random>

using namespace tarvex;

namespace {

QByteArray randomText(std::mt19937& rng, int length) {
    static const char kBytes[] = {'a', 'b', '1', ' ', ',', ',', ',', '\r', '\n', '\xAC', '\x2C'};
    std::uniform_int_distribution<int> pick(0, sizeof kBytes - 1);
    QByteArray text;
    for (int i = 0; i < length; ++i) {
        text += kBytes[pick(rng)];
    }
    return text;
}

// Lines end at "\n" (a final one makes no extra line); a "\r" right before it is not content.
QList<QList<QByteArray>> plainSplit(const QByteArray& text) {
    QList<QByteArray> lines = text.split('\n');
    if (text.endsWith('\n') || text.isEmpty()) {
        lines.removeLast();
    }
    QList<QList<QByteArray>> rows;
    for (QByteArray line : lines) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        rows.append(line.split(','));
    }
    return rows;
}

// The save's layout, cell by cell: the header column's text or row number, then every column.
QByteArray plainSave(const GridData& grid, const QByteArray& separator) {
    QByteArray out;
    for (int r = 0; r <= grid.RowCount(); ++r) {
        const QByteArrayView header = grid.CellBytes(0, r);
        out += header.isEmpty() && r > 0 ? QByteArray::number(r) : header.toByteArray();
        for (int c = 1; c <= grid.ColumnCount(); ++c) {
            out += separator + grid.CellBytes(c, r).toByteArray();
        }
        out += "\r\n";
    }
    return out;
}

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

class GridFile : public ::testing::Test {
protected:
    bool load(GridData& grid, const QByteArray& bytes, int option, const QString& quote = {}) {
        return grid.LoadDelimitedText(test::writeFile(in, bytes), quote, ",", "\r\n", option, "");
    }
    static bool save(const GridData& grid, const QString& path, const char* separator = ",") {
        return grid.SaveDelimitedText(path, "", QString::fromLatin1(separator), "\r\n", 25, "");
    }

    QTemporaryDir dir;
    QString in = dir.filePath("in.csv");
    QString out = dir.filePath("out.csv");
};
using RecordGridFastPaths = GridFile;
using GridLoad = GridFile;
using GridSave = GridFile;

} // namespace

// One grid per option loads every text in turn: nothing of an earlier load may be left.
TEST_F(RecordGridFastPaths, LoadsEveryFieldAsAPlainSplitDoes) {
    std::mt19937 rng(20240304);
    GridData grids[4];
    for (int round = 0; round < 300; ++round) {
        const QByteArray text = randomText(rng, round % 97 * 7);
        const auto lines = plainSplit(text);
        qsizetype widest = 0;
        for (const auto& fields : lines) {
            widest = std::max(widest, fields.size());
        }
        for (int option = 0; option <= 3; ++option) {
            GridData& grid = grids[option];
            ASSERT_TRUE(load(grid, text, option));
            const int rowShift = (option & GridData::kFirstLineToHeaderRow) ? 0 : 1;
            const int columnShift = (option & GridData::kFirstFieldToHeaderColumn) ? 0 : 1;
            ASSERT_EQ(grid.RowCount(), std::max<qsizetype>(lines.size() + rowShift - 1, 0));
            ASSERT_EQ(grid.ColumnCount(), std::max<qsizetype>(widest + columnShift - 1, 0));
            ASSERT_EQ(grid.FilledColumnCount(), grid.ColumnCount());
            for (int r = 0; r <= grid.RowCount() + 1; ++r) {
                for (int c = 0; c <= grid.ColumnCount() + 1; ++c) {
                    const auto& fields = lines.value(r - rowShift);
                    ASSERT_EQ(grid.CellBytes(c, r), fields.value(c - columnShift))
                        << "round " << round << " option " << option << " cell " << c << "," << r;
                }
            }
        }
    }
}

TEST_F(RecordGridFastPaths, SavesWhatTheCellsHoldAfterEditsClearsAndDroppedColumns) {
    std::mt19937 rng(4711);
    for (int round = 0; round < 200; ++round) {
        GridData grid;
        ASSERT_TRUE(load(grid, randomText(rng, 40 + round * 5), round % 4));
        std::uniform_int_distribution<int> row(0, grid.RowCount() + 1);
        std::uniform_int_distribution<int> column(0, grid.ColumnCount() + 1);
        for (int edit = 0; edit < round % 7; ++edit) {
            grid.SetCellText(column(rng), row(rng), edit % 2 ? "x" : "");
        }
        if (round % 5 == 0) {
            const int c = column(rng);
            grid.ClearBlock(c, row(rng), c + 1, row(rng));
        }
        if (round % 3 == 0 && grid.ColumnCount() > 1) {
            grid.setColumnCount(grid.ColumnCount() - 1);
        }
        const char* separator = round % 6 == 0 ? ";" : ",";
        ASSERT_TRUE(save(grid, out, separator));
        ASSERT_EQ(test::readBytes(out), plainSave(grid, separator)) << "round " << round;
    }
}

TEST_F(GridLoad, CellsHoldWindows1252BytesAndReadAsValues) {
    GridData grid;
    ASSERT_TRUE(load(grid, "Date,Time,A\r\ncaf\xE9,\x80 5,1.5\r\n", 3));
    EXPECT_EQ(grid.CellText(0, 1), QStringLiteral("caf\u00E9"));
    EXPECT_EQ(grid.CellText(1, 1), QStringLiteral("\u20AC 5"));
    CellValue v;
    ASSERT_TRUE(grid.GetCellValue(2, 1, v));
    EXPECT_EQ(v, CellValue::number(1.5));
    grid.SetCellText(2, 1, QStringLiteral("\u20AC"));
    EXPECT_EQ(grid.CellBytes(2, 1), QByteArrayView("\x80"));
}

TEST_F(GridLoad, RefusesWhatItCannotReadAndKeepsTheContent) {
    GridData grid;
    ASSERT_TRUE(load(grid, "Date,Time\r\n1/1/2024,10:00\r\n", 3));
    EXPECT_FALSE(grid.LoadDelimitedText(dir.filePath("missing.csv"), "", ",", "\r\n", 3, ""));
    EXPECT_FALSE(grid.LoadDelimitedText(dir.path(), "", ",", "\r\n", 3, "")); // a folder
    EXPECT_FALSE(load(grid, "a,b\r\n", 3, "\""));                             // a text qualifier
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.CellText(1, 0), "Time");
}

// Anything may come in: NULs, random bytes, lines of 10 MB. Reading and saving must go on.
TEST_F(GridLoad, MalformedInputLoadsAndSaves) {
    GridData grid;
    ASSERT_TRUE(load(grid, QByteArray("a\0b,c\0\r\n\0\0\0", 11), 0));
    EXPECT_EQ(grid.CellText(1, 1), QString::fromLatin1("a\0b", 3));
    QRandomGenerator rng(7);
    for (int round = 0; round < 20; ++round) {
        QByteArray junk(rng.bounded(1, 20000), Qt::Uninitialized);
        for (char& b : junk) {
            b = static_cast<char>(rng.bounded(256));
        }
        ASSERT_TRUE(load(grid, junk, round % 4));
        ASSERT_TRUE(save(grid, out));
    }
    // A line of more fields than a record can hold is refused before any field is stored.
    ASSERT_TRUE(load(grid, "kept\r\n", 0));
    const QByteArray commas(10 << 20, ',');
    EXPECT_EQ(test::errorOf([&] { load(grid, "a\r\n" + commas + "\r\nlast", 0); }), ErrOverflow);
    EXPECT_EQ(grid.CellText(1, 1), "kept");
    EXPECT_LT(grid.memoryUsage(), std::size_t(1) << 20);
}

// A large text loads in steps with pauses between them (the viewer lets window events run
// there), and whatever runs in a pause still finds the grid as it was.
TEST_F(GridLoad, PausesEveryFewMegabytesWithTheOldContentInPlace) {
    GridData grid;
    ASSERT_TRUE(load(grid, "old\r\n", 0));
    int pauses = 0;
    grid.setLoadPause([&] {
        ++pauses;
        EXPECT_EQ(grid.CellText(1, 1), "old");
    });
    QByteArray big;
    while (big.size() < (40 << 20)) {
        big += "3/4/2024,13:05:09,1.5\r\n";
    }
    ASSERT_TRUE(load(grid, big + QByteArray(20 << 20, 'x'), 0)); // a long last line too
    EXPECT_GE(pauses, 12); // reading, counting and storing, each every 8 MiB
    EXPECT_EQ(grid.CellText(1, 1), "3/4/2024");
}

TEST_F(GridSave, AWriteThatFailsHalfwayKeepsTheOldFile) {
    test::writeFile(out, "old content\r\n");
    GridData grid;
    grid.setRowCount(40000);
    for (int r = 1; r <= 40000; ++r) {
        grid.SetCellText(1, r, QStringLiteral("a fairly long cell text %1").arg(r));
    }
    // The write fails in the middle, like one on a full disk.
    {
        const test::FileSizeLimit limit(rlim_t(256) * 1024);
        EXPECT_FALSE(save(grid, out));
    }
    EXPECT_EQ(test::readBytes(out), QByteArray("old content\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"out.csv"});
    EXPECT_FALSE(save(grid, dir.filePath("nowhere/x.csv")));
    ASSERT_TRUE(save(grid, out));
    EXPECT_GT(QFileInfo(out).size(), 1'000'000);
}

TEST(TextLineReader, SplitsAtBothLineEndsAsAPlainSplitDoes) {
    std::mt19937 rng(20240304);
    std::uniform_int_distribution<int> pick(0, 3);
    for (int round = 0; round < 2000; ++round) {
        QByteArray text;
        for (int i = round % 23; i > 0; --i) {
            text += "a,\r\n"[pick(rng)];
        }
        text += text.endsWith('\r') ? "a" : ""; // a last "\r" without "\n" is content: below
        QList<QByteArray> lines;
        for (const QList<QByteArray>& fields : plainSplit(text)) {
            lines << QByteArrayList(fields).join(',');
        }
        ASSERT_EQ(readAll(text), lines) << text.toStdString();
    }
    EXPECT_EQ(readAll("a\r\nb\r"), (QList<QByteArray>{"a", "b\r"}));
    // Lines longer than the reader's buffer.
    const QByteArray longLine(200'000, 'x');
    EXPECT_EQ(readAll("first\r\n" + longLine + "\r\nlast"),
              (QList<QByteArray>{"first", longLine, "last"}));
}
