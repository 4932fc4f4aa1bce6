// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/PlotControl.h"

#include "core/common/TvError.h"
#include "core/common/ValueConvert.h"
#include "ui/trend/PlotActions.h"
#include "ui/trend/PlotDataCursor.h"
#include "ui/trend/PlotLegend.h"
#include "ui/trend/PlotMarkers.h"
#include "ui/trend/PlotNavigation.h"
#include "ui/trend/PlotOutput.h"
#include "ui/trend/TraceColors.h"
#include "ui/trend/TraceGraph.h"

#include <qcustomplot.h>

#include <QDateTime>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

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

// Under the traces: the markers; over the axis lines: the traces.
const QString kMarkerLayer = QStringLiteral("markers");
const QString kTraceLayer = QStringLiteral("traces");

void antialiasSparseTraces(QCustomPlot& plot, int pixels) {
    const QCPRange range = plot.xAxis->range();
    for (int i = 0; i < plot.graphCount(); ++i) {
        QCPGraph* graph = plot.graph(i);
        const auto data = graph->data();
        const auto visible = data->findEnd(range.upper) - data->findBegin(range.lower);
        graph->setAntialiased(static_cast<double>(visible) <= kAntialiasedPointsPerPixel * pixels);
    }
}

AxisRange rangeOf(const PlotAxis& axis) {
    return {axis.Min(), axis.Span()};
}

} // namespace

PlotControl::PlotControl(QWidget* parent)
    : QWidget(parent), plot_(new QCustomPlot(this)),
      title_(new QCPTextElement(plot_, QStringLiteral("No Data File Loaded"),
                                QFont(font().family(), 11, QFont::Bold))) {
    plot_->setFocusPolicy(Qt::StrongFocus);
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(plot_);

    xAxis_ = std::make_unique<PlotAxis>(plot_->xAxis, PlotAxis::Time, [this] { requestReplot(); });
    yAxis_ = std::make_unique<PlotAxis>(plot_->yAxis, PlotAxis::Value, [this] { requestReplot(); });
    xAxis_->setMin(toDateSerial(QDateTime::currentDateTime()));
    setUpLook();
    cursor_ = new PlotDataCursor(plot_, *xAxis_, channels_);
    // Filters run last-installed first: the navigation sees a press before a shown cursor does.
    auto* navigation = new PlotNavigation(*this);
    new PlotActions(*this, *navigation);

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
    plot_->addLayer(kMarkerLayer, plot_->layer(QStringLiteral("grid")), QCustomPlot::limAbove);
    plot_->addLayer(kTraceLayer, plot_->layer(QStringLiteral("axes")), QCustomPlot::limAbove);
    markers_ = new PlotMarkers(plot_);
    markers_->setLayer(kMarkerLayer);
    legend_ = std::make_unique<PlotLegend>(plot_);
    plot_->xAxis->setLabel(QStringLiteral("Time"));
    plot_->yAxis->setLabel(QStringLiteral("Y-Axis 1"));
    for (QCPAxis* axis : {plot_->xAxis, plot_->yAxis}) {
        axis->grid()->setPen(QPen(QColor(150, 150, 150), 0, Qt::DotLine));
    }
    // The lowest value's label is centred on the time axis line: the time labels start below
    // it, so that the two never touch in the corner.
    const int halfValueLabel = QFontMetrics(plot_->yAxis->tickLabelFont()).height() / 2;
    plot_->xAxis->setTickLabelPadding(halfValueLabel + 3);
    setBackGroundColor(QColor(kTraceBackground));
}

void PlotControl::ClearPlot() {
    channels_.clear();
    plot_->clearGraphs();
    xAxis_->clearData();
    yAxis_->clearData();
    history_.clear();
    requestReplot();
}

