// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/PlotAxis.h"

#include "core/common/ValueFormat.h"
#include "ui/trend/PlotTicker.h"

#include <qcustomplot.h>

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <utility>

namespace tarvex {

namespace {

constexpr double kTimeSpan = 0.0069;
constexpr double kValueSpan = 100.0;
constexpr int kTimeMinorCount = 3;
constexpr int kValueMinorCount = 4;
const char* const kTimePattern = "m/d/yy h:nn:ss am/pm";
constexpr int kLabelGap = 24;
constexpr int kMaxTicks = 10;

// The range to draw for a Min and Span; QCustomPlot cannot draw an empty range.
QCPRange drawnRange(double min, double span, double fallbackSpan) {
    QCPRange range(min, min + span);
    range.normalize();
    if (!QCPRange::validRange(range) || range.size() <= std::abs(min) * 1e-12) {
        return {min, min + fallbackSpan};
    }
    return range;
}

} // namespace

PlotAxis::PlotAxis(QCPAxis* axis, Kind kind, std::function<void()> changed)
    : axis_(axis), kind_(kind), changed_(std::move(changed)),
      scale_(0.0, kind == Time ? kTimeSpan : kValueSpan),
      ticker_(new PlotTicker(kind == Time, kind == Time ? kTimeMinorCount : kValueMinorCount,
                             QString::fromLatin1(kTimePattern))),
      labelsStyle_(kind == Time ? DateLabels : 0) {
    axis_->setTicker(ticker_);
    applyColors();
    applyRange();
}

PlotAxis::~PlotAxis() = default;

void PlotAxis::setMin(double min) {
    scale_.setMin(min);
    changed_();
}

void PlotAxis::setSpan(double span) {
    scale_.setSpan(span);
    changed_();
}

int PlotAxis::MinorCount() const {
    return ticker_->minorCount();
}

void PlotAxis::setMinorCount(int count) {
    ticker_->setMinorCount(std::max(0, count));
    changed_();
}

QString PlotAxis::DateTimeFormat() const {
    return ticker_->pattern();
}

void PlotAxis::setDateTimeFormat(const QString& pattern) {
    ticker_->setPattern(pattern);
    changed_();
}

void PlotAxis::setScaleColor(const QColor& color) {
    scaleColor_ = color;
    applyColors();
    changed_();
}

void PlotAxis::setSecondScaleColor(const QColor& color) {
    secondScaleColor_ = color;
    applyColors();
    changed_();
}

void PlotAxis::applyColors() {
    QPen pen = axis_->basePen();
    pen.setColor(scaleColor_);
    axis_->setBasePen(pen);
    pen = axis_->tickPen();
    pen.setColor(scaleColor_);
    axis_->setTickPen(pen);
    axis_->setTickLabelColor(scaleColor_);
    axis_->setLabelColor(scaleColor_);
    pen = axis_->subTickPen();
    pen.setColor(secondScaleColor_);
    axis_->setSubTickPen(pen);
}

void PlotAxis::setBuildStart(bool start) {
    if (!start) {
        scale_.setMin(scale_.Min());
    } else if (kind_ == Time) {
        scale_.followData();
    }
    changed_();
}

void PlotAxis::setAxisMode(int mode) {
    axisMode_ = mode;
}

void PlotAxis::setLabelsStyle(int style) {
    labelsStyle_ = style;
    ticker_->setDateLabels(style == DateLabels);
    changed_();
}

void PlotAxis::applyRange() {
    const double fallback = kind_ == Time ? kTimeSpan : kValueSpan;
    axis_->setRange(drawnRange(scale_.Min(), scale_.Span(), fallback));
}

int PlotAxis::widestDateLabel(const QString& pattern) const {
    const QFontMetrics metrics(axis_->tickLabelFont());
    const QCPRange range = axis_->range();
    return std::max(metrics.horizontalAdvance(formatDateSerial(range.lower, pattern)),
                    metrics.horizontalAdvance(formatDateSerial(range.upper, pattern)));
}

// The labels may gain digits at a finer step, which may take fewer ticks: fitted twice.
void PlotAxis::fitTickCount(int pixels) {
    if (!ticker_->dateLabels()) {
        return;
    }
    const auto fit = [&](const QString& pattern) {
        const int label = widestDateLabel(pattern) + kLabelGap;
        ticker_->setTickCount(std::clamp(pixels / std::max(1, label), 1, kMaxTicks));
    };
    fit(DateTimeFormat());
    fit(ticker_->labelPattern(axis_->range()));
}

int PlotAxis::endLabelOverhang() const {
    if (!ticker_->dateLabels()) {
        return 0;
    }
    return widestDateLabel(ticker_->labelPattern(axis_->range())) / 2 + 2;
}

} // namespace tarvex
