// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/viewer/frmHistory.h"

#include "ui/recordfiles/GridNavigation.h"
#include "ui/recordfiles/SpreadGrid.h"
#include "ui/trend/LedBar.h"
#include "ui/trend/PlotControl.h"
#include "ui/trend/SliderControl.h"
#include "ui/trend/TrendView.h"

#include <qcustomplot.h>

#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>

// Creates the viewer's controls; their places come from the layout (placeControls).

namespace tarvex {
namespace {

template <class W> W* named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

QLabel* makeLabel(const QString& name, const QString& text, QWidget* parent) {
    return named(new QLabel(text, parent), name);
}

QGroupBox* makeFrame(const QString& name, const QString& caption, QWidget* parent) {
    return named(new QGroupBox(caption, parent), name);
}

// Every grid finds text (Ctrl+F); one whose roles name a date and a time also goes to a time.
SpreadGrid* makeGrid(const QString& name, QWidget* parent, GridRoles roles = {}) {
    auto* grid = named(new SpreadGrid(parent), name);
    grid->setRoles(std::move(roles));
    installGridNavigation(*grid);
    return grid;
}

// For assistive tools: on the control and on the part of it that takes the focus.
void nameFor(QWidget* control, QWidget* focusPart, const QString& name) {
    control->setAccessibleName(name);
    focusPart->setAccessibleName(name);
}

} // namespace

template <std::size_t N>
void frmHistory::buildToolbar(std::array<QToolButton*, N>& group, ToolbarGroup which, QWidget* page,
                              void (frmHistory::*click)(int)) {
    const auto specs = toolbarButtons(which);
    for (std::size_t i = 0; i < N; ++i) {
        QToolButton* button = makeToolbarButton(specs[i], page);
        button->setObjectName(QStringLiteral("%1_%2").arg(toolbarGroupName(which)).arg(i));
        button->installEventFilter(this); // the mouse-release focus rule
        const int index = static_cast<int>(i);
        connect(button, &QToolButton::clicked, this,
                [this, click, index] { (this->*click)(index); });
        group.at(i) = button;
    }
}

void frmHistory::buildControls() {
    DataTab = named(new QTabWidget(client_), QStringLiteral("DataTab"));
    const std::array<QString, TabCount> captions{
        QStringLiteral("Data"), QStringLiteral("Operator Events"), QStringLiteral("Audit Trail"),
        QStringLiteral("Alarm History"), QStringLiteral("Trend Data")};
    for (std::size_t i = 0; i < captions.size(); ++i) {
        auto* page = named(new QWidget, QStringLiteral("tabPage%1").arg(i));
        DataTab->addTab(page, captions.at(i));
        page->installEventFilter(this); // the tab's own layout settles the pages' offsets
        pages_.at(i) = page;
    }
    buildDataTab(pages_[TabData]);
    buildOperatorEventsTab(pages_[TabOperatorEvents]);
    buildAuditTab(pages_[TabAuditTrail]);
    buildAlarmTab(pages_[TabAlarmHistory]);
    buildTrendTab(pages_[TabTrendData]);

    using enum LayoutItem;
    const auto put = [this](LayoutItem item, QWidget* w) {
        laidOut_.at(static_cast<std::size_t>(item)) = w;
    };
    put(DataTab, this->DataTab);
    put(DcryLabel, this->DcryLabel);
    put(ProgBar, this->ProgBar);
    put(dataFrame, this->dataFrame);
    put(vaGrid, this->vaGrid);
    put(sigFrame, this->sigFrame);
    put(digiSigGrid, this->digiSigGrid);
    put(opEvGrid, this->opEvGrid);
    put(auditNameLab, this->auditNameLab);
    put(auditDataFrame, this->auditDataFrame);
    put(auditGrid, this->auditGrid);
    put(auditSigFrame, this->auditSigFrame);
    put(auditSigGrid, this->auditSigGrid);
    put(almNameLab, this->almNameLab);
    put(alarmGrid, this->alarmGrid);
    put(iPlotX, this->iPlotX);
    put(YSlider, this->YSlider);
    put(DateSlider, this->DateSlider);
    nameControls();
}

// Labels are named by their texts; the other controls take their frame's caption or what they do.
void frmHistory::nameControls() {
    for (auto [grid, name] : {std::pair{vaGrid, "File Data"},
                              {digiSigGrid, "Digital Signatures"},
                              {opEvGrid, "Operator Events"},
                              {auditGrid, "Audit Trail Data"},
                              {auditSigGrid, "Audit Trail Digital Signatures"},
                              {alarmGrid, "Alarm History"}}) {
        nameFor(grid, grid->view(), QLatin1String(name));
    }
    nameFor(iPlotX, iPlotX->customPlot(), QStringLiteral("History Plot"));
    nameFor(YSlider, YSlider->slider(), QStringLiteral("Value Axis Zoom"));
    nameFor(DateSlider, DateSlider->slider(), QStringLiteral("Time Axis Zoom"));
    ProgBar->setAccessibleName(QStringLiteral("Plotting Progress"));
}

void frmHistory::buildDataTab(QWidget* page) {
    buildToolbar(DataBarBtn, ToolbarGroup::Data, page, &frmHistory::DataBarBtn_Click);
    // The plotting progress shows only while a trend is built.
    DcryLabel =
        makeLabel(QStringLiteral("DcryLabel"), QStringLiteral("Plotting Please Wait:"), page);
    DcryLabel->hide();
    ProgBar = named(new LedBar(page), QStringLiteral("ProgBar"));
    ProgBar->hide();
    dataFrame = makeFrame(QStringLiteral("dataFrame"), QStringLiteral("File Data:"), page);
    vaGrid = makeGrid(QStringLiteral("vaGrid"), dataFrame, RecordRoles::dataLog());
    sigFrame = makeFrame(QStringLiteral("sigFrame"), QStringLiteral("Digital Signatures:"), page);
    digiSigGrid = makeGrid(QStringLiteral("digiSigGrid"), sigFrame);
}

void frmHistory::buildOperatorEventsTab(QWidget* page) {
    buildToolbar(opBarBtn, ToolbarGroup::Op, page, &frmHistory::opBarBtn_Click);
    opEvGrid = makeGrid(QStringLiteral("opEvGrid"), page, RecordRoles::userEvents());
}

void frmHistory::buildAuditTab(QWidget* page) {
    buildToolbar(auditBarBtn, ToolbarGroup::Audit, page, &frmHistory::auditBarBtn_Click);
    auditNameLab =
        makeLabel(QStringLiteral("auditNameLab"), QStringLiteral("Audit Trail File:"), page);
    auditDataFrame =
        makeFrame(QStringLiteral("auditDataFrame"), QStringLiteral("Audit Trail Data"), page);
    auditGrid = makeGrid(QStringLiteral("auditGrid"), auditDataFrame, RecordRoles::userEvents());
    auditSigFrame = makeFrame(QStringLiteral("auditSigFrame"),
                              QStringLiteral("Audit Trail Digital Signatures"), page);
    auditSigGrid = makeGrid(QStringLiteral("auditSigGrid"), auditSigFrame);
}

void frmHistory::buildAlarmTab(QWidget* page) {
    buildToolbar(almBarBtn, ToolbarGroup::Alarm, page, &frmHistory::almBarBtn_Click);
    almNameLab =
        makeLabel(QStringLiteral("almNameLab"), QStringLiteral("Alarm History File:"), page);
    alarmGrid = makeGrid(QStringLiteral("alarmGrid"), page, RecordRoles::alarmHistory());
}

void frmHistory::buildTrendTab(QWidget* page) {
    buildToolbar(histBarBtn, ToolbarGroup::Hist, page, &frmHistory::histBarBtn_Click);
    iPlotX = named(new PlotControl(page), QStringLiteral("iPlotX"));
    // Created after the plot: the sliders overlap its right and bottom edges and stay on top.
    YSlider = named(new SliderControl(Qt::Vertical, page), QStringLiteral("YSlider"));
    DateSlider = named(new SliderControl(Qt::Horizontal, page), QStringLiteral("DateSlider"));
    connect(DateSlider, &SliderControl::PositionChange, this,
            [this] { DateSlider_PositionChange(trendControls(), history_); });
    connect(YSlider, &SliderControl::PositionChange, this,
            [this] { YSlider_PositionChange(trendControls(), history_); });
    connect(iPlotX, &PlotControl::DblClick, this,
            [this] { iPlotX_DblClick(trendControls(), history_); });
    connect(iPlotX, &PlotControl::exportRequested, this, &frmHistory::iPlotX_ExportRequested);
}

} // namespace tarvex
