#include "trend/PlotTicker.h"

#include "common/ValueFormat.h"
#include "trend/DateTickStep.h"

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

double PlotTicker::getTickStep(const QCPRange& range) {
    return dateLabels_ ? dateTickStep(range.size(), tickCount())
                       : QCPAxisTicker::getTickStep(range);
}

int PlotTicker::getSubTickCount(double /*tickStep*/) {
    return minorCount_;
}

QString PlotTicker::getTickLabel(double tick, const QLocale& locale, QChar formatChar,
                                 int precision) {
    if (dateLabels_) {
        return formatDateSerial(tick, pattern_);
    }
    return QCPAxisTicker::getTickLabel(tick, locale, formatChar, precision);
}

} // namespace tarvex
