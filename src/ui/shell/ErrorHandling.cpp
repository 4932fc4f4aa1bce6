// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/ErrorHandling.h"

#include <exception>
#include <new>

namespace tarvex {

TvError currentError() noexcept {
    try {
        throw;
    } catch (const TvError& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return TvError(ErrOutOfMemory);
    } catch (const std::exception& e) {
        return {ErrInvalidCall, QString::fromLocal8Bit(e.what())};
    } catch (...) {
        return TvError(ErrInvalidCall);
    }
}

} // namespace tarvex
