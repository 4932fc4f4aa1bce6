#include "trend/LedBar.h"

namespace tarvex {
LedBar::LedBar(QWidget* parent) : QWidget(parent) {}
} // namespace tarvex