int PlotControl::AddChannel() {
    const int index = ChannelCount();
    QCPGraph* graph = new TraceGraph(plot_->xAxis, plot_->yAxis); // owned by the plot
    graph->setLayer(kTraceLayer);
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

PlotView PlotControl::view() {
    return {rangeOf(*xAxis_), rangeOf(*yAxis_)};
}

void PlotControl::setView(const PlotView& view) {
    xAxis_->setMin(view.time.min);
    xAxis_->setSpan(view.time.span);
    yAxis_->setMin(view.value.min);
    yAxis_->setSpan(view.value.span);
}

void PlotControl::rememberView() {
    history_.record(view());
}

bool PlotControl::viewBack() {
    const auto previous = history_.back(view());
    if (previous) {
        setView(*previous);
    }
    return previous.has_value();
}

bool PlotControl::viewForward() {
    const auto next = history_.forward(view());
    if (next) {
        setView(*next);
    }
    return next.has_value();
}

bool PlotControl::fitValues() {
    const double lower = std::min(xAxis_->Min(), xAxis_->Max());
    const double upper = std::max(xAxis_->Min(), xAxis_->Max());
    double low = INFINITY;
    double high = -INFINITY;
    for (const auto& channel : channels_) {
        if (!channel->visible()) {
            continue;
        }
        const QCPGraphDataContainer& data = *channel->graph()->data();
        for (auto it = data.findBegin(lower, false); it != data.findEnd(upper, false); ++it) {
            if (!std::isnan(it->value)) {
                low = std::min(low, it->value);
                high = std::max(high, it->value);
            }
        }
    }
    if (!(low <= high)) {
        return false;
    }
    // A flat trace in the middle of a little room.
    const double room = low == high ? std::max(std::abs(low) * 0.01, 0.5) : 0.0;
    rememberView();
    yAxis_->setMin(low - room);
    yAxis_->setSpan(high - low + 2 * room);
    return true;
}

void PlotControl::zoomToBox(const QRectF& box) {
    xAxis_->applyRange(); // the pixels of the range as last put, drawn or not
    yAxis_->applyRange();
    const QCPAxis* x = plot_->xAxis;
    const QCPAxis* y = plot_->yAxis;
    const QRectF b = box.normalized();
    const double left = x->pixelToCoord(b.left());
    const double bottom = y->pixelToCoord(b.bottom());
    rememberView();
    setView(
        {{left, x->pixelToCoord(b.right()) - left}, {bottom, y->pixelToCoord(b.top()) - bottom}});
}

bool PlotControl::legendVisible() const {
    return legend_->visible();
}

void PlotControl::setLegendVisible(bool visible) {
    legend_->setVisible(visible);
    requestReplot();
}

void PlotControl::setChannelVisible(int index, bool visible) {
    Channel(index).setVisible(visible);
    cursor_->refresh();
}

void PlotControl::setMarkers(std::vector<TrendMarker> markers) {
    markers_->setMarkers(std::move(markers));
    requestReplot();
}

const std::vector<TrendMarker>& PlotControl::markers() const {
    return markers_->markers();
}

bool PlotControl::markersVisible() const {
    return markers_->visible();
}

void PlotControl::setMarkersVisible(bool visible) {
    markers_->setVisible(visible);
    requestReplot();
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

void PlotControl::exportVisibleData(const QString& fileName, const QStringList& neverReplace) {
    xAxis_->applyRange();
    const QCPRange range = plot_->xAxis->range();
    writePlotFile(fileName, trendCsv(visibleRecords(channels_, range.lower, range.upper)),
                  neverReplace);
}

void PlotControl::savePicture(const QString& fileName, PlotExport format, QSize size,
                              const QStringList& neverReplace) {
    prepareToDraw(size.width());
    const QByteArray bytes = plotPicture(*plot_, format, size);
    requestReplot();
    writePlotFile(fileName, bytes, neverReplace);
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
    legend_->refresh();
    cursor_->refresh();
}

QSize PlotControl::pictureSize(bool screenSize) const {
    return screenSize ? size().expandedTo(kMinimumScreenPicture) : kFixedPicture;
}

} // namespace tarvex
