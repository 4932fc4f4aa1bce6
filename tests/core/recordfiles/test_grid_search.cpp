// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreTestHelpers.h"
#include "core/common/SafeFileName.h"
#include "core/common/ValueConvert.h"
#include "core/recordfiles/GridData.h"
#include "core/recordfiles/GridSearch.h"
#include "core/recordfiles/GridTimes.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <optional>
#include <vector>

using namespace tarvex;

namespace {

GridData gridOf(const std::vector<QStringList>& rows) {
    GridData grid;
    for (int r = 0; r < int(rows.size()); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            grid.SetCellText(c, r, rows[r][c]);
        }
    }
    return grid;
}

// Column 0 is the header column: row 3 has no text there and shows its number. Column 3 stands
// for a hidden column: searched only where a case says so.
const GridData kFindGrid = gridOf({
    {"At", "Batch", "Note", "Hidden"},
    {"3/4/2024", "B2403-042", "alpha", "x"},
    {"3/5/2024", "b2403-042", "Alpha beta", "042"},
    {"", "ÄRGER Š", "ALPHA", "B2403-042"},
});

struct FindCase {
    const char* what;
    QString text;
    CellMatcher::Options options;
    std::vector<int> columns;
    GridPlace from;
    bool forward;
    std::optional<GridPlace> found;
    bool wrapped;
};

} // namespace

TEST(GridSearch, FindsInShownCellsInReadingOrder) {
    const std::vector<int> shown{0, 1, 2};
    const std::vector<FindCase> cases{
        {"any case", "alpha", {}, shown, {-1, 1}, true, GridPlace{2, 1}, false},
        {"next in reading order", "alpha", {}, shown, {2, 1}, true, GridPlace{2, 2}, false},
        {"match case goes round to itself",
         "alpha",
         {true, false},
         shown,
         {2, 1},
         true,
         GridPlace{2, 1},
         true},
        {"whole cell", "alpha", {false, true}, shown, {2, 1}, true, GridPlace{2, 3}, false},
        {"backwards, round past the start",
         "b2403",
         {},
         shown,
         {1, 1},
         false,
         GridPlace{1, 2},
         true},
        {"backwards within the row", "alpha", {}, shown, {0, 3}, false, GridPlace{2, 2}, false},
        {"header column text", "3/5", {}, shown, {-1, 1}, true, GridPlace{0, 2}, false},
        {"header column row number",
         "3",
         {false, true},
         shown,
         {-1, 1},
         true,
         GridPlace{0, 3},
         false},
        {"hidden column left out", "042", {false, true}, shown, {-1, 1}, true, std::nullopt, false},
        {"the same column searched",
         "042",
         {false, true},
         {0, 1, 2, 3},
         {-1, 1},
         true,
         GridPlace{3, 2},
         false},
        {"header row left out", "Batch", {}, shown, {-1, 1}, true, std::nullopt, false},
        {"Windows-1252 letters fold", "ärger š", {}, shown, {-1, 1}, true, GridPlace{1, 3}, false},
        {"a character no cell holds", "alpha→", {}, shown, {-1, 1}, true, std::nullopt, false},
        {"nothing typed", "", {}, shown, {-1, 1}, true, std::nullopt, false},
        {"no match", "gamma", {}, shown, {-1, 1}, true, std::nullopt, false},
    };
    for (const FindCase& c : cases) {
        const GridSearch search(kFindGrid, c.columns, CellMatcher(c.text, c.options));
        bool wrapped = !c.wrapped;
        EXPECT_EQ(search.next(c.from, c.forward, wrapped), c.found) << c.what;
        EXPECT_EQ(wrapped, c.wrapped) << c.what;
    }
}

TEST(GridSearch, CountsAllMatchesAndTheShownOnesPlace) {
    const GridSearch search(kFindGrid, {0, 1, 2, 3}, CellMatcher(u"a", {}));
    GridSearch::Count count;
    count.current = {2, 2};
    int slices = 0;
    while (!search.countSome(count, 1)) {
        ++slices;
    }
    EXPECT_EQ(slices, 2) << "a row a slice";
    EXPECT_EQ(count.total, 3) << "alpha, Alpha beta, ALPHA; titles are no cells, Ä is no a";
    EXPECT_EQ(count.ordinal, 2);
}

