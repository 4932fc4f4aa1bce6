#include "recordfiles/SpreadGrid.h"

namespace tarvex {
SpreadGrid::SpreadGrid(QWidget* parent) : QTableView(parent) {}
} // namespace tarvex
