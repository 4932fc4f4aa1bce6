// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/SysInfo.h"

#include "ui/shell/MsgBoxPos.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

namespace tarvex {

bool GetKeyValue(std::uint32_t KeyRoot, const QString& KeyName, const QString& SubKeyRef,
                 QString& KeyVal) {
    KeyVal.clear();
#ifdef Q_OS_WIN
    if (KeyRoot != HKEY_LOCAL_MACHINE_ROOT) {
        return false;
    }
    const QSettings key(QStringLiteral("HKEY_LOCAL_MACHINE\\") + KeyName, QSettings::NativeFormat);
    const QVariant value = key.value(SubKeyRef);
    if (!value.isValid() || value.typeId() != QMetaType::QString) {
        return false;
    }
    const QString text = value.toString();
    KeyVal = text.left(text.indexOf(QChar(0)) >= 0 ? text.indexOf(QChar(0)) : text.size());
    return true;
#else
    Q_UNUSED(KeyRoot);
    Q_UNUSED(KeyName);
    Q_UNUSED(SubKeyRef);
    return false;
#endif
}

QStringList sysInfoTools() {
    return {QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
            QStringLiteral("gnome-system-monitor"), QStringLiteral("xfce4-taskmanager")};
}

namespace {
// The registry's system information tool, when one is named.
QString registeredSysInfoTool() {
    QString path;
    if (GetKeyValue(HKEY_LOCAL_MACHINE_ROOT,
                    QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                    QStringLiteral("PATH"), path)) {
        return path; // taken as it is, without checking that it exists
    }
    if (GetKeyValue(HKEY_LOCAL_MACHINE_ROOT,
                    QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                    QStringLiteral("MSINFO"), path)) {
        QString exe = QDir(path).filePath(QStringLiteral("MSINFO32.EXE"));
        if (QFileInfo(exe).isFile()) {
            return exe;
        }
    }
    return {};
}

QString installedSysInfoTool() {
    for (const QString& tool : sysInfoTools()) {
        QString path = QStandardPaths::findExecutable(tool);
        if (!path.isEmpty()) {
            return path;
        }
    }
    return {};
}
} // namespace

void StartSysInfo() {
    QString tool = registeredSysInfoTool();
    if (tool.isEmpty()) {
        tool = installedSysInfoTool();
    }
    if (tool.isEmpty()) {
        msgBox(QStringLiteral("System Information Is Unavailable At This Time"), MsgStyle::OkOnly);
        return;
    }
    QProcess::startDetached(tool, {});
}

} // namespace tarvex
