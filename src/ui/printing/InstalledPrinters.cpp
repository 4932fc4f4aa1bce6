// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/printing/InstalledPrinters.h"

#include <QPrinterInfo>

namespace tarvex {
namespace {

std::function<QStringList()>& source() {
    static std::function<QStringList()> replaced;
    return replaced;
}

} // namespace

QStringList installedPrinters() {
    return source() ? source()() : QPrinterInfo::availablePrinterNames();
}

void setInstalledPrintersSource(std::function<QStringList()> replacement) {
    source() = std::move(replacement);
}

} // namespace tarvex
