#pragma once

#include <QWidget>

namespace tarvex {

// The LED bar progress component: Position 0 to PositionMax.
class LedBar : public QWidget {
    Q_OBJECT
public:
    explicit LedBar(QWidget* parent = nullptr);
};

} // namespace tarvex
