// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace tarvex {

// One channel's records in the exported time range: their times, ascending, and the text of
// each as its source shows it.
struct CsvChannel {
    QString title;
    std::vector<double> times;
    QStringList texts;
};

// The trend's data as CSV text (Windows-1252, lines ended by "\r\n"): a title line, "Time" and
// each channel's title, then one line per record time of any channel in time order - the time
// as a general date (with milliseconds when any time has them), then each channel's text at
// that time, empty where the channel has no record then. A field with a comma, a quote or a
// line end is quoted.
[[nodiscard]] QByteArray trendCsv(const std::vector<CsvChannel>& channels);

} // namespace tarvex
