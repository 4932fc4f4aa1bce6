#pragma once

#include <QWidget>

namespace tarvex {

// The trend plot component over QCustomPlot.
class PlotControl : public QWidget {
    Q_OBJECT
public:
    explicit PlotControl(QWidget* parent = nullptr);
};

} // namespace tarvex
