// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/recordfiles/GridFindBar.h"

#include "ui/recordfiles/GridModel.h"
#include "ui/recordfiles/GridNavigation.h"
#include "ui/recordfiles/SpreadGrid.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QToolButton>

namespace tarvex {
namespace {

// Rows counted between looks at the clock, and the time a slice may take before the window gets
// its turn again.
constexpr int kRowsPerLook = 256;
constexpr qint64 kSliceMs = 10;

QToolButton* arrowButton(QWidget* parent, Qt::ArrowType arrow, const QString& tip) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

QString number(int n) {
    return QLocale(QLocale::English).toString(n);
}

} // namespace

GridFindBar::GridFindBar(SpreadGrid& grid)
    : GridOverlayBar(grid), matchCase_(new QCheckBox(QStringLiteral("Match &case"), this)),
      wholeCell_(new QCheckBox(QStringLiteral("&Whole cell"), this)) {
    setObjectName(QStringLiteral("findBar"));
    textBox()->setPlaceholderText(QStringLiteral("Find"));
    textBox()->setAccessibleName(QStringLiteral("Find"));
    textBox()->installEventFilter(this);
    auto* previous = arrowButton(this, Qt::UpArrow, QStringLiteral("Previous match (Shift+F3)"));
    auto* next = arrowButton(this, Qt::DownArrow, QStringLiteral("Next match (F3)"));
    controls()->addWidget(previous);
    controls()->addWidget(next);
    controls()->addWidget(matchCase_);
    controls()->addWidget(wholeCell_);
    connect(previous, &QToolButton::clicked, this, [this] { find(false); });
    connect(next, &QToolButton::clicked, this, [this] { find(true); });
    connect(textBox(), &QLineEdit::textChanged, this, &GridFindBar::restart);
    connect(matchCase_, &QCheckBox::toggled, this, &GridFindBar::restart);
    connect(wholeCell_, &QCheckBox::toggled, this, &GridFindBar::restart);

    countTimer_.setSingleShot(true);
    connect(&countTimer_, &QTimer::timeout, this, &GridFindBar::countSlice);
    // A grid that changes under an open bar is searched again once it has settled.
    changeTimer_.setSingleShot(true);
    changeTimer_.setInterval(GridModel::kFlushIntervalMs * 2);
    connect(&changeTimer_, &QTimer::timeout, this, &GridFindBar::gridChanged);
    const QAbstractItemModel* model = grid.model();
    const auto changed = [this] {
        if (isVisible()) {
            changeTimer_.start();
        }
    };
    connect(model, &QAbstractItemModel::modelReset, this, changed);
    connect(model, &QAbstractItemModel::rowsInserted, this, changed);
    connect(model, &QAbstractItemModel::rowsRemoved, this, changed);
    connect(model, &QAbstractItemModel::columnsInserted, this, changed);
    connect(model, &QAbstractItemModel::columnsRemoved, this, changed);
    connect(model, &QAbstractItemModel::dataChanged, this,
            [changed](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                if (roles.isEmpty() || roles.contains(Qt::DisplayRole)) {
                    changed();
                }
            });
}

bool GridFindBar::hasText() const {
    return !textBox()->text().isEmpty();
}

bool GridFindBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == textBox() && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            find(!key->modifiers().testFlag(Qt::ShiftModifier));
            return true;
        }
    }
    return GridOverlayBar::eventFilter(watched, event);
}

void GridFindBar::rebuildSearch() {
    const CellMatcher matcher(textBox()->text(),
                              {matchCase_->isChecked(), wholeCell_->isChecked()});
    search_ = std::make_shared<const GridSearch>(grid().gridData(), shownColumns(grid()), matcher);
    grid().model()->setHighlight(hasText() ? search_ : nullptr);
}

// Typing searches from the start of the row where the search began; once the user has moved to
// another cell, from that cell's row.
void GridFindBar::restart() {
    if (!current_ || currentPlace(grid()) != shownAt_) {
        anchorRow_ = currentPlace(grid()).row;
    }
    rebuildSearch();
    findFrom({-1, anchorRow_}, true);
}

void GridFindBar::find(bool forward) {
    if (!search_) {
        rebuildSearch();
    }
    const bool stayed = current_ && currentPlace(grid()) == shownAt_;
    findFrom(stayed ? *current_ : currentPlace(grid()), forward);
}

void GridFindBar::findFrom(GridPlace after, bool forward) {
    countTimer_.stop();
    current_.reset();
    if (!hasText()) {
        setStatus({});
        return;
    }
    bool wrapped = false;
    const std::optional<GridPlace> found = search_->next(after, forward, wrapped);
    if (!found) {
        setStatus(QStringLiteral("No matches"), true);
        return;
    }
    wrapNote_ = !wrapped  ? QString()
                : forward ? QStringLiteral(", wrapped to the top")
                          : QStringLiteral(", wrapped to the bottom");
    showPlace(grid(), *found, this);
    current_ = found;
    shownAt_ = currentPlace(grid());
    count_ = {};
    count_.current = *found;
    countSlice();
}

void GridFindBar::countSlice() {
    if (!search_) {
        return;
    }
    QElapsedTimer clock;
    clock.start();
    bool done = search_->countSome(count_, kRowsPerLook);
    while (!done && clock.elapsed() < kSliceMs) {
        done = search_->countSome(count_, kRowsPerLook);
    }
    if (!done) {
        countTimer_.start(0);
    }
    showCount();
}

void GridFindBar::showCount() {
    if (!current_) {
        return;
    }
    if (countTimer_.isActive()) {
        setStatus(QStringLiteral("Counting") + wrapNote_);
        return;
    }
    setStatus(number(count_.ordinal) + QStringLiteral(" of ") + number(count_.total) + wrapNote_);
}

void GridFindBar::gridChanged() {
    if (!isVisible() || !hasText()) {
        return;
    }
    rebuildSearch();
    if (current_ && search_->matches(*current_)) {
        count_ = {};
        count_.current = *current_;
        countSlice();
    } else {
        restart();
    }
}

void GridFindBar::dismissed() {
    countTimer_.stop();
    changeTimer_.stop();
    grid().model()->setHighlight(nullptr);
    search_.reset();
}

} // namespace tarvex
