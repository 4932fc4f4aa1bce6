// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/recordfiles/GridCells.h"
#include "core/recordfiles/RecordLayouts.h"

#include <QByteArrayView>

#include <functional>
#include <vector>

namespace tarvex {

// The CSV export of a record file made a line at a time from its text: the bytes that
// loadRecordFile() followed by saveRecordText() write through a grid, without the grid's
// storage (a reference per field), so that memory stays at the text plus one row.
class RecordExport {
public:
    enum class Problem {
        None,
        CrowdedLine,    // a line of more than GridCells::kMaxFields fields (error 6)
        TooManyLines,   // more than GridCells::kMaxLines lines (error 6)
        TooManyRecords, // past the 16-bit row count of a data log or alarm history (error 6)
        TooLarge,       // more bytes than a grid holds (the grid's load answers false)
    };

    // Examines the text; nothing is copied, so it must outlive the object.
    RecordExport(RecordKind kind, QByteArrayView text);

    [[nodiscard]] Problem problem() const { return problem_; }
    // The line (from 1) of a CrowdedLine.
    [[nodiscard]] qsizetype problemLine() const { return shape_.crowdedLine + 1; }

    // Hands the export to `sink` in pieces of about 1 MiB (a larger field as a piece of its
    // own); stops when it answers false. Only without a problem.
    bool write(const std::function<bool(QByteArrayView piece)>& sink) const;

private:
    class Pieces;
    void appendRow(Pieces& out, int row, QByteArrayView line) const;

    RecordKind kind_;
    QByteArrayView text_;
    GridCells::TextShape shape_;
    int columns_ = 0; // the grid's ColumnCount
    Problem problem_ = Problem::None;
    std::vector<QByteArray> titles_;             // what the viewer writes into row 0
    mutable std::vector<QByteArrayView> fields_; // of the row being written
};

} // namespace tarvex
