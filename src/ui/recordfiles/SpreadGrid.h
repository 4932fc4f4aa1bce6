// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/CellValue.h"
#include "core/recordfiles/GridData.h"
#include "core/recordfiles/GridRoles.h"

#include <QItemSelection>
#include <QRect>
#include <QWidget>

#include <optional>
#include <vector>

class QAbstractButton;
class QTableView;

namespace tarvex {

class GridModel;

// The spreadsheet grid component: one class for all six grids of the viewer. It owns its
// cells (a GridData) and shows them in a QTableView, row 0 as the column header, column 0 as
// the row header and cell (0, 0) in the corner. Addressing is column first, then row;
// column index -1 means every column.
class SpreadGrid : public QWidget {
    Q_OBJECT
public:
    explicit SpreadGrid(QWidget* parent = nullptr);
    ~SpreadGrid() override;

    [[nodiscard]] QTableView* view() const { return view_; }
    [[nodiscard]] GridModel* model() const { return model_; }
    [[nodiscard]] const GridData& gridData() const { return data_; }
    // The view follows changed cells and counts within a tenth of a second; this brings it
    // up to date at once.
    void updateView();

    // Content: as GridData describes it. A load resets the column widths to ones measured on
    // the first rows; hidden columns stay hidden.
    bool LoadDelimitedText(const QString& path, const QString& textQualifier,
                           const QString& fieldSeparator, const QString& lineSeparator, int option,
                           const QString& logFileName);
    [[nodiscard]] bool SaveDelimitedText(const QString& path, const QString& textQualifier,
                                         const QString& fieldSeparator,
                                         const QString& lineSeparator, int option,
                                         const QString& logFileName,
                                         const QStringList& neverReplace = {}) const;
    bool GetCellValue(int column, int row, tarvex::CellValue& value) const;
    bool SetCellText(int column, int row, const QString& text);
    bool SetCellBytes(int column, int row, QByteArrayView bytes);
    void ClearBlock(int firstColumn, int firstRow, int lastColumn, int lastRow,
                    bool clearFormats = false);
    [[nodiscard]] int RowCount() const { return data_.RowCount(); }
    void setRowCount(int rows);
    [[nodiscard]] int ColumnCount() const { return data_.ColumnCount(); }
    void setColumnCount(int columns);
    [[nodiscard]] int FilledColumnCount() const { return data_.FilledColumnCount(); }

    // A tooltip over a row of cells and its header (rows 1 to RowCount); an empty text removes
    // it. Clearing a row's cells, removing the row or loading the grid removes it too.
    void setRowToolTip(int row, const QString& text);

    // Widths in characters (of the digit "0" in the grid's font); -1 sets every column and
    // the width of columns added later.
    void setColumnWidth(int column, double characters);
    [[nodiscard]] double ColumnWidth(int column) const;

    // The current cell and the block end: they address CellText, CellValue, ColumnHidden and
    // the printed range. They do not move the selection.
    void setCurrentColumn(int column) { currentColumn_ = column; }
    [[nodiscard]] int CurrentColumn() const { return currentColumn_; }
    void setCurrentRow(int row) { currentRow_ = row; }
    [[nodiscard]] int CurrentRow() const { return currentRow_; }
    void setBlockEndColumn(int column) { blockEndColumn_ = column; }
    [[nodiscard]] int BlockEndColumn() const { return blockEndColumn_; }
    void setBlockEndRow(int row) { blockEndRow_ = row; }
    [[nodiscard]] int BlockEndRow() const { return blockEndRow_; }
    [[nodiscard]] QString CellText() const;
    // CellText read as a number; nothing when it does not read as one.
    [[nodiscard]] std::optional<double> CellNumber() const {
        return data_.CellNumber(currentColumn_, currentRow_);
    }
    [[nodiscard]] tarvex::CellValue CellValue() const;
    // Hides or shows the current column (every column when it is -1), also columns that the
    // grid does not have yet.
    void setColumnHidden(bool hidden);
    [[nodiscard]] bool ColumnHidden() const;

