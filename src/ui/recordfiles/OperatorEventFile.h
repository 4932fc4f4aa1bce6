// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarvex {

// Reads the ".evt" file beside the loaded data log into opEvGrid ("loadOpEventsFile").
void loadOpEventsFile();

} // namespace tarvex
