// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QLabel;

namespace tarvex {

class SpreadGrid;
class StatusSink;
struct SharedState;

// Shows the Open dialog and loads the chosen alarm history into alarmGrid, naming it in
// almNameLab; sets alarmFilePath ("getAlmFile"). A failure empties alarmGrid.
void getAlmFile(SharedState& state, StatusSink& status, SpreadGrid& alarmGrid, QLabel& almNameLab);

} // namespace tarvex