    // The user's selection as blocks in the order made. Rows -1: the block is whole columns;
    // columns -1: whole rows. IsBlockSelected: some block holds more than one cell. The
    // Active and SelectionEnd values are the first and last column and row of the latest
    // block, always as real numbers (whole columns give rows 1 to RowCount); ActiveRow is 0
    // when nothing is selected.
    [[nodiscard]] int SelectionCount() const;
    bool GetSelection(int index, int& firstColumn, int& firstRow, int& lastColumn,
                      int& lastRow) const;
    [[nodiscard]] bool IsBlockSelected() const;
    [[nodiscard]] int ActiveColumn() const;
    [[nodiscard]] int ActiveRow() const;
    [[nodiscard]] int SelectionEndColumn() const;
    [[nodiscard]] int SelectionEndRow() const;

    // Print settings. The grid keeps them; the printer reads them (PrintGrid is
    // printing/GridPrinter's printGrid).
    void setPrintTitleText(const QString& text) { printTitleText_ = text; }
    [[nodiscard]] QString PrintTitleText() const { return printTitleText_; }
    void setPrintFileText(const QString& text) { printFileText_ = text; }
    [[nodiscard]] QString PrintFileText() const { return printFileText_; }
    void setPrintPageText(const QString& text) { printPageText_ = text; }
    [[nodiscard]] QString PrintPageText() const { return printPageText_; }
    void setPrintRangeMode(int mode) { printRangeMode_ = mode; }
    [[nodiscard]] int PrintRangeMode() const { return printRangeMode_; }
    void setPrintOrientation(int orientation) { printOrientation_ = orientation; }
    [[nodiscard]] int PrintOrientation() const { return printOrientation_; }
    void setPrintFirstPage(int page) { printFirstPage_ = page; }
    [[nodiscard]] int PrintFirstPage() const { return printFirstPage_; }
    void setPrintLastPage(int page) { printLastPage_ = page; }
    [[nodiscard]] int PrintLastPage() const { return printLastPage_; }
    void setPrintSwitchA(bool on) { printSwitchA_ = on; }
    [[nodiscard]] bool PrintSwitchA() const { return printSwitchA_; }
    void setPrintSwitchB(bool on) { printSwitchB_ = on; }
    [[nodiscard]] bool PrintSwitchB() const { return printSwitchB_; }

    // What some columns mean to the printout and to going to a time; none until set.
    void setRoles(GridRoles roles) { roles_ = std::move(roles); }
    [[nodiscard]] const GridRoles& roles() const { return roles_; }

    // Presentation settings, set and never read back. Flag A shows rows in alternating colours,
    // flag B aligns numbers to the right; the others are kept and have no visible effect.
    void setPresentationFlagA(bool on);
    void setPresentationFlagB(bool on);
    void setPresentationFlagC(bool on) { presentationFlagC_ = on; }
    void setPresentationNumberA(int value) { presentationNumberA_ = value; }
    void setPresentationNumberB(int value) { presentationNumberB_ = value; }
    void setPresentationNumberC(int value) { presentationNumberC_ = value; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool announceCell(bool written, int column, int row);
    void applyColumns(int firstColumn, int lastColumn);
    void applyWidth(int column);
    void measureColumnWidths();
    [[nodiscard]] int widthPixels(double characters) const;
    [[nodiscard]] double characterPixels() const;
    void paintCorner();
    [[nodiscard]] QItemSelection selectedBlocks() const;
    // The latest block in grid addressing (column as x, row as y); null when none.
    [[nodiscard]] QRect latestBlock() const;

    GridData data_;
    QTableView* view_ = nullptr;
    GridModel* model_ = nullptr;
    QAbstractButton* corner_ = nullptr;

    std::vector<double> widths_; // by grid column; below 0: the default width
    std::vector<bool> hidden_;   // by grid column
    double defaultWidth_ = 9;

    int currentColumn_ = 1;
    int currentRow_ = 1;
    int blockEndColumn_ = 1;
    int blockEndRow_ = 1;

    QString printTitleText_;
    QString printFileText_;
    QString printPageText_;
    int printRangeMode_ = 0;
    int printOrientation_ = 0;
    int printFirstPage_ = 0;
    int printLastPage_ = 0;
    bool printSwitchA_ = false;
    bool printSwitchB_ = false;

    GridRoles roles_;

    bool presentationFlagA_ = false;
    bool presentationFlagB_ = false;
    bool presentationFlagC_ = false;
    int presentationNumberA_ = 0;
    int presentationNumberB_ = 0;
    int presentationNumberC_ = 0;
};

} // namespace tarvex
