// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/PlotActions.h"

#include "ui/trend/PlotControl.h"
#include "ui/trend/PlotMarkers.h"
#include "ui/trend/PlotNavigation.h"

#include <qcustomplot.h>

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QToolTip>

namespace tarvex {

namespace {

constexpr double kMarkerReach = 4.0; // pixels either side of the pointer

} // namespace

const QString PlotActions::kIdleTip =
    QStringLiteral("Wheel: zoom time, Ctrl+Wheel: zoom values, drag: pan, "
                   "Shift+drag: zoom to a box, double-click: whole trend.\n"
                   "Right-click shows every action and its key.");

PlotActions::PlotActions(PlotControl& plot, PlotNavigation& navigation)
    : QObject(plot.customPlot()), plot_(plot), navigation_(navigation), custom_(plot.customPlot()) {
    custom_->installEventFilter(this);
}

std::unique_ptr<QMenu> PlotActions::contextMenu() {
    auto menu = std::make_unique<QMenu>(custom_);
    const auto add = [&](const QString& text, const QString& key, auto&& run) {
        QAction* action = menu->addAction(key.isEmpty() ? text : text + '\t' + key);
        connect(action, &QAction::triggered, this, run);
        return action;
    };
    add(QStringLiteral("Zoom to Box"), QStringLiteral("Shift+Drag"),
        [this] { navigation_.armBoxZoom(); });
    add(QStringLiteral("Back"), QStringLiteral("Backspace"), [this] {
        plot_.viewBack();
    })->setEnabled(plot_.zoomHistory().canGoBack());
    add(QStringLiteral("Forward"), QStringLiteral("Shift+Backspace"), [this] {
        plot_.viewForward();
    })->setEnabled(plot_.zoomHistory().canGoForward());
    add(QStringLiteral("Fit Values to Visible Time"), QStringLiteral("F"),
        [this] { plot_.fitValues(); });
    add(QStringLiteral("Whole Trend"), QStringLiteral("Double-Click"), [this] {
        plot_.rememberView();
        emit plot_.DblClick();
    });
    menu->addSeparator();
    QAction* legend = add(QStringLiteral("Legend"), QStringLiteral("L"),
                          [this] { plot_.setLegendVisible(!plot_.legendVisible()); });
    legend->setCheckable(true);
    legend->setChecked(plot_.legendVisible());
    QAction* markers = add(QStringLiteral("Event Markers"), QStringLiteral("E"),
                           [this] { plot_.setMarkersVisible(!plot_.markersVisible()); });
    markers->setCheckable(true);
    markers->setChecked(plot_.markersVisible());
    menu->addSeparator();
    const auto exporting = [&](const QString& text, PlotExport format) {
        add(text, {}, [this, format] { emit plot_.exportRequested(format); });
    };
    exporting(QStringLiteral("Export Visible Data as CSV..."), PlotExport::Csv);
    exporting(QStringLiteral("Save Picture as PNG..."), PlotExport::Png);
    exporting(QStringLiteral("Save Picture as SVG..."), PlotExport::Svg);
    exporting(QStringLiteral("Save Picture as PDF..."), PlotExport::Pdf);
    return menu;
}

bool PlotActions::eventFilter(QObject* watched, QEvent* event) {
    if (watched != custom_) {
        return false;
    }
    switch (event->type()) {
    case QEvent::KeyPress:
        return keyPress(static_cast<const QKeyEvent&>(*event));
    case QEvent::ContextMenu: {
        const auto& request = static_cast<const QContextMenuEvent&>(*event);
        contextMenu()->exec(request.globalPos());
        return true;
    }
    case QEvent::ToolTip:
        return toolTip(static_cast<const QHelpEvent&>(*event));
    default:
        return false;
    }
}

bool PlotActions::keyPress(const QKeyEvent& event) {
    const bool shift = event.modifiers().testFlag(Qt::ShiftModifier);
    const Qt::KeyboardModifiers others =
        event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (others != Qt::NoModifier) {
        return false;
    }
    switch (event.key()) {
    case Qt::Key_Backspace:
        shift ? plot_.viewForward() : plot_.viewBack();
        return true;
    case Qt::Key_F:
        plot_.fitValues();
        return true;
    case Qt::Key_L:
        plot_.setLegendVisible(!plot_.legendVisible());
        return true;
    case Qt::Key_E:
        plot_.setMarkersVisible(!plot_.markersVisible());
        return true;
    default:
        return false;
    }
}

bool PlotActions::toolTip(const QHelpEvent& event) {
    QString tip = kIdleTip;
    if (plot_.markersVisible() && custom_->axisRect()->rect().contains(event.pos())) {
        const auto near = plot_.markerLayer().markersNear(event.pos().x(), kMarkerReach);
        if (!near.empty()) {
            tip = markerTip(near);
        }
    }
    QToolTip::showText(event.globalPos(), tip, custom_);
    return true;
}

} // namespace tarvex
