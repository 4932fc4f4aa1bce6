#pragma once

namespace tarvex {

// Shows the Open dialog and loads the chosen data log into the viewer's vaGrid, with its time
// column rewritten; sets dataFilePath. Failures are reported as "getHistFile", then the data
// view is reset; a cancelled dialog changes nothing.
void getHistFile();

// Empties vaGrid, digiSigGrid and opEvGrid, forgets dataFilePath and hides the plotting
// progress display. Shows no message.
void resetDataView();

} // namespace tarvex
