// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/PlotControl.h"

#include "core/common/TvError.h"
#include "core/common/ValueConvert.h"
#include "ui/trend/PlotDataCursor.h"
#include "ui/trend/PlotNavigation.h"
#include "ui/trend/PlotOutput.h"
#include "ui/trend/TraceColors.h"
#include "ui/trend/TraceGraph.h"

#include <qcustomplot.h>

#include <QDateTime>
#include <QResizeEvent>

#include <algorithm>

namespace tarvex {

namespace {

// A visible plot draws at most this often while it changes.
constexpr int kReplotDelayMs = 40;
const QSize kMinimumScreenPicture(640, 480);
const QSize kFixedPicture(1280, 720);
// Above this many visible points per pixel column a trace is a solid band, where smoothing its
// edges shows nothing but costs most of the frame.
constexpr double kAntialiasedPointsPerPixel = 2.0;

// Roughly what the value axis and the margins take from the width of the plot.
constexpr int kAxisMargin = 90;

void antialiasSparseTraces(QCustomPlot& plot, int pixels) {
    const QCPRange range = plot.xAxis->range();
    for (int i = 0; i < plot.graphCount(); ++i) {
        QCPGraph* graph = plot.graph(i);
        const auto data = graph->data();
        const auto visible = data->findEnd(range.upper) - data->findBegin(range.lower);
        graph->setAntialiased(static_cast<double>(visible) <= kAntialiasedPointsPerPixel * pixels);
    }
}

} // namespace

PlotControl::PlotControl(QWidget* parent)
    : QWidget(parent), plot_(new QCustomPlot(this)),
      title_(new QCPTextElement(plot_, QStringLiteral("No Data File Loaded"),
                                QFont(font().family(), 11, QFont::Bold))) {
    plot_->setFocusPolicy(Qt::StrongFocus);
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(plot_);

    const auto changed = [this] { requestReplot(); };
    xAxis_ = std::make_unique<PlotAxis>(plot_->xAxis, PlotAxis::Time, changed);
    yAxis_ = std::make_unique<PlotAxis>(plot_->yAxis, PlotAxis::Value, changed);
    xAxis_->setMin(toDateSerial(QDateTime::currentDateTime()));
    cursor_ = new PlotDataCursor(plot_, *xAxis_);
    // Leaves the left button to a shown cursor.
    new PlotNavigation(plot_, *xAxis_, *yAxis_, *cursor_, [this] { emit DblClick(); });
    setUpLook();

    replotTimer_.setSingleShot(true);
    replotTimer_.setInterval(kReplotDelayMs);
    connect(&replotTimer_, &QTimer::timeout, plot_,
            [this] { plot_->replot(QCustomPlot::rpQueuedRefresh); });
    connect(plot_, &QCustomPlot::beforeReplot, this, [this] { prepareToDraw(plot_->width()); });
}

PlotControl::~PlotControl() = default;

void PlotControl::setUpLook() {
    plot_->setLocale(QLocale::c());
    // Thick antialiased lines through the stroker cost seconds on a dense trend; one polyline
    // call per trace is many times faster.
    plot_->setPlottingHint(QCP::phFastPolylines, true);
    plot_->plotLayout()->insertRow(0);
    plot_->plotLayout()->addElement(0, 0, title_);
    plot_->legend->setVisible(false);
    plot_->xAxis->setLabel(QStringLiteral("Time"));
    plot_->yAxis->setLabel(QStringLiteral("Y-Axis 1"));
    for (QCPAxis* axis : {plot_->xAxis, plot_->yAxis}) {
        axis->grid()->setPen(QPen(QColor(150, 150, 150), 0, Qt::DotLine));
    }
    setBackGroundColor(QColor(212, 212, 212));
}

void PlotControl::ClearPlot() {
    channels_.clear();
    plot_->clearGraphs();
    xAxis_->clearData();
    yAxis_->clearData();
    requestReplot();
}

int PlotControl::AddChannel() {
    const int index = ChannelCount();
    QCPGraph* graph = new TraceGraph(plot_->xAxis, plot_->yAxis); // owned by the plot
    graph->setPen(QPen(traceColor(index), 1));
    channels_.push_back(std::make_unique<PlotChannel>(graph, *xAxis_, [this] { requestReplot(); }));
    requestReplot();
    return index;
}

PlotChannel& PlotControl::Channel(int index) {
    if (index < 0 || index >= ChannelCount()) {
        throw TvError(ErrSubscript);
    }
    return *channels_[static_cast<std::size_t>(index)];
}

QString PlotControl::TitleText() const {
    return title_->text();
}

void PlotControl::setTitleText(const QString& title) {
    title_->setText(title);
    requestReplot();
}

void PlotControl::setBackGroundColor(const QColor& color) {
    backGroundColor_ = color;
    plot_->setBackground(QBrush(color));
    requestReplot();
}

PlotDataCursor& PlotControl::DataCursor(int index) {
    if (index != 0) {
        throw TvError(ErrSubscript);
    }
    return *cursor_;
}

void PlotControl::SaveJpeg(const QString& fileName, int quality, bool screenSize,
                           const QStringList& neverReplace) {
    writeJpegFile(renderImage(pictureSize(screenSize)), fileName, quality, neverReplace);
}

void PlotControl::PrintPlot() {
    const int width = pictureSize(true).width();
    prepareToDraw(width);
    printOnDefaultPrinter(*plot_, width, QStringLiteral("Historical Trend"));
    // Printing lays the plot out for the page; lay it out for the screen again.
    requestReplot();
}

QImage PlotControl::renderImage(QSize size) {
    prepareToDraw(size.width());
    QImage image = plot_->toPixmap(size.width(), size.height()).toImage();
    requestReplot();
    return image;
}

void PlotControl::replotNow() {
    replotTimer_.stop();
    plot_->replot(QCustomPlot::rpImmediateRefresh);
}

void PlotControl::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A hidden plot does not draw its changes; catch up before the first paint.
    replotTimer_.stop();
    plot_->replot(QCustomPlot::rpQueuedRefresh);
}

// Sized here rather than by a layout, so that a hidden plot draws at its own size too.
void PlotControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    plot_->setGeometry(rect());
}

QSize PlotControl::sizeHint() const {
    return {640, 400};
}

void PlotControl::requestReplot() {
    if (isVisible() && !replotTimer_.isActive()) {
        replotTimer_.start();
    }
}

void PlotControl::prepareToDraw(int width) {
    const int axisPixels = std::max(1, width - kAxisMargin);
    xAxis_->applyRange();
    xAxis_->fitTickCount(axisPixels);
    // Room for the labels of ticks on the ends of the time axis, which the plot leaves out
    // where they would not fit.
    const int overhang = xAxis_->endLabelOverhang();
    plot_->axisRect()->setMinimumMargins(QMargins(overhang, 0, overhang, 0));
    yAxis_->applyRange();
    antialiasSparseTraces(*plot_, axisPixels);
    cursor_->refresh();
}

QSize PlotControl::pictureSize(bool screenSize) const {
    return screenSize ? size().expandedTo(kMinimumScreenPicture) : kFixedPicture;
}

} // namespace tarvex
