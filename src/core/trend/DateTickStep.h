// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarvex {

// A readable distance between the major ticks of a date-serial axis (in days) that gives about
// `tickCount` ticks over `spanDays`: whole seconds, minutes, hours or days where the span allows,
// 1-2-5 steps of seconds below one second and of days above two weeks.
double dateTickStep(double spanDays, int tickCount);

} // namespace tarvex
