// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/recordfiles/GridGoToBar.h"

#include "core/common/ValueFormat.h"
#include "core/recordfiles/GridTimes.h"
#include "ui/recordfiles/GridNavigation.h"
#include "ui/recordfiles/SpreadGrid.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

namespace tarvex {
namespace {

// The day a time typed alone falls on: the current row's, else the first dated row's.
double dayOfCurrentRow(const SpreadGrid& grid) {
    const GridRoles& roles = grid.roles();
    const GridData& data = grid.gridData();
    if (const auto at =
            rowDateTime(data, roles.dateColumn, roles.timeColumn, currentPlace(grid).row)) {
        return std::trunc(*at);
    }
    for (int row = 1; row <= data.RowCount(); ++row) {
        if (const auto at = rowDateTime(data, roles.dateColumn, roles.timeColumn, row)) {
            return std::trunc(*at);
        }
    }
    return 0;
}

} // namespace

GridGoToBar::GridGoToBar(SpreadGrid& grid) : GridOverlayBar(grid) {
    setObjectName(QStringLiteral("goToBar"));
    textBox()->setPlaceholderText(
        QStringLiteral("Go to date and time, such as 3/4/2024 15:56 or 2024-03-04T15:56"));
    textBox()->setAccessibleName(QStringLiteral("Go to date and time"));
    auto* go = new QPushButton(QStringLiteral("&Go"), this);
    go->setAutoDefault(false);
    controls()->addWidget(go);
    connect(go, &QPushButton::clicked, this, &GridGoToBar::go);
    connect(textBox(), &QLineEdit::returnPressed, this, &GridGoToBar::go);
}

void GridGoToBar::go() {
    const GridRoles& roles = grid().roles();
    const auto when = parseGoToTime(textBox()->text(), dayOfCurrentRow(grid()));
    if (!when) {
        setStatus(QStringLiteral("Not a date and time"), true);
        return;
    }
    const int row = firstRowAtOrAfter(grid().gridData(), roles.dateColumn, roles.timeColumn, *when);
    if (row == 0) {
        setStatus(QStringLiteral("No record at or after ") + generalDate(*when), true);
        return;
    }
    showPlace(grid(), {roles.timeColumn, row}, this);
    setStatus(QStringLiteral("Row ") + QString::number(row));
}

} // namespace tarvex
