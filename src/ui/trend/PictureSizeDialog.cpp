// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/PictureSizeDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

namespace tarvex {

namespace {

QSpinBox* sizeInput(int value, QWidget* parent) {
    auto* input = new QSpinBox(parent);
    input->setRange(PictureSizeDialog::kSmallest, PictureSizeDialog::kLargest);
    input->setValue(value);
    input->setSuffix(QStringLiteral(" px"));
    return input;
}

} // namespace

PictureSizeDialog::PictureSizeDialog(QSize proposed, QWidget* owner)
    : QDialog(owner), widthInput(sizeInput(proposed.width(), this)),
      heightInput(sizeInput(proposed.height(), this)) {
    setWindowTitle(QStringLiteral("Picture Size"));
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Width:"), widthInput);
    form->addRow(QStringLiteral("&Height:"), heightInput);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QSize PictureSizeDialog::pictureSize() const {
    return {widthInput->value(), heightInput->value()};
}

std::optional<QSize> askPictureSize(QSize proposed, QWidget* owner) {
    PictureSizeDialog dialog(proposed, owner);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.pictureSize();
}

} // namespace tarvex
