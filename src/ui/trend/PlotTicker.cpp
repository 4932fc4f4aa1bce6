// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/PlotTicker.h"

#include "core/common/ValueFormat.h"
#include "core/trend/TimeTicks.h"

#include <cmath>
#include <utility>

namespace tarvex {

PlotTicker::PlotTicker(bool dateLabels, int minorCount, QString pattern)
    : dateLabels_(dateLabels), minorCount_(minorCount), pattern_(std::move(pattern)) {
    setTickCount(dateLabels ? 4 : 5);
}

QVector<QString> PlotTicker::labelsFor(const QCPRange& range) {
    QVector<double> ticks;
    QVector<QString> labels;
    generate(range, QLocale::c(), QLatin1Char('g'), 6, ticks, nullptr, &labels);
    return labels;
}

QString PlotTicker::labelPattern(const QCPRange& range) const {
    return planTimeTicks(range.lower, range.upper, tickCount(), pattern_).pattern;
}

double PlotTicker::getTickStep(const QCPRange& range) {
    if (!dateLabels_) {
        return QCPAxisTicker::getTickStep(range);
    }
    TimeTickPlan plan = planTimeTicks(range.lower, range.upper, tickCount(), pattern_);
    labelPattern_ = std::move(plan.pattern);
    return plan.step;
}

// A tick on an end of the range comes out a rounding error beyond it, where the trimming to the
// range would drop it and its label: such a tick is put on the end itself.
QVector<double> PlotTicker::createTickVector(double tickStep, const QCPRange& range) {
    QVector<double> ticks = QCPAxisTicker::createTickVector(tickStep, range);
    const double tolerance = std::abs(tickStep) * 1e-6;
    for (double& tick : ticks) {
        for (const double end : {range.lower, range.upper}) {
            if (std::abs(tick - end) < tolerance) {
                tick = end;
            }
        }
    }
    return ticks;
}

int PlotTicker::getSubTickCount(double /*tickStep*/) {
    return minorCount_;
}

QString PlotTicker::getTickLabel(double tick, const QLocale& locale, QChar formatChar,
                                 int precision) {
    if (dateLabels_) {
        return formatDateSerial(tick, labelPattern_);
    }
    return QCPAxisTicker::getTickLabel(tick, locale, formatChar, precision);
}

} // namespace tarvex
