// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

namespace tarvex {

// The plot's background, on which every trace colour must show.
inline constexpr QRgb kTraceBackground = qRgb(212, 212, 212);

// The colour of the channel with this index: twelve fixed strong colours, then, up to
// kDistinctTraceColors channels, colours chosen one by one as far as possible from all earlier
// ones (CIEDE2000). The rule this keeps: among the first kDistinctTraceColors channels, every
// colour after the twelfth lies at least kLeastTraceDistance from every other channel's colour,
// and every colour at least kLeastBackgroundDistance from the background. Further channels get
// hues spread by the golden angle; all colours differ.
QColor traceColor(int index);

inline constexpr int kDistinctTraceColors = 30;
inline constexpr double kLeastTraceDistance = 16.0;
inline constexpr double kLeastBackgroundDistance = 25.0;

} // namespace tarvex
