#include "viewer/ToolbarButtons.h"

#include <QIcon>
#include <QToolButton>

#include <array>

namespace tarvex {
namespace {

constexpr std::array kData{
    ToolbarButtonSpec{"Open History File", "document-open", "open.svg"},
    ToolbarButtonSpec{"Plot History File", "", "plot.svg"},
    ToolbarButtonSpec{"Print History File", "document-print", "print.svg"},
    ToolbarButtonSpec{"Cancel History Plot", "process-stop", "stop.svg"},
    ToolbarButtonSpec{"Export Data File", "", "export.svg"},
    ToolbarButtonSpec{"Verify Digital Signature", "", "verify.svg"},
};
constexpr std::array kOp{
    ToolbarButtonSpec{"Print Operator Events", "document-print", "print.svg"},
    ToolbarButtonSpec{"Export Operator Events", "", "export.svg"},
};
constexpr std::array kAudit{
    ToolbarButtonSpec{"Open Audit Trail", "document-open", "open.svg"},
    ToolbarButtonSpec{"Print Audit Trail", "document-print", "print.svg"},
    ToolbarButtonSpec{"Export Audit Trail", "", "export.svg"},
    ToolbarButtonSpec{"Verify Digital Signature", "", "verify.svg"},
};
constexpr std::array kAlarm{
    ToolbarButtonSpec{"Open Alarm History", "document-open", "open.svg"},
    ToolbarButtonSpec{"Print Alarm History", "document-print", "print.svg"},
    ToolbarButtonSpec{"Export Alarm History", "", "export.svg"},
};
constexpr std::array kHist{
    ToolbarButtonSpec{"Setup Hist Trend", "document-properties", "setup.svg"},
    ToolbarButtonSpec{"Show/Hide Cursor", "", "cursor.svg"},
    ToolbarButtonSpec{"Save To Jpeg", "", "save-image.svg"},
    ToolbarButtonSpec{"Print History Plot", "document-print", "print.svg"},
};

} // namespace

std::span<const ToolbarButtonSpec> toolbarButtons(ToolbarGroup group) {
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

QToolButton* makeToolbarButton(const ToolbarButtonSpec& spec, QWidget* parent) {
    auto* button = new QToolButton(parent);
    const QIcon bundled(QStringLiteral(":/icons/") + QLatin1String(spec.bundledIcon));
    const QString theme = QLatin1String(spec.themeIcon);
    button->setIcon(theme.isEmpty() ? bundled : QIcon::fromTheme(theme, bundled));
    button->setIconSize(QSize(16, 16));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setToolTip(QLatin1String(spec.tooltip));
    button->setAccessibleName(QLatin1String(spec.tooltip));
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace tarvex
