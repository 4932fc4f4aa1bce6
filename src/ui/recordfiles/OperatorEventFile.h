// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarvex {

class StatusSink;
struct DataLogView;
struct SharedState;

// Reads the ".evt" file beside the loaded data log into opEvGrid ("loadOpEventsFile"); a damaged
// one resets the data view.
void loadOpEventsFile(SharedState& state, StatusSink& status, const DataLogView& view);

} // namespace tarvex
