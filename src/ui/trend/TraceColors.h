// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

namespace tarvex {

// The colour of the channel with this index: a fixed set of strong colours that read well on the
// grey background, then hues spread by the golden angle, all different from each other.
QColor traceColor(int index);

} // namespace tarvex
