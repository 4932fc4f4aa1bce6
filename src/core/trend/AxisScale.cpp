// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/trend/AxisScale.h"

#include "core/common/TvError.h"

#include <cmath>

namespace tarvex {

double AxisScale::Min() const {
    return following_ && hasData() ? dataMin_ : min_;
}

double AxisScale::Span() const {
    return following_ && hasData() ? dataMax_ - dataMin_ : span_;
}

void AxisScale::freeze() {
    min_ = Min();
    span_ = Span();
    following_ = false;
}

void AxisScale::setMin(double min) {
    if (!std::isfinite(min)) {
        throw TvError(ErrInvalidCall);
    }
    freeze();
    min_ = min;
}

void AxisScale::setSpan(double span) {
    if (!std::isfinite(span)) {
        throw TvError(ErrInvalidCall);
    }
    freeze();
    span_ = span;
}

void AxisScale::includeData(double value) {
    if (std::isnan(value)) {
        return;
    }
    if (value < dataMin_) {
        dataMin_ = value;
    }
    if (value > dataMax_) {
        dataMax_ = value;
    }
}

void AxisScale::clearData() {
    dataMin_ = std::numeric_limits<double>::infinity();
    dataMax_ = -std::numeric_limits<double>::infinity();
}

} // namespace tarvex
