// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/recordfiles/GridOverlayBar.h"

#include "ui/recordfiles/SpreadGrid.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QStyle>
#include <QTableView>
#include <QToolButton>

namespace tarvex {

GridOverlayBar::GridOverlayBar(SpreadGrid& grid)
    : QFrame(&grid), grid_(grid), edit_(new QLineEdit(this)), status_(new QLabel(this)) {
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    row->addWidget(edit_, 1);
    controls_ = new QHBoxLayout;
    row->addLayout(controls_);
    row->addWidget(status_, 1);
    auto* close = new QToolButton(this);
    close->setIcon(QIcon::fromTheme(QStringLiteral("window-close")));
    close->setText(QStringLiteral("×"));
    close->setToolTip(QStringLiteral("Close (Esc)"));
    close->setAccessibleName(QStringLiteral("Close"));
    close->setAutoRaise(true);
    row->addWidget(close);
    connect(close, &QToolButton::clicked, this, &GridOverlayBar::dismiss);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &GridOverlayBar::dismiss);
    grid.installEventFilter(this);
    grid.view()->installEventFilter(this);
    hide();
}

void GridOverlayBar::open(bool selectText) {
    for (auto* other : grid_.findChildren<GridOverlayBar*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (other != this && other->isVisible()) {
            other->dismiss();
        }
    }
    place();
    show();
    raise();
    edit_->setFocus(Qt::ShortcutFocusReason);
    if (selectText) {
        edit_->selectAll();
    }
}

void GridOverlayBar::dismiss() {
    hide();
    dismissed();
    grid_.view()->setFocus(Qt::OtherFocusReason);
}

QString GridOverlayBar::status() const {
    return status_->text();
}

void GridOverlayBar::setStatus(const QString& text, bool failed) {
    status_->setText(text);
    // A search that finds nothing says so in the text box's colour too.
    QPalette palette = edit_->palette();
    palette.setColor(QPalette::Base, failed
                                         ? QColor(255, 210, 210)
                                         : edit_->style()->standardPalette().color(QPalette::Base));
    edit_->setPalette(palette);
}

// Over the bottom of the cells and their row titles, above the horizontal scroll bar.
void GridOverlayBar::place() {
    const QTableView& view = *grid_.view();
    const QRect cells(view.mapTo(&grid_, view.viewport()->geometry().topLeft()),
                      view.viewport()->size());
    const int left = view.mapTo(&grid_, QPoint(view.frameWidth(), 0)).x();
    const int height = std::min(sizeHint().height(), grid_.height());
    const int top = std::max(0, cells.bottom() + 1 - height);
    setGeometry(left, top, cells.right() + 1 - left, height);
}

bool GridOverlayBar::eventFilter(QObject* watched, QEvent* event) {
    if (isVisible() &&
        (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest)) {
        place();
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace tarvex
