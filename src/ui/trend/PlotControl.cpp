#include "trend/PlotControl.h"

namespace tarvex {
PlotControl::PlotControl(QWidget* parent) : QWidget(parent) {}
} // namespace tarvex
