// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>

class QHBoxLayout;
class QLabel;
class QLineEdit;

namespace tarvex {

class SpreadGrid;

// A bar that floats over the bottom edge of a grid's cells, hidden until asked for: it moves and
// resizes nothing. It holds a text box, the controls a subclass adds, a status text and a close
// button; Escape or the close button hides it and gives the keyboard back to the grid. A grid
// shows one such bar at a time.
class GridOverlayBar : public QFrame {
    Q_OBJECT
public:
    explicit GridOverlayBar(SpreadGrid& grid);

    // Shows the bar over its grid with the keyboard in the text box; `selectText` selects what
    // the box holds, for typing anew.
    void open(bool selectText);
    // Hides the bar; the keyboard goes back to the grid.
    void dismiss();

    [[nodiscard]] QLineEdit* textBox() const { return edit_; }
    [[nodiscard]] QString status() const;

protected:
    [[nodiscard]] SpreadGrid& grid() const { return grid_; }
    // Where a subclass adds its controls, after the text box.
    [[nodiscard]] QHBoxLayout* controls() const { return controls_; }
    void setStatus(const QString& text, bool failed = false);
    // Called when the bar is hidden.
    virtual void dismissed() {}

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();

    SpreadGrid& grid_;
    QLineEdit* edit_ = nullptr;
    QHBoxLayout* controls_ = nullptr;
    QLabel* status_ = nullptr;
};

} // namespace tarvex
