// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/recordfiles/GridSearch.h"
#include "ui/recordfiles/GridOverlayBar.h"

#include <QTimer>

#include <memory>
#include <optional>

class QCheckBox;

namespace tarvex {

// The find bar of a grid: a text box, previous and next, match case, whole cell, and how many
// cells match. Typing finds the first match from the row where the search began; Enter and F3
// find the next one, Shift+Enter and Shift+F3 the previous one, going round at the ends. It
// finds in every cell the grid shows, the header column included; the other matches in view
// are highlighted. Matches are counted a slice of rows at a time, so typing never waits for a
// large grid.
class GridFindBar : public GridOverlayBar {
    Q_OBJECT
public:
    explicit GridFindBar(SpreadGrid& grid);

    [[nodiscard]] bool hasText() const;
    // Goes to the next (or previous) match after the current cell.
    void find(bool forward);
    // True once every match is counted.
    [[nodiscard]] bool counted() const { return !countTimer_.isActive(); }

protected:
    void dismissed() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void restart();
    void findFrom(GridPlace after, bool forward);
    void rebuildSearch();
    void countSlice();
    void showCount();
    void gridChanged();

    QCheckBox* matchCase_ = nullptr;
    QCheckBox* wholeCell_ = nullptr;
    std::shared_ptr<const GridSearch> search_;
    GridSearch::Count count_;
    int anchorRow_ = 1;                // where typing began
    std::optional<GridPlace> current_; // the match shown
    GridPlace shownAt_;                // the grid's current cell once it was shown
    QString wrapNote_;
    QTimer countTimer_;
    QTimer changeTimer_;
};

} // namespace tarvex
