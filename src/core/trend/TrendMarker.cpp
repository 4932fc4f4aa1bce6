// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/trend/TrendMarker.h"

#include "core/common/TvError.h"
#include "core/common/ValueFormat.h"
#include "core/trend/TrendPoint.h"

#include <QStringList>

namespace tarvex {

std::optional<TrendMarker> markerAt(const CellValue& date, const CellValue& time, MarkerKind kind,
                                    QString who, QString what) {
    try {
        return TrendMarker{trendPointX(date, time), kind, std::move(who), std::move(what)};
    } catch (const TvError&) {
        return std::nullopt;
    }
}

QString markerKindName(MarkerKind kind) {
    switch (kind) {
    case MarkerKind::OperatorEvent:
        return QStringLiteral("Operator event");
    case MarkerKind::Alarm:
        return QStringLiteral("Alarm");
    case MarkerKind::Signature:
        return QStringLiteral("Signature");
    case MarkerKind::CoverageEnd:
        return QStringLiteral("End of what the signature covers");
    }
    return {};
}

QString markerTip(const std::vector<TrendMarker>& markers, int most) {
    QStringList paragraphs;
    for (const TrendMarker& m : markers) {
        if (paragraphs.size() == most) {
            paragraphs << QStringLiteral("... and %1 more").arg(markers.size() - most);
            break;
        }
        QString text = markerKindName(m.kind) + QStringLiteral(", ") + generalDate(m.time);
        const QString by = m.who.isEmpty() || m.what.isEmpty()
                               ? m.who + m.what
                               : m.who + QStringLiteral(": ") + m.what;
        if (!by.isEmpty()) {
            text += QLatin1Char('\n') + by;
        }
        paragraphs << text;
    }
    return paragraphs.join(QStringLiteral("\n\n"));
}

} // namespace tarvex
