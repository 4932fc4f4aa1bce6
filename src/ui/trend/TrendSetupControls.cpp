// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/TrendSetup.h"

#include "ui/trend/NumericInput.h"
#include "ui/trend/TraceColors.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// Creates the trend setup dialog's controls and lays them out.

namespace tarvex {
namespace {

const QStringList kScaleFormats{
    QStringLiteral("hh:nn:ss"),
    QStringLiteral("hh:nn:ss.zzz"),
    QStringLiteral("m/d hh:nn:ss"),
    QStringLiteral("d mmm h:nn:ss am/pm"),
    QStringLiteral("m/d/yy h:nn:ss am/pm"),
    QStringLiteral("m/d/yyyy h:nn:ss am/pm"),
};

constexpr QSize kSwatchSize(44, 20);

template <class W> W* named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

QString indexed(const char* name, int index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

QLabel* makeSwatch(const QString& name, const QColor& color, QWidget* parent) {
    auto* swatch = named(new QLabel(parent), name);
    swatch->setAutoFillBackground(true);
    swatch->setFrameShape(QFrame::Panel);
    swatch->setFrameShadow(QFrame::Sunken);
    swatch->setFixedSize(kSwatchSize);
    TrendSetup::setSwatchColor(swatch, color);
    return swatch;
}

QPushButton* makeEllipsis(const QString& name, QWidget* parent) {
    auto* button = named(new QPushButton(QStringLiteral("..."), parent), name);
    button->setAutoDefault(false);
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
    return button;
}

NumericInput* makeInput(const QString& name, double min, double max, int decimals, double value,
                        QWidget* parent) {
    return named(new NumericInput(min, max, decimals, value, parent), name);
}

// A swatch and its "..." button side by side.
QWidget* colorPicker(QLabel* swatch, QPushButton* button, QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(swatch);
    row->addWidget(button);
    row->addStretch();
    return box;
}

} // namespace

void TrendSetup::buildControls() {
    auto* top = new QHBoxLayout;
    top->addWidget(buildXFrame());
    top->addWidget(buildYFrame());
    auto* page = new QVBoxLayout(this);
    page->addLayout(top);
    page->addWidget(buildPenFrame());
    page->addWidget(buildBottomRow());
    page->setSizeConstraint(QLayout::SetFixedSize);
}

QGroupBox* TrendSetup::buildXFrame() {
    xFrame = named(new QGroupBox(QStringLiteral("X Axis Setup"), this), QStringLiteral("xFrame"));
    XcolorLabel = makeSwatch(QStringLiteral("XcolorLabel"), Qt::black, xFrame);
    YscaleColor = makeEllipsis(QStringLiteral("YscaleColor"), xFrame);
    connect(YscaleColor, &QPushButton::clicked, this, [this] { YscaleColor_Click(); });
    XscaleFormat = named(new QComboBox(xFrame), QStringLiteral("XscaleFormat"));
    XscaleFormat->setEditable(true); // the plot's own format need not be in the list
    XscaleFormat->addItems(kScaleFormats);
    XscaleFormat->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    TrendDaysAnalog = makeInput(QStringLiteral("TrendDaysAnalog"), 0, 7, 0, 0, xFrame);
    TrendHoursAnalog = makeInput(QStringLiteral("TrendHoursAnalog"), 0, 23, 0, 0, xFrame);
    TrendMinutesAnalog = makeInput(QStringLiteral("TrendMinutesAnalog"), 1, 59, 0, 1, xFrame);
    XminorTicks = makeInput(QStringLiteral("XminorTicks"), 1, 30, 0, 1, xFrame);

    auto* form = new QFormLayout(xFrame);
    form->addRow(QStringLiteral("Scale Color"), colorPicker(XcolorLabel, YscaleColor, xFrame));
    form->addRow(QStringLiteral("Scale Format"), XscaleFormat);
    form->addRow(QStringLiteral("Trend Days"), TrendDaysAnalog);
    form->addRow(QStringLiteral("Trend Hours"), TrendHoursAnalog);
    form->addRow(QStringLiteral("Trend Minutes"), TrendMinutesAnalog);
    form->addRow(QStringLiteral("Minor Ticks"), XminorTicks);
    return xFrame;
}

QGroupBox* TrendSetup::buildYFrame() {
    yFrame = named(new QGroupBox(QStringLiteral("Y Axis Setup"), this), QStringLiteral("yFrame"));
    YcolorLabel = makeSwatch(QStringLiteral("YcolorLabel"), Qt::black, yFrame);
    Xscalecolor = makeEllipsis(QStringLiteral("Xscalecolor"), yFrame);
    connect(Xscalecolor, &QPushButton::clicked, this, [this] { Xscalecolor_Click(); });
    TrendZeroAnalog = makeInput(QStringLiteral("TrendZeroAnalog"), -10000, 10000,
                                NumericInput::kDefaultDecimals, 0, yFrame);
    TrendSpanAnalog = named(new NumericInput(yFrame), QStringLiteral("TrendSpanAnalog"));
    YminorTicks = makeInput(QStringLiteral("YminorTicks"), 1, 30, 0, 1, yFrame);

    auto* form = new QFormLayout(yFrame);
    form->addRow(QStringLiteral("Scale Color"), colorPicker(YcolorLabel, Xscalecolor, yFrame));
    form->addRow(QStringLiteral("Trend Zero"), TrendZeroAnalog);
    form->addRow(QStringLiteral("Trend Span"), TrendSpanAnalog);
    form->addRow(QStringLiteral("Minor Ticks"), YminorTicks);
    return yFrame;
}

// Pens 1 to 6 in the left column, 7 to 12 in the right, under one row of captions each.
QGroupBox* TrendSetup::buildPenFrame() {
    penFrame =
        named(new QGroupBox(QStringLiteral("Trend Pen Setup"), this), QStringLiteral("penFrame"));
    auto* grid = new QGridLayout(penFrame);
    constexpr int kRowsPerColumn = kPens / 2;
    constexpr int kCellsPerPen = 5; // number, assignment, swatch, button, width
    for (int side = 0; side < 2; ++side) {
        const int left = side * (kCellsPerPen + 1);
        grid->addWidget(new QLabel(QStringLiteral("Pen Assignment:"), penFrame), 0, left + 1);
        grid->addWidget(new QLabel(QStringLiteral("Color:"), penFrame), 0, left + 2, 1, 2);
        grid->addWidget(new QLabel(QStringLiteral("Width:"), penFrame), 0, left + 4);
    }
    grid->setColumnMinimumWidth(kCellsPerPen, 16); // between the two columns
    for (int i = 0; i < kPens; ++i) {
        const auto pen = static_cast<std::size_t>(i);
        auto* assign = named(new QComboBox(penFrame), indexed("PenAssign", i));
        assign->setEditable(true);
        assign->setEditText(QStringLiteral("Select Controller"));
        assign->setMinimumContentsLength(static_cast<int>(assign->currentText().size()));
        assign->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        assign->lineEdit()->setCursorPosition(0);
        PenAssign.at(pen) = assign;
        PenClr.at(pen) = makeSwatch(indexed("PenClr", i), traceColor(i), penFrame);
        PenClrBtn.at(pen) = makeEllipsis(indexed("PenClrBtn", i), penFrame);
        connect(PenClrBtn.at(pen), &QPushButton::clicked, this, [this, i] { PenClrBtn_Click(i); });
        PWidth.at(pen) = makeInput(indexed("PWidth", i), 1, 5, 0, 1, penFrame);

        const int row = 1 + i % kRowsPerColumn;
        const int left = (i / kRowsPerColumn) * (kCellsPerPen + 1);
        grid->addWidget(new QLabel(QStringLiteral("%1)").arg(i + 1), penFrame), row, left);
        grid->addWidget(assign, row, left + 1);
        grid->addWidget(PenClr.at(pen), row, left + 2);
        grid->addWidget(PenClrBtn.at(pen), row, left + 3);
        grid->addWidget(PWidth.at(pen), row, left + 4);
    }
    return penFrame;
}

QWidget* TrendSetup::buildBottomRow() {
    auto* box = new QWidget(this);
    BgColorLabel = makeSwatch(QStringLiteral("BgColorLabel"), QColor(212, 212, 212), box);
    trendBgColor = makeEllipsis(QStringLiteral("trendBgColor"), box);
    connect(trendBgColor, &QPushButton::clicked, this, [this] { trendBgColor_Click(); });
    OKButton = named(new QPushButton(QStringLiteral("OK"), box), QStringLiteral("OKButton"));
    CancelButton =
        named(new QPushButton(QStringLiteral("Cancel"), box), QStringLiteral("CancelButton"));
    OKButton->setDefault(true);
    CancelButton->setAutoDefault(false);
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButton_Click(); });

    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QStringLiteral("Trend Background Color:"), box));
    row->addWidget(BgColorLabel);
    row->addWidget(trendBgColor);
    row->addStretch();
    row->addWidget(OKButton);
    row->addWidget(CancelButton);
    return box;
}

} // namespace tarvex
