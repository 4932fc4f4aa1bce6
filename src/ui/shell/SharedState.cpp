#include "shell/SharedState.h"

namespace tarvex {

SharedState& pubVars() {
    // Never destroyed: the shared objects outlive every window, up to the process end.
    static auto* state = new SharedState;
    return *state;
}

} // namespace tarvex
