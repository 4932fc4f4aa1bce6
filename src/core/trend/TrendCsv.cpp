// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/trend/TrendCsv.h"

#include "core/common/ValueFormat.h"
#include "core/common/Windows1252.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarvex {
namespace {

constexpr double kMsPerDay = 86400000.0;

void appendField(QString& out, const QString& text) {
    const bool plain = std::none_of(text.begin(), text.end(), [](QChar c) {
        return c == u',' || c == u'"' || c == u'\r' || c == u'\n';
    });
    if (plain) {
        out += text;
        return;
    }
    out += QLatin1Char('"') + QString(text).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

// Room for the whole text at once: every text, and a time and the commas on every line.
qsizetype sizeAtMost(const std::vector<CsvChannel>& channels) {
    constexpr qsizetype kTimeAndLineEnd = 32;
    qsizetype size = 0;
    qsizetype lines = 1;
    for (const CsvChannel& c : channels) {
        size += c.title.size() * 2 + 3;
        for (const QString& text : c.texts) {
            size += text.size() + 1;
        }
        lines += static_cast<qsizetype>(c.times.size());
    }
    return size + lines * (kTimeAndLineEnd + static_cast<qsizetype>(channels.size()));
}

bool wholeSeconds(const std::vector<CsvChannel>& channels) {
    for (const CsvChannel& c : channels) {
        for (const double t : c.times) {
            if (std::llround(std::abs(t) * kMsPerDay) % 1000 != 0) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

QByteArray trendCsv(const std::vector<CsvChannel>& channels) {
    const QString timePattern = wholeSeconds(channels)
                                    ? QStringLiteral("m/d/yyyy h:nn:ss AM/PM")
                                    : QStringLiteral("m/d/yyyy h:nn:ss.zzz AM/PM");
    QString out;
    out.reserve(sizeAtMost(channels));
    out += QStringLiteral("Time");
    for (const CsvChannel& c : channels) {
        out += QLatin1Char(',');
        appendField(out, c.title);
    }
    out += QStringLiteral("\r\n");
    // A merge of the channels' times: each line takes the next record of every channel at the
    // earliest time left.
    std::vector<std::size_t> next(channels.size(), 0);
    for (;;) {
        double time = std::numeric_limits<double>::infinity();
        for (std::size_t c = 0; c < channels.size(); ++c) {
            if (next[c] < channels[c].times.size()) {
                time = std::min(time, channels[c].times[next[c]]);
            }
        }
        if (std::isinf(time)) {
            break;
        }
        out += formatDateSerial(time, timePattern);
        for (std::size_t c = 0; c < channels.size(); ++c) {
            out += QLatin1Char(',');
            const CsvChannel& channel = channels[c];
            if (next[c] < channel.times.size() && channel.times[next[c]] == time) {
                appendField(out, channel.texts.value(static_cast<qsizetype>(next[c])));
                ++next[c];
            }
        }
        out += QStringLiteral("\r\n");
    }
    return toWindows1252(out);
}

} // namespace tarvex
