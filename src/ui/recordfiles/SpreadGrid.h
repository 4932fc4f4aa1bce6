#pragma once

#include <QTableView>

namespace tarvex {

// The spreadsheet grid component: one class for all six grids of the viewer.
class SpreadGrid : public QTableView {
    Q_OBJECT
public:
    explicit SpreadGrid(QWidget* parent = nullptr);
};

} // namespace tarvex
