// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tarvex {

// The file name without its folder and cut before its first dot: "/logs/plant.2024.csv" gives
// "plant"; a name that begins with a dot gives "". The separator is "/" ("\" too on Windows).
QString fileBaseName(const QString& path);

// The folder part up to and including the last separator, then fileBaseName:
// "/logs/plant.2024.csv" gives "/logs/plant". Dots in folder names stay.
QString pathWithoutExtension(const QString& path);

// True when the path names an existing regular file (links followed): folders, FIFOs, devices
// and sockets count as missing, since no reader may open them. Any failure gives false.
bool fileExists(const QString& path);

} // namespace tarvex
