// The grid's word-at-a-time field scan and its run-copying save, checked against the plainest
// reading of the same text: split at every line feed and every separator.
#include "recordfiles/GridData.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
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

} // namespace

TEST(RecordGridFastPaths, LoadsEveryFieldAsAPlainSplitDoes) {
    QTemporaryDir dir;
    const QString path = dir.filePath("in.csv");
    std::mt19937 rng(20240304);
    for (int round = 0; round < 300; ++round) {
        const QByteArray text = randomText(rng, round % 97 * 7);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        f.close();
        const auto rows = plainSplit(text);
        for (int option = 0; option <= 3; ++option) {
            GridData grid;
            ASSERT_TRUE(grid.LoadDelimitedText(path, "", ",", "\r\n", option, ""));
            const int rowShift = (option & GridData::kFirstLineToHeaderRow) ? 0 : 1;
            const int columnShift = (option & GridData::kFirstFieldToHeaderColumn) ? 0 : 1;
            for (int line = 0; line < rows.size(); ++line) {
                for (int field = 0; field < rows[line].size(); ++field) {
                    ASSERT_EQ(grid.CellBytes(field + columnShift, line + rowShift),
                              rows[line][field])
                        << "round " << round << " option " << option << " line " << line
                        << " field " << field;
                }
            }
        }
    }
}

TEST(RecordGridFastPaths, SavesWhatTheCellsHoldAfterEditsClearsAndDroppedColumns) {
    QTemporaryDir dir;
    const QString in = dir.filePath("in.csv");
    const QString out = dir.filePath("out.csv");
    std::mt19937 rng(4711);
    for (int round = 0; round < 200; ++round) {
        QFile f(in);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(randomText(rng, 40 + round * 5));
        f.close();
        GridData grid;
        ASSERT_TRUE(grid.LoadDelimitedText(in, "", ",", "\r\n", round % 4, ""));
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
        const QByteArray separator = round % 6 == 0 ? ";" : ",";
        ASSERT_TRUE(
            grid.SaveDelimitedText(out, "", QString::fromLatin1(separator), "\r\n", 25, ""));
        ASSERT_EQ(readAll(out), plainSave(grid, separator)) << "round " << round;
    }
}
