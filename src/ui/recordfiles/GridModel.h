// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QElapsedTimer>
#include <QTimer>

#include <map>
#include <memory>

namespace tarvex {

class GridData;
class GridSearch;

// Shows a GridData to a QTableView: model row i is grid row i + 1 and model column j is grid
// column j + 1; grid row 0 and column 0 are the header data. The model keeps the counts that
// the views know, so that changes made to the data first are announced in the right order.
// Changes are announced together, at once when none were announced for a while and then at
// most every kFlushIntervalMs: readers that write a row per pass of the event loop would
// otherwise have the view lay out and repaint on every pass.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Texts longer than this are shown cut; the grid still holds them whole.
    static constexpr qsizetype kMaxShownChars = 1000;
    static constexpr int kFlushIntervalMs = 100;

    explicit GridModel(const GridData& data, QObject* parent = nullptr);

    // What a grid shows in a cell, the corner cell included: cut to kMaxShownChars.
    [[nodiscard]] static QString shownText(const GridData& data, int column, int row);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The whole content was replaced: announced at once.
    void reload();
    // Rows or columns were added or removed.
    void countsChanged();
    // Cells of the grid block (grid addressing, bounds inclusive) have new texts.
    void cellsChanged(int firstColumn, int firstRow, int lastColumn, int lastRow);
    // Announces what changed now.
    void flushChanges();

    void setRightAlignNumbers(bool on);

    // A tooltip over a whole row (grid addressing): its cells and its header. An empty text
    // removes it.
    void setRowToolTip(int row, const QString& text);
    // Removes the tooltips of rows first to last; they no longer speak for what the rows hold.
    void dropRowToolTips(int firstRow, int lastRow);
    // Cells that `search` matches get a highlight background, the header column's too; none
    // when it is null.
    void setHighlight(std::shared_ptr<const GridSearch> search);

signals:
    // The text of the corner cell (column 0, row 0) may have changed.
    void cornerChanged();

private:
    [[nodiscard]] QString shown(int column, int row) const;
    [[nodiscard]] QVariant rowToolTip(int row) const;
    void scheduleFlush();
    void syncCounts();
    void announceCells();

    const GridData& data_;
    int rows_ = 0;
    int columns_ = 0;
    bool rightAlignNumbers_ = false;
    std::map<int, QString> rowToolTips_;
    std::shared_ptr<const GridSearch> highlight_;
    bool countsPending_ = false;
    QTimer flushTimer_;
    // Whether flushTimer_ runs, kept here: asking the timer costs more than the change it guards
    // when cells are written by the hundred thousand.
    bool flushScheduled_ = false;
    QElapsedTimer sinceFlush_;
    // The block changed since the last announcement, in grid addressing; empty when left > right.
    int dirtyLeft_ = 1;
    int dirtyTop_ = 0;
    int dirtyRight_ = 0;
    int dirtyBottom_ = 0;
};

} // namespace tarvex
