// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/recordfiles/GridModel.h"

#include "core/common/ValueConvert.h"
#include "core/common/Windows1252.h"
#include "core/recordfiles/GridData.h"
#include "core/recordfiles/GridSearch.h"

#include <QBrush>

#include <algorithm>

namespace tarvex {
namespace {

const QColor kHighlight(255, 230, 120);

} // namespace

GridModel::GridModel(const GridData& data, QObject* parent)
    : QAbstractTableModel(parent), data_(data), rows_(data.RowCount()),
      columns_(data.ColumnCount()) {
    flushTimer_.setSingleShot(true);
    connect(&flushTimer_, &QTimer::timeout, this, &GridModel::flushChanges);
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QString GridModel::shownText(const GridData& data, int column, int row) {
    // Only the shown part is decoded: a cell of many megabytes would otherwise cost its whole
    // length on every repaint.
    const QByteArrayView bytes = data.CellBytes(column, row);
    if (bytes.size() > kMaxShownChars) {
        return fromWindows1252(bytes.first(kMaxShownChars));
    }
    return data.ShownText(column, row);
}

QString GridModel::shown(int column, int row) const {
    return shownText(data_, column, row);
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return shown(index.column() + 1, index.row() + 1);
    }
    if (role == Qt::ToolTipRole) {
        return rowToolTip(index.row() + 1);
    }
    if (role == Qt::BackgroundRole && highlight_ &&
        highlight_->matches({index.column() + 1, index.row() + 1})) {
        return QBrush(kHighlight);
    }
    if (role == Qt::TextAlignmentRole && rightAlignNumbers_) {
        const QByteArrayView bytes = data_.CellBytes(index.column() + 1, index.row() + 1);
        const bool number = bytes.size() < 64 && parseNumber(QString::fromLatin1(bytes));
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    return {};
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section < 0) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return orientation == Qt::Horizontal ? shown(section + 1, 0) : shown(0, section + 1);
    }
    if (role == Qt::BackgroundRole && orientation == Qt::Vertical && highlight_ &&
        highlight_->matches({0, section + 1})) {
        return QBrush(kHighlight);
    }
    // A centred title wider than its column loses both ends; the tooltip holds it whole.
    if (role == Qt::ToolTipRole && orientation == Qt::Horizontal) {
        const QString title = shown(section + 1, 0);
        return title.isEmpty() ? QVariant() : QVariant(title);
    }
    if (role == Qt::ToolTipRole) {
        return rowToolTip(section + 1);
    }
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void GridModel::reload() {
    flushTimer_.stop();
    flushScheduled_ = false;
    countsPending_ = false;
    beginResetModel();
    rowToolTips_.clear();
    rows_ = data_.RowCount();
    columns_ = data_.ColumnCount();
    dirtyLeft_ = 1;
    dirtyRight_ = 0;
    endResetModel();
    sinceFlush_.start();
    emit cornerChanged();
}

void GridModel::countsChanged() {
    countsPending_ = true;
    scheduleFlush();
}

void GridModel::scheduleFlush() {
    if (flushScheduled_) {
        return;
    }
    flushScheduled_ = true;
    const qint64 since = sinceFlush_.isValid() ? sinceFlush_.elapsed() : kFlushIntervalMs;
    flushTimer_.start(static_cast<int>(std::max<qint64>(0, kFlushIntervalMs - since)));
}

void GridModel::syncCounts() {
    const int rows = data_.RowCount();
    const int columns = data_.ColumnCount();
    if (rows > rows_) {
        beginInsertRows({}, rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    } else if (rows < rows_) {
        beginRemoveRows({}, rows, rows_ - 1);
        rows_ = rows;
        endRemoveRows();
    }
    if (columns > columns_) {
        beginInsertColumns({}, columns_, columns - 1);
        columns_ = columns;
        endInsertColumns();
    } else if (columns < columns_) {
        beginRemoveColumns({}, columns, columns_ - 1);
        columns_ = columns;
        endRemoveColumns();
    }
}

void GridModel::cellsChanged(int firstColumn, int firstRow, int lastColumn, int lastRow) {
    if (dirtyLeft_ > dirtyRight_) {
        dirtyLeft_ = firstColumn;
        dirtyTop_ = firstRow;
        dirtyRight_ = lastColumn;
        dirtyBottom_ = lastRow;
    } else {
        dirtyLeft_ = std::min(dirtyLeft_, firstColumn);
        dirtyTop_ = std::min(dirtyTop_, firstRow);
        dirtyRight_ = std::max(dirtyRight_, lastColumn);
        dirtyBottom_ = std::max(dirtyBottom_, lastRow);
    }
    scheduleFlush();
}

void GridModel::flushChanges() {
    flushTimer_.stop();
    flushScheduled_ = false;
    sinceFlush_.start();
    if (countsPending_) {
        countsPending_ = false;
        syncCounts();
    }
    announceCells();
}

void GridModel::announceCells() {
    if (dirtyLeft_ > dirtyRight_) {
        return;
    }
    const int left = std::max(dirtyLeft_, 0);
    const int top = std::max(dirtyTop_, 0);
    const int right = std::min(dirtyRight_, columns_);
    const int bottom = std::min(dirtyBottom_, rows_);
    dirtyLeft_ = 1;
    dirtyRight_ = 0;
    if (top == 0 && right >= std::max(left, 1)) {
        emit headerDataChanged(Qt::Horizontal, std::max(left, 1) - 1, right - 1);
    }
    if (left == 0 && bottom >= std::max(top, 1)) {
        emit headerDataChanged(Qt::Vertical, std::max(top, 1) - 1, bottom - 1);
    }
    if (left == 0 && top == 0) {
        emit cornerChanged();
    }
    if (right >= std::max(left, 1) && bottom >= std::max(top, 1)) {
        emit dataChanged(index(std::max(top, 1) - 1, std::max(left, 1) - 1),
                         index(bottom - 1, right - 1), {Qt::DisplayRole});
    }
}

void GridModel::setHighlight(std::shared_ptr<const GridSearch> search) {
    if (!highlight_ && !search) {
        return;
    }
    highlight_ = std::move(search);
    if (rows_ > 0 && columns_ > 0) {
        emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1), {Qt::BackgroundRole});
    }
    if (rows_ > 0) {
        emit headerDataChanged(Qt::Vertical, 0, rows_ - 1);
    }
}

void GridModel::setRightAlignNumbers(bool on) {
    if (on != rightAlignNumbers_) {
        rightAlignNumbers_ = on;
        if (rows_ > 0 && columns_ > 0) {
            emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1), {Qt::TextAlignmentRole});
        }
    }
}

void GridModel::setRowToolTip(int row, const QString& text) {
    if (text.isEmpty()) {
        rowToolTips_.erase(row);
    } else {
        rowToolTips_[row] = text;
    }
}

QVariant GridModel::rowToolTip(int row) const {
    const auto found = rowToolTips_.find(row);
    return found == rowToolTips_.end() ? QVariant() : QVariant(found->second);
}

void GridModel::dropRowToolTips(int firstRow, int lastRow) {
    if (firstRow > lastRow) {
        return;
    }
    rowToolTips_.erase(rowToolTips_.lower_bound(firstRow), rowToolTips_.upper_bound(lastRow));
}

} // namespace tarvex
