// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QSize>

#include <optional>

class QSpinBox;

namespace tarvex {

// Asks how large a picture of the plot is to be, in pixels, starting from the plot's own size.
class PictureSizeDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kSmallest = 100;
    // A picture of 6000 x 6000 pixels takes 144 MB while it is drawn.
    static constexpr int kLargest = 6000;

    PictureSizeDialog(QSize proposed, QWidget* owner);

    [[nodiscard]] QSize pictureSize() const;
    QSpinBox* widthInput;
    QSpinBox* heightInput;
};

// The size the user chose, or nothing when the dialog was cancelled.
std::optional<QSize> askPictureSize(QSize proposed, QWidget* owner);

} // namespace tarvex
