// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/recordfiles/EncipheredFileReader.h"

#include "core/common/Int16.h"
#include "core/common/TvError.h"
#include "core/integrity/EncipheredFile.h"
#include "core/recordfiles/FileKind.h"
#include "core/recordfiles/PathFunctions.h"
#include "ui/recordfiles/SpreadGrid.h"
#include "ui/shell/DoEvents.h"
#include "ui/shell/ErrorHandling.h"
#include "ui/shell/Forms.h"
#include "ui/shell/Screen.h"
#include "ui/shell/SharedState.h"
#include "ui/shell/StatusSink.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPointer>

#include <array>
#include <cstdint>
#include <vector>

namespace tarvex {
namespace {

// Letting window events run costs about as much as deciphering a line, so within the loop it
// happens once a slice of this length has passed: the window stays responsive at a fraction
// of the cost.
constexpr qint64 kEventSliceMs = 5;
// Reading the clock for every line would cost a noticeable share of the line itself.
constexpr int kLinesPerClockCheck = 8;

constexpr std::array<double, 4> kTitleWidths{12, 12, 25, 100};

// Counts the loads started on a grid, so that a load can tell that a newer one took over.
unsigned startLoad(SpreadGrid& grid) {
    static constexpr const char* kProperty = "tarvexEncipheredLoad";
    const unsigned generation = grid.property(kProperty).toUInt() + 1;
    grid.setProperty(kProperty, generation);
    return generation;
}

unsigned currentLoad(const SpreadGrid& grid) {
    return grid.property("tarvexEncipheredLoad").toUInt();
}

void prepareGrid(SpreadGrid& grid, const EncipheredFileLoad& load) {
    grid.ClearBlock(0, 0, grid.ColumnCount(), grid.RowCount(), false);
    grid.setRowCount(0);
    grid.setPresentationNumberA(250);
    const std::array<QString, 4> titles{QStringLiteral("Date"), QStringLiteral("Time"),
                                        QStringLiteral("User Full Name"), load.column3Title};
    for (int c = 0; c < 4; ++c) {
        grid.SetCellText(c, 0, titles.at(c));
    }
    for (int c = 0; c < 4; ++c) {
        grid.setColumnWidth(c, kTitleWidths.at(c));
    }
    if (load.hideColumn4) {
        grid.setCurrentColumn(4);
        grid.setColumnHidden(true);
    }
}

void openForInput(QFile& file, const QString& path) {
    if (const std::int32_t error = openRegularFile(file, path, QIODevice::Unbuffered)) {
        throw TvError(error);
    }
}

// Fields of the record (its Windows-1252 bytes, as the grid keeps them) go to columns 0 and up
// of the row. An empty record gives no field: it writes nothing and leaves RowCount where it was.
void writeRecord(SpreadGrid& grid, std::int16_t row, QByteArrayView record,
                 std::vector<QByteArrayView>& fields) {
    if (record.isEmpty()) {
        return;
    }
    recordFields(record, fields);
    grid.setRowCount(row);
    int column = 0;
    for (const QByteArrayView field : fields) {
        grid.SetCellBytes(column++, row, field);
    }
}

// The state a load began in; events that ran since may have replaced it, or unloaded the window
// that holds the grid.
class LoadWatch {
public:
    LoadWatch(const SharedState& state, SpreadGrid& grid, const EncipheredFileLoad& load)
        : form_(Forms::formOf(&grid)), inForm_(!form_.isNull()), grid_(&grid),
          generation_(startLoad(grid)), recordPath_(&(state.*load.recordPath)),
          startPath_(*recordPath_) {}

    [[nodiscard]] bool superseded() const {
        return (inForm_ && !Forms::isLoaded(form_)) || grid_.isNull() ||
               currentLoad(*grid_) != generation_ || *recordPath_ != startPath_;
    }
    [[nodiscard]] const QString& recordPath() const { return startPath_; }

private:
    QPointer<QWidget> form_;
    bool inForm_;
    QPointer<SpreadGrid> grid_;
    unsigned generation_;
    const QString* recordPath_;
    QString startPath_;
};

// True when the load may go on: events were let run and nothing replaced the load.
bool letEventsRun(const LoadWatch& watch) {
    doEvents();
    if (watch.superseded()) {
        Screen::setMousePointer(Screen::vbDefault);
        return false;
    }
    return true;
}

// Lets window events run within the loop, once a slice has passed since they last ran.
class EventPass {
public:
    explicit EventPass(const LoadWatch& watch) : watch_(watch) { slice_.start(); }

    // True when the load may go on.
    bool run() {
        if (++lines_ % kLinesPerClockCheck != 0 || !slice_.hasExpired(kEventSliceMs)) {
            return true;
        }
        slice_.start();
        return letEventsRun(watch_);
    }

private:
    const LoadWatch& watch_;
    QElapsedTimer slice_;
    unsigned lines_ = 0;
};

void readIntoGrid(const SharedState& state, StatusSink& status, const EncipheredFileLoad& load,
                  QFile& file) {
    SpreadGrid& grid = *load.grid;
    const LoadWatch watch(state, grid, load);
    prepareGrid(grid, load);
    status.setStatusText(load.loadingText);
    Screen::setMousePointer(Screen::vbHourglass);
    const QString path = pathWithoutExtension(watch.recordPath()) + load.extension;
    if (!fileExists(path)) {
        Screen::setMousePointer(Screen::vbDefault);
        return;
    }
    openForInput(file, path);
    status.setStatusText(load.decryptingText);
    if (!letEventsRun(watch)) {
        return;
    }
    EncipheredFile records(file, cryptoLog(state));
    EventPass events(watch);
    std::vector<QByteArrayView> fields;
    std::int16_t n = 0;
    while (!records.atEnd()) {
        if (!events.run()) {
            return;
        }
        const QByteArray record = records.nextRecord();
        writeRecord(grid, toInt16(n + 1), record, fields);
        increment16(n);
    }
    file.close();
    grid.setPresentationFlagA(true);
    grid.setPresentationFlagB(true);
    grid.setPresentationNumberB(2);
    if (load.showFileWhenDone) {
        status.setStatusText(QStringLiteral("Current File is ") + watch.recordPath());
    }
    Screen::setMousePointer(Screen::vbDefault);
}

} // namespace

void loadEncipheredFile(const SharedState& state, StatusSink& status,
                        const EncipheredFileLoad& load) {
    QFile file; // closed on every way out
    if (!reportErrors(load.procName, [&] { readIntoGrid(state, status, load, file); })) {
        file.close();
        if (load.afterFailure) {
            load.afterFailure();
        }
    }
}

} // namespace tarvex
