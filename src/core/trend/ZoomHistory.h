// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/trend/TrendZoom.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

namespace tarvex {

// What the plot shows: the range of each axis.
struct PlotView {
    AxisRange time;
    AxisRange value;
    friend bool operator==(const PlotView& x, const PlotView& y) {
        return x.time.min == y.time.min && x.time.span == y.time.span &&
               x.value.min == y.value.min && x.value.span == y.value.span;
    }
};

// The views the user zoomed through, for going back and forward as a browser goes through
// pages. Each zoom first records the view it leaves; a new zoom after going back forgets the
// views ahead. The oldest views are forgotten beyond a hundred.
class ZoomHistory {
public:
    // Before a zoom: `current` is the view being left. The same view twice is kept once.
    void record(const PlotView& current);
    // The view to go back to, `current` kept for going forward; nothing at the start.
    std::optional<PlotView> back(const PlotView& current);
    std::optional<PlotView> forward(const PlotView& current);

    [[nodiscard]] bool canGoBack() const { return !behind_.empty(); }
    [[nodiscard]] bool canGoForward() const { return !ahead_.empty(); }
    void clear();

    static constexpr std::size_t kMostViews = 100;

private:
    std::deque<PlotView> behind_;
    std::vector<PlotView> ahead_;
};

} // namespace tarvex
