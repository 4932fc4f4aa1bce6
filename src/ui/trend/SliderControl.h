#pragma once

#include <QWidget>

namespace tarvex {

// The zoom slider component: Position from PositionMin to PositionMax with a change event.
class SliderControl : public QWidget {
    Q_OBJECT
public:
    explicit SliderControl(Qt::Orientation orientation, QWidget* parent = nullptr);
};

} // namespace tarvex
