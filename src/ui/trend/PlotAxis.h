// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/trend/AxisScale.h"

#include <QColor>
#include <QSharedPointer>
#include <QString>

#include <functional>

class QCPAxis;

namespace tarvex {

class PlotTicker;

// One axis of the trend plot. The range is Min to Min + Span and reads back exactly what was
// put, whatever is drawn; a zero or negative Span is drawn as a small range from Min.
//
// The build start flag (setBuildStart(true)) makes the time axis follow the data: until the next
// setMin or setSpan it covers the keys of all points added, and Min and Span read back that
// range. On the value axis the flag leaves the range alone, so a build that stops early leaves
// it as it was. setBuildStart(false) fixes the range where it is.
//
// Labels style 3 labels the ticks as dates through DateTimeFormat; any other style as plain
// numbers. The axis mode is kept and read back; the range is fixed by Min and Span in every mode.
// ScaleColor colours the axis line, its major ticks and its labels; the second scale colour
// colours the minor ticks.
class PlotAxis {
public:
    enum Kind { Time, Value };
    static constexpr int DateLabels = 3;

    PlotAxis(QCPAxis* axis, Kind kind, std::function<void()> changed);
    ~PlotAxis();
    PlotAxis(const PlotAxis&) = delete;
    PlotAxis& operator=(const PlotAxis&) = delete;

    [[nodiscard]] double Min() const { return scale_.Min(); }
    void setMin(double min);
    [[nodiscard]] double Span() const { return scale_.Span(); }
    void setSpan(double span);
    [[nodiscard]] double Max() const { return scale_.Max(); }

    [[nodiscard]] int MinorCount() const;
    void setMinorCount(int count);
    [[nodiscard]] QString DateTimeFormat() const;
    void setDateTimeFormat(const QString& pattern);

    [[nodiscard]] QColor ScaleColor() const { return scaleColor_; }
    void setScaleColor(const QColor& color);
    [[nodiscard]] QColor SecondScaleColor() const { return secondScaleColor_; }
    void setSecondScaleColor(const QColor& color);

    void setBuildStart(bool start);
    [[nodiscard]] bool followsData() const { return scale_.followsData(); }
    [[nodiscard]] int AxisMode() const { return axisMode_; }
    void setAxisMode(int mode);
    [[nodiscard]] int LabelsStyle() const { return labelsStyle_; }
    void setLabelsStyle(int style);

    // Used by the plot: the data the time axis follows, and the range to draw.
    void includeData(double value) { scale_.includeData(value); }
    void clearData() { scale_.clearData(); }
    [[nodiscard]] double dataSpan() const { return scale_.dataSpan(); }
    void applyRange();
    // With date labels, as many ticks as fit along `pixels` without their labels touching.
    void fitTickCount(int pixels);
    // How far a date label centred on an end of the axis reaches past it.
    [[nodiscard]] int endLabelOverhang() const;
    [[nodiscard]] QCPAxis* axis() const { return axis_; }

private:
    void applyColors();
    [[nodiscard]] int widestDateLabel(const QString& pattern) const;

    QCPAxis* axis_;
    Kind kind_;
    std::function<void()> changed_;
    AxisScale scale_;
    QSharedPointer<PlotTicker> ticker_;
    QColor scaleColor_{Qt::black};
    QColor secondScaleColor_{Qt::black};
    int axisMode_ = 0;
    int labelsStyle_;
};

} // namespace tarvex
