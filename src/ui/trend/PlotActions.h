// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QCustomPlot;
class QHelpEvent;
class QKeyEvent;
class QMenu;

namespace tarvex {

class PlotControl;
class PlotNavigation;

// The plot's actions beyond the mouse gestures, each on a key while the plot has focus and all
// in the context menu (right button or the menu key), which names each one's key or gesture:
// zoom to a box, back and forward through the zoom history, fit the values to the visible time
// range, the whole trend, the legend, the event markers and the exports. Resting the pointer on
// the plot shows a tip that says so, or what the markers under it are.
class PlotActions : public QObject {
    Q_OBJECT
public:
    PlotActions(PlotControl& plot, PlotNavigation& navigation);

    // The context menu as it would open now.
    [[nodiscard]] std::unique_ptr<QMenu> contextMenu();

    // The tip shown while the pointer rests on the plot without markers under it.
    static const QString kIdleTip;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPress(const QKeyEvent& event);
    bool toolTip(const QHelpEvent& event);

    PlotControl& plot_;
    PlotNavigation& navigation_;
    QCustomPlot* custom_;
};

} // namespace tarvex
