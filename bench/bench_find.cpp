// SPDX-License-Identifier: GPL-3.0-or-later
// find-all: counting every match of a typed text in a 32,766 x 200 data log as the viewer's grid
// holds it (the time column rewritten), the header column included: what the find bar does to
// show "n of m". Reference: the plainest way, every shown cell decoded and searched as a QString.
#include "Bench.h"
#include "BenchFiles.h"

#include "core/recordfiles/GridData.h"
#include "core/recordfiles/GridSearch.h"
#include "ui/recordfiles/DataLogFile.h"
#include "ui/recordfiles/SpreadGrid.h"

#include <QElapsedTimer>

#include <numeric>

using namespace tarvex;

namespace {

constexpr int kChannels = 200;
// A value fragment: in many cells, and every cell must be read to its end to rule it out.
constexpr QStringView kTyped = u"12.3";

// Kept for the whole run: widgets must not outlive the application, so it is never deleted.
SpreadGrid* searchedGrid = nullptr;

std::vector<int> allColumns() {
    std::vector<int> columns(std::size_t(searchedGrid->ColumnCount()) + 1);
    std::iota(columns.begin(), columns.end(), 0);
    return columns;
}

int countAll(QStringView typed, CellMatcher::Options options) {
    const GridSearch search(searchedGrid->gridData(), allColumns(), CellMatcher(typed, options));
    GridSearch::Count count;
    search.countSome(count, searchedGrid->RowCount());
    return count.total;
}

void setUp() {
    searchedGrid = new SpreadGrid;
    loadDataLogGrid(*searchedGrid, bench::dataLogFile(kChannels, false));
    // Other texts a user types, once each: the first key of a search, a batch number, a whole cell.
    const struct {
        QStringView typed;
        CellMatcher::Options options;
    } others[]{{u"1", {}}, {u"B2403-042", {}}, {u"PM", {true, false}}, {u"123.45", {false, true}}};
    for (const auto& other : others) {
        QElapsedTimer clock;
        clock.start();
        const int matches = countAll(other.typed, other.options);
        bench::note("\"%s\"%s%s: %d matches in %lld ms", qPrintable(other.typed.toString()),
                    other.options.matchCase ? " match case" : "",
                    other.options.wholeCell ? " whole cell" : "", matches, clock.elapsed());
    }
    bench::note("\"%s\": %d matches", qPrintable(kTyped.toString()), countAll(kTyped, {}));
}

int countPlainly() {
    const GridData& data = searchedGrid->gridData();
    int matches = 0;
    for (int row = 1; row <= data.RowCount(); ++row) {
        for (int column = 0; column <= data.ColumnCount(); ++column) {
            matches += data.ShownText(column, row).contains(kTyped, Qt::CaseInsensitive) ? 1 : 0;
        }
    }
    return matches;
}

const bench::Registrar findAll{{
    .name = "find-all",
    .setup = setUp,
    .ours = [] { countAll(kTyped, {}); },
    .reference = [] { countPlainly(); },
    .runs = 11,
    .files = [] { bench::dataLogFile(kChannels, false); },
}};

} // namespace
