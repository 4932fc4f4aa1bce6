#pragma once

#include <QAbstractTableModel>

namespace tarvex {

class GridData;

// Shows a GridData to a QTableView: model row i is grid row i + 1 and model column j is grid
// column j + 1; grid row 0 and column 0 are the header data. The model keeps the counts that
// the views know, so that changes made to the data first are announced in the right order
// (syncCounts). Changed cells are announced once per pass of the event loop, not per write.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Texts longer than this are shown cut; the grid still holds them whole.
    static constexpr qsizetype kMaxShownChars = 1000;

    explicit GridModel(const GridData& data, QObject* parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The whole content was replaced.
    void reload();
    // Announces rows and columns added or removed since the views last heard.
    void syncCounts();
    // Cells of the grid block (grid addressing, bounds inclusive) have new texts.
    void cellsChanged(int firstColumn, int firstRow, int lastColumn, int lastRow);
    // Announces changed cells now instead of on the next pass of the event loop.
    void flushChanges();

    void setRightAlignNumbers(bool on);

signals:
    // The text of the corner cell (column 0, row 0) may have changed.
    void cornerChanged();

private:
    [[nodiscard]] QString shown(int column, int row) const;

    const GridData& data_;
    int rows_ = 0;
    int columns_ = 0;
    bool rightAlignNumbers_ = false;
    bool flushQueued_ = false;
    // The block changed since the last announcement, in grid addressing; empty when left > right.
    int dirtyLeft_ = 1;
    int dirtyTop_ = 0;
    int dirtyRight_ = 0;
    int dirtyBottom_ = 0;
};

} // namespace tarvex
