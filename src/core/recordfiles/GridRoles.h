// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace tarvex {

// What some columns of a grid mean to the printout and to going to a time. Column 0 is the
// header column.
struct GridRoles {
    // Printed on every band of pages of a grid wider than a page, so that each page can be read
    // alone (the header column is printed on every band anyway).
    std::vector<int> keyColumns;
    // A long text that may wrap within its cell, narrowed to keep it beside the key columns.
    int wrapColumn = -1;
    // Where each row's date and its time of day are; -1 when the grid has none.
    int dateColumn = -1;
    int timeColumn = -1;

    [[nodiscard]] bool hasDateTime() const { return dateColumn >= 0 && timeColumn >= 0; }
};

// The roles of the four record grids: who and when beside what was recorded.
namespace RecordRoles {

inline GridRoles dataLog() {
    return {{0, 1}, -1, 0, 1}; // date (header column), time
}
// Operator events and audit trail: date (header column), time, user; then the message or action.
inline GridRoles userEvents() {
    return {{0, 1, 2}, 3, 0, 1};
}
inline GridRoles alarmHistory() {
    return {{0, 2, 3}, 1, 2, 3}; // alarm number (header column), date, time; the description
}

} // namespace RecordRoles

} // namespace tarvex
