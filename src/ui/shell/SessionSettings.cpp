// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/SessionSettings.h"

#include <QSettings>

namespace tarvex {

void keepSettingsForTheSessionOnly() {
    // A folder that can never exist: nothing is found there, and nothing can be written.
    const QString nowhere = QStringLiteral("/dev/null/tarvex-viewer");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, nowhere);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, nowhere);
}

} // namespace tarvex
