// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace tarvex::cli {

// Runs work(state, i) for every i below `count` on up to `jobs` threads and hands each result
// to take(result) on the calling thread in the order of i, each as soon as it and all before
// it are done. Every thread has a State of its own, made on the thread that uses it, so that
// objects that must not be shared between threads need no lock. An exception thrown by `work`
// or `take` reaches the caller when its turn comes, after the other threads have stopped.
template <typename State, typename Result, typename Work, typename Take>
void runInOrder(std::size_t count, unsigned jobs, Work work, Take take) {
    struct Slot {
        std::optional<Result> result;
        std::exception_ptr failure;
    };
    std::vector<Slot> finished(count);
    std::vector<bool> done(count, false);
    std::mutex mutex;
    std::condition_variable ready;
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stop{false};

    const auto worker = [&] {
        std::optional<State> state;
        for (std::size_t i = next++; i < count && !stop; i = next++) {
            Slot slot;
            try {
                if (!state) {
                    state.emplace();
                }
                slot.result.emplace(work(*state, i));
            } catch (...) {
                slot.failure = std::current_exception();
            }
            const std::scoped_lock lock(mutex);
            finished[i] = std::move(slot);
            done[i] = true;
            ready.notify_one();
        }
    };
    const unsigned threads =
        static_cast<unsigned>(std::min<std::size_t>(std::max(jobs, 1U), count));
    std::vector<std::jthread> pool;
    // A failing worker stops the others; the pool joins them however this function is left.
    struct Stop {
        std::atomic<bool>& flag;
        ~Stop() { flag = true; }
    };
    const Stop stopOnExit{stop};
    for (unsigned t = 0; t < threads; ++t) {
        pool.emplace_back(worker);
    }
    for (std::size_t i = 0; i < count; ++i) {
        Slot slot;
        {
            std::unique_lock lock(mutex);
            ready.wait(lock, [&] { return done[i]; });
            slot = std::move(finished[i]);
        }
        if (slot.failure) {
            std::rethrow_exception(slot.failure);
        }
        take(std::move(*slot.result));
    }
}

} // namespace tarvex::cli
