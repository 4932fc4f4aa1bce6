// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/recordfiles/GridNavigation.h"

#include "ui/recordfiles/GridFindBar.h"
#include "ui/recordfiles/GridGoToBar.h"
#include "ui/recordfiles/SpreadGrid.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QShortcut>
#include <QTableView>

namespace tarvex {
namespace {

template <class Bar> Bar& barOf(SpreadGrid& grid) {
    if (auto* bar = grid.findChild<Bar*>(QString(), Qt::FindDirectChildrenOnly)) {
        return *bar;
    }
    return *new Bar(grid);
}

void addKey(SpreadGrid& grid, const QKeySequence& key, void (*action)(SpreadGrid&)) {
    auto* shortcut = new QShortcut(key, &grid);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(shortcut, &QShortcut::activated, &grid, [&grid, action] { action(grid); });
}

void findAgain(SpreadGrid& grid, bool forward) {
    auto& bar = barOf<GridFindBar>(grid);
    if (bar.hasText()) {
        bar.open(false);
        bar.find(forward);
    } else {
        bar.open(true);
    }
}

// The first data column the grid shows, for the current cell of a row found by its header.
int firstShownDataColumn(const SpreadGrid& grid) {
    for (int c = 0; c < grid.view()->model()->columnCount(); ++c) {
        if (!grid.view()->isColumnHidden(c)) {
            return c;
        }
    }
    return 0;
}

} // namespace

void installGridNavigation(SpreadGrid& grid) {
    addKey(grid, QKeySequence(Qt::CTRL | Qt::Key_F),
           [](SpreadGrid& g) { barOf<GridFindBar>(g).open(true); });
    addKey(grid, QKeySequence(Qt::Key_F3), [](SpreadGrid& g) { findAgain(g, true); });
    addKey(grid, QKeySequence(Qt::SHIFT | Qt::Key_F3), [](SpreadGrid& g) { findAgain(g, false); });
    addKey(grid, QKeySequence(Qt::CTRL | Qt::Key_G), [](SpreadGrid& g) {
        if (g.roles().hasDateTime()) {
            barOf<GridGoToBar>(g).open(true);
        }
    });
}

std::vector<int> shownColumns(const SpreadGrid& grid) {
    std::vector<int> columns;
    if (!grid.view()->verticalHeader()->isHidden()) {
        columns.push_back(0);
    }
    for (int c = 1; c <= grid.view()->model()->columnCount(); ++c) {
        if (!grid.view()->isColumnHidden(c - 1)) {
            columns.push_back(c);
        }
    }
    return columns;
}

GridPlace currentPlace(const SpreadGrid& grid) {
    const QModelIndex current = grid.view()->currentIndex();
    return current.isValid() ? GridPlace{current.column() + 1, current.row() + 1} : GridPlace{1, 1};
}

void showPlace(SpreadGrid& grid, GridPlace place, const QWidget* bar) {
    QTableView& view = *grid.view();
    grid.updateView(); // the view must know the row
    const int column = place.column == 0 ? firstShownDataColumn(grid) : place.column - 1;
    const QModelIndex index = view.model()->index(place.row - 1, column);
    if (!index.isValid()) {
        return;
    }
    QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
    if (place.column == 0) {
        flags |= QItemSelectionModel::Rows;
    }
    view.selectionModel()->setCurrentIndex(index, flags);
    view.scrollTo(index);
    // A cell under the bar is brought up to the middle of the view.
    const QRect cell = view.visualRect(index);
    const int barTop =
        bar != nullptr && bar->isVisible()
            ? view.viewport()->mapFrom(bar->parentWidget(), bar->geometry().topLeft()).y()
            : view.viewport()->height();
    if (cell.bottom() >= barTop) {
        view.scrollTo(index, QAbstractItemView::PositionAtCenter);
    }
}

} // namespace tarvex
