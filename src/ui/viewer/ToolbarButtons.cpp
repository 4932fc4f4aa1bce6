// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/viewer/ToolbarButtons.h"

#include <QIcon>
#include <QToolButton>

#include <array>

namespace tarvex {
namespace {

constexpr std::array kData{
    ToolbarButtonInfo{"Open History File", "document-open", "open.svg"},
    ToolbarButtonInfo{"Plot History File", "", "plot.svg"},
    ToolbarButtonInfo{"Print History File", "document-print", "print.svg"},
    ToolbarButtonInfo{"Cancel History Plot", "process-stop", "stop.svg"},
    ToolbarButtonInfo{"Export Data File", "", "export.svg"},
    ToolbarButtonInfo{"Verify Digital Signature", "", "verify.svg"},
};
constexpr std::array kOp{
    ToolbarButtonInfo{"Print Operator Events", "document-print", "print.svg"},
    ToolbarButtonInfo{"Export Operator Events", "", "export.svg"},
};
constexpr std::array kAudit{
    ToolbarButtonInfo{"Open Audit Trail", "document-open", "open.svg"},
    ToolbarButtonInfo{"Print Audit Trail", "document-print", "print.svg"},
    ToolbarButtonInfo{"Export Audit Trail", "", "export.svg"},
    ToolbarButtonInfo{"Verify Digital Signature", "", "verify.svg"},
};
constexpr std::array kAlarm{
    ToolbarButtonInfo{"Open Alarm History", "document-open", "open.svg"},
    ToolbarButtonInfo{"Print Alarm History", "document-print", "print.svg"},
    ToolbarButtonInfo{"Export Alarm History", "", "export.svg"},
};
constexpr std::array kHist{
    ToolbarButtonInfo{"Setup Hist Trend", "document-properties", "setup.svg"},
    ToolbarButtonInfo{"Show/Hide Cursor", "", "cursor.svg"},
    ToolbarButtonInfo{"Save To Jpeg", "", "save-image.svg"},
    ToolbarButtonInfo{"Print History Plot", "document-print", "print.svg"},
};

} // namespace

std::span<const ToolbarButtonInfo> toolbarButtons(ToolbarGroup group) {
    switch (group) {
    case ToolbarGroup::Data:
        return kData;
    case ToolbarGroup::Op:
        return kOp;
    case ToolbarGroup::Audit:
        return kAudit;
    case ToolbarGroup::Alarm:
        return kAlarm;
    case ToolbarGroup::Hist:
        return kHist;
    }
    return {};
}

QString toolbarGroupName(ToolbarGroup group) {
    switch (group) {
    case ToolbarGroup::Data:
        return QStringLiteral("DataBarBtn");
    case ToolbarGroup::Op:
        return QStringLiteral("opBarBtn");
    case ToolbarGroup::Audit:
        return QStringLiteral("auditBarBtn");
    case ToolbarGroup::Alarm:
        return QStringLiteral("almBarBtn");
    case ToolbarGroup::Hist:
        return QStringLiteral("histBarBtn");
    }
    return {};
}

QToolButton* makeToolbarButton(const ToolbarButtonInfo& info, QWidget* parent) {
    auto* button = new QToolButton(parent);
    const QIcon bundled(QStringLiteral(":/icons/") + QLatin1String(info.bundledIcon));
    const QString theme = QLatin1String(info.themeIcon);
    button->setIcon(theme.isEmpty() ? bundled : QIcon::fromTheme(theme, bundled));
    button->setIconSize(QSize(16, 16));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setToolTip(QLatin1String(info.tooltip));
    button->setAccessibleName(QLatin1String(info.tooltip));
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace tarvex
