// SPDX-License-Identifier: GPL-3.0-or-later
// The batch tool's line-at-a-time export against the viewer's way through a grid: the same
// bytes for any text, the same refusals.
#include "CoreTestHelpers.h"
#include "core/recordfiles/RecordExport.h"

#include <QTemporaryDir>

#include <random>

using namespace tarvex;

namespace {

QByteArray randomRecords(std::mt19937& rng) {
    static const char* const kFields[] = {"3/4/2024", "13:05:09", "1:05 PM",   "0.5",  "",     "",
                                          "Time",     "text",     "\xE9t\xE9", "noon", "a\rb", "7"};
    std::uniform_int_distribution<int> field(0, std::size(kFields) - 1);
    std::uniform_int_distribution<int> count(0, 7);
    QByteArray text;
    for (int line = count(rng) * 2; line > 0; --line) {
        for (int f = count(rng); f >= 0; --f) {
            text += kFields[field(rng)];
            text += f > 0 ? "," : "";
        }
        text += line > 1 || count(rng) > 2 ? (count(rng) > 1 ? "\r\n" : "\n") : "";
    }
    return text;
}

// What the viewer's grid exports, or the number of the error its load raised.
std::variant<QByteArray, int> gridExport(RecordKind kind, const QByteArray& text) {
    static const QTemporaryDir dir;
    const QString in = test::writeFile(dir.filePath("in.csv"), text);
    const QString out = dir.filePath("out.csv");
    GridData grid;
    if (const int error = test::errorOf([&] { loadRecordFile(grid, kind, in); })) {
        return error;
    }
    EXPECT_NO_THROW(saveRecordText(grid, out));
    return test::readBytes(out);
}

std::variant<QByteArray, int> streamedExport(RecordKind kind, const QByteArray& text) {
    const RecordExport exporter(kind, text);
    if (exporter.problem() != RecordExport::Problem::None) {
        return exporter.problem() == RecordExport::Problem::TooLarge ? 0 : int(ErrOverflow);
    }
    QByteArray out;
    EXPECT_TRUE(exporter.write([&out](QByteArrayView piece) {
        out += piece;
        return true;
    }));
    return out;
}

constexpr RecordKind kKinds[] = {RecordKind::DataLog, RecordKind::AuditTrail,
                                 RecordKind::AlarmHistory};

} // namespace

TEST(RecordExport, WritesWhatTheGridsExportWrites) {
    std::mt19937 rng(20240304);
    for (int round = 0; round < 120; ++round) {
        const QByteArray text = randomRecords(rng);
        for (const RecordKind kind : kKinds) {
            SCOPED_TRACE(text.toStdString());
            ASSERT_EQ(streamedExport(kind, text), gridExport(kind, text)) << int(kind);
        }
    }
}

// The limits: 32,767 fields in a line and 2,097,151 lines (refused before the grid stores
// anything), 32,766 records of a data log or alarm history.
TEST(RecordExport, RefusesWhatTheGridRefuses) {
    const QByteArray widest = "Date" + QByteArray(32766, ',') + "\r\n";
    const QByteArray crowded = "Date" + QByteArray(32767, ',') + "\r\n";
    QByteArray records;
    for (int i = 0; i < 32767; ++i) {
        records += "3/4/2024,13:05:09,1\r\n";
    }
    const QByteArray title = "Date,Time,Flow\r\n";
    const struct {
        QByteArray text;
        RecordKind kind;
        int error;
    } cases[] = {
        {widest, RecordKind::DataLog, 0},
        {crowded, RecordKind::DataLog, ErrOverflow},
        {"a,b\r\n" + crowded, RecordKind::AuditTrail, ErrOverflow},
        {title + records.left(records.size() - 21), RecordKind::DataLog, 0},
        {title + records, RecordKind::DataLog, ErrOverflow},
        {records, RecordKind::AlarmHistory, ErrOverflow},
        {records, RecordKind::AuditTrail, 0},
        {QByteArray(GridCells::kMaxLines, '\n'), RecordKind::AuditTrail, 0},
        {QByteArray(GridCells::kMaxLines + 1, '\n'), RecordKind::AuditTrail, ErrOverflow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.size());
        const auto expected = gridExport(c.kind, c.text);
        EXPECT_EQ(streamedExport(c.kind, c.text), expected);
        EXPECT_EQ(std::holds_alternative<int>(expected) ? std::get<int>(expected) : 0, c.error);
    }
    EXPECT_EQ(RecordExport(RecordKind::DataLog, "x\n" + crowded).problemLine(), 2);
}
