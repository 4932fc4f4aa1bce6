#include "trend/SliderControl.h"

namespace tarvex {
SliderControl::SliderControl(Qt::Orientation, QWidget* parent) : QWidget(parent) {}
} // namespace tarvex