// Counting reads a row's loaded line as a whole; it must count what a cell-by-cell search of the
// shown texts counts, after writes and clears too, with or without a header column.
TEST(GridSearch, CountsWhatAPlainSearchOfEveryShownCellCounts) {
    QTemporaryDir dir;
    QRandomGenerator random(20);
    const QStringList pieces{"", "a1", "A1", "1a1", "11", "1", "b", "x11y", "Ä1"};
    QByteArray text;
    for (int line = 0; line < 60; ++line) {
        for (int field = 0; field < 12; ++field) {
            text += toWindows1252(pieces[int(random.bounded(pieces.size()))]);
            text += field < 11 ? "," : "\r\n";
        }
    }
    const QString path = test::writeFile(dir.filePath("grid.csv"), text);
    for (const int option : {0, 3}) {
        GridData grid;
        ASSERT_TRUE(grid.LoadDelimitedText(path, "", ",", "\r\n", option, ""));
        for (int n = 0; n < 150; ++n) {
            grid.SetCellText(int(random.bounded(12)), 1 + int(random.bounded(59)),
                             pieces[int(random.bounded(pieces.size()))]);
        }
        const std::vector<int> columns{0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11}; // 3 hidden
        for (const auto& [typed, options] :
             std::vector<std::pair<QString, CellMatcher::Options>>{{"1", {}},
                                                                   {"a1", {}},
                                                                   {"A1", {true, false}},
                                                                   {"11", {false, true}},
                                                                   {"1", {false, true}},
                                                                   {"ä1", {}},
                                                                   {"1,", {}}}) {
            int plain = 0;
            GridSearch::Count count;
            count.current = {7, 30};
            int plainOrdinal = 0;
            for (int row = 1; row <= grid.RowCount(); ++row) {
                for (const int column : columns) {
                    const QString shown = grid.ShownText(column, row);
                    const auto cs = options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
                    const bool match = options.wholeCell
                                           ? shown.compare(typed, cs) == 0
                                           : !typed.isEmpty() && shown.contains(typed, cs);
                    plain += match ? 1 : 0;
                    if (match && row == 30 && column == 7) {
                        plainOrdinal = plain;
                    }
                }
            }
            const GridSearch search(grid, columns, CellMatcher(typed, options));
            while (!search.countSome(count, 7)) {
            }
            EXPECT_EQ(count.total, plain) << option << " " << qPrintable(typed);
            EXPECT_EQ(count.ordinal, plainOrdinal) << option << " " << qPrintable(typed);
        }
    }
}

TEST(GridTimes, GoesToTheFirstRowAtOrAfterTheTimeTyped) {
    // Data log times as the reader rewrites them, across midnight; alarm times without seconds.
    const GridData log = gridOf({{"Date", "Time"},
                                 {"3/4/2024", "11:59:50 PM"},
                                 {"3/4/2024", "11:59:55 PM"},
                                 {"3/5/2024", "12:00:00 AM"},
                                 {"3/5/2024", "12:00:05 AM"},
                                 {"3/5/2024", "03:56:00 PM"},
                                 {"bad date", "04:00:00 PM"},
                                 {"3/5/2024", "04:10:00 PM"}});
    const double march5 = dateSerial(2024, 3, 5);
    const struct {
        const char* typed;
        int row; // 0: none; -1: not read as a date and time
    } cases[]{
        {"3/4/2024 8:00", 1},
        {"3/4/2024 23:59:52", 2},
        {"3/5/2024 00:00", 3},
        {"2024-03-05T00:00:01", 4},
        {"2024-03-05 15:56", 5},
        {"3/5/2024 3:56 PM", 5},
        {"3/5/24 03:56:00.001 PM", 7},
        {"00:00:03", 4},
        {"  2024-3-5T16:10  ", 7},
        {"3/6/2024", 0},
        {"15:56 tomorrow", -1},
        {"T15:56", -1},
        {"42", -1},
    };
    for (const auto& c : cases) {
        const auto when = parseGoToTime(QString::fromUtf8(c.typed), march5);
        ASSERT_EQ(when.has_value(), c.row >= 0) << c.typed;
        if (when) {
            EXPECT_EQ(firstRowAtOrAfter(log, 0, 1, *when), c.row) << c.typed;
        }
    }
    const GridData alarms = gridOf({{"Alarm#", "Alarm Description", "Date", "Time"},
                                    {"", "High Temp Zone 1", "3/4/2024", "02:07 PM"}});
    EXPECT_EQ(firstRowAtOrAfter(alarms, 2, 3, dateSerial(2024, 3, 4) + timeSerial(14, 7, 0)), 1);
    EXPECT_EQ(firstRowAtOrAfter(alarms, 2, 3, dateSerial(2024, 3, 4) + timeSerial(14, 7, 1)), 0);
}

TEST(SafeFileName, PrintTitlesBecomeFileNames) {
    EXPECT_EQ(safeFileName(u"Data History Printout At: 12/6/2026 9:27:20 AM"),
              "Data History Printout At 12-6-2026 9-27-20 AM");
    EXPECT_EQ(safeFileName(u" a\\b*c?d\"e<f>g|h\ti. "), "a-b-c-d-e-f-g-h-i");
    EXPECT_EQ(safeFileName(u" .. "), "");
}
