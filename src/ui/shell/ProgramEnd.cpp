// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/ProgramEnd.h"

#include "ui/shell/SingleInstance.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace tarvex {
namespace {
std::function<void(int)>& hook() {
    static std::function<void(int)> h;
    return h;
}
} // namespace

void endProgram(int exitCode) {
    if (hook()) {
        hook()(exitCode);
        return;
    }
    releaseInstanceLock();
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

void setEndProgramHook(std::function<void(int)> h) {
    hook() = std::move(h);
}

} // namespace tarvex
