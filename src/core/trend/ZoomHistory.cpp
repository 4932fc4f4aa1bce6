// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/trend/ZoomHistory.h"

namespace tarvex {

void ZoomHistory::record(const PlotView& current) {
    ahead_.clear();
    if (!behind_.empty() && behind_.back() == current) {
        return;
    }
    behind_.push_back(current);
    if (behind_.size() > kMostViews) {
        behind_.pop_front();
    }
}

std::optional<PlotView> ZoomHistory::back(const PlotView& current) {
    if (behind_.empty()) {
        return std::nullopt;
    }
    const PlotView view = behind_.back();
    behind_.pop_back();
    ahead_.push_back(current);
    return view;
}

std::optional<PlotView> ZoomHistory::forward(const PlotView& current) {
    if (ahead_.empty()) {
        return std::nullopt;
    }
    const PlotView view = ahead_.back();
    ahead_.pop_back();
    behind_.push_back(current);
    return view;
}

void ZoomHistory::clear() {
    behind_.clear();
    ahead_.clear();
}

} // namespace tarvex
