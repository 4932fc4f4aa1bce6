// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tarvex {

// The file-loaded guards: true when `path` names a loaded file; otherwise they tell the user and
// answer false.
bool isDataFileOpen(const QString& path);
bool isAuditFileOpen(const QString& path);
bool isAlarmFileOpen(const QString& path);

// The four CSV exports, each through the Save dialog.
void exportHistData();
void exportOpEventData();
void exportAuditTrailData();
void exportAlmData();

} // namespace tarvex
