// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <qcustomplot.h>

#include <QString>

namespace tarvex {

// Tick placement and labels of one plot axis. With date labels the ticks fall on whole clock
// units and the labels go through the program's date-time formatter with the axis pattern, to
// which the range shown may add digits or the date (planTimeTicks); otherwise they are plain
// numbers. The number of minor ticks between two major ticks is fixed.
class PlotTicker : public QCPAxisTicker {
public:
    PlotTicker(bool dateLabels, int minorCount, QString pattern);

    [[nodiscard]] bool dateLabels() const { return dateLabels_; }
    void setDateLabels(bool on) { dateLabels_ = on; }
    [[nodiscard]] int minorCount() const { return minorCount_; }
    void setMinorCount(int count) { minorCount_ = count; }
    [[nodiscard]] const QString& pattern() const { return pattern_; }
    void setPattern(const QString& pattern) { pattern_ = pattern; }

    // The labels the axis would show over `range`.
    QVector<QString> labelsFor(const QCPRange& range);
    // The pattern the date labels over `range` are written with.
    [[nodiscard]] QString labelPattern(const QCPRange& range) const;

protected:
    double getTickStep(const QCPRange& range) override;
    QVector<double> createTickVector(double tickStep, const QCPRange& range) override;
    int getSubTickCount(double tickStep) override;
    QString getTickLabel(double tick, const QLocale& locale, QChar formatChar,
                         int precision) override;

private:
    bool dateLabels_;
    int minorCount_;
    QString pattern_;
    QString labelPattern_; // of the range last ticked
};

} // namespace tarvex
