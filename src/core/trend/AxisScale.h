// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <limits>

namespace tarvex {

// The range of one plot axis as its callers see it: a start (Min) and a width (Span).
//
// While the axis follows its data, Min and Span read back the extent of the values added so far;
// when nothing has been added yet they read back the last fixed range. Following ends at the first
// explicit setMin or setSpan, which keeps the other value as it read at that moment.
class AxisScale {
public:
    AxisScale(double min, double span) : min_(min), span_(span) {}

    [[nodiscard]] double Min() const;
    [[nodiscard]] double Span() const;
    [[nodiscard]] double Max() const { return Min() + Span(); }

    // Non-finite values raise the invalid argument error.
    void setMin(double min);
    void setSpan(double span);

    void followData() { following_ = true; }
    [[nodiscard]] bool followsData() const { return following_; }

    // NaN is ignored, so a gap does not stretch the range.
    void includeData(double value);
    void clearData();
    [[nodiscard]] bool hasData() const { return dataMin_ <= dataMax_; }
    // How far the data added reaches; 0 without data.
    [[nodiscard]] double dataSpan() const { return hasData() ? dataMax_ - dataMin_ : 0.0; }

private:
    void freeze();

    double min_;
    double span_;
    bool following_ = false;
    double dataMin_ = std::numeric_limits<double>::infinity();
    double dataMax_ = -std::numeric_limits<double>::infinity();
};

} // namespace tarvex
