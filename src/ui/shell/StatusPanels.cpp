// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/StatusPanels.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QTimer>

namespace tarvex {
namespace {
QLabel* makePanel(const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setContentsMargins(2, 0, 2, 0);
    return label;
}
} // namespace

StatusPanels::StatusPanels(QWidget* parent)
    : QStatusBar(parent), text_(makePanel(QStringLiteral("panel1"), this)),
      date_(makePanel(QStringLiteral("panel2"), this)),
      time_(makePanel(QStringLiteral("panel3"), this)), clock_(new QTimer(this)) {
    setObjectName(QStringLiteral("sbStatusBar"));
    setSizeGripEnabled(false);
    text_->setText(QStringLiteral("Status"));
    // Panel 1 takes the width left over and no more: a long path is cut at the panel's edge
    // (and can be read whole in its tooltip) instead of widening the main window.
    text_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    text_->setMinimumWidth(0);
    addWidget(text_, 1);
    addPermanentWidget(date_);
    addPermanentWidget(time_);
    refreshClock();
    connect(clock_, &QTimer::timeout, this, &StatusPanels::refreshClock);
    clock_->start(1000);
}

void StatusPanels::setText(const QString& text) {
    text_->setText(text);
    text_->setToolTip(text);
}

QString StatusPanels::text() const {
    return text_->text();
}

QLabel* StatusPanels::panel(int number) const {
    switch (number) {
    case 1:
        return text_;
    case 2:
        return date_;
    case 3:
        return time_;
    default:
        return nullptr;
    }
}

void StatusPanels::refreshClock() {
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QString date = us.toString(now.date(), QStringLiteral("M/d/yyyy"));
    const QString time = us.toString(now.time(), QStringLiteral("h:mm AP"));
    // Only a changed text repaints.
    if (date_->text() != date) {
        date_->setText(date);
    }
    if (time_->text() != time) {
        time_->setText(time);
    }
}

} // namespace tarvex
