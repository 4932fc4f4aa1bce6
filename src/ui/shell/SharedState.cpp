// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/SharedState.h"

#include "core/common/TvError.h"

namespace tarvex {

SharedState& pubVars() {
    // Never destroyed: the shared objects outlive every window, up to the process end.
    static auto* state = new SharedState;
    return *state;
}

CommonDialog& fileDialog() {
    CommonDialog* dialog = pubVars().fileDialog;
    if (dialog == nullptr) {
        throw TvError(ErrInvalidCall);
    }
    return *dialog;
}

} // namespace tarvex
