// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/recordfiles/SpreadGrid.h"

#include "core/common/Windows1252.h"
#include "ui/recordfiles/GridClipboard.h"
#include "ui/recordfiles/GridModel.h"
#include "ui/shell/DoEvents.h"
#include "ui/shell/ReadableLinesStyle.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace tarvex {
namespace {

constexpr int kCellPadding = 3; // pixels on each side of a cell's text
// Measured widths look at the first rows and columns only, so a large load costs nothing extra.
constexpr int kWidthSampleRows = 20;
constexpr int kWidthSampleColumns = 256;
constexpr qsizetype kWidthSampleChars = 100;
constexpr double kMinMeasuredWidth = 4;
constexpr double kMaxMeasuredWidth = 40;

} // namespace

SpreadGrid::SpreadGrid(QWidget* parent)
    : QWidget(parent), view_(new QTableView(this)), model_(new GridModel(data_, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    view_->setModel(model_);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setSelectionBehavior(QAbstractItemView::SelectItems);
    view_->setWordWrap(false);
    ReadableLinesStyle::applyTo(view_);
    // Rows never size to their contents: that would read every cell of a large grid.
    QHeaderView* rows = view_->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(view_->fontMetrics().height() + 2 * kCellPadding);
    view_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    view_->horizontalHeader()->setDefaultSectionSize(widthPixels(defaultWidth_));
    view_->installEventFilter(this); // Ctrl+C
    // A large file loads in steps with window events between them: the window never freezes.
    data_.setLoadPause([] { doEvents(); });
    corner_ = view_->findChild<QAbstractButton*>();
    if (corner_ != nullptr) {
        corner_->installEventFilter(this);
    }
    connect(model_, &GridModel::cornerChanged, this, [this] {
        if (corner_ != nullptr) {
            corner_->update();
        }
    });
    connect(model_, &QAbstractItemModel::modelReset, this,
            [this] { applyColumns(0, ColumnCount()); });
    connect(model_, &QAbstractItemModel::columnsInserted, this,
            [this](const QModelIndex&, int first, int last) { applyColumns(first + 1, last + 1); });
}

// The view and the model read data_, which dies before QWidget would delete its children.
SpreadGrid::~SpreadGrid() {
    delete view_;
    delete model_;
}

void SpreadGrid::updateView() {
    model_->flushChanges();
}

bool SpreadGrid::LoadDelimitedText(const QString& path, const QString& textQualifier,
                                   const QString& fieldSeparator, const QString& lineSeparator,
                                   int option, const QString& logFileName) {
    if (!data_.LoadDelimitedText(path, textQualifier, fieldSeparator, lineSeparator, option,
                                 logFileName)) {
        return false;
    }
    measureColumnWidths();
    model_->reload();
    return true;
}

bool SpreadGrid::SaveDelimitedText(const QString& path, const QString& textQualifier,
                                   const QString& fieldSeparator, const QString& lineSeparator,
                                   int option, const QString& logFileName,
                                   const QStringList& neverReplace) const {
    return data_.SaveDelimitedText(path, textQualifier, fieldSeparator, lineSeparator, option,
                                   logFileName, neverReplace);
}

bool SpreadGrid::GetCellValue(int column, int row, tarvex::CellValue& value) const {
    return data_.GetCellValue(column, row, value);
}

bool SpreadGrid::SetCellText(int column, int row, const QString& text) {
    return announceCell(data_.SetCellText(column, row, text), column, row);
}

bool SpreadGrid::SetCellBytes(int column, int row, QByteArrayView bytes) {
    return announceCell(data_.SetCellBytes(column, row, bytes), column, row);
}

bool SpreadGrid::announceCell(bool written, int column, int row) {
    if (written) {
        model_->countsChanged();
        model_->cellsChanged(column, row, column, row);
    }
    return written;
}

void SpreadGrid::ClearBlock(int firstColumn, int firstRow, int lastColumn, int lastRow,
                            bool clearFormats) {
    data_.ClearBlock(firstColumn, firstRow, lastColumn, lastRow, clearFormats);
    model_->cellsChanged(0, 0, ColumnCount(), RowCount());
    const bool allRows = firstRow == -1 || lastRow == -1;
    model_->dropRowToolTips(allRows ? 0 : std::min(firstRow, lastRow),
                            allRows ? RowCount() : std::max(firstRow, lastRow));
}

void SpreadGrid::setRowCount(int rows) {
    data_.setRowCount(rows);
    model_->countsChanged();
    model_->dropRowToolTips(RowCount() + 1, GridData::kMaxIndex);
}

void SpreadGrid::setRowToolTip(int row, const QString& text) {
    if (row >= 1 && row <= RowCount()) {
        model_->setRowToolTip(row, text);
    }
}

void SpreadGrid::setColumnCount(int columns) {
    data_.setColumnCount(columns);
    model_->countsChanged();
}

double SpreadGrid::characterPixels() const {
    return QFontMetricsF(view_->font()).horizontalAdvance(QLatin1Char('0'));
}

int SpreadGrid::widthPixels(double characters) const {
    return static_cast<int>(std::lround(characters * characterPixels())) + 2 * kCellPadding;
}

void SpreadGrid::setColumnWidth(int column, double characters) {
    characters = std::max(characters, 0.0);
    if (column == -1) {
        defaultWidth_ = characters;
        widths_.assign(std::max<std::size_t>(widths_.size(), 1), -1);
        widths_[0] = characters;
        view_->horizontalHeader()->setDefaultSectionSize(widthPixels(characters));
        applyWidth(0);
        return;
    }
    if (column < 0 || column > GridData::kMaxIndex) {
        return;
    }
    if (std::size_t(column) >= widths_.size()) {
        widths_.resize(std::size_t(column) + 1, -1);
    }
    widths_[column] = characters;
    applyWidth(column);
}

double SpreadGrid::ColumnWidth(int column) const {
    if (column >= 0 && std::size_t(column) < widths_.size() && widths_[column] >= 0) {
        return widths_[column];
    }
    if (column == 0) {
        const int pixels = view_->verticalHeader()->sizeHint().width() - 2 * kCellPadding;
        return std::max(pixels, 0) / characterPixels();
    }
    return defaultWidth_;
}

void SpreadGrid::applyWidth(int column) {
    const bool set = std::size_t(column) < widths_.size() && widths_[column] >= 0;
    if (column == 0) {
        QHeaderView* header = view_->verticalHeader();
        if (set) {
            header->setFixedWidth(widthPixels(widths_[0]));
        } else {
            header->setMinimumWidth(0);
            header->setMaximumWidth(QWIDGETSIZE_MAX);
        }
    } else if (column <= ColumnCount()) {
        view_->horizontalHeader()->resizeSection(column - 1, set ? widthPixels(widths_[column])
                                                                 : widthPixels(defaultWidth_));
    }
}

void SpreadGrid::measureColumnWidths() {
    const int columns = std::min(ColumnCount(), kWidthSampleColumns);
    const int rows = std::min(RowCount(), kWidthSampleRows);
    const QFontMetricsF metrics(view_->font());
    const double perCharacter = characterPixels();
    widths_.assign(std::size_t(columns) + 1, -1);
    for (int c = 1; c <= columns; ++c) {
        double widest = 0;
        for (int r = 0; r <= rows; ++r) {
            const QByteArrayView bytes = data_.CellBytes(c, r);
            const QString sample =
                fromWindows1252(bytes.first(std::min(bytes.size(), kWidthSampleChars)));
            widest = std::max(widest, metrics.horizontalAdvance(sample));
        }
        widths_[c] = std::clamp(widest / perCharacter + 1, kMinMeasuredWidth, kMaxMeasuredWidth);
    }
}

// Settings kept by column number reach the view when the column exists there.
void SpreadGrid::applyColumns(int firstColumn, int lastColumn) {
    const int known = static_cast<int>(std::max(widths_.size(), hidden_.size())) - 1;
    for (int c = firstColumn; c <= std::min(lastColumn, known); ++c) {
        applyWidth(c);
        const bool hidden = std::size_t(c) < hidden_.size() && hidden_[c];
        if (c == 0) {
            view_->verticalHeader()->setVisible(!hidden);
        } else {
            view_->setColumnHidden(c - 1, hidden);
        }
    }
}

QString SpreadGrid::CellText() const {
    return data_.CellText(currentColumn_, currentRow_);
}

tarvex::CellValue SpreadGrid::CellValue() const {
    tarvex::CellValue value;
    data_.GetCellValue(currentColumn_, currentRow_, value);
    return value;
}

void SpreadGrid::setColumnHidden(bool hidden) {
    const int first = currentColumn_ == -1 ? 0 : currentColumn_;
    const int last = currentColumn_ == -1 ? ColumnCount() : currentColumn_;
    if (first < 0 || last > GridData::kMaxIndex) {
        return;
    }
    if (std::size_t(last) >= hidden_.size()) {
        hidden_.resize(std::size_t(last) + 1, false);
    }
    std::fill(hidden_.begin() + first, hidden_.begin() + last + 1, hidden);
    applyColumns(first, std::min(last, ColumnCount()));
}

bool SpreadGrid::ColumnHidden() const {
    return currentColumn_ >= 0 && std::size_t(currentColumn_) < hidden_.size() &&
           hidden_[currentColumn_];
}

QItemSelection SpreadGrid::selectedBlocks() const {
    return view_->selectionModel() != nullptr ? view_->selectionModel()->selection()
                                              : QItemSelection();
}

int SpreadGrid::SelectionCount() const {
    return static_cast<int>(selectedBlocks().size());
}

bool SpreadGrid::GetSelection(int index, int& firstColumn, int& firstRow, int& lastColumn,
                              int& lastRow) const {
    const QItemSelection blocks = selectedBlocks();
    if (index < 0 || index >= blocks.size()) {
        return false;
    }
    const QItemSelectionRange& block = blocks.at(index);
    const bool wholeColumns = block.top() == 0 && block.bottom() == model_->rowCount() - 1;
    const bool wholeRows = block.left() == 0 && block.right() == model_->columnCount() - 1;
    firstColumn = wholeRows ? -1 : block.left() + 1;
    lastColumn = wholeRows ? -1 : block.right() + 1;
    firstRow = wholeColumns ? -1 : block.top() + 1;
    lastRow = wholeColumns ? -1 : block.bottom() + 1;
    return true;
}

bool SpreadGrid::IsBlockSelected() const {
    const QItemSelection blocks = selectedBlocks();
    return std::any_of(blocks.begin(), blocks.end(), [](const QItemSelectionRange& block) {
        return block.width() > 1 || block.height() > 1;
    });
}

QRect SpreadGrid::latestBlock() const {
    const QItemSelection blocks = selectedBlocks();
    if (blocks.isEmpty()) {
        return {};
    }
    const QItemSelectionRange& block = blocks.last();
    return {QPoint(block.left() + 1, block.top() + 1),
            QPoint(block.right() + 1, block.bottom() + 1)};
}

int SpreadGrid::ActiveColumn() const {
    return latestBlock().isNull() ? 0 : latestBlock().left();
}

int SpreadGrid::ActiveRow() const {
    return latestBlock().isNull() ? 0 : latestBlock().top();
}

int SpreadGrid::SelectionEndColumn() const {
    return latestBlock().isNull() ? 0 : latestBlock().right();
}

int SpreadGrid::SelectionEndRow() const {
    return latestBlock().isNull() ? 0 : latestBlock().bottom();
}

void SpreadGrid::setPresentationFlagA(bool on) {
    presentationFlagA_ = on;
    view_->setAlternatingRowColors(on);
}

void SpreadGrid::setPresentationFlagB(bool on) {
    presentationFlagB_ = on;
    model_->setRightAlignNumbers(on);
}

bool SpreadGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == corner_ && event->type() == QEvent::Paint) {
        paintCorner();
        return true;
    }
    // The whole selection with its titles, not just the current cell as the view would.
    if (watched == view_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        copySelection(*this);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// The corner button draws an empty header section; the corner cell's text belongs there.
void SpreadGrid::paintCorner() {
    QStyleOptionHeader option;
    option.initFrom(corner_);
    option.rect = corner_->rect();
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.text = GridModel::shownText(data_, 0, 0);
    option.textAlignment = Qt::AlignCenter;
    QPainter painter(corner_);
    corner_->style()->drawControl(QStyle::CE_Header, &option, &painter, corner_);
}

} // namespace tarvex
