// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace tarvex {

// Registry roots as GetKeyValue takes them.
inline constexpr std::uint32_t HKEY_LOCAL_MACHINE_ROOT = 0x80000002U;

// Reads the text value `SubKeyRef` of the registry key `KeyName` under `KeyRoot` into `KeyVal`
// (cut at its first zero character). False, with `KeyVal` empty, when the key or value cannot be
// read. There is no registry outside Windows: there it is always false.
bool GetKeyValue(std::uint32_t KeyRoot, const QString& KeyName, const QString& SubKeyRef,
                 QString& KeyVal);

// Starts the system information tool: on Windows the one the registry names; elsewhere the first
// of sysInfoTools() found on PATH. When there is none, says "System Information Is Unavailable
// At This Time". A tool that fails to start is not reported.
void StartSysInfo();

// The system information tools looked for outside Windows, in order of preference.
QStringList sysInfoTools();

} // namespace tarvex
